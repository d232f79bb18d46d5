#pragma once

#include <cstdint>

#include "solver/rule_steps.h"
#include "solver/solver_board.h"

namespace varnel {

// The rules' view of a board during one sweep, with the contradiction flag and the work count
// kept in locals and stored once at the end. relate is the union-find's, with the common case of
// an already known relation inline.
struct SweepContext {
    ParityUnionFind& uf;   // the board's colour relations
    uint16_t* tag;         // [-1, cellCount]: uf's tags, with sentinels
    const uint8_t* clues;  // [0, cellCount): the board's clues
    bool contradiction;    // set once an opposite relation was asked
    int64_t relates;       // relate calls, for the work counters

    bool same(int32_t x, int32_t y) const { return tag[x] == tag[y]; }
    bool differ(int32_t x, int32_t y) const { return (tag[x] ^ tag[y]) == 1; }
    bool sameSet(int32_t x, int32_t y) const { return (tag[x] ^ tag[y]) < 2; }
    uint8_t clue(int32_t x) const { return clues[x]; }
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

inline SweepContext contextOf(SolverBoard& board) {
    return SweepContext{board.uf, board.uf.tags(), board.clues, false, 0};
}

inline void storeContext(SolverBoard& board, const SweepContext& context) {
    if (context.contradiction) board.uf.contradiction = 1;
}

// One visit of cell i. Returns true when it recorded anything (a merge, a contradiction, the done
// flag), so that the cell may record more at its next visit.
[[gnu::always_inline]] inline bool visitRecords(SweepContext& context, uint8_t& done, int32_t i,
                                                int32_t s) {
    const int32_t setsBefore = context.uf.setCount;
    const bool contradictionBefore = context.contradiction;
    const uint8_t doneBefore = done;
    rules::visitCell(context, done, i, s);
    return context.uf.setCount != setsBefore || context.contradiction != contradictionBefore ||
           done != doneBefore;
}

}  // namespace varnel
