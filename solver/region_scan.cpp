#include "solver/region_scan.h"

#include <cstddef>

namespace varnel {

void RegionScan::init(int32_t cells, int32_t stride) {
    cellCount = cells;
    columnStep = 1;
    rowStep = stride;
    closedFound = 0;
    if (marks.size() != static_cast<size_t>(cells)) {
        marks.assign(static_cast<size_t>(cells), 0);
        stack.assign(static_cast<size_t>(cells), 0);
    }
}

void markInside(const ParityUnionFind& uf, uint8_t* marks) {
    const uint16_t* tag = uf.tags();
    // Known inside: in the set of cell 0 with the other parity.
    const uint16_t insideTag = tag[0] ^ 1;
    for (int32_t i = 0; i < uf.cellCount; ++i) {
        marks[i] = tag[i] == insideTag ? RegionScan::KNOWN_INSIDE : RegionScan::NOT_INSIDE;
    }
}

// Which open side is remembered depends on the order of visits only when the region has two or
// more open sides, and then it is never used; so a stack gives the same results as recursion.
void RegionScan::floodRegion(const ParityUnionFind& uf, int32_t start, OpenSides& hits) {
    if (marks[start] == VISITED) return;
    const uint16_t* tag = uf.tags();
    uint8_t* mark = marks.data();
    int32_t* top = stack.data();
    const int32_t steps[4] = {columnStep, -columnStep, rowStep, -rowStep};
    mark[start] = VISITED;
    *top++ = start;
    while (top != stack.data()) {
        const int32_t p = *--top;
        const uint16_t tp = tag[p];
        for (const int32_t step : steps) {
            const int32_t q = p + step;
            if (q < 0 || q >= cellCount) continue;
            const uint16_t tq = tag[q];
            if (tq == tp) {
                if (mark[q] != VISITED) {
                    mark[q] = VISITED;
                    *top++ = q;
                }
            } else if ((tq ^ tp) >= 2) {
                ++hits.count;
                hits.inner = p;
                hits.outer = q;
            }
        }
    }
}

}  // namespace varnel
