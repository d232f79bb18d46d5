#include "creator/problem_maker.h"

#include <algorithm>
#include <vector>

#include "creator/clue_reducer.h"
#include "creator/judge_threads.h"
#include "creator/loop_source.h"
#include "solver/solver_board.h"

namespace varnel {

namespace {

// The lowest minSets: with it addClues turns to propagation once one sweep leaves a single set
// short of solved.
constexpr int32_t MIN_PROPAGATION_SETS = 2;

}  // namespace

bool loopBuilderFits(LoopBuilderKind kind, int64_t width, int64_t height) {
    return kind == LoopBuilderKind::STRIP ? loopSizeFits(width, height)
                                          : regionSizeFits(width, height);
}

LoopBuilderKind defaultLoopBuilder(int64_t width, int64_t height) {
    return loopSizeFits(width, height) ? LoopBuilderKind::STRIP : LoopBuilderKind::REGION;
}

MakerThresholds drawThresholds(SharedRandom& random, int32_t cells) {
    MakerThresholds t;
    const int32_t shift = random.draw(36);
    // At least 2: below 14 cells the share rounds to 0 (below 28 to 1), and since no board has
    // fewer than 1 set, addClues would then never reach its propagation phase and tiny boards
    // could not be made at all. Boards of 28 cells or more are unchanged.
    t.minSets = std::max(MIN_PROPAGATION_SETS, cells * (72 + random.draw(17)) / 1000);
    t.maxSets = cells * 80 / 100;
    t.maxClues = cells * (shift + 440) / 1000;
    t.targetClues = cells * (shift + 360) / 1000;
    return t;
}

bool makeProblem(SharedRandom& random, int32_t width, int32_t height, uint8_t* grid,
                 ProblemGrade& grade, WorkCounters* work, LoopBuilderKind kind,
                 int32_t judgeThreads) {
    const int32_t cells = width * height;

    // The thresholds come before any other draw.
    const MakerThresholds limits = drawThresholds(random, cells);

    std::vector<uint8_t> full(static_cast<size_t>(cells));
    LoopSource builder;
    builder.bind(kind, full.data(), width, height, &random);
    RegionScan scan;
    SolverBoard board;
    SolverBoard scratch;
    board.work = work;  // the scratch board takes it from its copies of the board

    // A loop whose full clue grid propagation alone solves.
    for (;;) {
        builder.buildLoop();
        board.setUp(full.data(), width, height, scan);
        if (board.propagate() && board.uf.setCount == 1) break;
    }

    // Thin the clues: seed 0s and 3s, add the clues that help the solver most, remove the ones
    // it does not need, add again until propagation alone solves the problem, and top up sparse
    // places. More than maxClues clues after the removal or after the second adding rejects
    // the attempt.
    ClueReducer reducer;
    reducer.init(&random, width, height);
    const TaskRunner onThreads = runOnThreads;
    if (judgeThreads > 1) {
        reducer.threads = judgeThreads;
        reducer.judge.parts = judgeThreads;
        reducer.judge.runTasks = &onThreads;
    }
    reducer.seedClues(full.data());
    if (!reducer.addClues(full.data(), board, scratch, scan, limits.minSets, limits.maxSets)) {
        return false;
    }
    reducer.removeClues(full.data(), board, scan);
    if (reducer.clueCount > limits.maxClues) return false;
    if (!reducer.addClues(full.data(), board, scratch, scan, limits.minSets, limits.maxSets)) {
        return false;
    }
    if (reducer.clueCount > limits.maxClues) return false;
    reducer.topUpClues(full.data(), limits.targetClues);

    // The sets one sweep leaves and the check by the solver give the score; only a failed solve
    // rejects the problem, a stuck one is kept.
    const ProblemGrade made = gradeOnBoard(board, scan, reducer.problem.data(), width, height);
    if (made.outcome == SolveOutcome::FAILED) return false;
    grade = made;
    std::copy(reducer.problem.begin(), reducer.problem.end(), grid);
    return true;
}

}  // namespace varnel
