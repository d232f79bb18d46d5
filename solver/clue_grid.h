#pragma once

#include <cstdint>
#include <vector>

namespace varnel {

// A problem as it passes between the reader, the solver and the creator: W x H bytes, row-major,
// top row first. 0 to 3 is a clue, NO_CLUE a cell without one.
using ClueGrid = std::vector<uint8_t>;

inline constexpr uint8_t NO_CLUE = 4;

// Set labels are signed 16-bit cell indices, so a padded board holds at most this many cells.
inline constexpr int64_t MAX_PADDED_CELLS = 32767;

// True when a W x H problem fits the solver's 16-bit labels: (W + 2) x (H + 2) <= 32767, computed
// without overflow for any 32-bit W and H. Non-positive sizes never fit.
inline bool fitsSolverLabels(int64_t width, int64_t height) {
    if (width <= 0 || height <= 0) return false;
    if (width + 2 > MAX_PADDED_CELLS || height + 2 > MAX_PADDED_CELLS) return false;
    return (width + 2) * (height + 2) <= MAX_PADDED_CELLS;
}

}  // namespace varnel
