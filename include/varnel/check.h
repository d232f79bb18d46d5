#pragma once

// The complete check of `varnel check`: exactly one answer, several or none, decided by a SAT
// solver, never undecided, and the grades of a puzzle with one answer: its difficulty as a person
// feels it and the creator's grade.

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "varnel/answer.h"
#include "varnel/difficulty.h"
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

// What a check is busy with, in the order they run, for a progress display.
enum class CheckStage : uint8_t {
    VERDICT,     // the complete check
    DIFFICULTY,  // a unique puzzle's difficulty (gradeDifficulty)
    GRADE,       // a unique puzzle's creator's grade: the program's own solver, the long one
};

struct CheckOptions {
    bool grade = true;  // grade a puzzle with one answer: its difficulty and the creator's grade
    std::function<void(CheckStage)> onStage = nullptr;  // when set, called as each stage begins
};

struct CheckResult {
    Verdict verdict = Verdict::NONE;
    std::vector<Answer> answers;  // the one answer, two different ones for MULTIPLE, none for NONE
    bool graded = false;          // difficulty and grade hold the grades of a unique puzzle
    Difficulty difficulty;        // when graded: the ladder's grade, as gradeDifficulty gives it
    Grade grade;                  // when graded: the creator's grade, as grade() gives it
    double milliseconds = 0;      // wall time of the check and the grades
    std::string error;            // why the puzzle was not checked; empty when it was
};

// Checks one puzzle. Puzzles take milliseconds; some regular clue patterns on large boards take
// the SAT solver seconds, and the creator's grade of a unique puzzle with no clue to spare can
// take longer.
VARNEL_API CheckResult check(const Puzzle& puzzle, const CheckOptions& options = {});

}  // namespace varnel::api
