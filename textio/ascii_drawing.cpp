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
// between rows y - 1 and y.
void appendPointLine(const uint8_t* inside, int32_t width, int32_t height, int32_t y,
                     std::string& out) {
    for (int32_t x = 0; x < width; ++x) {
        const bool onLoop =
            insideAt(inside, width, height, x, y - 1) != insideAt(inside, width, height, x, y);
        out += onLoop ? "+---" : "+   ";
    }
    out += "+\n";
}

// The line of row y's cells with the vertical sides between them.
void appendCellLine(const uint8_t* grid, const uint8_t* inside, int32_t width, int32_t height,
                    int32_t y, std::string& out) {
    for (int32_t x = 0; x <= width; ++x) {
        const bool onLoop =
            insideAt(inside, width, height, x - 1, y) != insideAt(inside, width, height, x, y);
        out += onLoop ? '|' : ' ';
        if (x == width) break;
        const uint8_t clue = grid[static_cast<size_t>(y) * width + x];
        out += ' ';
        out += clue <= 3 ? static_cast<char>('0' + clue) : ' ';
        out += ' ';
    }
    out += '\n';
}

}  // namespace

void appendAsciiDrawing(const uint8_t* grid, int32_t width, int32_t height, const uint8_t* inside,
                        std::string& out) {
    if (width <= 0 || height <= 0) return;
    const size_t lineBytes = static_cast<size_t>(width) * 4 + 2;
    out.reserve(out.size() + lineBytes * (static_cast<size_t>(height) * 2 + 1));
    for (int32_t y = 0; y < height; ++y) {
        appendPointLine(inside, width, height, y, out);
        appendCellLine(grid, inside, width, height, y, out);
    }
    appendPointLine(inside, width, height, height, out);
}

}  // namespace varnel
