#include "creator/clue_reducer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "creator/loop_builder.h"
#include "solver/solver_board.h"

namespace varnel {
namespace {

constexpr int32_t W = 16;
constexpr int32_t H = 12;

// The full clue grid of a loop that propagation alone solves, as the problem maker looks for.
std::vector<uint8_t> solvableLoop(SharedRandom& random) {
    std::vector<uint8_t> full(W * H);
    RandomLoopBuilder builder;
    builder.bind(full.data(), W, H, &random);
    RegionScan scan;
    SolverBoard board;
    for (;;) {
        builder.buildLoop();
        board.setUp(full.data(), W, H, scan);
        if (board.propagate() && board.uf.setCount == 1) return full;
    }
}

// Every clue is the full grid's, clueCount counts them and no two 0 clues touch.
void expectInvariants(const ClueReducer& reducer, const std::vector<uint8_t>& full) {
    int32_t clues = 0;
    for (int32_t r = 0; r < H; ++r) {
        for (int32_t c = 0; c < W; ++c) {
            const uint8_t v = reducer.problem[r * W + c];
            if (v == NO_CLUE) continue;
            ++clues;
            EXPECT_EQ(v, full[r * W + c]) << c << "," << r;
            if (v != 0) continue;
            for (int32_t dr = -1; dr <= 1; ++dr) {
                for (int32_t dc = -1; dc <= 1; ++dc) {
                    const int32_t x = c + dc, y = r + dr;
                    if ((dr || dc) && x >= 0 && x < W && y >= 0 && y < H) {
                        EXPECT_NE(reducer.problem[y * W + x], 0) << "0s touch at " << c << "," << r;
                    }
                }
            }
        }
    }
    EXPECT_EQ(reducer.clueCount, clues);
}

int32_t setsAfterPropagate(const ClueReducer& reducer) {
    RegionScan scan;
    SolverBoard board;
    board.setUp(reducer.problem.data(), W, H, scan);
    board.propagate();
    return board.uf.setCount;
}

// The 0 test on the row masks agrees with a plain look at the 3 x 3 block of every cell.
TEST(ClueReducer, ZeroTestLooksAtTheThreeByThreeBlock) {
    SharedRandom random(1);
    ClueReducer reducer;
    reducer.init(&random, W, H);
    std::vector<uint8_t> full(W * H, 2);
    for (int32_t r = 0; r < H; r += 3) {
        for (int32_t c = r % 2; c < W; c += 3)
            full[r * W + c] = 0;
    }
    reducer.seedClues(full.data());
    int kept = 0;
    for (int32_t r = 0; r < H; ++r) {
        for (int32_t c = 0; c < W; ++c) {
            bool near = false;
            for (int32_t y = std::max(0, r - 1); y <= std::min(H - 1, r + 1); ++y) {
                for (int32_t x = std::max(0, c - 1); x <= std::min(W - 1, c + 1); ++x) {
                    near = near || reducer.problem[y * W + x] == 0;
                }
            }
            kept += reducer.problem[r * W + c] == 0;
            EXPECT_EQ(reducer.zeroNearby(c, r), near) << c << "," << r;
        }
    }
    EXPECT_GT(kept, 0);
}

TEST(ClueReducer, SeedingKeepsThreesAndSeparatedZerosOnly) {
    // Without 0s and 3s nothing is seeded and nothing drawn.
    SharedRandom random(42);
    ClueReducer reducer;
    reducer.init(&random, W, H);
    std::vector<uint8_t> ones(W * H, 1);
    reducer.seedClues(ones.data());
    EXPECT_EQ(reducer.clueCount, 0);
    EXPECT_EQ(random.seed, 42);

    // A field of 0s: kept 0s never share a 3 x 3 block.
    std::vector<uint8_t> zeros(W * H, 0);
    reducer.seedClues(zeros.data());
    EXPECT_GT(reducer.clueCount, 0);
    expectInvariants(reducer, zeros);

    // A field of 3s keeps about three in four.
    std::vector<uint8_t> threes(W * H, 3);
    reducer.seedClues(threes.data());
    EXPECT_GT(reducer.clueCount, W * H / 2);
    EXPECT_LT(reducer.clueCount, W * H);
    expectInvariants(reducer, threes);
}

TEST(ClueReducer, SparsePlacesCountNeighboursAndTheBorder) {
    PaddedRowMasks occupied;
    occupied.reshape(H + 2, W + 2);
    occupied.fillRow(0, W + 2);
    occupied.fillRow(H + 1, W + 2);
    for (int32_t r = 1; r <= H; ++r) {
        occupied.set(r, 0);
        occupied.set(r, W + 1);
    }
    auto set = [&](int32_t c, int32_t r) { occupied.set(r + 1, c + 1); };

    // Corners have five neighbours outside; an empty border cell has three.
    EXPECT_FALSE(isSparsePlace(occupied, 0, 0));
    EXPECT_FALSE(isSparsePlace(occupied, W - 1, H - 1));
    EXPECT_TRUE(isSparsePlace(occupied, 5, 0));
    set(4, 1);  // a clue diagonal to the border cell (5, 0)
    EXPECT_FALSE(isSparsePlace(occupied, 5, 0));

    // Inner cell (8, 6): left and upper right (sides 1, corners 1) is sparse.
    set(7, 6);
    set(9, 5);
    EXPECT_TRUE(isSparsePlace(occupied, 8, 6));
    // Left, right and above (sides 3) is not.
    PaddedRowMasks sides = occupied;
    sides.set(6 + 1, 10);  // (9, 6)
    sides.set(5 + 1, 9);   // (8, 5)
    EXPECT_FALSE(isSparsePlace(sides, 8, 6));
    // Left plus three corners (sides 1, corners 3) is not.
    set(7, 5);
    set(7, 7);
    EXPECT_FALSE(isSparsePlace(occupied, 8, 6));
}

TEST(ClueReducer, TopUpStopsAtTheTargetAndOnlyUsesSparsePlaces) {
    SharedRandom random(3);
    const std::vector<uint8_t> full = solvableLoop(random);
    ClueReducer reducer;
    reducer.init(&random, W, H);
    reducer.seedClues(full.data());
    const int32_t seeded = reducer.clueCount;

    const int32_t before = random.seed;
    reducer.topUpClues(full.data(), seeded);  // already at the target: no change, no draw
    EXPECT_EQ(reducer.clueCount, seeded);
    EXPECT_EQ(random.seed, before);

    const ClueGrid old = reducer.problem;
    reducer.topUpClues(full.data(), seeded + 10);
    EXPECT_LE(reducer.clueCount, seeded + 10);
    expectInvariants(reducer, full);
    // No clue in a corner that was empty before.
    for (const int32_t p : {0, W - 1, (H - 1) * W, H * W - 1}) {
        if (old[p] == NO_CLUE) {
            EXPECT_EQ(reducer.problem[p], NO_CLUE);
        }
    }
}

// addClues, removeClues and addClues again, as the problem maker runs them: the problem stays
// one that propagation solves, and the sweep phase alone never adds a 3.
TEST(ClueReducer, ThinnedProblemIsStillSolvedByPropagation) {
    for (uint32_t seed = 1; seed <= 4; ++seed) {
        SharedRandom random(seed);
        const std::vector<uint8_t> full = solvableLoop(random);
        ClueReducer reducer;
        reducer.init(&random, W, H);
        reducer.seedClues(full.data());
        int32_t seededThrees = 0;
        for (const uint8_t v : reducer.problem)
            seededThrees += v == 3;

        RegionScan scan;
        SolverBoard board, scratch;
        // minSets 0 keeps addClues in its sweep phase to the end.
        if (!reducer.addClues(full.data(), board, scratch, scan, 0, W * H)) continue;
        int32_t threes = 0;
        for (const uint8_t v : reducer.problem)
            threes += v == 3;
        EXPECT_EQ(threes, seededThrees);
        expectInvariants(reducer, full);
        EXPECT_EQ(setsAfterPropagate(reducer), 1);

        const int32_t added = reducer.clueCount;
        reducer.removeClues(full.data(), board, scan);
        EXPECT_LT(reducer.clueCount, added);
        expectInvariants(reducer, full);
        EXPECT_EQ(setsAfterPropagate(reducer), 1);
    }
}

TEST(ClueReducer, AddCluesGivesUpAboveMaxSets) {
    SharedRandom random(5);
    const std::vector<uint8_t> full = solvableLoop(random);
    ClueReducer reducer;
    reducer.init(&random, W, H);
    reducer.seedClues(full.data());
    const ClueGrid seeded = reducer.problem;
    RegionScan scan;
    SolverBoard board, scratch;
    EXPECT_FALSE(reducer.addClues(full.data(), board, scratch, scan, 10, 1));
    EXPECT_EQ(reducer.problem, seeded);
}

}  // namespace
}  // namespace varnel
