#include "companion/answers.h"

#include "solver/clue_grid.h"
#include "solver/solve_entry.h"

namespace varnel {

AnswerSearch findAnswers(const uint8_t* grid, int32_t width, int32_t height) {
    AnswerSearch search;
    if (!fitsSolverLabels(width, height)) {
        search.reason = "too large for the solver";
        return search;
    }
    const AnswerPrinter keepAnswer = [&search](const SolverBoard& board) {
        search.answers.push_back(coloursOf(board));
    };
    const SolveSummary summary = solveClues(grid, width, height, &keepAnswer);
    if (summary.failed) {
        search.answers.clear();
        search.reason = "the solver failed to solve it (no answer, or its search found no way on)";
    } else if (search.answers.empty()) {
        search.reason = "the solver's search stopped without an answer (it may have several)";
    }
    return search;
}

}  // namespace varnel
