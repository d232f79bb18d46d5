#pragma once

#include <cstdint>
#include <string>

#include "solver/side_grid.h"

namespace varnel {

// A problem drawn in plain ASCII so that it lines up in any terminal and any font. Each cell is
// three columns wide and one line high, between grid points '+':
//
//   +---+---+
//   | 2   2 |
//   +   +   +
//   | 2   2 |
//   +---+---+
//
// A side on the loop is "---" or '|', every other side is blank, a clue digit sits in the middle
// column of its cell. A W x H problem gives 2H + 1 lines of 4W + 1 characters each (trailing
// spaces are kept, so every line has the same length), each ended by '\n'.
//
// grid: W x H bytes, row-major, 0..3 a clue, anything else a cell without one.
// inside: the answer as CellColours (W x H bytes, nonzero for a cell inside the loop), or null to
// draw the clues only. A side is drawn on the loop exactly when the cells beside it differ, cells
// beyond the grid counting as outside. Nothing is appended when W or H is not positive.
void appendAsciiDrawing(const uint8_t* grid, int32_t width, int32_t height, const uint8_t* inside,
                        std::string& out);

// The same drawing of a board whose sides are in any state, such as a board being solved: a side
// ON is drawn as a line ("---" or '|'), a side OFF as a cross (" x " in a horizontal side's place,
// 'x' in a vertical side's), an OPEN side blank. sides holds sideCount(W, H) states numbered as in
// solver/side_grid.h. readAsciiDrawing (textio/ascii_reading.h) reads the drawing back.
void appendAsciiBoard(const uint8_t* grid, int32_t width, int32_t height, const SideState* sides,
                      std::string& out);

// appendAsciiBoard with some sides marked so that they stand out, such as the sides a step of a
// walkthrough has just decided: a marked line is "===" or '#', a marked cross " X " or 'X'.
// marked holds sideCount(W, H) bytes, nonzero for a marked side, or is null for none.
// readAsciiDrawing reads marked sides as the lines and crosses they are.
void appendMarkedBoard(const uint8_t* grid, int32_t width, int32_t height, const SideState* sides,
                       const uint8_t* marked, std::string& out);

}  // namespace varnel
