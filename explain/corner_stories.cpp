// What a cell and one of its corners decide together, told: the corner's pair of sides is named
// by the cell and the corner ("r3c5's top-left corner"), and what it holds by how many lines.

#include "explain/place_words.h"
#include "explain/stories.h"
#include "ladder/pencil_state.h"

namespace varnel {

namespace {

int32_t firstCell(const StoryContext& c) {
    return c.step.cells.empty() ? 0 : c.step.cells[0];
}

// The cell a point technique is about: the one whose corner it narrowed.
int32_t notedCell(const StoryContext& c) {
    if (!c.step.pairs.empty()) return c.step.pairs[0].cell;
    return c.step.cells.empty() ? 0 : c.step.cells.back();
}

std::string cellAndClue(const StoryContext& c, int32_t cell) {
    return cellWord(c.layout, cell) + " is " + clueWord(c.layout, cell);
}

// A line from beyond the corner that reaches it, or -1.
int32_t arrivingLine(const StoryContext& c, int32_t point, int corner) {
    for (const int32_t s : sidesBeyondCorner(c.layout, point, corner)) {
        if (s != c.layout.sideCount && c.before.sides[s] == SideState::ON) return s;
    }
    return -1;
}

// "no line can leave its top-left corner (r2c5 left and r3c4 top crossed)", or "the line r2c5
// left reaches its top-left corner": what a point shows a cell's corner.
std::string pointShows(const StoryContext& c, int32_t cell, int32_t point, int corner) {
    const int32_t line = arrivingLine(c, point, corner);
    const std::string where = cornerPhrase(c.layout, cell, corner, cell);
    if (line < 0) {
        return "no line can leave " + where + " (" + beyondCornerWords(c, point, corner) + ")";
    }
    std::string text = "the line " + sideWord(c.layout, line) + " reaches " + where;
    const std::string crossed = beyondCornerWords(c, point, corner);
    if (!crossed.empty()) text += " and must turn into it (" + crossed + ")";
    return text;
}

}  // namespace

std::string tellCornerAtPoint(const StoryContext& c) {
    const int32_t cell = notedCell(c);
    const int32_t point = c.step.points.empty() ? 0 : c.step.points[0];
    const int corner = cornerAt(c.layout, cell, point);
    if (corner < 0) return sentence(cellAndClue(c, cell), c, cell);
    return sentence(cellAndClue(c, cell) + " and " + pointShows(c, cell, point, corner), c, cell);
}

std::string tellCornerDecides(const StoryContext& c) {
    const BoardLayout& l = c.layout;
    const int32_t cell = firstCell(c);
    // The corner that holds a decided side, and whose count a step noted.
    for (int k = 0; k < 4; ++k) {
        const auto& pair = l.cornerSides(cell, k);
        const uint8_t noted = c.before.pairs[static_cast<size_t>(cell) * 4 + k];
        if (noted == PAIR_ANY) continue;
        bool decidesHere = false;
        for (const int32_t s : pair) {
            for (const auto* list : {&c.step.on, &c.step.off}) {
                for (const int32_t d : *list)
                    decidesHere = decidesHere || d == s;
            }
        }
        if (!decidesHere) continue;
        std::string premise = cornerPhrase(l, cell, k, -1) + " holds " + countsWords(noted);
        for (const int32_t s : pair) {
            if (c.before.sides[s] == SideState::OPEN) continue;
            premise += " and its " + sideOfCell(l, s, cell) + " side is " +
                       (c.before.sides[s] == SideState::ON ? "a line" : "crossed");
        }
        return sentence(premise, c, cell);
    }
    return sentence(cellWord(l, cell) + "'s corners", c, cell);
}

std::string tellAcrossAClue(const StoryContext& c) {
    const BoardLayout& l = c.layout;
    const int32_t cell = firstCell(c);
    if (c.step.pairs.empty()) return sentence(cellAndClue(c, cell), c, cell);
    const int corner = c.step.pairs[0].corner;
    const int opposite = (corner + 2) % 4;
    const uint8_t there = c.before.pairMask(cell, opposite);
    const uint8_t here = c.before.pairMask(cell, corner);
    if ((here & ~acrossClueCounts(there, l.clue[cell])) != 0) {
        // The opposite corner explains it: the two make up the clue.
        return sentence(cellAndClue(c, cell) + " with " + countsWords(there) + " at its " +
                            cornerWord(opposite) + " corner",
                        c, cell);
    }
    // A 2 with none or both at a corner has one line at each corner next to it.
    for (const int next : {(corner + 1) % 4, (corner + 3) % 4}) {
        const uint8_t mask = c.before.pairMask(cell, next);
        if ((mask & PAIR_ONE) != 0) continue;
        return sentence(cellAndClue(c, cell) + " with " + countsWords(mask) + " at its " +
                            cornerWord(next) +
                            " corner: its lines are two opposite sides or the two there",
                        c, cell);
    }
    return sentence(cellAndClue(c, cell), c, cell);
}

std::string tellThreeBesideThree(const StoryContext& c) {
    const BoardLayout& l = c.layout;
    if (c.step.cells.size() < 2) return sentence("two 3s side by side", c, -1);
    return sentence(cellWord(l, c.step.cells[0]) + " and " + cellWord(l, c.step.cells[1]) +
                        " are 3s side by side",
                    c, -1);
}

std::string tellAcrossAPoint(const StoryContext& c) {
    const BoardLayout& l = c.layout;
    if (c.step.cells.size() < 2 || c.step.points.empty()) return plainSentence(c);
    const int32_t point = c.step.points[0];
    const int32_t opposite = c.step.cells[0];
    const int32_t cell = c.step.cells[1];
    const int oppositeCorner = cornerAt(l, opposite, point);
    if (oppositeCorner < 0) return plainSentence(c);
    return sentence(cornerPhrase(l, opposite, oppositeCorner, -1) + " holds " +
                        countsWords(c.before.pairMask(opposite, oppositeCorner)) +
                        ", and lines pass the point " + pointWord(l, point) +
                        " in twos or not at all",
                    c, cell, Owner::NAMED);
}

}  // namespace varnel
