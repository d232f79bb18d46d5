#pragma once

// Problems thinned at random from the full clue grids of random loops, for the tests that compare
// a solver shortcut with the plain path on many boards.

#include <cstdint>
#include <random>
#include <vector>

#include "creator/loop_builder.h"
#include "creator/shared_random.h"
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

// Builds `rounds` random W x H loops in a row from SharedRandom(seed), thins each with
// thinnedProblem(full, keepFrom, keepSpan, rng), sets it up on a fresh board and calls
// fn(round, full, problem, board).
template <class Fn>
void forEachThinnedBoard(int32_t w, int32_t h, uint32_t seed, int rounds, unsigned keepFrom,
                         unsigned keepSpan, std::mt19937& rng, Fn&& fn) {
    SharedRandom random(seed);
    std::vector<uint8_t> full(static_cast<size_t>(w) * static_cast<size_t>(h));
    RandomLoopBuilder builder;
    builder.bind(full.data(), w, h, &random);
    for (int round = 0; round < rounds; ++round) {
        builder.buildLoop();
        const ClueGrid problem = thinnedProblem(full, keepFrom, keepSpan, rng);
        RegionScan scan;
        SolverBoard board;
        board.setUp(problem.data(), w, h, scan);
        fn(round, full, problem, board);
    }
}

}  // namespace varnel::testing_support
