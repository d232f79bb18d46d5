#pragma once

// Making new puzzles, reproducibly, exactly as `varnel make` makes them: the same arguments give
// the same puzzles, byte for byte, whatever the number of threads.

#include <atomic>
#include <cstdint>
#include <string>
#include <vector>

#include "varnel/answer.h"
#include "varnel/difficulty.h"
#include "varnel/export.h"
#include "varnel/puzzle.h"

namespace varnel::api {

// How the random loop of a puzzle is drawn.
enum class Builder : uint8_t {
    AUTOMATIC,  // strips where they fit, else a grown region, as `varnel make` does by default
    STRIP,      // narrow strips: widths and heights that are multiples of 4 from 4 to 36
    REGION,     // a grown region: any size
};

// The limits of make: puzzles one call keeps in memory (larger batches are made in slices with
// first), threads, and tries per puzzle, with their default.
inline constexpr uint64_t MOST_PUZZLES_MADE = 1'000'000;
inline constexpr int32_t MOST_MAKE_JOBS = 4096;
inline constexpr int32_t MOST_MAKE_TRIES = 1'000'000'000;
// Enough for every level that a size reaches in one try out of a hundred (a miss then has odds
// of e^-10).
inline constexpr int32_t DEFAULT_MAKE_TRIES = 1000;

struct MakeOptions {
    int32_t width = 10;       // cells per row, at least 3
    int32_t height = 10;      // rows, at least 3; (W + 2) x (H + 2) <= 32767
    uint64_t count = 1;       // puzzles to make, at most MOST_PUZZLES_MADE
    uint64_t seed = 0;        // the batch's seed
    uint64_t first = 0;       // index of the first puzzle, for slices of a batch
    int32_t lowestLevel = 1;  // only puzzles of levels lowestLevel..highestLevel, 1..5
    int32_t highestLevel = 5;
    int32_t lowestDifficulty = 0;   // 1..5 with highestDifficulty: only puzzles of difficulties
                                    // lowestDifficulty..highestDifficulty (difficulty.h), each
                                    // made for its difficulty; 0 and 0 to make by level (the
                                    // levels must then be left at 1..5)
    int32_t highestDifficulty = 0;  // lowestDifficulty..5, or 0
    Builder builder = Builder::AUTOMATIC;
    int32_t jobs = 0;                       // threads, at most MOST_MAKE_JOBS; 0 for every core
    int32_t maxTries = DEFAULT_MAKE_TRIES;  // tries per puzzle for the levels or difficulties
                                            // before giving up, 1..MOST_MAKE_TRIES
    bool answers = true;                    // find each puzzle's answer (MadePuzzle::answer)
    std::atomic<bool>* stop = nullptr;      // when given: set it to stop the run early (the run
                                            // sets it too when a puzzle misses its levels)
    std::atomic<int64_t>* made = nullptr;   // when given, counts the puzzles made so far
};

// A made puzzle with its answer.
struct MadePuzzle {
    Puzzle puzzle;          // level set; source "seed S problem", line the index
    Answer answer;          // its one answer (found by the complete check); empty without
                            // MakeOptions::answers
    int32_t score = 0;      // made by level: its grade's score, 0..49; made for a difficulty:
                            // -1, as its level is then measured only as far as it is certain
    Difficulty difficulty;  // made for a difficulty: its difficulty, as gradeDifficulty gives it;
                            // made by level: empty and not rated
    uint64_t index = 0;     // K: puzzle K of the batch's seed
    int32_t tries = 0;      // attempts it took, failed ones and ones of other levels or
                            // difficulties included
};

struct MakeResult {
    std::vector<MadePuzzle> puzzles;  // in index order, first to first + count - 1; empty on error
    bool stopped = false;             // options.stop ended the run; puzzles is then empty
    bool missed = false;  // a puzzle of the asked levels or difficulties was not found within the
                          // tries; error says what the tries made
    std::string error;    // why nothing was made: an option out of range, or the miss, worded as
                          // `varnel make` words it ("problem 0 of seed 3: no 7x7 problem of level
                          // 3 in 1000 tries; ...")
};

// Makes puzzles first to first + count - 1 of the batch with the given seed: puzzle K comes from
// a 64-bit random source of its own, started at splitmix64(splitmix64(seed) xor K), and is made
// again from it until its level or difficulty fits. Every puzzle has exactly one answer; one
// made by level is solved by the program's own solver without guessing, one made for a
// difficulty by the ladder within that difficulty.
VARNEL_API MakeResult make(const MakeOptions& options);

}  // namespace varnel::api
