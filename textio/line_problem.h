#pragma once

// What the one-line decoders share (compact lines, puzz.link URLs, square-grid game IDs): the
// record they fill, the issues they report at byte offsets of the decoded text, and the checks
// of a board size read from untrusted text.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "solver/clue_grid.h"

namespace varnel {

// A problem decoded from one line of text.
struct LineProblem {
    int32_t width = 0;   // cells per row, >= 1 once decoded
    int32_t height = 0;  // rows, >= 1 once decoded; width x height fits the solver's labels
    int32_t level = 0;   // 1..5 from a compact line's header, 0 for the other forms
    ClueGrid grid;       // width x height, row-major from the top; NO_CLUE for a blank cell
};

// Something wrong, or worth a warning, at a byte offset of the decoded text.
struct LineIssue {
    size_t offset = 0;     // byte offset into the decoded text; its length for "at the end"
    bool warning = false;  // a warning leaves the problem accepted
    std::string message;   // without position, e.g. "clue 4: the solver's clues are 0 to 3"
};

// A board size as written: the digits (with a leading '-' when there was one) and their value.
struct SizeNumber {
    size_t offset = 0;        // where the number starts in the decoded text
    std::string_view digits;  // as written, for messages
    int64_t value = 0;        // saturated at SIZE_VALUE_CAP (or -SIZE_VALUE_CAP)
};

// Values beyond every limit stop growing here, so no digit string overflows.
inline constexpr int64_t SIZE_VALUE_CAP = 1'000'000'000'000;

// Numbers longer than this are cut in messages, "123456789012345...", so that a hostile line of
// digits does not come back whole in every message about it.
inline constexpr size_t LONGEST_SHOWN_NUMBER = 15;

// digits as shown in messages.
std::string shownNumber(std::string_view digits);

// text with its control bytes shown as '?', so that no name from an input or the command line
// can send escape sequences to a terminal.
std::string printableText(std::string text);

// How a byte is named in messages: "'x'" for printable ASCII, "a space", "a tab", "a NUL byte",
// "a carriage return", "byte 0xE9" for the rest.
std::string describeByte(char c);

// Reads an optional '-' and decimal digits at text[pos] and moves pos past them. Reports "expected
// NAME" when there are no digits, and "NAME must be at least 1" for 0 or a negative number; false
// in both cases. name is a phrase such as "the number of columns".
bool readSizeNumber(std::string_view text, size_t& pos, const char* name, SizeNumber& number,
                    std::vector<LineIssue>& issues);

// Reports, at offset, a board of width x height (both already at least 1) that the solver's
// 16-bit labels cannot hold. False when it does not fit.
bool checkBoardFits(const SizeNumber& width, const SizeNumber& height, size_t offset,
                    std::vector<LineIssue>& issues);

// The message for a board over the label limit, sizes as written.
std::string overLabelLimitMessage(std::string_view width, std::string_view height);

// Reports text[pos] as unexpected: "expected WHAT, found X" or "expected WHAT at the end".
void reportExpected(std::string_view text, size_t pos, const char* what,
                    std::vector<LineIssue>& issues);

// Adds an error or a warning.
void addIssue(std::vector<LineIssue>& issues, size_t offset, std::string message,
              bool warning = false);

}  // namespace varnel
