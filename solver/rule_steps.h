#pragma once

#include <cstdint>

#include "solver/forced_inline.h"
#include "solver/parity_union_find.h"
#include "solver/rotations.h"

namespace varnel::rules {

// The steps of the local deduction rules for one cell c in rotation (a, b), written once for any
// context that offers the tests same(x, y) (known same colour) and differ(x, y) (known different
// colours), relate(x, y, same) and clue(x). The sweep runs them on the board itself; the clue
// probes of the creator run them on a copy of the few cells one visit reads. Steps run in order,
// and later tests see the relations recorded by earlier steps.

template <class Context>
VARNEL_FORCED_INLINE inline void clueOne(Context& r, int32_t c, int32_t a, int32_t b) {
    // The sides towards c - a and c - b: alike neighbours there put both sides off (both on
    // would be two), so the one side on is towards c + a or c + b; differing ones put one of
    // them on, so the other two sides are off.
    if (r.same(c - a, c - b)) {
        r.relate(c, c - a, SAME);
        r.relate(c + a, c + b, DIFFERENT);
    } else if (r.differ(c - a, c - b)) {
        r.relate(c, c + a, SAME);
        r.relate(c, c + b, SAME);
    }
    // The two opposite sides along a, in the same way.
    if (r.same(c - a, c + a)) {
        r.relate(c, c - a, SAME);
        r.relate(c - b, c + b, DIFFERENT);
    } else if (r.differ(c - a, c + a)) {
        r.relate(c, c - b, SAME);
        r.relate(c, c + b, SAME);
    }
    // The one side on the loop is known, so the other three are off.
    if (r.differ(c, c - a)) {
        r.relate(c, c + a, SAME);
        r.relate(c, c - b, SAME);
        r.relate(c, c + b, SAME);
    }
    // A neighbouring 1 or 3 across the side towards c - a.
    const uint8_t neighbour = r.clue(c - a);
    if (neighbour == 1) {
        if (r.same(c - a - b, c - b) || r.same(c - a + b, c + b)) r.relate(c, c - a, SAME);
    } else if (neighbour == 3) {
        if (r.same(c - a + b, c + b)) {
            r.relate(c - a, c - a + b, DIFFERENT);
            r.relate(c, c - b, SAME);
            r.relate(c, c + a, SAME);
        } else if (r.same(c - a - b, c - b)) {
            r.relate(c - a, c - a - b, DIFFERENT);
            r.relate(c, c + b, SAME);
            r.relate(c, c + a, SAME);
        }
    }
}

template <class Context>
VARNEL_FORCED_INLINE inline void clueTwo(Context& r, int32_t c, int32_t a, int32_t b) {
    // The sides towards c - a and c - b: alike neighbours there put both sides on or both off,
    // so the other two sides are the opposite; differing ones put one of them on, and so one of
    // the other two.
    if (r.same(c - a, c - b)) {
        r.relate(c - a, c + a, DIFFERENT);
        r.relate(c - a, c + b, DIFFERENT);
    } else if (r.differ(c - a, c - b)) {
        r.relate(c + a, c + b, DIFFERENT);
    }
    // The two opposite sides along a, in the same way; when one of them is on, a 3 at c - a
    // also has its far side, towards c - 2a, on the loop.
    if (r.same(c - a, c + a)) {
        r.relate(c - a, c - b, DIFFERENT);
        r.relate(c - a, c + b, DIFFERENT);
    } else if (r.differ(c - a, c + a)) {
        r.relate(c - b, c + b, DIFFERENT);
        if (r.clue(c - a) == 3) r.relate(c - a, c - 2 * a, DIFFERENT);
    }
    // The side towards c - a is off the loop: a known corner cell, or a 3 diagonally beyond
    // c + a, tells which of the sides towards c - b and c + b is on.
    if (r.same(c, c - a)) {
        if (r.same(c + a - b, c)) {
            r.relate(c, c + b, DIFFERENT);
            r.relate(c + a, c - b, DIFFERENT);
        } else if (r.same(c + a + b, c)) {
            r.relate(c, c - b, DIFFERENT);
            r.relate(c + a, c + b, DIFFERENT);
        }
        if (r.clue(c + a - b) == 3) {
            r.relate(c, c + b, DIFFERENT);
            r.relate(c + a, c - b, DIFFERENT);
        } else if (r.clue(c + a + b) == 3) {
            r.relate(c, c - b, DIFFERENT);
            r.relate(c + a, c + b, DIFFERENT);
        }
    }
    // A 3 across the side towards c - a.
    if (r.clue(c - a) != 3) return;
    if (r.same(c, c - b)) {
        if (r.differ(c - b, c - a - b)) {
            r.relate(c, c + a, DIFFERENT);
            r.relate(c - a + b, c + b, SAME);
        }
    } else if (r.same(c, c + b) && r.differ(c + b, c - a + b)) {
        r.relate(c, c + a, DIFFERENT);
        r.relate(c - a - b, c - b, SAME);
    }
}

template <class Context>
VARNEL_FORCED_INLINE inline void clueThree(Context& r, int32_t c, int32_t a, int32_t b) {
    // The side towards c + a is off, so the other three are on; nothing more to learn in this
    // rotation.
    if (r.same(c, c + a)) {
        r.relate(c, c - a, DIFFERENT);
        r.relate(c, c + b, DIFFERENT);
        r.relate(c, c - b, DIFFERENT);
        return;
    }
    // The sides towards c - a and c - b: alike neighbours there put both sides on (both off
    // would leave only two), so exactly one of the other two is on; differing ones put one of
    // them off, so the other two sides are on.
    if (r.same(c - a, c - b)) {
        r.relate(c, c - a, DIFFERENT);
        r.relate(c + a, c + b, DIFFERENT);
    } else if (r.differ(c - a, c - b)) {
        r.relate(c, c + a, DIFFERENT);
        r.relate(c, c + b, DIFFERENT);
    }
    // The two opposite sides along a, in the same way.
    if (r.same(c - a, c + a)) {
        r.relate(c, c - a, DIFFERENT);
        r.relate(c - b, c + b, DIFFERENT);
    } else if (r.differ(c - a, c + a)) {
        r.relate(c, c - b, DIFFERENT);
        r.relate(c, c + b, DIFFERENT);
    }
    // A loop side runs into a corner of c from outside, between c - a and c -+ b.
    if (r.differ(c - a, c - a - b)) {
        r.relate(c, c + a, DIFFERENT);
        r.relate(c, c + b, DIFFERENT);
        r.relate(c - a - b, c - b, SAME);
    }
    if (r.differ(c - a, c - a + b)) {
        r.relate(c, c + a, DIFFERENT);
        r.relate(c, c - b, DIFFERENT);
        r.relate(c - a + b, c + b, SAME);
    }
    // The diagonal cells beyond c + a.
    if (r.same(c - a, c + a - b)) {
        r.relate(c, c - a, DIFFERENT);
    } else if (r.differ(c - a, c + a - b)) {
        r.relate(c, c + b, DIFFERENT);
    }
    if (r.same(c - a, c + a + b)) {
        r.relate(c, c - a, DIFFERENT);
    } else if (r.differ(c - a, c + a + b)) {
        r.relate(c, c - b, DIFFERENT);
    }
}

template <class Context>
VARNEL_FORCED_INLINE inline void blank(Context& r, int32_t c, int32_t a, int32_t b) {
    if (r.same(c - a, c - b) && r.same(c - a, c + b) && r.same(c - a, c + a)) {
        r.relate(c, c - a, SAME);
    }
}

template <class Context>
VARNEL_FORCED_INLINE inline void corner(Context& r, int32_t c, int32_t a, int32_t b) {
    // The four cells around the corner point of c, c + a, c + b and c + a + b never alternate.
    if (r.same(c + a, c + b) && r.differ(c + a, c + a + b)) r.relate(c, c + a, SAME);
    // Two loop sides meeting straight at the corner point leave the other two off.
    if (r.differ(c, c + a) && r.differ(c + b, c + a + b)) {
        r.relate(c, c + b, SAME);
        r.relate(c + a, c + a + b, SAME);
    }
    // Three sides of c on the loop leave the fourth off.
    if (r.differ(c, c - b) && r.differ(c, c - a) && r.differ(c, c + a)) r.relate(c, c + b, SAME);
}

// One visit of cell i by the sweep, with (a, b) the four rotations of forEachRotation in their
// fixed order: the clue or blank rule unless the cell is done, the done check, and the corner
// rule. A visit reads the cells within one step of i and, for a clue-2 cell next to a 3, the cell
// two steps beyond it: nothing farther. The lambdas are always inlined, so each rule is inlined
// with the offsets of its four rotations as if written out.
template <class Context>
VARNEL_FORCED_INLINE inline void visitCell(Context& r, uint8_t& done, int32_t i, int32_t s) {
    if (!done) {
        switch (r.clue(i)) {
            case 3:
                forEachRotation(
                    s, [&](int32_t a, int32_t b) VARNEL_FORCED_INLINE { clueThree(r, i, a, b); });
                break;
            case 2:
                forEachRotation(
                    s, [&](int32_t a, int32_t b) VARNEL_FORCED_INLINE { clueTwo(r, i, a, b); });
                break;
            case 1:
                forEachRotation(
                    s, [&](int32_t a, int32_t b) VARNEL_FORCED_INLINE { clueOne(r, i, a, b); });
                break;
            default:
                blank(r, i, 1, s);
                break;
        }
        // Done once all four side neighbours share the cell's set (labels only).
        if (r.sameSet(i, i - 1) && r.sameSet(i, i + 1) && r.sameSet(i, i - s) &&
            r.sameSet(i, i + s)) {
            done = 1;
        }
    }
    forEachRotation(s, [&](int32_t a, int32_t b) VARNEL_FORCED_INLINE { corner(r, i, a, b); });
}

// Calls fn(cell) for every neighbour of cell p whose visit reads a clue v at p otherwise than as
// no clue: a side neighbouring 1 tells a 1 or a 3 from the rest, a side or diagonal neighbouring 2
// tells a 3 from the rest. Side neighbours first, then diagonal ones. The visit of p itself reads
// its clue too; that one is left to the caller.
template <class Fn>
inline void forEachClueReader(const uint8_t* clues, int32_t p, int32_t s, uint8_t v, Fn&& fn) {
    for (const int32_t d : {1, -1, s, -s}) {
        const uint8_t reader = clues[p + d];
        if ((reader == 1 && (v == 1 || v == 3)) || (reader == 2 && v == 3)) fn(p + d);
    }
    if (v == 3) {
        for (const int32_t d : {s + 1, s - 1, -s + 1, -s - 1}) {
            if (clues[p + d] == 2) fn(p + d);
        }
    }
}

}  // namespace varnel::rules
