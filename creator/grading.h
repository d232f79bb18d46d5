#pragma once

#include <cstdint>

#include "solver/region_scan.h"
#include "solver/solver_board.h"

namespace varnel {

// The difficulty score 0 to 49 from the sets one sweep leaves (sweepSets) and the counters of the
// final solve: (S + 3 x (scans + 10 x trials) - 4) x 400 / cells, clamped. It grows with the
// solver's work per cell; a batch writes score / 10 + 1 as the problem's level.
int32_t difficultyScore(int32_t sweepSets, int32_t scanCount, int32_t trialCount, int32_t cells);

// The level 1 to 5 of a score 0 to 49, as a batch writes it.
inline int32_t levelOfScore(int32_t score) {
    return score / 10 + 1;
}

// The creator's grade of a problem: the measurements and the score by which a batch grades the
// problems it makes.
struct ProblemGrade {
    int32_t sweepSets = 0;                        // sets one sweep of the set-up board leaves
    SolveOutcome outcome = SolveOutcome::FAILED;  // of the solve with the branching step
    bool branched = false;                        // that solve needed the branching step
    int32_t trialCount = 0;                       // relations that solve decided by search
    int32_t scanCount = 0;                        // connectivity passes of that solve
    int32_t score = 0;                            // difficultyScore of the above, 0..49
    int32_t level = 1;                            // levelOfScore(score), 1..5
};

// Grades a W x H problem on the caller's board and scan record, as the problem maker does after
// thinning: one sweep of the freshly set-up board, then the solve with the branching step on a
// fresh set-up (which zeroes the counters), printing nothing. A problem the maker would reject
// (FAILED) still gets the score of the work done.
ProblemGrade gradeOnBoard(SolverBoard& board, RegionScan& scan, const uint8_t* grid, int32_t width,
                          int32_t height);

// gradeOnBoard on a board of its own. The problem must fit the solver's labels.
ProblemGrade gradeProblem(const uint8_t* grid, int32_t width, int32_t height);

// The level alone, always gradeProblem's level, but measured only as far as the level is
// certain: the counters only grow and the score grows with them, so once the work already done
// caps the score at 49, the level is 5 whatever the rest of the solve does. On a board with few
// clues one sweep leaves so many sets that this is known before any solve, where the solve
// itself could take hours.
int32_t gradeLevel(const uint8_t* grid, int32_t width, int32_t height);

}  // namespace varnel
