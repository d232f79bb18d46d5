#pragma once

#include "solver/solver_board.h"
#include "varnel/grade.h"

namespace varnel::api {

// How a solve ended, in the library's words.
inline SolverResult solverResultOf(SolveOutcome outcome) {
    switch (outcome) {
        case SolveOutcome::FOUND:
            return SolverResult::FOUND;
        case SolveOutcome::STUCK:
            return SolverResult::STOPPED;
        case SolveOutcome::FAILED:
            return SolverResult::FAILED;
    }
    return SolverResult::FAILED;
}

}  // namespace varnel::api
