#include "solver/region_scan.h"

#include <algorithm>
#include <cstddef>

#include "solver/run_flood.h"

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

// The flood goes a run of region cells at a time (floodRuns); which open side is remembered when
// there are two or more is never used.
void RegionScan::floodRegion(const ParityUnionFind& uf, int32_t start, OpenSides& hits) {
    if (visited(start)) return;
    const uint16_t* tag = uf.tags();
    const unsigned label = tag[start] >> 1u;
    uint32_t* seen = visitedCheck.data();
    const uint32_t stamp = check;
    // A neighbour q of region cell p in another set is an open side, if q is on the board.
    floodRuns(
        tag, start, rowStep, stack.data(), [&](int32_t p) { return seen[p] == stamp; },
        [&](int32_t p) { seen[p] = stamp; },
        [&](int32_t p, int32_t q) {
            if ((tag[q] >> 1u) != label && q >= 0 && q < cellCount) {
                ++hits.count;
                hits.inner = p;
                hits.outer = q;
            }
        });
}

}  // namespace varnel
