#include "solver/local_rules.h"

#include <bit>

namespace varnel {

namespace {

// The state the rules work on during one sweep: the board's union-find and clues, with the
// contradiction flag and the work count kept in locals and stored once at the end. Tests:
// same(x, y) is knownSame, differ(x, y) knownDifferent; both are false for cells of different
// sets. relate is the union-find's, with the common case of an already known relation inline.
struct SweepContext {
    ParityUnionFind& uf;   // the board's colour relations
    uint16_t* tag;         // [-1, cellCount]: uf's tags, with sentinels
    const uint8_t* clues;  // [0, cellCount): the board's clues
    bool contradiction;    // set once an opposite relation was asked
    int64_t relates;       // relate calls, for the work counters

    bool same(int32_t x, int32_t y) const { return tag[x] == tag[y]; }
    bool differ(int32_t x, int32_t y) const { return (tag[x] ^ tag[y]) == 1; }
    [[gnu::always_inline]] void relate(int32_t a, int32_t b, int sameColour) {
        ++relates;
        const unsigned x = tag[a] ^ tag[b];
        if (x >= 2) {
            uf.merge(a, b, sameColour);
        } else if (static_cast<int>(x) == sameColour) {
            contradiction = true;
        }
    }
};

SweepContext contextOf(SolverBoard& board) {
    return SweepContext{board.uf, board.uf.tags(), board.clues, false, 0};
}

void storeContext(SolverBoard& board, const SweepContext& context) {
    if (context.contradiction) board.uf.contradiction = 1;
}

constexpr int SAME = 1;
constexpr int DIFFERENT = 0;

[[gnu::always_inline]] inline void clueOne(SweepContext& r, int32_t c, int32_t a, int32_t b) {
    SweepContext& uf = r;
    const uint8_t* clues = r.clues;
    // Step 1: two sides at the corner between c - a and c - b.
    if (r.same(c - a, c - b)) {
        uf.relate(c, c - a, SAME);
        uf.relate(c + a, c + b, DIFFERENT);
    } else if (r.differ(c - a, c - b)) {
        uf.relate(c, c + a, SAME);
        uf.relate(c, c + b, SAME);
    }
    // Step 2: the two opposite sides along a.
    if (r.same(c - a, c + a)) {
        uf.relate(c, c - a, SAME);
        uf.relate(c - b, c + b, DIFFERENT);
    } else if (r.differ(c - a, c + a)) {
        uf.relate(c, c - b, SAME);
        uf.relate(c, c + b, SAME);
    }
    // Step 3: the one side on the loop is known, the other three are off.
    if (r.differ(c, c - a)) {
        uf.relate(c, c + a, SAME);
        uf.relate(c, c - b, SAME);
        uf.relate(c, c + b, SAME);
    }
    // Step 4: a neighbouring 1 or 3 across the side c - a.
    const uint8_t neighbour = clues[c - a];
    if (neighbour == 1) {
        if (r.same(c - a - b, c - b) || r.same(c - a + b, c + b)) uf.relate(c, c - a, SAME);
    } else if (neighbour == 3) {
        if (r.same(c - a + b, c + b)) {
            uf.relate(c - a, c - a + b, DIFFERENT);
            uf.relate(c, c - b, SAME);
            uf.relate(c, c + a, SAME);
        } else if (r.same(c - a - b, c - b)) {
            uf.relate(c - a, c - a - b, DIFFERENT);
            uf.relate(c, c + b, SAME);
            uf.relate(c, c + a, SAME);
        }
    }
}

[[gnu::always_inline]] inline void clueTwo(SweepContext& r, int32_t c, int32_t a, int32_t b) {
    SweepContext& uf = r;
    const uint8_t* clues = r.clues;
    // Step 1.
    if (r.same(c - a, c - b)) {
        uf.relate(c - a, c + a, DIFFERENT);
        uf.relate(c - a, c + b, DIFFERENT);
    } else if (r.differ(c - a, c - b)) {
        uf.relate(c + a, c + b, DIFFERENT);
    }
    // Step 2.
    if (r.same(c - a, c + a)) {
        uf.relate(c - a, c - b, DIFFERENT);
        uf.relate(c - a, c + b, DIFFERENT);
    } else if (r.differ(c - a, c + a)) {
        uf.relate(c - b, c + b, DIFFERENT);
        if (clues[c - a] == 3) uf.relate(c - a, c - 2 * a, DIFFERENT);
    }
    // Step 3: the side c - a is off the loop.
    if (r.same(c, c - a)) {
        if (r.same(c + a - b, c)) {
            uf.relate(c, c + b, DIFFERENT);
            uf.relate(c + a, c - b, DIFFERENT);
        } else if (r.same(c + a + b, c)) {
            uf.relate(c, c - b, DIFFERENT);
            uf.relate(c + a, c + b, DIFFERENT);
        }
        if (clues[c + a - b] == 3) {
            uf.relate(c, c + b, DIFFERENT);
            uf.relate(c + a, c - b, DIFFERENT);
        } else if (clues[c + a + b] == 3) {
            uf.relate(c, c - b, DIFFERENT);
            uf.relate(c + a, c + b, DIFFERENT);
        }
    }
    // Step 4: a 3 across the side c - a.
    if (clues[c - a] != 3) return;
    if (r.same(c, c - b)) {
        if (r.differ(c - b, c - a - b)) {
            uf.relate(c, c + a, DIFFERENT);
            uf.relate(c - a + b, c + b, SAME);
        }
    } else if (r.same(c, c + b) && r.differ(c + b, c - a + b)) {
        uf.relate(c, c + a, DIFFERENT);
        uf.relate(c - a - b, c - b, SAME);
    }
}

[[gnu::always_inline]] inline void clueThree(SweepContext& r, int32_t c, int32_t a, int32_t b) {
    SweepContext& uf = r;
    // Step 0: the side c + a is off, so the other three are on.
    if (r.same(c, c + a)) {
        uf.relate(c, c - a, DIFFERENT);
        uf.relate(c, c + b, DIFFERENT);
        uf.relate(c, c - b, DIFFERENT);
        return;
    }
    // Step 1.
    if (r.same(c - a, c - b)) {
        uf.relate(c, c - a, DIFFERENT);
        uf.relate(c + a, c + b, DIFFERENT);
    } else if (r.differ(c - a, c - b)) {
        uf.relate(c, c + a, DIFFERENT);
        uf.relate(c, c + b, DIFFERENT);
    }
    // Step 2.
    if (r.same(c - a, c + a)) {
        uf.relate(c, c - a, DIFFERENT);
        uf.relate(c - b, c + b, DIFFERENT);
    } else if (r.differ(c - a, c + a)) {
        uf.relate(c, c - b, DIFFERENT);
        uf.relate(c, c + b, DIFFERENT);
    }
    // Steps 3 and 4: a loop side runs into the corner of c from outside.
    if (r.differ(c - a, c - a - b)) {
        uf.relate(c, c + a, DIFFERENT);
        uf.relate(c, c + b, DIFFERENT);
        uf.relate(c - a - b, c - b, SAME);
    }
    if (r.differ(c - a, c - a + b)) {
        uf.relate(c, c + a, DIFFERENT);
        uf.relate(c, c - b, DIFFERENT);
        uf.relate(c - a + b, c + b, SAME);
    }
    // Steps 5 and 6: the diagonal cells beyond c + a.
    if (r.same(c - a, c + a - b)) {
        uf.relate(c, c - a, DIFFERENT);
    } else if (r.differ(c - a, c + a - b)) {
        uf.relate(c, c + b, DIFFERENT);
    }
    if (r.same(c - a, c + a + b)) {
        uf.relate(c, c - a, DIFFERENT);
    } else if (r.differ(c - a, c + a + b)) {
        uf.relate(c, c - b, DIFFERENT);
    }
}

[[gnu::always_inline]] inline void blank(SweepContext& r, int32_t c, int32_t a, int32_t b) {
    SweepContext& uf = r;
    if (r.same(c - a, c - b) && r.same(c - a, c + b) && r.same(c - a, c + a)) {
        uf.relate(c, c - a, SAME);
    }
}

[[gnu::always_inline]] inline void corner(SweepContext& r, int32_t c, int32_t a, int32_t b) {
    SweepContext& uf = r;
    // Step 1: the four cells around the corner point c, c + a, c + b, c + a + b never alternate.
    if (r.same(c + a, c + b) && r.differ(c + a, c + a + b)) uf.relate(c, c + a, SAME);
    // Step 2: two loop sides meeting straight at the corner point leave the other two off.
    if (r.differ(c, c + a) && r.differ(c + b, c + a + b)) {
        uf.relate(c, c + b, SAME);
        uf.relate(c + a, c + a + b, SAME);
    }
    // Step 3: three sides of c on the loop leave the fourth off.
    if (r.differ(c, c - b) && r.differ(c, c - a) && r.differ(c, c + a)) uf.relate(c, c + b, SAME);
}

}  // namespace

// The rules one at a time, for tests and tools; the sweep inlines them.
void ruleClueOne(SolverBoard& board, int32_t c, int32_t a, int32_t b) {
    SweepContext context = contextOf(board);
    clueOne(context, c, a, b);
    storeContext(board, context);
}
void ruleClueTwo(SolverBoard& board, int32_t c, int32_t a, int32_t b) {
    SweepContext context = contextOf(board);
    clueTwo(context, c, a, b);
    storeContext(board, context);
}
void ruleClueThree(SolverBoard& board, int32_t c, int32_t a, int32_t b) {
    SweepContext context = contextOf(board);
    clueThree(context, c, a, b);
    storeContext(board, context);
}
void ruleBlank(SolverBoard& board, int32_t c, int32_t a, int32_t b) {
    SweepContext context = contextOf(board);
    blank(context, c, a, b);
    storeContext(board, context);
}
void ruleCorner(SolverBoard& board, int32_t c, int32_t a, int32_t b) {
    SweepContext context = contextOf(board);
    corner(context, c, a, b);
    storeContext(board, context);
}

namespace {

// One visit of cell i in the sweep: its clue or blank rule unless it is done, the done check, and
// the corner rule. Returns true when the visit recorded anything (a merge, a contradiction, the
// done flag), so that the cell may record more at its next visit.
[[gnu::always_inline]] inline bool visitCell(SweepContext& context, uint8_t* doneFlags, int32_t i,
                                             int32_t s) {
    const uint16_t* tag = context.tag;
    const int32_t setsBefore = context.uf.setCount;
    const bool contradictionBefore = context.contradiction;
    bool doneChanged = false;
    // The four rotations (a, b) in their fixed order: (1, s), (-s, 1), (-1, -s), (s, -1).
    if (!doneFlags[i]) {
        switch (context.clues[i]) {
            case 3:
                clueThree(context, i, 1, s);
                clueThree(context, i, -s, 1);
                clueThree(context, i, -1, -s);
                clueThree(context, i, s, -1);
                break;
            case 2:
                clueTwo(context, i, 1, s);
                clueTwo(context, i, -s, 1);
                clueTwo(context, i, -1, -s);
                clueTwo(context, i, s, -1);
                break;
            case 1:
                clueOne(context, i, 1, s);
                clueOne(context, i, -s, 1);
                clueOne(context, i, -1, -s);
                clueOne(context, i, s, -1);
                break;
            default:
                blank(context, i, 1, s);
                break;
        }
        // Done once all four side neighbours share the cell's set (labels only).
        const unsigned t = tag[i];
        if (((tag[i - 1] ^ t) | (tag[i + 1] ^ t) | (tag[i - s] ^ t) | (tag[i + s] ^ t)) < 2) {
            doneFlags[i] = 1;
            doneChanged = true;
        }
    }
    corner(context, i, 1, s);
    corner(context, i, -s, 1);
    corner(context, i, -1, -s);
    corner(context, i, s, -1);
    return context.uf.setCount != setsBefore || context.contradiction != contradictionBefore ||
           doneChanged;
}

}  // namespace

void SolverBoard::sweep() {
    SweepContext context = contextOf(*this);
    const int32_t s = stride;
    uint8_t* doneFlags = done.data();
    const int32_t lastRow = paddedHeight - 2;
    int64_t cellsVisited = 0;
    // Padded rows 1 to H, border cells at both ends included, in index order.
    if (!uf.tracked) {
        for (int32_t i = s; i < (lastRow + 1) * s; ++i)
            visitCell(context, doneFlags, i, s);
        cellsVisited = static_cast<int64_t>(lastRow) * s;
    } else {
        // Only cells that a merge may have changed since their last visit recorded nothing. A
        // visit that records something can touch later cells of the same row, so the row's
        // mask is read afresh after every visit.
        for (int32_t row = 1; row <= lastRow; ++row) {
            uint64_t* pending = &uf.touched[row];
            int32_t x = 0;
            while (x < s) {
                const uint64_t ahead = *pending & (~uint64_t{0} << x);
                if (ahead == 0) break;
                x = std::countr_zero(ahead);
                const uint64_t bit = uint64_t{1} << x;
                *pending &= ~bit;
                ++cellsVisited;
                if (visitCell(context, doneFlags, row * s + x, s)) *pending |= bit;
                ++x;
            }
        }
    }
    storeContext(*this, context);
    if (work != nullptr) {
        ++work->sweeps;
        work->cellsSwept += static_cast<int64_t>(lastRow) * s;
        work->cellsVisited += cellsVisited;
        work->ruleRelates += context.relates;
    }
}

}  // namespace varnel
