#include "app/solve_mode.h"

#include <string>

#include "app/clock.h"
#include "app/exit_status.h"
#include "solver/clue_grid.h"
#include "solver/solve_entry.h"
#include "textio/answer_diagram.h"
#include "textio/console.h"

namespace varnel {

FileOutcome solveFile(const char* path, const ProblemHandler& onProblem) {
    const uint32_t start = tickCount();
    ReadOutcome outcome = ReadOutcome::COMPLETE;
    {
        // The text lives only while its problems are read and solved.
        std::string text;
        if (!loadTextFile(path, text)) {
            printFailedToOpen(path);
            return FileOutcome::OPEN_FAILED;
        }
        outcome = readProblems(text, onProblem);
    }
    if (outcome == ReadOutcome::INVALID_GRID) {
        printInvalidProblemData();
        return FileOutcome::INVALID_DATA;
    }
    if (outcome == ReadOutcome::STOPPED_EARLY) printInvalidProblemData();
    printFinished(elapsedMillis(start, tickCount()));
    return outcome == ReadOutcome::STOPPED_EARLY ? FileOutcome::STOPPED_EARLY : FileOutcome::READ;
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

}  // namespace varnel
