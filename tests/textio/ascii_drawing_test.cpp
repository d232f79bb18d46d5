#include "textio/ascii_drawing.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "solver/cell_colours.h"
#include "solver/clue_grid.h"
#include "solver/solve_entry.h"
#include "tests/support/text_file.h"
#include "textio/problem_reader.h"

namespace varnel {
namespace {

std::vector<std::string> linesOf(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

TEST(AsciiDrawing, TwoByTwoBoardWithAndWithoutItsAnswer) {
    const uint8_t grid[4] = {2, 2, 2, 2};
    const uint8_t inside[4] = {1, 1, 1, 1};
    std::string withAnswer;
    appendAsciiDrawing(grid, 2, 2, inside, withAnswer);
    EXPECT_EQ(withAnswer,
              "+---+---+\n"
              "| 2   2 |\n"
              "+   +   +\n"
              "| 2   2 |\n"
              "+---+---+\n");

    // Clues only; appending keeps what was there.
    std::string cluesOnly = "x";
    appendAsciiDrawing(grid, 2, 2, nullptr, cluesOnly);
    EXPECT_EQ(cluesOnly,
              "x+   +   +\n"
              "  2   2  \n"
              "+   +   +\n"
              "  2   2  \n"
              "+   +   +\n");
}

TEST(AsciiDrawing, CellsWithoutClueAndNothingForAnEmptySize) {
    // A 3 x 1 board, the middle cell alone inside; NO_CLUE and any value past 3 draw as blank.
    const uint8_t grid[3] = {0, NO_CLUE, 200};
    const uint8_t inside[3] = {0, 1, 0};
    std::string out;
    appendAsciiDrawing(grid, 3, 1, inside, out);
    EXPECT_EQ(out,
              "+   +---+   +\n"
              "  0 |   |    \n"
              "+   +---+   +\n");

    std::string empty;
    appendAsciiDrawing(grid, 0, 3, inside, empty);
    appendAsciiDrawing(grid, 3, -1, inside, empty);
    EXPECT_EQ(empty, "");
}

// The solver's answers of the golden problems, drawn: every line has the same length, and the
// loop sides drawn around each clue number exactly the clue, read back from the picture alone.
TEST(AsciiDrawing, DrawnAnswersShowEveryClueItsCount) {
    const std::filesystem::path plain =
        std::filesystem::path(VARNEL_TEST_DATA) / "golden" / "solve" / "plain.txt";
    const std::string text = testing_support::readTextFile(plain);
    int drawn = 0;
    readProblems(text, [&](const ClueGrid& grid, int32_t width, int32_t height) {
        CellColours answer;
        const AnswerPrinter keep = [&](const SolverBoard& board) { answer = coloursOf(board); };
        solveClues(grid.data(), width, height, &keep);
        ASSERT_EQ(answer.size(), grid.size());

        std::string out;
        appendAsciiDrawing(grid.data(), width, height, answer.data(), out);
        const std::vector<std::string> lines = linesOf(out);
        ASSERT_EQ(lines.size(), static_cast<size_t>(2 * height + 1));
        for (const std::string& line : lines)
            EXPECT_EQ(line.size(), 4u * width + 1);

        for (int32_t y = 0; y < height; ++y) {
            for (int32_t x = 0; x < width; ++x) {
                const uint8_t clue = grid[static_cast<size_t>(y * width + x)];
                const std::string& cellLine = lines[static_cast<size_t>(2 * y + 1)];
                const size_t left = static_cast<size_t>(4 * x);
                EXPECT_EQ(cellLine[left + 2], clue <= 3 ? '0' + clue : ' ');
                if (clue > 3) continue;
                const int sides = (lines[2 * y][left + 1] == '-') +
                                  (lines[2 * y + 2][left + 1] == '-') + (cellLine[left] == '|') +
                                  (cellLine[left + 4] == '|');
                EXPECT_EQ(sides, clue) << "cell (" << x << ", " << y << ")";
            }
        }
        ++drawn;
    });
    EXPECT_EQ(drawn, 6);
}

}  // namespace
}  // namespace varnel
