#include "textio/game_id.h"

#include <cassert>

namespace varnel {

namespace {

constexpr int32_t LONGEST_BLANK_RUN = 26;  // 'z'

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

bool isLowerLetter(char c) {
    return c >= 'a' && c <= 'z';
}

// Reads the optional "t<type>" and "d<letter>" after the size. False on another grid type.
bool readGridTypeAndDifficulty(std::string_view text, size_t& pos, std::vector<LineIssue>& issues) {
    if (pos < text.size() && text[pos] == 't') {
        const size_t typeAt = pos++;
        const size_t digitsAt = pos;
        bool zero = true;
        while (pos < text.size() && isDigit(text[pos])) {
            zero = zero && text[pos] == '0';
            ++pos;
        }
        if (pos == digitsAt) {
            reportExpected(text, pos, "the grid type after 't'", issues);
            return false;
        }
        if (!zero) {
            addIssue(issues, typeAt,
                     "grid type " + shownNumber(text.substr(digitsAt, pos - digitsAt)) +
                         " is not the square grid (t0): only square grids can be read");
            return false;
        }
    }
    if (pos < text.size() && text[pos] == 'd') {
        ++pos;
        if (pos >= text.size() || !isLowerLetter(text[pos])) {
            reportExpected(text, pos, "a difficulty letter after 'd'", issues);
            return false;
        }
        ++pos;
    }
    return true;
}

// Decodes DESC from text[pos] on into problem's grid (already blank, width x height).
bool decodeDescription(std::string_view text, size_t pos, LineProblem& problem,
                       std::vector<LineIssue>& issues) {
    const int64_t cellCount = static_cast<int64_t>(problem.grid.size());
    int64_t cell = 0;
    for (size_t i = pos; i < text.size(); ++i) {
        const char c = text[i];
        int64_t covers = 1;
        if (isLowerLetter(c)) {
            covers = c - 'a' + 1;
        } else if (c == '4') {
            addIssue(issues, i, "clue 4: the solver's clues are 0 to 3");
            return false;
        } else if (c < '0' || c > '3') {
            addIssue(issues, i, describeByte(c) + " is not part of a game description");
            return false;
        }
        if (cell + covers > cellCount) {
            addIssue(
                issues, i,
                "description too long for the board's " + std::to_string(cellCount) + " cells");
            return false;
        }
        if (!isLowerLetter(c))
            problem.grid[static_cast<size_t>(cell)] = static_cast<uint8_t>(c - '0');
        cell += covers;
    }
    if (cell < cellCount) {
        addIssue(issues, text.size(),
                 "description ends after " + std::to_string(cell) + " of " +
                     std::to_string(cellCount) + " cells");
        return false;
    }
    return true;
}

}  // namespace

bool looksLikeGameId(std::string_view text) {
    size_t pos = !text.empty() && text[0] == '-' ? 1 : 0;
    const size_t digitsAt = pos;
    while (pos < text.size() && isDigit(text[pos]))
        ++pos;
    return pos > digitsAt && pos < text.size() && text[pos] == 'x';
}

bool decodeGameId(std::string_view text, LineProblem& problem, std::vector<LineIssue>& issues) {
    size_t pos = 0;
    SizeNumber width;
    SizeNumber height;
    if (!readSizeNumber(text, pos, "the width", width, issues)) return false;
    if (pos >= text.size() || text[pos] != 'x') {
        reportExpected(text, pos, "'x' after the width", issues);
        return false;
    }
    ++pos;
    if (!readSizeNumber(text, pos, "the height", height, issues)) return false;
    if (!checkBoardFits(width, height, 0, issues)) return false;
    if (!readGridTypeAndDifficulty(text, pos, issues)) return false;
    if (pos < text.size() && text[pos] == '#') {
        addIssue(issues, pos,
                 "a random-seed ID ('#') holds no clues: give the game ID, the one with ':'");
        return false;
    }
    if (pos >= text.size() || text[pos] != ':') {
        reportExpected(text, pos, "':' and the description after the parameters", issues);
        return false;
    }
    ++pos;
    if (pos >= text.size()) {
        addIssue(issues, pos, "no description after ':'");
        return false;
    }

    problem.width = static_cast<int32_t>(width.value);
    problem.height = static_cast<int32_t>(height.value);
    problem.level = 0;
    problem.grid.assign(static_cast<size_t>(problem.width) * static_cast<size_t>(problem.height),
                        NO_CLUE);
    return decodeDescription(text, pos, problem, issues);
}

void appendGameId(const ClueGrid& grid, int32_t width, int32_t height, std::string& out) {
    assert(grid.size() == static_cast<size_t>(width) * static_cast<size_t>(height));
    out += std::to_string(width) + 'x' + std::to_string(height) + "t0:";
    int32_t blankRun = 0;
    for (const uint8_t cell : grid) {
        if (cell == NO_CLUE) {
            if (++blankRun == LONGEST_BLANK_RUN) {
                out += 'z';
                blankRun = 0;
            }
            continue;
        }
        if (blankRun > 0) out += static_cast<char>('a' + blankRun - 1);
        blankRun = 0;
        out += static_cast<char>('0' + cell);
    }
    if (blankRun > 0) out += static_cast<char>('a' + blankRun - 1);
}

}  // namespace varnel
