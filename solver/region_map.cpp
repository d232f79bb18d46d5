#include "solver/region_map.h"

#include <algorithm>
#include <cassert>

namespace varnel {

void RegionMap::build(const ParityUnionFind& uf, int32_t stride) {
    cellCount = uf.cellCount;
    const size_t cells = static_cast<size_t>(cellCount);
    regionOf.assign(cells, -1);
    openCount.resize(cells);
    size.resize(cells);
    inner.resize(cells);
    outer.resize(cells);
    stack.resize(2 * cells + 1);
    fewExits.clear();
    const uint16_t* tag = uf.tags();
    insideCount = 0;
    for (int32_t i = 0; i < cellCount; ++i)
        insideCount += tag[i] == INSIDE_TAG;
    for (int32_t i = 0; i < cellCount; ++i) {
        if (regionOf[i] >= 0) continue;
        flood(tag, i, stride);
        if (i != OUTSIDE && openCount[i] <= 1) fewExits.push_back(i);
    }
}

// As RegionScan::floodRegion: a run of region cells at a time, then the cells above and below it.
// Reads one row beyond the board land on the sentinel tags, which match no region.
void RegionMap::flood(const uint16_t* tag, int32_t start, int32_t stride) {
    const uint16_t regionTag = tag[start];
    const unsigned label = regionTag >> 1u;
    int32_t open = 0, cells = 0, in = 0, out = 0;
    auto openSide = [&](int32_t p, int32_t q) {
        if ((tag[q] >> 1u) != label && q >= 0 && q < cellCount) {
            ++open;
            in = p;
            out = q;
        }
    };
    int32_t* top = stack.data();
    *top++ = start;
    while (top != stack.data()) {
        const int32_t p = *--top;
        if (regionOf[p] >= 0) continue;
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
            regionOf[x] = start;
            ++cells;
            const int32_t up = x - stride;
            if (tag[up] == regionTag) {
                if (!aboveInRegion && regionOf[up] < 0) *top++ = up;
                aboveInRegion = true;
            } else {
                aboveInRegion = false;
                openSide(x, up);
            }
            const int32_t down = x + stride;
            if (tag[down] == regionTag) {
                if (!belowInRegion && regionOf[down] < 0) *top++ = down;
                belowInRegion = true;
            } else {
                belowInRegion = false;
                openSide(x, down);
            }
        }
    }
    openCount[start] = open;
    size[start] = cells;
    inner[start] = in;
    outer[start] = out;
}

PassDecision RegionMap::decide(const ParityUnionFind& uf) const {
    const uint16_t* tag = uf.tags();
    PassDecision d;
    for (const int32_t r : fewExits) {
        if (!decides(tag[r], size[r], openCount[r], insideCount)) continue;
        if (openCount[r] == 0) {
            d.outcome = SolverBoard::PassOutcome::CLOSED;
        } else {
            d.outcome = SolverBoard::PassOutcome::DECIDED;
            d.inner = inner[r];
            d.outer = outer[r];
        }
        return d;
    }
    return d;
}

}  // namespace varnel
