#include "varnel/answer.h"

#include "solver/side_grid.h"
#include "textio/side_names.h"

namespace varnel::api {

namespace {

// An answer whose cells do not fill its grid has no rows or sides to show.
bool wellFormed(const Answer& answer) {
    return answer.width > 0 && answer.height > 0 &&
           answer.inside.size() ==
               static_cast<size_t>(answer.width) * static_cast<size_t>(answer.height);
}

}  // namespace

std::vector<std::string> answerRows(const Answer& answer) {
    std::vector<std::string> rows;
    if (!wellFormed(answer)) return rows;
    const size_t width = static_cast<size_t>(answer.width);
    for (size_t y = 0; y < static_cast<size_t>(answer.height); ++y) {
        std::string row(width, '.');
        for (size_t x = 0; x < width; ++x) {
            if (answer.inside[y * width + x] != 0) row[x] = '#';
        }
        rows.push_back(std::move(row));
    }
    return rows;
}

std::vector<std::string> answerSides(const Answer& answer) {
    std::vector<std::string> names;
    if (!wellFormed(answer)) return names;
    const std::vector<SideState> sides =
        sidesOfColours(answer.inside.data(), answer.width, answer.height);
    for (size_t s = 0; s < sides.size(); ++s) {
        if (sides[s] == SideState::ON) {
            names.push_back(sideName(answer.width, answer.height, static_cast<int32_t>(s)));
        }
    }
    return names;
}

}  // namespace varnel::api
