#include "textio/ascii_reading.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "solver/side_grid.h"
#include "textio/ascii_drawing.h"

namespace varnel {
namespace {

// The drawing of every state of a 2 x 1 board: a line, a cross and an open side in each kind of
// place, clues and a cell without one.
TEST(AsciiBoard, LinesCrossesAndOpenSidesInTheirPlaces) {
    const uint8_t grid[2] = {3, NO_CLUE};
    std::vector<SideState> sides(static_cast<size_t>(sideCount(2, 1)), SideState::OPEN);
    sides[horizontalSide(2, 0, 0)] = SideState::ON;
    sides[horizontalSide(2, 1, 0)] = SideState::OFF;
    sides[horizontalSide(2, 0, 1)] = SideState::ON;
    sides[verticalSide(2, 1, 0, 0)] = SideState::ON;
    sides[verticalSide(2, 1, 1, 0)] = SideState::OFF;
    std::string out;
    appendAsciiBoard(grid, 2, 1, sides.data(), out);
    EXPECT_EQ(out,
              "+---+ x +\n"
              "| 3 x    \n"
              "+---+   +\n");

    DrawnBoard board;
    std::vector<InputDiagnostic> diagnostics;
    ASSERT_TRUE(readAsciiDrawing(out, "b.txt", board, diagnostics));
    EXPECT_EQ(board.width, 2);
    EXPECT_EQ(board.height, 1);
    EXPECT_EQ(board.grid, ClueGrid(grid, grid + 2));
    EXPECT_EQ(board.sides, sides);
}

// Random boards of many shapes, every side in a random state, drawn and read back: the same
// size, clues and states, also with the line ends and trailing blanks editors change.
TEST(AsciiBoard, RandomBoardsReadBackAsDrawn) {
    std::mt19937 random(18);
    for (int round = 0; round < 200; ++round) {
        const int32_t width = 1 + static_cast<int32_t>(random() % 12);
        const int32_t height = 1 + static_cast<int32_t>(random() % 9);
        ClueGrid grid(static_cast<size_t>(width) * height);
        for (uint8_t& clue : grid)
            clue = static_cast<uint8_t>(random() % 5);  // 4 is NO_CLUE
        std::vector<SideState> sides(static_cast<size_t>(sideCount(width, height)));
        for (SideState& side : sides)
            side = static_cast<SideState>(random() % 3);
        std::string drawing;
        appendAsciiBoard(grid.data(), width, height, sides.data(), drawing);

        std::string edited = "\n  \n";  // blank lines before, CR LF, trailing blanks cut
        for (size_t at = 0; at < drawing.size();) {
            const size_t end = drawing.find('\n', at);
            std::string line = drawing.substr(at, end - at);
            if (round % 2 == 1) line.erase(line.find_last_not_of(' ') + 1);
            edited += line + (round % 3 == 0 ? "\r\n" : "\n");
            at = end + 1;
        }
        edited += "\n\t\n";

        for (const std::string& text : {drawing, edited}) {
            DrawnBoard board;
            std::vector<InputDiagnostic> diagnostics;
            ASSERT_TRUE(readAsciiDrawing(text, "r.txt", board, diagnostics))
                << text << (diagnostics.empty() ? "" : formatDiagnostic(diagnostics[0]));
            EXPECT_EQ(board.width, width);
            EXPECT_EQ(board.height, height);
            EXPECT_EQ(board.grid, grid);
            EXPECT_EQ(board.sides, sides);
        }
    }
}

// The answer drawings of appendAsciiDrawing read back with the loop as ON and everything else
// OPEN: what `varnel convert --to ascii --answer` writes is a drawing without crosses.
TEST(AsciiBoard, AnswerDrawingsReadAsLinesWithoutCrosses) {
    const uint8_t grid[6] = {2, NO_CLUE, 3, 0, 1, NO_CLUE};
    const uint8_t inside[6] = {1, 1, 0, 0, 1, 0};
    std::string drawing;
    appendAsciiDrawing(grid, 3, 2, inside, drawing);
    DrawnBoard board;
    std::vector<InputDiagnostic> diagnostics;
    ASSERT_TRUE(readAsciiDrawing(drawing, "a.txt", board, diagnostics));
    const std::vector<SideState> loop = sidesOfColours(inside, 3, 2);
    for (size_t s = 0; s < loop.size(); ++s)
        EXPECT_EQ(board.sides[s], loop[s] == SideState::ON ? SideState::ON : SideState::OPEN) << s;
}

struct Malformed {
    std::string text;
    std::string diagnostic;  // the first one, formatted
};

TEST(AsciiBoard, MalformedDrawingsArePositioned) {
    const std::vector<Malformed> cases = {
        {"", "d.txt:1:1: no drawing in this input"},
        {" +---+\n|   |\n+---+\n",
         "d.txt:1:1: expected '+', the top-left grid point of a drawing, found a space"},
        {"+---+--\n",
         "d.txt:1:8: the first line of grid points ends inside a side: a drawing W "
         "cells wide has lines of 4W + 1 columns, '+' every 4 columns"},
        {"+---+\n| 2 |\n",
         "d.txt:3:1: the drawing ends with a line of cells; expected a last "
         "line of grid points"},
        {"+---+---+\n| 2     |\n+-x-+   +\n",
         "d.txt:3:2: expected '---' (a line), ' x ' (a cross) or three spaces for the side r1c1 "
         "bottom, found '-x-'"},
        {"+---+---+\n| 2     |\n+---+---\n",
         "d.txt:3:9: the line of grid points ends after 8 columns; the drawing is 2 cells, 9 "
         "columns wide"},
        {"+---+\n| 4 |\n+---+\n", "d.txt:2:3: '4' in r1c1 is not a clue (clues are 0 to 3)"},
        {"+---+\n| . |\n+---+\n",
         "d.txt:2:3: expected a clue 0 to 3 or a space in r1c1, found '.'"},
        {"+---+\n|2  |\n+---+\n", "d.txt:2:2: expected a space beside the clue of r1c1, found '2'"},
        {"+---+\n/ 1 |\n+---+\n",
         "d.txt:2:1: expected '|' (a line), 'x' (a cross) or a space for the side r1c1 left, "
         "found '/'"},
        {"+---+\n| 1 | |\n+---+\n",
         "d.txt:2:6: expected the end of the line (the drawing is 1 cells wide), found a space"},
        {"+---+\n| 1 |\n*---+\n", "d.txt:3:1: expected '+' (a grid point), found '*'"},
        {"+---+\n| 1 |\n\n",
         "d.txt:3:1: the drawing ends with a line of cells; expected a last "
         "line of grid points"},
        {"+---+\n| 1 |\n   \n| 1 |\n+---+\n",
         "d.txt:3:1: expected a line of grid points ('+' every 4 columns), found a blank line"},
    };
    for (const Malformed& c : cases) {
        DrawnBoard board;
        std::vector<InputDiagnostic> diagnostics;
        EXPECT_FALSE(readAsciiDrawing(c.text, "d.txt", board, diagnostics)) << c.text;
        ASSERT_FALSE(diagnostics.empty()) << c.text;
        EXPECT_EQ(formatDiagnostic(diagnostics.front()), c.diagnostic);
    }
}

// Each faulty line is reported, at most the input's cap of them; a board past the solver's
// labels is refused before anything is allocated for it.
TEST(AsciiBoard, ManyFaultsAreCappedAndHugeBoardsRefused) {
    std::string text = "+---+\n";
    for (int i = 0; i < 300; ++i)
        text += "| 5 |\n+---+\n";
    DrawnBoard board;
    std::vector<InputDiagnostic> diagnostics;
    EXPECT_FALSE(readAsciiDrawing(text, "m.txt", board, diagnostics));
    ASSERT_EQ(diagnostics.size(), MAX_DIAGNOSTICS_PER_INPUT + 1);
    EXPECT_EQ(diagnostics.back().message, "more errors in this input not shown");

    std::string wide = "+";
    for (int i = 0; i < 40000; ++i)
        wide += "---+";
    diagnostics.clear();
    EXPECT_FALSE(readAsciiDrawing(wide + "\n|\n" + wide + "\n", "w.txt", board, diagnostics));
    ASSERT_EQ(diagnostics.size(), 1u);
    EXPECT_NE(diagnostics[0].message.find("beyond the solver's limit"), std::string::npos);
}

}  // namespace
}  // namespace varnel
