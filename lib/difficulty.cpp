#include "varnel/difficulty.h"

#include <charconv>

#include "ladder/difficulty.h"
#include "ladder/techniques.h"
#include "lib/records.h"

namespace varnel::api {

namespace {

// A rank by name ("hard") or number: digits only, no sign, 1 to 5 ("03" is 3); 0 when text is
// neither.
int32_t rankOf(std::string_view text) {
    const int32_t named = rankNamed(std::string(text));
    if (named != 0) return named;
    if (text.empty() || text.find_first_not_of("0123456789") != std::string_view::npos) return 0;
    uint64_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value, 10);
    if (error != std::errc() || end != text.data() + text.size()) return 0;
    return value >= RANK_EASY && value <= HIGHEST_RANK ? static_cast<int32_t>(value) : 0;
}

std::string notADifficulty(std::string_view text) {
    // Appended piece by piece to a string of its own: GCC 12 warns falsely (-Wrestrict) about
    // "'" + std::string(text), and about appending to the caller's string, once it inlines them.
    std::string message = "'";
    message += text;
    message += "' is not a difficulty: easy, medium, hard, expert or extreme (or 1 to 5)";
    return message;
}

// The rank of one end of a range; 0 with the error set when text names none.
int32_t readRank(std::string_view text, std::string& error) {
    const int32_t rank = rankOf(text);
    if (rank == 0) error = notADifficulty(text);
    return rank;
}

// readDifficulties, the ends left as read when there is an error.
DifficultyRange readRange(std::string_view text, bool rangeAllowed) {
    DifficultyRange range;
    const size_t dash = rangeAllowed ? text.find('-') : std::string_view::npos;
    if (dash == std::string_view::npos) {
        range.lowest = readRank(text, range.error);
        range.highest = range.lowest;
        return range;
    }
    range.lowest = readRank(text.substr(0, dash), range.error);
    if (!range.error.empty()) return range;
    range.highest = readRank(text.substr(dash + 1), range.error);
    if (range.error.empty() && range.lowest > range.highest) {
        range.error =
            std::string(text) + ": the first difficulty must not be harder than the second";
    }
    return range;
}

}  // namespace

Difficulty difficultyOf(const varnel::Difficulty& graded) {
    Difficulty d;
    d.rated = graded.end == DifficultyEnd::RATED;
    d.name = varnel::difficultyName(graded);
    if (d.rated) {
        d.rank = graded.rank;
        d.rating = graded.rating;
    } else {
        d.reason = unfinishedReason(graded.end);
    }
    const auto table = ladderTechniques();
    for (size_t t = 0; t < table.size() && t < graded.counts.size(); ++t) {
        if (graded.counts[t] > 0) d.techniques.push_back({table[t].name, graded.counts[t]});
    }
    return d;
}

Difficulty gradeDifficulty(const Puzzle& puzzle) {
    Difficulty result;
    result.error = puzzleError(puzzle);
    if (!result.error.empty()) return result;
    const ClueGrid grid = clueGridOf(puzzle);
    return difficultyOf(varnel::gradeDifficulty(grid.data(), puzzle.width, puzzle.height));
}

const char* difficultyName(int32_t rank) {
    return rank >= RANK_EASY && rank <= HIGHEST_RANK ? rankName(rank) : "";
}

DifficultyRange readDifficulties(std::string_view text, bool rangeAllowed) {
    DifficultyRange range = readRange(text, rangeAllowed);
    if (!range.error.empty()) range.lowest = range.highest = 0;
    return range;
}

}  // namespace varnel::api
