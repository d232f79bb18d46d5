// varnel_probe bench [--quick] [FILE]: a fixed workload that measures the program and pins its
// behaviour. It makes a fixed number of problems of every size class from fixed seeds on the
// calling thread (as `varnel_probe make` does), solves each made problem back, and solves the
// bundled file of hard problems (or FILE). For each phase it prints the wall time, the solver's
// work counts and the phase's behaviour signature; the last line is the signature of the whole
// workload. Any change of that signature means the program behaves differently.

#include <array>
#include <chrono>
#include <cinttypes>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "creator/problem_maker.h"
#include "creator/size_classes.h"
#include "solver/solve_entry.h"
#include "textio/problem_reader.h"
#include "textio/problem_writer.h"
#include "tools/behaviour_signature.h"
#include "tools/probe_commands.h"
#include "tools/probe_support.h"

#ifndef VARNEL_BENCH_HARD_FILE
#define VARNEL_BENCH_HARD_FILE "bench/data/hard_problems.txt"
#endif

namespace varnel::probe {

namespace {

// How much of each phase a workload runs.
struct BenchWorkload {
    std::array<int32_t, SIZE_CLASS_COUNT> makeCounts;  // problems made per size class
    int32_t hardLimit;                                 // problems of the hard file solved, first
                                                       // ones first
};

// The full workload takes about a quarter of a minute on one core of a small machine, most of it
// in making the two largest classes; the quick one takes a fraction of a second and only checks
// the signature.
constexpr BenchWorkload FULL_WORKLOAD = {{24, 16, 8, 4, 3}, INT32_MAX};
constexpr BenchWorkload QUICK_WORKLOAD = {{2, 1, 0, 0, 0}, 2};

// The seed of each size class's random source.
constexpr std::array<uint32_t, SIZE_CLASS_COUNT> CLASS_SEEDS = {1601, 2001, 2401, 3201, 3601};

struct Problem {
    ClueGrid grid;
    int32_t width = 0;
    int32_t height = 0;
};

// The signature, work and time of one phase, and the workload's running signature.
struct Phase {
    BehaviourSignature signature;
    WorkCounters work;
    int32_t problems = 0;
    std::chrono::steady_clock::time_point start = std::chrono::steady_clock::now();

    void record(const std::string& text, BehaviourSignature& total) {
        signature.add(text);
        total.add(text);
    }

    void print(const char* name, WorkCounters& totalWork) const {
        const double seconds =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        std::printf("%-30s problems=%-4d time=%8.3f s  signature=%016" PRIx64 "\n", name, problems,
                    seconds, signature.value);
        printWork("   ", work, stdout);
        std::fflush(stdout);
        totalWork.add(work);
    }
};

// Solves one problem exactly as `varnel_probe solve` does and records its line.
void solveAndRecord(const Problem& p, Phase& phase, BehaviourSignature& total) {
    const SolveSummary s = solveClues(p.grid.data(), p.width, p.height, nullptr, &phase.work);
    phase.record(
        solveRecord(p.width, p.height, s, setsAfterOneSweep(p.grid.data(), p.width, p.height)),
        total);
    ++phase.problems;
}

// Reads the first `limit` problems of path. False, with a message, when the file cannot be read
// whole or holds a problem too large to solve.
bool readHardFile(const char* path, int32_t limit, std::vector<Problem>& problems) {
    std::string text;
    if (!loadTextFile(path, text)) {
        std::fprintf(stderr, "bench: failed to open: %s\n", path);
        return false;
    }
    bool fits = true;
    const ReadOutcome outcome =
        readProblems(text, [&](const ClueGrid& grid, int32_t width, int32_t height) {
            if (static_cast<int32_t>(problems.size()) >= limit) return;
            if (!fitsSolverLabels(width, height)) fits = false;
            problems.push_back(Problem{grid, width, height});
        });
    if (outcome != ReadOutcome::COMPLETE) {
        std::fprintf(stderr, "bench: invalid problem data in %s\n", path);
        return false;
    }
    if (!fits) {
        std::fprintf(stderr, "bench: a problem of %s is too large\n", path);
        return false;
    }
    return true;
}

int usage() {
    std::fprintf(stderr,
                 "usage: varnel_probe bench [--quick] [FILE]\n"
                 "  FILE: the hard problems to solve (default %s)\n",
                 VARNEL_BENCH_HARD_FILE);
    return 2;
}

}  // namespace

int probeBench(int argc, char** argv) {
    BenchWorkload workload = FULL_WORKLOAD;
    const char* hardPath = VARNEL_BENCH_HARD_FILE;
    bool pathGiven = false;
    for (int i = 0; i < argc; ++i) {
        if (std::strcmp(argv[i], "--quick") == 0) {
            workload = QUICK_WORKLOAD;
        } else if (argv[i][0] != '-' && !pathGiven) {
            hardPath = argv[i];
            pathGiven = true;
        } else {
            return usage();
        }
    }
    // The hard file is read before anything runs, so that a missing file costs no time.
    std::vector<Problem> hard;
    if (!readHardFile(hardPath, workload.hardLimit, hard)) return 1;

    BehaviourSignature total;
    WorkCounters totalWork;
    const auto start = std::chrono::steady_clock::now();

    // Phases 1 to 5: make problems of each size class, single-threaded from fixed seeds.
    std::vector<Problem> made;
    std::string line;
    for (int32_t c = 0; c < SIZE_CLASS_COUNT; ++c) {
        const int32_t width = CLASS_WIDTHS[c];
        const int32_t height = CLASS_HEIGHTS[c];
        SharedRandom random(CLASS_SEEDS[c]);
        Phase phase;
        Problem p{ClueGrid(static_cast<size_t>(width) * height), width, height};
        for (int32_t n = 0; n < workload.makeCounts[c]; ++n) {
            ProblemGrade grade;
            while (!makeProblem(random, width, height, p.grid.data(), grade, &phase.work)) {
            }
            line.clear();
            appendProblemLine(grade.score, p.grid.data(), width, height, line);
            phase.record(madeProblemRecord(line, grade.score), total);
            ++phase.problems;
            made.push_back(p);
        }
        char name[64];
        std::snprintf(name, sizeof name, "make class %d (%dx%d seed %u)", c, width, height,
                      CLASS_SEEDS[c]);
        phase.print(name, totalWork);
    }

    // Phase 6: solve every made problem back.
    {
        Phase phase;
        for (const Problem& p : made)
            solveAndRecord(p, phase, total);
        phase.print("solve made problems", totalWork);
    }

    // Phase 7: the hard problems.
    {
        Phase phase;
        for (const Problem& p : hard)
            solveAndRecord(p, phase, total);
        phase.print("solve hard file", totalWork);
    }

    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::printf("%-30s time=%8.3f s\n", "total", seconds);
    printWork("   ", totalWork, stdout);
    std::printf("bench signature: %016" PRIx64 "\n", total.value);
    return std::fflush(stdout) == 0 ? 0 : 1;
}

}  // namespace varnel::probe
