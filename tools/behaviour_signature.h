#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>

#include "solver/solve_entry.h"
#include "solver/solver_board.h"

namespace varnel::probe {

// A behaviour signature: the 64-bit FNV-1a hash of the text records of a workload, in order. The
// records are exactly the lines that `varnel_probe make` and `varnel_probe solve` print, so the
// signature of a phase can be recomputed from those commands' output with any FNV-1a tool, and a
// change of signature can be traced to the first line that differs. It covers what the program
// does (problems, scores, verdicts and the solver's own counters), never timing or work counts,
// which change when the implementation merely skips identical work.
struct BehaviourSignature {
    static constexpr uint64_t OFFSET_BASIS = 0xcbf29ce484222325ULL;
    static constexpr uint64_t PRIME = 0x100000001b3ULL;

    uint64_t value = OFFSET_BASIS;  // hash of every byte added so far

    void add(std::string_view bytes) {
        for (const char c : bytes) {
            value ^= static_cast<unsigned char>(c);
            value *= PRIME;
        }
    }
};

// The record of one made problem: its compact line without the newline, " score=S" and a newline,
// as `varnel_probe make` prints it. compactLine holds the line with its newline.
inline std::string madeProblemRecord(const std::string& compactLine, int32_t score) {
    std::string record(compactLine, 0, compactLine.size() - 1);
    record += " score=" + std::to_string(score) + "\n";
    return record;
}

// Sets left by one sweep on a freshly set-up board: the sweepSets of a solve record.
inline int32_t setsAfterOneSweep(const uint8_t* grid, int32_t width, int32_t height) {
    RegionScan scan;
    SolverBoard board;
    board.setUp(grid, width, height, scan);
    board.sweep();
    return board.uf.setCount;
}

// The record of one solve, as `varnel_probe solve` prints it; sweepSets is the set count one sweep
// of the freshly set-up problem leaves.
inline std::string solveRecord(int32_t width, int32_t height, const SolveSummary& s,
                               int32_t sweepSets) {
    char buffer[192];
    std::snprintf(buffer, sizeof buffer,
                  "W=%d H=%d result=%d failed=%d answers=%d trials=%d scans=%d sets=%d "
                  "sweepSets=%d\n",
                  width, height, s.outcome == SolveOutcome::FOUND ? 1 : 0,
                  s.outcome == SolveOutcome::FAILED ? 1 : 0, s.answerCount, s.trialCount,
                  s.scanCount, s.setCount, sweepSets);
    return buffer;
}

}  // namespace varnel::probe
