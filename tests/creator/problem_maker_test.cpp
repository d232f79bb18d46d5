#include "creator/problem_maker.h"

#include <gtest/gtest.h>

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

TEST(ProblemMaker, ScoreExamples) {
    EXPECT_EQ(difficultyScore(1, 0, 0, 192), 0);
    EXPECT_EQ(difficultyScore(20, 1, 0, 192), 39);
    EXPECT_EQ(difficultyScore(20, 2, 0, 192), 45);
    EXPECT_EQ(difficultyScore(20, 0, 1, 192), 49);
    EXPECT_EQ(difficultyScore(4, 0, 0, 192), 0);
    EXPECT_EQ(difficultyScore(50, 0, 0, 720), 25);
}

// A made problem is solved by the solver with one answer; a failed attempt leaves the caller's
// grid and score alone.
TEST(ProblemMaker, MadeProblemsSolveAndFailuresTouchNothing) {
    SharedRandom random(11);
    std::vector<uint8_t> grid(192, 9);
    int32_t score = -1;
    int made = 0, failedAttempts = 0;
    while (made < 3) {
        const std::vector<uint8_t> before = grid;
        const int32_t scoreBefore = score;
        if (!makeProblem(random, 16, 12, grid.data(), score)) {
            ++failedAttempts;
            EXPECT_EQ(grid, before);
            EXPECT_EQ(score, scoreBefore);
            continue;
        }
        ++made;
        EXPECT_GE(score, 0);
        EXPECT_LE(score, 49);
        const SolveSummary summary = solveClues(grid.data(), 16, 12, nullptr);
        EXPECT_EQ(summary.outcome, SolveOutcome::FOUND);
        EXPECT_EQ(summary.answerCount, 1);
    }
    RecordProperty("failedAttempts", failedAttempts);
}

}  // namespace
}  // namespace varnel
