#pragma once

#include <cstdint>

#include "checker/clause_list.h"
#include "solver/cell_colours.h"

namespace varnel {

// The problem as clauses over one variable per cell colour (cellVariable): a side lies on the
// loop exactly when its two cells differ, and cells beyond the grid are outside. A colouring
// satisfies the clauses exactly when
// - no grid point has four loop sides (the two diagonal patterns of its four cells), so the
//   sides form closed loops that never cross or touch;
// - every clue equals the number of its cell's sides on the loop;
// - at least one cell is inside (the empty colouring draws no loop).
// That the sides form a single loop is not encoded: the loop cuts add it as needed. A clue value
// above NO_CLUE is a count no cell can have, and gives an empty clause. width and height >= 1.
void encodeProblem(const uint8_t* grid, int32_t width, int32_t height, ClauseList& clauses);

// One clause that every colouring but answer satisfies.
void encodeAnswerBan(const CellColours& answer, ClauseList& clauses);

}  // namespace varnel
