#pragma once

// Reading back the ASCII drawings of textio/ascii_drawing.h, with or without crosses: a board's
// size, its clues and the state of every side, from the text a player or a program gives.
//
// The drawing is 2H + 1 lines: lines of grid points ('+' every four columns, each side between
// them "---" for a line, " x " for a cross, three spaces for neither) and, between them, lines of
// cells ('|' a line, 'x' a cross or a space in a vertical side's place; the clue digit 0-3 or a
// space in the middle of the three columns of a cell, spaces beside it). The first line of grid
// points gives the width. Blank lines before and after the drawing are skipped, spaces and tabs
// at the end of a line are ignored, and a line of cells may stop early (the rest reads as
// spaces), as editors trim lines. Crosses read in either case. CR LF line ends read like LF. The
// marks of a side just decided (appendMarkedBoard) read as what they mark: "===" and '#' as a
// line, " X " and 'X' as a cross.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "solver/clue_grid.h"
#include "solver/side_grid.h"
#include "textio/problem_input.h"

namespace varnel {

// A board read from a drawing.
struct DrawnBoard {
    int32_t width = 0;             // cells per row, >= 1 once read
    int32_t height = 0;            // rows, >= 1 once read; fits the solver's labels
    ClueGrid grid;                 // width x height, NO_CLUE for a cell drawn without a clue
    std::vector<SideState> sides;  // sideCount(width, height) states, numbered as in
                                   // solver/side_grid.h: ON a line, OFF a cross, OPEN neither
    int64_t firstLine = 0;         // line of text where the drawing starts, 1-based
};

// Reads the drawing in text. True with the board in board; false, with every fault reported in
// diagnostics as source:LINE:COLUMN (the first fault of each line; a line that is too short or
// too long, a character out of place, a clue 4, a drawing that ends with a line of cells, a
// board past the solver's labels), when the text is not such a drawing; board may then hold
// anything.
bool readAsciiDrawing(std::string_view text, const std::string& source, DrawnBoard& board,
                      std::vector<InputDiagnostic>& diagnostics);

}  // namespace varnel
