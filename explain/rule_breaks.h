#pragma once

// Which rule of the puzzle a board breaks, told as a player would say it: where a trial's
// assumption leads, and why a puzzle without an answer has none.

#include <cstdint>
#include <string>
#include <vector>

#include "explain/board_knowledge.h"

namespace varnel {

// The first rule the board breaks, in words: a clue with too many lines or too few left ("r4c6,
// a 1, has 2 lines"), a point with three lines or a line that ends, a corner that can hold no
// count, lines closed into a loop that leaves others out, cells found on the same side of the
// loop and on different sides. The given cells and points are looked at first, then the whole
// board; hypothetical says "would have" rather than "has". Empty when none of these is broken.
std::string brokenRule(const BoardKnowledge& board, const std::vector<int32_t>& cells,
                       const std::vector<int32_t>& points, bool hypothetical);

}  // namespace varnel
