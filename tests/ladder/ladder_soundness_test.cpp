// Every decision of the ladder must hold in every answer. On puzzles with one answer, found by the
// complete check (a SAT solver, not the ladder), each step's sides and cells are compared with
// that answer, and the ladder must reach it.

#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <string>
#include <vector>

#include "checker/problem_check.h"
#include "creator/seeded_batch.h"
#include "ladder/ladder_run.h"
#include "ladder/techniques.h"
#include "solver/side_grid.h"
#include "tests/support/text_file.h"
#include "textio/problem_input.h"

namespace varnel {
namespace {

std::vector<InputProblem> problemsOf(const std::string& relativePath) {
    const std::string path = std::string(VARNEL_TEST_DATA) + "/" + relativePath;
    std::vector<InputProblem> problems;
    std::vector<InputDiagnostic> diagnostics;
    readInputText(testing_support::readTextFile(path), relativePath, problems, diagnostics);
    return problems;
}

// Runs the ladder with every step recorded and checks each decision against the one answer.
// Returns how the run ended; adds a failure for every wrong decision.
LadderEnd checkAgainstAnswer(const uint8_t* grid, int32_t width, int32_t height,
                             const CellColours& answer, const std::string& name) {
    const std::vector<SideState> truth = sidesOfColours(answer.data(), width, height);
    LadderRun run;
    startLadder(run, grid, width, height, RecordMode::STEPS);
    run.workBudget = 2'000'000;
    const LadderEnd end = runLadder(run, HIGHEST_RANK);
    const auto techniques = ladderTechniques();
    for (size_t i = 0; i < run.steps.size(); ++i) {
        const StepRecord& step = run.steps[i];
        const std::string where =
            name + " step " + std::to_string(i + 1) + " (" + techniques[step.technique].name + ")";
        for (const int32_t side : step.on)
            EXPECT_EQ(truth[side], SideState::ON) << where;
        for (const int32_t side : step.off)
            EXPECT_EQ(truth[side], SideState::OFF) << where;
        for (const int32_t cell : step.inside)
            EXPECT_NE(answer[cell], 0) << where;
        for (const int32_t cell : step.outside)
            EXPECT_EQ(answer[cell], 0) << where;
        if (step.technique >= 0 && techniques[step.technique].rank >= RANK_EXPERT) {
            // A trial's assumption is the opposite of the answer.
            EXPECT_GE(step.assumedSide, 0) << where;
            if (step.assumedSide >= 0) {
                EXPECT_NE(truth[step.assumedSide], step.assumed) << where;
            }
        }
    }
    if (end == LadderEnd::SOLVED) {
        for (int32_t side = 0; side < run.layout.sideCount; ++side)
            EXPECT_EQ(run.state.sides[side], truth[side]) << name << " side " << side;
    }
    return end;
}

// Checks every unique problem of a file; returns how many there were.
int checkFile(const std::string& relativePath, bool everyOneUnique) {
    int unique = 0;
    for (const InputProblem& p : problemsOf(relativePath)) {
        const std::string name = relativePath + ":" + std::to_string(p.line);
        const CheckResult check = checkProblem(p.grid.data(), p.width, p.height);
        if (check.verdict != Verdict::UNIQUE) {
            EXPECT_FALSE(everyOneUnique) << name;
            continue;
        }
        ++unique;
        EXPECT_EQ(checkAgainstAnswer(p.grid.data(), p.width, p.height, check.answers[0], name),
                  LadderEnd::SOLVED)
            << name;
    }
    return unique;
}

TEST(LadderSoundness, GoldenUniqueProblemsAreSolvedAndEveryDecisionHolds) {
    int unique = 0;
    for (const char* file : {"golden/solve/plain.txt", "golden/solve/trials.txt",
                             "golden/solve/peer_trials.txt", "golden/check/verdicts.txt"}) {
        unique += checkFile(file, false);
    }
    EXPECT_EQ(unique, 88);
}

TEST(LadderSoundness, LoopyPuzzlesOfEverySettingAreSolvedAndEveryDecisionHolds) {
    int unique = 0;
    for (const char* setting : {"easy", "normal", "tricky", "hard"})
        unique += checkFile(std::string("ladder/data/loopy_") + setting + ".txt", true);
    EXPECT_EQ(unique, 240);
}

// Problems the creator makes, of many sizes: its solver's rules are far stronger than a person's,
// so these reach the trials.
TEST(LadderSoundness, MadeProblemsAreSolvedAndEveryDecisionHolds) {
    struct Size {
        int32_t width;
        int32_t height;
        int count;
    };
    int checked = 0;
    for (const Size size :
         {Size{5, 5, 120}, Size{7, 7, 120}, Size{10, 10, 80}, Size{16, 12, 30}, Size{13, 9, 30}}) {
        const LoopBuilderKind kind = defaultLoopBuilder(size.width, size.height);
        for (int k = 0; k < size.count; ++k) {
            SeededProblem made;
            ASSERT_TRUE(makeSeededProblem(77, static_cast<uint64_t>(k), size.width, size.height,
                                          LevelRange{}, kind, 1000, made));
            const CheckResult check = checkProblem(made.grid.data(), size.width, size.height);
            ASSERT_EQ(check.verdict, Verdict::UNIQUE);
            const std::string name = std::to_string(size.width) + "x" +
                                     std::to_string(size.height) + " #" + std::to_string(k);
            EXPECT_EQ(checkAgainstAnswer(made.grid.data(), size.width, size.height,
                                         check.answers[0], name),
                      LadderEnd::SOLVED)
                << name;
            ++checked;
        }
    }
    EXPECT_EQ(checked, 380);
}

// The long run (VARNEL_PROPERTY_LONG=1, as for the solver's long property run): thousands of
// problems of every kind the programs make, from 5 x 5 to 16 x 12, each judged against its one
// answer.
TEST(LadderSoundness, ThousandsOfMadeProblemsInTheLongRun) {
    const char* value = std::getenv("VARNEL_PROPERTY_LONG");
    if (value == nullptr || std::string(value) != "1") {
        GTEST_SKIP() << "set VARNEL_PROPERTY_LONG=1 for the long run";
    }
    int checked = 0;
    for (const int32_t size : {5, 7, 9, 10, 12}) {
        for (int k = 0; k < 600; ++k) {
            SeededProblem made;
            const bool byDifficulty = k % 2 == 1;
            const bool ok =
                byDifficulty
                    ? makeSeededProblemOfDifficulty(901, static_cast<uint64_t>(k), size, size,
                                                    DifficultyRange{RANK_EASY, RANK_EXPERT},
                                                    defaultLoopBuilder(size, size), 50, made)
                    : makeSeededProblem(902, static_cast<uint64_t>(k), size, size, LevelRange{},
                                        defaultLoopBuilder(size, size), 1000, made);
            ASSERT_TRUE(ok);
            const CheckResult check = checkProblem(made.grid.data(), size, size);
            ASSERT_EQ(check.verdict, Verdict::UNIQUE);
            const std::string name = std::to_string(size) + " #" + std::to_string(k);
            EXPECT_EQ(checkAgainstAnswer(made.grid.data(), size, size, check.answers[0], name),
                      LadderEnd::SOLVED)
                << name;
            ++checked;
        }
    }
    EXPECT_EQ(checked, 3000);
}

// On a problem with several answers the ladder may decide what all answers share, never more:
// it must not end solved, and every side it decides must agree with both answers found.
TEST(LadderSoundness, SeveralAnswersLeaveTheLadderUnfinished) {
    int several = 0;
    for (const InputProblem& p : problemsOf("golden/solve/branch_or_stuck.txt")) {
        if (several == 4) break;
        const CheckResult check = checkProblem(p.grid.data(), p.width, p.height);
        ASSERT_EQ(check.verdict, Verdict::MULTIPLE);
        ++several;
        LadderRun run;
        startLadder(run, p.grid.data(), p.width, p.height, RecordMode::COUNTS);
        const LadderEnd end = runLadder(run, RANK_EXPERT);
        EXPECT_EQ(end, LadderEnd::STUCK);
        for (const CellColours& answer : check.answers) {
            const auto truth = sidesOfColours(answer.data(), p.width, p.height);
            for (int32_t side = 0; side < run.layout.sideCount; ++side) {
                if (run.state.sides[side] != SideState::OPEN) {
                    EXPECT_EQ(run.state.sides[side], truth[side]);
                }
            }
        }
    }
    EXPECT_EQ(several, 4);
}

}  // namespace
}  // namespace varnel
