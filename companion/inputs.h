#pragma once

#include <string>
#include <vector>

#include "varnel/puzzle.h"

namespace varnel {

// Inputs larger than this are refused rather than loaded (256 MiB, some 350,000 problems of
// 36 x 20 cells in compact lines), so that a device such as /dev/zero cannot exhaust memory.
inline constexpr size_t MAX_INPUT_BYTES = size_t{256} << 20;

// Loads the whole text of an input argument that names a file, or "-" for standard input, named
// "<stdin>" in source. False, with "varnel: cannot read FILE: reason" printed on standard error,
// when it cannot be read.
bool loadInput(const std::string& argument, std::string& text, std::string& source);

// Reads the INPUT arguments of a subcommand, in the order given, through the library's strict
// reader and appends their puzzles to puzzles. An argument is
//   - "-": standard input, named <stdin> in messages;
//   - the path of a file (an existing file always wins over the next reading);
//   - else a puzz.link URL or a game ID given literally.
// Every diagnostic is printed to standard error as FILE:LINE:COLUMN: message, and an input that
// cannot be read at all as "varnel: cannot read FILE: reason"; the other inputs are still read.
// Returns false when an input could not be read or held anything malformed (warnings alone
// leave it true).
bool readPuzzleInputs(const std::vector<std::string>& arguments, std::vector<api::Puzzle>& puzzles);

// True when readPuzzleInputs reads argument as a URL or game ID given literally, not as a file.
bool isLiteralArgument(const std::string& argument);

// "FILE:LINE" of a problem, for messages about it.
std::string problemPlace(const api::Puzzle& puzzle);

}  // namespace varnel
