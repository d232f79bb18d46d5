#include "varnel/check.h"

#include <chrono>

#include "checker/problem_check.h"
#include "lib/records.h"

namespace varnel::api {

const char* verdictName(Verdict verdict) {
    switch (verdict) {
        case Verdict::UNIQUE:
            return "unique";
        case Verdict::MULTIPLE:
            return "multiple";
        case Verdict::NONE:
            return "none";
    }
    return "none";
}

CheckResult check(const Puzzle& puzzle, const CheckOptions& options) {
    CheckResult result;
    result.error = puzzleError(puzzle);
    if (!result.error.empty()) return result;
    const auto start = std::chrono::steady_clock::now();
    const auto begin = [&options](CheckStage stage) {
        if (options.onStage) options.onStage(stage);
    };
    begin(CheckStage::VERDICT);
    const ClueGrid grid = clueGridOf(puzzle);
    const varnel::CheckResult found = checkProblem(grid.data(), puzzle.width, puzzle.height);
    switch (found.verdict) {
        case varnel::Verdict::UNIQUE:
            result.verdict = Verdict::UNIQUE;
            break;
        case varnel::Verdict::MULTIPLE:
            result.verdict = Verdict::MULTIPLE;
            break;
        case varnel::Verdict::NONE:
            result.verdict = Verdict::NONE;
            break;
    }
    for (const CellColours& answer : found.answers)
        result.answers.push_back(answerOf(answer, puzzle.width, puzzle.height));
    // The grades are taken of a unique puzzle only: on one with several answers and few clues the
    // program's own solver can run for hours, and neither grade says anything there that the
    // verdict does not. The difficulty comes first, as it takes milliseconds where the solver
    // can take long.
    if (options.grade && result.verdict == Verdict::UNIQUE) {
        begin(CheckStage::DIFFICULTY);
        result.difficulty = gradeDifficulty(puzzle);
        begin(CheckStage::GRADE);
        result.grade = grade(puzzle);
        result.graded = true;
    }
    const auto elapsed = std::chrono::steady_clock::now() - start;
    result.milliseconds = std::chrono::duration<double, std::milli>(elapsed).count();
    return result;
}

}  // namespace varnel::api
