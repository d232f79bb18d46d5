// Benchmarks of verifying a proposed answer through the library (varnel/verify.h): the answer of
// a 36 x 20 Loopy puzzle given as a drawing, a cell colouring and a side list, reading the text
// included, and as cells.

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "bench/bench_inputs.h"
#include "varnel/varnel.h"

namespace varnel::bench {

namespace {

struct Proposal {
    api::Puzzle puzzle;
    api::Answer answer;
    std::vector<std::string> texts;  // the answer as a drawing, a colouring and a side list
};

std::string joined(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines)
        text += line + "\n";
    return text;
}

// The first 36 x 20 puzzle of bench/data/peer_608.txt with its answer, made once.
const Proposal& proposal() {
    static Proposal made;
    if (!made.texts.empty()) return made;
    const std::string path = std::string(VARNEL_BENCH_DATA_DIR) + "/peer_608.txt";
    std::string text;
    if (!loadTextFile(path.c_str(), text)) inputFailure("cannot read the Loopy puzzles file");
    for (const api::Puzzle& puzzle : api::readPuzzles(text, path).puzzles) {
        if (puzzle.width != 36 || puzzle.height != 20) continue;
        made.puzzle = puzzle;
        break;
    }
    const api::CheckResult check = api::check(made.puzzle, {false});
    if (check.verdict != api::Verdict::UNIQUE) inputFailure("the 36 x 20 puzzle is not unique");
    made.answer = check.answers.front();
    api::WriteOptions drawing;
    drawing.form = api::Form::ASCII;
    drawing.answers = {made.answer};
    made.texts = {api::writePuzzle(made.puzzle, drawing).text, joined(api::answerRows(made.answer)),
                  joined(api::answerSides(made.answer))};
    return made;
}

// range(0): 0 a drawing, 1 a colouring, 2 a side list.
void BM_Verify36x20Text(benchmark::State& state) {
    const Proposal& p = proposal();
    const std::string& text = p.texts[static_cast<size_t>(state.range(0))];
    for (auto _ : state) {
        const api::VerifyResult result = api::verify(p.puzzle, text);
        if (!result.valid) inputFailure("the proposed answer is not valid");
        benchmark::DoNotOptimize(result.valid);
    }
    state.counters["bytes"] = static_cast<double>(text.size());
}
BENCHMARK(BM_Verify36x20Text)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMicrosecond);

void BM_Verify36x20Cells(benchmark::State& state) {
    const Proposal& p = proposal();
    for (auto _ : state) {
        const api::VerifyResult result = api::verifyAnswer(p.puzzle, p.answer);
        if (!result.valid) inputFailure("the answer is not valid");
        benchmark::DoNotOptimize(result.valid);
    }
}
BENCHMARK(BM_Verify36x20Cells)->Unit(benchmark::kMicrosecond);

}  // namespace

}  // namespace varnel::bench
