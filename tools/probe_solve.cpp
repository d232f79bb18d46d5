// varnel_probe solve FILE: for every problem of FILE, in file order, one line with the outcome
// and the counters of a solve exactly like solve mode's, printing off.

#include <cstdio>
#include <string>

#include "solver/solve_entry.h"
#include "textio/problem_reader.h"
#include "tools/behaviour_signature.h"
#include "tools/probe_commands.h"
#include "tools/probe_support.h"

namespace varnel::probe {

int probeSolve(int argc, char** argv) {
    const bool reportWork = takeWorkOption(argc, argv);
    if (argc != 1) {
        std::fprintf(stderr, "usage: varnel_probe solve FILE [--work]\n");
        return 2;
    }
    std::string text;
    if (!loadTextFile(argv[0], text)) {
        std::fprintf(stderr, "solve: failed to open: %s\n", argv[0]);
        return 1;
    }
    bool tooLarge = false;
    WorkCounters work;
    const ReadOutcome outcome =
        readProblems(text, [&tooLarge, &work](const ClueGrid& grid, int32_t width, int32_t height) {
            if (!fitsSolverLabels(width, height)) {
                std::printf("W=%d H=%d too-large\n", width, height);
                tooLarge = true;
                return;
            }
            const SolveSummary s = solveClues(grid.data(), width, height, nullptr, &work);
            const int32_t sweepSets = setsAfterOneSweep(grid.data(), width, height);
            std::fputs(solveRecord(width, height, s, sweepSets).c_str(), stdout);
            std::fflush(stdout);
        });
    if (reportWork) printWork("solve", work);
    if (outcome != ReadOutcome::COMPLETE) {
        std::fprintf(stderr, "solve: invalid problem data in %s\n", argv[0]);
        return 1;
    }
    return tooLarge ? 1 : 0;
}

}  // namespace varnel::probe
