#include "textio/answer_diagram.h"

#include <cstdio>

namespace varnel {

namespace {

// Every glyph is one full-width character, so every line of a diagram keeps its width.
constexpr const char* GRID_POINT = "・";      // U+30FB
constexpr const char* LOOP_HORIZONTAL = "━";  // U+2501
constexpr const char* LOOP_VERTICAL = "┃";    // U+2503
constexpr const char* NOT_LOOP = "ｘ";        // U+FF58
constexpr const char* BLANK = "　";           // U+3000, an undecided side or a cell without clue
constexpr const char* CLUE_DIGITS[4] = {"０", "１", "２", "３"};  // U+FF10..U+FF13

// Bytes of one glyph in UTF-8; all of the glyphs above take three.
constexpr size_t GLYPH_BYTES = 3;

// The side between cells p and q (p above or left of q) lies on the loop exactly when the two
// cells have different colours.
const char* sideGlyph(const ParityUnionFind& uf, int32_t p, int32_t q, const char* onLoop) {
    if (uf.knownDifferent(p, q)) return onLoop;
    if (uf.knownSame(p, q)) return NOT_LOOP;
    return BLANK;
}

const char* cellGlyph(uint8_t clue) {
    if (clue == NO_BOARD_CLUE) return BLANK;
    return clue <= 2 ? CLUE_DIGITS[clue] : CLUE_DIGITS[3];
}

// A line of grid points with the horizontal sides between padded row r and row r + 1.
void appendSideLine(const SolverBoard& board, int32_t r, std::string& out) {
    const int32_t width = board.stride - 2;
    for (int32_t x = 0; x < width; ++x) {
        const int32_t upper = r * board.stride + x + 1;
        out += GRID_POINT;
        out += sideGlyph(board.uf, upper, upper + board.stride, LOOP_HORIZONTAL);
    }
    out += GRID_POINT;
    out += '\n';
}

// A line of the cells of problem row y with the vertical sides between them.
void appendCellLine(const SolverBoard& board, int32_t y, std::string& out) {
    const int32_t width = board.stride - 2;
    for (int32_t x = 0; x < width; ++x) {
        const int32_t c = board.cellIndex(x, y);
        out += sideGlyph(board.uf, c - 1, c, LOOP_VERTICAL);
        out += cellGlyph(board.clues[c]);
    }
    const int32_t last = board.cellIndex(width - 1, y);
    out += sideGlyph(board.uf, last, last + 1, LOOP_VERTICAL);
    out += '\n';
}

}  // namespace

void appendDiagram(const SolverBoard& board, std::string& out) {
    const int32_t width = board.stride - 2;
    const int32_t height = board.paddedHeight - 2;
    const size_t lineBytes = static_cast<size_t>(2 * width + 1) * GLYPH_BYTES + 1;
    out.reserve(out.size() + static_cast<size_t>(2 * height + 2) * lineBytes + 1);

    appendSideLine(board, 0, out);
    for (int32_t y = 0; y < height; ++y) {
        appendCellLine(board, y, out);
        appendSideLine(board, y + 1, out);
    }
    out += '\n';
}

std::string formatDiagram(const SolverBoard& board) {
    std::string out;
    appendDiagram(board, out);
    return out;
}

void printDiagram(const SolverBoard& board) {
    const std::string text = formatDiagram(board);
    std::fwrite(text.data(), 1, text.size(), stdout);
}

}  // namespace varnel
