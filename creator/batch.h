#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <vector>

#include "solver/clue_grid.h"

namespace varnel {

// One problem of a batch.
struct ProblemSlot {
    int32_t sizeClass = 0;  // 0 to 4, an index of CLASS_WIDTHS and CLASS_HEIGHTS
    int32_t score = 0;      // difficulty 0 to 49, set by makeProblem
    ClueGrid grid;          // [0, W x H) of its class: the problem
};

// Problems of each size class 0 to 2 written to the files "easy", "normal" and "hard" of the
// batch grouped by difficulty.
inline constexpr std::array<std::array<int32_t, 3>, 3> difficultyShares = {{
    {20, 8, 2},
    {15, 10, 5},
    {10, 10, 10},
}};

// Called after every step-th slot is made, from the thread that made it.
using ProgressMark = std::function<void()>;

// Fills every slot with a problem of its class, on the OpenMP team with a static schedule,
// calling markProgress after every step-th slot. One source seeded with seed serves all threads,
// so with one thread a seed gives one batch.
void makeBatch(std::vector<ProblemSlot>& slots, int32_t step, uint32_t seed,
               const ProgressMark& markProgress);

// Stable insertion sort by size class, then score.
void sortSlots(std::vector<ProblemSlot>& slots);

}  // namespace varnel
