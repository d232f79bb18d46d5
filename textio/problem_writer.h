#pragma once

#include <cstdint>
#include <cstdio>
#include <string>

#include "solver/clue_grid.h"

namespace varnel {

// The compact line of one problem: "D/H/W/", then every row top first as '.' for NO_CLUE or the
// clue's digits, closed by '/', then a single LF. D = score / 10 + 1, so scores 0..49 give a
// single digit 1..5 and a file starting with such a line reads back as compact.
void appendProblemLine(int32_t score, const uint8_t* grid, int32_t width, int32_t height,
                       std::string& out);

// Writes the compact line of one problem to file (opened in binary mode). False when the write
// failed.
bool writeProblemLine(std::FILE* file, int32_t score, const uint8_t* grid, int32_t width,
                      int32_t height);

// The compact line of one problem at a given level 1..5: "LEVEL/H/W/", the rows, a single LF.
// The same line appendProblemLine writes for any score of that level.
void appendCompactLine(int32_t level, const ClueGrid& grid, int32_t width, int32_t height,
                       std::string& out);

// The grid form of one problem: every row, top first, as '.' for NO_CLUE or the clue's digit,
// each followed by a single LF.
void appendGridRows(const ClueGrid& grid, int32_t width, int32_t height, std::string& out);

}  // namespace varnel
