// varnel_probe thin FILE SEED MIN MAX [branch]: makes hard problems out of easier ones. For every
// problem of FILE it tries its clues in a random order (one source seeded with SEED for the whole
// file) and removes each one for good when the solver still finds the answer with at most MAX
// trial deductions. It stops at the first problem state that needs at least MIN of them (and, with
// `branch`, the branching step as well) and prints it as a compact line; a problem that runs out
// of clues first is reported on standard error and skipped.
//
// Every removal is checked by a whole solve, and the solver's deductions are all forced, so a
// problem it solves has exactly one answer: the loop of the problem it was thinned from.

#include <cstdio>
#include <string>
#include <vector>

#include "creator/problem_maker.h"
#include "creator/shared_random.h"
#include "solver/solve_entry.h"
#include "textio/problem_reader.h"
#include "textio/problem_writer.h"
#include "tools/behaviour_signature.h"
#include "tools/probe_commands.h"
#include "tools/probe_support.h"

namespace varnel::probe {

namespace {

struct ThinGoal {
    int32_t minTrials = 0;
    int32_t maxTrials = 0;
    bool needBranch = false;
};

// A solve that found the one answer within the allowed trial deductions.
bool allowed(const SolveSummary& s, const ThinGoal& goal) {
    return s.outcome == SolveOutcome::FOUND && s.trialCount <= goal.maxTrials;
}

bool reached(const SolveSummary& s, const ThinGoal& goal) {
    return s.trialCount >= goal.minTrials && (s.branched || !goal.needBranch);
}

// Thins one problem in place. True when it reached the goal.
bool thinProblem(ClueGrid& grid, int32_t width, int32_t height, const ThinGoal& goal,
                 SharedRandom& random, SolveSummary& last) {
    last = solveClues(grid.data(), width, height, nullptr);
    if (!allowed(last, goal)) return false;
    if (reached(last, goal)) return true;

    std::vector<int32_t> order;
    for (int32_t p = 0; p < width * height; ++p) {
        if (grid[p] != NO_CLUE) order.push_back(p);
    }
    // Fisher-Yates from the back, one draw per position.
    for (size_t i = order.size(); i > 1; --i) {
        const size_t j = static_cast<size_t>(random.draw(static_cast<int32_t>(i)));
        std::swap(order[i - 1], order[j]);
    }
    for (const int32_t p : order) {
        const uint8_t clue = grid[p];
        grid[p] = NO_CLUE;
        const SolveSummary s = solveClues(grid.data(), width, height, nullptr);
        if (!allowed(s, goal)) {
            grid[p] = clue;
            continue;
        }
        last = s;
        if (reached(s, goal)) return true;
    }
    return false;
}

int usage() {
    std::fprintf(stderr,
                 "usage: varnel_probe thin FILE SEED MIN MAX [branch]\n"
                 "  SEED: 0 to 4294967295; MIN, MAX: trial deductions wanted; branch: the\n"
                 "  branching step must be needed too\n");
    return 2;
}

}  // namespace

int probeThin(int argc, char** argv) {
    ThinGoal goal;
    if (argc == 5 && std::string(argv[4]) == "branch") {
        goal.needBranch = true;
        --argc;
    }
    uint64_t seed = 0, minTrials = 0, maxTrials = 0;
    if (argc != 4 || !parseDecimal(argv[1], UINT32_MAX, seed) ||
        !parseDecimal(argv[2], INT32_MAX, minTrials) ||
        !parseDecimal(argv[3], INT32_MAX, maxTrials) || minTrials > maxTrials) {
        return usage();
    }
    goal.minTrials = static_cast<int32_t>(minTrials);
    goal.maxTrials = static_cast<int32_t>(maxTrials);

    std::string text;
    if (!loadTextFile(argv[0], text)) {
        std::fprintf(stderr, "thin: failed to open: %s\n", argv[0]);
        return 1;
    }
    SharedRandom random(static_cast<uint32_t>(seed));
    int32_t index = 0;
    std::string line;
    const ReadOutcome outcome =
        readProblems(text, [&](const ClueGrid& problem, int32_t width, int32_t height) {
            ++index;
            if (!fitsSolverLabels(width, height)) {
                std::fprintf(stderr, "thin: problem %d: too large, skipped\n", index);
                return;
            }
            ClueGrid grid = problem;
            SolveSummary last;
            if (!thinProblem(grid, width, height, goal, random, last)) {
                std::fprintf(stderr, "thin: problem %d: goal not reached (trials=%d), skipped\n",
                             index, last.trialCount);
                return;
            }
            const int32_t score = difficultyScore(setsAfterOneSweep(grid.data(), width, height),
                                                  last.scanCount, last.trialCount, width * height);
            line.clear();
            appendProblemLine(score, grid.data(), width, height, line);
            std::fputs(line.c_str(), stdout);
            std::fflush(stdout);
            std::fprintf(stderr, "thin: problem %d: trials=%d scans=%d branched=%d\n", index,
                         last.trialCount, last.scanCount, last.branched ? 1 : 0);
        });
    if (outcome != ReadOutcome::COMPLETE) {
        std::fprintf(stderr, "thin: invalid problem data in %s\n", argv[0]);
        return 1;
    }
    return 0;
}

}  // namespace varnel::probe
