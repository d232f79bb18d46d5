// Whole-program tests of varnel explain: the walkthrough in every form agrees with what check
// finds, --steps chooses steps, a player's board is read back and judged (mistakes, hints), and
// the exit status tells a finished walkthrough from an unfinished puzzle, a bad input or a bad
// command line.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "tests/support/scratch_run.h"

namespace {

using nlohmann::json;
using varnel::testing_support::linesOf;
using varnel::testing_support::ProgramRun;
using varnel::testing_support::ScratchDirectoryTest;

// A 5 x 5 easy puzzle; its answer goes down the left column and along the bottom row.
constexpr const char* PUZZLE = "5/5/5/.1.../..0../....0/.2.3./21..3/\n";

// The puzzle's board with two of the answer's lines (r1c1 top, r1c2 left), one line off the
// loop (r1c3 top) and one cross on it (r1c1 left).
constexpr const char* MISTAKEN_BOARD =
    "+---+   +---+   +   +\n"
    "x   | 1              \n"
    "+   +   +   +   +   +\n"
    "          0          \n"
    "+   +   +   +   +   +\n"
    "                  0  \n"
    "+   +   +   +   +   +\n"
    "      2       3      \n"
    "+   +   +   +   +   +\n"
    "  2   1           3  \n"
    "+   +   +   +   +   +\n";

class Explain : public ScratchDirectoryTest {
  protected:
    void SetUp() override {
        ScratchDirectoryTest::SetUp();
        file("p.txt", PUZZLE);
    }
    ProgramRun varnel(const std::string& args) { return shell("\"$VARNEL\" " + args); }

    // The objects of a --to json run, one per line.
    static std::vector<json> objectsOf(const std::string& out) {
        std::vector<json> objects;
        for (const std::string& line : linesOf(out))
            objects.push_back(json::parse(line));
        return objects;
    }
};

TEST_F(Explain, HelpNamesTheFormsTheOptionsAndTheStatuses) {
    const ProgramRun help = varnel("explain --help");
    EXPECT_EQ(help.status, 0);
    for (const char* word :
         {"--to", "--steps", "--progress", "--next", "--detail", "r3c5 top", "top-left",
          "Exit status", "  3  the puzzle has several answers", "  4  the puzzle has one answer"}) {
        EXPECT_NE(help.out.find(word), std::string::npos) << word;
    }
    EXPECT_NE(varnel("--help").out.find("explain"), std::string::npos);
}

TEST_F(Explain, TheWalkthroughEndsAtTheAnswerAndTheDifficultyCheckGives) {
    const ProgramRun run = varnel("explain p.txt");
    ASSERT_EQ(run.status, 0) << run.errors;
    const std::vector<std::string> lines = linesOf(run.out);
    ASSERT_GT(lines.size(), 12u);
    EXPECT_EQ(lines[0], "Walkthrough of the 5x5 puzzle from the empty board:");
    EXPECT_EQ(lines[1].rfind("1-2. easy, clue counting: ", 0), 0u) << lines[1];
    // The answer drawn at the end is the one convert draws.
    const ProgramRun answer = varnel("convert --to ascii --answer p.txt");
    ASSERT_EQ(answer.status, 0);
    const size_t drawn = run.out.find("Answer:\n");
    ASSERT_NE(drawn, std::string::npos);
    EXPECT_EQ(run.out.substr(drawn + 8) + "\n", answer.out);
    EXPECT_NE(run.out.find("Solved in 42 steps: difficulty easy (rating 1.29)."),
              std::string::npos);

    // --detail lists grouped steps one by one: one line per step.
    const ProgramRun detail = varnel("explain --detail p.txt");
    ASSERT_EQ(detail.status, 0);
    EXPECT_NE(detail.out.find("\n1. easy, zero: r2c3 is a 0, so its top, right, bottom and left "
                              "sides are crossed.\n2. easy, zero: r3c5 is a 0"),
              std::string::npos);
    EXPECT_NE(detail.out.find("\n42. easy, loop finished: "), std::string::npos);
}

TEST_F(Explain, JsonStepsAgreeWithTheSummaryAndWithCheck) {
    const ProgramRun run = varnel("explain --to json p.txt");
    ASSERT_EQ(run.status, 0) << run.errors;
    const std::vector<json> objects = objectsOf(run.out);
    ASSERT_EQ(objects.size(), 43u);
    std::map<std::string, int> counted;
    for (size_t i = 0; i + 1 < objects.size(); ++i) {
        const json& step = objects[i];
        EXPECT_EQ(step["step"], i + 1);
        EXPECT_TRUE(step["rank"].is_number_integer());
        for (const char* key : {"on", "off", "inside", "outside"})
            EXPECT_TRUE(step["decides"][key].is_array()) << key;
        for (const char* key : {"cells", "points", "sides"})
            EXPECT_TRUE(step["reads"][key].is_array()) << key;
        EXPECT_FALSE(step["text"].get<std::string>().empty());
        ++counted[step["technique"].get<std::string>()];
    }
    const json& summary = objects.back();
    EXPECT_EQ(summary["end"], "solved");
    EXPECT_EQ(summary["steps"], 42);
    const json check = json::parse(varnel("check --json p.txt").out);
    EXPECT_EQ(summary["difficulty"], check["difficulty"]);
    EXPECT_EQ(summary["answer"], check["answers"][0]);
    for (const auto& [name, count] : summary["techniques"].items())
        EXPECT_EQ(counted[name], count.get<int>()) << name;

    // The first step is the zero at r2c3, its four sides named as players read them.
    EXPECT_EQ(objects[0]["technique"], "zero");
    EXPECT_EQ(objects[0]["decides"]["off"],
              json({"r2c3 top", "r2c4 left", "r3c3 top", "r2c3 left"}));

    // --steps 2-3: those two steps; the end comes with the last step only.
    const std::vector<json> some = objectsOf(varnel("explain --to json --steps 2-3 p.txt").out);
    ASSERT_EQ(some.size(), 2u);
    EXPECT_EQ(some[0], objects[1]);
    EXPECT_EQ(some[1], objects[2]);
    const std::vector<json> last = objectsOf(varnel("explain --to json --steps 42- p.txt").out);
    ASSERT_EQ(last.size(), 2u);
    EXPECT_EQ(last[1], summary);
}

TEST_F(Explain, AsciiStagesAndSvgSheets) {
    // A board after each step above easy: the 5 x 5 puzzle has none, so only the answer's.
    ProgramRun run = varnel("explain --to ascii p.txt");
    ASSERT_EQ(run.status, 0) << run.errors;
    EXPECT_NE(run.out.find("Answer:\n"), std::string::npos);
    // examples/needs_trials.txt has steps above easy, each followed by its board.
    run = varnel("explain --to ascii " + std::string(VARNEL_TEST_DATA) +
                 "/../examples/needs_trials.txt");
    ASSERT_EQ(run.status, 0) << run.errors;
    EXPECT_NE(run.out.find("==="), std::string::npos);
    EXPECT_NE(run.out.find("\n+"), std::string::npos);

    // One sheet of up to six stages goes to standard output; several need a folder. A range of
    // easy steps only has a stage for each of them.
    run = varnel("explain --to svg p.txt");
    ASSERT_EQ(run.status, 0) << run.errors;
    EXPECT_EQ(run.out.rfind("<?xml", 0), 0u);
    run = varnel("explain --to svg --steps 1-6 p.txt");
    ASSERT_EQ(run.status, 0) << run.errors;
    EXPECT_NE(run.out.find("Step 6"), std::string::npos);
    run = varnel("explain --to svg --steps 1-13 p.txt");
    EXPECT_EQ(run.status, 2);
    EXPECT_NE(run.errors.find("-o DIR/"), std::string::npos);
    EXPECT_TRUE(run.out.empty());
    run = varnel("explain --to svg --steps 1-13 -o stages/ p.txt");
    ASSERT_EQ(run.status, 0) << run.errors;
    EXPECT_TRUE(std::filesystem::exists(dir / "stages" / "page-001.svg"));
    EXPECT_TRUE(std::filesystem::exists(dir / "stages" / "page-003.svg"));
    EXPECT_FALSE(std::filesystem::exists(dir / "stages" / "page-004.svg"));
}

TEST_F(Explain, APlayersMistakesComeFirstAndTheHintIsNewAndTrue) {
    file("mine.txt", MISTAKEN_BOARD);
    ProgramRun run = varnel("explain --next --progress mine.txt p.txt");
    EXPECT_EQ(run.status, 3) << run.errors;
    EXPECT_EQ(run.out,
              "Your board has 2 mistakes:\n"
              "  r1c3 top is drawn but cannot be on the loop\n"
              "  r1c1 left is crossed but is on the loop\n"
              "Next step: easy, zero: r2c3 is a 0, so its top, right, bottom and left sides are "
              "crossed.\n");

    // The same in JSON; the hint decides only sides the player left open.
    const std::vector<json> objects =
        objectsOf(varnel("explain --to json --next --progress mine.txt p.txt").out);
    ASSERT_EQ(objects.size(), 3u);
    EXPECT_EQ(objects[0]["mistake"], "r1c3 top");
    EXPECT_EQ(objects[0]["drawn"], "line");
    EXPECT_EQ(objects[1]["mistake"], "r1c1 left");
    EXPECT_EQ(objects[1]["drawn"], "cross");
    EXPECT_EQ(objects[2]["next"], "step");

    // Without --next the walkthrough goes on from the correct marks.
    run = varnel("explain --progress mine.txt p.txt");
    EXPECT_EQ(run.status, 3);
    EXPECT_NE(run.out.find("Walkthrough of the 5x5 puzzle from mine.txt (3 lines and 1 cross; 2 "
                           "mistakes left out):"),
              std::string::npos)
        << run.out;
    EXPECT_NE(run.out.find("Answer:"), std::string::npos);
}

TEST_F(Explain, TheBoardAStageDrawsReadsBackAsProgress) {
    // The answer drawn by convert: every line right, nothing to report, and the hint goes on.
    ASSERT_EQ(varnel("convert --to ascii --answer p.txt > answer.txt").status, 0);
    ProgramRun run = varnel("explain --next --progress answer.txt p.txt");
    EXPECT_EQ(run.status, 0) << run.errors;
    EXPECT_EQ(run.out.find("mistake"), std::string::npos);

    // The last board of an ascii walkthrough, with its marks of new sides, read back: the whole
    // answer with its crosses, so the hint says the puzzle is solved.
    run = varnel("explain --to ascii p.txt");
    const size_t drawn = run.out.find("Answer:\n");
    ASSERT_NE(drawn, std::string::npos);
    file("done.txt", run.out.substr(drawn + 8));
    run = varnel("explain --next --progress done.txt p.txt");
    EXPECT_EQ(run.status, 0) << run.errors;
    EXPECT_EQ(run.out.find("mistake"), std::string::npos);
    EXPECT_EQ(run.out.find("Next step"), std::string::npos) << run.out;
}

TEST_F(Explain, UnreadableBoardsAndCommandLinesAreRefused) {
    file("bad.txt", "+   +\n junk\n");
    ProgramRun run = varnel("explain --progress bad.txt p.txt");
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.errors.rfind("bad.txt:", 0), 0u) << run.errors;
    EXPECT_TRUE(run.out.empty());

    // A drawing of another puzzle: the clue that differs is positioned.
    std::string other = MISTAKEN_BOARD;
    other[other.find(" 1 ")] = ' ';
    other[other.find(" 1 ") + 1] = '2';
    file("other.txt", other);
    run = varnel("explain --progress other.txt p.txt");
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.errors.rfind("other.txt:2:", 0), 0u) << run.errors;

    EXPECT_EQ(varnel("explain --steps 5-2 p.txt").status, 2);
    EXPECT_EQ(varnel("explain --steps 0 p.txt").status, 2);
    run = varnel("explain --steps 99 p.txt");
    EXPECT_EQ(run.status, 2);
    EXPECT_NE(run.errors.find("the walkthrough has 42 steps"), std::string::npos);
    EXPECT_EQ(varnel("explain --to png p.txt").status, 2);
    EXPECT_EQ(varnel("explain missing.txt").status, 1);

    // An output that cannot be written leaves nothing behind.
    run = varnel("explain -o no/such/folder/out.txt p.txt");
    EXPECT_EQ(run.status, 1);
    EXPECT_FALSE(std::filesystem::exists(dir / "no"));
}

TEST_F(Explain, PuzzlesWithSeveralAnswersOrNoneStopWithTheReason) {
    const std::string examples = std::string(VARNEL_TEST_DATA) + "/../examples/";
    ProgramRun run = varnel("explain " + examples + "several_answers.txt");
    EXPECT_EQ(run.status, 3);
    EXPECT_NE(run.out.find("the puzzle has several answers: r5c4 top is a line in one and "
                           "crossed in another."),
              std::string::npos);
    const std::vector<json> objects =
        objectsOf(varnel("explain --to json " + examples + "several_answers.txt").out);
    ASSERT_FALSE(objects.empty());
    EXPECT_EQ(objects.back()["end"], "several answers");
    EXPECT_FALSE(objects.back().contains("answer"));

    run = varnel("explain " + examples + "no_answer.txt");
    EXPECT_EQ(run.status, 3);
    EXPECT_NE(run.out.find("no loop meets every clue: "), std::string::npos);

    // A hint on a puzzle with several answers is still a step all its answers share, and the
    // status says the puzzle is not sound.
    run = varnel("explain --next " + examples + "several_answers.txt");
    EXPECT_EQ(run.status, 3);
    EXPECT_EQ(run.out.rfind("Next step: easy, zero: ", 0), 0u) << run.out;
}

}  // namespace
