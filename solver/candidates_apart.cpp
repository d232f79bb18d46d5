// Candidates running apart from the candidate judge's base run on boards of their own, put
// together from the base run and a delta run's differences. A board's sweep repeats the base
// sweep's visits that read the same tags, and under propagate it keeps step with the base run,
// sweep by sweep, until it rejoins the base run, runs as differences again, ends, or takes another
// course and runs to its end alone.

#include "solver/candidate_judge.h"
#include "solver/forced_inline.h"
#include "solver/sweep_context.h"

namespace varnel {

void CandidateJudge::release(const Apart& a) {
    candidates[a.candidate].sets = boards[a.board].uf.setCount;
    course[a.candidate] = Course::ENDED;
    freeBoards.push_back(a.board);
}

void CandidateJudge::finishApart(const Apart& a) {
    withClue(a, [&](SolverBoard& own) { own.propagateFrom(a.resume, a.reference); });
    release(a);
}

void CandidateJudge::followSweep(const Apart& a) {
    const ClueCandidate& candidate = candidates[a.candidate];
    SolverBoard& own = boards[a.board];
    const int32_t s = own.stride;
    const int32_t lastRow = own.paddedHeight - 2;
    const int32_t end = (lastRow + 1) * s;
    if (a.resume >= end) return;
    SweepContext context = contextOf(own);
    uint8_t* doneFlags = own.done.data();
    const uint16_t* tag = own.uf.tags();
    // The visits of the 3 x 3 block around the candidate's cell read its clue and are always
    // played: padded rows and columns firstBlockRow, firstBlockColumn and the two after each.
    const int32_t firstBlockRow = candidate.y, firstBlockColumn = candidate.x;
    auto visit = [&](int32_t i, int32_t row, int32_t x) VARNEL_FORCED_INLINE {
        const BaseVisit& v = baseVisits[i];
        const bool repeat = visitSweep[i] == baseSweep && doneFlags[i] == v.doneBefore &&
                            !(static_cast<uint32_t>(row - firstBlockRow) <= 2 &&
                              static_cast<uint32_t>(x - firstBlockColumn) <= 2) &&
                            v.readsSame(tag, i, s, own.clues[i]);
        if (!repeat) return visitRecords(context, doneFlags[i], i, s);
        // Same tags read, same clues, same done flag: the visit does what the base run's did,
        // merge for merge.
        for (int32_t m = v.firstMerge; m < v.firstMerge + v.merges; ++m) {
            const Merge& merge = baseMerges[m];
            own.uf.merge(merge.a, merge.b, merge.same);
        }
        doneFlags[i] = v.doneAfter;
        if (v.askedOpposite) context.contradiction = true;
        return v.merges > 0 || v.doneAfter != v.doneBefore || v.askedOpposite != 0;
    };
    const int64_t cellsVisited =
        walkTouchedCells(own.uf.touched.data(), s, a.resume, lastRow, visit);
    finishSweep(own, context, a.resume, cellsVisited);
}

namespace {

// The same relations, done flags and contradiction flag.
bool sameState(const SolverBoard& a, const SolverBoard& b) {
    return a.uf.setCount == b.uf.setCount && a.uf.contradiction == b.uf.contradiction &&
           a.uf.tagStore == b.uf.tagStore && a.done == b.done;
}

}  // namespace

void CandidateJudge::stepApart(int32_t reference, AfterSweep baseNext) {
    size_t kept = 0;
    for (size_t n = 0; n < apart.size(); ++n) {
        Apart a = apart[n];
        SolverBoard& own = boards[a.board];
        if (a.reference == reference && sameState(own, base)) {
            // Back on the base run's course: probed again from here.
            course[a.candidate] = Course::FOLLOWS;
            freeBoards.push_back(a.board);
            continue;
        }
        const AfterSweep next = afterSweep(own, a.reference);
        if (next == AfterSweep::ENDS) {
            release(a);  // the solved check that follows changes no relation
            continue;
        }
        if (baseNext == AfterSweep::ENDS || next != baseNext) {
            a.resume = own.cellCount;  // its sweep is complete
            finishApart(a);
            continue;
        }
        if (next == AfterSweep::SWEEPS_AGAIN) {
            a.reference = own.uf.setCount;
        } else {
            SolverBoard::PassOutcome outcome = SolverBoard::PassOutcome::NOTHING;
            withClue(a, [&](SolverBoard& b) { outcome = b.connectivityPass(); });
            if (outcome != SolverBoard::PassOutcome::DECIDED) {
                release(a);
                continue;
            }
            a.reference = own.uf.setCount;
        }
        apart[kept++] = a;
    }
    apart.resize(kept);
}

}  // namespace varnel
