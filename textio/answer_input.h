#pragma once

// A proposed answer read from text, in any of three forms, told apart by the first line that is
// not blank:
//   - a drawing (textio/ascii_reading.h): the first line starts with '+', as `varnel convert
//     --to ascii --answer` writes it; crosses are read and ignored, the clues drawn are kept;
//   - a cell colouring: H rows of W characters, '#' a cell inside the loop and '.' one outside
//     (the rows of `varnel check --json`'s answers); blank lines before and after the rows and
//     spaces and tabs at the end of a row are ignored;
//   - a side list: one side on the loop per line, named as in textio/side_names.h ("r3c5 top",
//     "r2c5 bottom": either name of a side), letters in either case; blank lines and lines
//     starting with '#' are skipped. A list names sides of the board it is checked against, so
//     it has that board's size.
// Every fault is reported as FILE:LINE:COLUMN: a character out of place, rows of different
// lengths, a name that is not a side of the board, a side listed twice, an empty input, a
// byte-order mark (which would hide the form of the first line).

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "solver/clue_grid.h"
#include "solver/side_grid.h"
#include "textio/problem_input.h"

namespace varnel {

enum class AnswerForm : uint8_t { DRAWING, COLOURING, SIDE_LIST };

// "drawing", "colouring" or "sides".
const char* answerFormName(AnswerForm form);

// An answer as read.
struct AnswerInput {
    AnswerForm form = AnswerForm::DRAWING;
    int32_t width = 0;   // the answer's own width: the drawing's, the colouring's, or the board's
    int32_t height = 0;  // likewise
    std::vector<SideState> sides;  // sideCount(width, height): ON for a side on the loop, OFF or
                                   // OPEN for the others (a drawing's crosses are OFF)
    ClueGrid drawnClues;           // DRAWING: the clues drawn, width x height; else empty
};

// Reads an answer. boardWidth and boardHeight, the size of the board it answers, are the size
// of a side list. True with the answer in answer; false with every fault in diagnostics
// (positioned in source) when the text holds no answer that can be read.
bool readAnswerText(std::string_view text, const std::string& source, int32_t boardWidth,
                    int32_t boardHeight, AnswerInput& answer,
                    std::vector<InputDiagnostic>& diagnostics);

}  // namespace varnel
