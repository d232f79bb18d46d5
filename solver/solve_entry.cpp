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
    SolveSummary summary;
    summary.result = board.solveLoop(printer, summary.failed);
    if (!summary.result && summary.failed == 0) board.branchStep(printer, summary.failed);
    summary.result = board.uf.setCount == 1 && board.answerCount > 0 && summary.failed == 0;
    summary.answerCount = board.answerCount;
    summary.trialCount = board.trialCount;
    summary.scanCount = board.scanCount;
    summary.setCount = board.uf.setCount;
    return summary;
}

int32_t solveProblem(const uint8_t* grid, int32_t width, int32_t height,
                     const AnswerPrinter& printAnswer, const VerdictPrinter& printVerdict) {
    const SolveSummary summary = solveClues(grid, width, height, &printAnswer);
    printVerdict(summary.failed, summary.answerCount);
    return summary.failed == 1 ? 0 : summary.answerCount;
}

}  // namespace varnel
