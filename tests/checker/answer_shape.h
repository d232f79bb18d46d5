#pragma once

// An answer checker of the tests' own, apart from the checker under test: it counts sides from
// the colours, and pieces by a flood over the board padded with a ring of outside cells.

#include <cstdint>
#include <vector>

#include "checker/clause_list.h"
#include "solver/cell_colours.h"
#include "solver/clue_grid.h"
#include "tests/support/loop_shape.h"

namespace varnel::testing_support {

// The colours on a (W + 2) x (H + 2) board whose outer ring is outside.
inline std::vector<uint8_t> padded(const CellColours& colours, int32_t width, int32_t height) {
    std::vector<uint8_t> board(static_cast<size_t>(width + 2) * (height + 2), 0);
    for (int32_t y = 0; y < height; ++y) {
        for (int32_t x = 0; x < width; ++x)
            board[(y + 1) * (width + 2) + x + 1] = colours[static_cast<size_t>(y) * width + x];
    }
    return board;
}

// Every cell's number of sides on the loop: its neighbours (beyond the grid: outside) of the
// other colour.
inline ClueGrid cluesOf(const CellColours& colours, int32_t width, int32_t height) {
    const std::vector<uint8_t> board = padded(colours, width, height);
    const int32_t s = width + 2;
    ClueGrid clues(colours.size());
    for (int32_t y = 0; y < height; ++y) {
        for (int32_t x = 0; x < width; ++x) {
            const int32_t c = (y + 1) * s + x + 1;
            clues[static_cast<size_t>(y) * width + x] =
                static_cast<uint8_t>((board[c] != board[c - 1]) + (board[c] != board[c + 1]) +
                                     (board[c] != board[c - s]) + (board[c] != board[c + s]));
        }
    }
    return clues;
}

inline bool meetsEveryClue(const ClueGrid& grid, const CellColours& colours, int32_t width,
                           int32_t height) {
    const ClueGrid sides = cluesOf(colours, width, height);
    for (size_t i = 0; i < grid.size(); ++i) {
        if (grid[i] != NO_CLUE && grid[i] != sides[i]) return false;
    }
    return true;
}

// True when some grid point has four loop sides: its four cells alternate round it.
inline bool hasFourSidePoint(const CellColours& colours, int32_t width, int32_t height) {
    const std::vector<uint8_t> board = padded(colours, width, height);
    const int32_t s = width + 2;
    // The point above-left of padded cell c has the cells c - s - 1, c - s, c, c - 1 round it.
    for (int32_t y = 1; y <= height + 1; ++y) {
        for (int32_t x = 1; x <= width + 1; ++x) {
            const int32_t c = y * s + x;
            if (board[c - s - 1] == board[c] && board[c - s] == board[c - 1] &&
                board[c] != board[c - 1])
                return true;
        }
    }
    return false;
}

// True when the colours draw exactly one loop: one inside piece and one outside piece, joined
// through cell sides, and no point touched four times.
inline bool isOneLoop(const CellColours& colours, int32_t width, int32_t height) {
    const std::vector<uint8_t> board = padded(colours, width, height);
    const int32_t first = firstInside(board);
    if (first < 0) return false;
    int32_t insideCells = 0;
    for (const uint8_t c : board)
        insideCells += c;
    const int32_t cells = static_cast<int32_t>(board.size());
    return floodCount(board, first, width + 2) == insideCells &&
           floodCount(board, 0, width + 2) == cells - insideCells &&
           !hasFourSidePoint(colours, width, height);
}

inline bool isAnswer(const ClueGrid& grid, const CellColours& colours, int32_t width,
                     int32_t height) {
    return meetsEveryClue(grid, colours, width, height) && isOneLoop(colours, width, height);
}

// The colouring of a grid of cells whose cell i has the colour of bit i of code.
inline CellColours colouringFromBits(uint32_t code, int32_t cells) {
    CellColours colours(static_cast<size_t>(cells));
    for (int32_t i = 0; i < cells; ++i)
        colours[i] = (code >> i) & 1;
    return colours;
}

// The number of clauses of clauses that colours satisfies (cell i is variable i + 1).
inline int32_t satisfiedClauseCount(const ClauseList& clauses, const CellColours& colours) {
    int32_t count = 0;
    bool satisfied = false;
    for (const int32_t literal : clauses.literals) {
        if (literal == 0) {
            count += satisfied;
            satisfied = false;
            continue;
        }
        const int32_t cell = (literal > 0 ? literal : -literal) - 1;
        if ((colours[cell] != 0) == (literal > 0)) satisfied = true;
    }
    return count;
}

inline bool satisfiesEveryClause(const ClauseList& clauses, const CellColours& colours) {
    return satisfiedClauseCount(clauses, colours) == clauses.clauseCount;
}

}  // namespace varnel::testing_support
