#pragma once

#include <cstdint>
#include <vector>

#include "creator/shared_random.h"

namespace varnel {

// True for the board sizes the region builder supports: W and H at least 3, and the padded board
// within the solver's labels ((W + 2) x (H + 2) <= 32767).
bool regionSizeFits(int64_t width, int64_t height);

// Draws a random inside region of any board size whose boundary is always one simple loop, and
// writes the full clue grid of that boundary: the second loop builder, for the sizes the strip
// builder does not cover.
//
// The region grows from one random cell, one cell at a time, and every step keeps three things
// true: the inside is connected, the outside is connected to the border (no holes), and no 2 x 2
// block is a checkerboard, so no two inside cells (and no two outside cells) meet only at a
// corner. Together they make the boundary one loop that never touches itself.
//
// A cell joins only when the inside cells among its eight neighbours form one unbroken arc, so
// the step neither closes a ring around outside cells nor joins two branches. Before growing, a
// few small random rectangles are reserved to stay outside (pockets). Then frontier cells are
// picked at random: a cell that touches the inside on one side only (it extends a branch) always
// joins; one that touches it on two or three sides (it fills a bend) joins with a chance a little
// under one half and otherwise stays outside for good. Growth goes on until no cell can join. The
// region is a branching tree of winding corridors one to three cells wide between outside walls
// and pockets; on 16 x 12 and 36 x 20 it covers about half the board with about 0.85 and 0.8
// boundary sides per cell, as the strip builder's accepted loops do (0.5, 0.85 and 0.81).
//
// Bind once (bind allocates every array), then call buildLoop as often as needed.
struct RegionLoopBuilder {
    std::vector<uint8_t> inside;        // [0, paddedCells): 1 = inside; the border ring stays 0
    std::vector<int32_t> frontier;      // outside cells with an inside side neighbour that may
                                        // join, in the order they were found (swap-removed)
    std::vector<int32_t> frontierSlot;  // [0, paddedCells): index in frontier; -1 not listed,
                                        // -2 kept outside for this growth (the border ring too)
    uint8_t* fullClues = nullptr;       // [0, W x H): caller's grid, receives every side count
    int32_t width = 0;                  // W, at least 3
    int32_t height = 0;                 // H, at least 3
    int32_t stride = 0;                 // W + 2
    int32_t insideCount = 0;            // cells inside after the last buildLoop
    SharedRandom* random = nullptr;     // source of every random choice; not owned

    void bind(uint8_t* clues, int32_t w, int32_t h, SharedRandom* source);

    // Grows a new region (never empty, never on the border ring, its boundary one simple loop)
    // and overwrites all W x H bytes of fullClues with the number of each cell's sides on the
    // boundary, 0 to 3.
    void buildLoop();

    // The eight neighbours of padded cell c as a ring mask: bit 0 up, then clockwise (up-right,
    // right, down-right, down, down-left, left, up-left); a set bit is an inside neighbour.
    uint32_t ringMask(int32_t c) const;

  private:
    // One growth from cleared arrays: pockets, a start cell, then joins until none is possible.
    void grow();
    void addToFrontier(int32_t c);
    void removeFromFrontier(int32_t c);
    void join(int32_t c);
};

// True when an outside cell whose eight neighbours read ring may join the inside without
// breaking the loop: the inside neighbours form one unbroken arc around it, the arc holds a side
// neighbour, and no inside corner neighbour lacks an inside side neighbour next to it (that
// would make a checkerboard block).
bool ringAllowsJoin(uint32_t ring);

}  // namespace varnel
