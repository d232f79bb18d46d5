#include "creator/region_builder.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cassert>

#include "solver/clue_grid.h"

namespace varnel {

namespace {

// Outside pockets: before growing, about LAKE_RATE / 1000 x cells rectangles of 1 to LAKE_SIDE
// cells a side are reserved to stay outside. They widen the outside between corridors and give
// the 0 clues that a tree of corridors alone would lack.
constexpr int32_t LAKE_RATE = 80;
constexpr int32_t LAKE_SIDE = 3;
// A picked cell that touches the inside on two or three sides (it fills a bend or the end of an
// outside wall, thickening the region) joins when draw(BEND_ODDS) < BEND_JOINS, and otherwise
// stays outside for good.
constexpr int32_t BEND_ODDS = 20;
constexpr int32_t BEND_JOINS = 9;
// A region that ends below MIN_SHARE / 1000 of the board (its start was walled in by reserved
// cells) is grown again with fresh draws, at most MAX_GROWTHS times in one buildLoop.
constexpr int32_t MIN_SHARE = 350;
constexpr int32_t MAX_GROWTHS = 16;

// frontierSlot of a cell that is not in the frontier and may join later, and of a cell that stays
// outside for the rest of this growth.
constexpr int32_t NOT_LISTED = -1;
constexpr int32_t KEPT_OUTSIDE = -2;

constexpr uint32_t SIDE_BITS = 0x55;  // up, right, down, left in a ring mask

constexpr bool computeAllowsJoin(uint32_t ring) {
    if (ring == 0 || ring == 0xff) return false;
    // One arc: exactly one place, going round, where an outside neighbour follows an inside one.
    const uint32_t next = ((ring >> 1) | (ring << 7)) & 0xff;
    if (std::popcount(ring & ~next & 0xff) != 1) return false;
    // An inside corner needs an inside side next to it, else it meets the cell only at a corner.
    for (uint32_t corner = 1; corner < 8; corner += 2) {
        if (((ring >> corner) & 1) == 0) continue;
        const uint32_t before = (ring >> (corner - 1)) & 1;
        const uint32_t after = (ring >> ((corner + 1) & 7)) & 1;
        if (before == 0 && after == 0) return false;
    }
    return true;
}

constexpr std::array<uint8_t, 256> makeJoinTable() {
    std::array<uint8_t, 256> table{};
    for (uint32_t ring = 0; ring < 256; ++ring)
        table[ring] = computeAllowsJoin(ring) ? 1 : 0;
    return table;
}

constexpr std::array<uint8_t, 256> JOIN_ALLOWED = makeJoinTable();

}  // namespace

bool ringAllowsJoin(uint32_t ring) {
    return JOIN_ALLOWED[ring & 0xff] != 0;
}

bool regionSizeFits(int64_t width, int64_t height) {
    return width >= 3 && height >= 3 && fitsSolverLabels(width, height);
}

void RegionLoopBuilder::bind(uint8_t* clues, int32_t w, int32_t h, SharedRandom* source) {
    assert(regionSizeFits(w, h));
    fullClues = clues;
    width = w;
    height = h;
    stride = w + 2;
    random = source;
    const size_t padded = static_cast<size_t>(w + 2) * static_cast<size_t>(h + 2);
    inside.assign(padded, 0);
    frontierSlot.assign(padded, NOT_LISTED);
    frontier.clear();
    frontier.reserve(padded);
}

uint32_t RegionLoopBuilder::ringMask(int32_t c) const {
    const int32_t s = stride;
    const uint8_t* p = inside.data() + c;
    return static_cast<uint32_t>(p[-s]) | static_cast<uint32_t>(p[-s + 1]) << 1 |
           static_cast<uint32_t>(p[1]) << 2 | static_cast<uint32_t>(p[s + 1]) << 3 |
           static_cast<uint32_t>(p[s]) << 4 | static_cast<uint32_t>(p[s - 1]) << 5 |
           static_cast<uint32_t>(p[-1]) << 6 | static_cast<uint32_t>(p[-s - 1]) << 7;
}

void RegionLoopBuilder::addToFrontier(int32_t c) {
    frontierSlot[c] = static_cast<int32_t>(frontier.size());
    frontier.push_back(c);
}

void RegionLoopBuilder::removeFromFrontier(int32_t c) {
    const int32_t slot = frontierSlot[c];
    const int32_t last = frontier.back();
    frontier[slot] = last;
    frontierSlot[last] = slot;
    frontier.pop_back();
    frontierSlot[c] = NOT_LISTED;
}

void RegionLoopBuilder::join(int32_t c) {
    inside[c] = 1;
    ++insideCount;
    if (frontierSlot[c] >= 0) removeFromFrontier(c);
    // Every outside neighbour whose ring just changed may join now, even one dropped before as
    // not allowed; a grid cell qualifies when an inside cell is beside it.
    const int32_t s = stride;
    for (const int32_t d : {-s, -s + 1, 1, s + 1, s, s - 1, -1, -s - 1}) {
        const int32_t q = c + d;
        if (inside[q] || frontierSlot[q] != NOT_LISTED) continue;
        if ((ringMask(q) & SIDE_BITS) != 0) addToFrontier(q);
    }
}

void RegionLoopBuilder::grow() {
    std::fill(inside.begin(), inside.end(), 0);
    std::fill(frontierSlot.begin(), frontierSlot.end(), NOT_LISTED);
    // The border ring never joins.
    for (int32_t x = 0; x < stride; ++x) {
        frontierSlot[x] = KEPT_OUTSIDE;
        frontierSlot[(height + 1) * stride + x] = KEPT_OUTSIDE;
    }
    for (int32_t rowStart = stride; rowStart <= height * stride; rowStart += stride) {
        frontierSlot[rowStart] = KEPT_OUTSIDE;
        frontierSlot[rowStart + width + 1] = KEPT_OUTSIDE;
    }
    frontier.clear();
    insideCount = 0;

    // Reserved outside pockets, clipped at the board's edge.
    const int32_t lakes = width * height * LAKE_RATE / 1000;
    for (int32_t n = 0; n < lakes; ++n) {
        const int32_t lakeWidth = 1 + random->draw(LAKE_SIDE);
        const int32_t lakeHeight = 1 + random->draw(LAKE_SIDE);
        const int32_t left = random->draw(width);
        const int32_t top = random->draw(height);
        for (int32_t y = top; y < std::min(height, top + lakeHeight); ++y) {
            for (int32_t x = left; x < std::min(width, left + lakeWidth); ++x)
                frontierSlot[(y + 1) * stride + x + 1] = KEPT_OUTSIDE;
        }
    }

    // The start: one draw among the cells outside the pockets (at least a quarter of the board:
    // a pocket covers at most 9 cells), taken in index order.
    int32_t freeCells = 0;
    for (int32_t c = 0; c < static_cast<int32_t>(inside.size()); ++c)
        freeCells += frontierSlot[c] != KEPT_OUTSIDE;
    int32_t skip = random->draw(freeCells);
    int32_t start = stride + 1;
    for (;; ++start) {
        if (frontierSlot[start] == KEPT_OUTSIDE) continue;
        if (skip-- == 0) break;
    }
    join(start);

    // Growth until no cell can join. Every pick either joins a cell, or takes one out of the
    // frontier (not allowed now: join lists it again when its neighbourhood changes; refused as
    // a bend: never again), so growth ends.
    while (!frontier.empty()) {
        const int32_t c = frontier[random->draw(static_cast<int32_t>(frontier.size()))];
        const uint32_t ring = ringMask(c);
        if (!ringAllowsJoin(ring)) {
            removeFromFrontier(c);
            continue;
        }
        if (std::popcount(ring & SIDE_BITS) > 1 && random->draw(BEND_ODDS) >= BEND_JOINS) {
            removeFromFrontier(c);
            frontierSlot[c] = KEPT_OUTSIDE;
            continue;
        }
        join(c);
    }
}

void RegionLoopBuilder::buildLoop() {
    assert(fullClues != nullptr && random != nullptr && !inside.empty());
    const int32_t cells = width * height;
    for (int32_t growth = 1; growth <= MAX_GROWTHS; ++growth) {
        grow();
        if (insideCount * 1000 >= cells * MIN_SHARE) break;
    }

    // The full clue grid: for each cell, the sides whose neighbour lies on the other side of
    // the boundary (the border ring counts as outside).
    for (int32_t y = 0; y < height; ++y) {
        for (int32_t x = 0; x < width; ++x) {
            const int32_t c = (y + 1) * stride + x + 1;
            const uint8_t self = inside[c];
            fullClues[y * width + x] =
                static_cast<uint8_t>((inside[c - stride] != self) + (inside[c + stride] != self) +
                                     (inside[c - 1] != self) + (inside[c + 1] != self));
        }
    }
}

}  // namespace varnel
