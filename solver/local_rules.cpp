#include "solver/local_rules.h"

#include <bit>

#include "solver/rule_steps.h"
#include "solver/sweep_context.h"

namespace varnel {

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
    if (firstCell >= end) return;  // the sweep is complete already
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
