#include "checker/problem_check.h"

#include <gtest/gtest.h>

#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "solver/solve_entry.h"
#include "tests/checker/answer_shape.h"
#include "tests/support/text_file.h"
#include "textio/problem_reader.h"

namespace varnel {
namespace {

using testing_support::cluesOf;
using testing_support::colouringFromBits;
using testing_support::isAnswer;
using testing_support::isOneLoop;
using testing_support::meetsEveryClue;

struct Problem {
    ClueGrid grid;
    int32_t width = 0;
    int32_t height = 0;
};

std::vector<Problem> problemsOf(const std::string& relativePath) {
    const std::string text =
        testing_support::readTextFile(std::string(VARNEL_TEST_DATA) + "/" + relativePath);
    std::vector<Problem> problems;
    readProblems(text, [&](const ClueGrid& grid, int32_t width, int32_t height) {
        problems.push_back(Problem{grid, width, height});
    });
    return problems;
}

// Verdict names as verdicts.expected writes them, in the order of Verdict.
const char* const VERDICT_NAMES[] = {"unique", "multiple", "none"};

// The answers agree with the verdict, and each is an answer by the tests' own checker; the two
// answers of MULTIPLE differ.
void expectSoundAnswers(const Problem& p, const CheckResult& result, const std::string& what) {
    const size_t expectedAnswers = result.verdict == Verdict::UNIQUE     ? 1
                                   : result.verdict == Verdict::MULTIPLE ? 2
                                                                         : 0;
    ASSERT_EQ(result.answers.size(), expectedAnswers) << what;
    for (const CellColours& answer : result.answers) {
        ASSERT_EQ(answer.size(), p.grid.size()) << what;
        EXPECT_TRUE(isAnswer(p.grid, answer, p.width, p.height)) << what;
    }
    if (expectedAnswers == 2) {
        EXPECT_NE(result.answers[0], result.answers[1]) << what;
    }
    EXPECT_GE(result.satCalls, 1) << what;
}

// Verdicts counted by an independent SAT-based counter: 44 unique, 130 multiple, 87 none.
TEST(ProblemCheck, GoldenVerdictsWithSoundAnswers) {
    const std::vector<Problem> problems = problemsOf("golden/check/verdicts.txt");
    std::istringstream expected(testing_support::readTextFile(std::string(VARNEL_TEST_DATA) +
                                                              "/golden/check/verdicts.expected"));
    ASSERT_EQ(problems.size(), 261u);
    int32_t counts[3] = {0, 0, 0};
    for (size_t i = 0; i < problems.size(); ++i) {
        std::string want;
        ASSERT_TRUE(std::getline(expected, want));
        const Problem& p = problems[i];
        const CheckResult result = checkProblem(p.grid.data(), p.width, p.height);
        const std::string what = "problem " + std::to_string(i + 1);
        EXPECT_EQ(VERDICT_NAMES[static_cast<int>(result.verdict)], want) << what;
        expectSoundAnswers(p, result, what);
        ++counts[static_cast<int>(result.verdict)];
    }
    EXPECT_EQ(counts[static_cast<int>(Verdict::UNIQUE)], 44);
    EXPECT_EQ(counts[static_cast<int>(Verdict::MULTIPLE)], 130);
    EXPECT_EQ(counts[static_cast<int>(Verdict::NONE)], 87);
}

// Small puzzles against a count of every one-loop colouring: clues taken from a random loop,
// thinned at random and now and then one of them changed, so all three verdicts occur.
TEST(ProblemCheck, VerdictsMatchAnExhaustiveCountOnSmallGrids) {
    std::mt19937 random(2024);
    int32_t seen[3] = {0, 0, 0};
    for (const auto& [width, height] : {std::pair{4, 4}, {5, 3}, {1, 6}}) {
        const int32_t cells = width * height;
        std::vector<CellColours> loops;
        for (uint32_t code = 1; code < (1u << cells); ++code) {
            CellColours colours = colouringFromBits(code, cells);
            if (isOneLoop(colours, width, height)) loops.push_back(std::move(colours));
        }
        for (int32_t trial = 0; trial < 60; ++trial) {
            const CellColours& loop = loops[random() % loops.size()];
            Problem p{cluesOf(loop, width, height), width, height};
            for (uint8_t& clue : p.grid) {
                if (random() % 2 == 0) clue = NO_CLUE;
            }
            if (random() % 4 == 0) p.grid[random() % cells] = static_cast<uint8_t>(random() % 4);

            std::vector<CellColours> answers;
            for (const CellColours& candidate : loops) {
                if (meetsEveryClue(p.grid, candidate, width, height)) answers.push_back(candidate);
            }
            const CheckResult result = checkProblem(p.grid.data(), width, height);
            const std::string what = std::to_string(width) + "x" + std::to_string(height) +
                                     " trial " + std::to_string(trial);
            const Verdict expected = answers.empty()       ? Verdict::NONE
                                     : answers.size() == 1 ? Verdict::UNIQUE
                                                           : Verdict::MULTIPLE;
            ASSERT_EQ(result.verdict, expected) << what;
            expectSoundAnswers(p, result, what);
            if (expected == Verdict::UNIQUE) {
                EXPECT_EQ(result.answers[0], answers[0]) << what;
            }
            ++seen[static_cast<int>(expected)];
        }
    }
    for (const int32_t count : seen)
        EXPECT_GE(count, 10);
}

TEST(ProblemCheck, TinyContradictoryAndBlankProblems) {
    const ClueGrid row = {3, 3, 0};
    EXPECT_EQ(checkProblem(row.data(), 3, 1).verdict, Verdict::NONE);

    // The loop round a single cell is the only answer of a blank 1 x 1 board; with a clue 0 there
    // is none, as nothing inside is no answer.
    const ClueGrid blank = {NO_CLUE};
    const CheckResult one = checkProblem(blank.data(), 1, 1);
    EXPECT_EQ(one.verdict, Verdict::UNIQUE);
    EXPECT_EQ(one.answers, std::vector<CellColours>{CellColours{1}});
    const ClueGrid zero = {0};
    EXPECT_EQ(checkProblem(zero.data(), 1, 1).verdict, Verdict::NONE);
    const ClueGrid zeros(16, 0);
    EXPECT_EQ(checkProblem(zeros.data(), 4, 4).verdict, Verdict::NONE);

    // No cell, no loop, and no solve call needed to say so.
    const CheckResult empty = checkProblem(nullptr, 0, 5);
    EXPECT_EQ(empty.verdict, Verdict::NONE);
    EXPECT_EQ(empty.satCalls, 0);

    // Every loop is an answer of a blank board.
    const Problem board{ClueGrid(900, NO_CLUE), 30, 30};
    const CheckResult result = checkProblem(board.grid.data(), board.width, board.height);
    EXPECT_EQ(result.verdict, Verdict::MULTIPLE);
    expectSoundAnswers(board, result, "blank 30x30");
}

// The program's own solver's answer, or empty when it finds none.
CellColours solverAnswer(const Problem& p) {
    CellColours answer;
    const AnswerPrinter keep = [&](const SolverBoard& board) { answer = coloursOf(board); };
    solveClues(p.grid.data(), p.width, p.height, &keep);
    return answer;
}

// Problems the program's own solver solves, by propagation or with trial deductions (some of them
// made by another generator), are unique, with its answer.
TEST(ProblemCheck, SolvedProblemsAreUniqueWithTheSolversAnswer) {
    int32_t checked = 0;
    for (const char* file :
         {"golden/solve/plain.txt", "golden/solve/trials.txt", "golden/solve/peer_trials.txt"}) {
        for (const Problem& p : problemsOf(file)) {
            const CellColours expected = solverAnswer(p);
            ASSERT_FALSE(expected.empty()) << file;
            const CheckResult result = checkProblem(p.grid.data(), p.width, p.height);
            ASSERT_EQ(result.verdict, Verdict::UNIQUE) << file;
            EXPECT_EQ(result.answers[0], expected) << file;
            ++checked;
        }
    }
    EXPECT_EQ(checked, 6 + 2 + 36);
}

}  // namespace
}  // namespace varnel
