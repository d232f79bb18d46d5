#include "app/dispatch.h"

#include "creator/batch.h"
#include "solver/clue_grid.h"
#include "solver/solve_entry.h"
#include "textio/answer_diagram.h"
#include "textio/console.h"
#include "textio/problem_reader.h"

namespace varnel {

namespace {

// Exit statuses: usage text, success, and problems that merely fail to solve give 0; input that
// could not be read, a problem refused, or output that could not be written gives 1 so that
// scripts notice.
constexpr int EXIT_OK = 0;
constexpr int EXIT_FAILED = 1;

// An output file that cannot be created or written fails the run: its problems are lost.
int runCreateMode(uint32_t mode) {
    return createProblems(static_cast<int32_t>(mode)) ? EXIT_OK : EXIT_FAILED;
}

}  // namespace

Command parseCommandLine(int argc, const char* const* argv) {
    Command command;
    if (argc == 3 && (argv[1][0] == 's' || argv[1][0] == 'S')) {
        command.mode = RunMode::SOLVE;
        command.path = argv[2];
        return command;
    }
    if (argc == 2 && (argv[1][0] == 'c' || argv[1][0] == 'C')) {
        // Only the second character counts; "c" alone reads its terminating zero, which wraps
        // to a large unsigned value and so to mode 0, like c6 .. c9 and any letter.
        const uint32_t mode = static_cast<uint32_t>(argv[1][1] - '0');
        command.mode = RunMode::CREATE;
        command.createMode = mode > 5 ? 0 : mode;
        return command;
    }
    return command;
}

int runSolveMode(const char* path) {
    bool refused = false;
    const AnswerPrinter printAnswer = printDiagram;
    const VerdictPrinter printVerdictLine = printVerdict;
    const ProblemHandler solveOne = [&](const ClueGrid& grid, int32_t width, int32_t height) {
        // Set labels are 16-bit cell indices: a larger board would corrupt them, so it is refused
        // in place of its diagram and verdict, and reading goes on.
        if (!fitsSolverLabels(width, height)) {
            printProblemTooLarge();
            refused = true;
            return;
        }
        solveProblem(grid.data(), width, height, printAnswer, printVerdictLine);
    };

    const FileOutcome outcome = solveFile(path, solveOne);
    if (outcome != FileOutcome::READ || refused) return EXIT_FAILED;
    return EXIT_OK;
}

int runCommand(const Command& command) {
    switch (command.mode) {
        case RunMode::SOLVE:
            return runSolveMode(command.path);
        case RunMode::CREATE:
            return runCreateMode(command.createMode);
        case RunMode::USAGE:
            break;
    }
    printUsage();
    return EXIT_OK;
}

}  // namespace varnel
