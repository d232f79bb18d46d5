#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "solver/cell_colours.h"

namespace varnel {

// The answers of one problem as far as the pictures need them.
struct AnswerSearch {
    std::vector<CellColours> answers;  // the one answer of a unique problem, two different ones
                                       // of a problem with several, none of one without; each
                                       // W x H bytes, 1 inside the loop
    std::string reason;                // why there is not exactly one answer; empty when there is
};

// Looks for the answers of a W x H problem that fits the solver's labels by the complete check
// (checkProblem), which always decides: in milliseconds on puzzles, in seconds at worst on clue
// patterns made to defeat the SAT solver.
AnswerSearch findAnswers(const uint8_t* grid, int32_t width, int32_t height);

}  // namespace varnel
