#include "solver/local_rules.h"

namespace varnel {

namespace {

// The tests of the rules on one board: x = y known same colour, x != y known different. Both are
// false for cells of different sets.
struct Relations {
    const uint16_t* tag;
    bool same(int32_t x, int32_t y) const { return tag[x] == tag[y]; }
    bool differ(int32_t x, int32_t y) const { return (tag[x] ^ tag[y]) == 1; }
};

constexpr int SAME = 1;
constexpr int DIFFERENT = 0;

inline void clueOne(ParityUnionFind& uf, const uint8_t* clues, int32_t c, int32_t a, int32_t b) {
    const Relations r{uf.tags()};
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

inline void clueTwo(ParityUnionFind& uf, const uint8_t* clues, int32_t c, int32_t a, int32_t b) {
    const Relations r{uf.tags()};
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

inline void clueThree(ParityUnionFind& uf, int32_t c, int32_t a, int32_t b) {
    const Relations r{uf.tags()};
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

inline void blank(ParityUnionFind& uf, int32_t c, int32_t a, int32_t b) {
    const Relations r{uf.tags()};
    if (r.same(c - a, c - b) && r.same(c - a, c + b) && r.same(c - a, c + a)) {
        uf.relate(c, c - a, SAME);
    }
}

inline void corner(ParityUnionFind& uf, int32_t c, int32_t a, int32_t b) {
    const Relations r{uf.tags()};
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

void ruleClueOne(SolverBoard& board, int32_t c, int32_t a, int32_t b) {
    clueOne(board.uf, board.clues, c, a, b);
}
void ruleClueTwo(SolverBoard& board, int32_t c, int32_t a, int32_t b) {
    clueTwo(board.uf, board.clues, c, a, b);
}
void ruleClueThree(SolverBoard& board, int32_t c, int32_t a, int32_t b) {
    clueThree(board.uf, c, a, b);
}
void ruleBlank(SolverBoard& board, int32_t c, int32_t a, int32_t b) {
    blank(board.uf, c, a, b);
}
void ruleCorner(SolverBoard& board, int32_t c, int32_t a, int32_t b) {
    corner(board.uf, c, a, b);
}

void SolverBoard::sweep() {
    const int32_t s = stride;
    const int32_t rotations[4][2] = {{1, s}, {-s, 1}, {-1, -s}, {s, -1}};
    const uint16_t* tag = uf.tags();
    const int32_t last = cellCount - s - 1;
    for (int32_t i = s; i <= last; ++i) {
        if (!done[i]) {
            switch (clues[i]) {
                case 3:
                    for (const auto& r : rotations)
                        clueThree(uf, i, r[0], r[1]);
                    break;
                case 2:
                    for (const auto& r : rotations)
                        clueTwo(uf, clues, i, r[0], r[1]);
                    break;
                case 1:
                    for (const auto& r : rotations)
                        clueOne(uf, clues, i, r[0], r[1]);
                    break;
                default:
                    blank(uf, i, 1, s);
                    break;
            }
            // Done once all four side neighbours share the cell's set (labels only).
            const int label = tag[i] >> 1;
            if ((tag[i - 1] >> 1) == label && (tag[i + 1] >> 1) == label &&
                (tag[i - s] >> 1) == label && (tag[i + s] >> 1) == label) {
                done[i] = 1;
            }
        }
        for (const auto& r : rotations)
            corner(uf, i, r[0], r[1]);
    }
}

}  // namespace varnel
