// Walkthroughs through the library: for every unique golden puzzle the steps put on the loop only
// sides of the answer check finds, cross only sides off it, and end at that answer; a player's
// board drawn by the library is read back, its planted mistakes named, and the hint is new.
#include "varnel/explain.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <set>
#include <string>
#include <vector>

#include "tests/support/text_file.h"
#include "varnel/varnel.h"

namespace {

namespace api = varnel::api;

// A side's name with "bottom" and "right" between two cells turned into the cell below's "top"
// and the cell right's "left", the names answerSides uses.
std::string sideKey(const std::string& name, int32_t width, int32_t height) {
    int row = 0;
    int column = 0;
    char where[16] = {};
    if (std::sscanf(name.c_str(), "r%dc%d %15s", &row, &column, where) != 3) return name;
    const std::string side = where;
    if (side == "bottom" && row < height) {
        return "r" + std::to_string(row + 1) + "c" + std::to_string(column) + " top";
    }
    if (side == "right" && column < width) {
        return "r" + std::to_string(row) + "c" + std::to_string(column + 1) + " left";
    }
    return name;
}

TEST(LibraryExplain, EveryUniqueGoldenWalkthroughAgreesWithTheCheck) {
    const std::string path = std::string(VARNEL_TEST_DATA) + "/golden/check/verdicts.txt";
    const api::ReadResult read =
        api::readPuzzles(varnel::testing_support::readTextFile(path), path);
    int unique = 0;
    for (const api::Puzzle& puzzle : read.puzzles) {
        const api::CheckResult check = api::check(puzzle, {false});
        if (check.verdict != api::Verdict::UNIQUE) continue;
        ++unique;
        const std::vector<std::string> onLoop = api::answerSides(check.answers[0]);
        const std::set<std::string> loop(onLoop.begin(), onLoop.end());
        const api::ExplainResult walk = api::explain(puzzle);
        const std::string name = path + ":" + std::to_string(unique);
        ASSERT_TRUE(walk.error.empty()) << walk.error;
        EXPECT_EQ(walk.end, "solved") << name << ": " << walk.reason;
        EXPECT_EQ(walk.answer, api::answerRows(check.answers[0])) << name;
        EXPECT_NE(walk.difficulty, "unfinished") << name;
        EXPECT_TRUE(walk.rank >= 1 && walk.rating >= walk.rank && walk.rating < walk.rank + 1)
            << name;
        for (size_t i = 0; i < walk.steps.size(); ++i) {
            const api::ExplainStep& step = walk.steps[i];
            EXPECT_EQ(step.number, static_cast<int32_t>(i + 1));
            for (const std::string& side : step.on)
                EXPECT_EQ(loop.count(sideKey(side, puzzle.width, puzzle.height)), 1u)
                    << name << " step " << step.number << ": " << side;
            for (const std::string& side : step.off)
                EXPECT_EQ(loop.count(sideKey(side, puzzle.width, puzzle.height)), 0u)
                    << name << " step " << step.number << ": " << side;
        }
    }
    EXPECT_EQ(unique, 44);
}

TEST(LibraryExplain, APlayersBoardItsMistakesAndTheHint) {
    const api::Puzzle puzzle =
        api::readPuzzles("5/5/5/.1.../..0../....0/.2.3./21..3/\n", "p").puzzles.at(0);
    const api::CheckResult check = api::check(puzzle, {false});
    api::WriteOptions drawing;
    drawing.form = api::Form::ASCII;
    drawing.answers = {check.answers[0]};
    const std::string answer = api::writePuzzle(puzzle, drawing).text;

    // The whole loop drawn: nothing wrong, and the hint crosses sides still open.
    api::ExplainOptions options;
    options.progress = answer;
    options.next = true;
    api::ExplainResult hint = api::explain(puzzle, options);
    ASSERT_TRUE(hint.error.empty()) << hint.error;
    EXPECT_TRUE(hint.mistakes.empty());
    ASSERT_EQ(hint.end, "step");
    ASSERT_EQ(hint.steps.size(), 1u);
    EXPECT_TRUE(hint.steps[0].on.empty());
    EXPECT_FALSE(hint.steps[0].off.empty());

    // A line of the loop crossed (r1c1 top) and a line drawn beside the 0 at r2c3.
    std::string planted = answer;
    planted.replace(planted.find("---"), 3, " x ");
    planted.replace(3 * 22 + 8, 1, "|");
    options.progress = planted;
    hint = api::explain(puzzle, options);
    ASSERT_TRUE(hint.error.empty()) << hint.error;
    EXPECT_EQ(hint.mistakes, std::vector<std::string>({"r1c1 top is crossed but is on the loop",
                                                       "r2c3 left is drawn but cannot be on the "
                                                       "loop"}));
    EXPECT_EQ(hint.end, "step");
    EXPECT_EQ(hint.text.rfind("Your board has 2 mistakes:\n", 0), 0u) << hint.text;

    // Without next: the walkthrough from the correct marks reaches the answer.
    options.next = false;
    const api::ExplainResult walk = api::explain(puzzle, options);
    EXPECT_EQ(walk.end, "solved");
    EXPECT_EQ(walk.answer, api::answerRows(check.answers[0]));
    // It starts, as varnel explain says, from the board with what it holds.
    EXPECT_NE(walk.text.find("from <progress> (22 lines and 1 cross; 2 mistakes left out):\n"),
              std::string::npos)
        << walk.text;

    // A drawing of another size cannot be read: positioned diagnostics, nothing explained.
    options.progress = "+   +\n     \n+   +\n";
    options.progressSource = "mine.txt";
    const api::ExplainResult bad = api::explain(puzzle, options);
    EXPECT_EQ(bad.error.rfind("mine.txt:", 0), 0u) << bad.error;
    EXPECT_FALSE(bad.diagnostics.empty());
    EXPECT_TRUE(bad.steps.empty());
}

}  // namespace
