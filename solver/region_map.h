#pragma once

#include <cstdint>
#include <vector>

#include "solver/parity_union_find.h"
#include "solver/solver_board.h"

namespace varnel {

// What a connectivity pass decides, without deciding it on the board.
struct PassDecision {
    SolverBoard::PassOutcome outcome = SolverBoard::PassOutcome::NOTHING;
    int32_t inner = 0;  // DECIDED: the single open side of the deciding region, to relate SAME
    int32_t outer = 0;
};

// Every known region of a board at once, with its open sides: what a connectivity pass floods
// region by region, kept so that the pass of a board that differs in a few cells can be worked
// out from it (the candidate judge's delta runs).
//
// A pass decides on the first region, in the order of lowest cells and leaving out the border
// region, that has at most one open side while a known-inside cell lies outside it: with none the
// board is contradicted (CLOSED), with one that side is related as the same colour (DECIDED).
// Since the regions are the same whatever order they are flooded in, and the pass stops at the
// first region that decides, deciding from the whole map is the pass.
struct RegionMap {
    std::vector<int32_t> regionOf;   // [0, cellCount): the lowest cell of the cell's region
    std::vector<int32_t> openCount;  // [0, cellCount), at a region's lowest cell: open sides
    std::vector<int32_t> size;       // [0, cellCount), at a region's lowest cell: its cells
    std::vector<int32_t> inner;      // [0, cellCount), at a region's lowest cell: the cell and the
    std::vector<int32_t> outer;      // neighbour of the last open side found, when it has one
    std::vector<int32_t> fewExits;   // lowest cells of the regions with at most one open side,
                                     // the border region left out, in increasing order
    std::vector<int32_t> stack;      // [0, 2 x cellCount]: cells whose runs wait to be flooded
    int32_t insideCount = 0;         // known-inside cells
    int32_t cellCount = 0;

    // Floods every region of a board of tags uf, rows of `stride` cells.
    void build(const ParityUnionFind& uf, int32_t stride);

    // The pass of the board the map was built from.
    PassDecision decide(const ParityUnionFind& uf) const;

    // Whether a region with this tag, cell count and open sides, its lowest cell not in the
    // border region, decides the pass, given the board's known-inside cells.
    static bool decides(uint16_t tag, int32_t cells, int32_t open, int32_t insideCells) {
        if (open > 1) return false;
        return insideCells - (tag == INSIDE_TAG ? cells : 0) > 0;
    }

    // The tag of a known-inside cell: label 0, the parity opposite to cell 0's, which is 1.
    static constexpr uint16_t INSIDE_TAG = 0;

  private:
    void flood(const uint16_t* tag, int32_t start, int32_t stride);
};

}  // namespace varnel
