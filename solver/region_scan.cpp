#include "solver/region_scan.h"

#include <algorithm>
#include <cstddef>

namespace varnel {

void RegionScan::init(int32_t cells, int32_t stride) {
    cellCount = cells;
    columnStep = 1;
    rowStep = stride;
    if (visitedCheck.size() != static_cast<size_t>(cells)) {
        visitedCheck.assign(static_cast<size_t>(cells), 0);
        // A cell is pushed at most once from the run above it and once from the run below.
        stack.assign(2 * static_cast<size_t>(cells) + 1, 0);
        check = 0;
    }
}

void RegionScan::startCheck() {
    if (++check == 0) {
        // The counter wrapped: old numbers could be taken for the new check.
        std::fill(visitedCheck.begin(), visitedCheck.end(), 0);
        check = 1;
    }
}

// The flood takes a whole run of region cells along the index order at a time, then looks at the
// cells above and below the run. The neighbours it examines, and so the open sides it counts, are
// exactly those of a cell-by-cell flood over the four index neighbours; only the order differs,
// which matters only for which open side is remembered when there are two or more, and then it is
// never used. Reads one row beyond the board land on the sentinel tags.
void RegionScan::floodRegion(const ParityUnionFind& uf, int32_t start, OpenSides& hits) {
    if (visited(start)) return;
    const uint16_t* tag = uf.tags();
    const uint16_t regionTag = tag[start];
    const unsigned label = regionTag >> 1u;
    const int32_t s = rowStep;
    uint32_t* seen = visitedCheck.data();
    // A neighbour q of region cell p in another set is an open side, if q is on the board.
    auto openSide = [&](int32_t p, int32_t q) {
        if ((tag[q] >> 1u) != label && q >= 0 && q < cellCount) {
            ++hits.count;
            hits.inner = p;
            hits.outer = q;
        }
    };
    int32_t* top = stack.data();
    *top++ = start;
    while (top != stack.data()) {
        const int32_t p = *--top;
        if (seen[p] == check) continue;
        // The run of region cells through p; none of it is visited yet, since runs are visited
        // whole.
        int32_t first = p;
        while (tag[first - 1] == regionTag)
            --first;
        int32_t last = p;
        while (tag[last + 1] == regionTag)
            ++last;
        openSide(first, first - 1);
        openSide(last, last + 1);
        bool aboveInRegion = false;
        bool belowInRegion = false;
        for (int32_t x = first; x <= last; ++x) {
            seen[x] = check;
            // One seed per stretch of region cells above and below the run.
            const int32_t up = x - s;
            if (tag[up] == regionTag) {
                if (!aboveInRegion && seen[up] != check) *top++ = up;
                aboveInRegion = true;
            } else {
                aboveInRegion = false;
                openSide(x, up);
            }
            const int32_t down = x + s;
            if (tag[down] == regionTag) {
                if (!belowInRegion && seen[down] != check) *top++ = down;
                belowInRegion = true;
            } else {
                belowInRegion = false;
                openSide(x, down);
            }
        }
    }
}

}  // namespace varnel
