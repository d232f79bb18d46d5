#include "textio/console.h"

#include <cstdio>

namespace varnel {

void printUsage() {
    // "slove" is the program's own spelling; scripts may match these lines as they are.
    std::fputs("\nvarnel solver/creator\n", stdout);
    std::fputs("  To slove problems:                            varnel_solver.exe s file\n",
               stdout);
    std::fputs("  To create problem grouped by difficulty:      varnel_solver.exe c\n", stdout);
    std::fputs("  To create problems with specified board size: varnel_solver.exe c[1-5]\n",
               stdout);
    std::fputs("    where 1-5 specifies board size.\n", stdout);
}

std::string formatFinished(uint32_t elapsedMs) {
    char line[64];
    std::snprintf(line, sizeof line, "\nfinished. time = %u.%03u sec\n", elapsedMs / 1000u,
                  elapsedMs % 1000u);
    return line;
}

void printFinished(uint32_t elapsedMs) {
    const std::string line = formatFinished(elapsedMs);
    std::fputs(line.c_str(), stdout);
}

void printFailedToOpen(const char* path) {
    std::printf("failed to open: %s\n", path);
}

void printInvalidProblemData() {
    std::fputs("invalid problem data.\n", stdout);
}

void printProblemTooLarge() {
    std::fputs("problem too large.\n", stdout);
}

void printFailedToWrite(const char* path) {
    std::printf("failed to write: %s\n", path);
}

std::string formatVerdict(SolveOutcome outcome, int32_t answerCount) {
    if (outcome == SolveOutcome::FAILED) return "failed to solve.\n";
    return "found " + std::to_string(answerCount) + " answer(s).\n";
}

void printVerdict(SolveOutcome outcome, int32_t answerCount) {
    std::fputs(formatVerdict(outcome, answerCount).c_str(), stdout);
}

}  // namespace varnel
