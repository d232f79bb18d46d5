#pragma once

// The strict reading of one compact line, "LEVEL/ROWS/COLUMNS/" then ROWS rows of COLUMNS cells
// ('.' or a clue 0-3), each closed by '/'. The main program's reader accepts much more (zero
// tokens before the level, any level, characters it ignores, lines that run on); this one takes
// only lines that every reader reads the same way.

#include <string_view>
#include <vector>

#include "textio/line_problem.h"

namespace varnel {

// Decodes one compact line, without its line end. Errors: a header that is not three numbers
// each closed by '/', a level outside 1-5, a size below 1 or beyond the solver's labels, a
// character that is not a cell, a row of another length than COLUMNS, fewer or more rows than
// ROWS, a last row not closed by '/'. False, with at least one error in issues, when the line is
// not accepted; problem may then hold anything.
bool decodeCompactLine(std::string_view text, LineProblem& problem, std::vector<LineIssue>& issues);

}  // namespace varnel
