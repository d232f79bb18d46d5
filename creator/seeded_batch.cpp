#include "creator/seeded_batch.h"

#include <cassert>

#include "creator/shared_random.h"

namespace varnel {

uint64_t splitMix64(uint64_t x) {
    uint64_t z = x + 0x9E3779B97F4A7C15u;
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9u;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBu;
    return z ^ (z >> 31);
}

uint64_t problemState(uint64_t seed, uint64_t index) {
    return splitMix64(splitMix64(seed) ^ index);
}

bool makeSeededProblem(uint64_t seed, uint64_t index, int32_t width, int32_t height,
                       LevelRange levels, LoopBuilderKind kind, int32_t maxTries,
                       SeededProblem& out, const std::atomic<bool>* stop, int32_t judgeThreads) {
    assert(loopBuilderFits(kind, width, height) && maxTries >= 1);
    SharedRandom random;
    random.seedWide(problemState(seed, index));
    out.grid.assign(static_cast<size_t>(width) * static_cast<size_t>(height), NO_CLUE);
    out.levelsReached.fill(0);
    out.stopped = false;
    for (out.tries = 1; out.tries <= maxTries; ++out.tries) {
        if (stop != nullptr && stop->load(std::memory_order_relaxed)) {
            out.stopped = true;
            return false;
        }
        ProblemGrade grade;
        if (!makeProblem(random, width, height, out.grid.data(), grade, nullptr, kind,
                         judgeThreads))
            continue;
        // The maker accepts a final solve that got stuck; a batch that promises unique problems
        // does not. The solver only deduces, so an answer it finds is the only one.
        if (grade.outcome != SolveOutcome::FOUND) continue;
        out.score = grade.score;
        out.level = grade.level;
        ++out.levelsReached[out.level];
        if (levels.contains(out.level)) return true;
    }
    out.tries = maxTries;
    return false;
}

bool makeSeededProblemOfDifficulty(uint64_t seed, uint64_t index, int32_t width, int32_t height,
                                   DifficultyRange ranks, LoopBuilderKind kind, int32_t maxTries,
                                   SeededProblem& out, const std::atomic<bool>* stop) {
    assert(loopBuilderFits(kind, width, height) && maxTries >= 1);
    SharedRandom random;
    random.seedWide(problemState(seed, index));
    out.grid.assign(static_cast<size_t>(width) * static_cast<size_t>(height), NO_CLUE);
    out.levelsReached.fill(0);
    out.ranksReached.fill(0);
    out.stopped = false;
    DifficultyMaker maker;
    for (out.tries = 1; out.tries <= maxTries; ++out.tries) {
        if (stop != nullptr && stop->load(std::memory_order_relaxed)) {
            out.stopped = true;
            return false;
        }
        if (!makeProblemOfDifficulty(random, width, height, ranks, kind, out.grid.data(),
                                     out.difficulty, maker)) {
            continue;
        }
        ++out.ranksReached[out.difficulty.rank];
        if (!ranks.contains(out.difficulty.rank)) continue;
        out.level = gradeLevel(out.grid.data(), width, height);
        out.score = 0;
        ++out.levelsReached[out.level];
        return true;
    }
    out.tries = maxTries;
    return false;
}

}  // namespace varnel
