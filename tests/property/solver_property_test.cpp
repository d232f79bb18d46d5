// Property tests of the solver's soundness: on problems made from a known single loop, every
// colour relation the solver decides must agree with that loop, whatever subset of its clues is
// given. A wrong deduction in any rule, in the connectivity check or in the search shows up here
// as a relation that contradicts the true colouring, or as a contradiction or "failed to solve"
// on a problem that has an answer.
//
// The normal suite runs a few hundred small boards (sparse ones only where they stay fast: the
// search on a nearly clue-less board grows quickly with its size); set VARNEL_PROPERTY_LONG=1 for a
// longer run of many more boards, larger ones included.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "creator/loop_builder.h"
#include "creator/shared_random.h"
#include "solver/clue_grid.h"
#include "solver/region_map.h"
#include "solver/solve_entry.h"
#include "solver/solver_board.h"
#include "tests/support/loop_shape.h"

namespace varnel {
namespace {

using testing_support::firstInside;
using testing_support::floodCount;

// A random loop known to be one closed loop, with its full clue grid.
struct TrueLoop {
    int32_t width = 0;
    int32_t height = 0;
    std::vector<uint8_t> inside;  // [0, (W + 2) x (H + 2)): 1 for a padded cell inside the loop
    ClueGrid fullClues;           // [0, W x H): side counts, NO_CLUE where the count is 4
};

// The boundary of an inside set is one closed loop, never touching itself, exactly when the
// inside is non-empty and connected and the outside is connected: two inside cells meeting only
// at a corner, with both inside connected, would cut the outside in two.
bool isSingleLoop(const std::vector<uint8_t>& inside, int32_t stride) {
    const int32_t first = firstInside(inside);
    if (first < 0) return false;
    int32_t insideCells = 0;
    for (const uint8_t cell : inside)
        insideCells += cell;
    const int32_t outsideCells = static_cast<int32_t>(inside.size()) - insideCells;
    return floodCount(inside, first, stride) == insideCells &&
           floodCount(inside, OUTSIDE, stride) == outsideCells;
}

// Builds random inside sets until one is a single loop.
TrueLoop drawLoop(SharedRandom& random, int32_t width, int32_t height) {
    TrueLoop loop;
    loop.width = width;
    loop.height = height;
    loop.fullClues.assign(static_cast<size_t>(width * height), NO_CLUE);
    RandomLoopBuilder builder;
    builder.bind(loop.fullClues.data(), width, height, &random);
    const int32_t stride = width + 2;
    loop.inside.assign(static_cast<size_t>(stride * (height + 2)), 0);
    for (;;) {
        builder.buildLoop();
        for (int32_t r = 0; r < height + 2; ++r) {
            for (int32_t q = 0; q < stride; ++q)
                loop.inside[r * stride + q] = (builder.rowMasks[r] >> q) & 1u;
        }
        if (isSingleLoop(loop.inside, stride)) return loop;
    }
}

// The full clues, each kept with probability keepPercent / 100.
ClueGrid thinClues(const TrueLoop& loop, SharedRandom& random, int32_t keepPercent) {
    ClueGrid problem = loop.fullClues;
    for (uint8_t& clue : problem) {
        if (random.draw(100) >= keepPercent) clue = NO_CLUE;
    }
    return problem;
}

// The first decided relation that the true loop contradicts, described, or an empty string.
// Relations within a set are transitive, so comparing every cell with its set's label covers
// every pair of cells in the same set.
std::string wrongRelation(const SolverBoard& board, const TrueLoop& loop, const char* stage) {
    if (board.uf.contradiction) return std::string(stage) + ": contradiction";
    for (int32_t i = 0; i < board.cellCount; ++i) {
        const int32_t label = board.uf.root(i);
        const bool same = loop.inside[i] == loop.inside[label];
        const bool decided =
            same ? board.uf.knownSame(i, label) : board.uf.knownDifferent(i, label);
        if (!decided) {
            return std::string(stage) + ": cells " + std::to_string(i) + " and " +
                   std::to_string(label) + " are decided " + (same ? "different" : "the same") +
                   " but are " + (same ? "the same" : "different");
        }
    }
    return {};
}

// The problem and the loop as text, for a failure message.
std::string describe(const TrueLoop& loop, const ClueGrid& problem) {
    std::string text =
        "problem 1/" + std::to_string(loop.height) + "/" + std::to_string(loop.width) + "/";
    for (int32_t y = 0; y < loop.height; ++y) {
        for (int32_t x = 0; x < loop.width; ++x) {
            const uint8_t clue = problem[y * loop.width + x];
            text += clue == NO_CLUE ? '.' : static_cast<char>('0' + clue);
        }
        text += '/';
    }
    text += "\ninside:\n";
    const int32_t stride = loop.width + 2;
    for (int32_t r = 1; r <= loop.height; ++r) {
        for (int32_t q = 1; q <= loop.width; ++q)
            text += loop.inside[r * stride + q] ? '#' : '.';
        text += '\n';
    }
    return text;
}

// Steps the solver by hand (set-up, single sweeps, propagation, trial steps) and checks every
// relation after each step; returns the first fault.
std::string checkStepwise(const TrueLoop& loop, const ClueGrid& problem) {
    RegionScan scan;
    SolverBoard board;
    board.setUp(problem.data(), loop.width, loop.height, scan);
    std::string fault = wrongRelation(board, loop, "setUp");
    for (int32_t sweeps = 0; fault.empty() && sweeps < 4; ++sweeps) {
        board.sweep();
        fault = wrongRelation(board, loop, "sweep");
    }
    if (!fault.empty()) return fault;
    if (!board.propagate()) return "propagate: false on a problem with an answer";
    fault = wrongRelation(board, loop, "propagate");
    SolverBoard scratch;
    RegionMap regions;
    while (fault.empty() && board.uf.setCount > 1 && board.trialStep(scratch, regions)) {
        fault = wrongRelation(board, loop, "trialStep");
        if (fault.empty() && !board.propagate()) return "propagate after a trial step: false";
        if (fault.empty()) fault = wrongRelation(board, loop, "propagate after a trial step");
    }
    return fault;
}

// The outcome of a whole solve, for comparing the entries.
struct Outcome {
    SolveOutcome outcome = SolveOutcome::FAILED;
    bool branched = false;
    int32_t setCount = 0;
    int32_t trialCount = 0;
    int32_t answerCount = 0;
    bool operator==(const Outcome&) const = default;
};

Outcome outcomeOf(const SolverBoard& board, SolveOutcome outcome, bool branched) {
    return {outcome, branched, board.uf.setCount, board.trialCount, board.answerCount};
}

// Runs the solve loop and the branching step on a fresh board, checking the relations after
// each, then the one solve entry (solveWithBranching) and the solve mode's entry (solveProblem),
// which must end the same way. A failure is allowed only where it is the search's own verdict:
// the branching step found no pair whose assumption it could refute, and left the board as it
// was. Contradictions and answers other than the true loop are faults. Counts the answers found.
std::string checkWholeSolves(const TrueLoop& loop, const ClueGrid& problem, int32_t& answersFound) {
    RegionScan scan;
    SolverBoard board;
    board.setUp(problem.data(), loop.width, loop.height, scan);
    SolveOutcome outcome = board.solveLoop(nullptr);
    if (outcome == SolveOutcome::FAILED) return "solveLoop: failed";
    std::string fault = wrongRelation(board, loop, "solveLoop");
    if (!fault.empty()) return fault;
    const bool branched = outcome == SolveOutcome::STUCK;
    if (branched) {
        const Outcome stuck = outcomeOf(board, outcome, true);
        outcome = board.branchStep(nullptr);
        if (outcome == SolveOutcome::FAILED &&
            !(outcomeOf(board, SolveOutcome::STUCK, true) == stuck)) {
            return "branchStep: failed after deciding";
        }
        fault = wrongRelation(board, loop, "branchStep");
        if (!fault.empty()) return fault;
    }
    if (board.answerCount != (board.uf.setCount == 1 ? 1 : 0) ||
        (outcome == SolveOutcome::FOUND) != (board.answerCount == 1)) {
        return "answer count " + std::to_string(board.answerCount) + " with " +
               std::to_string(board.uf.setCount) + " sets";
    }
    const Outcome expected = outcomeOf(board, outcome, branched);

    SolverBoard creatorBoard;
    creatorBoard.setUp(problem.data(), loop.width, loop.height, scan);
    const SolveResult creatorResult = creatorBoard.solveWithBranching(nullptr);
    if (!(outcomeOf(creatorBoard, creatorResult.outcome, creatorResult.branched) == expected)) {
        return "solveWithBranching ends differently from solveLoop and branchStep";
    }
    fault = wrongRelation(creatorBoard, loop, "solveWithBranching");
    if (!fault.empty()) return fault;

    int32_t printed = 0;
    const AnswerPrinter printAnswer = [&](const SolverBoard& answer) {
        ++printed;
        if (fault.empty()) fault = wrongRelation(answer, loop, "printed answer");
        if (fault.empty() && answer.uf.setCount != 1) fault = "an unsolved board was printed";
    };
    SolveOutcome verdictOutcome = SolveOutcome::FAILED;
    const VerdictPrinter printVerdict = [&](SolveOutcome o, int32_t) { verdictOutcome = o; };
    const int32_t answers =
        solveProblem(problem.data(), loop.width, loop.height, printAnswer, printVerdict);
    if (verdictOutcome != outcome || answers != expected.answerCount || printed != answers) {
        return "solveProblem ends differently from solveLoop and branchStep";
    }
    answersFound += answers;
    return fault;
}

struct PropertyRun {
    int32_t width;
    int32_t height;
    int32_t problems;
    uint32_t seed;
    int32_t minKeep;  // the least share of clues kept, in percent
};

void runProperty(const PropertyRun& run) {
    SharedRandom random(run.seed);
    int32_t solved = 0;
    for (int32_t n = 0; n < run.problems; ++n) {
        const TrueLoop loop = drawLoop(random, run.width, run.height);
        // From sparse to nearly full: sparse problems exercise the search, full ones the rules.
        const int32_t keepPercent = run.minKeep + random.draw(96 - run.minKeep);
        const ClueGrid problem = thinClues(loop, random, keepPercent);
        std::string fault = checkStepwise(loop, problem);
        if (fault.empty()) fault = checkWholeSolves(loop, problem, solved);
        ASSERT_EQ(fault, "") << "board " << n << " of seed " << run.seed << ", " << keepPercent
                             << "% of clues kept\n"
                             << describe(loop, problem);
    }
    // The mix must include solved problems, or the answer checks above checked nothing.
    EXPECT_GT(solved, 0);
}

bool longRun() {
    const char* value = std::getenv("VARNEL_PROPERTY_LONG");
    return value != nullptr && *value != '\0' && std::string(value) != "0";
}

TEST(SolverProperty, DecisionsAgreeWithTheTrueLoopOnSmallBoards) {
    const int32_t scale = longRun() ? 20 : 1;
    runProperty({8, 8, 200 * scale, 1, 50});
    runProperty({12, 12, 100 * scale, 2, 55});
    // Sparse small boards, where the trial and branching steps do most of the work.
    runProperty({8, 4, 60 * scale, 6, 30});
}

TEST(SolverProperty, DecisionsAgreeWithTheTrueLoopOnCreatorSizes) {
    if (!longRun()) GTEST_SKIP() << "set VARNEL_PROPERTY_LONG=1 for the long run";
    runProperty({16, 12, 2000, 3, 55});
    runProperty({20, 12, 1000, 4, 60});
    runProperty({24, 16, 500, 5, 65});
}

}  // namespace
}  // namespace varnel
