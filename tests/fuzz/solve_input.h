#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace varnel::fuzz {

// Work cap of the fuzz target only; the program itself solves boards of any size that fits the
// solver's labels. The search on large or nearly clue-less boards is legitimately slow (minutes
// to hours), which would drown real findings in timeouts, so such problems are read but not
// solved here.
inline constexpr int64_t MAX_SOLVED_CELLS = 100;  // W x H at most
inline constexpr int64_t MIN_CLUE_PERCENT = 50;   // clues per hundred cells at least
// The branching step tries every pair of sets left, repeatedly, so its work grows with the cube
// of the sets one sweep leaves: a 96 x 1 strip with 27 sets takes 0.7 s in a Release build and a
// minute under the fuzzer's instrumentation. Problems with more sets after one sweep are read but
// not solved.
inline constexpr int32_t MAX_SWEEP_SETS = 16;

// What one input did, for the replay test's reports.
struct FuzzRun {
    int32_t problemsRead = 0;    // problems the reader handed over
    int32_t problemsSolved = 0;  // of them, solved within the cap
    std::string output;          // what varnel_solver s would print for them (no time line)
    std::string violation;       // the first broken invariant; empty when all held
};

// Feeds bytes through the problem reader and solves every problem as solve mode does (the label
// check, then solveProblem with the diagram and the verdict going to a string), checking on the
// way that every answer is a single loop fitting its clues, drawn the same by formatDiagram and
// appendDiagram, and that the verdict agrees with what was printed.
FuzzRun solveFuzzInput(std::string_view bytes);

}  // namespace varnel::fuzz
