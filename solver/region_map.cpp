#include "solver/region_map.h"

#include <algorithm>
#include <cassert>
#include <cstring>

#include "solver/run_flood.h"

namespace varnel {

void RegionMap::build(const ParityUnionFind& uf, int32_t rowStride) {
    cellCount = uf.cellCount;
    stride = rowStride;
    tagStore = uf.tagStore;
    pad = uf.pad;
    const size_t cells = static_cast<size_t>(cellCount);
    regionOf.assign(cells, -1);
    openCount.resize(cells);
    size.resize(cells);
    inner.resize(cells);
    outer.resize(cells);
    stack.resize(2 * cells + 1);
    fewExits.clear();
    const uint16_t* tag = tags();
    insideCount = 0;
    for (int32_t i = 0; i < cellCount; ++i)
        insideCount += tag[i] == INSIDE_TAG;
    for (int32_t i = 0; i < cellCount; ++i) {
        if (regionOf[i] >= 0) continue;
        flood(tag, i, rowStride);
        if (i != OUTSIDE && openCount[i] <= 1) fewExits.push_back(i);
    }
}

// As RegionScan::floodRegion, recording the region, its size and its open sides.
void RegionMap::flood(const uint16_t* tag, int32_t start, int32_t stride) {
    const unsigned label = tag[start] >> 1u;
    int32_t open = 0, cells = 0, in = 0, out = 0;
    floodRuns(
        tag, start, stride, stack.data(), [&](int32_t p) { return regionOf[p] >= 0; },
        [&](int32_t p) {
            regionOf[p] = start;
            ++cells;
        },
        [&](int32_t p, int32_t q) {
            if ((tag[q] >> 1u) != label && q >= 0 && q < cellCount) {
                ++open;
                in = p;
                out = q;
            }
        });
    openCount[start] = open;
    size[start] = cells;
    inner[start] = in;
    outer[start] = out;
}

PassDecision RegionMap::decide() const {
    const uint16_t* tag = tags();
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

PassDecision RegionMap::decideFor(const ParityUnionFind& uf, bool& known) {
    assert(uf.cellCount == cellCount);
    changedCells.clear();
    changedTags.clear();
    const uint16_t* now = uf.tags();
    const uint16_t* then = tags();
    // Four tags at a time; the sentinels after the last cell are equal on both boards.
    for (int32_t i = 0; i < cellCount; i += 4) {
        uint64_t a = 0, b = 0;
        std::memcpy(&a, now + i, sizeof a);
        std::memcpy(&b, then + i, sizeof b);
        if (a == b) continue;
        for (int32_t j = i; j < std::min(i + 4, cellCount); ++j) {
            if (now[j] == then[j]) continue;
            changedCells.push_back(j);
            changedTags.push_back(now[j]);
        }
    }
    return decideChanged(changedCells.data(), changedTags.data(),
                         static_cast<int32_t>(changedCells.size()), known);
}

// A region of the map's board that neither holds nor touches a changed cell is a region of the
// changed board too, with the same open sides. The changed cells and the map's regions next to
// them (the parts) form the changed board's other regions: a changed cell joins its neighbours of
// equal tag, and only the sides that touch a changed cell count differently. Regions of changed
// cells only are whole regions of the map (checked), so the parts are whole regions of the map.
PassDecision RegionMap::decideChanged(const int32_t* changedCells, const uint16_t* changedTags,
                                      int32_t count, bool& known) {
    known = true;
    if (count == 0) return decide();
    const uint16_t* tag = tags();
    const size_t cells = static_cast<size_t>(cellCount);
    if (stamp.size() != cells) {
        stamp.assign(cells, 0);
        changedIndex.assign(cells, 0);
        regionStamp.assign(cells, 0);
        regionNode.assign(cells, 0);
        changedIn.assign(cells, 0);
        currentStamp = 0;
    }
    if (++currentStamp == 0) {
        std::fill(stamp.begin(), stamp.end(), 0);
        std::fill(regionStamp.begin(), regionStamp.end(), 0);
        currentStamp = 1;
    }
    const uint32_t now = currentStamp;
    parts.clear();
    for (int32_t d = 0; d < count; ++d) {
        const int32_t x = changedCells[d];
        stamp[x] = now;
        changedIndex[x] = d;
        Part part;
        part.parent = d;
        parts.push_back(part);
        const int32_t r = regionOf[x];
        if (regionStamp[r] != now) {
            regionStamp[r] = now;
            regionNode[r] = -1;
            changedIn[r] = 0;
        }
        ++changedIn[r];
    }
    for (int32_t d = 0; d < count; ++d) {
        const int32_t r = regionOf[changedCells[d]];
        if (changedIn[r] != size[r]) {
            known = false;  // the region's other cells could fall apart
            return {};
        }
    }
    auto find = [&](int32_t n) {
        while (parts[n].parent != n)
            n = parts[n].parent = parts[parts[n].parent].parent;
        return n;
    };
    auto unite = [&](int32_t a, int32_t b) {
        a = find(a);
        b = find(b);
        if (a != b) parts[std::max(a, b)].parent = std::min(a, b);
    };

    // The sides of the changed cells: joins, and open sides counted anew.
    int32_t insideCells = insideCount;
    for (int32_t d = 0; d < count; ++d) {
        const int32_t x = changedCells[d];
        const uint16_t own = changedTags[d];
        insideCells += (own == INSIDE_TAG) - (tag[x] == INSIDE_TAG);
        for (const int32_t q : {x + 1, x - 1, x + stride, x - stride}) {
            if (q < 0 || q >= cellCount) continue;
            if (stamp[q] == now) {
                // A side between two changed cells is looked at once from each of them.
                const uint16_t other = changedTags[changedIndex[q]];
                if (other == own) {
                    unite(d, changedIndex[q]);
                } else if ((other >> 1) != (own >> 1)) {
                    ++parts[d].open;
                    parts[d].inner = x;
                    parts[d].outer = q;
                }
                continue;
            }
            const int32_t r = regionOf[q];
            if (regionStamp[r] != now) {
                regionStamp[r] = now;
                regionNode[r] = static_cast<int32_t>(parts.size());
                Part part;
                part.region = r;
                part.parent = regionNode[r];
                part.open = openCount[r];
                parts.push_back(part);
            }
            Part& p = parts[regionNode[r]];
            // The side seen from q's region, on the map's board and on the changed one.
            const bool openBefore = (tag[q] >> 1) != (tag[x] >> 1);
            const bool openNow = (tag[q] >> 1) != (own >> 1);
            p.open += static_cast<int32_t>(openNow) - static_cast<int32_t>(openBefore);
            p.sidesToChanged += openBefore;
            if (openNow) {
                p.inner = q;
                p.outer = x;
                p.sideKnown = true;
            }
            // The side seen from x.
            if (tag[q] == own) {
                unite(d, regionNode[r]);
            } else if (openNow) {
                ++parts[d].open;
                parts[d].inner = x;
                parts[d].outer = q;
            }
        }
        parts[d].sideKnown = true;
    }
    // A region part's one open side is known when it is a side to a changed cell, or when the
    // region keeps a single open side away from them and the map's recorded side is that one.
    const int32_t partCount = static_cast<int32_t>(parts.size());
    for (int32_t n = count; n < partCount; ++n) {
        Part& p = parts[n];
        if (p.open != 1 || p.sideKnown) continue;
        const int32_t r = p.region;
        if (openCount[r] - p.sidesToChanged == 1 && stamp[outer[r]] != now) {
            p.inner = inner[r];
            p.outer = outer[r];
            p.sideKnown = true;
        }
    }

    // The changed board's regions made of parts.
    for (int32_t n = 0; n < partCount; ++n) {
        Part& root = parts[find(n)];
        const Part& p = parts[n];
        const int32_t lowest = n < count ? changedCells[n] : p.region;
        root.lowest = root.cells == 0 ? lowest : std::min(root.lowest, lowest);
        root.cells += n < count ? 1 : size[p.region];
        root.border = root.border || p.region == OUTSIDE;
        if (p.open > 0) root.sidePart = n;
    }
    // The open sides of a joined region are those of its parts.
    for (int32_t n = 0; n < partCount; ++n) {
        const int32_t root = find(n);
        if (root != n) parts[root].open += parts[n].open;
    }
    order.clear();
    for (int32_t n = 0; n < partCount; ++n) {
        if (find(n) == n && !parts[n].border && parts[n].open <= 1) order.push_back(n);
    }
    std::sort(order.begin(), order.end(),
              [&](int32_t a, int32_t b) { return parts[a].lowest < parts[b].lowest; });

    auto tagOf = [&](int32_t n) { return n < count ? changedTags[n] : tag[parts[n].region]; };
    auto decideJoined = [&](int32_t root) {
        PassDecision d;
        const Part& j = parts[root];
        if (j.open == 0) {
            d.outcome = SolverBoard::PassOutcome::CLOSED;
            return d;
        }
        const Part& side = parts[j.sidePart];
        if (!side.sideKnown) {
            known = false;
            return d;
        }
        d.outcome = SolverBoard::PassOutcome::DECIDED;
        d.inner = side.inner;
        d.outer = side.outer;
        return d;
    };
    // The first region in the order of lowest cells that decides: the map's regions with at most
    // one open side that no changed cell touches, and the joined ones. A map region that holds a
    // changed cell has that cell for its lowest cell.
    size_t next = 0;
    for (const int32_t r : fewExits) {
        while (next < order.size() && parts[order[next]].lowest < r) {
            const int32_t root = order[next++];
            if (decides(tagOf(root), parts[root].cells, parts[root].open, insideCells)) {
                return decideJoined(root);
            }
        }
        if (regionStamp[r] == now) continue;  // a part, or a region of changed cells
        if (!decides(tag[r], size[r], openCount[r], insideCells)) continue;
        PassDecision d;
        d.outcome = openCount[r] == 0 ? SolverBoard::PassOutcome::CLOSED
                                      : SolverBoard::PassOutcome::DECIDED;
        d.inner = inner[r];
        d.outer = outer[r];
        return d;
    }
    while (next < order.size()) {
        const int32_t root = order[next++];
        if (decides(tagOf(root), parts[root].cells, parts[root].open, insideCells)) {
            return decideJoined(root);
        }
    }
    return {};
}

}  // namespace varnel
