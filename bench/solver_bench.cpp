// Micro-benchmarks of the solver's hot operations on realistic boards: problems made from fixed
// seeds (one per size class, argument 0 to 4) and the bundled hard problems. Every timed loop
// starts from a board prepared outside it; where an operation changes its board, the loop first
// restores it with a copy, and BM_CopyFrom measures that copy on its own.

#include <benchmark/benchmark.h>

#include <utility>
#include <vector>

#include "bench/bench_inputs.h"
#include "solver/region_map.h"
#include "solver/solve_entry.h"

namespace varnel::bench {

namespace {

// A relation to replay: cells a and b, same = 1 for the same colour.
struct Relation {
    int32_t a = 0;
    int32_t b = 0;
    int32_t same = 0;
};

// The relations a sweep works with: for every swept cell in index order, its relation to the
// cells right, below, below-right and below-left of it, as the problem's answer has them. Replayed
// on a freshly set-up board about a fifth of them merge two sets, as in a first sweep; replayed
// after one sweep nearly all are known already, as in every later sweep.
std::vector<Relation> answerRelations(const SolverBoard& solved) {
    std::vector<Relation> relations;
    const int32_t s = solved.stride;
    for (int32_t c = s; c < solved.cellCount - s; ++c) {
        for (const int32_t d : {1, s, s + 1, s - 1}) {
            if (c + d >= solved.cellCount) continue;  // past the last border cell
            relations.push_back(Relation{c, c + d, solved.uf.knownSame(c, c + d) ? 1 : 0});
        }
    }
    return relations;
}

// relate, replaying the answer's relations on a board of size class range(0), freshly set up
// (range(1) = 0) or after one sweep (range(1) = 1). The loop restores the union-find with its
// copyFrom before each replay.
void BM_Relate(benchmark::State& state) {
    const BenchProblem& p = madeProblem(static_cast<int32_t>(state.range(0)));
    RegionScan scan;
    SolverBoard solved;
    solveOn(solved, scan, p);
    const std::vector<Relation> relations = answerRelations(solved);

    SolverBoard start;
    start.setUp(p.grid.data(), p.width, p.height, scan);
    if (state.range(1) == 1) start.sweep();
    ParityUnionFind uf;
    uf.copyFrom(start.uf);
    for (const Relation& r : relations)
        uf.relate(r.a, r.b, r.same);
    if (uf.contradiction) inputFailure("the replayed relations contradict the board");
    const int32_t merges = start.uf.setCount - uf.setCount;

    for (auto _ : state) {
        uf.copyFrom(start.uf);
        for (const Relation& r : relations)
            uf.relate(r.a, r.b, r.same);
        benchmark::DoNotOptimize(uf.setCount);
    }
    state.counters["relates"] = static_cast<double>(relations.size());
    state.counters["merges"] = merges;
    state.counters["relates_per_s"] = benchmark::Counter(
        static_cast<double>(relations.size()), benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK(BM_Relate)->ArgsProduct({{0, 2, 4}, {0, 1}});

// copyFrom of a propagated board of size class range(0) into a scratch board.
void BM_CopyFrom(benchmark::State& state) {
    const BenchProblem& p = madeProblem(static_cast<int32_t>(state.range(0)));
    RegionScan scan;
    SolverBoard board;
    board.setUp(p.grid.data(), p.width, p.height, scan);
    board.propagate();
    SolverBoard scratch;
    scratch.copyFrom(board);
    for (auto _ : state) {
        scratch.copyFrom(board);
        benchmark::DoNotOptimize(scratch.uf.setCount);
    }
    state.counters["cells_per_s"] =
        benchmark::Counter(board.cellCount, benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK(BM_CopyFrom)->DenseRange(0, 4);

// One sweep of a freshly set-up board of size class range(0), on a copy.
void BM_Sweep(benchmark::State& state) {
    const BenchProblem& p = madeProblem(static_cast<int32_t>(state.range(0)));
    RegionScan scan;
    SolverBoard board;
    board.setUp(p.grid.data(), p.width, p.height, scan);
    SolverBoard scratch;
    scratch.copyFrom(board);
    scratch.sweep();
    const int32_t merges = board.uf.setCount - scratch.uf.setCount;
    for (auto _ : state) {
        scratch.copyFrom(board);
        scratch.sweep();
        benchmark::DoNotOptimize(scratch.uf.setCount);
    }
    state.counters["merges"] = merges;
    state.counters["cells_per_s"] =
        benchmark::Counter(board.cellCount, benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK(BM_Sweep)->DenseRange(0, 4);

// propagate of a freshly set-up board, on a copy: the made problem of size class range(0) for
// arguments 0 to 4, the first 36 x 20 hard problem for argument 5 (it stalls with many sets).
void BM_Propagate(benchmark::State& state) {
    const int32_t which = static_cast<int32_t>(state.range(0));
    const BenchProblem& p = which < SIZE_CLASS_COUNT ? madeProblem(which) : hardLargeProblem();
    RegionScan scan;
    SolverBoard board;
    board.setUp(p.grid.data(), p.width, p.height, scan);
    WorkCounters work;
    SolverBoard scratch;
    scratch.copyFrom(board);
    scratch.work = &work;  // one counted run, outside the timed loop
    scratch.propagate();
    scratch.work = nullptr;
    const int32_t setsLeft = scratch.uf.setCount;
    for (auto _ : state) {
        scratch.copyFrom(board);
        scratch.propagate();
        benchmark::DoNotOptimize(scratch.uf.setCount);
    }
    state.counters["sets_left"] = setsLeft;
    state.counters["sweeps"] = static_cast<double>(work.sweeps);
    state.counters["passes"] = static_cast<double>(work.scans);
    state.counters["cells_swept_per_s"] = benchmark::Counter(
        static_cast<double>(work.cellsSwept), benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK(BM_Propagate)->DenseRange(0, 5)->Unit(benchmark::kMicrosecond);

// One trialStep on the first 36 x 20 hard problem where its first propagate stalls: the pairs
// are tried in order until one is refuted.
void BM_TrialStep(benchmark::State& state) {
    const BenchProblem& p = hardLargeProblem();
    RegionScan scan;
    SolverBoard stalled;
    stalled.setUp(p.grid.data(), p.width, p.height, scan);
    stalled.propagate();
    SolverBoard board;
    SolverBoard scratch;
    RegionMap regions;
    WorkCounters work;
    board.copyFrom(stalled);
    board.work = &work;  // one counted run, outside the timed loop
    const bool decided = board.trialStep(scratch, regions);
    if (!decided) inputFailure("the trial step decides nothing on the hard problem");
    for (auto _ : state) {
        board.copyFrom(stalled);
        benchmark::DoNotOptimize(board.trialStep(scratch, regions));
    }
    state.counters["propagates"] = static_cast<double>(work.propagateCalls);
    state.counters["sets"] = stalled.uf.setCount;
}
BENCHMARK(BM_TrialStep)->Unit(benchmark::kMicrosecond);

// The whole solve (solve loop, branching step when stuck) of every bundled hard problem.
void BM_SolveHardFile(benchmark::State& state) {
    const std::vector<BenchProblem>& hard = hardProblems();
    int64_t trials = 0;
    for (const BenchProblem& p : hard)
        trials += solveClues(p.grid.data(), p.width, p.height, nullptr).trialCount;
    for (auto _ : state) {
        for (const BenchProblem& p : hard) {
            benchmark::DoNotOptimize(solveClues(p.grid.data(), p.width, p.height, nullptr));
        }
    }
    state.counters["problems_per_s"] = benchmark::Counter(
        static_cast<double>(hard.size()), benchmark::Counter::kIsIterationInvariantRate);
    state.counters["trials"] = static_cast<double>(trials);
}
BENCHMARK(BM_SolveHardFile)->Unit(benchmark::kMillisecond);

}  // namespace

}  // namespace varnel::bench
