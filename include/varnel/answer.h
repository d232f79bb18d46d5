#pragma once

// An answer of a puzzle: the loop, given as which cells it encloses.

#include <cstdint>
#include <string>
#include <vector>

#include "varnel/export.h"

namespace varnel::api {

struct Answer {
    int32_t width = 0;            // cells per row, as the puzzle's
    int32_t height = 0;           // rows
    std::vector<uint8_t> inside;  // width x height, row by row: 1 inside the loop, 0 outside; a
                                  // side is on the loop exactly when the cells beside it differ,
                                  // cells beyond the grid counting as outside
};

// The answer as rows of '#' (inside the loop) and '.' (outside), as `varnel check --json` writes
// answers and `varnel verify` reads them.
VARNEL_API std::vector<std::string> answerRows(const Answer& answer);

// The sides on the loop, one name each ("r3c5 top"; sides between two cells by the cell below or
// right of them, edge sides by their one cell), in the order of the library's side numbering:
// horizontal sides row by row, then vertical ones. `varnel verify` reads the list back.
VARNEL_API std::vector<std::string> answerSides(const Answer& answer);

}  // namespace varnel::api
