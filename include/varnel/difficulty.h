#pragma once

// The difficulty of a puzzle as a person solving it feels it, as `varnel check` gives it: the
// ladder, a deduction engine that pencils what a player pencils and always applies the simplest
// technique that decides something, grades a puzzle by the hardest rank of techniques it needed.
// The ranks, simplest first: 1 easy, 2 medium, 3 hard, 4 expert (a short trial), 5 extreme
// (trials within trials).

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "varnel/export.h"
#include "varnel/puzzle.h"

namespace varnel::api {

// How often the ladder applied one technique.
struct TechniqueCount {
    std::string technique;  // its name, as `varnel check --json` keys it ("clue complete")
    int32_t count = 0;      // its applications, at least 1
};

struct Difficulty {
    bool rated = false;  // the ladder solved the puzzle: rank and rating hold
    std::string name;    // "easy", "medium", "hard", "expert" or "extreme"; "unfinished" when
                         // not rated; empty on error
    int32_t rank = 0;    // 1..5 when rated, else 0
    double rating = 0;   // when rated, rank <= rating < rank + 1 in hundredths: orders puzzles
                         // across and within ranks; else 0
    std::vector<TechniqueCount> techniques;  // every technique applied, simplest first
    std::string reason;  // why the ladder stopped when not rated: "no loop meets every clue",
                         // "several answers, or beyond the deepest trial", "beyond the work
                         // budget"; else empty
    std::string error;   // why the puzzle was not graded; empty when it was
};

// Grades a puzzle on the ladder. The same technique mix rates the same on any board size. A
// unique 36 x 20 puzzle takes some milliseconds. Nested trials can take long, up to the ladder's
// work budget, past which the puzzle is "unfinished": so it goes with a puzzle with several
// answers and few clues (3 to 8 s measured on 16 x 12 ones), which check() does not grade.
VARNEL_API Difficulty gradeDifficulty(const Puzzle& puzzle);

// The name of rank 1..5, "easy" .. "extreme"; "" for any other number.
VARNEL_API const char* difficultyName(int32_t rank);

// A range of difficulties, as `varnel make --difficulty` and `--difficulties` read them.
struct DifficultyRange {
    int32_t lowest = 0;   // 1..5
    int32_t highest = 0;  // lowest..5
    std::string error;    // why the text is not a difficulty or a range; empty when it is
};

// Reads a difficulty by name or rank ("hard", "3"), or, when ranges are allowed, two of them
// joined by '-', the easier first ("easy-hard", "1-3"). Errors read as `varnel make` words them:
// "'tough' is not a difficulty: easy, medium, hard, expert or extreme (or 1 to 5)".
VARNEL_API DifficultyRange readDifficulties(std::string_view text, bool rangeAllowed = true);

}  // namespace varnel::api
