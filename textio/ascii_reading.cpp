#include "textio/ascii_reading.h"

#include "textio/line_problem.h"
#include "textio/side_names.h"
#include "textio/text_lines.h"

namespace varnel {

namespace {

// How the text's bytes at a place are named in messages: "'-x-'", control bytes as '?'.
std::string quoted(std::string_view bytes) {
    std::string text = "'";
    text += printableText(std::string(bytes));
    text += '\'';
    return text;
}

// Reads line y of grid points (above row y; y = H below the last row). False, reported, at the
// first fault.
bool readPointLine(const TextLine& line, int32_t y, DrawnBoard& board, ErrorList& errors) {
    const int32_t width = board.width;
    const std::string_view text = trimmedEnd(line.text);
    const size_t length = static_cast<size_t>(width) * 4 + 1;
    if (text.empty()) {
        errors.add(line.number, 1,
                   "expected a line of grid points ('+' every 4 columns), found a blank line");
        return false;
    }
    for (size_t i = 0; i < text.size() && i < length; i += 4) {
        if (text[i] != '+') {
            errors.add(line.number, static_cast<int64_t>(i) + 1,
                       "expected '+' (a grid point), found " + describeByte(text[i]));
            return false;
        }
        if (i + 1 >= length) break;
        // A side needs its three bytes and the next point; a line that stops short is
        // reported below.
        if (text.size() < i + 5) break;
        const int32_t x = static_cast<int32_t>(i / 4);
        const int32_t side = horizontalSide(width, x, y);
        const std::string_view place = text.substr(i + 1, 3);
        SideState state = SideState::OPEN;
        if (place == "---" || place == "===") {
            state = SideState::ON;
        } else if (place == " x " || place == " X ") {
            state = SideState::OFF;
        } else if (place != "   ") {
            errors.add(line.number, static_cast<int64_t>(i) + 2,
                       std::string("expected '---' (a line), ' x ' (a cross) or three spaces "
                                   "for the side ") +
                           sideName(width, board.height, side) + ", found " + quoted(place));
            return false;
        }
        board.sides[side] = state;
    }
    if (text.size() < length) {
        errors.add(line.number, static_cast<int64_t>(text.size()) + 1,
                   "the line of grid points ends after " + std::to_string(text.size()) +
                       " columns; the drawing is " + std::to_string(width) + " cells, " +
                       std::to_string(length) + " columns wide");
        return false;
    }
    if (text.size() > length) {
        errors.add(line.number, static_cast<int64_t>(length) + 1,
                   "expected the end of the line (the drawing is " + std::to_string(width) +
                       " cells wide), found " + describeByte(text[length]));
        return false;
    }
    return true;
}

// Reads line of cells y (row y). Missing bytes at its end read as spaces.
bool readCellLine(const TextLine& line, int32_t y, DrawnBoard& board, ErrorList& errors) {
    const int32_t width = board.width;
    const int32_t height = board.height;
    const std::string_view text = trimmedEnd(line.text);
    const size_t length = static_cast<size_t>(width) * 4 + 1;
    if (text.size() > length) {
        errors.add(line.number, static_cast<int64_t>(length) + 1,
                   "expected the end of the line (the drawing is " + std::to_string(width) +
                       " cells wide), found " + describeByte(text[length]));
        return false;
    }
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        const int64_t column = static_cast<int64_t>(i) + 1;
        const int32_t x = static_cast<int32_t>(i / 4);
        if (i % 4 == 0) {
            const int32_t side = verticalSide(width, height, x, y);
            if (c == '|' || c == '#') {
                board.sides[side] = SideState::ON;
            } else if (c == 'x' || c == 'X') {
                board.sides[side] = SideState::OFF;
            } else if (c != ' ') {
                errors.add(line.number, column,
                           "expected '|' (a line), 'x' (a cross) or a space for the side " +
                               sideName(width, height, side) + ", found " + describeByte(c));
                return false;
            }
        } else if (i % 4 == 2) {
            if (c >= '0' && c <= '3') {
                board.grid[static_cast<size_t>(y) * width + x] = static_cast<uint8_t>(c - '0');
            } else if (c >= '4' && c <= '9') {
                errors.add(line.number, column,
                           std::string("'") + c + "' in " + cellName(x, y) +
                               " is not a clue (clues are 0 to 3)");
                return false;
            } else if (c != ' ') {
                errors.add(line.number, column,
                           "expected a clue 0 to 3 or a space in " + cellName(x, y) + ", found " +
                               describeByte(c));
                return false;
            }
        } else if (c != ' ') {
            errors.add(line.number, column,
                       "expected a space beside the clue of " + cellName(x, y) + ", found " +
                           describeByte(c));
            return false;
        }
    }
    return true;
}

// The width from the first line of grid points: '+' at its start and end, 4 columns apart.
bool readWidth(const TextLine& line, int64_t& width, ErrorList& errors) {
    const std::string_view text = trimmedEnd(line.text);
    if (text[0] != '+') {
        errors.add(
            line.number, 1,
            "expected '+', the top-left grid point of a drawing, found " + describeByte(text[0]));
        return false;
    }
    if (text.size() < 5 || text.size() % 4 != 1 || text.back() != '+') {
        errors.add(line.number, static_cast<int64_t>(text.size()) + 1,
                   "the first line of grid points ends inside a side: a drawing W cells wide "
                   "has lines of 4W + 1 columns, '+' every 4 columns");
        return false;
    }
    width = static_cast<int64_t>(text.size() / 4);
    return true;
}

}  // namespace

bool readAsciiDrawing(std::string_view text, const std::string& source, DrawnBoard& board,
                      std::vector<InputDiagnostic>& diagnostics) {
    ErrorList errors{source, diagnostics};
    const std::vector<TextLine> lines = splitLines(text);
    const auto [first, end] = nonBlankSpan(lines);
    if (first == end) {
        errors.add(1, 1, "no drawing in this input");
        return false;
    }
    board = DrawnBoard{};
    board.firstLine = lines[first].number;
    int64_t width = 0;
    if (!readWidth(lines[first], width, errors)) return false;
    const size_t count = end - first;
    if (count % 2 == 0) {
        errors.add(lines[end - 1].number + 1, 1,
                   "the drawing ends with a line of cells; expected a last line of grid points");
        return false;
    }
    const int64_t height = static_cast<int64_t>(count / 2);
    if (!fitsSolverLabels(width, height)) {
        errors.add(lines[first].number, 1,
                   overLabelLimitMessage(std::to_string(width), std::to_string(height)));
        return false;
    }
    board.width = static_cast<int32_t>(width);
    board.height = static_cast<int32_t>(height);
    board.grid.assign(static_cast<size_t>(board.width) * board.height, NO_CLUE);
    board.sides.assign(static_cast<size_t>(sideCount(board.width, board.height)), SideState::OPEN);
    for (size_t i = 0; i < count; ++i) {
        const int32_t y = static_cast<int32_t>(i / 2);
        const TextLine& line = lines[first + i];
        if (i % 2 == 0) {
            readPointLine(line, y, board, errors);
        } else {
            readCellLine(line, y, board, errors);
        }
    }
    return !errors.any();
}

}  // namespace varnel
