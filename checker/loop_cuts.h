#pragma once

#include <cstdint>
#include <vector>

#include "checker/clause_list.h"
#include "solver/cell_colours.h"

namespace varnel {

// Finds the loops of a colouring and writes clauses that cut colourings of several loops.
//
// A colouring that no grid point touches four times (see encodeProblem) draws one loop exactly
// when its inside is one piece and its outside is one piece joined to the ring beyond the grid
// (pieces are joined through cell sides). Each inside piece, when there are several, and each
// outside pocket gives one cut, a clause that every one-loop colouring satisfies and this
// colouring does not:
// - an inside piece C, with a cell a of C and a cell b of another inside piece: a outside, or b
//   outside, or some cell beside C is inside. A one-loop colouring with a and b inside joins
//   them by a path of inside cells, which leaves C through a cell beside it.
// - an outside pocket P (an outside piece cut off from the ring), with a cell a of P: a inside,
//   or some cell beside P is outside. A one-loop colouring with a outside joins it to the ring by
//   a path of outside cells, which leaves P through a cell beside it.
// Only cells beside the piece that the path can come from count (those reached from b, or from
// the ring, without crossing the piece): a piece around a hole then names only its outer edge,
// which makes the cut shorter and stronger.
struct LoopCutter {
    std::vector<int32_t> pieceOf;    // [0, W x H): piece of the cell, numbered in row-major order
                                     // of their first cells
    std::vector<int32_t> firstCell;  // [0, pieces): the piece's first cell in row-major order
    std::vector<uint8_t> inside;     // [0, pieces): 1 for a piece of inside cells
    std::vector<uint8_t> atEdge;     // [0, pieces): 1 when the piece reaches the grid's edge
    std::vector<int32_t> reachedBy;  // [0, W x H): the last flood that reached the cell
    std::vector<int32_t> stack;      // cells still to visit in a flood
    std::vector<int32_t> beside;     // cells beside the piece being cut, found by the last flood
    int32_t floodCount = 0;          // floods run so far; reachedBy compares with it

    // Writes one cut for every inside piece when there are several, and one for every outside
    // pocket, into clauses. Returns the number of cuts: 0 exactly when the colouring draws one
    // loop, or nothing at all. colours holds width x height cells, width and height >= 1.
    int32_t cut(const CellColours& colours, int32_t width, int32_t height, ClauseList& clauses);
};

}  // namespace varnel
