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

// The line of grid points above row y (y = H for the bottom line), with the horizontal sides
// between rows y - 1 and y; stateOf(side) gives each side's state.
template <typename StateOf>
void appendPointLine(int32_t width, int32_t y, const StateOf& stateOf, std::string& out) {
    for (int32_t x = 0; x < width; ++x) {
        switch (stateOf(horizontalSide(width, x, y))) {
            case SideState::ON:
                out += "+---";
                break;
            case SideState::OFF:
                out += "+ x ";
                break;
            case SideState::OPEN:
                out += "+   ";
                break;
        }
    }
    out += "+\n";
}

// The line of row y's cells with the vertical sides between them.
template <typename StateOf>
void appendCellLine(const uint8_t* grid, int32_t width, int32_t height, int32_t y,
                    const StateOf& stateOf, std::string& out) {
    for (int32_t x = 0; x <= width; ++x) {
        switch (stateOf(verticalSide(width, height, x, y))) {
            case SideState::ON:
                out += '|';
                break;
            case SideState::OFF:
                out += 'x';
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

template <typename StateOf>
void appendBoard(const uint8_t* grid, int32_t width, int32_t height, const StateOf& stateOf,
                 std::string& out) {
    if (width <= 0 || height <= 0) return;
    const size_t lineBytes = static_cast<size_t>(width) * 4 + 2;
    out.reserve(out.size() + lineBytes * (static_cast<size_t>(height) * 2 + 1));
    for (int32_t y = 0; y < height; ++y) {
        appendPointLine(width, y, stateOf, out);
        appendCellLine(grid, width, height, y, stateOf, out);
    }
    appendPointLine(width, height, stateOf, out);
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
    appendBoard(grid, width, height, stateOf, out);
}

void appendAsciiBoard(const uint8_t* grid, int32_t width, int32_t height, const SideState* sides,
                      std::string& out) {
    appendBoard(
        grid, width, height, [sides](int32_t side) { return sides[side]; }, out);
}

}  // namespace varnel
