#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "solver/side_grid.h"

namespace varnel {

// The fixed part of a board the ladder works on: its clues and the tables that tie cells, sides
// and points together, numbered as in solver/side_grid.h. Made once per problem and shared,
// read-only, by every state of that problem (trials included).
//
// Directions of a cell's sides and of a point's sides are TOP, RIGHT, BOTTOM, LEFT. A cell's
// corners are numbered clockwise from the top-left, 0 TL, 1 TR, 2 BR, 3 BL; corner k of a cell
// holds the cell's sides k and k + 3 (mod 4) in direction order (TL: TOP and LEFT, TR: TOP and
// RIGHT, BR: RIGHT and BOTTOM, BL: BOTTOM and LEFT).
struct BoardLayout {
    int32_t width = 0;      // W, at least 1
    int32_t height = 0;     // H, at least 1
    int32_t cellCount = 0;  // W x H
    int32_t sideCount = 0;  // sideCount(W, H); side index sideCount is the edge sentinel, a side
                            // that leads off the board and is always OFF
    int32_t pointCount = 0;
    int32_t outside = 0;  // the colour node of everything beyond the board: cellCount

    std::vector<uint8_t> clue;                       // [0, cells): 0..3, or NO_CLUE
    std::vector<std::array<int32_t, 4>> cellSides;   // [0, cells): by direction
    std::vector<std::array<int32_t, 4>> cellPoints;  // [0, cells): by corner TL, TR, BR, BL
    std::vector<std::array<int32_t, 4>> pointSides;  // [0, points): by direction; off the board
                                                     // the edge sentinel
    std::vector<std::array<int32_t, 4>> pointCells;  // [0, points): the cell whose corner k is
                                                     // this point, by k; -1 off the board
    std::vector<std::array<int32_t, 2>> sideCells;   // [0, sides]: the cells beside a side
                                                     // (above/below, left/right); outside
                                                     // beyond the board
    std::vector<std::array<int32_t, 2>> sidePoints;  // [0, sides): its ends (left/right,
                                                     // top/bottom)
    std::vector<int32_t> clueCells;                  // the cells with a clue, row-major
    std::vector<int32_t> edgeSides;     // the sides along the board's edge, beside the outside node
    std::vector<int32_t> readingOrder;  // every side, in the order a reader meets them: row by
                                        // row from the top, left to right within a row
    std::vector<std::array<int32_t, 2>> cornerPairs;  // [0, 4 cells): cell * 4 + corner, the
                                                      // cell's two sides at the corner
    std::vector<uint8_t> pointClues;  // [0, points): bit v set when a cell with corner here has
                                      // the clue v (0..3)

    int32_t cellX(int32_t cell) const { return cell % width; }
    int32_t cellY(int32_t cell) const { return cell / width; }
    int32_t pointX(int32_t point) const { return point % (width + 1); }
    int32_t pointY(int32_t point) const { return point / (width + 1); }
    bool hasClue(int32_t cell) const { return clue[cell] <= 3; }

    // The two sides of a cell at its corner k, in direction order.
    const std::array<int32_t, 2>& cornerSides(int32_t cell, int corner) const {
        return cornerPairs[static_cast<size_t>(cell) * 4 + corner];
    }
};

// Lays out a W x H problem (row-major clues, NO_CLUE for none; any value above 3 reads as none).
void layOut(const uint8_t* grid, int32_t width, int32_t height, BoardLayout& layout);

// The two sides at a point beyond corner k of the cell whose corner it is: the pair of the
// diagonally opposite cell, or the sides there are when that cell is off the board (sideCount
// for a side off the board). Corner k of a cell is the point's opposite quarter: a cell's
// top-left corner lies in the point's bottom-right quarter, so its sides beyond go up and left.
inline std::array<int32_t, 2> sidesBeyondCorner(const BoardLayout& layout, int32_t point,
                                                int corner) {
    const auto& s = layout.pointSides[point];
    switch (corner) {
        case 0:
            return {s[TOP], s[LEFT]};
        case 1:
            return {s[TOP], s[RIGHT]};
        case 2:
            return {s[RIGHT], s[BOTTOM]};
        default:
            return {s[LEFT], s[BOTTOM]};
    }
}

// The cell across a side from cell, or the outside node beyond the board.
inline int32_t cellAcross(const BoardLayout& layout, int32_t side, int32_t cell) {
    const auto& c = layout.sideCells[side];
    return c[0] == cell ? c[1] : c[0];
}

}  // namespace varnel
