#pragma once

// Square-grid game IDs of Simon Tatham's Loopy: WxHt0:DESC, optionally with a difficulty after
// the grid type ("10x10t0de:"). DESC runs row-major from the top row: '0'-'3' a clue, 'a'-'z' a
// run of 1-26 cells without clue.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "solver/clue_grid.h"
#include "textio/line_problem.h"

namespace varnel {

// True when text starts like the parameters of a game ID: an optional '-', digits, then 'x'.
bool looksLikeGameId(std::string_view text);

// Decodes one game ID. Accepted parameters: W, 'x', H, then optionally 't' and the grid type,
// which must be 0 (squares), then optionally 'd' and one difficulty letter, then ':'. A random-
// seed ID ('#' instead of ':'), another grid type, a clue 4, a description shorter or longer than
// the board (runs included) and any other character are errors. False, with at least one error
// in issues, when the ID is not accepted; problem may then hold anything.
bool decodeGameId(std::string_view text, LineProblem& problem, std::vector<LineIssue>& issues);

// Appends "WxHt0:DESC", without a difficulty; runs of more than 26 blank cells are written as
// 'z' followed by the rest of the run. No line end.
void appendGameId(const ClueGrid& grid, int32_t width, int32_t height, std::string& out);

}  // namespace varnel
