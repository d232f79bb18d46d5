#pragma once

// The library's own records turned into the internal ones and back. Nothing here is public: the
// headers under include/varnel/ show none of these types.

#include <cstdint>
#include <vector>

#include "ladder/difficulty.h"
#include "solver/cell_colours.h"
#include "solver/clue_grid.h"
#include "textio/problem_input.h"
#include "varnel/answer.h"
#include "varnel/difficulty.h"
#include "varnel/puzzle.h"
#include "varnel/read.h"

namespace varnel::api {

// The clues as the solver, the checker and the writers take them (NO_CLUE of clue_grid.h for a
// cell without clue). The puzzle must pass puzzleError.
ClueGrid clueGridOf(const Puzzle& puzzle);

// A puzzle as the strict reader gave it.
Puzzle puzzleOf(InputProblem&& problem);

// An answer from cell colours of a W x H board.
Answer answerOf(const CellColours& colours, int32_t width, int32_t height);

// The ladder's grade in the library's words: names for its techniques, its end as a reason
// (lib/difficulty.cpp).
Difficulty difficultyOf(const varnel::Difficulty& graded);

Diagnostic diagnosticOf(const InputDiagnostic& diagnostic);

// The errors among diagnostics, formatted, one per line; empty when there is none.
std::string errorText(const std::vector<InputDiagnostic>& diagnostics);

}  // namespace varnel::api
