#pragma once

#include <cstdint>

#include "creator/grading.h"
#include "creator/shared_random.h"
#include "solver/work_counters.h"

namespace varnel {

// The random loop builders a problem can start from.
enum class LoopBuilderKind : uint8_t {
    STRIP,   // narrow strips in 64-bit masks (RandomLoopBuilder): W and H multiples of 4 up to 36
    REGION,  // a grown region (RegionLoopBuilder): any W, H >= 3 within the solver's labels
};

// True when the builder supports a W x H board.
bool loopBuilderFits(LoopBuilderKind kind, int64_t width, int64_t height);

// The builder a W x H board is made with unless another is asked for: the strip builder where it
// fits, else the region builder.
LoopBuilderKind defaultLoopBuilder(int64_t width, int64_t height);

// Limits of one attempt, drawn at its start.
struct MakerThresholds {
    int32_t minSets = 0;      // below this many sets addClues judges candidates by propagate
    int32_t maxSets = 0;      // addClues fails when one sweep leaves more sets than this
    int32_t maxClues = 0;     // most clues a problem may keep after removal and after re-adding
    int32_t targetClues = 0;  // topUpClues adds clues up to this count
};

// The thresholds of an attempt on a board of `cells` cells: draw(36), then draw(17). minSets is at
// least 2, which changes only boards of fewer than 28 cells.
MakerThresholds drawThresholds(SharedRandom& random, int32_t cells);

// One attempt to make a graded W x H problem: random loops until propagation solves one, then
// thinning, a check by the solver and a score. On success the problem is in grid (W x H bytes)
// and its grade (score, level, and how the check's solve ended: FOUND or STUCK) in grade; on
// failure both are untouched and false is returned. Prints nothing.
// W and H must suit the loop builder (loopBuilderFits). The solver's work is counted into work when
// it is given. Everything after the loop is the same whichever builder draws it. judgeThreads above
// 1 judges the candidate clues on that many threads, for a problem made on its own; the problem and
// the draws are the same for any number.
bool makeProblem(SharedRandom& random, int32_t width, int32_t height, uint8_t* grid,
                 ProblemGrade& grade, WorkCounters* work = nullptr,
                 LoopBuilderKind kind = LoopBuilderKind::STRIP, int32_t judgeThreads = 1);

}  // namespace varnel
