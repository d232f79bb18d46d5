#pragma once

#include <cstdint>

#include "textio/problem_reader.h"

namespace varnel {

// How solve mode ended on one file.
enum class FileOutcome : uint8_t {
    READ,           // every problem of the file was handed over
    OPEN_FAILED,    // "failed to open" was printed
    INVALID_DATA,   // grid form rejected: "invalid problem data." was printed, nothing handed over
    STOPPED_EARLY,  // compact reading stopped on bad data: "invalid problem data." was printed
};

// Solve mode's file driver: reads the clock, loads the file, hands every problem to onProblem and
// prints the reader's messages and the elapsed-time line. The elapsed-time line is left out when
// the file cannot be opened or its grid-form data is rejected.
FileOutcome solveFile(const char* path, const ProblemHandler& onProblem);

// Solve mode: solves every problem of the file at path, printing each answer diagram and verdict,
// and returns the exit status (0, or 1 when the file or a problem could not be read).
int runSolveMode(const char* path);

}  // namespace varnel
