#pragma once

// The main program's solve (`varnel_solver s FILE`) of one puzzle: its verdict line, its answer
// diagram and the counters `varnel_probe solve` prints.

#include <cstdint>
#include <string>

#include "varnel/answer.h"
#include "varnel/export.h"
#include "varnel/grade.h"
#include "varnel/puzzle.h"

namespace varnel::api {

struct SolveReport {
    SolverResult result = SolverResult::FAILED;  // how the solve ended
    std::string verdict;      // the main program's line, without line end: "found 1 answer(s).",
                              // "found 0 answer(s)." or "failed to solve."
    int32_t answerCount = 0;  // answers counted: 1 when found, else 0
    bool branched = false;    // the branching step ran
    int32_t trials = 0;       // relations decided by trial
    int32_t scans = 0;        // connectivity passes
    int32_t sets = 0;         // sets left at the end (1 when solved)
    int32_t sweepSets = 0;    // sets one sweep of the freshly set-up board leaves
    std::string diagram;      // the answer diagram the main program prints when it finds the
                              // answer (UTF-8, with its closing empty line); else empty
    Answer answer;            // the answer when found; else empty
    std::string error;        // why the puzzle was not solved; empty when it was
};

// Solves one puzzle as the main program does: it never guesses, so a FOUND answer is the only
// one, but its search is two levels deep only, and on boards with few clues it can take very
// long.
VARNEL_API SolveReport solve(const Puzzle& puzzle);

}  // namespace varnel::api
