#pragma once

#include <array>
#include <atomic>
#include <cstdint>

#include "creator/difficulty_maker.h"
#include "creator/grading.h"
#include "creator/problem_maker.h"
#include "solver/clue_grid.h"

namespace varnel {

// Levels 1 to 5, as compact lines carry them.
inline constexpr int32_t LOWEST_LEVEL = 1;
inline constexpr int32_t HIGHEST_LEVEL = 5;

// The levels a problem may have, both ends included, within 1 to 5.
struct LevelRange {
    int32_t lowest = LOWEST_LEVEL;
    int32_t highest = HIGHEST_LEVEL;

    bool contains(int32_t level) const { return level >= lowest && level <= highest; }
};

// The starting state of the 64-bit random source (SharedRandom::seedWide) of problem `index` (from
// 0) of a batch with seed `seed`, so that every problem has a source of its own and a batch reads
// the same whatever threads make it and however it is sliced:
//   state = splitmix64(splitmix64(seed) XOR index),
// where splitmix64(x) adds 0x9E3779B97F4A7C15 and then mixes: z ^= z >> 30, z *=
// 0xBF58476D1CE4E5B9, z ^= z >> 27, z *= 0x94D049BB133111EB, z ^= z >> 31 (all modulo 2^64).
uint64_t problemState(uint64_t seed, uint64_t index);

// SplitMix64's output function on x, as used by problemState.
uint64_t splitMix64(uint64_t x);

// One problem of a seeded batch, or what the tries found when none fitted.
struct SeededProblem {
    Difficulty difficulty;                   // its difficulty, when made for one
    ClueGrid grid;                           // [0, W x H): the problem, when made
    int32_t score = 0;                       // its difficulty score 0 to 49
    int32_t level = 0;                       // its level, levelOfScore(score)
    int32_t tries = 0;                       // makeProblem attempts used, failed ones included
    std::array<int32_t, 6> levelsReached{};  // [1, 5]: problems made at each level in the tries,
                                             // the kept one included
    std::array<int32_t, 6> ranksReached{};   // [1, 5]: problems made for a difficulty at each
                                             // rank in the tries, the kept one included
    bool stopped = false;                    // the caller's stop flag ended the tries early
};

// Makes problem `index` of the batch with seed `seed`: one 64-bit SharedRandom seeded with
// problemState(seed, index), and makeProblem attempts on it one after another until a problem is
// made whose level lies in levels and that the solver solves to exactly one answer (an attempt
// whose final solve only got stuck counts as failed). The level is part of what problem `index`
// is: the attempts that are thrown away are the same every time, so the result is too. True with
// the problem in out; false when maxTries attempts made none that fits (out then tells which
// levels they reached), or when stop, checked before each attempt, was set (out.stopped).
// W and H must suit the builder (loopBuilderFits). judgeThreads above 1 judges candidate clues on
// that many threads (for a problem made on its own); the problem is the same for any number.
bool makeSeededProblem(uint64_t seed, uint64_t index, int32_t width, int32_t height,
                       LevelRange levels, LoopBuilderKind kind, int32_t maxTries,
                       SeededProblem& out, const std::atomic<bool>* stop = nullptr,
                       int32_t judgeThreads = 1);

// Makes problem `index` of the batch with seed `seed` for a difficulty: the same source as
// makeSeededProblem, and makeProblemOfDifficulty attempts on it one after another until one is
// made whose rank lies in ranks (so the difficulty is part of what problem `index` is). Its level
// is the creator's grade of it (gradeLevel), for the compact lines. True with the problem in out;
// false when maxTries attempts made none that fits (out then tells which ranks they reached), or
// when stop was set.
bool makeSeededProblemOfDifficulty(uint64_t seed, uint64_t index, int32_t width, int32_t height,
                                   DifficultyRange ranks, LoopBuilderKind kind, int32_t maxTries,
                                   SeededProblem& out, const std::atomic<bool>* stop = nullptr);

}  // namespace varnel
