// Micro-benchmarks of the creator's steps per size class (argument 0 to 4): drawing a random
// loop, adding and removing clues, and making a whole problem. Each timed iteration starts its
// random source from the same seed, so every iteration does the same work.

#include <benchmark/benchmark.h>

#include <vector>

#include "bench/bench_inputs.h"
#include "creator/clue_reducer.h"
#include "creator/loop_builder.h"

namespace varnel::bench {

namespace {

// A loop the problem maker would accept (propagation alone solves its full clue grid) and the
// thresholds of the attempt that drew it, from the size class's seed.
struct AcceptedLoop {
    ClueGrid full;
    MakerThresholds limits;
    int32_t width = 0;
    int32_t height = 0;
};

const AcceptedLoop& acceptedLoop(int32_t sizeClass) {
    static std::array<AcceptedLoop, SIZE_CLASS_COUNT> loops;
    AcceptedLoop& loop = loops[sizeClass];
    if (!loop.full.empty()) return loop;
    loop.width = CLASS_WIDTHS[sizeClass];
    loop.height = CLASS_HEIGHTS[sizeClass];
    loop.full.assign(static_cast<size_t>(loop.width) * loop.height, 0);
    SharedRandom random(INPUT_SEEDS[sizeClass]);
    loop.limits = drawThresholds(random, loop.width * loop.height);
    RandomLoopBuilder builder;
    builder.bind(loop.full.data(), loop.width, loop.height, &random);
    RegionScan scan;
    SolverBoard board;
    for (;;) {
        builder.buildLoop();
        board.setUp(loop.full.data(), loop.width, loop.height, scan);
        if (board.propagate() && board.uf.setCount == 1) break;
    }
    return loop;
}

// The seed of the reducer's own draws in the timed loops.
constexpr uint32_t REDUCER_SEED = 12345;

// buildLoop: one random inside set and its full clue grid, drawn in a row from one source.
void BM_BuildLoop(benchmark::State& state) {
    const int32_t c = static_cast<int32_t>(state.range(0));
    const int32_t width = CLASS_WIDTHS[c];
    const int32_t height = CLASS_HEIGHTS[c];
    std::vector<uint8_t> full(static_cast<size_t>(width) * height);
    SharedRandom random(INPUT_SEEDS[c]);
    RandomLoopBuilder builder;
    builder.bind(full.data(), width, height, &random);
    for (auto _ : state) {
        builder.buildLoop();
        benchmark::DoNotOptimize(full.data());
    }
    state.counters["loops_per_s"] =
        benchmark::Counter(1, benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK(BM_BuildLoop)->DenseRange(0, 4);

// The first clue steps of an attempt on an accepted loop, from a reducer bound to random:
// seedClues, then one whole addClues call (sweep phase, then propagation phase) as the problem
// maker's first one. Returns what addClues returned.
bool seedAndAddClues(ClueReducer& reducer, SharedRandom& random, const AcceptedLoop& loop,
                     SolverBoard& board, SolverBoard& scratch, RegionScan& scan) {
    reducer.init(&random, loop.width, loop.height);
    reducer.seedClues(loop.full.data());
    return reducer.addClues(loop.full.data(), board, scratch, scan, loop.limits.minSets,
                            loop.limits.maxSets);
}

// seedAndAddClues, timed; clues_added counts the clues addClues placed.
void BM_AddClues(benchmark::State& state) {
    const AcceptedLoop& loop = acceptedLoop(static_cast<int32_t>(state.range(0)));
    RegionScan scan;
    SolverBoard board;
    SolverBoard scratch;
    ClueReducer reducer;
    // The clues seeding alone places, so that the counter shows what addClues added.
    SharedRandom seedRandom(REDUCER_SEED);
    reducer.init(&seedRandom, loop.width, loop.height);
    reducer.seedClues(loop.full.data());
    const int32_t seeded = reducer.clueCount;
    bool added = false;
    for (auto _ : state) {
        SharedRandom random(REDUCER_SEED);
        added = seedAndAddClues(reducer, random, loop, board, scratch, scan);
        benchmark::DoNotOptimize(reducer.clueCount);
    }
    state.counters["clues_added"] = reducer.clueCount - seeded;
    state.counters["succeeded"] = added ? 1 : 0;
}
BENCHMARK(BM_AddClues)->DenseRange(0, 4)->Unit(benchmark::kMillisecond);

// One removeClues call (a pass judged by sweeps, then one by propagation) on the problem that
// seedClues and addClues left; the timed loop restores that problem first.
void BM_RemoveClues(benchmark::State& state) {
    const AcceptedLoop& loop = acceptedLoop(static_cast<int32_t>(state.range(0)));
    RegionScan scan;
    SolverBoard board;
    SolverBoard scratch;
    ClueReducer reducer;
    SharedRandom setupRandom(REDUCER_SEED);
    seedAndAddClues(reducer, setupRandom, loop, board, scratch, scan);
    const ClueGrid added = reducer.problem;
    const int32_t addedCount = reducer.clueCount;
    for (auto _ : state) {
        SharedRandom random(REDUCER_SEED);
        reducer.random = &random;
        reducer.problem = added;
        reducer.clueCount = addedCount;
        reducer.removeClues(loop.full.data(), board, scan);
        benchmark::DoNotOptimize(reducer.clueCount);
    }
    state.counters["clues_tried"] = addedCount;
    state.counters["clues_removed"] = addedCount - reducer.clueCount;
}
BENCHMARK(BM_RemoveClues)->DenseRange(0, 4)->Unit(benchmark::kMillisecond);

// makeProblem until it succeeds, from the size class's seed: one made problem, failed attempts
// included.
void BM_MakeProblem(benchmark::State& state) {
    const int32_t c = static_cast<int32_t>(state.range(0));
    const int32_t width = CLASS_WIDTHS[c];
    const int32_t height = CLASS_HEIGHTS[c];
    std::vector<uint8_t> grid(static_cast<size_t>(width) * height);
    int32_t attempts = 0;
    for (auto _ : state) {
        SharedRandom random(INPUT_SEEDS[c]);
        ProblemGrade grade;
        attempts = 1;
        while (!makeProblem(random, width, height, grid.data(), grade))
            ++attempts;
        benchmark::DoNotOptimize(grade.score);
    }
    state.counters["attempts"] = attempts;
}
BENCHMARK(BM_MakeProblem)->DenseRange(0, 4)->Unit(benchmark::kMillisecond);

}  // namespace

}  // namespace varnel::bench
