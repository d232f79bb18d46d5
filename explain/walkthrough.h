#pragma once

// A walkthrough: the ladder's steps from a board to the answer, each told as a sentence, and, when
// it stops short of the answer, why. A hint: the first step that decides something not drawn yet.

#include <cstdint>
#include <string>
#include <vector>

#include "checker/problem_check.h"
#include "explain/step_story.h"
#include "ladder/board_layout.h"
#include "ladder/difficulty.h"

namespace varnel {

// What a walkthrough starts from.
struct WalkPuzzle {
    const uint8_t* grid = nullptr;       // W x H clues, row-major, NO_CLUE for none
    int32_t width = 0;                   // W, at least 1
    int32_t height = 0;                  // H, at least 1
    const CheckResult* check = nullptr;  // the complete check of the puzzle (its answers)
    std::vector<SideState> start;        // sideCount(W, H) sides already drawn, such as a
                                         // player's correct marks; empty for the empty board
};

struct WalkOptions {
    bool chains = false;                        // tell every trial's chain step by step
    int64_t workBudget = DEFAULT_GRADE_BUDGET;  // the ladder's work at most (as for a grade)
};

// How a walkthrough ends.
enum class WalkEnd : uint8_t {
    SOLVED,           // at the one answer
    SEVERAL_ANSWERS,  // the puzzle has several answers: the steps decide what they all share
    NO_ANSWER,        // no loop meets every clue (or the board it started from breaks a rule)
    BEYOND_TRIALS,    // one answer, but the ladder's deepest trials decide nothing more
    OUT_OF_BUDGET,    // one answer, but the ladder's work budget ran out first
};

// "solved", "several answers", "no answer", "beyond the deepest trial", "beyond the work budget".
const char* walkEndName(WalkEnd end);

struct Walkthrough {
    BoardLayout layout;            // the puzzle's board
    std::vector<SideState> start;  // sideCount states the walk starts from
    std::vector<ToldStep> steps;   // every step in order, notes of corners and cells included
    WalkEnd end = WalkEnd::SOLVED;
    std::string reason;             // why it stops short of the answer, a sentence without a
                                    // final full stop; empty when SOLVED
    int32_t differingSide = -1;     // SEVERAL_ANSWERS: the first side, in reading order, that
                                    // is a line in one answer and crossed in another
    Difficulty difficulty;          // what the steps took (from the start board)
    std::vector<SideState> finish;  // sideCount states where the walk ends
};

// The puzzle's answers, as the complete check (checker/problem_check.h) gives them, found faster
// where the ladder can: when its techniques up to the hard rank (no trials) solve the puzzle from
// the empty board, every answer agrees with every step they took, so the board they reach is the
// one answer. Otherwise the complete check decides. On a 60 x 60 Loopy puzzle the ladder takes
// some 5 ms, the complete check some 80.
CheckResult checkByLadder(const uint8_t* grid, int32_t width, int32_t height);

// The sides of an answer given as cell colours.
std::vector<SideState> answerSides(const CellColours& answer, int32_t width, int32_t height);

// The first side, in reading order, on which two boards of the layout differ; -1 when none.
int32_t firstDifference(const BoardLayout& layout, const std::vector<SideState>& a,
                        const std::vector<SideState>& b);

// Walks puzzle from its start to the answer, or as far as the ladder gets. A puzzle with several
// answers is walked with short trials at most and a smaller budget: nested trials that cannot
// finish would only take long.
void walkThrough(const WalkPuzzle& puzzle, const WalkOptions& options, Walkthrough& walk);

// What a hint gives.
enum class HintKind : uint8_t {
    STEP,         // step: the simplest step that decides something not drawn yet
    SOLVED,       // the board is the answer already: nothing is left to decide
    FROM_ANSWER,  // the ladder decides nothing more; one side of the one answer instead
    NONE,         // no hint: the puzzle has no answer, or several and the ladder is stuck
};

// "step", "solved", "from the answer", "none".
const char* hintKindName(HintKind kind);

struct Hint {
    HintKind kind = HintKind::NONE;
    BoardLayout layout;                    // the puzzle's board
    std::vector<SideState> start;          // the board the hint is for
    std::vector<ToldStep> notes;           // STEP: the steps before it that only noted corners or
                                           // how cells lie
    ToldStep step;                         // STEP: the step
    int32_t revealedSide = -1;             // FROM_ANSWER: the first open side in reading order
    SideState revealed = SideState::OPEN;  // FROM_ANSWER: its state in the answer
    std::string reason;                    // FROM_ANSWER and NONE: why the ladder gives no step
};

// The hint for puzzle's start board.
void nextHint(const WalkPuzzle& puzzle, const WalkOptions& options, Hint& hint);

}  // namespace varnel
