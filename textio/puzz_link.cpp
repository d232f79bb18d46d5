#include "textio/puzz_link.h"

#include <cassert>

namespace varnel {

namespace {

constexpr std::string_view PUZZLE_NAME = "slither/";
constexpr int32_t LONGEST_BLANK_RUN = 20;  // 'z'
constexpr uint8_t LARGEST_CODE_CLUE = 4;   // the code holds clues 0-4; the solver's end at 3

// What one body character stands for.
struct BodyCode {
    bool valid = false;
    bool clue = false;    // a clue, hidden or not, at the current cell
    bool hidden = false;  // '.': a clue whose number is not shown
    uint8_t value = 0;    // the clue, 0-4
    int32_t cells = 0;    // cells the character covers, the clue's own cell included
};

BodyCode bodyCode(char c) {
    if (c >= '0' && c <= '4') return {true, true, false, static_cast<uint8_t>(c - '0'), 1};
    if (c >= '5' && c <= '9') return {true, true, false, static_cast<uint8_t>(c - '5'), 2};
    if (c >= 'a' && c <= 'e') return {true, true, false, static_cast<uint8_t>(c - 'a'), 3};
    if (c == '.') return {true, true, true, 0, 1};
    if (c >= 'g' && c <= 'z') return {true, false, false, 0, c - 'f'};
    return {};
}

// Checks the address before '?': any printable characters without spaces.
bool checkAddress(std::string_view text, size_t question, std::vector<LineIssue>& issues) {
    for (size_t i = 0; i < question; ++i) {
        const auto byte = static_cast<unsigned char>(text[i]);
        if (byte > ' ' && byte < 0x7F) continue;
        addIssue(issues, i, describeByte(text[i]) + " in the URL's address");
        return false;
    }
    return true;
}

// Decodes BODY from text[pos] on into problem's grid (already blank, width x height).
bool decodeBody(std::string_view text, size_t pos, LineProblem& problem,
                std::vector<LineIssue>& issues) {
    const int64_t cellCount = static_cast<int64_t>(problem.grid.size());
    int64_t cell = 0;  // next cell to fill; runs may carry it past the end
    int64_t hiddenClues = 0;
    size_t firstHidden = 0;
    for (size_t i = pos; i < text.size(); ++i) {
        const BodyCode code = bodyCode(text[i]);
        if (!code.valid) {
            addIssue(issues, i, describeByte(text[i]) + " is not part of a puzz.link body");
            return false;
        }
        if (code.clue && cell >= cellCount) {
            addIssue(
                issues, i,
                "body too long: a clue after the board's " + std::to_string(cellCount) + " cells");
            return false;
        }
        if (code.clue && !code.hidden && code.value == LARGEST_CODE_CLUE) {
            addIssue(issues, i, "clue 4: the solver's clues are 0 to 3");
            return false;
        }
        if (code.hidden) {
            if (hiddenClues++ == 0) firstHidden = i;
        } else if (code.clue) {
            problem.grid[static_cast<size_t>(cell)] = code.value;
        }
        // A run can reach past the end only by at most 20 cells per character, so the count
        // stays far from overflow for any text that fits in memory.
        cell += code.cells;
    }
    if (hiddenClues > 0) {
        std::string message = "a hidden clue ('.') read as a cell without clue";
        if (hiddenClues > 1) message += " (" + std::to_string(hiddenClues) + " in this URL)";
        addIssue(issues, firstHidden, message, true);
    }
    if (cell < cellCount) {
        addIssue(issues, text.size(),
                 "body ends after " + std::to_string(cell) + " of " + std::to_string(cellCount) +
                     " cells; the rest read as cells without clue",
                 true);
    }
    return true;
}

void appendBlankRun(int32_t run, std::string& out) {
    if (run > 0) out += static_cast<char>('f' + run);
}

}  // namespace

bool looksLikePuzzLinkUrl(std::string_view text) {
    return text.find('?') != std::string_view::npos || text.find("://") != std::string_view::npos;
}

bool decodePuzzLinkUrl(std::string_view text, LineProblem& problem,
                       std::vector<LineIssue>& issues) {
    const size_t question = text.find('?');
    if (question == std::string_view::npos) {
        addIssue(issues, text.size(),
                 "no '?' in the URL: a puzz.link URL reads ADDRESS?slither/COLUMNS/ROWS/BODY");
        return false;
    }
    if (!checkAddress(text, question, issues)) return false;
    size_t pos = question + 1;
    if (text.substr(pos, PUZZLE_NAME.size()) != PUZZLE_NAME) {
        addIssue(issues, pos, "not a loop puzzle URL: expected 'slither/' after '?'");
        return false;
    }
    pos += PUZZLE_NAME.size();

    SizeNumber columns;
    SizeNumber rows;
    if (!readSizeNumber(text, pos, "the number of columns", columns, issues)) return false;
    if (pos >= text.size() || text[pos] != '/') {
        reportExpected(text, pos, "'/' after the number of columns", issues);
        return false;
    }
    ++pos;
    if (!readSizeNumber(text, pos, "the number of rows", rows, issues)) return false;
    if (!checkBoardFits(columns, rows, columns.offset, issues)) return false;
    if (pos < text.size() && text[pos] != '/') {
        reportExpected(text, pos, "'/' after the number of rows", issues);
        return false;
    }
    if (pos + 1 >= text.size()) {
        addIssue(issues, text.size(), "the URL has no body after COLUMNS/ROWS/");
        return false;
    }

    problem.width = static_cast<int32_t>(columns.value);
    problem.height = static_cast<int32_t>(rows.value);
    problem.level = 0;
    problem.grid.assign(static_cast<size_t>(problem.width) * static_cast<size_t>(problem.height),
                        NO_CLUE);
    return decodeBody(text, pos + 1, problem, issues);
}

void appendPuzzLinkBody(const ClueGrid& grid, int32_t width, int32_t height, std::string& out) {
    const size_t cellCount = static_cast<size_t>(width) * static_cast<size_t>(height);
    assert(grid.size() == cellCount);
    auto holdsClue = [&](size_t cell) { return cell < cellCount && grid[cell] != NO_CLUE; };
    int32_t blankRun = 0;
    size_t cell = 0;
    while (cell < cellCount) {
        if (!holdsClue(cell)) {
            ++cell;
            if (++blankRun == LONGEST_BLANK_RUN) {
                appendBlankRun(blankRun, out);
                blankRun = 0;
            }
            continue;
        }
        appendBlankRun(blankRun, out);
        blankRun = 0;
        const uint8_t clue = grid[cell];
        if (holdsClue(cell + 1)) {
            out += static_cast<char>('0' + clue);
            cell += 1;
        } else if (holdsClue(cell + 2)) {
            out += static_cast<char>('5' + clue);
            cell += 2;
        } else {
            out += static_cast<char>('a' + clue);
            cell += 3;
        }
    }
    appendBlankRun(blankRun, out);
}

void appendPuzzLinkUrl(const ClueGrid& grid, int32_t width, int32_t height, std::string& out) {
    out += "https://puzz.link/p?slither/";
    out += std::to_string(width) + '/' + std::to_string(height) + '/';
    appendPuzzLinkBody(grid, width, height, out);
}

}  // namespace varnel
