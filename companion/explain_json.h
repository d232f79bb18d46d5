#pragma once

// varnel explain --to json: one object per line for each mistake, step or hint, then a summary.

#include <string>
#include <vector>

#include "checker/problem_check.h"
#include "explain/progress_marks.h"
#include "explain/walkthrough.h"

namespace varnel {

// One line per mistake: {"mistake": "r4c2 right", "drawn": "line", "text": "..."}.
std::string mistakesJson(int32_t width, int32_t height, const std::vector<Mistake>& mistakes);

// Steps first to last (from 1), one object per line:
//   {"step": 12, "rank": 2, "technique": "line into a 1",
//    "reads": {"cells": ["r3c5"], "points": ["r3c5 top-left"], "sides": ["r2c5 left"]},
//    "decides": {"on": [], "off": ["r3c5 right", "r3c5 bottom"], "inside": [], "outside": []},
//    "text": "..."}
// a trial with "assumed" ({"side": "r3c5 top", "state": "line"}) and "chain" (its steps); then,
// when last reaches the end, the summary: {"end": "solved", "steps": N, "difficulty": {...} as
// check --json writes it, "techniques": {"zero": 2, ...}, "answer": rows of '#' and '.'} with
// "reason" instead of "answer" when the walkthrough stops short, and "differs" (a side) for a
// puzzle with several answers.
std::string walkJson(const Walkthrough& walk, const CheckResult& check, int32_t first,
                     int32_t last);

// The hint as one object: the step's fields and "next": "step"; or "next": "solved", "from the
// answer" (with "side" and "state") or "none" (with "reason").
std::string hintJson(const Hint& hint);

}  // namespace varnel
