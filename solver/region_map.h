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
    std::vector<uint16_t> tagStore;  // the board's tags when the map was built, as uf's tagStore
    int32_t pad = 0;                 // sentinels before cell 0 in tagStore
    int32_t insideCount = 0;         // known-inside cells
    int32_t cellCount = 0;
    int32_t stride = 0;

    // Scratch of decideChanged, per cell or per region (at its lowest cell), valid where the
    // stamp is the current one.
    std::vector<uint32_t> stamp;        // [0, cellCount)
    std::vector<int32_t> changedIndex;  // the cell's index among the changed cells
    std::vector<uint32_t> regionStamp;  // [0, cellCount)
    std::vector<int32_t> regionNode;    // the region's part, or -1 for a region of changed cells
    std::vector<int32_t> changedIn;     // changed cells in the region
    uint32_t currentStamp = 0;
    struct Part {
        int32_t region = -1;         // a base region's lowest cell, or -1 for a changed cell
        int32_t parent = 0;          // union-find over the parts
        int32_t open = 0;            // open sides on the changed board
        int32_t sidesToChanged = 0;  // a base region's open sides to changed cells on the map's
                                     // board
        int32_t inner = 0;           // a known open side, when sideKnown
        int32_t outer = 0;
        bool sideKnown = false;  // when open is 1, the side is inner, outer
        // The joined region, at a root part.
        int32_t cells = 0;
        int32_t lowest = 0;
        int32_t sidePart = -1;  // the part that holds its open side, when it has one
        bool border = false;
    };
    std::vector<Part> parts;
    std::vector<int32_t> order;
    std::vector<int32_t> changedCells;  // decideFor: the cells that differ, and their tags
    std::vector<uint16_t> changedTags;

    // Floods every region of a board of tags uf, rows of `stride` cells.
    void build(const ParityUnionFind& uf, int32_t stride);

    // The pass of the board the map was built from.
    PassDecision decide() const;

    // The pass of a board whose tags are the map's board's except at `count` changed cells, which
    // hold changedTags. Worked out from the map when every region of the map's board that holds
    // a changed cell is changed whole (the board knows more than the map's, or otherwise differs
    // in whole sets only); known is false otherwise, and the pass must be made on the board.
    PassDecision decideChanged(const int32_t* changedCells, const uint16_t* changedTags,
                               int32_t count, bool& known);

    // The pass of a board of the same size whose tags are uf's: its cells that differ from the
    // map's board are the changed cells of decideChanged.
    PassDecision decideFor(const ParityUnionFind& uf, bool& known);

    const uint16_t* tags() const { return tagStore.data() + pad; }

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
