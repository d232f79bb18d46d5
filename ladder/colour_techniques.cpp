// The hard rank: cells inside and outside the loop. Every line has the inside on one side and the
// outside on the other, every cross the same on both, so the drawn sides tie cells together as
// known to be on the same side of the loop or on different sides; the border is outside. What is
// known of cells decides sides in turn. Every closed line crosses a row an even number of times,
// which these ties carry without being told: the cells along a row are tied to the outside at
// both ends.

#include <bit>

#include "ladder/techniques.h"

namespace varnel {

namespace {

// Records the cells' known places (inside or outside) beside a decision about them.
void recordPlaces(LadderRun& run, int32_t a, int32_t b) {
    if (!run.recording()) return;
    const BoardLayout& l = run.layout;
    for (const int32_t c : {a, b}) {
        if (c == l.outside) continue;
        const int where = run.state.relation(c, l.outside);
        if (where == 1) run.step.inside.push_back(c);
        if (where == 0) run.step.outside.push_back(c);
    }
}

void readNode(LadderRun& run, int32_t node) {
    if (node != run.layout.outside) run.readCell(node);
}

}  // namespace

bool insideAndOutside(LadderRun& run, int32_t side) {
    const PencilState& s = run.state;
    if (s.sides[side] != SideState::OPEN) return false;
    const auto& cells = run.layout.sideCells[side];
    const int relation = s.relation(cells[0], cells[1]);
    if (relation < 0) return false;
    readNode(run, cells[0]);
    readNode(run, cells[1]);
    recordPlaces(run, cells[0], cells[1]);
    run.decide(side, relation == 1 ? SideState::ON : SideState::OFF);
    return true;
}

// A clue counts the neighbours on the other side of the loop from it. With the ties between the
// neighbours whose side is still open, every way to pick the lines it still needs is tried: what
// all of them agree on is decided, sides and ties alike.
bool clueColours(LadderRun& run, int32_t cell) {
    const BoardLayout& l = run.layout;
    const PencilState& s = run.state;
    const uint8_t clue = l.clue[cell];
    if (clue > 3 || s.contradiction) return false;
    int32_t sides[4];
    int32_t nodes[4];
    int open = 0;
    for (const int32_t side : l.cellSides[cell]) {
        if (s.sides[side] != SideState::OPEN) continue;
        sides[open] = side;
        nodes[open] = cellAcross(l, side, cell);
        ++open;
    }
    const int need = clue - s.cellOn[cell];
    if (open < 2 || need < 0 || need > open) return false;
    int ties[4][4];
    bool anyTie = false;
    for (int i = 0; i < open; ++i) {
        for (int j = i + 1; j < open; ++j) {
            ties[i][j] = s.relation(nodes[i], nodes[j]);
            anyTie |= ties[i][j] >= 0;
        }
    }
    uint8_t onAlways = 0x0f;
    uint8_t onNever = 0x0f;
    uint32_t sameAlways = ~0u;  // bit i * 4 + j: i and j took the same value in every pick
    uint32_t differAlways = ~0u;
    bool anyPick = false;
    for (uint32_t pick = 0; pick < (1u << open); ++pick) {
        if (std::popcount(pick) != need) continue;
        bool fits = true;
        for (int i = 0; i < open && fits; ++i) {
            for (int j = i + 1; j < open && fits; ++j) {
                const int differ = ((pick >> i) ^ (pick >> j)) & 1;
                if (ties[i][j] >= 0 && ties[i][j] != differ) fits = false;
            }
        }
        if (!fits) continue;
        anyPick = true;
        onAlways &= pick;
        onNever &= ~pick;
        uint32_t same = 0;
        for (int i = 0; i < open; ++i) {
            for (int j = i + 1; j < open; ++j) {
                if ((((pick >> i) ^ (pick >> j)) & 1) == 0) same |= 1u << (i * 4 + j);
            }
        }
        sameAlways &= same;
        differAlways &= ~same;
    }
    if (!anyPick) {
        if (!anyTie) return false;
        run.readCell(cell);
        for (int i = 0; i < open; ++i)
            readNode(run, nodes[i]);
        run.state.breakRule();
        return true;
    }
    const uint8_t openMask = static_cast<uint8_t>((1u << open) - 1);
    onAlways &= openMask;
    onNever &= openMask;
    bool newTie = false;
    for (int i = 0; i < open; ++i) {
        for (int j = i + 1; j < open; ++j) {
            const uint32_t bit = 1u << (i * 4 + j);
            if (ties[i][j] < 0 && nodes[i] != nodes[j] && ((sameAlways | differAlways) & bit)) {
                newTie = true;
            }
        }
    }
    // Sides settled by the count alone are the counting techniques' (they come first, so only a
    // tie can have settled one here).
    if (onAlways == 0 && onNever == 0 && !newTie) return false;
    run.readCell(cell);
    for (int i = 0; i < open; ++i)
        readNode(run, nodes[i]);
    for (int i = 0; i < open; ++i) {
        if (onAlways & (1u << i)) {
            if (!run.decide(sides[i], SideState::ON)) return true;
        } else if (onNever & (1u << i)) {
            if (!run.decide(sides[i], SideState::OFF)) return true;
        }
    }
    for (int i = 0; i < open; ++i) {
        for (int j = i + 1; j < open; ++j) {
            const uint32_t bit = 1u << (i * 4 + j);
            if (ties[i][j] >= 0 || nodes[i] == nodes[j]) continue;
            if (sameAlways & bit) {
                if (!run.relate(nodes[i], nodes[j], false)) return true;
            } else if (differAlways & bit) {
                if (!run.relate(nodes[i], nodes[j], true)) return true;
            }
        }
    }
    return true;
}

// A corner's pair holds one line exactly when the two cells across its sides are on different
// sides of the loop (each side is a line exactly when its two cells differ, and the corner cell
// is beside both), and none or both when they are on the same side.
bool cornerColours(LadderRun& run, int32_t cell) {
    const BoardLayout& l = run.layout;
    const PencilState& s = run.state;
    for (int k = 0; k < 4; ++k) {
        const auto pair = l.cornerSides(cell, k);
        if (s.sides[pair[0]] != SideState::OPEN && s.sides[pair[1]] != SideState::OPEN) continue;
        const int32_t a = cellAcross(l, pair[0], cell);
        const int32_t b = cellAcross(l, pair[1], cell);
        const uint8_t mask = s.pairMask(cell, k);
        const int parity = (mask & ~PAIR_ONE) == 0 ? 1 : (mask & PAIR_ONE) == 0 ? 0 : -1;
        const int relation = s.relation(a, b);
        if (parity >= 0 && relation < 0) {
            run.readCell(cell);
            readNode(run, a);
            readNode(run, b);
            run.relate(a, b, parity == 1);
            return true;
        }
        if (relation >= 0 && parity < 0) {
            run.readCell(cell);
            readNode(run, a);
            readNode(run, b);
            run.narrowPair(cell, k, relation == 1 ? PAIR_ONE : PAIR_NONE | PAIR_BOTH);
            return true;
        }
    }
    return false;
}

}  // namespace varnel
