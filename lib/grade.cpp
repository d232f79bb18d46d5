#include "varnel/grade.h"

#include "creator/grading.h"
#include "lib/records.h"
#include "lib/solver_results.h"

namespace varnel::api {

const char* solverResultName(SolverResult result) {
    switch (result) {
        case SolverResult::FOUND:
            return "found";
        case SolverResult::STOPPED:
            return "stopped";
        case SolverResult::FAILED:
            return "failed";
    }
    return "failed";
}

Grade grade(const Puzzle& puzzle) {
    Grade result;
    result.error = puzzleError(puzzle);
    if (!result.error.empty()) return result;
    const ClueGrid grid = clueGridOf(puzzle);
    const ProblemGrade g = gradeProblem(grid.data(), puzzle.width, puzzle.height);
    result.score = g.score;
    result.level = g.level;
    result.solver = solverResultOf(g.outcome);
    result.trials = g.trialCount;
    result.scans = g.scanCount;
    result.sweepSets = g.sweepSets;
    result.branched = g.branched;
    return result;
}

LevelResult levelOf(const Puzzle& puzzle) {
    LevelResult result;
    result.error = puzzleError(puzzle);
    if (!result.error.empty()) return result;
    if (puzzle.level != 0) {
        result.level = puzzle.level;
        return result;
    }
    const ClueGrid grid = clueGridOf(puzzle);
    result.level = gradeLevel(grid.data(), puzzle.width, puzzle.height);
    return result;
}

}  // namespace varnel::api
