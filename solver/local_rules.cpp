// The sweep of the local rules (solver/rule_steps.h) over the board.

#include "solver/forced_inline.h"
#include "solver/solver_board.h"
#include "solver/sweep_context.h"

namespace varnel {

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
        // Only cells that a merge may have changed since their last visit recorded nothing.
        cellsVisited = walkTouchedCells(uf.touched.data(), s, firstCell, lastRow,
                                        [&](int32_t i, int32_t, int32_t) VARNEL_FORCED_INLINE {
                                            return visitRecords(context, doneFlags[i], i, s);
                                        });
    }
    finishSweep(*this, context, firstCell, cellsVisited);
}

}  // namespace varnel
