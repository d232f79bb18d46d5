#pragma once

#include <array>
#include <cstdint>

#include "creator/shared_random.h"

namespace varnel {

// Lines of a mask array: padded rows (or columns) 0 to 37, enough for any W + 2, H + 2 <= 38.
inline constexpr int32_t MASK_LINES = 38;

// One mask per line; bit q of a line is padded position q along it.
using LineMasks = std::array<uint64_t, MASK_LINES>;

// Number of a cell's sides on the boundary of the inside set, indexed by
// 16 x up + 8 x down + 4 x right + 2 x self + left (each the inside bit of that cell): the count
// of neighbours whose bit differs from the cell's own. An entry 0 marks a dead cell, alike to all
// four neighbours. The table is symmetric under swapping rows and columns, so it serves both
// mask orientations.
inline constexpr std::array<uint8_t, 32> SIDE_COUNT = {
    0, 1, 4, 3, 1, 2, 3, 2, 1, 2, 3, 2, 2, 3, 2, 1, 1, 2, 3, 2, 2, 3, 2, 1, 2, 3, 2, 1, 3, 4, 1, 0,
};

// True for the board sizes the builder supports: W and H multiples of 4 from 4 to 36, so that the
// padded lines (W + 2, H + 2 <= 38) fit the mask arrays and every strip stays inside the grid.
bool loopSizeFits(int64_t width, int64_t height);

// Draws a random inside set of cells from narrow strips in 64-bit line masks and writes the full
// clue grid of its boundary. The boundary need not be one closed loop; the caller decides whether
// to keep it. Bind fullClues, width, height and random (bind does all four), then call buildLoop
// as often as needed. Nothing is allocated.
struct RandomLoopBuilder {
    LineMasks rowMasks{};     // [0, H + 1]: padded row r, bit q set = cell (r, q) inside; result
    LineMasks columnMasks{};  // [0, W + 1]: padded column q, bit r set = cell (r, q) inside;
                              // workspace of horizontal-strip bands before transposeInto
    uint8_t* fullClues = nullptr;    // [0, W x H): caller's grid, receives every side count
    int32_t width = 0;               // W, a multiple of 4 in [4, 36]
    int32_t height = 0;              // H, a multiple of 4 in [4, 36]
    SharedRandom* random = nullptr;  // source of every random choice; not owned

    void bind(uint8_t* clues, int32_t w, int32_t h, SharedRandom* source);

    // Clears both mask arrays, draws a new inside set (never empty, never on the border ring)
    // and overwrites all W x H bytes of fullClues with their SIDE_COUNT values, 0 to 4.
    void buildLoop();

    // Strips with base positions first, first + 4, ... below last over lines s + 1 to e of m,
    // then the joins between neighbouring strips and the bumps into a lane at the border.
    void buildBand(LineMasks& m, int32_t first, int32_t last, int32_t s, int32_t e);

    // One strip with base position o (lane o + 1, spine o + 2 to o + 4) over lines s + 1 to e.
    void growStrip(LineMasks& m, int32_t o, int32_t s, int32_t e);

    // Widens line j + 1 towards a dead pair of cells near the lane of the strip with base n,
    // found in lines i and i + 1. Draws nothing.
    void fillDeadSpace(LineMasks& m, int32_t n, int32_t i, int32_t j);

    // Joins the strip whose last spine position is a to the strip whose lane is a + 1, over the
    // lines s + 1 to e: one lane cell where both are present, else a five-cell crossing.
    void joinStrips(LineMasks& m, int32_t a, int32_t s, int32_t e);

    // For source lines a + 1 to count and positions start + 1 to end: a set bit y of source line
    // x sets bit x of target line y. Draws nothing.
    void transposeInto(const LineMasks& source, LineMasks& target, int32_t start, int32_t end,
                       int32_t a, int32_t count);
};

}  // namespace varnel
