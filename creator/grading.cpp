#include "creator/grading.h"

#include <cassert>

#include "creator/problem_maker.h"
#include "solver/clue_grid.h"
#include "solver/region_scan.h"
#include "solver/solver_board.h"

namespace varnel {

namespace {

constexpr int32_t TOP_SCORE = 49;

// The sets one sweep of the freshly set-up board leaves.
int32_t sweepSetsOf(SolverBoard& board, const uint8_t* grid, int32_t width, int32_t height,
                    RegionScan& scan) {
    board.setUp(grid, width, height, scan);
    board.sweep();
    return board.uf.setCount;
}

// The solve with the branching step on a freshly set-up board (set-up zeroes the counters, so
// they count this solve alone), printing nothing: the solve loop, then the branching step when
// the loop is stuck. With stopOnceCapped the branching step is left out when the loop's work
// already caps the score; the outcome is then STOPPED. The one place that reads the solver's
// outcome.
GradeOutcome solveForGrade(SolverBoard& board, const uint8_t* grid, int32_t width, int32_t height,
                           RegionScan& scan, int32_t sweepSets, bool stopOnceCapped) {
    board.setUp(grid, width, height, scan);
    uint8_t failed = 0;
    if (board.solveLoop(nullptr, failed)) return GradeOutcome::FOUND;
    if (failed) return GradeOutcome::FAILED;
    if (stopOnceCapped && difficultyScore(sweepSets, board.scanCount, board.trialCount,
                                          width * height) >= TOP_SCORE) {
        return GradeOutcome::STOPPED;
    }
    board.branchStep(nullptr, failed);
    if (failed) return GradeOutcome::FAILED;
    return board.answerCount > 0 ? GradeOutcome::FOUND : GradeOutcome::STOPPED;
}

}  // namespace

ProblemGrade gradeProblem(const uint8_t* grid, int32_t width, int32_t height) {
    assert(fitsSolverLabels(width, height));
    RegionScan scan;
    SolverBoard board;
    ProblemGrade grade;
    grade.sweepSets = sweepSetsOf(board, grid, width, height, scan);
    grade.outcome = solveForGrade(board, grid, width, height, scan, grade.sweepSets, false);
    grade.trialCount = board.trialCount;
    grade.scanCount = board.scanCount;
    grade.score =
        difficultyScore(grade.sweepSets, grade.scanCount, grade.trialCount, width * height);
    grade.level = grade.score / 10 + 1;
    return grade;
}

int32_t gradeLevel(const uint8_t* grid, int32_t width, int32_t height) {
    assert(fitsSolverLabels(width, height));
    const int32_t cells = width * height;
    RegionScan scan;
    SolverBoard board;
    const int32_t sweepSets = sweepSetsOf(board, grid, width, height, scan);
    if (difficultyScore(sweepSets, 0, 0, cells) >= TOP_SCORE) return TOP_SCORE / 10 + 1;
    solveForGrade(board, grid, width, height, scan, sweepSets, true);
    return difficultyScore(sweepSets, board.scanCount, board.trialCount, cells) / 10 + 1;
}

}  // namespace varnel
