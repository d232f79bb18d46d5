#include "solver/removal_judge.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "creator/loop_builder.h"
#include "creator/shared_random.h"
#include "tests/support/thinned_problem.h"

namespace varnel {
namespace {

using testing_support::forEachThinnedBoard;

// Each removal's count must be that of setting the problem up without the clue and sweeping or
// propagating it, for every clue whose removal changes nothing the set-up seeds; and the judge
// must leave out exactly no such clue.
TEST(RemovalJudge, MatchesSettingUpWithoutTheClue) {
    std::mt19937 rng(9);
    int judged = 0, seeding = 0;
    for (const int32_t w : {8, 16}) {
        const int32_t h = 12;
        forEachThinnedBoard(
            w, h, 900 + w, 12, 40, 40, rng,
            [&](int round, const std::vector<uint8_t>&, const ClueGrid& problem,
                SolverBoard& board) {
                for (const JudgeBy by : {JudgeBy::SWEEP, JudgeBy::PROPAGATE}) {
                    RemovalJudge judge;
                    for (int32_t p = 0; p < w * h; ++p) {
                        if (problem[p] == NO_CLUE) continue;
                        if (RemovalJudge::clearingMaySeed(board, p % w, p / w)) {
                            ++seeding;
                            continue;
                        }
                        judge.removals.push_back(ClueCandidate{p % w, p / w, 0, -1});
                    }
                    judge.judge(board, by);
                    for (const ClueCandidate& removal : judge.removals) {
                        ClueGrid without = problem;
                        without[removal.y * w + removal.x] = NO_CLUE;
                        RegionScan aloneScan;
                        SolverBoard alone;
                        alone.setUp(without.data(), w, h, aloneScan);
                        measureBy(alone, by);
                        ASSERT_EQ(removal.sets, alone.uf.setCount)
                            << w << "x" << h << " round " << round << " clue " << removal.x << ","
                            << removal.y;
                        ++judged;
                    }
                }
                // What clearingMaySeed lets through seeds the same: the set-up boards agree.
                for (int32_t p = 0; p < w * h; ++p) {
                    if (problem[p] == NO_CLUE ||
                        RemovalJudge::clearingMaySeed(board, p % w, p / w)) {
                        continue;
                    }
                    ClueGrid without = problem;
                    without[p] = NO_CLUE;
                    RegionScan aloneScan;
                    SolverBoard alone;
                    alone.setUp(without.data(), w, h, aloneScan);
                    ASSERT_EQ(alone.uf.tagStore, board.uf.tagStore);
                    ASSERT_EQ(alone.done, board.done);
                }
            });
    }
    EXPECT_GT(judged, 1000);
    EXPECT_GT(seeding, 100);
}

}  // namespace
}  // namespace varnel
