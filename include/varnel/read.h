#pragma once

// Reading puzzles from text in every form the command-line tools read: the grid form (one
// puzzle drawn as rows of '.' and clues 0-3), or one puzzle per line as compact lines
// ("2/2/3/1.3/..0/"), puzz.link URLs and Loopy game IDs ("3x2t0:1a3b0"), mixed at will, with '#'
// comment lines. Everything that is wrong is reported with its place.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "varnel/export.h"
#include "varnel/puzzle.h"

namespace varnel::api {

// A positioned message about an input.
struct Diagnostic {
    std::string source;    // the name the input was read under
    int64_t line = 0;      // 1-based
    int64_t column = 0;    // 1-based, in bytes; one past the line's end for "at the end"
    bool warning = false;  // a warning leaves the puzzle read (a hidden clue read as blank)
    std::string message;   // what is wrong, e.g. "a row of 9 cells after rows of 10"
};

// "SOURCE:LINE:COLUMN: message", or "SOURCE:LINE:COLUMN: warning: message"; no line end.
VARNEL_API std::string formatDiagnostic(const Diagnostic& diagnostic);

struct ReadResult {
    std::vector<Puzzle> puzzles;          // every puzzle read, in text order
    std::vector<Diagnostic> diagnostics;  // every error and warning, in text order
    std::string error;  // the errors among diagnostics, formatted, one per line; empty when
                        // there is none (a malformed puzzle is left out, the others are read)
};

// Reads every puzzle of a whole input text; source names it in the diagnostics and the puzzles
// ("-" is named "<stdin>"). A text without any puzzle is an error.
VARNEL_API ReadResult readPuzzles(std::string_view text, const std::string& source);

// Reads one URL or game ID given on a command line, named by itself (cut to 80 bytes);
// surrounding white space is ignored.
VARNEL_API ReadResult readPuzzleArgument(std::string_view argument);

// True when a command-line argument is a puzzle rather than a path: a URL, or a game ID ("10x10"
// followed by ':' or '#'). "10x10.txt" is a path.
VARNEL_API bool looksLikePuzzleArgument(std::string_view argument);

}  // namespace varnel::api
