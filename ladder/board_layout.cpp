#include "ladder/board_layout.h"

#include "solver/clue_grid.h"

namespace varnel {

namespace {

// The tables that depend on the clues: what a new problem of the same size changes.
void layOutClues(const uint8_t* grid, BoardLayout& l) {
    l.clue.assign(grid, grid + l.cellCount);
    l.clueCells.clear();
    for (int32_t c = 0; c < l.cellCount; ++c) {
        if (l.clue[c] > 3) l.clue[c] = NO_CLUE;
        if (l.clue[c] <= 3) l.clueCells.push_back(c);
    }
    for (int32_t p = 0; p < l.pointCount; ++p) {
        uint8_t clues = 0;
        for (const int32_t c : l.pointCells[p]) {
            if (c >= 0 && l.clue[c] <= 3) clues |= static_cast<uint8_t>(1u << l.clue[c]);
        }
        l.pointClues[p] = clues;
    }
}

}  // namespace

void layOut(const uint8_t* grid, int32_t width, int32_t height, BoardLayout& layout) {
    BoardLayout& l = layout;
    // Thinning lays out problem after problem of one size: only the clues change.
    if (l.width == width && l.height == height && !l.cellSides.empty()) {
        layOutClues(grid, l);
        return;
    }
    l.width = width;
    l.height = height;
    l.cellCount = width * height;
    l.sideCount = varnel::sideCount(width, height);
    l.pointCount = varnel::pointCount(width, height);
    l.outside = l.cellCount;
    const int32_t edge = l.sideCount;

    l.cellSides.resize(static_cast<size_t>(l.cellCount));
    l.cellPoints.resize(static_cast<size_t>(l.cellCount));
    for (int32_t y = 0; y < height; ++y) {
        for (int32_t x = 0; x < width; ++x) {
            const int32_t c = y * width + x;
            for (int d = 0; d < 4; ++d)
                l.cellSides[c][d] = cellSide(width, height, x, y, static_cast<Direction>(d));
            const int32_t topLeft = y * (width + 1) + x;
            l.cellPoints[c] = {topLeft, topLeft + 1, topLeft + width + 2, topLeft + width + 1};
        }
    }

    l.cornerPairs.resize(static_cast<size_t>(l.cellCount) * 4);
    for (int32_t c = 0; c < l.cellCount; ++c) {
        const auto& s = l.cellSides[c];
        auto* pairs = &l.cornerPairs[static_cast<size_t>(c) * 4];
        pairs[0] = {s[TOP], s[LEFT]};
        pairs[1] = {s[TOP], s[RIGHT]};
        pairs[2] = {s[RIGHT], s[BOTTOM]};
        pairs[3] = {s[BOTTOM], s[LEFT]};
    }

    l.pointSides.resize(static_cast<size_t>(l.pointCount));
    l.pointCells.resize(static_cast<size_t>(l.pointCount));
    l.pointClues.resize(static_cast<size_t>(l.pointCount));
    for (int32_t py = 0; py <= height; ++py) {
        for (int32_t px = 0; px <= width; ++px) {
            const int32_t p = py * (width + 1) + px;
            for (int d = 0; d < 4; ++d) {
                const int32_t s = pointSide(width, height, px, py, static_cast<Direction>(d));
                l.pointSides[p][d] = s == NO_SIDE ? edge : s;
            }
            auto cellAt = [&](int32_t x, int32_t y) {
                return x >= 0 && y >= 0 && x < width && y < height ? y * width + x : -1;
            };
            // The point is corner k of: TL of the cell below right, TR of the cell below left,
            // BR of the cell above left, BL of the cell above right.
            l.pointCells[p] = {cellAt(px, py), cellAt(px - 1, py), cellAt(px - 1, py - 1),
                               cellAt(px, py - 1)};
        }
    }

    l.sideCells.resize(static_cast<size_t>(l.sideCount) + 1);
    l.sidePoints.resize(static_cast<size_t>(l.sideCount));
    auto node = [&](int32_t x, int32_t y) {
        return x >= 0 && y >= 0 && x < width && y < height ? y * width + x : l.outside;
    };
    for (int32_t s = 0; s < l.sideCount; ++s) {
        const SidePlace place = sidePlace(width, height, s);
        if (place.horizontal) {
            l.sideCells[s] = {node(place.x, place.y - 1), node(place.x, place.y)};
            const int32_t left = place.y * (width + 1) + place.x;
            l.sidePoints[s] = {left, left + 1};
        } else {
            l.sideCells[s] = {node(place.x - 1, place.y), node(place.x, place.y)};
            const int32_t top = place.y * (width + 1) + place.x;
            l.sidePoints[s] = {top, top + width + 1};
        }
    }
    l.sideCells[edge] = {l.outside, l.outside};
    layOutClues(grid, l);
    // A horizontal side (x, y) sits at half-cell row 2y and column 2x + 1, a vertical side (x, y)
    // at row 2y + 1 and column 2x.
    l.readingOrder.clear();
    for (int32_t row = 0; row <= 2 * height; ++row) {
        if (row % 2 == 0) {
            for (int32_t x = 0; x < width; ++x)
                l.readingOrder.push_back(horizontalSide(width, x, row / 2));
        } else {
            for (int32_t x = 0; x <= width; ++x)
                l.readingOrder.push_back(verticalSide(width, height, x, row / 2));
        }
    }
    l.edgeSides.clear();
    for (int32_t s = 0; s < l.sideCount; ++s) {
        if (l.sideCells[s][0] == l.outside || l.sideCells[s][1] == l.outside)
            l.edgeSides.push_back(s);
    }
}

}  // namespace varnel
