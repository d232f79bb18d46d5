#include "creator/grading.h"

#include <cassert>

#include "creator/problem_maker.h"
#include "solver/clue_grid.h"
#include "solver/region_scan.h"
#include "solver/solver_board.h"

namespace varnel {

namespace {

// The one place that reads the solver's outcome of a solve with the branching step.
GradeOutcome outcomeOf(const SolverBoard& board, uint8_t failed) {
    if (failed) return GradeOutcome::FAILED;
    return board.answerCount > 0 ? GradeOutcome::FOUND : GradeOutcome::STOPPED;
}

}  // namespace

ProblemGrade gradeProblem(const uint8_t* grid, int32_t width, int32_t height) {
    assert(fitsSolverLabels(width, height));
    RegionScan scan;
    SolverBoard board;
    ProblemGrade grade;

    board.setUp(grid, width, height, scan);
    board.sweep();
    grade.sweepSets = board.uf.setCount;

    // Set-up zeroes the counters, so they count this solve alone.
    board.setUp(grid, width, height, scan);
    uint8_t failed = 0;
    board.solveWithBranching(nullptr, failed);
    grade.outcome = outcomeOf(board, failed);
    grade.trialCount = board.trialCount;
    grade.scanCount = board.scanCount;
    grade.score =
        difficultyScore(grade.sweepSets, grade.scanCount, grade.trialCount, width * height);
    grade.level = grade.score / 10 + 1;
    return grade;
}

}  // namespace varnel
