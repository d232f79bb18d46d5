// The medium rank: what a cell and one of its corners decide together. A corner's pair is the
// cell's two sides that meet at it; what is known of it is the set of line counts it can still
// hold (PairCounts): none, one or both.
//
// At a point the four sides split into two pairs, the corners of two diagonally opposite cells,
// and a point has no line or two, so the pairs' counts add up to 0 or 2: one line through one
// corner means one through the other, none or both on one side means none or both on the other.
// In a clue cell the two pairs of opposite corners add up to the clue.

#include "ladder/techniques.h"

namespace varnel {

namespace {

// The counts one pair at a point can hold given the counts the opposite pair can: together they
// make 0 or 2.
uint8_t acrossPoint(uint8_t opposite) {
    uint8_t allowed = 0;
    if (opposite & PAIR_NONE) allowed |= PAIR_NONE | PAIR_BOTH;
    if (opposite & PAIR_ONE) allowed |= PAIR_ONE;
    if (opposite & PAIR_BOTH) allowed |= PAIR_NONE;
    return allowed;
}

// The counts one pair of a clue cell can hold given the counts its opposite corner can: together
// they make the clue.
uint8_t acrossClue(uint8_t opposite, int32_t clue) {
    uint8_t allowed = 0;
    for (int t = 0; t <= 2; ++t) {
        const int rest = clue - t;
        if ((opposite & (1u << t)) && rest >= 0 && rest <= 2) allowed |= 1u << rest;
    }
    return allowed;
}

// True when narrowing the corner's counts to allowed would tell more than is known.
bool narrowsCorner(const LadderRun& run, int32_t cell, int corner, uint8_t allowed) {
    return (run.state.pairMask(cell, corner) & ~allowed) != 0;
}

// What counts (a PairCounts mask) force on two sides in the given states, for every mask and
// pair of states: the forced state of each open side (OPEN when not forced) in the low and the
// next two bits. Counts that allow nothing force nothing here: that broken rule is caught where
// the counts are narrowed.
struct ForcedTable {
    uint8_t entries[8][3][3] = {};

    constexpr ForcedTable() {
        for (int mask = 0; mask < 8; ++mask) {
            for (int sa = 0; sa < 3; ++sa) {
                for (int sb = 0; sb < 3; ++sb)
                    entries[mask][sa][sb] = forced(mask, sa, sb);
            }
        }
    }

    // States as SideState: 0 OPEN, 1 ON, 2 OFF.
    static constexpr uint8_t forced(int mask, int sa, int sb) {
        int possible[2] = {0, 0};  // bit 0: OFF possible, bit 1: ON possible
        for (int a = 0; a < 2; ++a) {
            if (sa != 0 && a != (sa == 1)) continue;
            for (int b = 0; b < 2; ++b) {
                if (sb != 0 && b != (sb == 1)) continue;
                if (!(mask & (1 << (a + b)))) continue;
                possible[0] |= 1 << a;
                possible[1] |= 1 << b;
            }
        }
        uint8_t result = 0;
        const int states[2] = {sa, sb};
        for (int i = 0; i < 2; ++i) {
            if (states[i] != 0 || possible[i] == 3 || possible[i] == 0) continue;
            result |= static_cast<uint8_t>((possible[i] == 2 ? 1 : 2) << (2 * i));
        }
        return result;
    }
};

constexpr ForcedTable FORCED;

// What a corner's counts force on its open sides: forced[i] is ON or OFF for a side they settle
// and OPEN otherwise. Returns how many they settle.
int forcedSides(const LadderRun& run, int32_t cell, int corner, SideState forced[2]) {
    const PencilState& s = run.state;
    const auto& pair = run.layout.cornerSides(cell, corner);
    const uint8_t entry = FORCED.entries[s.pairMask(
        cell, corner)][static_cast<int>(s.sides[pair[0]])][static_cast<int>(s.sides[pair[1]])];
    forced[0] = static_cast<SideState>(entry & 3);
    forced[1] = static_cast<SideState>(entry >> 2);
    return (forced[0] != SideState::OPEN) + (forced[1] != SideState::OPEN);
}

// Decides the open sides of a corner's pair that its counts settle. True when it decided one.
bool settleCorner(LadderRun& run, int32_t cell, int corner) {
    SideState forced[2];
    if (forcedSides(run, cell, corner, forced) == 0) return false;
    const auto pair = run.layout.cornerSides(cell, corner);
    for (int i = 0; i < 2; ++i) {
        if (forced[i] != SideState::OPEN && !run.decide(pair[i], forced[i])) break;
    }
    return true;
}

// After a clue cell's corner was narrowed, what its opposite corner makes up, settled too: the
// rest of one thought ("a line reaches the 3's corner, so its far sides are lines").
void followClue(LadderRun& run, int32_t cell, int corner) {
    const uint8_t clue = run.layout.clue[cell];
    if (clue > 3) return;
    const int opposite = (corner + 2) % 4;
    const uint8_t allowed = acrossClue(run.state.pairMask(cell, corner), clue);
    if (narrowsCorner(run, cell, opposite, allowed)) run.narrowPair(cell, opposite, allowed);
    settleCorner(run, cell, opposite);
}

// Narrows a cell's corner at a point and follows it through the cell: the common end of the
// point techniques.
void narrowAtPoint(LadderRun& run, int32_t cell, int corner, uint8_t allowed) {
    run.readCell(cell);
    run.narrowPair(cell, corner, allowed);
    settleCorner(run, cell, corner);
    followClue(run, cell, corner);
}

// Two 3s side by side, cell and the one across its side toward (RIGHT or BOTTOM).
bool threesSideBySide(LadderRun& run, int32_t cell, Direction toward) {
    const BoardLayout& l = run.layout;
    const PencilState& s = run.state;
    const int32_t middle = l.cellSides[cell][toward];
    const int32_t other = cellAcross(l, middle, cell);
    if (other == l.outside || l.clue[other] != 3) return false;
    const Direction back = toward == RIGHT ? LEFT : TOP;
    const Direction across1 = toward == RIGHT ? TOP : LEFT;
    const Direction across2 = toward == RIGHT ? BOTTOM : RIGHT;
    const int32_t farSide = l.cellSides[cell][back];
    const int32_t otherFarSide = l.cellSides[other][toward];
    // The middle side's ends, and the sides that carry it on beyond them.
    const int32_t end1 = l.sidePoints[middle][0];
    const int32_t end2 = l.sidePoints[middle][1];
    const int32_t beyond1 = l.pointSides[end1][toward == RIGHT ? TOP : LEFT];
    const int32_t beyond2 = l.pointSides[end2][toward == RIGHT ? BOTTOM : RIGHT];

    // With the middle side crossed the two 3s would make a closed 2 x 1 loop of their own: that
    // is ruled out unless it could be the whole answer.
    bool loopOfTheirOwn = true;
    const int32_t ring[6] = {farSide,
                             otherFarSide,
                             l.cellSides[cell][across1],
                             l.cellSides[cell][across2],
                             l.cellSides[other][across1],
                             l.cellSides[other][across2]};
    int32_t ringOn = 0;
    for (const int32_t side : ring)
        ringOn += s.sides[side] == SideState::ON;
    if (s.onTotal != ringOn) loopOfTheirOwn = false;
    for (const int32_t c : l.clueCells) {
        if (!loopOfTheirOwn) break;
        if (c == cell || c == other) continue;
        int32_t count = 0;
        for (const int32_t side : l.cellSides[c]) {
            for (const int32_t r : ring)
                count += side == r;
        }
        if (count != l.clue[c]) loopOfTheirOwn = false;
    }

    const bool open = s.sides[farSide] == SideState::OPEN ||
                      s.sides[otherFarSide] == SideState::OPEN ||
                      (!loopOfTheirOwn &&
                       (s.sides[middle] == SideState::OPEN || s.sides[beyond1] == SideState::OPEN ||
                        s.sides[beyond2] == SideState::OPEN));
    if (!open) return false;
    run.readCell(cell);
    run.readCell(other);
    if (!run.decide(farSide, SideState::ON) || !run.decide(otherFarSide, SideState::ON)) {
        return true;
    }
    if (loopOfTheirOwn) return true;
    if (!run.decide(middle, SideState::ON)) return true;
    if (beyond1 != l.sideCount && !run.decide(beyond1, SideState::OFF)) return true;
    if (beyond2 != l.sideCount) run.decide(beyond2, SideState::OFF);
    return true;
}

}  // namespace

bool threeBesideThree(LadderRun& run, int32_t cell) {
    if (run.layout.clue[cell] != 3) return false;
    return threesSideBySide(run, cell, RIGHT) || threesSideBySide(run, cell, BOTTOM);
}

namespace {

// What the two sides at a point outside a cell's corner tell that corner by themselves: none or
// both when both are crossed, one when one is a line and the other crossed, at most one when
// one is a line and the other open. PAIR_ANY when they tell nothing.
uint8_t cornerFromPoint(const LadderRun& run, int32_t point, int corner) {
    const auto other = sidesBeyondCorner(run.layout, point, corner);
    const SideState a = run.state.sides[other[0]];
    const SideState b = run.state.sides[other[1]];
    if (a == SideState::OFF && b == SideState::OFF) return PAIR_NONE | PAIR_BOTH;
    if ((a == SideState::ON) == (b == SideState::ON)) return PAIR_ANY;  // two lines or none
    const SideState rest = a == SideState::ON ? b : a;
    return rest == SideState::OFF ? PAIR_ONE : PAIR_NONE | PAIR_ONE;
}

// Clues as bits, as BoardLayout::pointClues holds them.
constexpr uint8_t ONE = 1u << 1;
constexpr uint8_t TWO = 1u << 2;
constexpr uint8_t THREE = 1u << 3;

// What the sides at a point outside a corner show: a closed corner, or a line arriving.
enum class PointShows : uint8_t { CLOSED, LINE, EITHER };

// The point techniques that read only the sides at the point: at the first corner of a cell
// whose clue is one of clues (bit v for the clue v) where those sides show what is asked and tell
// something new, and, when decisive is set, where that decides one of the cell's sides.
bool cornerByPoint(LadderRun& run, int32_t point, uint8_t clues, PointShows shows, bool decisive) {
    const BoardLayout& l = run.layout;
    if ((l.pointClues[point] & clues) == 0) return false;
    for (int k = 0; k < 4; ++k) {
        const int32_t cell = l.pointCells[point][k];
        if (cell < 0 || l.clue[cell] > 3 || ((1u << l.clue[cell]) & clues) == 0) continue;
        const uint8_t allowed = cornerFromPoint(run, point, k);
        const bool closed = allowed == (PAIR_NONE | PAIR_BOTH);
        if (shows == PointShows::CLOSED && !closed) continue;
        if (shows == PointShows::LINE && closed) continue;
        if (!narrowsCorner(run, cell, k, allowed)) continue;
        if (decisive) {
            // The corner's counts once narrowed, and what they leave the opposite corner.
            const uint8_t here = run.state.pairMask(cell, k) & allowed;
            const uint8_t there = acrossClue(here, l.clue[cell]);
            const bool settles =
                here == PAIR_NONE || here == PAIR_BOTH || there == PAIR_NONE || there == PAIR_BOTH;
            if (!settles) continue;
        }
        run.readPoint(point);
        for (const int32_t side : sidesBeyondCorner(l, point, k)) {
            if (side != l.sideCount && run.state.sides[side] != SideState::OPEN) run.readSide(side);
        }
        narrowAtPoint(run, cell, k, allowed);
        return true;
    }
    return false;
}

}  // namespace

bool closedCorner(LadderRun& run, int32_t point) {
    return cornerByPoint(run, point, ONE | THREE, PointShows::CLOSED, true);
}

bool lineAtThree(LadderRun& run, int32_t point) {
    return cornerByPoint(run, point, THREE, PointShows::LINE, true);
}

bool lineIntoOne(LadderRun& run, int32_t point) {
    return cornerByPoint(run, point, ONE, PointShows::LINE, true);
}

bool cornerOfTwo(LadderRun& run, int32_t point) {
    return cornerByPoint(run, point, TWO, PointShows::EITHER, false);
}

bool acrossAPoint(LadderRun& run, int32_t point) {
    const BoardLayout& l = run.layout;
    for (int k = 0; k < 4; ++k) {
        const int32_t cell = l.pointCells[point][k];
        const int32_t opposite = l.pointCells[point][(k + 2) % 4];
        if (cell < 0 || opposite < 0) continue;
        // What the opposite corner's sides alone say, the point's own sides say already (the
        // easy techniques at the point and at the clues around it).
        if (run.state.pairs[static_cast<size_t>(opposite) * 4 + (k + 2) % 4] == PAIR_ANY) {
            continue;
        }
        const uint8_t allowed = acrossPoint(run.state.pairMask(opposite, (k + 2) % 4));
        if (!narrowsCorner(run, cell, k, allowed)) continue;
        run.readPoint(point);
        run.readCell(opposite);
        narrowAtPoint(run, cell, k, allowed);
        return true;
    }
    return false;
}

bool acrossAClue(LadderRun& run, int32_t cell) {
    const uint8_t clue = run.layout.clue[cell];
    if (clue == 0 || clue > 3) return false;
    for (int k = 0; k < 4; ++k) {
        const uint8_t allowed = acrossClue(run.state.pairMask(cell, (k + 2) % 4), clue);
        if (narrowsCorner(run, cell, k, allowed)) {
            run.readCell(cell);
            run.narrowPair(cell, k, allowed);
            settleCorner(run, cell, k);
            return true;
        }
    }
    // A 2 with none or both sides at one corner has one side at each of the two corners next
    // to it: its lines are two opposite sides or the two sides at that corner.
    if (clue != 2) return false;
    for (int k = 0; k < 4; ++k) {
        if ((run.state.pairMask(cell, k) & PAIR_ONE) != 0) continue;
        for (const int next : {(k + 1) % 4, (k + 3) % 4}) {
            if (!narrowsCorner(run, cell, next, PAIR_ONE)) continue;
            run.readCell(cell);
            run.narrowPair(cell, next, PAIR_ONE);
            settleCorner(run, cell, next);
            return true;
        }
    }
    return false;
}

bool cornerDecides(LadderRun& run, int32_t cell) {
    // What a clue says of its corners alone decides nothing that counting does not.
    if (run.state.cornerNotes[cell] == 0) return false;
    for (int k = 0; k < 4; ++k) {
        // Counts from the sides alone decide nothing the point techniques do not.
        if (run.state.pairs[static_cast<size_t>(cell) * 4 + k] == PAIR_ANY) continue;
        SideState forced[2];
        if (forcedSides(run, cell, k, forced) == 0) continue;
        run.readCell(cell);
        settleCorner(run, cell, k);
        return true;
    }
    return false;
}

}  // namespace varnel
