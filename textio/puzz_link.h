#pragma once

// puzz.link URLs of the loop puzzle: ADDRESS?slither/COLUMNS/ROWS/BODY, columns first. BODY is
// the editor's 4-cell code, read cell by cell from the top-left:
//   '0'-'4'  a clue 0-4                        '5'-'9'  a clue 0-4, then one blank cell
//   'a'-'e'  a clue 0-4, then two blank cells  'g'-'z'  a run of 1-20 blank cells
//   '.'      a clue whose number is hidden (read as a blank cell, with a warning)

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "solver/clue_grid.h"
#include "textio/line_problem.h"

namespace varnel {

// True when text is meant as a URL: it holds '?' or a scheme ("://"). The decoder then says
// what is wrong with it rather than the text being taken for another form.
bool looksLikePuzzLinkUrl(std::string_view text);

// Decodes one URL. Any address before '?' is accepted (puzz.link, pzv.jp, mirrors, with or
// without scheme, "p" or "p.html"). A body shorter than the board leaves the rest blank, with a
// warning; blank runs past the board's end are harmless, but a clue past it is an error ("body
// too long"), as are an empty body, a clue 4 and any character outside the code. False, with at
// least one error in issues, when the URL is not accepted; problem may then hold anything.
bool decodePuzzLinkUrl(std::string_view text, LineProblem& problem, std::vector<LineIssue>& issues);

// Appends the canonical body, the one the editor writes: a clue is '0'-'4' when the next cell
// holds a clue, else '5'-'9' (skipping one cell) when the cell after next holds one, else 'a'-'e'
// (skipping two); blank runs are flushed as one letter before the next clue, at 20, and at the
// end. Cells past the board's end count as blank.
void appendPuzzLinkBody(const ClueGrid& grid, int32_t width, int32_t height, std::string& out);

// Appends "https://puzz.link/p?slither/W/H/BODY" with the canonical body; no line end.
void appendPuzzLinkUrl(const ClueGrid& grid, int32_t width, int32_t height, std::string& out);

}  // namespace varnel
