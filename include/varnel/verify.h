#pragma once

// Verifying a proposed answer: is it one loop that meets every clue, and if not, which rule does
// it break first? Validity is about the rules alone: a loop that meets every clue of a puzzle
// with several answers is valid.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "varnel/answer.h"
#include "varnel/export.h"
#include "varnel/puzzle.h"
#include "varnel/read.h"

namespace varnel::api {

// The rules in the order they are checked; the first one broken is the verdict.
enum class Rule : uint8_t {
    NONE,        // valid: every rule holds
    SIZE,        // the answer's size is the puzzle's: "the answer is 10x9, the puzzle 10x10"
    DRAWN_CLUE,  // a drawing shows the puzzle's clues: "the drawing shows clue 2 at r3c5, the
                 // puzzle has 3"
    NO_LINE,     // some side is on the loop: "the answer has no line"
    POINT,       // every grid point has 0 or 2 lines, in reading order: "point r2c3 top-left
                 // has 3 lines", "... has 1 line (a dead end)"
    LOOPS,       // the lines form one loop: "the lines form 2 loops"
    CLUE,        // every clue counts its cell's sides on the loop, in reading order: "clue 3 at
                 // r4c6 has 2 sides on the loop"
};

// "valid", "size", "drawn-clue", "no-line", "point", "loops", "clue".
VARNEL_API const char* ruleName(Rule rule);

// How an answer was given.
enum class AnswerForm : uint8_t {
    DRAWING,    // the ASCII drawing of `varnel convert --to ascii --answer` (crosses allowed)
    COLOURING,  // rows of '#' (inside) and '.' (outside)
    SIDES,      // one side on the loop per line: "r3c5 top" ("#" comments allowed)
};

// "drawing", "colouring", "sides".
VARNEL_API const char* answerFormName(AnswerForm form);

struct VerifyResult {
    bool valid = false;                   // every rule holds
    Rule rule = Rule::NONE;               // the first rule broken; NONE when valid or unreadable
    std::string reason;                   // that rule, positioned and plain; empty when valid
    AnswerForm form = AnswerForm::SIDES;  // how the answer was given, once read
    std::vector<Diagnostic> diagnostics;  // what reading the answer found wrong
    std::string error;  // the answer could not be read (the diagnostics formatted, one per
                        // line) or the puzzle is unusable; empty otherwise
};

// Verifies an answer given as text in any of the three forms, told apart by its first line that
// is not blank: '+' starts a drawing, a line of '#' and '.' a colouring, anything else a side
// list (read against the puzzle's size). source names the text in diagnostics. A 36 x 20 answer
// takes microseconds.
VARNEL_API VerifyResult verify(const Puzzle& puzzle, std::string_view answer,
                               const std::string& source = "<answer>");

// Verifies an answer given as its cells.
VARNEL_API VerifyResult verifyAnswer(const Puzzle& puzzle, const Answer& answer);

}  // namespace varnel::api
