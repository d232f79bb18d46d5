#include "solver/region_map.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "creator/loop_builder.h"
#include "creator/shared_random.h"
#include "tests/support/thinned_problem.h"

namespace varnel {
namespace {

using testing_support::forEachThinnedBoard;

// Boards at the stalls of propagate: random loops, randomly thinned clues, swept until a sweep
// merges nothing. At every stall the map must decide what connectivityPass decides, and relate
// the same cells; then the run goes on as propagate would.
TEST(RegionMap, DecidesAsTheConnectivityPass) {
    std::mt19937 rng(11);
    int decided = 0, closed = 0, nothing = 0;
    for (const int32_t w : {8, 16}) {
        const int32_t h = 12;
        forEachThinnedBoard(
            w, h, 300 + w, 150, 30, 50, rng,
            [&](int round, const std::vector<uint8_t>&, const ClueGrid&, SolverBoard& board) {
                for (int stall = 0;
                     stall < 40 && !board.uf.contradiction && board.uf.setCount > 1;) {
                    const int32_t before = board.uf.setCount;
                    board.sweep();
                    if (board.uf.setCount != before) continue;
                    ++stall;
                    RegionMap map;
                    map.build(board.uf, board.stride);
                    const PassDecision d = map.decide();
                    SolverBoard passed;
                    passed.copyFrom(board);
                    const SolverBoard::PassOutcome outcome = passed.connectivityPass();
                    ASSERT_EQ(d.outcome, outcome) << w << "x" << h << " round " << round;
                    if (outcome != SolverBoard::PassOutcome::DECIDED) {
                        (outcome == SolverBoard::PassOutcome::CLOSED ? closed : nothing) += 1;
                        break;
                    }
                    ++decided;
                    board.uf.relate(d.inner, d.outer, SAME);
                    ASSERT_EQ(board.uf.tagStore, passed.uf.tagStore);
                }
            });
    }
    // Every outcome occurred.
    EXPECT_GT(decided, 40);
    EXPECT_GT(nothing, 100);
    EXPECT_GT(closed, 2);
}

// A board that knows more than the map's board, as the search's scratch copies do: the map of
// the stalled board, then a random relation and sweeps until a stall. Worked out from the map,
// the pass must decide what connectivityPass decides on the board itself; and at a later stall
// too, after the first pass decided.
TEST(RegionMap, DecidesForABoardThatKnowsMore) {
    std::mt19937 rng(13);
    int worked = 0, decided = 0;
    for (const int32_t w : {12, 16}) {
        const int32_t h = 12;
        forEachThinnedBoard(
            w, h, 700 + w, 60, 35, 40, rng,
            [&](int round, const std::vector<uint8_t>&, const ClueGrid&, SolverBoard& board) {
                board.propagate();
                if (board.uf.contradiction || board.uf.setCount == 1) return;
                RegionMap map;
                map.build(board.uf, board.stride);
                for (int trial = 0; trial < 20; ++trial) {
                    SolverBoard scratch;
                    scratch.copyFrom(board);
                    const int32_t a = static_cast<int32_t>(rng() % board.cellCount);
                    const int32_t b = static_cast<int32_t>(rng() % board.cellCount);
                    scratch.uf.relate(a, b, static_cast<int>(rng() % 2));
                    for (int pass = 0; pass < 3 && !scratch.uf.contradiction; ++pass) {
                        int32_t before = 0;
                        do {
                            before = scratch.uf.setCount;
                            scratch.sweep();
                        } while (scratch.uf.setCount != before && !scratch.uf.contradiction);
                        if (scratch.uf.contradiction || scratch.uf.setCount == 1) break;
                        bool known = false;
                        const PassDecision d = map.decideFor(scratch.uf, known);
                        SolverBoard passed;
                        passed.copyFrom(scratch);
                        const SolverBoard::PassOutcome outcome = passed.connectivityPass();
                        if (known) {
                            ++worked;
                            ASSERT_EQ(d.outcome, outcome) << w << "x" << h << " round " << round;
                            if (outcome == SolverBoard::PassOutcome::DECIDED) {
                                ++decided;
                                SolverBoard related;
                                related.copyFrom(scratch);
                                related.uf.relate(d.inner, d.outer, SAME);
                                ASSERT_EQ(related.uf.tagStore, passed.uf.tagStore);
                            }
                        }
                        if (outcome != SolverBoard::PassOutcome::DECIDED) break;
                        scratch.copyFrom(passed);
                    }
                }
            });
    }
    EXPECT_GT(worked, 1000);
    EXPECT_GT(decided, 10);
}

// The map's regions: every cell lies in the region of its lowest cell, and the open sides and
// cells of each region are those counted cell by cell.
TEST(RegionMap, RegionsAndOpenSidesCountedCellByCell) {
    SharedRandom random(77);
    const int32_t w = 12, h = 8;
    std::vector<uint8_t> full(w * h);
    RandomLoopBuilder builder;
    builder.bind(full.data(), w, h, &random);
    builder.buildLoop();
    ClueGrid problem(full.begin(), full.end());
    for (size_t p = 0; p < problem.size(); p += 3)
        problem[p] = NO_CLUE;
    RegionScan scan;
    SolverBoard board;
    board.setUp(problem.data(), w, h, scan);
    board.sweep();
    RegionMap map;
    map.build(board.uf, board.stride);
    const int32_t s = board.stride;
    std::vector<int32_t> open(board.cellCount, 0), cells(board.cellCount, 0);
    int32_t inside = 0;
    for (int32_t i = 0; i < board.cellCount; ++i) {
        const int32_t r = map.regionOf[i];
        ASSERT_LE(r, i);
        EXPECT_EQ(map.regionOf[r], r);
        ++cells[r];
        inside += board.uf.knownDifferent(OUTSIDE, i);
        for (const int32_t q : {i + 1, i - 1, i + s, i - s}) {
            if (q < 0 || q >= board.cellCount) continue;
            if (board.uf.knownSame(i, q)) {
                EXPECT_EQ(map.regionOf[q], r);  // joined cells share a region
            } else if (!board.uf.sameSet(i, q)) {
                ++open[r];
            }
        }
    }
    EXPECT_EQ(map.insideCount, inside);
    int32_t few = 0;
    for (int32_t r = 0; r < board.cellCount; ++r) {
        if (map.regionOf[r] != r) continue;
        EXPECT_EQ(map.size[r], cells[r]);
        EXPECT_EQ(map.openCount[r], open[r]);
        if (r != OUTSIDE && open[r] <= 1) ++few;
    }
    EXPECT_EQ(static_cast<int32_t>(map.fewExits.size()), few);
}

}  // namespace
}  // namespace varnel
