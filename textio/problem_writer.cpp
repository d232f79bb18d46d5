#include "textio/problem_writer.h"

#include <cassert>

namespace varnel {

void appendProblemLine(int32_t score, const uint8_t* grid, int32_t width, int32_t height,
                       std::string& out) {
    const int32_t difficulty = score / 10 + 1;
    // Height before width, as the reader expects them.
    out += std::to_string(difficulty) + '/' + std::to_string(height) + '/' + std::to_string(width) +
           '/';
    for (int32_t y = 0; y < height; ++y) {
        const uint8_t* row = grid + static_cast<size_t>(y) * static_cast<size_t>(width);
        for (int32_t x = 0; x < width; ++x) {
            if (row[x] == NO_CLUE) {
                out += '.';
            } else {
                out += std::to_string(row[x]);
            }
        }
        out += '/';
    }
    out += '\n';
}

bool writeProblemLine(std::FILE* file, int32_t score, const uint8_t* grid, int32_t width,
                      int32_t height) {
    std::string line;
    appendProblemLine(score, grid, width, height, line);
    const size_t written = std::fwrite(line.data(), 1, line.size(), file);
    return written == line.size() && std::ferror(file) == 0;
}

void appendCompactLine(int32_t level, const ClueGrid& grid, int32_t width, int32_t height,
                       std::string& out) {
    assert(level >= 1 && level <= 5);
    assert(grid.size() == static_cast<size_t>(width) * static_cast<size_t>(height));
    // The lowest score of the level: score / 10 + 1 gives the level back.
    appendProblemLine((level - 1) * 10, grid.data(), width, height, out);
}

void appendGridRows(const ClueGrid& grid, int32_t width, int32_t height, std::string& out) {
    assert(grid.size() == static_cast<size_t>(width) * static_cast<size_t>(height));
    size_t cell = 0;
    for (int32_t y = 0; y < height; ++y) {
        for (int32_t x = 0; x < width; ++x, ++cell)
            out += grid[cell] == NO_CLUE ? '.' : static_cast<char>('0' + grid[cell]);
        out += '\n';
    }
}

}  // namespace varnel
