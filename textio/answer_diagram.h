#pragma once

#include <string>

#include "solver/solver_board.h"

namespace varnel {

// The answer diagram of a board: 2H + 2 lines of full-width characters (UTF-8) showing every
// cell side as on the loop, not on the loop or undecided, with the clues in their cells, and one
// closing empty line. The board is only read; undecided sides show as full-width spaces, so a
// board may be drawn before it is solved.
std::string formatDiagram(const SolverBoard& board);

// Appends the diagram of board to out, keeping out's capacity for the next one.
void appendDiagram(const SolverBoard& board, std::string& out);

// Writes the diagram to standard output with one write. Fits the solver's AnswerPrinter.
void printDiagram(const SolverBoard& board);

}  // namespace varnel
