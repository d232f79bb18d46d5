// Inside and outside, told: cells known on the same side of the loop or on different sides, and
// what follows for the sides between them, for the clues beside them and for whole regions.

#include <algorithm>

#include "explain/place_words.h"
#include "explain/stories.h"
#include "ladder/pencil_state.h"

namespace varnel {

namespace {

// The corner of cell whose two sides lead to cells a and b, or -1.
int cornerBetween(const BoardLayout& l, int32_t cell, int32_t a, int32_t b) {
    for (int k = 0; k < 4; ++k) {
        const auto& pair = l.cornerSides(cell, k);
        const int32_t x = cellAcross(l, pair[0], cell);
        const int32_t y = cellAcross(l, pair[1], cell);
        if ((x == a && y == b) || (x == b && y == a)) return k;
    }
    return -1;
}

// "r2c5 and r3c4 are on different sides of the loop", "r1c1 and the outside beyond the board
// are on the same side of the loop".
std::string acrossWords(const BoardLayout& l, int32_t a, int32_t b, bool different) {
    if (a == l.outside) std::swap(a, b);
    const std::string other = b == l.outside ? "the outside beyond the board" : cellWord(l, b);
    return cellWord(l, a) + " and " + other +
           (different ? " are on different sides of the loop"
                      : " are on the same side of the loop");
}

// Where a cell is known to be, as said before a decision: "r3c5 is inside the loop".
std::string placeWords(const StoryContext& c, int32_t cell) {
    const int place = c.before.placeOf(cell);
    if (place < 0) return "";
    return cellWord(c.layout, cell) + (place == 1 ? " is inside the loop" : " is outside the loop");
}

}  // namespace

std::string tellCornerColours(const StoryContext& c) {
    const BoardLayout& l = c.layout;
    const int32_t cell = c.step.cells.empty() ? 0 : c.step.cells[0];
    if (!c.step.relations.empty()) {
        // The corner's count says how the cells across its two sides lie.
        const RelationNote& note = c.step.relations[0];
        const int corner = cornerBetween(l, cell, note.a, note.b);
        if (corner >= 0) {
            return sentence(cornerPhrase(l, cell, corner, -1) + " holds " +
                                countsWords(c.before.pairMask(cell, corner)) +
                                ", and each of its two sides is a line exactly where the cells "
                                "beside it differ",
                            c, -1);
        }
    }
    if (!c.step.pairs.empty()) {
        // How the cells across the corner's sides lie says what the corner holds.
        const PairNote& note = c.step.pairs[0];
        const auto& pair = l.cornerSides(note.cell, note.corner);
        const int32_t a = cellAcross(l, pair[0], note.cell);
        const int32_t b = cellAcross(l, pair[1], note.cell);
        const int relation = c.before.relation(a, b);
        if (relation >= 0) {
            return sentence("across the two sides of " +
                                cornerPhrase(l, note.cell, note.corner, -1) + ", " +
                                acrossWords(l, a, b, relation == 1),
                            c, -1);
        }
    }
    return sentence(cellWord(l, cell) + "'s corners and neighbours", c, -1);
}

std::string tellInsideAndOutside(const StoryContext& c) {
    const BoardLayout& l = c.layout;
    const std::vector<int32_t>& decided = c.step.on.empty() ? c.step.off : c.step.on;
    if (decided.empty()) return plainSentence(c);
    const int32_t side = decided[0];
    const bool line = !c.step.on.empty();
    int32_t a = l.sideCells[side][0];
    int32_t b = l.sideCells[side][1];
    if (a == l.outside) std::swap(a, b);
    std::string premise;
    if (b == l.outside) {
        premise = placeWords(c, a) + ", and beyond the board is outside";
    } else if (c.before.placeOf(a) >= 0 && c.before.placeOf(b) >= 0) {
        const bool aIn = c.before.placeOf(a) == 1;
        const bool bIn = c.before.placeOf(b) == 1;
        premise = aIn == bIn ? cellWord(l, a) + " and " + cellWord(l, b) + " are both " +
                                   (aIn ? "inside" : "outside") + " the loop"
                             : placeWords(c, a) + " and " + cellWord(l, b) +
                                   (bIn ? " inside" : " outside");
    } else {
        premise = relationWords(l, a, b, line);
    }
    return premise + ", so the side between them, " + sideWord(l, side) + ", " +
           (line ? "is a line" : "is crossed");
}

std::string tellClueColours(const StoryContext& c) {
    const BoardLayout& l = c.layout;
    const int32_t cell = c.step.cells.empty() ? 0 : c.step.cells[0];
    // The cells across the clue's open sides, and what was known of how they lie.
    std::vector<int32_t> nodes;
    for (const int32_t s : l.cellSides[cell]) {
        if (c.before.sides[s] == SideState::OPEN) nodes.push_back(cellAcross(l, s, cell));
    }
    std::vector<std::string> known;
    for (size_t i = 0; i < nodes.size(); ++i) {
        for (size_t j = i + 1; j < nodes.size(); ++j) {
            if (nodes[i] == nodes[j]) continue;
            const int relation = c.before.relation(nodes[i], nodes[j]);
            if (relation >= 0) known.push_back(relationWords(l, nodes[i], nodes[j], relation == 1));
        }
    }
    std::vector<int32_t> open;
    for (const int32_t s : l.cellSides[cell]) {
        if (c.before.sides[s] == SideState::OPEN) open.push_back(s);
    }
    const size_t need = static_cast<size_t>(std::max(0, l.clue[cell] - c.before.linesOf(cell)));
    std::string premise = cellWord(l, cell) + " is " + clueWord(l, cell) + " needing " +
                          counted(need, "more line") + " among its " +
                          ownSidesPhrase(l, cell, open) +
                          ", each a line where the cell across is on the other side of the loop";
    if (!known.empty()) premise += ", and across its open sides " + joinedList(known);
    if (!c.step.decidesSomething() && c.step.relations.empty()) {
        return premise + ": no way is left to meet it";
    }
    return sentence(premise, c, cell);
}

std::string tellSingleWayOut(const StoryContext& c) {
    const BoardLayout& l = c.layout;
    if (c.step.cells.empty()) return plainSentence(c);
    const bool inside = c.before.placeOf(c.step.cells[0]) == 1;
    std::vector<std::string> members;
    for (const int32_t cell : c.step.cells)
        members.push_back(cellWord(l, cell));
    std::string premise = std::string(inside ? "the inside" : "the outside") +
                          (members.size() == 1 ? " cell " : " cells ") + shortList(members, 4);
    if (members.size() > 1) premise += ", joined by crosses,";
    premise += inside ? " must reach the other inside cells" : " must reach the board's edge";
    if (c.step.off.empty()) return premise + ", and no way out is left";
    return premise + ", and " + sideWord(l, c.step.off[0]) + " is their only way out, so it is " +
           "crossed";
}

}  // namespace varnel
