#pragma once

#include <cstdint>

namespace varnel {

// Floods the region of the cells whose tag is tag[start] (one colour set, one parity): a whole run
// of region cells along the index order at a time, then the cells above and below the run, one
// seed per stretch of region cells there. The neighbours it examines, and so the open sides it
// reports, are exactly those of a cell-by-cell flood over the four index neighbours; only the
// order differs, which matters only for which open side is remembered when there are two or more.
// Reads one row beyond the board land on the sentinel tags, which match no region.
//   visited(p)      whether cell p is flooded already
//   mark(p)         floods cell p
//   openSide(p, q)  called for every neighbour q of a region cell p that is not in the region
// stack has room for 2 x cells + 1 entries: a cell is pushed at most once from the run above it
// and once from the run below.
template <class Visited, class Mark, class OpenSide>
inline void floodRuns(const uint16_t* tag, int32_t start, int32_t stride, int32_t* stack,
                      Visited&& visited, Mark&& mark, OpenSide&& openSide) {
    const uint16_t regionTag = tag[start];
    int32_t* top = stack;
    *top++ = start;
    while (top != stack) {
        const int32_t p = *--top;
        // Runs are flooded whole, so a cell seen here is either flooded with its run or not at all.
        if (visited(p)) continue;
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
            mark(x);
            const int32_t up = x - stride;
            if (tag[up] == regionTag) {
                if (!aboveInRegion && !visited(up)) *top++ = up;
                aboveInRegion = true;
            } else {
                aboveInRegion = false;
                openSide(x, up);
            }
            const int32_t down = x + stride;
            if (tag[down] == regionTag) {
                if (!belowInRegion && !visited(down)) *top++ = down;
                belowInRegion = true;
            } else {
                belowInRegion = false;
                openSide(x, down);
            }
        }
    }
}

}  // namespace varnel
