#pragma once

#include <cstdint>
#include <vector>

#include "solver/clue_grid.h"
#include "solver/solver_board.h"

namespace varnel {

// An answer as the colour of every cell: W x H bytes, row-major like a ClueGrid, 1 for a cell
// inside the loop and 0 for a cell outside. A side lies on the loop exactly when the two cells
// beside it differ; cells beyond the grid count as outside.
using CellColours = std::vector<uint8_t>;

// The colours of a board on which every problem cell's relation to the outside is known (a
// solved board): 1 where the cell differs from OUTSIDE.
CellColours coloursOf(const SolverBoard& board);

}  // namespace varnel
