#pragma once

// A walkthrough as SVG stages: the board after each step above the easy rank and at the end, the
// sides the step decided in a second colour and its sentence under it, laid out on A4 sheets as
// `varnel convert --to svg --sheet` lays out problems.

#include <cstdint>
#include <string>
#include <vector>

#include "explain/walkthrough.h"

namespace varnel {

// Stages on one sheet.
inline constexpr int32_t STAGES_PER_SHEET = 6;

// The sheets of the walkthrough's stages for steps first to last (numbered from 1; the end is a
// stage when last reaches it), one SVG document each: a stage after each step above easy, or,
// when the range holds easy steps only and not the end, after each of them that decides a side.
// Empty only when the range holds no step that decides anything.
std::vector<std::string> walkStages(const Walkthrough& walk, const uint8_t* grid, int32_t first,
                                    int32_t last);

// The hint as one picture: the board with the step's sides in the second colour, its sentence
// under it.
std::string hintPicture(const Hint& hint, const uint8_t* grid);

}  // namespace varnel
