#pragma once

// Making new puzzles, reproducibly, exactly as `varnel make` makes them: the same arguments give
// the same puzzles, byte for byte, whatever the number of threads.

#include <atomic>
#include <cstdint>
#include <string>
#include <vector>

#include "varnel/answer.h"
#include "varnel/export.h"
#include "varnel/puzzle.h"

namespace varnel::api {

// How the random loop of a puzzle is drawn.
enum class Builder : uint8_t {
    AUTOMATIC,  // strips where they fit, else a grown region, as `varnel make` does by default
    STRIP,      // narrow strips: widths and heights that are multiples of 4 from 4 to 36
    REGION,     // a grown region: any size
};

struct MakeOptions {
    int32_t width = 10;       // cells per row, at least 3
    int32_t height = 10;      // rows, at least 3; (W + 2) x (H + 2) <= 32767
    uint64_t count = 1;       // puzzles to make, at most 1,000,000
    uint64_t seed = 0;        // the batch's seed
    uint64_t first = 0;       // index of the first puzzle, for slices of a batch
    int32_t lowestLevel = 1;  // only puzzles of levels lowestLevel..highestLevel, 1..5
    int32_t highestLevel = 5;
    Builder builder = Builder::AUTOMATIC;
    int32_t jobs = 0;                      // threads; 0 for every core
    int32_t maxTries = 1000;               // tries per puzzle for the levels before giving up
    std::atomic<bool>* stop = nullptr;     // when given: set it to stop the run early (the run
                                           // sets it too when a puzzle misses its levels)
    std::atomic<int64_t>* made = nullptr;  // when given, counts the puzzles made so far
};

// A made puzzle with its answer.
struct MadePuzzle {
    Puzzle puzzle;       // level set; source "seed S problem", line the index
    Answer answer;       // its one answer
    int32_t score = 0;   // its grade's score, 0..49
    uint64_t index = 0;  // K: puzzle K of the batch's seed
    int32_t tries = 0;   // attempts it took, failed ones and ones of other levels included
};

struct MakeResult {
    std::vector<MadePuzzle> puzzles;  // in index order, first to first + count - 1; empty on error
    bool stopped = false;             // options.stop ended the run; puzzles is then empty
    std::string error;  // why nothing was made: an option out of range, or a puzzle of the asked
                        // levels not found within the tries (which levels they reached)
};

// Makes puzzles first to first + count - 1 of the batch with the given seed: puzzle K comes from
// a random source seeded with the high 32 bits of splitmix64(splitmix64(seed) xor K), and is
// made again from it until its level fits. Every puzzle has exactly one answer, which the
// program's own solver finds without guessing.
VARNEL_API MakeResult make(const MakeOptions& options);

}  // namespace varnel::api
