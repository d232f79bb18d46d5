#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "solver/clue_grid.h"

namespace varnel {

// Receives one accepted problem: its clue grid of exactly width x height cells, width >= 1 and
// height >= 1. Nothing more is promised about the size: the handler decides whether the
// problem fits what it does with it.
using ProblemHandler = std::function<void(const ClueGrid& grid, int32_t width, int32_t height)>;

// The two text forms. A text is compact exactly when its first character is '1' to '5' and its
// second is '/'; the first two characters decide for the whole text.
enum class TextForm : uint8_t {
    GRID,     // one problem drawn as rows of cell characters
    COMPACT,  // any number of problems, one per line: "D/H/W/" then H rows each closed by '/'
};

TextForm detectForm(std::string_view text);

// How reading a text ended.
enum class ReadOutcome : uint8_t {
    COMPLETE,       // every problem was handed over; a compact text ended or held only white space
    INVALID_GRID,   // grid form: a row of another length than the first, or no row; nothing handed
    STOPPED_EARLY,  // compact form: a problem was not accepted and text other than white space
                    // was left from its start; the problems before it were handed over
};

// Parses text in its form and hands every accepted problem to onProblem, in text order. A grid
// text is checked whole before its problem is handed over; compact problems are handed over as
// they are read. Prints nothing; any bytes are safe.
ReadOutcome readProblems(std::string_view text, const ProblemHandler& onProblem);

// Decimal value of one compact header token, like atoi but saturated at the 32-bit limits:
// leading white space skipped, an optional sign, the digits up to the first other character; a
// token without digits is 0.
int32_t headerNumber(std::string_view token);

// Reads the whole file at path into text. False when it cannot be opened or read (a missing
// file, a directory, no permission, a read error).
bool loadTextFile(const char* path, std::string& text);

}  // namespace varnel
