#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "solver/cell_colours.h"

namespace varnel {

// The answers of one problem as far as the search behind the pictures finds them.
struct AnswerSearch {
    std::vector<CellColours> answers;  // the answers found, each W x H bytes
    std::string reason;                // why there is not exactly one answer; empty when there is
};

// Looks for the answers of a W x H problem that fits the solver's labels. Today this is the
// program's own solver, which finds at most one answer and can end without deciding; the
// pictures draw a loop only when exactly one answer comes back, so a complete check can take its
// place here without any change to them.
AnswerSearch findAnswers(const uint8_t* grid, int32_t width, int32_t height);

}  // namespace varnel
