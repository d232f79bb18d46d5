#include "textio/problem_reader.h"

#include <cstdio>
#include <limits>

namespace varnel {

namespace {

constexpr int64_t INT32_LIMIT = std::numeric_limits<int32_t>::max();

bool isWhiteSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

bool onlyWhiteSpace(std::string_view text) {
    for (const char c : text) {
        if (!isWhiteSpace(c)) return false;
    }
    return true;
}

bool isClueDigit(char c) {
    return c >= '0' && c <= '3';
}

// Grid form: every line with at least one cell is a row; '#' swallows the rest of its line,
// newline included, so a comment never ends a row. Cells are stored as they arrive, so the grid
// never outgrows the text.
ReadOutcome readGridForm(std::string_view text, const ProblemHandler& onProblem) {
    ClueGrid cells;
    int64_t width = 0;     // cells of the first row; 0 until a row is complete
    int64_t rows = 0;      // complete rows so far
    int64_t rowCells = 0;  // cells of the row in progress
    bool inComment = false;

    // Ends the row in progress; false when its length differs from the first row's.
    auto closeRow = [&]() {
        if (rowCells == 0) return true;
        if (rows == 0) width = rowCells;
        if (rowCells != width) return false;
        ++rows;
        rowCells = 0;
        return true;
    };

    for (const char c : text) {
        if (inComment) {
            inComment = c != '\n';
            continue;
        }
        if (c == '#') {
            inComment = true;
        } else if (c == '\n') {
            if (!closeRow()) return ReadOutcome::INVALID_GRID;
        } else if (c == '.') {
            cells.push_back(NO_CLUE);
            ++rowCells;
        } else if (isClueDigit(c)) {
            cells.push_back(static_cast<uint8_t>(c - '0'));
            ++rowCells;
        }
    }
    if (!closeRow() || rows == 0) return ReadOutcome::INVALID_GRID;
    // Only a text of more than 2^31 bytes can hold a row or a column this long; no handler
    // could take its size.
    if (width > INT32_LIMIT || rows > INT32_LIMIT) return ReadOutcome::INVALID_GRID;

    onProblem(cells, static_cast<int32_t>(width), static_cast<int32_t>(rows));
    return ReadOutcome::COMPLETE;
}

// The header of one compact problem, read from pos on.
struct CompactHeader {
    int32_t difficulty = 0;  // D, the first non-zero number; unused by the reader
    int32_t height = 0;      // H, the next non-zero number
    int32_t width = 0;       // W, the number after H, whatever its value
};

// Reads "D/H/W/" from pos, across line ends if need be; tokens of value 0 before D or H are
// passed over. False when the text ends before W's '/'.
bool readCompactHeader(std::string_view text, size_t& pos, CompactHeader& header) {
    int numbersFound = 0;
    while (numbersFound < 3) {
        const size_t slash = text.find('/', pos);
        if (slash == std::string_view::npos) {
            pos = text.size();
            return false;
        }
        const int32_t value = headerNumber(text.substr(pos, slash - pos));
        pos = slash + 1;
        if (numbersFound == 0 && value != 0) {
            header.difficulty = value;
            numbersFound = 1;
        } else if (numbersFound == 1 && value != 0) {
            header.height = value;
            numbersFound = 2;
        } else if (numbersFound == 2) {
            header.width = value;
            numbersFound = 3;
        }
    }
    return true;
}

// Reads the body of one compact problem from pos and returns its complete row count. A '/'
// after a row of another length than W ends the problem and is left unread; a newline ends it
// and is consumed. Only the first W x H cells are kept, so cells never outgrow the text.
int64_t readCompactBody(std::string_view text, size_t& pos, int32_t width, int32_t height,
                        ClueGrid& cells) {
    const size_t wanted = static_cast<size_t>(width) * static_cast<size_t>(height);
    int64_t rows = 0;
    int64_t rowCells = 0;
    cells.clear();
    while (pos < text.size()) {
        const char c = text[pos];
        if (c == '\n') {
            ++pos;
            break;
        }
        if (c == '/') {
            if (rowCells != width) break;
            ++rows;
            rowCells = 0;
        } else if (c == '.' || isClueDigit(c)) {
            if (cells.size() < wanted) {
                cells.push_back(c == '.' ? NO_CLUE : static_cast<uint8_t>(c - '0'));
            }
            ++rowCells;
        }
        ++pos;
    }
    return rows;
}

// Compact form: problems one after another until the text is used up or one is not accepted.
ReadOutcome readCompactForm(std::string_view text, const ProblemHandler& onProblem) {
    ClueGrid cells;
    size_t pos = 0;
    while (pos < text.size()) {
        const size_t start = pos;
        CompactHeader header;
        bool accepted = readCompactHeader(text, pos, header);
        accepted = accepted && header.width > 0 && header.height > 0;
        accepted = accepted &&
                   readCompactBody(text, pos, header.width, header.height, cells) == header.height;
        if (!accepted) {
            // A file that merely ends in blank lines stops here silently; anything else was a
            // problem that could not be read.
            return onlyWhiteSpace(text.substr(start)) ? ReadOutcome::COMPLETE
                                                      : ReadOutcome::STOPPED_EARLY;
        }
        onProblem(cells, header.width, header.height);
    }
    return ReadOutcome::COMPLETE;
}

}  // namespace

TextForm detectForm(std::string_view text) {
    if (text.size() >= 2 && text[0] >= '1' && text[0] <= '5' && text[1] == '/') {
        return TextForm::COMPACT;
    }
    return TextForm::GRID;
}

int32_t headerNumber(std::string_view token) {
    size_t i = 0;
    while (i < token.size() && isWhiteSpace(token[i]))
        ++i;
    bool negative = false;
    if (i < token.size() && (token[i] == '+' || token[i] == '-')) {
        negative = token[i] == '-';
        ++i;
    }
    // Accumulate the magnitude up to one past the limit on the side of the sign, then stop
    // growing: the remaining digits cannot bring it back.
    const int64_t limit = negative ? INT32_LIMIT + 1 : INT32_LIMIT;
    int64_t magnitude = 0;
    for (; i < token.size() && token[i] >= '0' && token[i] <= '9'; ++i) {
        magnitude = magnitude * 10 + (token[i] - '0');
        if (magnitude > limit) magnitude = limit;
    }
    return static_cast<int32_t>(negative ? -magnitude : magnitude);
}

ReadOutcome readProblems(std::string_view text, const ProblemHandler& onProblem) {
    if (detectForm(text) == TextForm::COMPACT) return readCompactForm(text, onProblem);
    return readGridForm(text, onProblem);
}

bool loadTextFile(const char* path, std::string& text) {
    std::FILE* file = std::fopen(path, "rb");
    if (file == nullptr) return false;
    // Read in blocks to the end rather than trusting a size query: a directory opens but fails
    // its first read, and pipes have no size.
    text.clear();
    char block[65536];
    size_t got = 0;
    while ((got = std::fread(block, 1, sizeof block, file)) > 0)
        text.append(block, got);
    const bool readFailed = std::ferror(file) != 0;
    std::fclose(file);
    return !readFailed;
}

}  // namespace varnel
