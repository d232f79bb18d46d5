#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "solver/clue_grid.h"
#include "solver/parity_union_find.h"
#include "solver/region_scan.h"
#include "solver/work_counters.h"

namespace varnel {

// A cell of the padded board without clue; every border cell holds it.
inline constexpr uint8_t NO_BOARD_CLUE = 255;

// The reference cell for the outside of the loop: the top-left border cell.
inline constexpr int32_t OUTSIDE = 0;

struct SolverBoard;
struct RegionMap;

// Called with the board each time the solve loop finds it solved while printing is asked for.
using AnswerPrinter = std::function<void(const SolverBoard&)>;

// How a solve ended.
enum class SolveOutcome : uint8_t {
    FOUND,   // one set left: the answer was counted in answerCount (and printed if asked)
    STUCK,   // stopped without deciding: no step could decide another relation
    FAILED,  // the relations admit no answer, or the branching step found no decisive pair
};

// How solveWithBranching ended, and whether its branching step ran.
struct SolveResult {
    SolveOutcome outcome = SolveOutcome::FAILED;
    bool branched = false;  // the solve loop was stuck and the branching step ran
};

// The solver's working state for one problem, laid out on a (W + 2) x (H + 2) board whose outer
// ring of border cells is always outside. Problem cell (x, y) has index (y + 1) x stride + x + 1.
// A scratch board made by copyFrom refers to the clues and the RegionScan of its source.
struct SolverBoard {
    std::vector<uint8_t> ownClues;  // [0, cellCount): the clue array when this board owns it
    uint8_t* clues = nullptr;       // [0, cellCount): 0..3 or NO_BOARD_CLUE; own or the source's
    std::vector<uint8_t> done;      // [0, cellCount): 1 when all four sides of the cell are decided
    uint8_t ownsClues = 0;          // 1 when clues points into ownClues (setUp), 0 after copyFrom
    ParityUnionFind uf;             // colour relations of all padded cells
    RegionScan* scan = nullptr;     // connectivity scratch record; not owned
    int32_t stride = 0;             // W + 2
    int32_t paddedHeight = 0;       // H + 2
    int32_t cellCount = 0;          // stride x paddedHeight
    int32_t trialCount = 0;         // relations decided by the trial and branching steps
    int32_t scanCount = 0;          // scans: connectivity passes run by propagate on this board
    int32_t answerCount = 0;        // answers found on this board
    WorkCounters* work = nullptr;   // where this board and its copies count their work; not owned,
                                    // null for none
    RegionMap* sourceRegions = nullptr;  // the regions of a board of the search that this one
                                         // knows at least as much as, which its connectivity
                                         // passes are worked out from; not owned, null for none

    SolverBoard() = default;
    // A board refers to its own vectors through clues, so it is copied only by copyFrom.
    SolverBoard(const SolverBoard&) = delete;
    SolverBoard& operator=(const SolverBoard&) = delete;

    int32_t cellIndex(int32_t x, int32_t y) const { return (y + 1) * stride + x + 1; }

    // Lays out a W x H problem, relates the border ring to OUTSIDE and seeds the 0 and 3 clues.
    // Arrays are allocated on the first set-up and reused; later set-ups must keep the size.
    void setUp(const uint8_t* grid, int32_t width, int32_t height, RegionScan& regionScan);

    // Writes clue v (0..3, or NO_BOARD_CLUE to clear) at problem cell (x, y) and seeds what it
    // gives. Clearing does not undo relations seeded before.
    void placeClue(int32_t x, int32_t y, uint8_t v);

    // True when placeClue(x, y, v) may record a relation through the seeding rules: a 0 not yet
    // seeded, a 3 next to a 3 or diagonal to one across a run of 2s, a 2 on a diagonal run of 2s
    // between two 3s. It may err towards true, never towards false.
    bool placingMaySeed(int32_t x, int32_t y, uint8_t v) const;

    // Seeding rules for a clue 0, a clue 3 in rotation (a, b) and a clue 2 in rotation (a, b).
    void seedClueZero(int32_t c);
    void seedClueThree(int32_t c, int32_t a, int32_t b);
    void seedClueTwo(int32_t c, int32_t a, int32_t b);

    // What the clues give without search, cell by cell in index order: the clue-0 rule, and the
    // clue-3 rule in the four rotations. A 2 is seeded only by placeClue.
    void seedClues();

    // The first cell c + k x step, k >= 1, that holds no 2: the far end of a diagonal run of 2s
    // from c (step = a + b, one diagonal step). Border cells hold no clue, so the walk stops on
    // the board.
    int32_t diagonalEnd(int32_t c, int32_t step) const;

    // One pass of the local rules over padded rows 1 to H in index order.
    void sweep();

    // The rest of a sweep, from cell firstCell on (stride for a whole sweep; nothing from the
    // first cell of the bottom border row on).
    void sweepFrom(int32_t firstCell);

    // Sweeps until stalled, then one connectivity pass, and again; when one set is left, checks
    // that the colouring is one loop. False on any contradiction.
    bool propagate();

    // The rest of a propagate call whose current sweep has reached firstCell (stride at the start
    // of a sweep, cellCount when it is complete), with reference the set count before that
    // sweep's run of sweeps began.
    bool propagateFrom(int32_t firstCell, int32_t reference);

    // What a connectivity pass found.
    enum class PassOutcome : uint8_t {
        DECIDED,  // a region with a single way out took it: one relation was added
        CLOSED,   // a region with no way out must join others: a contradiction
        NOTHING,  // nothing to decide
    };

    // One connectivity pass of propagate (a scan): adds 1 to scanCount and looks at the known
    // regions in the order of their lowest cell.
    PassOutcome connectivityPass();

    // Makes this board a working copy of source (same size), reusing this board's arrays.
    void copyFrom(const SolverBoard& source);

    // First-level search: decides one relation by refuting its opposite with propagate on scratch.
    // regions receives this board's regions, from which the scratch board's passes are worked out.
    bool trialStep(SolverBoard& scratch, RegionMap& regions);

    // Propagation and trial steps until solved (FOUND), stuck or contradicted (FAILED). A null
    // printer means print nothing. The second form runs its trial steps on the caller's scratch
    // board and region map, for a caller that solves many boards in a row.
    SolveOutcome solveLoop(const AnswerPrinter* printer);
    SolveOutcome solveLoop(const AnswerPrinter* printer, SolverBoard& scratch, RegionMap& regions);

    // Second-level search: decides one relation by refuting its opposite with a whole solve loop,
    // then runs the solve loop on this board and returns its outcome. FAILED when no pair is
    // decisive.
    SolveOutcome branchStep(const AnswerPrinter* printer);

    // The solve of one problem: the solve loop, then the branching step when the loop is stuck.
    // Every solve of a whole problem goes through here (solveClues, the problem maker).
    SolveResult solveWithBranching(const AnswerPrinter* printer);
};

}  // namespace varnel
