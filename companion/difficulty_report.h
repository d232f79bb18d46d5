#pragma once

#include <nlohmann/json.hpp>

#include <string>

#include "ladder/difficulty.h"

namespace varnel {

// "difficulty hard (rating 3.41)", or "difficulty unfinished (several answers, or beyond the
// deepest trial)": how check and explain name a puzzle's difficulty in their text lines.
std::string difficultyText(const Difficulty& difficulty);

// The difficulty as check --json and explain --to json write it:
//   {"name": "hard", "rank": 3, "rating": 3.41, "techniques": {"zero": 2, ...}}
// with the techniques the ladder used, in the ladder's order, and, for an unfinished one, rank
// and rating null and "reason" saying why it stops.
nlohmann::ordered_json difficultyJson(const Difficulty& difficulty);

}  // namespace varnel
