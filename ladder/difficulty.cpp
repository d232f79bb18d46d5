#include "ladder/difficulty.h"

#include <cmath>

#include "ladder/techniques.h"

namespace varnel {

namespace {

// The rating's part within a rank: 0.99 (1 - e^(-SPREAD x load)), load the weighted share of the
// top rank's steps. Measured on Loopy's puzzles, loads run from 0 to about 0.3; SPREAD puts
// them across most of the rank.
constexpr double SPREAD = 10.0;

// A trial's chain of this many steps counts as much again as the trial itself.
constexpr double CHAIN_STEPS = 8.0;

}  // namespace

const char* difficultyName(const Difficulty& difficulty) {
    return difficulty.end == DifficultyEnd::RATED ? rankName(difficulty.rank) : "unfinished";
}

const char* unfinishedReason(DifficultyEnd end) {
    switch (end) {
        case DifficultyEnd::RATED:
            return "";
        case DifficultyEnd::NO_ANSWER:
            return "no loop meets every clue";
        case DifficultyEnd::STUCK:
            return "several answers, or beyond the deepest trial";
        case DifficultyEnd::OUT_OF_BUDGET:
            return "beyond the work budget";
    }
    return "";
}

Difficulty difficultyOf(const LadderRun& run, LadderEnd end) {
    Difficulty d;
    d.counts = run.counts;
    d.chains = run.trialChains;
    switch (end) {
        case LadderEnd::SOLVED:
            d.end = DifficultyEnd::RATED;
            break;
        case LadderEnd::CONTRADICTION:
            d.end = DifficultyEnd::NO_ANSWER;
            return d;
        case LadderEnd::STUCK:
            d.end = DifficultyEnd::STUCK;
            return d;
        case LadderEnd::LIMIT:
            d.end = DifficultyEnd::OUT_OF_BUDGET;
            return d;
    }
    const auto techniques = ladderTechniques();
    int64_t steps = 0;
    d.rank = RANK_EASY;
    for (size_t t = 0; t < techniques.size(); ++t) {
        steps += d.counts[t];
        if (d.counts[t] > 0 && techniques[t].rank > d.rank) d.rank = techniques[t].rank;
    }
    double load = 0;
    if (steps > 0) {
        for (size_t t = 0; t < techniques.size(); ++t) {
            if (techniques[t].rank != d.rank) continue;
            load += techniques[t].weight * d.counts[t] / static_cast<double>(steps);
        }
    }
    if (d.rank >= RANK_EXPERT && !d.chains.empty()) {
        double chain = 0;
        for (const int32_t c : d.chains)
            chain += c;
        chain /= static_cast<double>(d.chains.size());
        load *= 1.0 + chain / CHAIN_STEPS;
    }
    const double within = 0.99 * (1.0 - std::exp(-SPREAD * load));
    // Two decimals; the floor keeps rank <= rating < rank + 1.
    d.rating = std::floor((d.rank + within) * 100.0) / 100.0;
    return d;
}

Difficulty gradeDifficulty(const uint8_t* grid, int32_t width, int32_t height, int64_t workBudget) {
    LadderRun run;
    startLadder(run, grid, width, height, RecordMode::COUNTS);
    run.workBudget = workBudget;
    const LadderEnd end = runLadder(run, HIGHEST_RANK);
    return difficultyOf(run, end);
}

int32_t rankNamed(const std::string& name) {
    for (int32_t rank = RANK_EASY; rank <= HIGHEST_RANK; ++rank) {
        if (name == rankName(rank)) return rank;
    }
    return 0;
}

}  // namespace varnel
