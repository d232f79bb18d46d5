#include "solver/removal_judge.h"

#include <algorithm>
#include <cassert>

#include "solver/forced_inline.h"
#include "solver/sweep_context.h"

namespace varnel {

bool RemovalJudge::clearingMaySeed(const SolverBoard& board, int32_t x, int32_t y) {
    const uint8_t clue = board.clues[board.cellIndex(x, y)];
    // A 3 or a 2 seeds through the same tests as when it is placed, which read the other clues
    // only; a 0 always seeds.
    return clue == 0 || ((clue == 2 || clue == 3) && board.placingMaySeed(x, y, clue));
}

void RemovalJudge::judge(const SolverBoard& board, JudgeBy by) {
    const int32_t s = board.stride;
    const size_t count = removals.size();
    // The first visit that reads each clue otherwise than no clue: its own cell's, or that of a
    // neighbour of rules::forEachClueReader.
    firstReads.resize(count);
    for (size_t k = 0; k < count; ++k) {
        const int32_t p = board.cellIndex(removals[k].x, removals[k].y);
        const uint8_t clue = board.clues[p];
        assert(clue <= 3 && !clearingMaySeed(board, removals[k].x, removals[k].y));
        int32_t first = p;
        rules::forEachClueReader(board.clues, p, s, clue,
                                 [&](int32_t cell) { first = std::min(first, cell); });
        firstReads[k] = first;
    }
    order.resize(count);
    for (size_t k = 0; k < count; ++k)
        order[k] = static_cast<int32_t>(k);
    std::stable_sort(order.begin(), order.end(),
                     [&](int32_t a, int32_t b) { return firstReads[a] < firstReads[b]; });
    branchRows.assign(static_cast<size_t>(board.paddedHeight), 0);
    for (const int32_t first : firstReads)
        branchRows[first / s] |= uint64_t{1} << (first % s);

    base.copyFrom(board);
    // propagate's reference count: the set count it starts from, the set-up count.
    const int32_t setUpSets = board.uf.setCount;
    SweepContext context = contextOf(base);
    uint8_t* doneFlags = base.done.data();
    size_t next = 0;
    auto branchOff = [&](int32_t i) {
        storeContradiction(base, context);
        for (; next < count && firstReads[order[next]] == i; ++next) {
            ClueCandidate& removal = removals[order[next]];
            const int32_t p = base.cellIndex(removal.x, removal.y);
            branch.copyFrom(base);
            const uint8_t clue = base.clues[p];
            base.clues[p] = NO_BOARD_CLUE;  // the clue array the branch shares
            if (by == JudgeBy::PROPAGATE) {
                if (branch.work != nullptr) ++branch.work->propagateCalls;
                branch.propagateFrom(i, setUpSets);
            } else {
                branch.sweepFrom(i);
            }
            base.clues[p] = clue;
            removal.sets = branch.uf.setCount;
        }
    };
    auto visit = [&](int32_t i, int32_t, int32_t)
                     VARNEL_FORCED_INLINE { return visitRecords(context, doneFlags[i], i, s); };
    const int64_t cellsVisited = walkTouchedCells(
        base.uf.touched.data(), s, s, base.paddedHeight - 2, visit, branchRows.data(), branchOff);
    finishSweep(base, context, s, cellsVisited);
    assert(next == count);
}

}  // namespace varnel
