#include "creator/seeded_batch.h"

#include <gtest/gtest.h>

#include <set>
#include <vector>

#include "creator/clue_reducer.h"
#include "creator/region_builder.h"
#include "solver/solve_entry.h"

namespace varnel {
namespace {

// The mix starts from SplitMix64, whose published outputs for the states 0 and 0x9E3779B97F4A7C15
// (its first two outputs from seed 0) are these.
TEST(SeededBatch, SeedMixIsSplitMix64) {
    EXPECT_EQ(splitMix64(0), 0xE220A8397B1DCDAFu);
    EXPECT_EQ(splitMix64(0x9E3779B97F4A7C15u), 0x6E789E6AA1B965F4u);
    EXPECT_EQ(problemState(7, 3), splitMix64(splitMix64(7) ^ 3));
}

// Each problem's source is a 64-bit generator: the draws of neighbouring problems' sources never
// meet, where sources of 31 bits, all on one cycle of 2^31 states, met by the thousands in a
// batch and made the same problem twice (here 100,000 draws of a 31-bit state would meet about
// five times).
TEST(SeededBatch, ProblemSourcesNeverShareDraws) {
    std::set<uint64_t> values;
    size_t drawn = 0;
    for (uint64_t k = 0; k < 200; ++k) {
        SharedRandom random;
        random.seedWide(problemState(5103, k));
        for (int i = 0; i < 500; ++i, ++drawn)
            values.insert(random.advanceWide());
    }
    EXPECT_EQ(values.size(), drawn);
    // Draws stay within their range and reach both ends.
    SharedRandom random;
    random.seedWide(problemState(1, 2));
    int low = 0, high = 0;
    for (int i = 0; i < 2000; ++i) {
        const int32_t d = random.draw(7);
        ASSERT_TRUE(d >= 0 && d < 7);
        low += d == 0;
        high += d == 6;
    }
    EXPECT_GT(low, 0);
    EXPECT_GT(high, 0);
}

// A problem is a function of (seed, index) alone, with the requested size and level, one answer,
// and the same whichever problems were made before it on the same thread.
TEST(SeededBatch, ProblemsDependOnSeedAndIndexOnlyAndHaveTheirLevel) {
    const LevelRange levels{2, 5};
    std::vector<ClueGrid> forward;
    for (uint64_t k = 0; k < 6; ++k) {
        SeededProblem p;
        ASSERT_TRUE(makeSeededProblem(99, k, 9, 8, levels, LoopBuilderKind::REGION, 500, p));
        EXPECT_TRUE(levels.contains(p.level));
        EXPECT_EQ(p.level, levelOfScore(p.score));
        EXPECT_EQ(p.grid.size(), 72u);
        EXPECT_GE(p.tries, 1);
        EXPECT_GE(p.levelsReached[p.level], 1);
        int made = 0;
        for (int32_t l = LOWEST_LEVEL; l <= HIGHEST_LEVEL; ++l) {
            made += p.levelsReached[l];
            if (!levels.contains(l)) continue;
            EXPECT_EQ(p.levelsReached[l], l == p.level ? 1 : 0) << "a fitting problem was skipped";
        }
        EXPECT_LE(made, p.tries);
        const SolveSummary summary = solveClues(p.grid.data(), 9, 8, nullptr);
        EXPECT_EQ(summary.outcome, SolveOutcome::FOUND);
        EXPECT_EQ(summary.answerCount, 1);
        forward.push_back(p.grid);
    }
    for (uint64_t k = 6; k-- > 0;) {
        SeededProblem p;
        ASSERT_TRUE(makeSeededProblem(99, k, 9, 8, levels, LoopBuilderKind::REGION, 500, p));
        EXPECT_EQ(p.grid, forward[k]) << "index " << k;
    }
    EXPECT_NE(forward[0], forward[1]);
}

// A level the tries never reach ends in a failure that says which levels they did reach.
TEST(SeededBatch, UnreachedLevelFailsAfterTheBoundAndReportsWhatWasReached) {
    SeededProblem p;
    // On 7 x 7 one relation decided by trial already scores 49, so level 5 is common and the
    // bound of 3 tries keeps the test short; an empty range can never be met.
    EXPECT_FALSE(makeSeededProblem(5, 0, 7, 7, LevelRange{3, 2}, LoopBuilderKind::REGION, 3, p));
    EXPECT_EQ(p.tries, 3);
    int made = 0;
    for (const int32_t n : p.levelsReached)
        made += n;
    EXPECT_GE(made, 1);
    EXPECT_LE(made, 3);
}

// The strip builder's sizes give the same problems through the seeded path as the problem maker
// gives from the same source: the seeded batch adds nothing but the source.
TEST(SeededBatch, StripBuilderProblemMatchesTheProblemMaker) {
    SeededProblem p;
    ASSERT_TRUE(makeSeededProblem(1234, 5, 16, 12, LevelRange{}, LoopBuilderKind::STRIP, 50, p));
    SharedRandom random;
    random.seedWide(problemState(1234, 5));
    std::vector<uint8_t> grid(192);
    ProblemGrade grade;
    int tries = 1;
    while (!makeProblem(random, 16, 12, grid.data(), grade))
        ++tries;
    EXPECT_EQ(p.grid, grid);
    EXPECT_EQ(p.score, grade.score);
    EXPECT_EQ(p.tries, tries);
}

// Past 62 columns and 36 rows the reducer's row masks take more than one word; its 0 test and
// its sparse places still agree with a plain look at the neighbours.
TEST(SeededBatch, ReducerMasksWorkPastOneWord) {
    const int32_t w = 70, h = 40;
    std::vector<uint8_t> full(static_cast<size_t>(w * h), 2);
    for (int32_t r = 0; r < h; ++r) {
        for (int32_t c = (r * 5) % 3; c < w; c += 3)
            full[r * w + c] = 0;
    }
    SharedRandom random(8);
    ClueReducer reducer;
    reducer.init(&random, w, h);
    reducer.seedClues(full.data());
    auto plainZeroNearby = [&](int32_t c, int32_t r) {
        for (int32_t y = r - 1; y <= r + 1; ++y) {
            for (int32_t x = c - 1; x <= c + 1; ++x) {
                if (x >= 0 && x < w && y >= 0 && y < h && reducer.problem[y * w + x] == 0)
                    return true;
            }
        }
        return false;
    };
    int zeros = 0;
    for (int32_t r = 0; r < h; ++r) {
        for (int32_t c = 0; c < w; ++c) {
            ASSERT_EQ(reducer.zeroNearby(c, r), plainZeroNearby(c, r)) << c << "," << r;
            zeros += reducer.problem[r * w + c] == 0;
        }
    }
    EXPECT_GT(zeros, 50);

    // Sparse places on a random occupancy: the masks agree with counting the 8 neighbours, the
    // board's outside counting as occupied.
    std::vector<uint8_t> held(static_cast<size_t>(w * h));
    PaddedRowMasks occupied;
    occupied.reshape(h + 2, w + 2);
    occupied.fillRow(0, w + 2);
    occupied.fillRow(h + 1, w + 2);
    for (int32_t r = 0; r < h; ++r) {
        occupied.set(r + 1, 0);
        occupied.set(r + 1, w + 1);
        for (int32_t c = 0; c < w; ++c) {
            held[r * w + c] = random.draw(5) == 0;
            if (held[r * w + c]) occupied.set(r + 1, c + 1);
        }
    }
    auto isHeld = [&](int32_t c, int32_t r) {
        return c < 0 || c >= w || r < 0 || r >= h || held[r * w + c] != 0;
    };
    int sparse = 0;
    for (int32_t r = 0; r < h; ++r) {
        for (int32_t c = 0; c < w; ++c) {
            const int sides =
                isHeld(c - 1, r) + isHeld(c + 1, r) + isHeld(c, r - 1) + isHeld(c, r + 1);
            const int corners = isHeld(c - 1, r - 1) + isHeld(c + 1, r - 1) + isHeld(c - 1, r + 1) +
                                isHeld(c + 1, r + 1);
            const bool expected = sides <= 2 && corners <= 3 && sides + corners <= 3;
            ASSERT_EQ(isSparsePlace(occupied, c, r), expected) << c << "," << r;
            sparse += expected;
        }
    }
    EXPECT_GT(sparse, 100);
}

}  // namespace
}  // namespace varnel
