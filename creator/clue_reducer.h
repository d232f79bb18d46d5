#pragma once

#include <cstdint>
#include <deque>
#include <vector>

#include "creator/row_masks.h"
#include "creator/shared_random.h"
#include "solver/candidate_judge.h"
#include "solver/clue_grid.h"
#include "solver/removal_judge.h"
#include "solver/solver_board.h"

namespace varnel {

// True when cell (c, r) is a sparse place for topUpClues: of its 8 neighbours at most 3 are
// occupied (hold a clue or lie outside the board), at most 2 of them side neighbours. occupied
// holds rows -1 to H as rows 0 to H + 1, bit c + 1 for column c.
bool isSparsePlace(const PaddedRowMasks& occupied, int32_t c, int32_t r);

// Thins the full clue grid of a loop into a problem the solver still solves: seeds some 0s and
// 3s, adds the clues that help the solver most, removes those it does not need and tops up
// sparse places. Every clue of the problem is the full grid's clue of that cell, no two 0 clues
// touch (not even at a corner), and clueCount always counts the clues of the problem.
struct ClueReducer {
    SharedRandom* random = nullptr;   // the batch's source; not owned
    ClueGrid problem;                 // [0, W x H): the problem being built, NO_CLUE = no clue
    std::vector<int32_t> candidates;  // [0, W x H): cell positions row x W + column; candidates
                                      // while they are judged, then the tied best of them
    PaddedRowMasks zeroRows;          // rows [0, H + 1]: bit c + 1 of row r + 1 = 0 clue at (c, r)
    PaddedRowMasks occupied;          // rows [0, H + 1], topUpClues: bit c + 1 of row r + 1 set
                                      // when (c, r) holds a clue or lies outside the board
    int32_t width = 0;                // W
    int32_t height = 0;               // H
    int32_t clueCount = 0;            // clues in problem
    CandidateJudge judge;             // measures the candidates of an adding iteration
    RemovalJudge removalJudge;        // measures the removals of removeClues
    int32_t threads = 1;              // threads for a problem made on its own: removeClues
                                      // measures that many removals side by side
    // One thread's board for the removals measured side by side.
    struct RemovalWorker {
        ClueGrid grid;  // the problem without the clue tried
        SolverBoard board;
        RegionScan scan;
        WorkCounters work;  // added to the board's work after each round
    };
    std::deque<RemovalWorker> removalWorkers;
    std::vector<int32_t> removalSets;   // [0, W x H): the sets left without the cell's clue,
                                        // measured on the problem as it stands; -1 where it is
                                        // to be measured alone
    std::vector<int32_t> removalTried;  // the cells of one round

    // Binds the reducer to a source and a size; arrays are allocated on first use and reused
    // while the size stays. Any size within the solver's labels.
    void init(SharedRandom* source, int32_t w, int32_t h);

    // Starts a new problem from three in four of the 3s and, by a draw each, 0s that touch no
    // kept 0.
    void seedClues(const uint8_t* full);

    // Adds clues until propagation alone solves the problem: the candidate that leaves the
    // fewest sets after one sweep (or, below minSets sets, after propagate) wins, ties broken by
    // a draw. False when one sweep of the starting problem leaves more than maxSets sets, or when
    // no candidate lowers the set count.
    bool addClues(const uint8_t* full, SolverBoard& board, SolverBoard& scratch, RegionScan& scan,
                  int32_t minSets, int32_t maxSets);

    // Removes the clues whose absence leaves no more sets than the whole problem does: a pass
    // judged by one sweep, then a pass judged by propagate in which a removal also needs a draw.
    void removeClues(const uint8_t* full, SolverBoard& board, RegionScan& scan);

    // Adds clues in sparse places (at most 3 of 8 neighbours holding a clue or lying outside,
    // at most 2 of them side neighbours) until clueCount reaches target or no place is left.
    void topUpClues(const uint8_t* full, int32_t target);

    // The 0 test: true when a 0 clue lies in the 3 x 3 block around (c, r).
    bool zeroNearby(int32_t c, int32_t r) const {
        return (zeroRows.window3(r, c) | zeroRows.window3(r + 1, c) | zeroRows.window3(r + 2, c)) !=
               0;
    }

  private:
    // Copies the full clue at p into the problem and counts it.
    void takeClue(const uint8_t* full, int32_t p);
    void rebuildZeroRows();
    // One adding iteration: judges every candidate as if placed alone on a copy of board (by one
    // sweep or by propagate), keeps the tied best below best, picks one by a draw and places it
    // on board. False when no candidate lowers best.
    bool addBestClue(const uint8_t* full, SolverBoard& board, JudgeBy by, int32_t& best);
    // Measures the removal of each of the next REMOVAL_ROUND clues from position `from` on, on the
    // problem as it stands, by one sweep of it, into removalSets; returns the position after the
    // last.
    int32_t judgeRemovals(SolverBoard& board, RegionScan& scan, int32_t from, JudgeBy by);
    // Measures the removal of each of the next `threads` clues from position `from` on, on the
    // problem as it stands, side by side, into removalSets; returns the position after the last.
    int32_t measureRemovals(const SolverBoard& board, int32_t from, JudgeBy by);
};

}  // namespace varnel
