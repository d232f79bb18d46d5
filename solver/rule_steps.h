#pragma once

#include <cstdint>

namespace varnel::rules {

// The steps of the local deduction rules for one cell c in rotation (a, b), written once for any
// context that offers the tests same(x, y) (known same colour) and differ(x, y) (known different
// colours), relate(x, y, same) and clue(x). The sweep runs them on the board itself; the clue
// probes of the creator run them on a copy of the few cells one visit reads. Steps run in order,
// and later tests see the relations recorded by earlier steps.

constexpr int SAME = 1;
constexpr int DIFFERENT = 0;

template <class Context>
[[gnu::always_inline]] inline void clueOne(Context& r, int32_t c, int32_t a, int32_t b) {
    // Step 1: two sides at the corner between c - a and c - b.
    if (r.same(c - a, c - b)) {
        r.relate(c, c - a, SAME);
        r.relate(c + a, c + b, DIFFERENT);
    } else if (r.differ(c - a, c - b)) {
        r.relate(c, c + a, SAME);
        r.relate(c, c + b, SAME);
    }
    // Step 2: the two opposite sides along a.
    if (r.same(c - a, c + a)) {
        r.relate(c, c - a, SAME);
        r.relate(c - b, c + b, DIFFERENT);
    } else if (r.differ(c - a, c + a)) {
        r.relate(c, c - b, SAME);
        r.relate(c, c + b, SAME);
    }
    // Step 3: the one side on the loop is known, the other three are off.
    if (r.differ(c, c - a)) {
        r.relate(c, c + a, SAME);
        r.relate(c, c - b, SAME);
        r.relate(c, c + b, SAME);
    }
    // Step 4: a neighbouring 1 or 3 across the side c - a.
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
[[gnu::always_inline]] inline void clueTwo(Context& r, int32_t c, int32_t a, int32_t b) {
    // Step 1.
    if (r.same(c - a, c - b)) {
        r.relate(c - a, c + a, DIFFERENT);
        r.relate(c - a, c + b, DIFFERENT);
    } else if (r.differ(c - a, c - b)) {
        r.relate(c + a, c + b, DIFFERENT);
    }
    // Step 2.
    if (r.same(c - a, c + a)) {
        r.relate(c - a, c - b, DIFFERENT);
        r.relate(c - a, c + b, DIFFERENT);
    } else if (r.differ(c - a, c + a)) {
        r.relate(c - b, c + b, DIFFERENT);
        if (r.clue(c - a) == 3) r.relate(c - a, c - 2 * a, DIFFERENT);
    }
    // Step 3: the side c - a is off the loop.
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
    // Step 4: a 3 across the side c - a.
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
[[gnu::always_inline]] inline void clueThree(Context& r, int32_t c, int32_t a, int32_t b) {
    // Step 0: the side c + a is off, so the other three are on.
    if (r.same(c, c + a)) {
        r.relate(c, c - a, DIFFERENT);
        r.relate(c, c + b, DIFFERENT);
        r.relate(c, c - b, DIFFERENT);
        return;
    }
    // Step 1.
    if (r.same(c - a, c - b)) {
        r.relate(c, c - a, DIFFERENT);
        r.relate(c + a, c + b, DIFFERENT);
    } else if (r.differ(c - a, c - b)) {
        r.relate(c, c + a, DIFFERENT);
        r.relate(c, c + b, DIFFERENT);
    }
    // Step 2.
    if (r.same(c - a, c + a)) {
        r.relate(c, c - a, DIFFERENT);
        r.relate(c - b, c + b, DIFFERENT);
    } else if (r.differ(c - a, c + a)) {
        r.relate(c, c - b, DIFFERENT);
        r.relate(c, c + b, DIFFERENT);
    }
    // Steps 3 and 4: a loop side runs into the corner of c from outside.
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
    // Steps 5 and 6: the diagonal cells beyond c + a.
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
[[gnu::always_inline]] inline void blank(Context& r, int32_t c, int32_t a, int32_t b) {
    if (r.same(c - a, c - b) && r.same(c - a, c + b) && r.same(c - a, c + a)) {
        r.relate(c, c - a, SAME);
    }
}

template <class Context>
[[gnu::always_inline]] inline void corner(Context& r, int32_t c, int32_t a, int32_t b) {
    // Step 1: the four cells around the corner point c, c + a, c + b, c + a + b never alternate.
    if (r.same(c + a, c + b) && r.differ(c + a, c + a + b)) r.relate(c, c + a, SAME);
    // Step 2: two loop sides meeting straight at the corner point leave the other two off.
    if (r.differ(c, c + a) && r.differ(c + b, c + a + b)) {
        r.relate(c, c + b, SAME);
        r.relate(c + a, c + a + b, SAME);
    }
    // Step 3: three sides of c on the loop leave the fourth off.
    if (r.differ(c, c - b) && r.differ(c, c - a) && r.differ(c, c + a)) r.relate(c, c + b, SAME);
}

// One visit of cell i by the sweep, with (a, b) the four rotations in their fixed order (1, s),
// (-s, 1), (-1, -s), (s, -1): the clue or blank rule unless the cell is done, the done check, and
// the corner rule. A visit reads the cells within one step of i and, for a clue-2 cell next to a
// 3, the cell two steps beyond it: nothing farther.
template <class Context>
[[gnu::always_inline]] inline void visitCell(Context& r, uint8_t& done, int32_t i, int32_t s) {
    if (!done) {
        switch (r.clue(i)) {
            case 3:
                clueThree(r, i, 1, s);
                clueThree(r, i, -s, 1);
                clueThree(r, i, -1, -s);
                clueThree(r, i, s, -1);
                break;
            case 2:
                clueTwo(r, i, 1, s);
                clueTwo(r, i, -s, 1);
                clueTwo(r, i, -1, -s);
                clueTwo(r, i, s, -1);
                break;
            case 1:
                clueOne(r, i, 1, s);
                clueOne(r, i, -s, 1);
                clueOne(r, i, -1, -s);
                clueOne(r, i, s, -1);
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
    corner(r, i, 1, s);
    corner(r, i, -s, 1);
    corner(r, i, -1, -s);
    corner(r, i, s, -1);
}

}  // namespace varnel::rules
