// A player's board: drawn with the ascii writer (its new sides marked or not) and read back as
// progress it is the same board; marks against the one answer are every planted mistake and
// nothing else; a drawing of another puzzle is refused where it differs.

#include "explain/progress_marks.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "checker/problem_check.h"
#include "explain/walkthrough.h"
#include "tests/explain/explain_test_data.h"
#include "textio/ascii_drawing.h"

namespace varnel {
namespace {

using testing_support::problemOf;
using testing_support::problemsIn;

std::vector<SideState> randomBoard(size_t sides, std::mt19937& random) {
    std::vector<SideState> board(sides);
    for (SideState& s : board)
        s = static_cast<SideState>(random() % 3);
    return board;
}

TEST(ProgressMarks, ABoardDrawnWithTheAsciiWriterReadsBackTheSame) {
    std::mt19937 random(5);
    int boards = 0;
    for (const InputProblem& p : problemsIn("ladder/data/loopy_normal.txt")) {
        const size_t count = static_cast<size_t>(sideCount(p.width, p.height));
        const std::vector<SideState> board = randomBoard(count, random);
        std::vector<uint8_t> marked(count);
        for (uint8_t& m : marked)
            m = random() % 4 == 0;
        for (const bool withMarks : {false, true}) {
            std::string text = "\n";  // blank lines around the drawing are skipped
            if (withMarks) {
                appendMarkedBoard(p.grid.data(), p.width, p.height, board.data(), marked.data(),
                                  text);
            } else {
                appendAsciiBoard(p.grid.data(), p.width, p.height, board.data(), text);
            }
            std::vector<SideState> read;
            std::vector<InputDiagnostic> diagnostics;
            ASSERT_TRUE(
                readProgress(text, "mine.txt", p.grid.data(), p.width, p.height, read, diagnostics))
                << (diagnostics.empty() ? "" : formatDiagnostic(diagnostics.front()));
            EXPECT_EQ(read, board);
            ++boards;
        }
    }
    EXPECT_EQ(boards, 120);
}

TEST(ProgressMarks, EveryPlantedMistakeIsFoundAndNoCorrectMark) {
    std::mt19937 random(11);
    int planted = 0;
    for (const InputProblem& p : problemsIn("ladder/data/loopy_hard.txt")) {
        const CheckResult check = checkProblem(p.grid.data(), p.width, p.height);
        ASSERT_EQ(check.verdict, Verdict::UNIQUE);
        const auto truth = answerSides(check.answers[0], p.width, p.height);
        // Some correct marks, then some of them and some open sides turned into mistakes.
        std::vector<SideState> drawn(truth.size(), SideState::OPEN);
        std::vector<int32_t> wrong;
        for (size_t s = 0; s < truth.size(); ++s) {
            const unsigned roll = random() % 100;
            if (roll < 50) drawn[s] = truth[s];
            if (roll >= 97) {
                drawn[s] = truth[s] == SideState::ON ? SideState::OFF : SideState::ON;
                wrong.push_back(static_cast<int32_t>(s));
            }
        }
        const std::vector<Mistake> mistakes = findMistakes(p.width, p.height, drawn, truth);
        std::vector<int32_t> found;
        for (const Mistake& m : mistakes) {
            found.push_back(m.side);
            EXPECT_EQ(m.drawn, drawn[m.side]);
        }
        std::sort(found.begin(), found.end());
        EXPECT_EQ(found, wrong);
        // Without them only correct marks are left.
        const std::vector<SideState> correct = withoutMistakes(drawn, mistakes);
        for (size_t s = 0; s < truth.size(); ++s) {
            if (correct[s] != SideState::OPEN) {
                EXPECT_EQ(correct[s], truth[s]);
            }
        }
        planted += static_cast<int>(wrong.size());
    }
    EXPECT_GT(planted, 300);
}

TEST(ProgressMarks, MistakesComeInReadingOrderAndSayWhatIsWrong) {
    // 2 x 2 board: sides numbered as in solver/side_grid.h.
    std::vector<SideState> truth(static_cast<size_t>(sideCount(2, 2)), SideState::OFF);
    std::vector<SideState> drawn(truth.size(), SideState::OPEN);
    truth[verticalSide(2, 2, 1, 1)] = SideState::ON;
    drawn[verticalSide(2, 2, 1, 1)] = SideState::OFF;  // r2c2 left, crossed but on the loop
    drawn[horizontalSide(2, 1, 1)] = SideState::ON;    // r2c2 top, drawn but off it
    drawn[horizontalSide(2, 0, 0)] = SideState::OFF;   // correct
    const std::vector<Mistake> mistakes = findMistakes(2, 2, drawn, truth);
    ASSERT_EQ(mistakes.size(), 2u);
    EXPECT_EQ(mistakeText(2, 2, mistakes[0]), "r2c2 top is drawn but cannot be on the loop");
    EXPECT_EQ(mistakeText(2, 2, mistakes[1]), "r2c2 left is crossed but is on the loop");
}

TEST(ProgressMarks, ADrawingOfAnotherPuzzleIsRefusedWhereItDiffers) {
    const InputProblem p = problemOf("1.2\n.3.\n3.2\n");
    std::vector<SideState> sides;
    std::vector<InputDiagnostic> diagnostics;
    // The clue of r2c2 drawn as 2, and r3c1 without its 3.
    const std::string other =
        "+   +   +   +\n"
        "  1       2  \n"
        "+   +---+   +\n"
        "      2      \n"
        "+   +   +   +\n"
        "          2  \n"
        "+   +   +   +\n";
    EXPECT_FALSE(readProgress(other, "mine.txt", p.grid.data(), 3, 3, sides, diagnostics));
    ASSERT_EQ(diagnostics.size(), 2u);
    EXPECT_EQ(formatDiagnostic(diagnostics[0]),
              "mine.txt:4:7: the drawing shows clue 2 at r2c2, the puzzle has 3");
    EXPECT_EQ(formatDiagnostic(diagnostics[1]),
              "mine.txt:6:3: the drawing shows no clue at r3c1, the puzzle has 3");

    diagnostics.clear();
    EXPECT_FALSE(readProgress("\n+   +   +\n  1   2  \n+   +   +\n", "mine.txt", p.grid.data(), 3,
                              3, sides, diagnostics));
    ASSERT_EQ(diagnostics.size(), 1u);
    EXPECT_EQ(formatDiagnostic(diagnostics[0]), "mine.txt:2:1: the drawing is 2x1, the puzzle 3x3");

    // A malformed drawing: the reader's own positioned message.
    diagnostics.clear();
    const std::string malformed =
        "+   +   +   +\n"
        "  1 ?     2  \n"
        "+   +   +   +\n";
    EXPECT_FALSE(readProgress(malformed, "mine.txt", p.grid.data(), 3, 3, sides, diagnostics));
    ASSERT_EQ(diagnostics.size(), 1u);
    EXPECT_EQ(diagnostics[0].line, 2);
    EXPECT_EQ(diagnostics[0].column, 5);
}

}  // namespace
}  // namespace varnel
