#pragma once

#include <cstdint>
#include <vector>

#include "solver/candidate_judge.h"
#include "solver/solver_board.h"

namespace varnel {

// Measures clue removals on a board fresh from setUp: for each, the set count that setting the
// board up without that clue and then one sweep (or propagate) would leave.
//
// Without a clue whose removal changes nothing the set-up seeds, the set-up board is the same but
// for the clue byte, and a sweep of it is the sweep of the whole problem until the first visit
// that reads the clue. So the judge sweeps the whole problem once (the base run, which after a
// set-up visits every cell) and, just before that first visit, goes on from a copy of the base
// run without the clue, alone to the end. Each removal saves the set-up and the sweep's visits
// before its first reading visit.
struct RemovalJudge {
    SolverBoard base;                     // the base run; shares the board's clues and scan record
    SolverBoard branch;                   // a removal's run from its first reading visit on
    std::vector<ClueCandidate> removals;  // the clues to take away (x, y; value unused), and the
                                          // sets each leaves
    std::vector<int32_t> firstReads;      // per removal: the first visit that reads its clue
    std::vector<int32_t> order;           // the removals by their first reading visit
    std::vector<uint64_t> branchRows;     // [0, paddedHeight): bit x: removals branch at (row, x)

    // True when setting up the board without its clue at (x, y) may seed otherwise than with
    // it: a 0, a 3 next to a 3 or diagonal to one across a run of 2s, a 2 on such a run. It may
    // err towards true, never towards false. Such removals are not for this judge.
    static bool clearingMaySeed(const SolverBoard& board, int32_t x, int32_t y);

    // Fills the sets of every removal; board is fresh from setUp with all the clues.
    void judge(const SolverBoard& board, JudgeBy by);
};

}  // namespace varnel
