#include "creator/problem_maker.h"

#include <algorithm>
#include <vector>

#include "creator/clue_reducer.h"
#include "creator/judge_threads.h"
#include "creator/loop_builder.h"
#include "solver/solver_board.h"

namespace varnel {

MakerThresholds drawThresholds(SharedRandom& random, int32_t cells) {
    MakerThresholds t;
    const int32_t shift = random.draw(36);
    t.minSets = cells * (72 + random.draw(17)) / 1000;
    t.maxSets = cells * 80 / 100;
    t.maxClues = cells * (shift + 440) / 1000;
    t.targetClues = cells * (shift + 360) / 1000;
    return t;
}

int32_t difficultyScore(int32_t sweepSets, int32_t scanCount, int32_t trialCount, int32_t cells) {
    const int32_t v = (sweepSets + 3 * (scanCount + 10 * trialCount) - 4) * 400 / cells;
    return std::clamp(v, 0, 49);
}

bool makeProblem(SharedRandom& random, int32_t width, int32_t height, uint8_t* grid, int32_t& score,
                 WorkCounters* work, int32_t judgeThreads) {
    const int32_t cells = width * height;

    // The thresholds come before any other draw.
    const MakerThresholds limits = drawThresholds(random, cells);

    std::vector<uint8_t> full(static_cast<size_t>(cells));
    RandomLoopBuilder builder;
    builder.bind(full.data(), width, height, &random);
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

    // The sets one sweep leaves, for the score.
    board.setUp(reducer.problem.data(), width, height, scan);
    board.sweep();
    const int32_t sweepSets = board.uf.setCount;

    // The check by the solver; only a failed solve rejects the problem, a stuck one is kept.
    board.setUp(reducer.problem.data(), width, height, scan);
    if (board.solveWithBranching(nullptr).outcome == SolveOutcome::FAILED) return false;

    // The score from the solver's work, and the problem into the caller's grid.
    score = difficultyScore(sweepSets, board.scanCount, board.trialCount, cells);
    std::copy(reducer.problem.begin(), reducer.problem.end(), grid);
    return true;
}

}  // namespace varnel
