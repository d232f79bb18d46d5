#pragma once

#include <cstdint>
#include <string>

#include "solver/solver_board.h"

namespace varnel {

// The program's fixed console messages. Each goes to standard output with one formatted write;
// output errors are ignored, as they never change the program's course.

// The five usage lines printed when the command line fits no run mode.
void printUsage();

// The elapsed-time line that ends both run modes, for an elapsed time in milliseconds:
// 12345 gives "\nfinished. time = 12.345 sec\n".
std::string formatFinished(uint32_t elapsedMs);

// Prints the elapsed-time line for an elapsed time in milliseconds.
void printFinished(uint32_t elapsedMs);

void printFailedToOpen(const char* path);   // "failed to open: %s\n"
void printInvalidProblemData();             // "invalid problem data.\n"
void printProblemTooLarge();                // "problem too large.\n"
void printFailedToWrite(const char* path);  // "failed to write: %s\n"

// The verdict line of one solved problem: "failed to solve.\n" when the solve failed, otherwise
// "found %d answer(s).\n" with answerCount.
std::string formatVerdict(SolveOutcome outcome, int32_t answerCount);

// Prints formatVerdict's line. Fits the solver's VerdictPrinter.
void printVerdict(SolveOutcome outcome, int32_t answerCount);

}  // namespace varnel
