#include "textio/answer_diagram.h"

#include <gtest/gtest.h>

#include <string>

namespace varnel {
namespace {

// A W x H board with the given clues (row-major, NO_BOARD_CLUE for none) and no relation but
// what the test adds, so the drawing is checked apart from any deduction.
void layOut(SolverBoard& board, int32_t width, int32_t height, const std::vector<uint8_t>& clues) {
    board.stride = width + 2;
    board.paddedHeight = height + 2;
    board.cellCount = board.stride * board.paddedHeight;
    board.ownClues.assign(static_cast<size_t>(board.cellCount), NO_BOARD_CLUE);
    board.clues = board.ownClues.data();
    board.ownsClues = 1;
    for (int32_t y = 0; y < height; ++y) {
        for (int32_t x = 0; x < width; ++x) {
            board.clues[board.cellIndex(x, y)] = clues[static_cast<size_t>(y * width + x)];
        }
    }
    board.uf.init(board.cellCount);
}

void relateBorderToOutside(SolverBoard& board) {
    for (int32_t c = 1; c < board.cellCount; ++c) {
        const int32_t x = c % board.stride;
        const int32_t y = c / board.stride;
        if (x == 0 || y == 0 || x == board.stride - 1 || y == board.paddedHeight - 1) {
            board.uf.relate(OUTSIDE, c, 1);
        }
    }
}

TEST(AnswerDiagram, DrawsTheLoopAroundATwoByTwoBoard) {
    SolverBoard board;
    layOut(board, 2, 2, {2, 2, 2, 2});
    relateBorderToOutside(board);
    const int32_t inside = board.cellIndex(0, 0);
    board.uf.relate(inside, OUTSIDE, 0);
    board.uf.relate(inside, board.cellIndex(1, 0), 1);
    board.uf.relate(inside, board.cellIndex(0, 1), 1);
    board.uf.relate(inside, board.cellIndex(1, 1), 1);

    EXPECT_EQ(formatDiagram(board),
              "・━・━・\n"
              "┃２ｘ２┃\n"
              "・ｘ・ｘ・\n"
              "┃２ｘ２┃\n"
              "・━・━・\n"
              "\n");
}

TEST(AnswerDiagram, UndecidedSidesAndEveryClueGlyph) {
    // Clue 0, no clue, 1 and an out-of-range value (drawn as 3). Only cell (0, 0) is known
    // inside, and the same as (1, 0); every other side is undecided and drawn as a full-width
    // space, so every line keeps its width.
    SolverBoard board;
    layOut(board, 2, 2, {0, NO_BOARD_CLUE, 1, 7});
    board.uf.relate(board.cellIndex(0, 0), board.cellIndex(0, 0) - 1, 0);
    board.uf.relate(board.cellIndex(0, 0), board.cellIndex(1, 0), 1);

    EXPECT_EQ(formatDiagram(board),
              "・　・　・\n"
              "┃０ｘ　　\n"
              "・　・　・\n"
              "　１　３　\n"
              "・　・　・\n"
              "\n");
}

}  // namespace
}  // namespace varnel
