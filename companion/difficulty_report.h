#pragma once

#include <nlohmann/json.hpp>

#include <string>

#include "varnel/difficulty.h"

namespace varnel {

// "difficulty hard (rating 3.41)", or "difficulty unfinished (several answers, or beyond the
// deepest trial)": how the text lines name a puzzle's difficulty.
std::string difficultyText(const api::Difficulty& difficulty);

// The difficulty as JSON:
//   {"name": "hard", "rank": 3, "rating": 3.41, "techniques": {"zero": 2, ...}}
// with the techniques the ladder used, in the ladder's order, and, for an unfinished one, rank
// and rating null and "reason" saying why it stops.
nlohmann::ordered_json difficultyJson(const api::Difficulty& difficulty);

}  // namespace varnel
