#include "textio/compact_line.h"

#include <algorithm>
#include <string>

namespace varnel {

namespace {

constexpr int64_t LOWEST_LEVEL = 1;
constexpr int64_t HIGHEST_LEVEL = 5;

bool isCell(char c) {
    return c == '.' || (c >= '0' && c <= '3');
}

// The message for a character in a row that is not a cell.
std::string notACell(char c) {
    if (c >= '4' && c <= '9') return std::string("'") + c + "' is not a clue (clues are 0 to 3)";
    return describeByte(c) + " is not a cell ('.' or a clue 0 to 3)";
}

// Reads "LEVEL/" at pos; the level must be 1 to 5, as create mode writes it and as the main
// program's form detection needs it on a file's first line.
bool readLevel(std::string_view text, size_t& pos, int32_t& level, std::vector<LineIssue>& issues) {
    const size_t start = pos;
    size_t at = pos;
    if (at < text.size() && text[at] == '-') ++at;
    const size_t firstDigit = at;
    int64_t value = 0;
    for (; at < text.size() && text[at] >= '0' && text[at] <= '9'; ++at) {
        value = std::min(value * 10 + (text[at] - '0'), SIZE_VALUE_CAP);
    }
    if (at == firstDigit) {
        reportExpected(text, start,
                       "the level: a compact line starts LEVEL/ROWS/COLUMNS/ with LEVEL 1 to 5",
                       issues);
        return false;
    }
    if (at != firstDigit + 1 || value < LOWEST_LEVEL || value > HIGHEST_LEVEL ||
        firstDigit != start) {
        addIssue(issues, start,
                 "the level must be 1 to 5, not " + shownNumber(text.substr(start, at - start)));
        return false;
    }
    pos = at;
    level = static_cast<int32_t>(value);
    return true;
}

bool expectSlash(std::string_view text, size_t& pos, const char* after,
                 std::vector<LineIssue>& issues) {
    if (pos < text.size() && text[pos] == '/') {
        ++pos;
        return true;
    }
    reportExpected(text, pos, after, issues);
    return false;
}

// Reads the rows from pos to the end of text into problem's grid (already blank).
bool readRows(std::string_view text, size_t pos, LineProblem& problem,
              std::vector<LineIssue>& issues) {
    const int32_t width = problem.width;
    const int32_t height = problem.height;
    int32_t row = 0;       // complete rows so far
    int32_t rowCells = 0;  // cells of the row in progress
    for (size_t i = pos; i < text.size(); ++i) {
        const char c = text[i];
        if (row == height) {
            addIssue(issues, i,
                     "text after row " + std::to_string(height) + ", the header's last row");
            return false;
        }
        if (c == '/') {
            if (rowCells != width) {
                addIssue(issues, i,
                         "row " + std::to_string(row + 1) + " has " + std::to_string(rowCells) +
                             " cells; the header gives " + std::to_string(width));
                return false;
            }
            ++row;
            rowCells = 0;
            continue;
        }
        if (!isCell(c)) {
            addIssue(issues, i, notACell(c));
            return false;
        }
        if (rowCells == width) {
            addIssue(issues, i,
                     "row " + std::to_string(row + 1) + " has more than the header's " +
                         std::to_string(width) + " cells");
            return false;
        }
        const size_t cell = static_cast<size_t>(row) * static_cast<size_t>(width) + rowCells;
        problem.grid[cell] = c == '.' ? NO_CLUE : static_cast<uint8_t>(c - '0');
        ++rowCells;
    }
    if (row == height) return true;
    if (row == height - 1 && rowCells == width) {
        addIssue(issues, text.size(), "the last row is not closed by '/'");
    } else {
        addIssue(issues, text.size(),
                 "the line ends after " + std::to_string(row) + " of the header's " +
                     std::to_string(height) + " rows");
    }
    return false;
}

}  // namespace

bool decodeCompactLine(std::string_view text, LineProblem& problem,
                       std::vector<LineIssue>& issues) {
    size_t pos = 0;
    int32_t level = 0;
    SizeNumber rows;
    SizeNumber columns;
    if (!readLevel(text, pos, level, issues)) return false;
    if (!expectSlash(text, pos, "'/' after the level", issues)) return false;
    if (!readSizeNumber(text, pos, "the number of rows", rows, issues)) return false;
    if (!expectSlash(text, pos, "'/' after the number of rows", issues)) return false;
    if (!readSizeNumber(text, pos, "the number of columns", columns, issues)) return false;
    if (!expectSlash(text, pos, "'/' after the number of columns", issues)) return false;
    if (!checkBoardFits(columns, rows, rows.offset, issues)) return false;

    problem.width = static_cast<int32_t>(columns.value);
    problem.height = static_cast<int32_t>(rows.value);
    problem.level = level;
    problem.grid.assign(static_cast<size_t>(problem.width) * static_cast<size_t>(problem.height),
                        NO_CLUE);
    return readRows(text, pos, problem, issues);
}

}  // namespace varnel
