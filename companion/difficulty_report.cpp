#include "companion/difficulty_report.h"

#include <cstdio>

#include "ladder/techniques.h"

namespace varnel {

namespace {

std::string ratingText(double rating) {
    char text[32];
    std::snprintf(text, sizeof text, "%.2f", rating);
    return text;
}

}  // namespace

std::string difficultyText(const Difficulty& difficulty) {
    if (difficulty.end != DifficultyEnd::RATED) {
        return std::string("difficulty unfinished (") + unfinishedReason(difficulty.end) + ")";
    }
    return std::string("difficulty ") + difficultyName(difficulty) + " (rating " +
           ratingText(difficulty.rating) + ")";
}

nlohmann::ordered_json difficultyJson(const Difficulty& difficulty) {
    nlohmann::ordered_json object;
    object["name"] = difficultyName(difficulty);
    if (difficulty.end == DifficultyEnd::RATED) {
        object["rank"] = difficulty.rank;
        object["rating"] = difficulty.rating;
    } else {
        object["rank"] = nullptr;
        object["rating"] = nullptr;
    }
    nlohmann::ordered_json techniques = nlohmann::ordered_json::object();
    const auto table = ladderTechniques();
    for (size_t t = 0; t < table.size() && t < difficulty.counts.size(); ++t) {
        if (difficulty.counts[t] > 0) techniques[table[t].name] = difficulty.counts[t];
    }
    object["techniques"] = std::move(techniques);
    if (difficulty.end != DifficultyEnd::RATED) object["reason"] = unfinishedReason(difficulty.end);
    return object;
}

}  // namespace varnel
