#pragma once

#include <cstdint>
#include <cstdio>
#include <string>

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

}  // namespace varnel
