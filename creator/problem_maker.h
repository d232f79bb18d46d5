#pragma once

#include <cstdint>

#include "creator/shared_random.h"
#include "solver/work_counters.h"

namespace varnel {

// Limits of one attempt, drawn at its start.
struct MakerThresholds {
    int32_t minSets = 0;      // below this many sets addClues judges candidates by propagate
    int32_t maxSets = 0;      // addClues fails when one sweep leaves more sets than this
    int32_t maxClues = 0;     // most clues a problem may keep after removal and after re-adding
    int32_t targetClues = 0;  // topUpClues adds clues up to this count
};

// The thresholds of an attempt on a board of `cells` cells: draw(36), then draw(17).
MakerThresholds drawThresholds(SharedRandom& random, int32_t cells);

// The difficulty score 0 to 49 from the sets one sweep leaves (sweepSets) and the counters of the
// final solve: (S + 3 x (scans + 10 x trials) - 4) x 400 / cells, clamped.
int32_t difficultyScore(int32_t sweepSets, int32_t scanCount, int32_t trialCount, int32_t cells);

// One attempt to make a graded W x H problem: random loops until propagation solves one, then
// thinning, a check by the solver and a score. On success the problem is in grid (W x H bytes)
// and its score in score; on failure both are untouched and false is returned. Prints nothing.
// W and H must suit the loop builder (loopSizeFits). The solver's work is counted into work when it
// is given. judgeThreads above 1 judges the candidate clues on that many threads, for a problem
// made on its own; the problem and the draws are the same for any number.
bool makeProblem(SharedRandom& random, int32_t width, int32_t height, uint8_t* grid, int32_t& score,
                 WorkCounters* work = nullptr, int32_t judgeThreads = 1);

}  // namespace varnel
