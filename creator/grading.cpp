#include "creator/grading.h"

#include <algorithm>
#include <cassert>

#include "solver/clue_grid.h"

namespace varnel {

namespace {

constexpr int32_t TOP_SCORE = 49;

// The sets one sweep of the freshly set-up board leaves.
int32_t sweepSetsOf(SolverBoard& board, RegionScan& scan, const uint8_t* grid, int32_t width,
                    int32_t height) {
    board.setUp(grid, width, height, scan);
    board.sweep();
    return board.uf.setCount;
}

}  // namespace

int32_t difficultyScore(int32_t sweepSets, int32_t scanCount, int32_t trialCount, int32_t cells) {
    const int32_t v = (sweepSets + 3 * (scanCount + 10 * trialCount) - 4) * 400 / cells;
    return std::clamp(v, 0, TOP_SCORE);
}

ProblemGrade gradeOnBoard(SolverBoard& board, RegionScan& scan, const uint8_t* grid, int32_t width,
                          int32_t height) {
    ProblemGrade grade;
    grade.sweepSets = sweepSetsOf(board, scan, grid, width, height);
    board.setUp(grid, width, height, scan);
    const SolveResult result = board.solveWithBranching(nullptr);
    grade.outcome = result.outcome;
    grade.branched = result.branched;
    grade.trialCount = board.trialCount;
    grade.scanCount = board.scanCount;
    grade.score =
        difficultyScore(grade.sweepSets, grade.scanCount, grade.trialCount, width * height);
    grade.level = levelOfScore(grade.score);
    return grade;
}

ProblemGrade gradeProblem(const uint8_t* grid, int32_t width, int32_t height) {
    assert(fitsSolverLabels(width, height));
    RegionScan scan;
    SolverBoard board;
    return gradeOnBoard(board, scan, grid, width, height);
}

int32_t gradeLevel(const uint8_t* grid, int32_t width, int32_t height) {
    assert(fitsSolverLabels(width, height));
    const int32_t cells = width * height;
    RegionScan scan;
    SolverBoard board;
    const int32_t sweepSets = sweepSetsOf(board, scan, grid, width, height);
    if (difficultyScore(sweepSets, 0, 0, cells) >= TOP_SCORE) return levelOfScore(TOP_SCORE);
    // The solve with the branching step, as gradeOnBoard makes it, except that the branching
    // step is left out when the solve loop's work already caps the score.
    board.setUp(grid, width, height, scan);
    if (board.solveLoop(nullptr) == SolveOutcome::STUCK &&
        difficultyScore(sweepSets, board.scanCount, board.trialCount, cells) < TOP_SCORE) {
        board.branchStep(nullptr);
    }
    return levelOfScore(difficultyScore(sweepSets, board.scanCount, board.trialCount, cells));
}

}  // namespace varnel
