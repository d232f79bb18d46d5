// Looking at places in any order (the closure the maker uses) ends where simplest first ends:
// every technique only adds what holds and keeps what it found, so the fixpoint is one.

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <vector>

#include "creator/loop_source.h"
#include "creator/seeded_batch.h"
#include "ladder/ladder_run.h"
#include "ladder/techniques.h"
#include "solver/clue_grid.h"

namespace varnel {
namespace {

TEST(LadderClosure, AnyOrderEndsWhereSimplestFirstEnds) {
    std::mt19937 rng(11);
    int solved = 0;
    int stuck = 0;
    for (int round = 0; round < 160; ++round) {
        const int32_t w = 4 + static_cast<int32_t>(rng() % 7);
        const int32_t h = 4 + static_cast<int32_t>(rng() % 7);
        std::vector<uint8_t> full(static_cast<size_t>(w * h));
        SharedRandom random;
        random.seedWide(rng());
        LoopSource builder;
        builder.bind(LoopBuilderKind::REGION, full.data(), w, h, &random);
        builder.buildLoop();
        // Keep between a third and all of the clues.
        const unsigned keep = 33 + rng() % 68;
        std::vector<uint8_t> grid(full.size(), NO_CLUE);
        for (size_t c = 0; c < full.size(); ++c) {
            if (rng() % 100 < keep) grid[c] = full[c];
        }
        const int32_t rank = 1 + static_cast<int32_t>(rng() % 4);
        LadderRun simplest;
        startLadder(simplest, grid.data(), w, h, RecordMode::COUNTS, rank);
        const LadderEnd a = runLadder(simplest, rank);
        LadderRun anyOrder;
        startLadder(anyOrder, grid.data(), w, h, RecordMode::CLOSURE, rank);
        const LadderEnd b = runLadder(anyOrder, rank);
        ASSERT_EQ(a, b) << "round " << round << " rank " << rank;
        ASSERT_EQ(simplest.state.sides, anyOrder.state.sides) << "round " << round;
        solved += a == LadderEnd::SOLVED;
        stuck += a == LadderEnd::STUCK;
    }
    // Both ends are well represented.
    EXPECT_GT(solved, 20);
    EXPECT_GT(stuck, 20);
}

// Simplest first never uses a harder rank than the puzzle needs: the rank it grades a puzzle is the
// lowest rank whose closure solves it. A place a technique should have looked at again but was not
// told of would show here, as a harder rank than needed.
TEST(LadderClosure, GradedRankIsTheLowestRankThatSolves) {
    std::mt19937 rng(23);
    int byRank[6] = {0, 0, 0, 0, 0, 0};
    for (int round = 0; round < 300; ++round) {
        const int32_t w = 4 + static_cast<int32_t>(rng() % 6);
        const int32_t h = 4 + static_cast<int32_t>(rng() % 6);
        std::vector<uint8_t> full(static_cast<size_t>(w * h));
        SharedRandom random;
        random.seedWide(rng());
        LoopSource builder;
        builder.bind(LoopBuilderKind::REGION, full.data(), w, h, &random);
        builder.buildLoop();
        const unsigned keep = 35 + rng() % 50;
        std::vector<uint8_t> grid(full.size(), NO_CLUE);
        for (size_t c = 0; c < full.size(); ++c) {
            if (rng() % 100 < keep) grid[c] = full[c];
        }
        int32_t lowest = 0;
        for (int32_t rank = RANK_EASY; rank <= RANK_EXPERT && lowest == 0; ++rank) {
            LadderRun closure;
            startLadder(closure, grid.data(), w, h, RecordMode::CLOSURE, rank);
            if (runLadder(closure, rank) == LadderEnd::SOLVED) lowest = rank;
        }
        if (lowest == 0) continue;
        LadderRun graded;
        startLadder(graded, grid.data(), w, h, RecordMode::COUNTS);
        ASSERT_EQ(runLadder(graded, RANK_EXPERT), LadderEnd::SOLVED) << "round " << round;
        int32_t used = RANK_EASY;
        const auto techniques = ladderTechniques();
        for (size_t t = 0; t < techniques.size(); ++t) {
            if (graded.counts[t] > 0) used = std::max(used, techniques[t].rank);
        }
        EXPECT_EQ(used, lowest) << "round " << round;
        ++byRank[lowest];
    }
    for (int32_t rank = RANK_EASY; rank <= RANK_HARD; ++rank)
        EXPECT_GT(byRank[rank], 10) << rank;
}

}  // namespace
}  // namespace varnel
