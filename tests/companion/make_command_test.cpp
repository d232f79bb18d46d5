// Whole-program tests of varnel make: the built binary run with small sizes and counts, its
// output, messages and exit statuses checked.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "checker/problem_check.h"
#include "creator/grading.h"
#include "ladder/difficulty.h"
#include "solver/solve_entry.h"
#include "tests/support/scratch_run.h"
#include "tests/support/text_file.h"
#include "textio/compact_line.h"

namespace {

using varnel::testing_support::linesOf;
using varnel::testing_support::ProgramRun;
using varnel::testing_support::readTextFile;
using varnel::testing_support::ScratchDirectoryTest;

namespace fs = std::filesystem;

const std::string VARNEL = VARNEL_BINARY;

// A scratch directory per test, removed afterwards.
class Make : public ScratchDirectoryTest {
  protected:
    ProgramRun varnel(const std::string& args) { return shell("\"$VARNEL\" make " + args); }

    // Names in the scratch directory, hidden temporary files included.
    std::set<std::string> names() {
        std::set<std::string> found;
        for (const auto& entry : fs::directory_iterator(dir))
            found.insert(entry.path().filename().string());
        return found;
    }
};

// One batch, three ways: one thread, several threads, and two slices made apart and joined; on a
// size of each builder.
TEST_F(Make, SlicesAndThreadsGiveTheSameBytes) {
    for (const std::string size : {"9x7", "16x12 --builder region", "16x12"}) {
        const int count = size == "16x12" ? 4 : 10;
        const std::string batch = "--size " + size + " --seed 4242 ";
        const ProgramRun one = varnel(batch + "--count " + std::to_string(count) + " --jobs 1");
        ASSERT_EQ(one.status, 0) << one.errors;
        EXPECT_EQ(one.errors, "");
        EXPECT_EQ(linesOf(one.out).size(), static_cast<size_t>(count));
        const ProgramRun many = varnel(batch + "--count " + std::to_string(count) + " --jobs 3");
        EXPECT_EQ(many.out, one.out) << size;
        const ProgramRun head = varnel(batch + "--first 0 --count 3 --jobs 2");
        const ProgramRun tail =
            varnel(batch + "--first 3 --count " + std::to_string(count - 3) + " --jobs 2");
        ASSERT_EQ(head.status, 0);
        ASSERT_EQ(tail.status, 0);
        EXPECT_EQ(head.out + tail.out, one.out) << size;
        // A lone problem judges its candidates on all the threads: still the same problem.
        const ProgramRun lone = varnel(batch + "--first 2 --count 1 --jobs 3");
        ASSERT_EQ(lone.status, 0) << lone.errors;
        EXPECT_EQ(lone.out, linesOf(one.out)[2] + "\n") << size;
        // Another seed makes another batch.
        EXPECT_NE(varnel("--size " + size + " --seed 4243 --count 3").out.substr(0, 40),
                  one.out.substr(0, 40));
    }
}

// Every problem has the asked size and level, the level that grading it afresh gives, and exactly
// one answer by the program's solver; all problems differ.
TEST_F(Make, EveryProblemHasItsSizeAndLevelAndOneAnswer) {
    struct Ask {
        int w, h;
        const char* levels;
        int lowest, highest;
    };
    for (const Ask ask : {Ask{8, 6, "--levels 2-4", 2, 4}, Ask{5, 11, "--level 1", 1, 1},
                          Ask{12, 4, "--level 5", 5, 5}}) {
        const std::string size = std::to_string(ask.w) + "x" + std::to_string(ask.h);
        const ProgramRun run =
            varnel("--size " + size + " --count 8 --seed 99 " + std::string(ask.levels));
        ASSERT_EQ(run.status, 0) << run.errors;
        const std::vector<std::string> lines = linesOf(run.out);
        ASSERT_EQ(lines.size(), 8u) << size;
        std::set<std::string> distinct(lines.begin(), lines.end());
        EXPECT_EQ(distinct.size(), lines.size()) << size;
        for (const std::string& line : lines) {
            varnel::LineProblem problem;
            std::vector<varnel::LineIssue> issues;
            ASSERT_TRUE(varnel::decodeCompactLine(line, problem, issues)) << line;
            EXPECT_EQ(problem.width, ask.w) << line;
            EXPECT_EQ(problem.height, ask.h) << line;
            EXPECT_GE(problem.level, ask.lowest) << line;
            EXPECT_LE(problem.level, ask.highest) << line;
            const varnel::ProblemGrade grade =
                varnel::gradeProblem(problem.grid.data(), problem.width, problem.height);
            EXPECT_EQ(grade.level, problem.level) << line;
            const varnel::SolveSummary summary =
                varnel::solveClues(problem.grid.data(), problem.width, problem.height, nullptr);
            EXPECT_EQ(summary.answerCount, 1) << line;
        }
    }
}

// Problems made for a difficulty have exactly one answer (the complete check) and are rated that
// difficulty by the ladder; their compact lines carry the creator's level; a range holds; and a
// batch is the same however it is made.
TEST_F(Make, DifficultyProblemsAreUniqueAndRatedAsAsked) {
    struct Ask {
        const char* size;
        const char* option;
        int lowest, highest;
    };
    for (const Ask ask :
         {Ask{"7x7", "--difficulty easy", 1, 1}, Ask{"10x10", "--difficulty 2", 2, 2},
          Ask{"9x11", "--difficulty hard", 3, 3}, Ask{"8x8", "--difficulties easy-medium", 1, 2}}) {
        const std::string batch =
            "--size " + std::string(ask.size) + " --seed 31 --count 6 " + std::string(ask.option);
        const ProgramRun run = varnel(batch + " --jobs 2");
        ASSERT_EQ(run.status, 0) << batch << "\n" << run.errors;
        const std::vector<std::string> lines = linesOf(run.out);
        ASSERT_EQ(lines.size(), 6u) << batch;
        for (const std::string& line : lines) {
            varnel::LineProblem problem;
            std::vector<varnel::LineIssue> issues;
            ASSERT_TRUE(varnel::decodeCompactLine(line, problem, issues)) << line;
            const varnel::CheckResult check =
                varnel::checkProblem(problem.grid.data(), problem.width, problem.height);
            EXPECT_EQ(check.verdict, varnel::Verdict::UNIQUE) << line;
            const varnel::Difficulty difficulty =
                varnel::gradeDifficulty(problem.grid.data(), problem.width, problem.height);
            ASSERT_EQ(difficulty.end, varnel::DifficultyEnd::RATED) << line;
            EXPECT_GE(difficulty.rank, ask.lowest) << line;
            EXPECT_LE(difficulty.rank, ask.highest) << line;
            EXPECT_EQ(problem.level,
                      varnel::gradeLevel(problem.grid.data(), problem.width, problem.height))
                << line;
        }
        const ProgramRun tail =
            varnel(batch.substr(0, batch.find("--count")) + "--count 2 --first 4 " +
                   std::string(ask.option) + " --jobs 1");
        EXPECT_EQ(tail.out, lines[4] + "\n" + lines[5] + "\n") << batch;
    }
    // A difficulty a tiny board cannot reach: status 3, what the tries made, nothing written.
    const ProgramRun miss = varnel("--size 3x3 --difficulty extreme --max-tries 5 --seed 1");
    EXPECT_EQ(miss.status, 3) << miss.errors;
    EXPECT_EQ(miss.out, "");
    EXPECT_NE(miss.errors.find("no 3x3 problem of difficulty extreme in 5 tries, which made "),
              std::string::npos)
        << miss.errors;
}

// The recipe for spreading a batch: slices made by GNU parallel and joined in order are the batch.
TEST_F(Make, GnuParallelSlicesJoinIntoTheBatch) {
    if (std::system("parallel --version >/dev/null 2>&1") != 0) {
        GTEST_SKIP() << "GNU parallel is not installed (Debian: apt-get install parallel)";
    }
    const ProgramRun sliced = shell(
        "parallel --will-cite -k \"$VARNEL\" make --size 11x6 --seed 77 --count 4 --first {} "
        "--jobs 1 ::: 0 4 8");
    ASSERT_EQ(sliced.status, 0) << sliced.errors;
    const ProgramRun whole = varnel("--size 11x6 --seed 77 --count 12");
    ASSERT_EQ(whole.status, 0);
    EXPECT_EQ(linesOf(whole.out).size(), 12u);
    EXPECT_EQ(sliced.out, whole.out);
}

// Without --seed the clock gives one, printed so that the batch can be made again.
TEST_F(Make, ClockSeedIsPrintedAndMakesTheBatchAgain) {
    const ProgramRun run = varnel("--size 6x6 --count 3");
    ASSERT_EQ(run.status, 0);
    std::smatch match;
    ASSERT_TRUE(std::regex_search(run.errors, match, std::regex("seed ([0-9]+) "))) << run.errors;
    EXPECT_EQ(varnel("--size 6x6 --count 3 --seed " + match[1].str()).out, run.out);
}

// Output to a file equals standard output; a target that cannot be written fails at once with
// status 1, and nothing is left behind.
TEST_F(Make, OutputFilesAreWholeOrAbsent) {
    const ProgramRun out = varnel("--size 7x5 --count 3 --seed 1 --to url");
    ASSERT_EQ(out.status, 0);
    EXPECT_EQ(linesOf(out.out).size(), 3u);
    EXPECT_EQ(out.out.rfind("https://puzz.link/p?slither/7/5/", 0), 0u) << out.out;
    const ProgramRun file = varnel("--size 7x5 --count 3 --seed 1 --to url -o made.txt");
    ASSERT_EQ(file.status, 0);
    EXPECT_EQ(file.out, "");
    EXPECT_EQ(readTextFile(dir / "made.txt"), out.out);

    const ProgramRun missing = varnel("--size 30x30 --count 50 --seed 1 -o no/such/made.txt");
    EXPECT_EQ(missing.status, 1);
    EXPECT_NE(missing.errors.find("cannot write no/such/made.txt"), std::string::npos)
        << missing.errors;
    if (fs::exists("/dev/full")) {
        const ProgramRun full = shell("\"$VARNEL\" make --size 6x6 --count 2 --seed 1 >/dev/full");
        EXPECT_EQ(full.status, 1);
        EXPECT_NE(full.errors.find("cannot write standard output"), std::string::npos);
    }
    // A level never reached: status 3, the levels reached named, no file.
    const ProgramRun miss =
        varnel("--size 7x7 --level 3 --max-tries 30 --seed 1 --count 2 -o never.txt");
    EXPECT_EQ(miss.status, 3);
    EXPECT_NE(miss.errors.find("no 7x7 problem of level 3 in 30 tries; "), std::string::npos)
        << miss.errors;
    // It says how many tries kept a problem, and those add up to the levels they reached.
    std::smatch kept;
    ASSERT_TRUE(std::regex_search(miss.errors, kept,
                                  std::regex("; ([0-9]+) of them kept a problem \\(([^)]*)\\)")))
        << miss.errors;
    int levelsSum = 0;
    const std::string levels = kept[2].str();
    const std::regex reached("([0-9]+) of level [1-5]");
    for (auto it = std::sregex_iterator(levels.begin(), levels.end(), reached);
         it != std::sregex_iterator(); ++it) {
        levelsSum += std::stoi((*it)[1]);
    }
    EXPECT_EQ(levelsSum, std::stoi(kept[1].str())) << miss.errors;
    EXPECT_GT(levelsSum, 0);
    EXPECT_LT(levelsSum, 30) << "some tries of a 7x7 board keep no problem";
    EXPECT_NE(levels.find("of level 1"), std::string::npos) << miss.errors;
    EXPECT_EQ(names(), (std::set<std::string>{"made.txt"}));
}

// Pictures of a slice carry the problems' numbers in the batch, so slices never collide.
TEST_F(Make, PicturesOfASliceAreNumberedInTheBatch) {
    const ProgramRun run = varnel("--size 5x5 --seed 3 --first 6 --count 2 --to svg -o pics/");
    ASSERT_EQ(run.status, 0) << run.errors;
    std::set<std::string> files;
    for (const auto& entry : fs::directory_iterator(dir / "pics"))
        files.insert(entry.path().filename().string());
    EXPECT_EQ(files, (std::set<std::string>{"007.svg", "008.svg"}));
    EXPECT_NE(readTextFile(dir / "pics" / "007.svg").find("No. 7"), std::string::npos);
}

// Wrong command lines end with status 2 before any work, saying what is wrong.
TEST_F(Make, UsageErrorsAreRefusedBeforeAnyWork) {
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"", "--size is required"},
        {"--size 10", "expected WxH"},
        {"--size 10x", "expected WxH"},
        {"--size x10", "expected WxH"},
        {"--size -3x10", "expected WxH"},
        {"--size 2x10", "at least 3"},
        {"--size 200x200", "too large"},
        {"--size 99999999999999999999999x3", "too large"},
        {"--size 10x10 --seed -1", "expected a decimal number"},
        {"--size 10x10 --seed 0x10", "expected a decimal number"},
        // Seeds past 2^64 - 1 are refused, never read as another seed.
        {"--size 10x10 --seed 18446744073709551616", "out of range"},
        {"--size 10x10 --seed 99999999999999999999999999", "out of range"},
        {"--size 10x10 --count 18446744073709551616", "out of range"},
        {"--size 10x10 --count 1000001", "out of range"},
        {"--size 10x10 --level 6", "out of range"},
        {"--size 10x10 --levels 4-2", "must not exceed"},
        {"--size 10x10 --level 3 --levels 1-2", "excludes"},
        {"--size 10x10 --builder strip", "multiples of 4"},
        {"--size 10x10 --builder loops", "--builder"},
        {"--size 10x10 --first 5", "need its --seed"},
        {"--size 10x10 --jobs 0", "out of range"},
        {"--size 10x10 --max-tries 0", "out of range"},
        {"--size 10x10 --seed 1 --first 18446744073709551615 --count 2", "out of range"},
        {"--size 40x40 --count 2 --to svg", "write them to a folder"},
        {"--size 10x10 --default-level 2", "default-level"},
        {"--size 10x10 --difficulty tough", "not a difficulty"},
        {"--size 10x10 --difficulty 6", "not a difficulty"},
        {"--size 10x10 --difficulties hard-easy", "must not be harder"},
        {"--size 10x10 --difficulty easy --level 2", "excludes"},
        {"--size 10x10 --difficulty easy --difficulties 1-2", "excludes"},
    };
    for (const auto& [args, message] : cases) {
        const ProgramRun run = varnel(args);
        EXPECT_EQ(run.status, 2) << args << "\n" << run.errors;
        EXPECT_EQ(run.out, "") << args;
        EXPECT_NE(run.errors.find(message), std::string::npos) << args << "\n" << run.errors;
    }
    // The largest seed is still a seed.
    const ProgramRun largest = varnel("--size 5x5 --seed 18446744073709551615");
    EXPECT_EQ(largest.status, 0) << largest.errors;
    EXPECT_EQ(largest.out.find("/5/5/"), 1u) << largest.out;
}

}  // namespace
