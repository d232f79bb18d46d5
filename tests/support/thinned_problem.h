#pragma once

// A problem thinned at random from the full clue grid of a loop, for the tests that compare a
// solver shortcut with the plain path on many boards.

#include <cstdint>
#include <random>
#include <vector>

#include "solver/solver_board.h"

namespace varnel::testing_support {

// Keeps each clue of full (values 0 to 3) with a chance of keepFrom + rng() % keepSpan percent,
// drawn once per problem, then one draw per cell.
inline ClueGrid thinnedProblem(const std::vector<uint8_t>& full, unsigned keepFrom,
                               unsigned keepSpan, std::mt19937& rng) {
    ClueGrid problem(full.size(), NO_CLUE);
    const unsigned keep = keepFrom + rng() % keepSpan;  // percent of clues kept
    for (size_t p = 0; p < full.size(); ++p) {
        if (full[p] <= 3 && rng() % 100 < keep) problem[p] = full[p];
    }
    return problem;
}

}  // namespace varnel::testing_support
