#include "textio/side_names.h"

#include <cctype>
#include <charconv>

#include "solver/side_grid.h"

namespace varnel {

namespace {

const char* const SIDE_WORDS[4] = {"top", "right", "bottom", "left"};
// Corners in the order of the points of a cell from its top-left point, clockwise.
const char* const CORNER_WORDS[4] = {"top-left", "top-right", "bottom-right", "bottom-left"};

std::string lowered(std::string_view text) {
    std::string out(text);
    for (char& c : out)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return out;
}

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

// Reads the decimal number at text[at...], at least 1; advances at.
bool readNumber(std::string_view text, size_t& at, int64_t& value) {
    const char* begin = text.data() + at;
    const char* end = text.data() + text.size();
    if (begin == end || !std::isdigit(static_cast<unsigned char>(*begin))) return false;
    const auto result = std::from_chars(begin, end, value);
    if (result.ec != std::errc()) value = INT64_MAX;
    at = static_cast<size_t>(result.ptr - text.data());
    return true;
}

}  // namespace

std::string cellName(int32_t x, int32_t y) {
    // Appended piece by piece: GCC 12 warns falsely (-Wrestrict) about "r" + std::string.
    std::string name = "r";
    name += std::to_string(y + 1);
    name += 'c';
    name += std::to_string(x + 1);
    return name;
}

std::string sideName(int32_t width, int32_t height, int32_t side) {
    const SidePlace place = sidePlace(width, height, side);
    if (place.horizontal) {
        if (place.y < height) return cellName(place.x, place.y) + " top";
        return cellName(place.x, height - 1) + " bottom";
    }
    if (place.x < width) return cellName(place.x, place.y) + " left";
    return cellName(width - 1, place.y) + " right";
}

std::string sideNameFrom(int32_t width, int32_t height, int32_t side, int32_t x, int32_t y) {
    for (int d = 0; d < 4; ++d) {
        if (cellSide(width, height, x, y, static_cast<Direction>(d)) == side)
            return cellName(x, y) + " " + SIDE_WORDS[d];
    }
    return sideName(width, height, side);
}

std::string pointName(int32_t width, int32_t height, int32_t px, int32_t py) {
    const bool right = px == width;
    const bool bottom = py == height;
    const int32_t x = right ? width - 1 : px;
    const int32_t y = bottom ? height - 1 : py;
    const int corner = bottom ? (right ? 2 : 3) : (right ? 1 : 0);
    return cellName(x, y) + " " + CORNER_WORDS[corner];
}

bool readPlaceName(std::string_view text, int32_t width, int32_t height, NamedPlace& place,
                   std::string& error) {
    const std::string name = lowered(text);
    size_t at = 0;
    int64_t row = 0;
    int64_t column = 0;
    if (name.empty() || name[at] != 'r' || !readNumber(name, ++at, row) || at >= name.size() ||
        name[at] != 'c' || !readNumber(name, ++at, column)) {
        error =
            "expected a cell such as r3c5, a side such as r3c5 top or a point such as r3c5 "
            "top-left";
        return false;
    }
    if (row < 1 || row > height) {
        error = "row " + std::to_string(row) + " is not on the board's " + std::to_string(height) +
                " rows";
        return false;
    }
    if (column < 1 || column > width) {
        error = "column " + std::to_string(column) + " is not on the board's " +
                std::to_string(width) + " columns";
        return false;
    }
    const int32_t x = static_cast<int32_t>(column - 1);
    const int32_t y = static_cast<int32_t>(row - 1);
    if (at == name.size()) {
        place = {PlaceKind::CELL, x, y, 0};
        return true;
    }
    if (!isBlank(name[at])) {
        error = "expected a space after " + cellName(x, y);
        return false;
    }
    while (at < name.size() && isBlank(name[at]))
        ++at;
    const std::string_view word = std::string_view(name).substr(at);
    for (int d = 0; d < 4; ++d) {
        if (word == SIDE_WORDS[d]) {
            place = {PlaceKind::SIDE, x, y,
                     cellSide(width, height, x, y, static_cast<Direction>(d))};
            return true;
        }
        if (word == CORNER_WORDS[d]) {
            // Corner d of cell (x, y) is the point at these offsets from its top-left point.
            const int32_t dx = (d == 1 || d == 2) ? 1 : 0;
            const int32_t dy = (d == 2 || d == 3) ? 1 : 0;
            place = {PlaceKind::POINT, x + dx, y + dy, 0};
            return true;
        }
    }
    error =
        "expected top, right, bottom or left for a side, or top-left, top-right, "
        "bottom-right or bottom-left for a point, after " +
        cellName(x, y);
    return false;
}

}  // namespace varnel
