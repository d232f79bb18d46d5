// Benchmarks of the complete check (checker/problem_check.h): the 608 Loopy puzzles of
// bench/data/peer_608.txt (10 x 10 to 36 x 20, each with exactly one answer) in one pass, single
// puzzles of 36 x 20, and a blank board, whose many answers the check must find quickly.

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "bench/bench_inputs.h"
#include "checker/problem_check.h"

namespace varnel::bench {

namespace {

// The Loopy puzzles of bench/data/peer_608.txt, read once.
const std::vector<BenchProblem>& peerProblems() {
    static std::vector<BenchProblem> peer;
    if (!peer.empty()) return peer;
    const std::string path = std::string(VARNEL_BENCH_DATA_DIR) + "/peer_608.txt";
    std::string text;
    if (!loadTextFile(path.c_str(), text)) inputFailure("cannot read the Loopy puzzles file");
    readProblems(text, [](const ClueGrid& grid, int32_t width, int32_t height) {
        peer.push_back(BenchProblem{grid, {}, width, height});
    });
    if (peer.empty()) inputFailure("the Loopy puzzles file holds no problem");
    return peer;
}

// Checks p, stopping the run when the verdict is not the one expected: a timing of a wrong
// answer means nothing.
CheckResult checkExpecting(const BenchProblem& p, Verdict expected) {
    CheckResult result = checkProblem(p.grid.data(), p.width, p.height);
    if (result.verdict != expected) inputFailure("the check gave an unexpected verdict");
    return result;
}

// All 608 Loopy puzzles, each checked unique, per iteration.
void BM_CheckPeer608(benchmark::State& state) {
    const std::vector<BenchProblem>& peer = peerProblems();
    int64_t satCalls = 0;
    int64_t loopCuts = 0;
    for (auto _ : state) {
        satCalls = 0;
        loopCuts = 0;
        for (const BenchProblem& p : peer) {
            const CheckResult result = checkExpecting(p, Verdict::UNIQUE);
            satCalls += result.satCalls;
            loopCuts += result.loopCuts;
        }
    }
    state.counters["problems"] = static_cast<double>(peer.size());
    state.counters["sat_calls"] = static_cast<double>(satCalls);
    state.counters["loop_cuts"] = static_cast<double>(loopCuts);
}
BENCHMARK(BM_CheckPeer608)->Unit(benchmark::kMillisecond);

// One 36 x 20 puzzle: range(0) = 0 the first Loopy one of that size, 1 the first bundled hard
// problem of that size (made by the creator, needing 30 or more trial deductions).
void BM_CheckLarge(benchmark::State& state) {
    const BenchProblem* chosen = nullptr;
    if (state.range(0) == 0) {
        for (const BenchProblem& p : peerProblems()) {
            if (p.width == 36 && p.height == 20) {
                chosen = &p;
                break;
            }
        }
        if (chosen == nullptr) inputFailure("no 36 x 20 Loopy puzzle");
    } else {
        chosen = &hardLargeProblem();
    }
    CheckResult result;
    for (auto _ : state) {
        result = checkExpecting(*chosen, Verdict::UNIQUE);
    }
    state.counters["sat_calls"] = result.satCalls;
    state.counters["loop_cuts"] = result.loopCuts;
}
BENCHMARK(BM_CheckLarge)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// A blank board of range(0) x range(0) cells: every loop is an answer.
void BM_CheckBlank(benchmark::State& state) {
    const int32_t side = static_cast<int32_t>(state.range(0));
    const BenchProblem blank{ClueGrid(static_cast<size_t>(side) * side, NO_CLUE), {}, side, side};
    CheckResult result;
    for (auto _ : state) {
        result = checkExpecting(blank, Verdict::MULTIPLE);
    }
    state.counters["sat_calls"] = result.satCalls;
    state.counters["loop_cuts"] = result.loopCuts;
}
BENCHMARK(BM_CheckBlank)->Arg(30)->Unit(benchmark::kMillisecond);

}  // namespace

}  // namespace varnel::bench
