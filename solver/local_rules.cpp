#include "solver/local_rules.h"

#include <bit>

#include "solver/rule_steps.h"

namespace varnel {

namespace {

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

SweepContext contextOf(SolverBoard& board) {
    return SweepContext{board.uf, board.uf.tags(), board.clues, false, 0};
}

void storeContext(SolverBoard& board, const SweepContext& context) {
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

}  // namespace

// The rules one at a time, for tests and tools; the sweep inlines them.
void ruleClueOne(SolverBoard& board, int32_t c, int32_t a, int32_t b) {
    SweepContext context = contextOf(board);
    rules::clueOne(context, c, a, b);
    storeContext(board, context);
}
void ruleClueTwo(SolverBoard& board, int32_t c, int32_t a, int32_t b) {
    SweepContext context = contextOf(board);
    rules::clueTwo(context, c, a, b);
    storeContext(board, context);
}
void ruleClueThree(SolverBoard& board, int32_t c, int32_t a, int32_t b) {
    SweepContext context = contextOf(board);
    rules::clueThree(context, c, a, b);
    storeContext(board, context);
}
void ruleBlank(SolverBoard& board, int32_t c, int32_t a, int32_t b) {
    SweepContext context = contextOf(board);
    rules::blank(context, c, a, b);
    storeContext(board, context);
}
void ruleCorner(SolverBoard& board, int32_t c, int32_t a, int32_t b) {
    SweepContext context = contextOf(board);
    rules::corner(context, c, a, b);
    storeContext(board, context);
}

void SolverBoard::sweep() {
    sweepFrom(stride);
}

void SolverBoard::sweepFrom(int32_t firstCell) {
    SweepContext context = contextOf(*this);
    const int32_t s = stride;
    uint8_t* doneFlags = done.data();
    const int32_t lastRow = paddedHeight - 2;
    const int32_t end = (lastRow + 1) * s;
    int64_t cellsVisited = 0;
    // Padded rows 1 to H, border cells at both ends included, in index order.
    if (!uf.tracked) {
        for (int32_t i = firstCell; i < end; ++i)
            visitRecords(context, doneFlags[i], i, s);
        cellsVisited = end - firstCell;
    } else {
        // Only cells that a merge may have changed since their last visit recorded nothing. A
        // visit that records something can touch later cells of the same row, so the row's
        // mask is read afresh after every visit.
        for (int32_t row = firstCell / s; row <= lastRow; ++row) {
            uint64_t* pending = &uf.touched[row];
            int32_t x = row == firstCell / s ? firstCell % s : 0;
            while (x < s) {
                const uint64_t ahead = *pending & (~uint64_t{0} << x);
                if (ahead == 0) break;
                x = std::countr_zero(ahead);
                const uint64_t bit = uint64_t{1} << x;
                *pending &= ~bit;
                ++cellsVisited;
                const int32_t i = row * s + x;
                if (visitRecords(context, doneFlags[i], i, s)) *pending |= bit;
                ++x;
            }
        }
    }
    storeContext(*this, context);
    if (work != nullptr) {
        ++work->sweeps;
        work->cellsSwept += end - firstCell;
        work->cellsVisited += cellsVisited;
        work->ruleRelates += context.relates;
    }
}

}  // namespace varnel
