#include "solver/solve_entry.h"

#include <cassert>

namespace varnel {

SolveSummary solveClues(const uint8_t* grid, int32_t width, int32_t height,
                        const AnswerPrinter* printer, WorkCounters* work) {
    assert(fitsSolverLabels(width, height));
    RegionScan scan;
    SolverBoard board;
    board.work = work;
    board.setUp(grid, width, height, scan);
    const SolveResult result = board.solveWithBranching(printer);
    SolveSummary summary;
    summary.outcome = result.outcome;
    summary.branched = result.branched;
    summary.answerCount = board.answerCount;
    summary.trialCount = board.trialCount;
    summary.scanCount = board.scanCount;
    summary.setCount = board.uf.setCount;
    return summary;
}

int32_t solveProblem(const uint8_t* grid, int32_t width, int32_t height,
                     const AnswerPrinter& printAnswer, const VerdictPrinter& printVerdict) {
    const SolveSummary summary = solveClues(grid, width, height, &printAnswer);
    printVerdict(summary.outcome, summary.answerCount);
    return summary.outcome == SolveOutcome::FAILED ? 0 : summary.answerCount;
}

}  // namespace varnel
