#pragma once

#include <cstdint>
#include <vector>

#include "solver/parity_union_find.h"

namespace varnel {

// Open sides found by floodRegion: sides between the region and a cell of unknown relation.
struct OpenSides {
    int32_t count = 0;  // open sides found so far; floodRegion adds to it, never resets it
    int32_t inner = 0;  // cell inside the region of the last open side found
    int32_t outer = 0;  // the neighbour across that side
};

// Scratch record of the connectivity check, shared by a board and all its scratch copies.
//
// A known region is a set of cells joined through known-same sides; its cells all carry one tag
// (same set, same parity), so a region is a connected patch of equal tags. A check floods
// regions one by one; a cell is visited once its region has been flooded in the current check.
// Rather than clearing a mark per cell at every check, each cell records the number of the check
// that visited it.
struct RegionScan {
    int32_t cellCount = 0;               // padded cells, (W + 2) x (H + 2)
    int32_t columnStep = 1;              // index distance to the next cell in a row
    int32_t rowStep = 0;                 // index distance to the next row, W + 2
    uint32_t check = 0;                  // number of the current check
    std::vector<uint32_t> visitedCheck;  // [0, cellCount): the check that visited the cell
    std::vector<int32_t> stack;          // [0, 2 x cellCount]: cells whose runs wait to be flooded

    // Prepares the record for a board of the given size; arrays are allocated once and reused.
    void init(int32_t cells, int32_t stride);

    // Starts a check: no cell is visited.
    void startCheck();

    bool visited(int32_t i) const { return visitedCheck[i] == check; }

    // Floods the known region of start, visiting its cells, and adds every open side of the
    // region to hits (sides to cells outside the board do not count). Does nothing when start is
    // already visited. Works row run by row run with an explicit stack, so regions as large as
    // the board are fine.
    void floodRegion(const ParityUnionFind& uf, int32_t start, OpenSides& hits);
};

// True when cell i is known inside: known to differ from cell 0.
inline bool knownInside(const ParityUnionFind& uf, int32_t i) {
    return uf.knownDifferent(0, i);
}

}  // namespace varnel
