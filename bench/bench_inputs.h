#pragma once

// Inputs of the micro-benchmarks: realistic boards made from fixed seeds, and the bundled hard
// problems. Google Benchmark calls a benchmark function several times to settle its iteration
// count, so each input is made once, on first use, and kept for the rest of the run; timed loops
// only read them.

#include <array>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "creator/problem_maker.h"
#include "creator/shared_random.h"
#include "creator/size_classes.h"
#include "solver/clue_grid.h"
#include "solver/solver_board.h"
#include "textio/problem_reader.h"

#ifndef VARNEL_BENCH_DATA_DIR
#define VARNEL_BENCH_DATA_DIR "bench/data"
#endif

namespace varnel::bench {

// The seed of each size class's inputs.
inline constexpr std::array<uint32_t, SIZE_CLASS_COUNT> INPUT_SEEDS = {1601, 2001, 2401, 3201,
                                                                       3601};

struct BenchProblem {
    ClueGrid grid;  // [0, W x H): the problem's clues
    ClueGrid full;  // [0, W x H): every cell's clue in the problem's one answer
    int32_t width = 0;
    int32_t height = 0;
};

// Every cell's number of sides on the loop of a solved board: the full clue grid of its answer.
inline ClueGrid fullCluesOf(const SolverBoard& solved, int32_t width, int32_t height) {
    ClueGrid full(static_cast<size_t>(width) * height);
    const uint16_t* tag = solved.uf.tags();
    const int32_t s = solved.stride;
    for (int32_t y = 0; y < height; ++y) {
        for (int32_t x = 0; x < width; ++x) {
            const int32_t i = solved.cellIndex(x, y);
            full[y * width + x] =
                static_cast<uint8_t>((tag[i] != tag[i - 1]) + (tag[i] != tag[i + 1]) +
                                     (tag[i] != tag[i - s]) + (tag[i] != tag[i + s]));
        }
    }
    return full;
}

// Solves p on a fresh board; the board is left as the solve left it.
inline void solveOn(SolverBoard& board, RegionScan& scan, const BenchProblem& p) {
    board.setUp(p.grid.data(), p.width, p.height, scan);
    board.solveWithBranching(nullptr);
}

// Stops the run: a benchmark input that cannot be made would make every figure meaningless.
[[noreturn]] inline void inputFailure(const char* what) {
    std::fprintf(stderr, "varnel_bench: %s\n", what);
    std::exit(1);
}

// The first problem made from the size class's seed, with the full clue grid of its answer.
inline const BenchProblem& madeProblem(int32_t sizeClass) {
    static std::array<BenchProblem, SIZE_CLASS_COUNT> made;
    BenchProblem& p = made[sizeClass];
    if (!p.grid.empty()) return p;
    p.width = CLASS_WIDTHS[sizeClass];
    p.height = CLASS_HEIGHTS[sizeClass];
    p.grid.assign(static_cast<size_t>(p.width) * p.height, NO_CLUE);
    SharedRandom random(INPUT_SEEDS[sizeClass]);
    ProblemGrade grade;
    while (!makeProblem(random, p.width, p.height, p.grid.data(), grade)) {
    }
    RegionScan scan;
    SolverBoard board;
    solveOn(board, scan, p);
    if (board.uf.setCount != 1) inputFailure("a made problem was not solved");
    p.full = fullCluesOf(board, p.width, p.height);
    return p;
}

// The bundled hard problems (bench/data/hard_problems.txt), with the full clue grids of those
// that have an answer: 36 x 20 problems that need 30 or more trial deductions, and smaller ones
// that end without an answer after the branching step.
inline const std::vector<BenchProblem>& hardProblems() {
    static std::vector<BenchProblem> hard;
    if (!hard.empty()) return hard;
    const std::string path = std::string(VARNEL_BENCH_DATA_DIR) + "/hard_problems.txt";
    std::string text;
    if (!loadTextFile(path.c_str(), text)) inputFailure("cannot read the hard problems file");
    readProblems(text, [](const ClueGrid& grid, int32_t width, int32_t height) {
        hard.push_back(BenchProblem{grid, {}, width, height});
    });
    if (hard.empty()) inputFailure("the hard problems file holds no problem");
    for (BenchProblem& p : hard) {
        RegionScan scan;
        SolverBoard board;
        solveOn(board, scan, p);
        // Problems the search leaves without an answer have no full grid.
        if (board.uf.setCount == 1) p.full = fullCluesOf(board, p.width, p.height);
    }
    return hard;
}

// The first hard problem of the largest size class.
inline const BenchProblem& hardLargeProblem() {
    for (const BenchProblem& p : hardProblems()) {
        if (p.width == CLASS_WIDTHS.back() && p.height == CLASS_HEIGHTS.back() && !p.full.empty())
            return p;
    }
    inputFailure("no solved 36 x 20 problem in the hard problems file");
}

}  // namespace varnel::bench
