#pragma once

// The sides of a W x H problem's cells and the grid points where they meet, numbered for arrays
// of side states (a player's pencilled board, a loop given as its sides):
//   - horizontal sides first, row of points by row of points from the top: the side above cell
//     (x, y) is y * W + x, for y from 0 to H (y = H: below the bottom row);
//   - then the vertical sides, row by row: the side left of cell (x, y) is W * (H + 1) +
//     y * (W + 1) + x, for x from 0 to W (x = W: right of the last column);
//   - grid point (px, py), px from 0 to W and py from 0 to H, is py * (W + 1) + px: the top-left
//     corner of cell (px, py).
// Cells are (x, y) with x the column and y the row, both from 0 at the top left, as in a
// ClueGrid.

#include <cstddef>
#include <cstdint>
#include <vector>

namespace varnel {

// What is known of one side.
enum class SideState : uint8_t {
    OPEN = 0,  // not decided
    ON = 1,    // on the loop (a line)
    OFF = 2,   // not on the loop (a cross)
};

// The four sides of a cell, and the four directions from a grid point, clockwise from the top.
enum Direction : uint8_t { TOP = 0, RIGHT = 1, BOTTOM = 2, LEFT = 3 };

// No side: a direction that leads off the board from a point on its edge.
inline constexpr int32_t NO_SIDE = -1;

inline int32_t horizontalSideCount(int32_t width, int32_t height) {
    return width * (height + 1);
}

inline int32_t sideCount(int32_t width, int32_t height) {
    return width * (height + 1) + (width + 1) * height;
}

inline int32_t pointCount(int32_t width, int32_t height) {
    return (width + 1) * (height + 1);
}

// The side above cell column x at point row y (0 <= x < W, 0 <= y <= H).
inline int32_t horizontalSide(int32_t width, int32_t x, int32_t y) {
    return y * width + x;
}

// The side left of cell row y at point column x (0 <= x <= W, 0 <= y < H).
inline int32_t verticalSide(int32_t width, int32_t height, int32_t x, int32_t y) {
    return width * (height + 1) + y * (width + 1) + x;
}

// One of the four sides of cell (x, y).
inline int32_t cellSide(int32_t width, int32_t height, int32_t x, int32_t y, Direction direction) {
    switch (direction) {
        case TOP:
            return horizontalSide(width, x, y);
        case BOTTOM:
            return horizontalSide(width, x, y + 1);
        case LEFT:
            return verticalSide(width, height, x, y);
        case RIGHT:
            return verticalSide(width, height, x + 1, y);
    }
    return NO_SIDE;
}

// The side that leaves point (px, py) in a direction, or NO_SIDE off the board.
inline int32_t pointSide(int32_t width, int32_t height, int32_t px, int32_t py,
                         Direction direction) {
    switch (direction) {
        case TOP:
            return py > 0 ? verticalSide(width, height, px, py - 1) : NO_SIDE;
        case BOTTOM:
            return py < height ? verticalSide(width, height, px, py) : NO_SIDE;
        case LEFT:
            return px > 0 ? horizontalSide(width, px - 1, py) : NO_SIDE;
        case RIGHT:
            return px < width ? horizontalSide(width, px, py) : NO_SIDE;
    }
    return NO_SIDE;
}

inline bool isHorizontalSide(int32_t width, int32_t height, int32_t side) {
    return side < horizontalSideCount(width, height);
}

// Where a side lies: for a horizontal side, the cell column x and the point row y it runs along;
// for a vertical side, the point column x and the cell row y.
struct SidePlace {
    bool horizontal = true;
    int32_t x = 0;
    int32_t y = 0;
};

inline SidePlace sidePlace(int32_t width, int32_t height, int32_t side) {
    const int32_t horizontalCount = horizontalSideCount(width, height);
    if (side < horizontalCount) return {true, side % width, side / width};
    const int32_t v = side - horizontalCount;
    return {false, v % (width + 1), v / (width + 1)};
}

// The sides on the loop of an answer given as cell colours (W x H bytes, nonzero inside): a side
// is on exactly when the cells beside it differ, cells beyond the grid counting as outside; every
// other side is OFF.
inline std::vector<SideState> sidesOfColours(const uint8_t* inside, int32_t width, int32_t height) {
    auto at = [&](int32_t x, int32_t y) {
        if (x < 0 || y < 0 || x >= width || y >= height) return false;
        return inside[static_cast<size_t>(y) * width + x] != 0;
    };
    std::vector<SideState> sides(static_cast<size_t>(sideCount(width, height)), SideState::OFF);
    for (int32_t y = 0; y <= height; ++y) {
        for (int32_t x = 0; x < width; ++x) {
            if (at(x, y - 1) != at(x, y)) sides[horizontalSide(width, x, y)] = SideState::ON;
        }
    }
    for (int32_t y = 0; y < height; ++y) {
        for (int32_t x = 0; x <= width; ++x) {
            if (at(x - 1, y) != at(x, y)) sides[verticalSide(width, height, x, y)] = SideState::ON;
        }
    }
    return sides;
}

}  // namespace varnel
