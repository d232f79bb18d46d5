#pragma once

// A walkthrough and a hint as text: numbered steps, consecutive easy steps of one kind grouped
// on one line unless every step is asked for, and at the end the difficulty, the techniques used
// and the answer. In the ascii form the board follows each step above the easy rank, its new
// sides marked ("===", '#', " X ", 'X'), and the end.

#include <cstdint>
#include <string>
#include <vector>

#include "explain/progress_marks.h"
#include "explain/walkthrough.h"

namespace varnel {

struct TextOptions {
    bool detail = false;       // every step on a line of its own, trials' chains too
    bool boards = false;       // the ascii form: boards after the steps above easy
    int32_t first = 1;         // the first step shown, numbered from 1
    int32_t last = INT32_MAX;  // the last step shown; the end is shown when it is reached
};

// The walkthrough of the puzzle grid (W x H as walk.layout) as text, every line ended by '\n'.
// from says where it starts ("the empty board"), in the first line.
std::string walkText(const Walkthrough& walk, const uint8_t* grid, const std::string& from,
                     const TextOptions& options);

// A hint as text: the step, or why there is none.
std::string hintText(const Hint& hint, const uint8_t* grid, const TextOptions& options);

// The player's mistakes, one line each after a line that counts them; empty when none.
std::string mistakesText(int32_t width, int32_t height, const std::vector<Mistake>& mistakes);

// The step's line: "12. medium, line into a 1: ... ." (no line end).
std::string stepLine(const ToldStep& step, int32_t number);

// "difficulty medium (rating 2.31)", "difficulty unfinished".
std::string difficultyWords(const Difficulty& difficulty);

// "zero 2, clue complete 5, ...": the techniques the steps used, in the ladder's order.
std::string techniqueCounts(const std::vector<ToldStep>& steps);

}  // namespace varnel
