#include "explain/board_knowledge.h"

#include "ladder/pencil_state.h"

namespace varnel {

namespace {

// How many of the four sides are in state.
int32_t countIn(const std::vector<SideState>& sides, const std::array<int32_t, 4>& four,
                SideState state) {
    int32_t count = 0;
    for (const int32_t s : four)
        count += sides[s] == state;
    return count;
}

}  // namespace

void BoardKnowledge::start(const BoardLayout& boardLayout, const std::vector<SideState>& given) {
    layout = &boardLayout;
    const BoardLayout& l = boardLayout;
    sides.assign(static_cast<size_t>(l.sideCount) + 1, SideState::OPEN);
    sides[l.sideCount] = SideState::OFF;
    decidedBy.assign(static_cast<size_t>(l.sideCount), NO_STEP);
    // What a clue alone says of its corners, as the ladder pencils it.
    pairs.assign(static_cast<size_t>(l.cellCount) * 4, PAIR_ANY);
    for (const int32_t c : l.clueCells) {
        const uint8_t counts = clueCornerCounts(l.clue[c]);
        for (int k = 0; k < 4; ++k)
            pairs[static_cast<size_t>(c) * 4 + k] = counts;
    }
    parent.resize(static_cast<size_t>(l.cellCount) + 1);
    for (int32_t n = 0; n <= l.cellCount; ++n)
        parent[n] = n;
    parity.assign(static_cast<size_t>(l.cellCount) + 1, 0);
    clashA = -1;
    clashB = -1;
    for (size_t s = 0; s < given.size() && s < static_cast<size_t>(l.sideCount); ++s) {
        if (given[s] != SideState::OPEN) setSide(static_cast<int32_t>(s), given[s], NO_STEP);
    }
}

void BoardKnowledge::apply(const StepRecord& step, int32_t index) {
    for (const int32_t s : step.on)
        setSide(s, SideState::ON, index);
    for (const int32_t s : step.off)
        setSide(s, SideState::OFF, index);
    for (const PairNote& note : step.pairs) {
        pairs[static_cast<size_t>(note.cell) * 4 + note.corner] &= note.counts;
    }
    for (const RelationNote& note : step.relations)
        relate(note.a, note.b, note.different);
    for (const int32_t c : step.inside)
        relate(c, layout->outside, true);
    for (const int32_t c : step.outside)
        relate(c, layout->outside, false);
}

void BoardKnowledge::setSide(int32_t side, SideState state, int32_t index) {
    if (sides[side] != SideState::OPEN) return;
    sides[side] = state;
    decidedBy[side] = index;
    const auto& cells = layout->sideCells[side];
    relate(cells[0], cells[1], state == SideState::ON);
}

int32_t BoardKnowledge::root(int32_t node, uint8_t& p) const {
    p = 0;
    while (parent[node] != node) {
        p ^= parity[node];
        node = parent[node];
    }
    return node;
}

void BoardKnowledge::relate(int32_t a, int32_t b, bool different) {
    uint8_t pa = 0;
    uint8_t pb = 0;
    const int32_t ra = root(a, pa);
    const int32_t rb = root(b, pb);
    if (ra == rb) {
        if ((pa ^ pb) != (different ? 1 : 0) && clashA < 0) {
            clashA = a;
            clashB = b;
        }
        return;
    }
    parent[ra] = rb;
    parity[ra] = static_cast<uint8_t>(pa ^ pb ^ (different ? 1 : 0));
    // Short paths for the next look-ups: every node of a's path now points at the root.
    for (int32_t node = a; node != rb;) {
        uint8_t p = 0;
        const int32_t next = parent[node];
        root(node, p);
        parent[node] = rb;
        parity[node] = p;
        node = next;
    }
}

int BoardKnowledge::relation(int32_t a, int32_t b) const {
    uint8_t pa = 0;
    uint8_t pb = 0;
    if (root(a, pa) != root(b, pb)) return -1;
    return pa ^ pb;
}

uint8_t BoardKnowledge::pairMask(int32_t cell, int corner) const {
    const size_t slot = static_cast<size_t>(cell) * 4 + corner;
    const auto& s = layout->cornerPairs[slot];
    return pairs[slot] & sideCountsMask(sides[s[0]], sides[s[1]]);
}

int32_t BoardKnowledge::linesOf(int32_t cell) const {
    return countIn(sides, layout->cellSides[cell], SideState::ON);
}

int32_t BoardKnowledge::crossesOf(int32_t cell) const {
    return countIn(sides, layout->cellSides[cell], SideState::OFF);
}

int32_t BoardKnowledge::linesAt(int32_t point) const {
    return countIn(sides, layout->pointSides[point], SideState::ON);
}

int32_t BoardKnowledge::openAt(int32_t point) const {
    return countIn(sides, layout->pointSides[point], SideState::OPEN);
}

int32_t BoardKnowledge::lineTotal() const {
    int32_t count = 0;
    for (int32_t s = 0; s < layout->sideCount; ++s)
        count += sides[s] == SideState::ON;
    return count;
}

int32_t BoardKnowledge::lineEnd(int32_t point, int32_t& length) const {
    length = 0;
    if (linesAt(point) != 1) return point;
    int32_t at = point;
    int32_t came = -1;
    // A line has at most as many sides as the board; the bound keeps a broken board from looping.
    for (int32_t guard = 0; guard <= layout->sideCount; ++guard) {
        int32_t next = -1;
        for (const int32_t s : layout->pointSides[at]) {
            if (s != came && s != layout->sideCount && sides[s] == SideState::ON) {
                next = s;
                break;
            }
        }
        if (next < 0) return at;
        ++length;
        const auto& ends = layout->sidePoints[next];
        at = ends[0] == at ? ends[1] : ends[0];
        came = next;
        if (at == point) return point;
    }
    return at;
}

}  // namespace varnel
