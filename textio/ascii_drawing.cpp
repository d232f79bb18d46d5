#include "textio/ascii_drawing.h"

#include <cstddef>

namespace varnel {

namespace {

// Cell (x, y) is inside the loop; cells beyond the grid and every cell without an answer are
// outside.
bool insideAt(const uint8_t* inside, int32_t width, int32_t height, int32_t x, int32_t y) {
    if (inside == nullptr || x < 0 || y < 0 || x >= width || y >= height) return false;
    return inside[static_cast<size_t>(y) * width + x] != 0;
}

// No side is marked.
bool unmarked(int32_t /*side*/) {
    return false;
}

// The line of grid points above row y (y = H for the bottom line), with the horizontal sides
// between rows y - 1 and y; stateOf(side) gives each side's state, marked(side) whether it is
// marked.
template <typename StateOf, typename Marked>
void appendPointLine(int32_t width, int32_t y, const StateOf& stateOf, const Marked& marked,
                     std::string& out) {
    for (int32_t x = 0; x < width; ++x) {
        const int32_t side = horizontalSide(width, x, y);
        switch (stateOf(side)) {
            case SideState::ON:
                out += marked(side) ? "+===" : "+---";
                break;
            case SideState::OFF:
                out += marked(side) ? "+ X " : "+ x ";
                break;
            case SideState::OPEN:
                out += "+   ";
                break;
        }
    }
    out += "+\n";
}

// The line of row y's cells with the vertical sides between them.
template <typename StateOf, typename Marked>
void appendCellLine(const uint8_t* grid, int32_t width, int32_t height, int32_t y,
                    const StateOf& stateOf, const Marked& marked, std::string& out) {
    for (int32_t x = 0; x <= width; ++x) {
        const int32_t side = verticalSide(width, height, x, y);
        switch (stateOf(side)) {
            case SideState::ON:
                out += marked(side) ? '#' : '|';
                break;
            case SideState::OFF:
                out += marked(side) ? 'X' : 'x';
                break;
            case SideState::OPEN:
                out += ' ';
                break;
        }
        if (x == width) break;
        const uint8_t clue = grid[static_cast<size_t>(y) * width + x];
        out += ' ';
        out += clue <= 3 ? static_cast<char>('0' + clue) : ' ';
        out += ' ';
    }
    out += '\n';
}

template <typename StateOf, typename Marked>
void appendBoard(const uint8_t* grid, int32_t width, int32_t height, const StateOf& stateOf,
                 const Marked& marked, std::string& out) {
    if (width <= 0 || height <= 0) return;
    const size_t lineBytes = static_cast<size_t>(width) * 4 + 2;
    out.reserve(out.size() + lineBytes * (static_cast<size_t>(height) * 2 + 1));
    for (int32_t y = 0; y < height; ++y) {
        appendPointLine(width, y, stateOf, marked, out);
        appendCellLine(grid, width, height, y, stateOf, marked, out);
    }
    appendPointLine(width, height, stateOf, marked, out);
}

}  // namespace

void appendAsciiDrawing(const uint8_t* grid, int32_t width, int32_t height, const uint8_t* inside,
                        std::string& out) {
    // A side is on the loop where the cells beside it differ; the others are left blank, not
    // crossed, so that an answer reads as the loop alone.
    const auto stateOf = [&](int32_t side) {
        const SidePlace place = sidePlace(width, height, side);
        const bool differ = place.horizontal
                                ? insideAt(inside, width, height, place.x, place.y - 1) !=
                                      insideAt(inside, width, height, place.x, place.y)
                                : insideAt(inside, width, height, place.x - 1, place.y) !=
                                      insideAt(inside, width, height, place.x, place.y);
        return differ ? SideState::ON : SideState::OPEN;
    };
    appendBoard(grid, width, height, stateOf, unmarked, out);
}

void appendAsciiBoard(const uint8_t* grid, int32_t width, int32_t height, const SideState* sides,
                      std::string& out) {
    appendBoard(
        grid, width, height, [sides](int32_t side) { return sides[side]; }, unmarked, out);
}

void appendMarkedBoard(const uint8_t* grid, int32_t width, int32_t height, const SideState* sides,
                       const uint8_t* marked, std::string& out) {
    appendBoard(
        grid, width, height, [sides](int32_t side) { return sides[side]; },
        [marked](int32_t side) { return marked != nullptr && marked[side] != 0; }, out);
}

}  // namespace varnel
