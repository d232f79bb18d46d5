#pragma once

// Whether a set of sides is an answer of a problem: one closed loop that never crosses or
// touches itself and meets every clue. A plain scan of the sides, with no search: a 36 x 20
// board takes microseconds. A problem with several answers accepts each of them.

#include <cstdint>

#include "solver/side_grid.h"

namespace varnel {

// The rules in the order they are checked; the first one broken is the finding.
enum class LoopFault : uint8_t {
    NONE,           // the sides form one loop that meets every clue
    NO_LINE,        // no side is on the loop
    POINT,          // a grid point with 1 line (a dead end), 3 (a branch) or 4 (the loop crosses
                    // or touches itself); points in reading order, row of points by row
    SEVERAL_LOOPS,  // every point has 0 or 2 lines, but the lines form two or more loops
    CLUE,           // a clue counts another number of its cell's sides on the loop; cells in
                    // reading order
};

struct LoopFinding {
    LoopFault fault = LoopFault::NONE;
    int32_t x = 0;      // POINT: the point's column, 0..W; CLUE: the cell's column
    int32_t y = 0;      // POINT: the point's row, 0..H; CLUE: the cell's row
    int32_t count = 0;  // POINT: its lines; SEVERAL_LOOPS: the loops; CLUE: the cell's sides on
                        // the loop
};

// Checks the sides on the loop (sides[s] == ON; OFF and OPEN both mean not on it) of a W x H
// problem, sides numbered as in solver/side_grid.h, against its clues (grid: W x H bytes, 0..3
// a clue, anything else none). W and H at least 1.
LoopFinding checkLoop(const uint8_t* grid, int32_t width, int32_t height, const SideState* sides);

}  // namespace varnel
