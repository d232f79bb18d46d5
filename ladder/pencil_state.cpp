#include "ladder/pencil_state.h"

#include <cassert>
#include <cstdlib>
#include <utility>

namespace varnel {

void PencilState::start(const BoardLayout& boardLayout) {
    tracksColours = false;
    layout = &boardLayout;
    const BoardLayout& l = boardLayout;
    sides.assign(static_cast<size_t>(l.sideCount) + 1, SideState::OPEN);
    sides[l.sideCount] = SideState::OFF;
    cellOn.assign(static_cast<size_t>(l.cellCount), 0);
    cellOff.assign(static_cast<size_t>(l.cellCount), 0);
    pointOn.assign(static_cast<size_t>(l.pointCount), 0);
    pointOff.assign(static_cast<size_t>(l.pointCount), 0);
    for (int32_t p = 0; p < l.pointCount; ++p) {
        for (const int32_t s : l.pointSides[p])
            pointOff[p] += s == l.sideCount;
    }
    pairs.assign(static_cast<size_t>(l.cellCount) * 4, PAIR_ANY);
    cornerNotes.assign(static_cast<size_t>(l.cellCount), 0);
    for (const int32_t c : l.clueCells) {
        const uint8_t counts = clueCornerCounts(l.clue[c]);
        for (int k = 0; k < 4; ++k)
            pairs[static_cast<size_t>(c) * 4 + k] = counts;
    }
    const size_t nodes = static_cast<size_t>(l.cellCount) + 1;
    colourParent.resize(nodes);
    colourParity.assign(nodes, 0);
    colourSize.assign(nodes, 1);
    colourNext.resize(nodes);
    for (size_t n = 0; n < nodes; ++n) {
        colourParent[n] = static_cast<int32_t>(n);
        colourNext[n] = static_cast<int32_t>(n);
    }
    otherEnd.resize(static_cast<size_t>(l.pointCount));
    for (int32_t p = 0; p < l.pointCount; ++p)
        otherEnd[p] = p;
    lineLength.assign(static_cast<size_t>(l.pointCount), 0);
    onTotal = 0;
    openTotal = l.sideCount;
    unmetClues = 0;
    for (const int32_t c : l.clueCells)
        unmetClues += l.clue[c] != 0;
    contradiction = false;
    loopClosed = false;
    changes.clear();
    trail.clear();
}

int32_t PencilState::flagBits() const {
    return (contradiction ? 1 : 0) | (loopClosed ? 2 : 0) | (tracksColours ? 4 : 0);
}

bool PencilState::trackColours() {
    if (tracksColours) return !contradiction;
    trail.push_back({UndoKind::FLAGS, 0, 0, flagBits()});
    tracksColours = true;
    const BoardLayout& l = *layout;
    for (int32_t s = 0; s < l.sideCount && !contradiction; ++s) {
        if (sides[s] != SideState::OPEN)
            relate(l.sideCells[s][0], l.sideCells[s][1], sides[s] == SideState::ON);
    }
    return !contradiction;
}

bool PencilState::fail() {
    if (!contradiction) {
        trail.push_back({UndoKind::FLAGS, 0, 0, flagBits()});
        contradiction = true;
    }
    return false;
}

bool PencilState::setSide(int32_t s, SideState state) {
    if (contradiction) return false;
    const SideState current = sides[s];
    if (current == state) return true;
    if (current != SideState::OPEN) return fail();
    const BoardLayout& l = *layout;
    const bool on = state == SideState::ON;
    if (on && loopClosed) return fail();  // a line beside a loop that is already whole

    trail.push_back({UndoKind::SIDE, s, 0, 0});
    sides[s] = state;
    --openTotal;
    for (const int32_t c : l.sideCells[s]) {
        if (c == l.outside) continue;
        if (on) {
            if (l.clue[c] <= 3) {
                if (cellOn[c] == l.clue[c]) ++unmetClues;
                if (cellOn[c] + 1 == l.clue[c]) --unmetClues;
            }
            ++cellOn[c];
        } else {
            ++cellOff[c];
        }
    }
    for (const int32_t p : l.sidePoints[s])
        ++(on ? pointOn : pointOff)[p];
    if (on) ++onTotal;
    changes.push_back({ChangeKind::SIDE, s});

    for (const int32_t c : l.sideCells[s]) {
        if (c == l.outside || l.clue[c] > 3) continue;
        if (cellOn[c] > l.clue[c] || 4 - cellOff[c] < l.clue[c]) return fail();
    }
    for (const int32_t p : l.sidePoints[s]) {
        if (pointOn[p] > 2 || (pointOn[p] == 1 && pointOff[p] == 3)) return fail();
    }
    if (tracksColours && !relate(l.sideCells[s][0], l.sideCells[s][1], on)) return false;
    if (on) joinLines(s);
    return !contradiction;
}

void PencilState::joinLines(int32_t s) {
    const BoardLayout& l = *layout;
    const int32_t p = l.sidePoints[s][0];
    const int32_t q = l.sidePoints[s][1];
    // Degrees already count s: 1 means the point had no line, 2 that it ended one.
    if (pointOn[p] == 2 && pointOn[q] == 2 && otherEnd[p] == q) {
        // s closes the line into a loop: the answer, if it holds every line and meets every clue.
        const bool whole = onTotal == lineLength[p] + 1 && unmetClues == 0;
        if (!whole) {
            fail();
            return;
        }
        trail.push_back({UndoKind::FLAGS, 0, 0, flagBits()});
        loopClosed = true;
        return;
    }
    const int32_t a = pointOn[p] == 1 ? p : otherEnd[p];
    const int32_t b = pointOn[q] == 1 ? q : otherEnd[q];
    const int32_t length =
        (pointOn[p] == 1 ? 0 : lineLength[p]) + (pointOn[q] == 1 ? 0 : lineLength[q]) + 1;
    trail.push_back({UndoKind::LINE_END, a, otherEnd[a], lineLength[a]});
    trail.push_back({UndoKind::LINE_END, b, otherEnd[b], lineLength[b]});
    otherEnd[a] = b;
    otherEnd[b] = a;
    lineLength[a] = length;
    lineLength[b] = length;
    // The two ends side by side: the side between them would close the line.
    const int32_t dx = l.pointX(b) - l.pointX(a);
    const int32_t dy = l.pointY(b) - l.pointY(a);
    if (std::abs(dx) + std::abs(dy) == 1) {
        const Direction toward = dx == 1 ? RIGHT : dx == -1 ? LEFT : dy == 1 ? BOTTOM : TOP;
        const int32_t between = l.pointSides[a][toward];
        if (sides[between] == SideState::OPEN) changes.push_back({ChangeKind::LOOP_END, between});
    }
}

bool PencilState::relate(int32_t a, int32_t b, bool different) {
    if (contradiction) return false;
    uint8_t pa = 0;
    uint8_t pb = 0;
    int32_t ra = colourRoot(a, pa);
    int32_t rb = colourRoot(b, pb);
    const uint8_t wanted = different ? 1 : 0;
    if (ra == rb) return (pa ^ pb) == wanted ? true : fail();
    if (colourSize[ra] < colourSize[rb]) std::swap(ra, rb);
    // rb, the smaller class, goes under ra.
    noteRelatedSides(rb, ra);
    colourParent[rb] = ra;
    colourParity[rb] = pa ^ pb ^ wanted;
    colourSize[ra] += colourSize[rb];
    std::swap(colourNext[ra], colourNext[rb]);
    trail.push_back({UndoKind::UNION, rb, ra, 0});
    return true;
}

// Before the smaller class joins the larger: every open side between the two is now decided by
// the relation, and every clue beside a cell of the smaller class may now know more of how its
// neighbours lie.
void PencilState::noteRelatedSides(int32_t smallRoot, int32_t largeRoot) {
    const BoardLayout& l = *layout;
    int32_t m = smallRoot;
    do {
        const int32_t* begin = m == l.outside ? l.edgeSides.data() : l.cellSides[m].data();
        const int32_t* end = m == l.outside ? begin + l.edgeSides.size() : begin + 4;
        for (const int32_t* t = begin; t != end; ++t) {
            const int32_t n = cellAcross(l, *t, m);
            if (n != l.outside) changes.push_back({ChangeKind::COLOUR_CELL, n});
            if (sides[*t] != SideState::OPEN) continue;
            uint8_t parity = 0;
            if (colourRoot(n, parity) == largeRoot)
                changes.push_back({ChangeKind::COLOUR_SIDE, *t});
        }
        if (m != l.outside) changes.push_back({ChangeKind::COLOUR_CELL, m});
        m = colourNext[m];
    } while (m != smallRoot);
}

bool PencilState::narrowPair(int32_t cell, int corner, uint8_t mask) {
    if (contradiction) return false;
    const size_t slot = static_cast<size_t>(cell) * 4 + corner;
    const uint8_t old = pairs[slot];
    const uint8_t narrowed = old & mask;
    if (narrowed == old) return true;
    trail.push_back({UndoKind::PAIR, static_cast<int32_t>(slot), old, 0});
    pairs[slot] = narrowed;
    ++cornerNotes[cell];
    changes.push_back({ChangeKind::PAIR, static_cast<int32_t>(slot)});
    if (pairMask(cell, corner) == 0) return fail();
    return true;
}

void PencilState::undoTo(size_t trailMark) {
    const BoardLayout& l = *layout;
    while (trail.size() > trailMark) {
        const Undo u = trail.back();
        trail.pop_back();
        switch (u.kind) {
            case UndoKind::SIDE: {
                const bool on = sides[u.a] == SideState::ON;
                for (const int32_t c : l.sideCells[u.a]) {
                    if (c == l.outside) continue;
                    if (on) {
                        --cellOn[c];
                        if (l.clue[c] <= 3) {
                            if (cellOn[c] + 1 == l.clue[c]) ++unmetClues;
                            if (cellOn[c] == l.clue[c]) --unmetClues;
                        }
                    } else {
                        --cellOff[c];
                    }
                }
                for (const int32_t p : l.sidePoints[u.a])
                    --(on ? pointOn : pointOff)[p];
                if (on) --onTotal;
                sides[u.a] = SideState::OPEN;
                ++openTotal;
                break;
            }
            case UndoKind::PAIR:
                pairs[u.a] = static_cast<uint8_t>(u.b);
                --cornerNotes[u.a / 4];
                break;
            case UndoKind::UNION:
                std::swap(colourNext[u.b], colourNext[u.a]);
                colourSize[u.b] -= colourSize[u.a];
                colourParent[u.a] = u.a;
                colourParity[u.a] = 0;
                break;
            case UndoKind::LINE_END:
                otherEnd[u.a] = u.b;
                lineLength[u.a] = u.c;
                break;
            case UndoKind::FLAGS:
                contradiction = (u.c & 1) != 0;
                loopClosed = (u.c & 2) != 0;
                tracksColours = (u.c & 4) != 0;
                break;
        }
    }
    changes.clear();
}

}  // namespace varnel
