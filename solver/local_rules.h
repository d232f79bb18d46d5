#pragma once

#include <cstdint>

#include "solver/solver_board.h"

namespace varnel {

// The local deduction rules for one cell c of the padded board in rotation (a, b): two
// perpendicular index offsets, b being a turned a quarter turn clockwise. Each rule is a fixed
// sequence of tests on the board's colour relations and relate calls, in the order of its steps;
// later tests see the relations recorded by earlier steps.
void ruleClueOne(SolverBoard& board, int32_t c, int32_t a, int32_t b);
void ruleClueTwo(SolverBoard& board, int32_t c, int32_t a, int32_t b);
void ruleClueThree(SolverBoard& board, int32_t c, int32_t a, int32_t b);
// For a cell without clue; always applied with (a, b) = (1, stride).
void ruleBlank(SolverBoard& board, int32_t c, int32_t a, int32_t b);
// Applied to every swept cell, clued or not, done or not.
void ruleCorner(SolverBoard& board, int32_t c, int32_t a, int32_t b);

}  // namespace varnel
