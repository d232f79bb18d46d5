#include "explain/story_parts.h"

#include <algorithm>

#include "explain/place_words.h"
#include "ladder/pencil_state.h"
#include "ladder/techniques.h"

namespace varnel {

namespace {

// Sides named in one clause before the rest are only counted.
constexpr size_t LISTED_SIDES = 6;

// "its top and left sides are lines" / "r3c4 right is crossed" for one group of sides.
// How the focus cell is named in the clauses of one sentence: by name the first time when the
// owner is NAMED, as "its" after that.
struct Naming {
    int32_t focus;
    Owner owner;
    bool named = false;

    std::string whose(const BoardLayout& l) {
        if (owner == Owner::ITS || named) return "its";
        named = true;
        return cellWord(l, focus) + "'s";
    }
};

void addSideGroup(const StoryContext& c, const std::vector<int32_t>& sides, int32_t focus,
                  Naming& naming, bool on, std::vector<std::string>& clauses) {
    const BoardLayout& l = c.layout;
    std::vector<int32_t> own;
    std::vector<int32_t> others;
    for (const int32_t s : sides) {
        (focus >= 0 && !sideOfCell(l, s, focus).empty() ? own : others).push_back(s);
    }
    const char* oneState = on ? "a line" : "crossed";
    const char* manyState = on ? "lines" : "crossed";
    if (!own.empty()) {
        clauses.push_back(naming.whose(l) + " " + ownSidesPhrase(l, focus, own) +
                          (own.size() == 1 ? " is " : " are ") +
                          (own.size() == 1 ? oneState : manyState));
    }
    if (!others.empty()) {
        clauses.push_back(shortList(sideWords(l, others), LISTED_SIDES) +
                          (others.size() == 1 ? " is " : " are ") +
                          (others.size() == 1 ? oneState : manyState));
    }
}

}  // namespace

const char* countsWords(uint8_t counts) {
    switch (counts) {
        case PAIR_NONE:
            return "no line";
        case PAIR_ONE:
            return "exactly one line";
        case PAIR_BOTH:
            return "two lines";
        case PAIR_NONE | PAIR_ONE:
            return "at most one line";
        case PAIR_ONE | PAIR_BOTH:
            return "at least one line";
        case PAIR_NONE | PAIR_BOTH:
            return "no line or two";
        case PAIR_ANY:
            return "any number of lines";
        default:
            return "no number of lines that fits";
    }
}

std::string cornerPhrase(const BoardLayout& layout, int32_t cell, int corner, int32_t focus) {
    const std::string owner = cell == focus ? "its" : cellWord(layout, cell) + "'s";
    return owner + " " + cornerWord(corner) + " corner";
}

std::string ownSidesPhrase(const BoardLayout& layout, int32_t cell,
                           const std::vector<int32_t>& sides) {
    // In the cell's own order, top, right, bottom, left, whatever order they were decided in.
    std::vector<std::string> words;
    for (const int32_t s : layout.cellSides[cell]) {
        if (std::find(sides.begin(), sides.end(), s) != sides.end()) {
            words.push_back(sideOfCell(layout, s, cell));
        }
    }
    return joinedList(words) + (words.size() == 1 ? " side" : " sides");
}

std::string relationWords(const BoardLayout& layout, int32_t a, int32_t b, bool different) {
    if (a == layout.outside) std::swap(a, b);
    if (b == layout.outside) {
        return cellWord(layout, a) + (different ? " is inside the loop" : " is outside the loop");
    }
    return cellWord(layout, a) + " and " + cellWord(layout, b) +
           (different ? " are on different sides of the loop"
                      : " are on the same side of the loop");
}

namespace {

// The decisions, naming the focus as naming says.
std::string decisionsNamed(const StoryContext& c, Naming& naming) {
    std::vector<std::string> clauses;
    addSideGroup(c, c.step.on, naming.focus, naming, true, clauses);
    addSideGroup(c, c.step.off, naming.focus, naming, false, clauses);
    return joinedList(clauses);
}

// The notes, naming the focus as naming says.
std::vector<std::string> notesNamed(const StoryContext& c, Naming& naming) {
    const BoardLayout& l = c.layout;
    std::vector<std::string> clauses;
    for (const PairNote& note : c.step.pairs) {
        // A corner whose two sides the step decided needs no word of its own.
        const auto& pair = l.cornerSides(note.cell, note.corner);
        bool decided = true;
        for (const int32_t s : pair) {
            const bool now = c.before.sides[s] != SideState::OPEN ||
                             std::find(c.step.on.begin(), c.step.on.end(), s) != c.step.on.end() ||
                             std::find(c.step.off.begin(), c.step.off.end(), s) != c.step.off.end();
            decided = decided && now;
        }
        if (decided) continue;
        const uint8_t counts =
            note.counts & c.before.pairs[static_cast<size_t>(note.cell) * 4 + note.corner];
        const std::string owner =
            note.cell == naming.focus ? naming.whose(l) : cellWord(l, note.cell) + "'s";
        clauses.push_back(owner + " " + cornerWord(note.corner) + " corner holds " +
                          countsWords(counts));
    }
    for (const RelationNote& note : c.step.relations)
        clauses.push_back(relationWords(l, note.a, note.b, note.different));
    return clauses;
}

}  // namespace

std::string decisionClause(const StoryContext& c, int32_t focus, Owner owner) {
    Naming naming{focus, owner};
    return decisionsNamed(c, naming);
}

std::vector<std::string> noteClauses(const StoryContext& c, int32_t focus, Owner owner) {
    Naming naming{focus, owner};
    return notesNamed(c, naming);
}

std::string sentence(const std::string& premise, const StoryContext& c, int32_t focus,
                     Owner owner) {
    Naming naming{focus, owner};
    std::vector<std::string> clauses = notesNamed(c, naming);
    const std::string decisions = decisionsNamed(c, naming);
    if (!decisions.empty()) clauses.push_back(decisions);
    if (clauses.empty()) return premise;
    return premise + ", so " + joinedList(clauses);
}

std::string plainSentence(const StoryContext& c) {
    const auto table = ladderTechniques();
    const bool known =
        c.step.technique >= 0 && static_cast<size_t>(c.step.technique) < table.size();
    return sentence(known ? table[c.step.technique].description : "a step", c, -1);
}

int cornerAt(const BoardLayout& layout, int32_t cell, int32_t point) {
    for (int k = 0; k < 4; ++k) {
        if (layout.cellPoints[cell][k] == point) return k;
    }
    return -1;
}

std::string beyondCornerWords(const StoryContext& c, int32_t point, int corner) {
    const BoardLayout& l = c.layout;
    std::vector<int32_t> crossed;
    int edges = 0;
    for (const int32_t s : sidesBeyondCorner(l, point, corner)) {
        if (s == l.sideCount) {
            ++edges;
        } else if (c.before.sides[s] == SideState::OFF) {
            crossed.push_back(s);
        }
    }
    std::string words;
    if (edges == 2) words = "the board's corner";
    if (edges == 1) words = "the board's edge";
    if (!crossed.empty()) {
        if (!words.empty()) words += " and ";
        words += joinedList(sideWords(l, crossed)) + " crossed";
    }
    return words;
}

uint8_t acrossClueCounts(uint8_t opposite, int32_t clue) {
    uint8_t allowed = 0;
    for (int t = 0; t <= 2; ++t) {
        const int rest = clue - t;
        if ((opposite & (1u << t)) && rest >= 0 && rest <= 2) allowed |= 1u << rest;
    }
    return allowed;
}

}  // namespace varnel
