#include <gtest/gtest.h>

#include <vector>

#include "solver/label_pairs.h"
#include "solver/region_map.h"
#include "solver/solve_entry.h"
#include "tests/solver/test_boards.h"

namespace varnel {
namespace {

using testing::gridFromRows;
using testing::TestBoard;

TEST(LabelPairs, OutsideFirstThenPairsOfOtherSets) {
    ParityUnionFind uf;
    uf.init(10);
    // Leave the labels 0, 5 and 9.
    for (const int i : {1, 2, 3, 4})
        uf.relate(0, i, SAME);
    for (const int i : {6, 7, 8})
        uf.relate(5, i, DIFFERENT);
    LabelPairs pairs{uf};
    std::vector<std::pair<int, int>> seen;
    while (pairs.next())
        seen.emplace_back(pairs.a, pairs.b);
    EXPECT_EQ(seen, (std::vector<std::pair<int, int>>{{0, 5}, {0, 9}, {5, 9}}));

    ParityUnionFind one;
    one.init(3);
    one.relate(0, 1, SAME);
    one.relate(0, 2, DIFFERENT);
    LabelPairs none{one};
    EXPECT_FALSE(none.next());
}

TEST(Search, BoardWithOneSetHasNothingToTry) {
    TestBoard t({"22", "22"});
    ASSERT_TRUE(t.board.propagate());
    ASSERT_EQ(t.board.uf.setCount, 1);
    SolverBoard scratch;
    RegionMap regions;
    EXPECT_FALSE(t.board.trialStep(scratch, regions));
    EXPECT_EQ(t.board.trialCount, 0);
    EXPECT_EQ(t.board.branchStep(nullptr), SolveOutcome::FAILED);
}

TEST(Search, CopyRefersToTheSourceCluesAndKeepsItsCounters) {
    TestBoard t({"3.2", "...", "1.."});
    t.board.trialCount = 4;
    t.board.scanCount = 2;
    SolverBoard scratch;
    RegionMap regions;
    scratch.copyFrom(t.board);
    EXPECT_EQ(scratch.clues, t.board.clues);
    EXPECT_EQ(scratch.ownsClues, 0);
    EXPECT_EQ(scratch.scan, &t.scan);
    EXPECT_EQ(scratch.uf.tagStore, t.board.uf.tagStore);
    EXPECT_EQ(scratch.trialCount, 4);
    EXPECT_EQ(scratch.scanCount, 2);

    // A clue placed on the copy is seen by the source until it is cleared again.
    scratch.placeClue(1, 1, 1);
    EXPECT_EQ(t.board.clues[t.at(1, 1)], 1);
    scratch.placeClue(1, 1, NO_BOARD_CLUE);
    EXPECT_EQ(t.board.clues[t.at(1, 1)], NO_BOARD_CLUE);
}

// A problem that needs the trial step: each trial deduction enters the board once, and the
// answer found is a single loop that fits every clue.
TEST(Search, TrialStepsFinishAProblemPropagationCannot) {
    const ClueGrid grid = gridFromRows(
        {".10.13..0.32...3", ".113.11..11..1..", ".2....2212.3.202", "1.....1.3......3",
         "..1.0..1112.1.2.", ".2.122.......0..", ".0....1....0..1.", ".111....1.......",
         ".1...110..203.1.", "0.1..1312..2.02.", ".12.3.3....1....", "3.......1.0.0..1"});
    int printed = 0;
    const AnswerPrinter count = [&printed](const SolverBoard& board) {
        ++printed;
        EXPECT_EQ(board.uf.setCount, 1);
    };
    const SolveSummary summary = solveClues(grid.data(), 16, 12, &count);
    EXPECT_EQ(summary.outcome, SolveOutcome::FOUND);
    EXPECT_FALSE(summary.branched);
    EXPECT_EQ(summary.answerCount, 1);
    EXPECT_EQ(summary.trialCount, 3);
    EXPECT_EQ(summary.scanCount, 10);
    EXPECT_EQ(printed, 1);
}

// A problem (examples/branching.txt) on which the solve loop gets stuck and the branching step
// finds the answer: the loop alone leaves sets undecided without failing, the branching step
// refutes pairs until one set is left, and the whole solve agrees.
TEST(Search, BranchingStepFinishesAProblemTheSolveLoopLeavesStuck) {
    const ClueGrid grid = gridFromRows(
        {"..3.3.131.....3.", "33..0..222..222.", "...1.1.1..1...2.", ".211.1...1..1...",
         ".2....1.3.30.2.0", "..1.1.2....1....", ".3.0.01.3..1.12.", "..2.1....3..1.11",
         "1.2..1.0.30.....", ".0....3....1.1..", ".3.02..1.3...03.", "....33..0.3...3."});
    RegionScan scan;
    SolverBoard board;
    board.setUp(grid.data(), 16, 12, scan);
    EXPECT_EQ(board.solveLoop(nullptr), SolveOutcome::STUCK);
    const int32_t stuckSets = board.uf.setCount;
    EXPECT_GT(stuckSets, 1);
    EXPECT_EQ(board.branchStep(nullptr), SolveOutcome::FOUND);
    EXPECT_EQ(board.uf.setCount, 1);
    EXPECT_EQ(board.answerCount, 1);

    const SolveSummary summary = solveClues(grid.data(), 16, 12, nullptr);
    EXPECT_EQ(summary.outcome, SolveOutcome::FOUND);
    EXPECT_TRUE(summary.branched);
    EXPECT_EQ(summary.answerCount, 1);
    EXPECT_EQ(summary.trialCount, 13);
}

TEST(Search, SolveProblemReportsOneVerdict) {
    const ClueGrid solvable = gridFromRows({"22", "22"});
    int answers = -1;
    int verdicts = 0;
    const AnswerPrinter noDiagram = [](const SolverBoard&) {};
    const VerdictPrinter verdict = [&](SolveOutcome outcome, int32_t count) {
        ++verdicts;
        answers = outcome == SolveOutcome::FAILED ? -1 : count;
    };
    EXPECT_EQ(solveProblem(solvable.data(), 2, 2, noDiagram, verdict), 1);
    EXPECT_EQ(answers, 1);

    const ClueGrid impossible = gridFromRows({"330", "..."});
    EXPECT_EQ(solveProblem(impossible.data(), 3, 2, noDiagram, verdict), 0);
    EXPECT_EQ(answers, -1);
    EXPECT_EQ(verdicts, 2);
}

}  // namespace
}  // namespace varnel
