#pragma once

// The companion command's strict reader: problems from whole input texts and from literal
// command-line arguments, each with where it came from, and positioned messages for everything
// that is not a problem or that the main program's lenient reader would read otherwise.
//
// An input text is in one of two forms, decided by its first line that is neither blank nor a
// comment ('#' as its first non-blank character):
// - the grid form when that line is a grid row: one problem drawn as rows of '.' and clues 0-3,
//   spaces and tabs ignored, comment lines allowed between rows;
// - the line form otherwise: one problem per line, each a compact line, a puzz.link URL or a
//   square-grid game ID, mixed at will; blank lines and comment lines are skipped, and a bad
//   line rejects only its own problem.
// CR LF line ends read like LF. Nothing is allocated from a size read from the text before it
// has been checked against the solver's label limit, and every step is linear in the text.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "solver/clue_grid.h"

namespace varnel {

// A problem read from an input, with where it came from.
struct InputProblem {
    std::string source;  // the file name as given, "<stdin>" for "-", or the literal argument
    int64_t line = 0;    // 1-based line where the problem starts (1 for a literal)
    int32_t width = 0;   // cells per row, >= 1
    int32_t height = 0;  // rows, >= 1; (width + 2) x (height + 2) fits the solver's labels
    int32_t level = 0;   // 1..5 when the input gave one (a compact line), else 0
    ClueGrid grid;       // width x height, NO_CLUE for a cell without clue
};

// A positioned message about an input.
struct InputDiagnostic {
    std::string source;    // as in InputProblem
    int64_t line = 0;      // 1-based
    int64_t column = 0;    // 1-based, in bytes; one past the line's end for "at the end"
    bool warning = false;  // a warning does not reject the problem (a hidden clue read as blank)
    std::string message;   // e.g. "a row of 9 cells after rows of 10"
};

// At most this many diagnostics are kept per input; one more says how many were left out.
inline constexpr size_t MAX_DIAGNOSTICS_PER_INPUT = 100;

// "FILE:LINE:COLUMN: message", or "FILE:LINE:COLUMN: warning: message"; no line end.
std::string formatDiagnostic(const InputDiagnostic& diagnostic);

// Reads a whole input text: appends every accepted problem to problems and every error and
// warning to diagnostics, both in text order. source names the input in both ("-" is stored as
// "<stdin>"). An input without any problem line is an error ("no problem in this input"). Each
// problem costs about 100 bytes besides its grid, so a text of many tiny problems takes some 15
// times its size.
void readInputText(std::string_view text, const std::string& source,
                   std::vector<InputProblem>& problems, std::vector<InputDiagnostic>& diagnostics);

// True when a command-line argument is a problem rather than a path: it holds "://" or '?' (a
// URL), or it starts like a game ID's parameters ("10x10", optionally negative) and holds ':'
// or '#'. A path such as "10x10.txt" does not look like a problem.
bool looksLikeLiteralProblem(std::string_view argument);

// Reads one URL or game ID given on the command line; its line is 1 and its source the argument
// itself without trailing white space, cut to its first 80 bytes and "..." when longer, control
// bytes shown as '?'. Surrounding white space, a final line end included, is ignored.
void readLiteralProblem(std::string_view argument, std::vector<InputProblem>& problems,
                        std::vector<InputDiagnostic>& diagnostics);

}  // namespace varnel
