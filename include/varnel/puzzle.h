#pragma once

// A puzzle as the library hands it around: a W x H grid of cells, some of which hold a clue
// from 0 to 3. Its answer is one closed loop along the cell sides, never crossing or touching
// itself, such that every clue counts the sides of its cell that lie on the loop.

#include <cstdint>
#include <string>
#include <vector>

#include "varnel/export.h"

namespace varnel::api {

// The clue of a cell without one.
inline constexpr int8_t NO_CLUE = -1;

struct Puzzle {
    int32_t width = 0;          // cells per row, at least 1
    int32_t height = 0;         // rows, at least 1; (width + 2) x (height + 2) at most 32767
    std::vector<int8_t> clues;  // width x height, row by row from the top left: 0..3 or NO_CLUE
    int32_t level = 0;          // 1..5 when known (a compact line's, or a made puzzle's), else 0
    std::string source;         // where it was read: a file name, "<text>", the argument itself;
                                // for a made puzzle "seed S problem"
    int64_t line = 0;           // 1-based line of source where it starts; a made puzzle's index
};

// The clue of cell (x, y), column x and row y from 0 at the top left: 0..3 or NO_CLUE.
inline int8_t clueAt(const Puzzle& puzzle, int32_t x, int32_t y) {
    return puzzle
        .clues[static_cast<size_t>(y) * static_cast<size_t>(puzzle.width) + static_cast<size_t>(x)];
}

// What makes a puzzle record unusable, for the functions that take one: a size below 1 or past
// the solver's limit, clues that do not fill the grid, a clue outside 0..3 ("clue 5 at r1c2 is
// not 0 to 3"). Empty when the puzzle is fine. Every function of the library checks this first
// and returns it as its error.
VARNEL_API std::string puzzleError(const Puzzle& puzzle);

}  // namespace varnel::api
