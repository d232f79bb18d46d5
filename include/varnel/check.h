#pragma once

// The complete check of `varnel check`: exactly one answer, several or none, decided by a SAT
// solver, never undecided, and the grade of a puzzle with one answer.

#include <cstdint>
#include <string>
#include <vector>

#include "varnel/answer.h"
#include "varnel/export.h"
#include "varnel/grade.h"
#include "varnel/puzzle.h"

namespace varnel::api {

enum class Verdict : uint8_t {
    UNIQUE,    // exactly one loop meets every clue
    MULTIPLE,  // two or more do
    NONE,      // none does
};

// "unique", "multiple", "none".
VARNEL_API const char* verdictName(Verdict verdict);

struct CheckOptions {
    bool grade = true;  // grade a puzzle with one answer (runs the program's own solver)
};

struct CheckResult {
    Verdict verdict = Verdict::NONE;
    std::vector<Answer> answers;  // the one answer, two different ones for MULTIPLE, none for NONE
    bool graded = false;          // grade holds the grade of a unique puzzle
    Grade grade;                  // when graded
    double milliseconds = 0;      // wall time of the check and the grade
    std::string error;            // why the puzzle was not checked; empty when it was
};

// Checks one puzzle. Puzzles take milliseconds; some regular clue patterns on large boards take
// the SAT solver seconds, and grading a unique puzzle with no clue to spare can take longer.
VARNEL_API CheckResult check(const Puzzle& puzzle, const CheckOptions& options = {});

}  // namespace varnel::api
