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
struct RegionScan {
    // Values of marks during one check.
    static constexpr uint8_t VISITED = 0;       // the cell's known region has been flooded
    static constexpr uint8_t KNOWN_INSIDE = 1;  // not visited; known different from cell 0
    static constexpr uint8_t NOT_INSIDE = 2;    // not visited; outside or not yet known

    int32_t cellCount = 0;       // padded cells, (W + 2) x (H + 2)
    int32_t columnStep = 1;      // index distance to the next cell in a row
    int32_t rowStep = 0;         // index distance to the next row, W + 2
    uint8_t closedFound = 0;     // 1 when a pass found a closed region that must join others
    std::vector<uint8_t> marks;  // [0, cellCount): work marks of the current check
    std::vector<int32_t> stack;  // [0, cellCount): cells waiting to be visited by the flood

    // Prepares the record for a board of the given size; arrays are allocated once and reused.
    void init(int32_t cells, int32_t stride);

    // Floods the known region of start (cells joined by known-same sides) through marks, setting
    // them to VISITED, and adds every open side of the region to hits. Does nothing when start is
    // already visited. Uses an explicit stack, so regions as large as the board are fine.
    void floodRegion(const ParityUnionFind& uf, int32_t start, OpenSides& hits);
};

// Writes KNOWN_INSIDE or NOT_INSIDE for every cell of uf into marks.
void markInside(const ParityUnionFind& uf, uint8_t* marks);

}  // namespace varnel
