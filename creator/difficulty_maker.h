#pragma once

#include <cstdint>
#include <vector>

#include "creator/problem_maker.h"
#include "creator/shared_random.h"
#include "ladder/difficulty.h"
#include "ladder/ladder_run.h"

namespace varnel {

// The ranks a problem may have, both ends included, within RANK_EASY to RANK_EXTREME.
struct DifficultyRange {
    int32_t lowest = RANK_EASY;
    int32_t highest = HIGHEST_RANK;

    bool contains(int32_t rank) const { return rank >= lowest && rank <= highest; }
};

// Work budget of one solvability test while thinning: a board that needs more of the trials is
// taken as not solvable within the rank.
inline constexpr int64_t THINNING_TEST_BUDGET = 200'000;

// What an attempt keeps between attempts: the ladder's arrays and the full clue grid.
struct DifficultyMaker {
    LadderRun run;
    std::vector<uint8_t> full;   // [0, W x H): the clue of every cell of the drawn loop
    std::vector<int32_t> order;  // [0, W x H): the cells in the order their clues are tried
};

// One attempt at a W x H problem whose difficulty lies in range, as a person solving it feels
// it. It draws a target rank in the range, draws random loops until the ladder up to the target
// rank solves the loop's full clue grid, then tries the cells in a random order and takes a clue
// away whenever the puzzle stays solvable within the target rank: the puzzle keeps what it needs
// to be solved with techniques no harder, so an easy puzzle keeps more clues rather than being
// rejected. The ladder is sound, so the puzzle has exactly one answer. The problem is then in grid
// and its grade in difficulty: its rank, the hardest technique it needs, is at most the target and
// may be lower, which the caller decides on. False only when the ladder cannot rate the thinned
// puzzle within its budget. Draws, in order: the target rank, the loops, the order of the cells.
// W and H must suit the builder.
bool makeProblemOfDifficulty(SharedRandom& random, int32_t width, int32_t height,
                             DifficultyRange range, LoopBuilderKind kind, uint8_t* grid,
                             Difficulty& difficulty, DifficultyMaker& maker);

}  // namespace varnel
