#pragma once

#include <cstdint>
#include <vector>

#include "solver/side_grid.h"

namespace varnel {

// What a corner's pair of sides was found to hold (PairCounts of ladder/pencil_state.h).
struct PairNote {
    int32_t cell = 0;
    int32_t corner = 0;  // 0 TL, 1 TR, 2 BR, 3 BL
    uint8_t counts = 0;  // the PairCounts mask now known
};

// Two cells found on the same side of the loop or on different sides. A node equal to the
// board's cell count stands for the outside beyond the board.
struct RelationNote {
    int32_t a = 0;
    int32_t b = 0;
    bool different = false;
};

// Why a trial's assumption failed: the technique that found the contradiction and where.
struct TrialEnd {
    int32_t technique = -1;       // the technique whose deduction broke a rule; -1 when the
                                  // assumption itself broke one
    std::vector<int32_t> cells;   // the clue cells it read
    std::vector<int32_t> points;  // the points it read
    std::vector<int32_t> sides;   // the sides it read or decided
};

// One application of a technique, as the ladder records it: what it read and what it decided.
// Cells are numbered row-major, sides and points as in solver/side_grid.h.
struct StepRecord {
    int32_t technique = 0;  // index in the technique table (ladder/techniques.h)

    std::vector<int32_t> cells;   // the cells it read, the one it is about first
    std::vector<int32_t> points;  // the points it read
    std::vector<int32_t> sides;   // the decided sides it read

    std::vector<int32_t> on;              // sides it put on the loop
    std::vector<int32_t> off;             // sides it crossed
    std::vector<int32_t> inside;          // cells it found inside the loop
    std::vector<int32_t> outside;         // cells it found outside
    std::vector<PairNote> pairs;          // corner pairs it narrowed
    std::vector<RelationNote> relations;  // cell relations it found

    // Trials: the side assumed, how it was assumed, how many steps it took to break a rule and
    // how; the steps themselves when the walkthrough asked for them.
    int32_t assumedSide = -1;
    SideState assumed = SideState::OPEN;
    int32_t chain = 0;
    TrialEnd end;
    std::vector<StepRecord> chainSteps;

    bool decidesSomething() const {
        return !on.empty() || !off.empty() || !inside.empty() || !outside.empty();
    }
};

}  // namespace varnel
