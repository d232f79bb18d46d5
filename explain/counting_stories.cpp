// The easy rank's counting, told: clues that count their lines, points where lines meet, and the
// loop as a whole.

#include <algorithm>

#include "explain/place_words.h"
#include "explain/stories.h"

namespace varnel {

namespace {

std::string cellAndClue(const StoryContext& c, int32_t cell) {
    return cellWord(c.layout, cell) + " is " + clueWord(c.layout, cell);
}

// The sides of cell in the given state before the step.
std::vector<int32_t> sidesIn(const StoryContext& c, int32_t cell, SideState state) {
    std::vector<int32_t> sides;
    for (const int32_t s : c.layout.cellSides[cell]) {
        if (c.before.sides[s] == state) sides.push_back(s);
    }
    return sides;
}

// The sides at point in the given state before the step, the board's edge left out.
std::vector<int32_t> sidesAt(const StoryContext& c, int32_t point, SideState state) {
    std::vector<int32_t> sides;
    for (const int32_t s : c.layout.pointSides[point]) {
        if (s != c.layout.sideCount && c.before.sides[s] == state) sides.push_back(s);
    }
    return sides;
}

int32_t firstPoint(const StoryContext& c) {
    return c.step.points.empty() ? 0 : c.step.points[0];
}

int32_t firstCell(const StoryContext& c) {
    return c.step.cells.empty() ? 0 : c.step.cells[0];
}

}  // namespace

std::string tellZero(const StoryContext& c) {
    const int32_t cell = firstCell(c);
    return sentence(cellAndClue(c, cell), c, cell);
}

std::string tellClueComplete(const StoryContext& c) {
    const int32_t cell = firstCell(c);
    const std::vector<int32_t> lines = sidesIn(c, cell, SideState::ON);
    const std::string premise = cellAndClue(c, cell) + " with its " +
                                ownSidesPhrase(c.layout, cell, lines) +
                                (lines.size() == 1 ? " a line" : " lines") + " already";
    return sentence(premise, c, cell);
}

std::string tellClueNeedsEverySide(const StoryContext& c) {
    const BoardLayout& l = c.layout;
    const int32_t cell = firstCell(c);
    // A crossed side beside a 0 is crossed because of the 0: say so, as a player sees it.
    std::vector<std::string> zeros;
    std::vector<int32_t> crossed;
    for (const int32_t s : sidesIn(c, cell, SideState::OFF)) {
        const int32_t across = cellAcross(l, s, cell);
        if (across != l.outside && l.clue[across] == 0) {
            zeros.push_back(cellWord(l, across));
        } else {
            crossed.push_back(s);
        }
    }
    const std::vector<int32_t> lines = sidesIn(c, cell, SideState::ON);
    std::vector<std::string> reasons;
    if (!zeros.empty()) {
        reasons.push_back((zeros.size() == 1 ? "next to the 0 at " : "next to the 0s at ") +
                          joinedList(zeros));
    }
    std::vector<std::string> known;
    if (!crossed.empty()) {
        known.push_back("its " + ownSidesPhrase(l, cell, crossed) + " crossed");
    }
    if (!lines.empty()) {
        known.push_back("its " + ownSidesPhrase(l, cell, lines) +
                        (lines.size() == 1 ? " a line" : " lines"));
    }
    if (!known.empty()) reasons.push_back("with " + joinedList(known));
    return sentence(cellAndClue(c, cell) + " " + joinedList(reasons), c, cell);
}

std::string tellTwoLines(const StoryContext& c) {
    const int32_t point = firstPoint(c);
    const std::vector<int32_t> lines = sidesAt(c, point, SideState::ON);
    return sentence("two lines, " + joinedList(sideWords(c.layout, lines)) + ", meet at " +
                        pointWord(c.layout, point),
                    c, -1);
}

std::string tellDeadEnd(const StoryContext& c) {
    const int32_t point = firstPoint(c);
    return sentence(
        pointWord(c.layout, point) +
            " has no line and a single open side, where a line would have nowhere to go",
        c, -1);
}

std::string tellLineGoesOn(const StoryContext& c) {
    const int32_t point = firstPoint(c);
    const std::vector<int32_t> lines = sidesAt(c, point, SideState::ON);
    const std::string line = lines.empty() ? "a line" : "the line " + sideWord(c.layout, lines[0]);
    return sentence(
        line + " reaches " + pointWord(c.layout, point) + ", where a single side is open to go on",
        c, -1);
}

std::string tellLoopFinished(const StoryContext& c) {
    return "the loop is closed and meets every clue, so the " + counted(c.step.off.size(), "side") +
           " still open " + (c.step.off.size() == 1 ? "is" : "are") + " crossed";
}

std::string tellNoEarlyLoop(const StoryContext& c) {
    const BoardLayout& l = c.layout;
    if (c.step.off.empty() || c.step.points.size() < 2) return plainSentence(c);
    const int32_t side = c.step.off[0];
    const int32_t p = c.step.points[0];
    const int32_t q = c.step.points[1];
    int32_t length = 0;
    c.before.lineEnd(p, length);
    const int32_t others = c.before.lineTotal() - length;
    std::string leftOut;
    if (others > 0) {
        leftOut = counted(static_cast<size_t>(others), "other line") + " out";
    } else {
        // No other line: some clue would stay unmet.
        for (const int32_t cell : l.clueCells) {
            int32_t lines = c.before.linesOf(cell);
            lines += std::count(l.cellSides[cell].begin(), l.cellSides[cell].end(), side) > 0;
            if (lines != l.clue[cell]) {
                leftOut = cellWord(l, cell) + ", " + clueWord(l, cell) + ", unmet";
                break;
            }
        }
    }
    return sideWord(l, side) + " would close the line from " + pointWord(l, p) + " to " +
           pointWord(l, q) + " into a loop, leaving " + leftOut + ", so it is crossed";
}

}  // namespace varnel
