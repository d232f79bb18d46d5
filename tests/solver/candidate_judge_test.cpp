#include "solver/candidate_judge.h"

#include <gtest/gtest.h>

#include <functional>
#include <random>
#include <vector>

#include "creator/loop_builder.h"
#include "creator/shared_random.h"
#include "tests/support/thinned_problem.h"

namespace varnel {
namespace {

using testing_support::forEachThinnedBoard;

// Judges every clue the full grid would give a randomly thinned problem, by one sweep and by
// propagate, and checks each count against running the candidate alone: copy the board, place
// the clue, one sweep or propagate. Counts the candidates whose count differs from the board's
// own (differing) and those that leave the same (following) into the totals.
void checkAgainstRunsAlone(int32_t w, int32_t h, uint32_t seed, int rounds, std::mt19937& rng,
                           int& differing, int& following) {
    forEachThinnedBoard(
        w, h, seed, rounds, 25, 40, rng,
        [&](int round, const std::vector<uint8_t>& full, const ClueGrid& problem,
            SolverBoard& board) {
            for (const JudgeBy by : {JudgeBy::SWEEP, JudgeBy::PROPAGATE}) {
                CandidateJudge judge;
                for (int32_t y = 0; y < h; ++y) {
                    for (int32_t x = 0; x < w; ++x) {
                        const uint8_t v = full[y * w + x];
                        if (problem[y * w + x] == NO_CLUE && v <= 3) {
                            judge.candidates.push_back(ClueCandidate{x, y, v, -1});
                        }
                    }
                }
                judge.judge(board, by);
                SolverBoard alone;
                alone.copyFrom(board);
                measureBy(alone, by);
                const int32_t without = alone.uf.setCount;
                for (const ClueCandidate& candidate : judge.candidates) {
                    alone.copyFrom(board);
                    alone.placeClue(candidate.x, candidate.y, candidate.value);
                    measureBy(alone, by);
                    alone.placeClue(candidate.x, candidate.y, NO_BOARD_CLUE);
                    ASSERT_EQ(candidate.sets, alone.uf.setCount)
                        << w << "x" << h << " round " << round << " candidate " << candidate.x
                        << "," << candidate.y << " value " << int(candidate.value)
                        << (by == JudgeBy::PROPAGATE ? " by propagation" : " by sweep");
                    (candidate.sets == without ? following : differing) += 1;
                }
            }
        });
}

// The judge's set counts must be exactly those of running each candidate alone. Boards come from
// random loops with randomly thinned clues, and every clue value is tried, including 0s and 3s
// that seed at placing. The small boards take every path of the judge many times (candidates
// that follow, that run as differences, on boards apart, that pass); the largest size of the
// creator adds runs whose differences span large sets.
TEST(CandidateJudge, MatchesEachCandidateRunAlone) {
    std::mt19937 rng(5);
    int differing = 0, following = 0;
    for (const int sizeIndex : {0, 1, 2}) {
        const int32_t w = sizeIndex == 0 ? 8 : sizeIndex == 1 ? 12 : 16;
        const int32_t h = sizeIndex == 2 ? 12 : 8;
        checkAgainstRunsAlone(w, h, 100 + sizeIndex, 20, rng, differing, following);
    }
    checkAgainstRunsAlone(36, 20, 103, 2, rng, differing, following);
    // Both kinds occur, so both paths of the judge were taken.
    EXPECT_GT(differing, 100);
    EXPECT_GT(following, 100);
}

// A call split over parts gives every candidate the count one judge gives it, whatever order the
// parts run in: here one after the other, last part first.
TEST(CandidateJudge, PartsGiveTheCountsOfOneJudge) {
    SharedRandom random(31);
    const int32_t w = 16, h = 12;
    std::vector<uint8_t> full(w * h);
    RandomLoopBuilder builder;
    builder.bind(full.data(), w, h, &random);
    const TaskRunner backwards = [](int32_t count, const std::function<void(int32_t)>& task) {
        for (int32_t t = count - 1; t >= 0; --t)
            task(t);
    };
    int compared = 0;
    for (int round = 0; round < 6; ++round) {
        builder.buildLoop();
        ClueGrid problem(w * h, NO_CLUE);
        for (int32_t p = 0; p < w * h; p += 2 + round % 3) {
            if (full[p] <= 3) problem[p] = full[p];
        }
        RegionScan scan;
        SolverBoard board;
        board.setUp(problem.data(), w, h, scan);
        for (const JudgeBy by : {JudgeBy::SWEEP, JudgeBy::PROPAGATE}) {
            CandidateJudge one, split;
            split.parts = 1 + round % 3 + 1;
            split.runTasks = &backwards;
            for (int32_t p = 0; p < w * h; ++p) {
                if (problem[p] != NO_CLUE || full[p] > 3) continue;
                one.candidates.push_back(ClueCandidate{p % w, p / w, full[p], -1});
            }
            split.candidates = one.candidates;
            one.judge(board, by);
            split.judge(board, by);
            ASSERT_EQ(split.candidates.size(), one.candidates.size());
            for (size_t k = 0; k < one.candidates.size(); ++k) {
                EXPECT_EQ(split.candidates[k].x, one.candidates[k].x);
                EXPECT_EQ(split.candidates[k].y, one.candidates[k].y);
                EXPECT_EQ(split.candidates[k].sets, one.candidates[k].sets);
                ++compared;
            }
        }
    }
    EXPECT_GT(compared, 500);
}

}  // namespace
}  // namespace varnel
