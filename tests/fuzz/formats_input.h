#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace varnel::fuzz {

// Problems of one input that are also written in every form and read back; the rest are only
// checked for their size and cells, so that an input of many tiny problems stays fast.
inline constexpr int32_t MAX_ROUND_TRIPS = 64;

// What one input did to the companion command's reader, for the replay test's reports.
struct FormatsRun {
    int32_t problemsRead = 0;  // from the whole text
    int32_t errors = 0;        // error diagnostics of the whole text
    bool literalRead = false;  // the bytes as a command-line argument gave a problem
    std::string violation;     // the first broken invariant; empty when all held
};

// Feeds bytes to readInputText as a whole input and to readLiteralProblem as an argument, and
// checks: every problem has a grid of width x height within the solver's labels, cells 0-3 or
// NO_CLUE, and a line of the text; every diagnostic points into the text; no problem comes from
// a line with an error; an input gives a problem or an error, never nothing; and every problem
// written as a compact line, grid rows, a puzz.link URL and a game ID reads back as the same
// problem without any diagnostic.
FormatsRun formatsFuzzInput(std::string_view bytes);

}  // namespace varnel::fuzz
