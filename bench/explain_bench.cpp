// Benchmarks of the ladder's and varnel explain's work: the difficulty of every 36 x 20 Loopy
// puzzle as varnel check grades it, the walkthrough of one told as text, and a hint on 60 x 60
// Loopy puzzles from the empty board and from a board half drawn, the complete check of the
// puzzle included, as the command does them.

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "bench/bench_inputs.h"
#include "checker/problem_check.h"
#include "explain/walk_text.h"
#include "explain/walkthrough.h"
#include "ladder/difficulty.h"
#include "ladder/ladder_run.h"
#include "textio/problem_input.h"

namespace varnel::bench {

namespace {

// The problems of a file in bench/data of the given size.
std::vector<InputProblem> problemsOf(const char* file, int32_t width, int32_t height) {
    const std::string path = std::string(VARNEL_BENCH_DATA_DIR) + "/" + file;
    std::string text;
    if (!loadTextFile(path.c_str(), text)) inputFailure("cannot read a bench data file");
    std::vector<InputProblem> problems;
    std::vector<InputDiagnostic> diagnostics;
    readInputText(text, path, problems, diagnostics);
    std::vector<InputProblem> sized;
    for (InputProblem& p : problems) {
        if (p.width == width && p.height == height) sized.push_back(std::move(p));
    }
    if (sized.empty()) inputFailure("no problem of the asked size in a bench data file");
    return sized;
}

const InputProblem& loopy36x20() {
    static const InputProblem problem = problemsOf("peer_608.txt", 36, 20).front();
    return problem;
}

const std::vector<InputProblem>& loopy60x60() {
    static const std::vector<InputProblem> problems = problemsOf("loopy_60x60.txt", 60, 60);
    return problems;
}

// One iteration grades all 48 of them: the time per puzzle is the iteration's time / 48.
void BM_GradeDifficulty36x20All(benchmark::State& state) {
    static const std::vector<InputProblem> problems = problemsOf("peer_608.txt", 36, 20);
    for (auto _ : state) {
        for (const InputProblem& p : problems) {
            const Difficulty d = gradeDifficulty(p.grid.data(), p.width, p.height);
            if (d.end != DifficultyEnd::RATED) inputFailure("a 36 x 20 Loopy puzzle was not rated");
            benchmark::DoNotOptimize(d.rating);
        }
    }
    state.counters["puzzles"] = static_cast<double>(problems.size());
}
BENCHMARK(BM_GradeDifficulty36x20All)->Unit(benchmark::kMillisecond);

void BM_Walkthrough36x20(benchmark::State& state) {
    const InputProblem& p = loopy36x20();
    for (auto _ : state) {
        const CheckResult check = checkByLadder(p.grid.data(), p.width, p.height);
        const WalkPuzzle puzzle{p.grid.data(), p.width, p.height, &check, {}};
        Walkthrough walk;
        walkThrough(puzzle, WalkOptions{}, walk);
        if (walk.end != WalkEnd::SOLVED) inputFailure("the 36 x 20 walkthrough did not finish");
        const std::string text = walkText(walk, p.grid.data(), "the empty board", TextOptions{});
        benchmark::DoNotOptimize(text.data());
    }
}
BENCHMARK(BM_Walkthrough36x20)->Unit(benchmark::kMillisecond);

// range(0): which 60 x 60 puzzle; range(1): 0 from the empty board, 1 from a board whose first
// half of the walkthrough's steps is drawn.
void BM_Hint60x60(benchmark::State& state) {
    const InputProblem& p = loopy60x60()[static_cast<size_t>(state.range(0))];
    std::vector<SideState> start;
    if (state.range(1) == 1) {
        LadderRun run;
        startLadder(run, p.grid.data(), p.width, p.height, RecordMode::COUNTS);
        int64_t taken = 0;
        runLadder(run, HIGHEST_RANK, INT64_MAX, &taken);
        LadderRun half;
        startLadder(half, p.grid.data(), p.width, p.height, RecordMode::COUNTS);
        runLadder(half, HIGHEST_RANK, taken / 2);
        start.assign(half.state.sides.begin(), half.state.sides.end() - 1);
    }
    for (auto _ : state) {
        const CheckResult check = checkByLadder(p.grid.data(), p.width, p.height);
        const WalkPuzzle puzzle{p.grid.data(), p.width, p.height, &check, start};
        Hint hint;
        nextHint(puzzle, WalkOptions{}, hint);
        if (hint.kind != HintKind::STEP) inputFailure("no hint on a 60 x 60 board");
        benchmark::DoNotOptimize(hint.step.text.data());
    }
}
BENCHMARK(BM_Hint60x60)
    ->Args({0, 0})
    ->Args({0, 1})
    ->Args({1, 0})
    ->Args({1, 1})
    ->Unit(benchmark::kMillisecond);

void BM_Check60x60(benchmark::State& state) {
    const InputProblem& p = loopy60x60()[static_cast<size_t>(state.range(0))];
    for (auto _ : state) {
        const CheckResult check = checkProblem(p.grid.data(), p.width, p.height);
        benchmark::DoNotOptimize(check.verdict);
    }
}
BENCHMARK(BM_Check60x60)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void BM_Closure60x60(benchmark::State& state) {
    const InputProblem& p = loopy60x60()[static_cast<size_t>(state.range(0))];
    for (auto _ : state) {
        LadderRun run;
        startLadder(run, p.grid.data(), p.width, p.height, RecordMode::CLOSURE);
        const LadderEnd end = runLadder(run, HIGHEST_RANK);
        if (end != LadderEnd::SOLVED) inputFailure("closure did not solve");
    }
}
BENCHMARK(BM_Closure60x60)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace

}  // namespace varnel::bench
