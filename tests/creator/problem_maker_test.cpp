#include "creator/problem_maker.h"

#include <gtest/gtest.h>

#include <tuple>
#include <utility>
#include <vector>

#include "solver/solve_entry.h"

namespace varnel {
namespace {

TEST(ProblemMaker, ThresholdsForSixteenByTwelve) {
    SharedRandom random(0);
    for (int n = 0; n < 500; ++n) {
        const MakerThresholds t = drawThresholds(random, 192);
        EXPECT_EQ(t.maxSets, 153);
        EXPECT_GE(t.minSets, 13);
        EXPECT_LE(t.minSets, 16);
        EXPECT_GE(t.maxClues, 84);
        EXPECT_LE(t.maxClues, 91);
        EXPECT_GE(t.targetClues, 69);
        EXPECT_LE(t.targetClues, 75);
    }
    // The shift comes first: from seed 0 the first draws are draw(36) = 0 and draw(17) = 11.
    SharedRandom fixed(0);
    const MakerThresholds first = drawThresholds(fixed, 192);
    EXPECT_EQ(first.maxClues, 192 * 440 / 1000);
    EXPECT_EQ(first.minSets, 192 * (72 + 11) / 1000);
}

// Below 28 cells the share of 7.2 % to 8.8 % rounds to 0 or 1 set, which would keep addClues
// from ever turning to propagation, so that a 3 x 3 problem was never made; minSets is at least 2
// there, and the share as before on larger boards.
TEST(ProblemMaker, TinyBoardsReachThePropagationPhase) {
    SharedRandom random(3);
    for (int n = 0; n < 200; ++n) {
        EXPECT_EQ(drawThresholds(random, 9).minSets, 2);
        EXPECT_EQ(drawThresholds(random, 27).minSets, 2);
        const int32_t hundred = drawThresholds(random, 100).minSets;
        EXPECT_GE(hundred, 7);
        EXPECT_LE(hundred, 8);
    }
    for (const auto& [w, h] : {std::pair{3, 3}, std::pair{4, 3}, std::pair{3, 5}}) {
        std::vector<uint8_t> grid(static_cast<size_t>(w * h));
        ProblemGrade grade;
        int tries = 1;
        while (!makeProblem(random, w, h, grid.data(), grade, nullptr, LoopBuilderKind::REGION) &&
               tries < 100) {
            ++tries;
        }
        ASSERT_LT(tries, 100) << w << "x" << h;
        const SolveSummary summary = solveClues(grid.data(), w, h, nullptr);
        EXPECT_EQ(summary.answerCount, 1) << w << "x" << h;
    }
}

TEST(ProblemMaker, ScoreExamples) {
    EXPECT_EQ(difficultyScore(1, 0, 0, 192), 0);
    EXPECT_EQ(difficultyScore(20, 1, 0, 192), 39);
    EXPECT_EQ(difficultyScore(20, 2, 0, 192), 45);
    EXPECT_EQ(difficultyScore(20, 0, 1, 192), 49);
    EXPECT_EQ(difficultyScore(4, 0, 0, 192), 0);
    EXPECT_EQ(difficultyScore(50, 0, 0, 720), 25);
}

// Judging on several threads changes nothing: the same problems, scores and draws as on one, for
// the small size (a few candidates per part) and a larger one. The random source must end in the
// same state too: every draw was made, in the same order.
TEST(ProblemMaker, ThreadsMakeTheSameProblems) {
    for (const auto& [width, height, problems] : {std::tuple{16, 12, 3}, std::tuple{24, 16, 1}}) {
        std::vector<std::vector<uint8_t>> grids;
        std::vector<int32_t> scores;
        std::vector<uint32_t> ends;
        for (const int32_t threads : {1, 2, 3}) {
            SharedRandom random(4242);
            std::vector<uint8_t> grid(width * height);
            for (int n = 0; n < problems; ++n) {
                ProblemGrade grade;
                while (!makeProblem(random, width, height, grid.data(), grade, nullptr,
                                    LoopBuilderKind::STRIP, threads)) {
                }
                grids.push_back(grid);
                scores.push_back(grade.score);
            }
            ends.push_back(random.draw(1 << 30));
        }
        const size_t perRun = static_cast<size_t>(problems);
        for (size_t run = 1; run < ends.size(); ++run) {
            EXPECT_EQ(ends[run], ends[0]);
            for (size_t n = 0; n < perRun; ++n) {
                EXPECT_EQ(grids[run * perRun + n], grids[n]) << width << "x" << height;
                EXPECT_EQ(scores[run * perRun + n], scores[n]);
            }
        }
    }
}

// A made problem is solved by the solver with one answer; a failed attempt leaves the caller's
// grid and score alone.
TEST(ProblemMaker, MadeProblemsSolveAndFailuresTouchNothing) {
    SharedRandom random(11);
    std::vector<uint8_t> grid(192, 9);
    ProblemGrade grade;
    grade.score = -1;
    int made = 0, failedAttempts = 0;
    while (made < 3) {
        const std::vector<uint8_t> before = grid;
        const int32_t scoreBefore = grade.score;
        if (!makeProblem(random, 16, 12, grid.data(), grade)) {
            ++failedAttempts;
            EXPECT_EQ(grid, before);
            EXPECT_EQ(grade.score, scoreBefore);
            continue;
        }
        ++made;
        EXPECT_GE(grade.score, 0);
        EXPECT_LE(grade.score, 49);
        EXPECT_EQ(grade.level, grade.score / 10 + 1);
        EXPECT_NE(grade.outcome, SolveOutcome::FAILED);
        const SolveSummary summary = solveClues(grid.data(), 16, 12, nullptr);
        EXPECT_EQ(summary.outcome, SolveOutcome::FOUND);
        EXPECT_EQ(summary.answerCount, 1);
    }
    RecordProperty("failedAttempts", failedAttempts);
}

}  // namespace
}  // namespace varnel
