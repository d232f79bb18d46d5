#include "varnel/solve.h"

#include "lib/records.h"
#include "lib/solver_results.h"
#include "solver/cell_colours.h"
#include "solver/region_scan.h"
#include "solver/solve_entry.h"
#include "textio/answer_diagram.h"
#include "textio/console.h"

namespace varnel::api {

namespace {

// Sets left by one sweep on a freshly set-up board, as `varnel_probe solve` reports them.
int32_t setsAfterOneSweep(const ClueGrid& grid, int32_t width, int32_t height) {
    RegionScan scan;
    SolverBoard board;
    board.setUp(grid.data(), width, height, scan);
    board.sweep();
    return board.uf.setCount;
}

}  // namespace

SolveReport solve(const Puzzle& puzzle) {
    SolveReport report;
    report.error = puzzleError(puzzle);
    if (!report.error.empty()) return report;
    const ClueGrid grid = clueGridOf(puzzle);
    CellColours colours;
    const AnswerPrinter keep = [&](const SolverBoard& board) {
        report.diagram = formatDiagram(board);
        colours = coloursOf(board);
    };
    const SolveSummary s = solveClues(grid.data(), puzzle.width, puzzle.height, &keep);
    report.result = solverResultOf(s.outcome);
    report.answerCount = s.answerCount;
    report.branched = s.branched;
    report.trials = s.trialCount;
    report.scans = s.scanCount;
    report.sets = s.setCount;
    report.sweepSets = setsAfterOneSweep(grid, puzzle.width, puzzle.height);
    report.verdict = formatVerdict(s.outcome, s.answerCount);
    report.verdict.pop_back();  // the line end
    if (!colours.empty()) report.answer = answerOf(colours, puzzle.width, puzzle.height);
    return report;
}

}  // namespace varnel::api
