#include "explain/rule_breaks.h"

#include "explain/place_words.h"
#include "explain/story_parts.h"
#include "ladder/pencil_state.h"

namespace varnel {

namespace {

struct Mood {
    const char* has;    // "has" or "would have"
    const char* is;     // "is" or "would be"
    const char* can;    // "can" or "could"
    const char* close;  // "close" or "would close"
};

constexpr Mood FACT = {"has", "is", "can", "close"};
constexpr Mood GUESS = {"would have", "would be", "could", "would close"};

// A clue with too many lines or too few left, or a corner of the cell that can hold no count.
std::string cellBreak(const BoardKnowledge& b, int32_t cell, const Mood& m) {
    const BoardLayout& l = *b.layout;
    if (l.hasClue(cell)) {
        const int32_t lines = b.linesOf(cell);
        const int32_t open = 4 - lines - b.crossesOf(cell);
        const std::string clue = cellWord(l, cell) + ", " + clueWord(l, cell) + ", ";
        if (lines > l.clue[cell]) {
            return clue + m.has + " " + counted(static_cast<size_t>(lines), "line");
        }
        if (lines + open < l.clue[cell]) {
            return clue + m.can + " no longer get " + counted(l.clue[cell], "line");
        }
    }
    for (int k = 0; k < 4; ++k) {
        if (b.pairMask(cell, k) != 0) continue;
        // What the corner's sides show against what was found of it.
        const auto& pair = l.cornerSides(cell, k);
        const uint8_t shown = sideCountsMask(b.sides[pair[0]], b.sides[pair[1]]);
        const uint8_t found = b.pairs[static_cast<size_t>(cell) * 4 + k];
        return cornerPhrase(l, cell, k, -1) + " " + m.has + " " + countsWords(shown) +
               " where it can only hold " + countsWords(found);
    }
    return "";
}

std::string pointBreak(const BoardKnowledge& b, int32_t point, const Mood& m) {
    const int32_t lines = b.linesAt(point);
    const std::string name = pointWord(*b.layout, point);
    if (lines > 2) return name + " " + m.has + " " + counted(static_cast<size_t>(lines), "line");
    if (lines == 1 && b.openAt(point) == 0) {
        return "the line " + std::string(m.is) + " a dead end at " + name;
    }
    return "";
}

// A loop closed while other lines or unmet clues remain.
std::string loopBreak(const BoardKnowledge& b, const Mood& m) {
    const BoardLayout& l = *b.layout;
    const int32_t total = b.lineTotal();
    if (total == 0) return "";
    for (int32_t s = 0; s < l.sideCount; ++s) {
        if (b.sides[s] != SideState::ON) continue;
        const int32_t start = l.sidePoints[s][0];
        // Walk the line from start along its lines; a loop comes back to start.
        int32_t at = start;
        int32_t came = -1;
        int32_t length = 0;
        bool closed = false;
        for (int32_t guard = 0; guard <= l.sideCount; ++guard) {
            int32_t next = -1;
            for (const int32_t side : l.pointSides[at]) {
                if (side != came && side != l.sideCount && b.sides[side] == SideState::ON) {
                    next = side;
                    break;
                }
            }
            if (next < 0) break;
            ++length;
            at = l.sidePoints[next][0] == at ? l.sidePoints[next][1] : l.sidePoints[next][0];
            came = next;
            if (at == start) {
                closed = true;
                break;
            }
        }
        if (!closed) continue;
        if (length < total) {
            return std::string("the lines ") + m.close + " into a loop that leaves " +
                   counted(static_cast<size_t>(total - length), "other line") + " out";
        }
        for (const int32_t cell : l.clueCells) {
            if (b.linesOf(cell) != l.clue[cell]) {
                return std::string("the lines ") + m.close + " into a loop that leaves " +
                       cellWord(l, cell) + ", " + clueWord(l, cell) + ", unmet";
            }
        }
        return "";
    }
    return "";
}

// Two cells (or a cell and the outside) that would have to be on the same side of the loop and on
// different sides.
std::string clashBreak(const BoardKnowledge& b, const Mood& m) {
    if (b.clashA < 0) return "";
    const BoardLayout& l = *b.layout;
    int32_t a = b.clashA;
    int32_t c = b.clashB;
    if (a == l.outside) std::swap(a, c);
    const std::string other = c == l.outside ? "the outside beyond the board" : cellWord(l, c);
    return cellWord(l, a) + " and " + other + " " + m.is +
           " on the same side of the loop and on different sides";
}

}  // namespace

std::string brokenRule(const BoardKnowledge& board, const std::vector<int32_t>& cells,
                       const std::vector<int32_t>& points, bool hypothetical) {
    const Mood& m = hypothetical ? GUESS : FACT;
    const BoardLayout& l = *board.layout;
    for (const int32_t cell : cells) {
        if (cell == l.outside) continue;
        if (std::string text = cellBreak(board, cell, m); !text.empty()) return text;
    }
    for (const int32_t point : points) {
        if (std::string text = pointBreak(board, point, m); !text.empty()) return text;
    }
    for (int32_t cell = 0; cell < l.cellCount; ++cell) {
        if (std::string text = cellBreak(board, cell, m); !text.empty()) return text;
    }
    for (int32_t point = 0; point < l.pointCount; ++point) {
        if (std::string text = pointBreak(board, point, m); !text.empty()) return text;
    }
    if (std::string text = loopBreak(board, m); !text.empty()) return text;
    return clashBreak(board, m);
}

}  // namespace varnel
