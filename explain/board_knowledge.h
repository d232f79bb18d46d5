#pragma once

// What a player knows of the board at one point of a walkthrough, rebuilt from the ladder's
// record of its steps: every side's state, what each cell corner was found to hold, which cells
// are known on the same side of the loop or on different sides, and which step decided each
// side. The sentences of a step are written from the knowledge before it, so that they say what
// the step could see.

#include <cstdint>
#include <vector>

#include "ladder/board_layout.h"
#include "ladder/step_record.h"
#include "solver/side_grid.h"

namespace varnel {

// No step decided the side: it was open, or given on the board the walkthrough started from.
inline constexpr int32_t NO_STEP = -1;

struct BoardKnowledge {
    const BoardLayout* layout = nullptr;
    std::vector<SideState> sides;    // [0, sides]: the last one the edge sentinel, always OFF
    std::vector<int32_t> decidedBy;  // [0, sides): the index of the step that decided the side,
                                     // NO_STEP for an open side or one given at the start
    std::vector<uint8_t> pairs;      // [0, 4 cells): cell * 4 + corner, the PairCounts the steps
                                     // noted for the corner's two sides; PAIR_ANY when none
    std::vector<int32_t> parent;     // [0, cells]: colour union-find, node cells the outside
    std::vector<uint8_t> parity;     // [0, cells]: 1 when on the other side from its parent
    int32_t clashA = -1;             // the first two nodes found related both ways (a decision
    int32_t clashB = -1;             // that contradicts how cells lie); -1 while there is none

    // The board of layout with the given sides (sideCount states; empty for an empty board).
    void start(const BoardLayout& boardLayout, const std::vector<SideState>& given);

    // Takes in what step (the step-th of its walk) decided and noted. Decisions that contradict
    // what is known are kept out, as the ladder keeps them out of its board.
    void apply(const StepRecord& step, int32_t index);

    // Decides one side and relates the cells beside it.
    void setSide(int32_t side, SideState state, int32_t index);

    // 0 when a and b (cells, or layout->outside) are known on the same side of the loop, 1 on
    // different sides, -1 when that is not known.
    int relation(int32_t a, int32_t b) const;

    // Inside (1), outside (0) or not known (-1).
    int placeOf(int32_t cell) const { return relation(cell, layout->outside); }

    // The line counts a corner's two sides can still hold, by the notes and the sides' states.
    uint8_t pairMask(int32_t cell, int corner) const;

    // Lines and crosses among a cell's four sides.
    int32_t linesOf(int32_t cell) const;
    int32_t crossesOf(int32_t cell) const;

    // Lines, crosses and open sides at a point; sides off the board count as crosses.
    int32_t linesAt(int32_t point) const;
    int32_t openAt(int32_t point) const;

    // Every side that is a line.
    int32_t lineTotal() const;

    // Follows the line that ends at point (one line there) to its other end; length receives
    // its sides. Returns point itself when no line or two lines meet there.
    int32_t lineEnd(int32_t point, int32_t& length) const;

  private:
    int32_t root(int32_t node, uint8_t& p) const;
    void relate(int32_t a, int32_t b, bool different);
};

}  // namespace varnel
