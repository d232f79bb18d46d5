#include "companion/difficulty_report.h"

#include <cstdio>

namespace varnel {

namespace {

std::string ratingText(double rating) {
    char text[32];
    std::snprintf(text, sizeof text, "%.2f", rating);
    return text;
}

}  // namespace

std::string difficultyText(const api::Difficulty& difficulty) {
    if (!difficulty.rated) return "difficulty unfinished (" + difficulty.reason + ")";
    return "difficulty " + difficulty.name + " (rating " + ratingText(difficulty.rating) + ")";
}

nlohmann::ordered_json difficultyJson(const api::Difficulty& difficulty) {
    nlohmann::ordered_json object;
    object["name"] = difficulty.name;
    if (difficulty.rated) {
        object["rank"] = difficulty.rank;
        object["rating"] = difficulty.rating;
    } else {
        object["rank"] = nullptr;
        object["rating"] = nullptr;
    }
    nlohmann::ordered_json techniques = nlohmann::ordered_json::object();
    for (const api::TechniqueCount& t : difficulty.techniques)
        techniques[t.technique] = t.count;
    object["techniques"] = std::move(techniques);
    if (!difficulty.rated) object["reason"] = difficulty.reason;
    return object;
}

}  // namespace varnel
