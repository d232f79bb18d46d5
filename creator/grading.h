#pragma once

#include <cstdint>

namespace varnel {

// How the grading solve ended.
enum class GradeOutcome : uint8_t {
    FOUND,    // the solver found the answer
    STOPPED,  // the search ended without deciding the problem
    FAILED,   // a contradiction, or the branching step found no decisive pair
};

// The creator's grade of any problem: the same measurements and score by which a batch grades the
// problems it makes.
struct ProblemGrade {
    int32_t sweepSets = 0;  // sets left by one sweep of the freshly set-up board
    GradeOutcome outcome = GradeOutcome::FAILED;  // of the solve with the branching step
    int32_t trialCount = 0;                       // relations that solve decided by search
    int32_t scanCount = 0;                        // connectivity passes of that solve
    int32_t score = 0;                            // difficultyScore of the above, 0..49
    int32_t level = 1;                            // score / 10 + 1, 1..5, as a batch writes it
};

// Grades a W x H problem as the problem maker grades the problems it makes: one sweep of a freshly
// set-up board, then a solve with the branching step on another fresh set-up, printing nothing.
// The problem must fit the solver's labels (fitsSolverLabels). A problem the maker would reject
// (FAILED) still gets the score of the work done.
ProblemGrade gradeProblem(const uint8_t* grid, int32_t width, int32_t height);

// The level alone, always gradeProblem's level, but measured only as far as the level is
// certain: the counters only grow and the score grows with them, so once the work already done
// caps the score at 49, the level is 5 whatever the rest of the solve does. On a board with few
// clues one sweep leaves so many sets that this is known before any solve, where the solve
// itself could take hours.
int32_t gradeLevel(const uint8_t* grid, int32_t width, int32_t height);

}  // namespace varnel
