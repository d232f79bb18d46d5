#pragma once

#include <cstdint>
#include <functional>

#include "solver/clue_grid.h"
#include "solver/solver_board.h"

namespace varnel {

// How one problem's solve ended, with the board's counters as the solve left them.
struct SolveSummary {
    SolveOutcome outcome = SolveOutcome::FAILED;  // FOUND, STUCK or FAILED
    bool branched = false;    // the solve loop was stuck and the branching step ran
    int32_t answerCount = 0;  // 0 or 1
    int32_t trialCount = 0;   // relations decided by search
    int32_t scanCount = 0;    // scans: connectivity passes
    int32_t setCount = 0;     // sets left at the end
};

// Receives the verdict of one problem: how its solve ended, and the number of answers counted.
using VerdictPrinter = std::function<void(SolveOutcome outcome, int32_t answerCount)>;

// Sets up a fresh board for the W x H grid and solves it with solveWithBranching. printer (may be
// null) receives the board when it is solved; the solver's work is counted into work when it is
// given. The problem must fit the solver's labels (fitsSolverLabels).
SolveSummary solveClues(const uint8_t* grid, int32_t width, int32_t height,
                        const AnswerPrinter* printer, WorkCounters* work = nullptr);

// The solve entry of solve mode: solves the problem, handing the answer (if any) to printAnswer and
// then the verdict to printVerdict. Returns the number of answers counted, 0 or 1 (0 after a
// failure).
int32_t solveProblem(const uint8_t* grid, int32_t width, int32_t height,
                     const AnswerPrinter& printAnswer, const VerdictPrinter& printVerdict);

}  // namespace varnel
