#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "ladder/board_layout.h"

namespace varnel {

// Possible numbers of lines among a cell's two sides at one of its corners, as a mask: what a
// player knows of a corner without knowing either side ("a line must pass this corner of the 3",
// "the 1 has at most one side here").
enum PairCounts : uint8_t {
    PAIR_NONE = 1,  // neither side is on
    PAIR_ONE = 2,   // exactly one is
    PAIR_BOTH = 4,  // both are
    PAIR_ANY = 7,
};

// What a clue alone says of each of its corners: a 3 has at least one side at every corner, a 1
// at most one, a 0 none; a 2 (or no clue) says nothing.
inline uint8_t clueCornerCounts(uint8_t clue) {
    return clue == 3   ? PAIR_ONE | PAIR_BOTH
           : clue == 1 ? PAIR_NONE | PAIR_ONE
           : clue == 0 ? PAIR_NONE
                       : PAIR_ANY;
}

// The counts two sides can still hold by their states alone, by 3 x a + b (OPEN 0, ON 1, OFF 2).
inline constexpr uint8_t SIDE_COUNTS[9] = {
    7, 6, 3,  // a open: b open, on, off
    6, 4, 2,  // a on
    3, 2, 1,  // a off
};

inline uint8_t sideCountsMask(SideState a, SideState b) {
    return SIDE_COUNTS[3 * static_cast<int>(a) + static_cast<int>(b)];
}

// Something a change of the state may let a technique decide, for the engine's work lists.
enum class ChangeKind : uint8_t {
    SIDE,         // index: a side was decided
    PAIR,         // index: cell * 4 + corner, a corner's pair counts narrowed
    COLOUR_SIDE,  // index: an open side whose two cells' relation became known
    COLOUR_CELL,  // index: a cell some of whose neighbours may have become related
    LOOP_END,     // index: an open side joining the two ends of one line
};

struct Change {
    ChangeKind kind;
    int32_t index;
};

// What a player knows of a board while solving: each side on, off or open, what is known of
// every cell corner's pair of sides, which cells are known on the same side of the loop or on
// different sides (and so which are inside or outside), and the lines drawn so far as paths.
// Every change is logged on a trail, so that a trial can be taken back (undoTo), and listed in
// changes for the engine, which clears the list.
//
// Relations between cells are a union-find with a parity bit per node (0: same side as its
// parent, 1: the other side), union by size and no path compression, so that a union is undone
// by resetting one parent. Node cellCount stands for everything beyond the board, which is
// outside the loop. Deciding a side relates its two cells (a line: different; a cross: same).
struct PencilState {
    const BoardLayout* layout = nullptr;

    std::vector<SideState> sides;      // [0, sides]: the last one the edge sentinel, always OFF
    std::vector<uint8_t> cellOn;       // [0, cells): sides of the cell that are ON
    std::vector<uint8_t> cellOff;      // [0, cells): sides of the cell that are OFF
    std::vector<uint8_t> pointOn;      // [0, points): sides at the point that are ON
    std::vector<uint8_t> pointOff;     // [0, points): sides at the point that are OFF, those that
                                       // lead off the board included
    std::vector<uint8_t> pairs;        // [0, 4 cells): cell * 4 + corner, the counts still possible
                                       // by what was deduced of the pair (PairCounts); the sides'
                                       // own states narrow it further (pairMask)
    std::vector<uint8_t> cornerNotes;  // [0, cells): corners narrowed by deduction, beyond what
                                       // the cell's clue says of them

    std::vector<int32_t> colourParent;  // [0, cells]: parent node, itself at a root
    std::vector<uint8_t> colourParity;  // [0, cells]: 1 when on the other side from its parent
    std::vector<int32_t> colourSize;    // [0, cells]: nodes in the class, at a root
    std::vector<int32_t> colourNext;    // [0, cells]: next node of the class, a circular list

    std::vector<int32_t> otherEnd;    // [0, points): for an end of a line (one ON side), the
                                      // point at the line's other end; itself for a point without
                                      // lines; stale elsewhere
    std::vector<int32_t> lineLength;  // [0, points): ON sides of the line ending here

    int32_t onTotal = 0;         // sides ON
    int32_t openTotal = 0;       // sides OPEN
    int32_t unmetClues = 0;      // clue cells whose ON sides differ from their clue
    bool contradiction = false;  // a rule is broken: no answer agrees with this state
    bool tracksColours = false;  // decided sides relate their cells: off until a technique
                                 // that uses relations is first needed (trackColours)
    bool loopClosed = false;     // the lines form one closed loop that meets every clue

    std::vector<Change> changes;  // since the engine last read them

    // Sets up the empty board of layout: every side open, nothing known, no relations tracked.
    void start(const BoardLayout& boardLayout);

    // From now on decided sides relate their cells; the sides decided so far do it at once. The
    // easier techniques use no relations, so a run pays for them only once it needs them. False
    // when the relations break a rule.
    bool trackColours();

    // Decides side s. False, with contradiction set, when s was decided the other way or the
    // decision breaks a rule (a clue, a point with three lines or a dead end, a relation of
    // cells, a loop closed too early); a side already so is no change.
    bool setSide(int32_t s, SideState state);

    // Narrows what a corner's pair can hold to mask. False, with contradiction set, when nothing
    // is left.
    bool narrowPair(int32_t cell, int corner, uint8_t mask);

    // Records that nodes a and b are on the same side (different = false) or on different sides.
    // False, with contradiction set, when the opposite was known.
    bool relate(int32_t a, int32_t b, bool different);

    // Marks the state as breaking a rule, as a technique that finds no way to meet a clue does.
    // Always false.
    bool breakRule() { return fail(); }

    // The root of node's class and node's parity relative to it.
    int32_t colourRoot(int32_t node, uint8_t& parity) const {
        parity = 0;
        while (colourParent[node] != node) {
            parity ^= colourParity[node];
            node = colourParent[node];
        }
        return node;
    }

    // 0 when a and b are known on the same side, 1 on different sides, -1 when unknown.
    int relation(int32_t a, int32_t b) const {
        uint8_t pa = 0;
        uint8_t pb = 0;
        if (colourRoot(a, pa) != colourRoot(b, pb)) return -1;
        return pa ^ pb;
    }

    // The counts a corner's pair can still hold, by its deduced counts and its sides' states.
    uint8_t pairMask(int32_t cell, int corner) const {
        const size_t slot = static_cast<size_t>(cell) * 4 + corner;
        const auto& s = layout->cornerPairs[slot];
        return pairs[slot] & sideCountsMask(sides[s[0]], sides[s[1]]);
    }

    // Lines the clue cell still needs, and sides of it still open.
    int32_t openSidesOf(int32_t cell) const { return 4 - cellOn[cell] - cellOff[cell]; }

    bool solved() const { return loopClosed && openTotal == 0; }

    // A mark to come back to with undoTo: everything changed after it is taken back.
    size_t mark() const { return trail.size(); }
    void undoTo(size_t trailMark);

  private:
    enum class UndoKind : uint8_t { SIDE, PAIR, UNION, LINE_END, FLAGS };
    struct Undo {
        UndoKind kind;
        int32_t a;  // SIDE: side; PAIR: slot; UNION: the root attached; LINE_END: point
        int32_t b;  // PAIR: old mask; UNION: the root it was attached to; LINE_END: old end
        int32_t c;  // LINE_END: old length; FLAGS: contradiction | loopClosed << 1 |
                    // tracksColours << 2
    };
    std::vector<Undo> trail;

    void noteRelatedSides(int32_t smallRoot, int32_t largeRoot);
    int32_t flagBits() const;
    void joinLines(int32_t s);
    bool fail();
};

}  // namespace varnel
