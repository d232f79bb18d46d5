// Whole-program tests: the built varnel_solver run on files, its standard output compared byte
// for byte and its exit status checked.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "tests/support/text_file.h"
#include "textio/problem_reader.h"

namespace {

using varnel::testing_support::readTextFile;
using varnel::testing_support::writeTextFile;

namespace fs = std::filesystem;

const std::string TEST_DATA = VARNEL_TEST_DATA;
const std::string SOLVER = VARNEL_SOLVER_BINARY;

const char* const USAGE_TEXT =
    "\nvarnel solver/creator\n"
    "  To slove problems:                            varnel_solver.exe s file\n"
    "  To create problem grouped by difficulty:      varnel_solver.exe c\n"
    "  To create problems with specified board size: varnel_solver.exe c[1-5]\n"
    "    where 1-5 specifies board size.\n";

struct ProgramRun {
    int status = -1;     // exit status, or -1 when the program did not exit normally
    std::string out;     // standard output
    std::string errors;  // standard error
};

// A scratch directory per test, removed afterwards.
class SolveMode : public ::testing::Test {
  protected:
    void SetUp() override {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        dir =
            fs::temp_directory_path() / ("varnel_" + std::to_string(getpid()) + "_" + info->name());
        fs::create_directories(dir);
    }
    void TearDown() override { fs::remove_all(dir); }

    fs::path file(const std::string& name, const std::string& text) {
        const fs::path path = dir / name;
        writeTextFile(path, text);
        return path;
    }

    // Runs the program with args in the scratch directory.
    ProgramRun run(const std::string& args) {
        const fs::path out = dir / "stdout";
        const fs::path errors = dir / "stderr";
        const std::string command = "cd '" + dir.string() + "' && '" + SOLVER + "' " + args +
                                    " >'" + out.string() + "' 2>'" + errors.string() + "'";
        const int raw = std::system(command.c_str());
        ProgramRun result;
        result.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
        result.out = readTextFile(out);
        result.errors = readTextFile(errors);
        return result;
    }

    ProgramRun solve(const fs::path& path) { return run("s '" + path.string() + "'"); }

    fs::path dir;
};

// The run's output without the text of its elapsed-time line, which varies; the line's leading
// newline stays. Fails the test when the line is missing.
std::string withoutFinishedLine(const std::string& out) {
    static const std::regex finished("finished\\. time = [0-9]+\\.[0-9]{3} sec\n$");
    std::smatch match;
    if (!std::regex_search(out, match, finished)) {
        ADD_FAILURE() << "no elapsed-time line at the end of:\n" << out;
        return out;
    }
    return out.substr(0, static_cast<size_t>(match.position(0)));
}

// The 2 x 2 board with a 2 in every cell: its one answer is the loop around the whole board.
const char* const SMALL_PROBLEM = "1/2/2/22/22/\n";
const char* const SMALL_OUTPUT =
    "・━・━・\n"
    "┃２ｘ２┃\n"
    "・ｘ・ｘ・\n"
    "┃２ｘ２┃\n"
    "・━・━・\n"
    "\n"
    "found 1 answer(s).\n";

TEST_F(SolveMode, SmallProblemPrintsItsDiagramVerdictAndTime) {
    const ProgramRun result = solve(file("small.txt", SMALL_PROBLEM));
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.errors, "");
    EXPECT_EQ(withoutFinishedLine(result.out), std::string(SMALL_OUTPUT) + "\n");

    // The same board in the grid form.
    const ProgramRun grid = solve(file("small_grid.txt", "# 2 x 2\n22\n22\n"));
    EXPECT_EQ(withoutFinishedLine(grid.out), std::string(SMALL_OUTPUT) + "\n");
}

class GoldenSolve : public SolveMode, public ::testing::WithParamInterface<const char*> {};

TEST_P(GoldenSolve, OutputMatchesByteForByte) {
    const std::string base = TEST_DATA + "/golden/solve/" + GetParam();
    const ProgramRun result = solve(base + ".txt");
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.errors, "");
    EXPECT_EQ(withoutFinishedLine(result.out), readTextFile(base + ".out"));
}

INSTANTIATE_TEST_SUITE_P(SolveMode, GoldenSolve,
                         ::testing::Values("plain", "trials", "peer_trials", "branch_or_stuck",
                                           "failed"));

TEST_F(SolveMode, ExamplesAgreeWithTheGoldenOutputs) {
    // Each 16 x 12 compact example is the first problem of a golden file (named after the solve
    // mode's verdict: the several-answers example fails to solve), so its output (up to the
    // elapsed-time line) starts the golden output; each grid-form example draws the same problem
    // as its compact twin.
    const std::string examples = TEST_DATA + "/../examples/";
    const std::pair<const char*, const char*> goldenOf[] = {
        {"plain", "plain"}, {"needs_trials", "trials"}, {"several_answers", "failed"}};
    for (const auto& [name, goldenName] : goldenOf) {
        const std::string output = withoutFinishedLine(solve(examples + name + ".txt").out);
        const std::string golden = readTextFile(TEST_DATA + "/golden/solve/" + goldenName + ".out");
        ASSERT_FALSE(output.empty()) << name;
        EXPECT_EQ(golden.substr(0, output.size() - 1), output.substr(0, output.size() - 1)) << name;
    }
    for (const char* name : {"plain", "small"}) {
        const std::string grid = withoutFinishedLine(solve(examples + name + "_grid.txt").out);
        EXPECT_NE(grid.find("found 1 answer(s)."), std::string::npos) << name;
        EXPECT_EQ(grid, withoutFinishedLine(solve(examples + name + ".txt").out)) << name;
    }
    // The example without an answer fails, as any problem without one does.
    EXPECT_EQ(withoutFinishedLine(solve(examples + "no_answer.txt").out), "failed to solve.\n\n");
}

TEST_F(SolveMode, UsageTextForEveryOtherCommandLine) {
    for (const char* args : {"", "s", "x examples.txt", "s a.txt b.txt", "c extra", "'' a.txt"}) {
        const ProgramRun result = run(args);
        EXPECT_EQ(result.status, 0) << args;
        EXPECT_EQ(result.out, USAGE_TEXT) << args;
    }
}

TEST_F(SolveMode, UnreadableFilesFailToOpen) {
    const std::string missing = (dir / "missing.txt").string();
    ProgramRun result = solve(missing);
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.out, "failed to open: " + missing + "\n");

    // A directory opens on some systems but cannot be read as a file.
    result = solve(dir);
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.out, "failed to open: " + dir.string() + "\n");
}

TEST_F(SolveMode, RejectedGridDataPrintsOnlyItsMessage) {
    for (const std::string& text :
         {std::string(), std::string("# nothing\n\n"), std::string("1.3\n.2\n3.0\n"),
          std::string("\x01\x02\xff", 3)}) {
        const ProgramRun result = solve(file("bad.txt", text));
        EXPECT_EQ(result.status, 1);
        EXPECT_EQ(result.out, "invalid problem data.\n");
    }
}

TEST_F(SolveMode, CompactFileStoppingOnBadDataSaysSo) {
    const std::string good = SMALL_PROBLEM;
    for (const char* bad : {"1/1/2/../../\n", "1/99999999999/2/../\n", "1/-1/2/../\n", "1/3/1"}) {
        const ProgramRun result = solve(file("bad.txt", good + bad + good));
        EXPECT_EQ(result.status, 1) << bad;
        EXPECT_EQ(withoutFinishedLine(result.out),
                  std::string(SMALL_OUTPUT) + "invalid problem data.\n\n")
            << bad;
    }

    // Trailing blank lines and spaces are no bad data.
    const ProgramRun trailing = solve(file("trailing.txt", good + "\n\r\n  \n"));
    EXPECT_EQ(trailing.status, 0);
    EXPECT_EQ(withoutFinishedLine(trailing.out), std::string(SMALL_OUTPUT) + "\n");
}

TEST_F(SolveMode, ProblemsBeyondTheLabelsAreRefusedAndReadingGoesOn) {
    // A 2000 x 2000 grid and a 1 MB line are far beyond 32767 padded cells.
    std::string grid;
    for (int y = 0; y < 2000; ++y)
        grid += std::string(2000, '.') + "\n";
    for (const std::string& text : {grid, std::string(1 << 20, '.')}) {
        const ProgramRun result = solve(file("large.txt", text));
        EXPECT_EQ(result.status, 1);
        EXPECT_EQ(withoutFinishedLine(result.out), "problem too large.\n\n");
    }

    // A refused problem costs only its own diagram and verdict: 180 x 180 cells pad to
    // 182 x 182 = 33124 cells, just beyond the limit, and the problem after it is still solved.
    std::string tooLarge = "1/180/180/";
    for (int y = 0; y < 180; ++y)
        tooLarge += std::string(180, '.') + "/";
    const ProgramRun result = solve(file("mixed.txt", tooLarge + "\n" + SMALL_PROBLEM));
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(withoutFinishedLine(result.out),
              "problem too large.\n" + std::string(SMALL_OUTPUT) + "\n");
}

TEST_F(SolveMode, CreateModeWritesABatchThatReadsBack) {
    const ProgramRun result = run("c1");
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(
        withoutFinishedLine(result.out),
        "creating problems...\n+----------------------------+\n" + std::string(30, 'o') + "\n");

    // One new file in the working directory: 30 problems of 16 x 12 in the compact form.
    std::vector<fs::path> written;
    for (const auto& entry : fs::directory_iterator(dir)) {
        if (entry.path().extension() == ".dat") written.push_back(entry.path());
    }
    ASSERT_EQ(written.size(), 1u);
    EXPECT_TRUE(std::regex_match(written[0].filename().string(),
                                 std::regex("[0-9]{8}_01\\(size1\\)\\.dat")))
        << written[0];
    int problems = 0;
    const varnel::ReadOutcome outcome = varnel::readProblems(
        readTextFile(written[0]), [&](const varnel::ClueGrid&, int32_t width, int32_t height) {
            EXPECT_EQ(width, 16);
            EXPECT_EQ(height, 12);
            ++problems;
        });
    EXPECT_EQ(outcome, varnel::ReadOutcome::COMPLETE);
    EXPECT_EQ(problems, 30);
}

}  // namespace
