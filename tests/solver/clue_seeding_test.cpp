#include <gtest/gtest.h>

#include <random>

#include "solver/solver_board.h"
#include "tests/solver/test_boards.h"

namespace varnel {
namespace {

using testing::gridFromRows;
using testing::TestBoard;

TEST(SetUp, LayoutBorderAndCounters) {
    TestBoard t({"."});
    EXPECT_EQ(t.board.stride, 3);
    EXPECT_EQ(t.board.paddedHeight, 3);
    EXPECT_EQ(t.board.cellCount, 9);
    EXPECT_EQ(t.board.uf.setCount, 2);  // the border ring with OUTSIDE, and the one cell
    EXPECT_EQ(t.at(0, 0), 4);
    for (int i = 0; i < 9; ++i) {
        if (i != 4) {
            EXPECT_TRUE(t.board.uf.knownSame(OUTSIDE, i)) << i;
        }
        EXPECT_EQ(t.board.clues[i], NO_BOARD_CLUE);
    }

    TestBoard wide({"....", "...."});
    EXPECT_EQ(wide.board.uf.setCount, 4 * 2 + 1);
    EXPECT_EQ(wide.board.trialCount + wide.board.scanCount + wide.board.answerCount, 0);
    EXPECT_EQ(wide.scan.rowStep, 6);
    EXPECT_EQ(wide.scan.cellCount, 24);
}

TEST(SetUp, ZeroInACornerJoinsItsNeighboursToTheOutside) {
    TestBoard t({"0..", "...", "..."});
    const SolverBoard& b = t.board;
    EXPECT_TRUE(b.uf.knownSame(OUTSIDE, t.at(0, 0)));
    EXPECT_TRUE(b.uf.knownSame(OUTSIDE, t.at(1, 0)));
    EXPECT_TRUE(b.uf.knownSame(OUTSIDE, t.at(0, 1)));
    EXPECT_FALSE(b.uf.sameSet(OUTSIDE, t.at(1, 1)));
    EXPECT_EQ(b.done[t.at(0, 0)], 1);
    EXPECT_EQ(b.done[t.at(1, 0)], 0);
}

TEST(SetUp, AdjacentThreesPutThreeParallelSidesOnTheLoop) {
    TestBoard t({"....", ".33.", "...."});
    const ParityUnionFind& uf = t.board.uf;
    const int c = t.at(1, 1), d = t.at(2, 1);
    EXPECT_TRUE(uf.knownDifferent(c - 1, c));
    EXPECT_TRUE(uf.knownDifferent(c, d));
    EXPECT_TRUE(uf.knownDifferent(d, d + 1));
    EXPECT_TRUE(uf.knownSame(t.at(1, 0), t.at(2, 0)));
    EXPECT_TRUE(uf.knownSame(t.at(1, 2), t.at(2, 2)));
    EXPECT_TRUE(uf.knownDifferent(t.at(1, 0), t.at(1, 2)));
    EXPECT_FALSE(uf.contradiction);
}

// Outer sides of both 3s of a 3-2-2-3 diagonal are on the loop, whichever way the clues arrive.
TEST(SetUp, DiagonalThreesAcrossARunOfTwos) {
    const std::vector<std::string> rows = {"......", ".3....", "..2...",
                                           "...2..", "....3.", "......"};
    TestBoard t(rows);
    auto expectOuterSides = [](const TestBoard& tb) {
        const ParityUnionFind& uf = tb.board.uf;
        const int first = tb.at(1, 1), last = tb.at(4, 4), s = tb.board.stride;
        EXPECT_TRUE(uf.knownDifferent(first, first - 1));
        EXPECT_TRUE(uf.knownDifferent(first, first - s));
        EXPECT_TRUE(uf.knownDifferent(last, last + 1));
        EXPECT_TRUE(uf.knownDifferent(last, last + s));
    };
    expectOuterSides(t);

    // A 1 in place of one 2 breaks the run: nothing is seeded.
    TestBoard broken({"......", ".3....", "..1...", "...2..", "....3.", "......"});
    EXPECT_EQ(broken.board.uf.setCount, 6 * 6 + 1);

    // Built one clue at a time with the 2s last, the board learns the same relations.
    TestBoard placed({"......", "......", "......", "......", "......", "......"});
    placed.board.placeClue(1, 1, 3);
    placed.board.placeClue(4, 4, 3);
    EXPECT_EQ(placed.board.uf.setCount, 6 * 6 + 1);
    placed.board.placeClue(2, 2, 2);
    EXPECT_EQ(placed.board.uf.setCount, 6 * 6 + 1);
    placed.board.placeClue(3, 3, 2);
    expectOuterSides(placed);
    EXPECT_EQ(placed.board.uf.setCount, t.board.uf.setCount);
}

TEST(PlaceClue, OneAndClearOnlyWriteTheByteZeroIsSeeded) {
    TestBoard t({"...", "...", "..."});
    const std::vector<uint16_t> before = t.board.uf.tagStore;
    t.board.placeClue(1, 1, 1);
    EXPECT_EQ(t.board.clues[t.at(1, 1)], 1);
    t.board.placeClue(1, 1, NO_BOARD_CLUE);
    EXPECT_EQ(t.board.clues[t.at(1, 1)], NO_BOARD_CLUE);
    EXPECT_EQ(t.board.uf.tagStore, before);

    t.board.placeClue(1, 1, 0);
    EXPECT_EQ(t.board.done[t.at(1, 1)], 1);
    EXPECT_TRUE(t.board.uf.knownSame(t.at(1, 1), t.at(1, 0)));
    t.board.placeClue(1, 1, NO_BOARD_CLUE);  // clearing keeps what was seeded
    EXPECT_TRUE(t.board.uf.knownSame(t.at(1, 1), t.at(1, 0)));
}

// placingMaySeed may err towards true but never towards false: whenever placing a clue records a
// relation or a done flag, the predicate said it might. Boards with random clues and random
// relations; every free cell tried with every clue value.
TEST(PlaceClue, PlacingMaySeedNeverMissesASeeding) {
    std::mt19937 rng(23);
    int seeded = 0, quiet = 0;
    for (int round = 0; round < 200; ++round) {
        const int w = 2 + static_cast<int>(rng() % 6), h = 2 + static_cast<int>(rng() % 6);
        std::vector<std::string> rows(h, std::string(w, '.'));
        for (std::string& row : rows) {
            for (char& ch : row) {
                if (rng() % 3 == 0) ch = "0123"[rng() % 4];
            }
        }
        TestBoard t(rows);
        for (int n = static_cast<int>(rng() % 8); n > 0; --n) {
            const int p = static_cast<int>(rng() % t.board.cellCount);
            const int q = static_cast<int>(rng() % t.board.cellCount);
            if (!t.board.uf.sameSet(p, q)) t.board.uf.relate(p, q, static_cast<int>(rng() % 2));
        }
        SolverBoard copy;
        for (int y = 0; y < h; ++y) {
            for (int x = 0; x < w; ++x) {
                if (rows[y][x] != '.') continue;
                for (const uint8_t v : {0, 1, 2, 3}) {
                    const bool may = t.board.placingMaySeed(x, y, v);
                    copy.copyFrom(t.board);
                    copy.placeClue(x, y, v);
                    copy.placeClue(x, y, NO_BOARD_CLUE);
                    const bool changed = copy.uf.tagStore != t.board.uf.tagStore ||
                                         copy.uf.contradiction != t.board.uf.contradiction ||
                                         copy.done != t.board.done;
                    if (changed) {
                        ASSERT_TRUE(may)
                            << "round " << round << " cell " << x << "," << y << " clue " << int(v);
                    }
                    (changed ? seeded : quiet) += 1;
                    if (v == 1) {
                        EXPECT_FALSE(may);
                    }
                }
            }
        }
    }
    EXPECT_GT(seeded, 100);
    EXPECT_GT(quiet, 100);

    // The cases by name: a 3 beside a 3, a 3 diagonal to a 3 directly or across a run of 2s,
    // a 2 that completes a diagonal between two 3s.
    TestBoard t({".....", ".3...", "..2..", ".....", "....."});
    EXPECT_TRUE(t.board.placingMaySeed(2, 1, 3));
    EXPECT_TRUE(t.board.placingMaySeed(0, 0, 3));
    EXPECT_TRUE(t.board.placingMaySeed(3, 3, 3));
    EXPECT_FALSE(t.board.placingMaySeed(0, 4, 3));
    EXPECT_FALSE(t.board.placingMaySeed(4, 1, 3));
    EXPECT_FALSE(t.board.placingMaySeed(1, 3, 2));
    TestBoard gap({"3....", ".....", "..3.."});
    EXPECT_TRUE(gap.board.placingMaySeed(1, 1, 2));
    EXPECT_FALSE(gap.board.placingMaySeed(1, 1, 1));
}

TEST(SetUp, ContradictoryCluesAreFlagged) {
    EXPECT_TRUE(TestBoard({"330"}).board.uf.contradiction);
    EXPECT_FALSE(TestBoard({"30"}).board.uf.contradiction);
}

TEST(SetUp, SettingUpAgainEqualsAFreshBoard) {
    const ClueGrid first = gridFromRows({"3.0", "2.1"});
    const ClueGrid second = gridFromRows({".3.", "0.3"});
    RegionScan scan;
    SolverBoard reused;
    reused.setUp(first.data(), 3, 2, scan);
    reused.sweep();
    reused.setUp(second.data(), 3, 2, scan);
    RegionScan freshScan;
    SolverBoard fresh;
    fresh.setUp(second.data(), 3, 2, freshScan);
    EXPECT_EQ(reused.uf.tagStore, fresh.uf.tagStore);
    EXPECT_EQ(reused.uf.setCount, fresh.uf.setCount);
    EXPECT_EQ(reused.done, fresh.done);
    EXPECT_TRUE(std::equal(fresh.clues, fresh.clues + fresh.cellCount, reused.clues));
}

}  // namespace
}  // namespace varnel
