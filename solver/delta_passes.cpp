// Connectivity passes of delta runs, worked out from the base run's regions. A region of the base
// run that neither holds nor touches a differing cell is a region of the candidate's board too,
// with the same open sides. The differing cells and the base regions next to them form the
// candidate's other regions: each differing cell joins its neighbours of equal tag, and only the
// sides that touch a differing cell count differently.

#include <algorithm>
#include <array>

#include "solver/candidate_judge.h"

namespace varnel {

namespace {

// The parts of the candidate's regions around the differing cells: the differing cells
// themselves and the base regions next to them.
struct DeltaRegions {
    static constexpr int32_t MAX_CELLS = CandidateJudge::DeltaRun::MAX_ENTRIES;
    static constexpr int32_t MAX_NODES = MAX_CELLS * 5;

    std::array<int32_t, MAX_NODES> region{};     // a base region's lowest cell, or -1 for a
                                                 // differing cell
    std::array<int32_t, MAX_NODES> parent{};     // union-find over the parts
    std::array<int32_t, MAX_NODES> open{};       // the part's open sides on the candidate's board
    std::array<int32_t, MAX_NODES> sideInner{};  // a known open side of the part, if any
    std::array<int32_t, MAX_NODES> sideOuter{};
    std::array<uint8_t, MAX_NODES> sideKnown{};  // 1 when the part's open sides other than the
                                                 // recorded one are all counted elsewhere: set
                                                 // for a part whose only open side is known
    int32_t count = 0;

    int32_t add(int32_t baseRegion) {
        region[count] = baseRegion;
        parent[count] = count;
        open[count] = 0;
        sideKnown[count] = 0;
        return count++;
    }
    int32_t find(int32_t n) {
        while (parent[n] != n)
            n = parent[n] = parent[parent[n]];
        return n;
    }
    void unite(int32_t a, int32_t b) {
        a = find(a);
        b = find(b);
        if (a != b) parent[std::max(a, b)] = std::min(a, b);
    }
};

}  // namespace

PassDecision CandidateJudge::deltaPass(const DeltaRun& run, bool& known) {
    known = true;
    const uint16_t* tag = base.uf.tags();
    const RegionMap& map = baseRegions;
    const int32_t s = base.stride;
    const int32_t cells = base.cellCount;

    DeltaRegions parts;
    std::array<uint16_t, DeltaRegions::MAX_CELLS> cellTag{};
    std::array<int32_t, DeltaRegions::MAX_CELLS> cell{};
    int32_t differing = 0;
    for (int32_t n = 0; n < run.entryCount; ++n) {
        const DeltaEntry& e = run.entries[n];
        if (!e.tagDiffers) continue;  // done flags play no part in a pass
        cell[differing] = e.cell;
        cellTag[differing] = e.tag;
        parts.add(-1);
        ++differing;
    }
    if (differing == 0) return basePass;

    // A base region that holds a differing cell must differ whole: its other cells could fall
    // apart. (A candidate's run mostly knows more than the base run, and then a differing cell's
    // whole set differs.) Otherwise the pass is left to a board of its own.
    for (int32_t d = 0; d < differing; ++d) {
        const int32_t r = map.regionOf[cell[d]];
        int32_t inRegion = 0;
        for (int32_t e = 0; e < differing; ++e)
            inRegion += map.regionOf[cell[e]] == r;
        if (inRegion != map.size[r]) {
            known = false;
            return {};
        }
    }
    auto differingAt = [&](int32_t q) {
        for (int32_t d = 0; d < differing; ++d) {
            if (cell[d] == q) return d;
        }
        return -1;
    };
    auto partOf = [&](int32_t baseRegion) {
        for (int32_t n = differing; n < parts.count; ++n) {
            if (parts.region[n] == baseRegion) return n;
        }
        return -1;
    };

    // The sides of the differing cells: joins, and open sides counted anew.
    std::array<int32_t, DeltaRegions::MAX_NODES> sidesToDiffering{};  // per base part: open
                                                                      // sides to differing cells
                                                                      // on the base run
    int32_t insideCells = map.insideCount;
    for (int32_t d = 0; d < differing; ++d) {
        const int32_t x = cell[d];
        const uint16_t own = cellTag[d];
        insideCells += (own == RegionMap::INSIDE_TAG) - (tag[x] == RegionMap::INSIDE_TAG);
        for (const int32_t q : {x + 1, x - 1, x + s, x - s}) {
            if (q < 0 || q >= cells) continue;
            const int32_t e = differingAt(q);
            if (e >= 0) {
                // Both sides of a side between two differing cells are looked at, once from each.
                if (cellTag[e] == own) {
                    parts.unite(d, e);
                } else if ((cellTag[e] >> 1) != (own >> 1)) {
                    ++parts.open[d];
                    parts.sideInner[d] = x;
                    parts.sideOuter[d] = q;
                }
                continue;
            }
            const int32_t r = map.regionOf[q];
            int32_t p = partOf(r);
            if (p < 0) {
                p = parts.add(r);
                parts.open[p] = map.openCount[r];
                sidesToDiffering[p] = 0;
            }
            // The side from q's region: open on the base run and on the candidate's board.
            const bool openBefore = (tag[q] >> 1) != (tag[x] >> 1);
            const bool openNow = (tag[q] >> 1) != (own >> 1);
            parts.open[p] += static_cast<int32_t>(openNow) - static_cast<int32_t>(openBefore);
            sidesToDiffering[p] += openBefore;
            if (openNow) {
                parts.sideInner[p] = q;
                parts.sideOuter[p] = x;
                parts.sideKnown[p] = 1;
            }
            // The side from x.
            if (tag[q] == own) {
                parts.unite(d, p);
            } else if (openNow) {
                ++parts.open[d];
                parts.sideInner[d] = x;
                parts.sideOuter[d] = q;
            }
        }
    }
    // A base part's one open side is known when it is a side to a differing cell, or when the
    // part keeps a single open side away from them and the base run's recorded side is that one.
    for (int32_t p = differing; p < parts.count; ++p) {
        const int32_t r = parts.region[p];
        if (parts.open[p] != 1 || parts.sideKnown[p]) continue;
        if (map.openCount[r] - sidesToDiffering[p] == 1 && differingAt(map.outer[r]) < 0) {
            parts.sideInner[p] = map.inner[r];
            parts.sideOuter[p] = map.outer[r];
            parts.sideKnown[p] = 1;
        }
    }
    for (int32_t d = 0; d < differing; ++d)
        parts.sideKnown[d] = 1;

    // The candidate's regions made of parts: open sides, cells, lowest cell, tag, and the one
    // open side when there is one.
    struct Joined {
        int32_t open = 0;
        int32_t cells = 0;
        int32_t lowest = 0;
        uint16_t tag = 0;
        bool border = false;
        int32_t side = -1;  // the part holding its open side, when it has one
    };
    std::array<Joined, DeltaRegions::MAX_NODES> joined{};
    for (int32_t n = 0; n < parts.count; ++n) {
        const int32_t root = parts.find(n);
        Joined& j = joined[root];
        const bool first = j.cells == 0;
        const int32_t lowest = n < differing ? cell[n] : parts.region[n];
        j.cells += n < differing ? 1 : map.size[parts.region[n]];
        j.lowest = first ? lowest : std::min(j.lowest, lowest);
        j.tag = n < differing ? cellTag[n] : tag[parts.region[n]];
        j.border = j.border || parts.region[n] == OUTSIDE;
        j.open += parts.open[n];
        if (parts.open[n] > 0) j.side = n;
    }
    std::array<int32_t, DeltaRegions::MAX_NODES> order{};
    int32_t few = 0;
    for (int32_t n = 0; n < parts.count; ++n) {
        if (parts.find(n) == n && !joined[n].border && joined[n].open <= 1) order[few++] = n;
    }
    std::sort(order.begin(), order.begin() + few,
              [&](int32_t a, int32_t b) { return joined[a].lowest < joined[b].lowest; });

    // The first region in the order of lowest cells that decides: the base run's regions with at
    // most one open side that no differing cell touches, and the joined ones.
    auto isPart = [&](int32_t r) { return partOf(r) >= 0 || differingAt(r) >= 0; };
    auto decideJoined = [&](const Joined& j) {
        PassDecision d;
        if (j.open == 0) {
            d.outcome = SolverBoard::PassOutcome::CLOSED;
            return d;
        }
        if (!parts.sideKnown[j.side]) {
            known = false;
            return d;
        }
        d.outcome = SolverBoard::PassOutcome::DECIDED;
        d.inner = parts.sideInner[j.side];
        d.outer = parts.sideOuter[j.side];
        return d;
    };
    int32_t next = 0;
    for (const int32_t r : map.fewExits) {
        while (next < few && joined[order[next]].lowest < r) {
            const Joined& j = joined[order[next++]];
            if (RegionMap::decides(j.tag, j.cells, j.open, insideCells)) return decideJoined(j);
        }
        // A base region holding a differing cell is whole among the differing cells, and its
        // lowest cell is one of them.
        if (isPart(r)) continue;
        if (!RegionMap::decides(tag[r], map.size[r], map.openCount[r], insideCells)) continue;
        PassDecision d;
        d.outcome = map.openCount[r] == 0 ? SolverBoard::PassOutcome::CLOSED
                                          : SolverBoard::PassOutcome::DECIDED;
        d.inner = map.inner[r];
        d.outer = map.outer[r];
        return d;
    }
    while (next < few) {
        const Joined& j = joined[order[next++]];
        if (RegionMap::decides(j.tag, j.cells, j.open, insideCells)) return decideJoined(j);
    }
    return {};
}

}  // namespace varnel
