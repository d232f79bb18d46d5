#pragma once

#include <cstdint>
#include <vector>

#include "solver/cell_colours.h"
#include "solver/clue_grid.h"

namespace varnel {

// The variables are 32-bit cell numbers: W x H must stay below this.
inline constexpr int64_t MAX_CHECKED_CELLS = int64_t{1} << 30;

// How many answers a problem has, decided completely.
enum class Verdict : uint8_t {
    UNIQUE,    // exactly one loop meets every clue
    MULTIPLE,  // two or more do
    NONE,      // none does
};

// The outcome of checking one problem, with the work it took.
struct CheckResult {
    Verdict verdict = Verdict::NONE;
    std::vector<CellColours> answers;  // one for UNIQUE, two different ones for MULTIPLE, none
                                       // for NONE; each W x H, 1 inside the loop
    int32_t satCalls = 0;              // solve calls made to the SAT solver
    int32_t loopCuts = 0;              // clauses added to cut colourings of several loops
};

// Decides whether the W x H problem grid (row-major, clues 0-3, NO_CLUE for none) has one answer,
// several or none, by a SAT solver: one variable per cell colour (encodeProblem), loops cut as
// they appear (LoopCutter), and, once an answer is found, that answer banned to look for a
// second. Never undecided. A value above NO_CLUE is a clue no cell can meet, and a problem with
// no cell (width or height below 1) has no answer.
//
// Puzzles take milliseconds (about 1.2 ms each on average for 608 Loopy puzzles of 10 x 10 to
// 36 x 20, at most about 10 ms), a blank 30 x 30 board well under one. Clue patterns made to
// defeat the solver can take far longer: 1s on every other cell of a 40 x 40 board take a
// second to prove answerless, of 50 x 50 six. The checker has no size limit of its own below
// MAX_CHECKED_CELLS, but callers keep to the sizes the rest of the program takes
// (fitsSolverLabels).
CheckResult checkProblem(const uint8_t* grid, int32_t width, int32_t height);

}  // namespace varnel
