#pragma once

// The creator's grade of a puzzle, as `varnel check` gives it and as `varnel make` writes its
// level: how much work the program's own solver, which never guesses, needs per cell.

#include <cstdint>
#include <string>

#include "varnel/export.h"
#include "varnel/puzzle.h"

namespace varnel::api {

// How the program's own solver ended on a puzzle.
enum class SolverResult : uint8_t {
    FOUND,    // solved: the main program's "found 1 answer(s)."
    STOPPED,  // stopped undecided: its "found 0 answer(s)."
    FAILED,   // no answer, or the branching step found no way on: its "failed to solve."
};

// "found", "stopped", "failed", as `varnel check --json` writes them.
VARNEL_API const char* solverResultName(SolverResult result);

struct Grade {
    int32_t score = 0;                           // 0..49: (S + 3 x (scans + 10 x trials) - 4)
                                                 // x 400 / cells, clamped
    int32_t level = 0;                           // 1..5: score / 10 + 1
    SolverResult solver = SolverResult::FAILED;  // how the solver ended
    int32_t trials = 0;                          // relations the solver decided by trial
    int32_t scans = 0;                           // its connectivity passes
    int32_t sweepSets = 0;                       // sets one sweep of the set-up board leaves (S)
    bool branched = false;                       // the solver needed its branching step
    std::string error;                           // why there is no grade; empty when there is
};

// Grades a puzzle. Meant for puzzles with one answer; on others it measures the same work. A
// puzzle with few clues for its size can keep the solver busy for seconds or longer.
VARNEL_API Grade grade(const Puzzle& puzzle);

struct LevelResult {
    int32_t level = 0;  // 1..5
    std::string error;  // why there is no level; empty when there is
};

// The level a compact line of the puzzle carries: its own when it has one, else its grade's
// level, measured only as far as it is certain (a board with few clues is level 5 long before
// the solver would finish).
VARNEL_API LevelResult levelOf(const Puzzle& puzzle);

}  // namespace varnel::api
