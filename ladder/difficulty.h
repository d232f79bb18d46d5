#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "ladder/ladder_run.h"

namespace varnel {

// How far the ladder got with a puzzle.
enum class DifficultyEnd : uint8_t {
    RATED,          // solved: rank and rating say how hard it was
    NO_ANSWER,      // a rule is broken whatever is drawn: the clues admit no loop
    STUCK,          // even nested trials decide nothing more: several answers, or one that
                    // needs deeper trials than the ladder has
    OUT_OF_BUDGET,  // the work budget ran out before the ladder finished
};

// A puzzle's difficulty as a person feels it: the highest rank the ladder needed and a rating
// that orders puzzles across and within ranks, rank <= rating < rank + 1. Within a rank the
// rating grows with how much of the solve the rank's harder techniques carried: the share of
// steps taken by each of the top rank's techniques, counted by its weight, and for trials by
// their chains' length. Shares, not counts, so that the same mix of techniques rates the same
// on any board size.
struct Difficulty {
    DifficultyEnd end = DifficultyEnd::STUCK;
    int32_t rank = 0;             // RANK_EASY..RANK_EXTREME when RATED, else 0
    double rating = 0;            // rank + [0, 1), rounded to two decimals, when RATED
    std::vector<int32_t> counts;  // [0, techniques): steps of each technique
    std::vector<int32_t> chains;  // the chain of every trial, in order
};

// Work budget of a grade: technique applications, trials' included. A 36 x 20 puzzle that needs
// short trials takes some thousands; nested trials on a large board can take far more, and such
// a puzzle is reported OUT_OF_BUDGET rather than graded for minutes.
inline constexpr int64_t DEFAULT_GRADE_BUDGET = 4'000'000;

// The name of a difficulty: its rank's name ("easy" .. "extreme") when rated, else "unfinished".
const char* difficultyName(const Difficulty& difficulty);

// Why an unfinished difficulty stops, in a few words ("no loop meets every clue").
const char* unfinishedReason(DifficultyEnd end);

// The difficulty of a run the ladder has finished, from its counts and chains.
Difficulty difficultyOf(const LadderRun& run, LadderEnd end);

// Runs the ladder on a W x H problem (row-major clues, NO_CLUE for none) and grades it.
Difficulty gradeDifficulty(const uint8_t* grid, int32_t width, int32_t height,
                           int64_t workBudget = DEFAULT_GRADE_BUDGET);

// Reads a difficulty name ("easy" .. "extreme") as its rank; 0 when it is none of them.
int32_t rankNamed(const std::string& name);

}  // namespace varnel
