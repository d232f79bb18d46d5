#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>
#include <type_traits>

#include "solver/forced_inline.h"
#include "solver/rule_steps.h"
#include "solver/solver_board.h"

namespace varnel {

// The machinery every sweep of the local rules shares: the rules' view of the board, the walk
// over the cells that may act, and the sweep's end. The plain sweep (SolverBoard::sweepFrom) and
// the candidate judge's sweeps (its recorded base run and the candidates' runs apart) all use it.

// What a sweep notes besides the relations themselves, through noteMerge(a, b, same) before each
// merge and noteOpposite() at each relation asked opposite to a known one. A plain sweep notes
// nothing; the candidate judge's base run notes both, so that candidates running apart can repeat
// its visits.
struct NoVisitLog {
    void noteMerge(int32_t, int32_t, int) {}
    void noteOpposite() {}
};

// The rules' view of a board during one sweep, with the contradiction flag and the work count
// kept in locals and stored once at the end. relate is the union-find's, with the common case of
// an already known relation inline. Log says what else the sweep notes; it is fixed at compile
// time, so the plain sweep pays nothing for the recording one.
template <class Log>
struct BasicSweepContext {
    ParityUnionFind& uf;   // the board's colour relations
    uint16_t* tag;         // [-pad, cellCount + pad): uf's tags, with sentinels
    const uint8_t* clues;  // [0, cellCount): the board's clues
    bool contradiction;    // set once an opposite relation was asked
    int64_t relates;       // relate calls, for the work counters
    [[no_unique_address]] Log log;

    bool same(int32_t x, int32_t y) const { return tag[x] == tag[y]; }
    bool differ(int32_t x, int32_t y) const { return (tag[x] ^ tag[y]) == 1; }
    bool sameSet(int32_t x, int32_t y) const { return (tag[x] ^ tag[y]) < 2; }
    uint8_t clue(int32_t x) const { return clues[x]; }
    VARNEL_FORCED_INLINE void relate(int32_t a, int32_t b, int sameColour) {
        ++relates;
        const unsigned x = tag[a] ^ tag[b];
        if (x >= 2) {
            log.noteMerge(a, b, sameColour);
            uf.merge(a, b, sameColour);
        } else if (static_cast<int>(x) == sameColour) {
            contradiction = true;
            log.noteOpposite();
        }
    }
};

using SweepContext = BasicSweepContext<NoVisitLog>;

inline SweepContext contextOf(SolverBoard& board) {
    return SweepContext{board.uf, board.uf.tags(), board.clues, false, 0, {}};
}

// Stores a contradiction the sweep found in the board's flag (it never clears the flag).
template <class Log>
inline void storeContradiction(SolverBoard& board, const BasicSweepContext<Log>& context) {
    if (context.contradiction) board.uf.contradiction = 1;
}

// Ends a sweep of board that ran from firstCell to the end of padded row H: stores the
// contradiction flag and counts the sweep's work.
template <class Log>
inline void finishSweep(SolverBoard& board, const BasicSweepContext<Log>& context,
                        int32_t firstCell, int64_t cellsVisited) {
    storeContradiction(board, context);
    if (board.work != nullptr) {
        const int32_t end = (board.paddedHeight - 1) * board.stride;
        board.work->addSweep(end - firstCell, cellsVisited, context.relates);
    }
}

// One visit of cell i. Returns true when it recorded anything (a merge, a contradiction, the done
// flag), so that the cell may record more at its next visit.
VARNEL_FORCED_INLINE inline bool visitRecords(SweepContext& context, uint8_t& done, int32_t i,
                                              int32_t s) {
    const int32_t setsBefore = context.uf.setCount;
    const bool contradictionBefore = context.contradiction;
    const uint8_t doneBefore = done;
    rules::visitCell(context, done, i, s);
    return context.uf.setCount != setsBefore || context.contradiction != contradictionBefore ||
           done != doneBefore;
}

// The walk of a sweep on a tracked board: in index order from firstCell to the end of padded row
// lastRow, the cells that a merge may have changed since their last visit recorded nothing
// (their bit in touched, one mask per padded row). Each such cell's bit is cleared before
// visit(i, row, x) and set again when the visit returns true: it recorded something, so its next
// visit may record more. A visit that records something can touch later cells of the same row,
// so the row's mask is read afresh after every visit. Returns the number of cells visited.
//
// With probeRows (one mask per padded row) and probe given, the cells of probeRows are passed to
// probe(i) in the same order, each before its visit if it has one: the candidate judge probes
// there. probe may add cells of probeRows after i; the row's mask is read afresh after every
// cell. Without them the walk compiles to the plain loop.
template <class Visit, class Probe = std::nullptr_t>
VARNEL_FORCED_INLINE inline int64_t walkTouchedCells(uint64_t* touched, int32_t s,
                                                     int32_t firstCell, int32_t lastRow,
                                                     Visit&& visit,
                                                     const uint64_t* probeRows = nullptr,
                                                     Probe&& probe = nullptr) {
    constexpr bool PROBES = !std::is_same_v<std::decay_t<Probe>, std::nullptr_t>;
    int64_t cellsVisited = 0;
    const int32_t firstRow = firstCell / s;
    for (int32_t row = firstRow; row <= lastRow; ++row) {
        uint64_t* pending = &touched[row];
        int32_t x = row == firstRow ? firstCell % s : 0;
        while (x < s) {
            uint64_t probeCells = 0;
            if constexpr (PROBES) probeCells = probeRows[row];
            const uint64_t ahead = (*pending | probeCells) & (~uint64_t{0} << x);
            if (ahead == 0) break;
            x = std::countr_zero(ahead);
            const uint64_t bit = uint64_t{1} << x;
            const int32_t i = row * s + x;
            if constexpr (PROBES) {
                if ((probeCells & bit) != 0) probe(i);
                if ((*pending & bit) == 0) {
                    ++x;
                    continue;
                }
            }
            *pending &= ~bit;
            ++cellsVisited;
            if (visit(i, row, x)) *pending |= bit;
            ++x;
        }
    }
    return cellsVisited;
}

}  // namespace varnel
