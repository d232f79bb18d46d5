// Walkthroughs judged by the complete check: every step of every unique golden and Loopy puzzle
// agrees with the one answer the SAT solver finds, the walkthrough reaches it, and puzzles with
// several answers or none stop with the reason. Hints: from any correct board, the next step
// decides something not drawn yet, and it is true.

#include "explain/walkthrough.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "checker/problem_check.h"
#include "ladder/techniques.h"
#include "tests/explain/explain_test_data.h"

namespace varnel {
namespace {

using testing_support::boardAfter;
using testing_support::problemOf;
using testing_support::problemsIn;

// Every decision of the steps (and of trials' chains, under their assumption) agrees with the
// truth; a trial assumed the opposite of it. The cells a step places, as the walkthrough's JSON
// lists them (relations to the outside beyond the board included), are where the answer has them.
// Returns how many cells the steps placed.
int expectStepsAgree(const BoardLayout& layout, const std::vector<ToldStep>& steps,
                     const std::vector<SideState>& truth, const CellColours& answer,
                     const std::string& name) {
    int placed = 0;
    for (size_t i = 0; i < steps.size(); ++i) {
        const StepRecord& r = steps[i].record;
        const std::string where = name + " step " + std::to_string(i + 1);
        for (const int32_t s : r.on)
            EXPECT_EQ(truth[s], SideState::ON) << where;
        for (const int32_t s : r.off)
            EXPECT_EQ(truth[s], SideState::OFF) << where;
        for (const int32_t c : cellsPlaced(layout, r, true)) {
            EXPECT_NE(answer[c], 0) << where;
            ++placed;
        }
        for (const int32_t c : cellsPlaced(layout, r, false)) {
            EXPECT_EQ(answer[c], 0) << where;
            ++placed;
        }
        if (r.assumedSide >= 0) {
            EXPECT_NE(truth[r.assumedSide], r.assumed) << where;
        }
        EXPECT_FALSE(steps[i].text.empty()) << where;
    }
    return placed;
}

// Walks every unique problem of a file; returns how many there were, and adds the cells their
// steps placed inside or outside to placed.
int walkUniqueProblems(const std::string& file, int& placed) {
    int unique = 0;
    for (const InputProblem& p : problemsIn(file)) {
        const std::string name = file + ":" + std::to_string(p.line);
        const CheckResult check = checkProblem(p.grid.data(), p.width, p.height);
        if (check.verdict != Verdict::UNIQUE) continue;
        ++unique;
        const auto truth = answerSides(check.answers[0], p.width, p.height);
        Walkthrough walk;
        walkThrough({p.grid.data(), p.width, p.height, &check, {}}, WalkOptions{}, walk);
        EXPECT_EQ(walk.end, WalkEnd::SOLVED) << name << ": " << walk.reason;
        EXPECT_EQ(walk.finish, truth) << name;
        EXPECT_EQ(boardAfter(walk, walk.steps.size()), walk.finish) << name;
        EXPECT_EQ(walk.difficulty.end, DifficultyEnd::RATED) << name;
        placed += expectStepsAgree(walk.layout, walk.steps, truth, check.answers[0], name);
    }
    return unique;
}

TEST(Walkthrough, EveryUniqueGoldenAndLoopyPuzzleReachesTheOneAnswerAndEveryStepAgrees) {
    int unique = 0;
    int placed = 0;
    for (const char* file :
         {"golden/solve/plain.txt", "golden/solve/trials.txt", "golden/solve/peer_trials.txt",
          "golden/check/verdicts.txt", "ladder/data/loopy_easy.txt", "ladder/data/loopy_normal.txt",
          "ladder/data/loopy_tricky.txt", "ladder/data/loopy_hard.txt"}) {
        unique += walkUniqueProblems(file, placed);
    }
    EXPECT_EQ(unique, 88 + 240);
    EXPECT_GT(placed, 0);
}

// Trials' chains told step by step hold under their assumption: the chain's decisions agree with
// the board the assumption makes, until the rule it breaks.
TEST(Walkthrough, TrialChainsAreToldUnderTheirAssumption) {
    const InputProblem p = problemsIn("../examples/needs_trials.txt").front();
    const CheckResult check = checkProblem(p.grid.data(), p.width, p.height);
    WalkOptions options;
    options.chains = true;
    Walkthrough walk;
    walkThrough({p.grid.data(), p.width, p.height, &check, {}}, options, walk);
    ASSERT_EQ(walk.end, WalkEnd::SOLVED);
    int trials = 0;
    for (const ToldStep& step : walk.steps) {
        if (step.record.assumedSide < 0) continue;
        ++trials;
        EXPECT_EQ(step.chain.size(), step.record.chainSteps.size());
        EXPECT_EQ(step.record.chain, static_cast<int32_t>(step.record.chainSteps.size()));
        for (const ToldStep& inner : step.chain)
            EXPECT_FALSE(inner.text.empty());
    }
    EXPECT_EQ(trials, 3);
    EXPECT_EQ(walk.difficulty.rank, RANK_EXPERT);
}

TEST(Walkthrough, SeveralAnswersStopAtTheFirstSideWhereTwoDiffer) {
    int several = 0;
    for (const InputProblem& p : problemsIn("golden/solve/branch_or_stuck.txt")) {
        if (several == 5) break;
        const CheckResult check = checkProblem(p.grid.data(), p.width, p.height);
        ASSERT_EQ(check.verdict, Verdict::MULTIPLE);
        ++several;
        Walkthrough walk;
        walkThrough({p.grid.data(), p.width, p.height, &check, {}}, WalkOptions{}, walk);
        EXPECT_EQ(walk.end, WalkEnd::SEVERAL_ANSWERS);
        const auto a = answerSides(check.answers[0], p.width, p.height);
        const auto b = answerSides(check.answers[1], p.width, p.height);
        ASSERT_GE(walk.differingSide, 0);
        EXPECT_NE(a[walk.differingSide], b[walk.differingSide]);
        // The first in reading order: every side read before it is the same in both.
        for (const int32_t side : walk.layout.readingOrder) {
            if (side == walk.differingSide) break;
            EXPECT_EQ(a[side], b[side]);
        }
        EXPECT_NE(walk.reason.find(" is a line in one and crossed in another"), std::string::npos);
        // What the steps decide holds in both answers.
        expectStepsAgree(walk.layout, walk.steps, a, check.answers[0], "answer a");
        expectStepsAgree(walk.layout, walk.steps, b, check.answers[1], "answer b");
    }
    EXPECT_EQ(several, 5);
}

TEST(Walkthrough, NoAnswerNamesTheRuleThatBreaks) {
    const InputProblem p = problemOf("1.3\n.2.\n3.0\n");
    const CheckResult check = checkProblem(p.grid.data(), p.width, p.height);
    ASSERT_EQ(check.verdict, Verdict::NONE);
    Walkthrough walk;
    walkThrough({p.grid.data(), p.width, p.height, &check, {}}, WalkOptions{}, walk);
    EXPECT_EQ(walk.end, WalkEnd::NO_ANSWER);
    EXPECT_EQ(walk.reason, "no loop meets every clue: the line is a dead end at r3c3 top-left");

    // A board drawn against the rules from the start: three lines at one point.
    const InputProblem open = problemOf("...\n...\n...\n");
    const CheckResult several = checkProblem(open.grid.data(), open.width, open.height);
    std::vector<SideState> start(static_cast<size_t>(sideCount(3, 3)), SideState::OPEN);
    start[horizontalSide(3, 0, 1)] = SideState::ON;
    start[horizontalSide(3, 1, 1)] = SideState::ON;
    start[verticalSide(3, 3, 1, 0)] = SideState::ON;
    walkThrough({open.grid.data(), 3, 3, &several, start}, WalkOptions{}, walk);
    EXPECT_EQ(walk.end, WalkEnd::NO_ANSWER);
    EXPECT_EQ(walk.reason, "the board as drawn breaks a rule: r2c2 top-left has 3 lines");
    EXPECT_TRUE(walk.steps.empty());
}

TEST(Walkthrough, AWorkBudgetStopsTheLadderWithItsReason) {
    const InputProblem p = problemsIn("../examples/needs_trials.txt").front();
    const CheckResult check = checkProblem(p.grid.data(), p.width, p.height);
    WalkOptions options;
    options.workBudget = 50;
    Walkthrough walk;
    walkThrough({p.grid.data(), p.width, p.height, &check, {}}, options, walk);
    EXPECT_EQ(walk.end, WalkEnd::OUT_OF_BUDGET);
    EXPECT_EQ(walk.difficulty.end, DifficultyEnd::OUT_OF_BUDGET);
    EXPECT_LE(walk.steps.size(), 50u);
    EXPECT_NE(walk.reason.find("work budget"), std::string::npos);
}

// A puzzle with one answer where even nested trials decide nothing more. No such puzzle is
// known small enough for a test, so the complete check's result is given as if the open 3 x 3
// board had only its first answer: the ladder sticks where its answers differ, and the walkthrough
// and the hint must say so rather than claim several answers, and every step taken still agrees
// with that answer.
TEST(Walkthrough, BeyondTheDeepestTrialSaysSoAndTheHintRevealsOneSide) {
    const InputProblem open = problemOf("...\n...\n...\n");
    CheckResult check = checkProblem(open.grid.data(), 3, 3);
    ASSERT_EQ(check.verdict, Verdict::MULTIPLE);
    check.verdict = Verdict::UNIQUE;
    check.answers.resize(1);
    const auto truth = answerSides(check.answers[0], 3, 3);
    Walkthrough walk;
    walkThrough({open.grid.data(), 3, 3, &check, {}}, WalkOptions{}, walk);
    EXPECT_EQ(walk.end, WalkEnd::BEYOND_TRIALS);
    EXPECT_STREQ(walkEndName(walk.end), "beyond the deepest trial");
    EXPECT_NE(walk.reason.find("deeper trials than the ladder has"), std::string::npos);
    EXPECT_EQ(walk.difficulty.end, DifficultyEnd::STUCK);
    EXPECT_NE(walk.finish, truth);
    expectStepsAgree(walk.layout, walk.steps, truth, check.answers[0], "open 3 x 3");

    Hint hint;
    nextHint({open.grid.data(), 3, 3, &check, walk.finish}, WalkOptions{}, hint);
    ASSERT_EQ(hint.kind, HintKind::FROM_ANSWER);
    EXPECT_EQ(walk.finish[hint.revealedSide], SideState::OPEN);
    EXPECT_EQ(hint.revealed, truth[hint.revealedSide]);
    EXPECT_NE(hint.reason.find("trials within trials"), std::string::npos);
}

TEST(Walkthrough, TheLadderFindsTheSameAnswerAsTheCompleteCheck) {
    int compared = 0;
    int byLadder = 0;
    for (const char* file :
         {"golden/check/verdicts.txt", "ladder/data/loopy_hard.txt", "golden/solve/failed.txt"}) {
        for (const InputProblem& p : problemsIn(file)) {
            const CheckResult sat = checkProblem(p.grid.data(), p.width, p.height);
            const CheckResult ladder = checkByLadder(p.grid.data(), p.width, p.height);
            ASSERT_EQ(ladder.verdict, sat.verdict) << file << ":" << p.line;
            EXPECT_EQ(ladder.answers, sat.answers) << file << ":" << p.line;
            // Answers the ladder found took no call of the SAT solver.
            byLadder += ladder.satCalls == 0;
            ++compared;
        }
    }
    EXPECT_GT(compared, 250);
    EXPECT_GT(byLadder, 60);
}

// Partial boards of the one answer: the first k steps' sides of a walkthrough, and random
// subsets of the answer's sides (lines and crosses a player might have drawn in any order).
std::vector<std::vector<SideState>> partialBoards(const Walkthrough& walk,
                                                  const std::vector<SideState>& truth,
                                                  std::mt19937& random) {
    std::vector<std::vector<SideState>> boards;
    for (size_t k = 0; k < walk.steps.size(); k += 1 + walk.steps.size() / 7)
        boards.push_back(boardAfter(walk, k));
    for (const int percent : {10, 40, 70, 95}) {
        std::vector<SideState> board(truth.size(), SideState::OPEN);
        for (size_t s = 0; s < truth.size(); ++s) {
            if (static_cast<int>(random() % 100) < percent) board[s] = truth[s];
        }
        boards.push_back(board);
    }
    return boards;
}

TEST(Hint, FromAnyCorrectBoardTheNextStepDecidesSomethingNewAndTrue) {
    std::mt19937 random(17);
    int hints = 0;
    for (const char* file : {"golden/check/verdicts.txt", "ladder/data/loopy_tricky.txt",
                             "ladder/data/loopy_hard.txt", "golden/solve/trials.txt"}) {
        for (const InputProblem& p : problemsIn(file)) {
            const CheckResult check = checkProblem(p.grid.data(), p.width, p.height);
            if (check.verdict != Verdict::UNIQUE) continue;
            const auto truth = answerSides(check.answers[0], p.width, p.height);
            Walkthrough walk;
            walkThrough({p.grid.data(), p.width, p.height, &check, {}}, WalkOptions{}, walk);
            for (const auto& board : partialBoards(walk, truth, random)) {
                Hint hint;
                nextHint({p.grid.data(), p.width, p.height, &check, board}, WalkOptions{}, hint);
                const std::string name = std::string(file) + ":" + std::to_string(p.line);
                if (board == truth) {
                    EXPECT_EQ(hint.kind, HintKind::SOLVED) << name;
                    continue;
                }
                ASSERT_EQ(hint.kind, HintKind::STEP) << name << ": " << hint.reason;
                const StepRecord& r = hint.step.record;
                EXPECT_TRUE(r.decidesSomething()) << name;
                for (const int32_t s : r.on) {
                    EXPECT_EQ(board[s], SideState::OPEN) << name;
                    EXPECT_EQ(truth[s], SideState::ON) << name;
                }
                for (const int32_t s : r.off) {
                    EXPECT_EQ(board[s], SideState::OPEN) << name;
                    EXPECT_EQ(truth[s], SideState::OFF) << name;
                }
                for (const ToldStep& note : hint.notes)
                    EXPECT_FALSE(note.record.decidesSomething()) << name;
                ++hints;
            }
        }
    }
    EXPECT_GT(hints, 1000);
}

TEST(Hint, WhenTheLadderDecidesNothingMoreOneSideOfTheAnswerIsRevealed) {
    const InputProblem p = problemsIn("../examples/needs_trials.txt").front();
    const CheckResult check = checkProblem(p.grid.data(), p.width, p.height);
    const auto truth = answerSides(check.answers[0], p.width, p.height);
    WalkOptions options;
    options.workBudget = 0;
    Hint hint;
    nextHint({p.grid.data(), p.width, p.height, &check, {}}, options, hint);
    ASSERT_EQ(hint.kind, HintKind::FROM_ANSWER);
    // The first side in reading order, as the answer has it.
    EXPECT_EQ(hint.revealedSide, hint.layout.readingOrder.front());
    EXPECT_EQ(hint.revealed, truth[hint.revealedSide]);
    EXPECT_NE(hint.reason.find("work budget"), std::string::npos);

    // A puzzle with several answers gives none, and says where two answers differ.
    const InputProblem open = problemOf("...\n...\n...\n");
    const CheckResult several = checkProblem(open.grid.data(), 3, 3);
    nextHint({open.grid.data(), 3, 3, &several, {}}, WalkOptions{}, hint);
    EXPECT_EQ(hint.kind, HintKind::NONE);
    EXPECT_NE(hint.reason.find("several answers: "), std::string::npos);
}

}  // namespace
}  // namespace varnel
