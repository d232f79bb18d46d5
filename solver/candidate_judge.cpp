// The candidate judge's entry and its base run: the board run once without any candidate, one
// sweep or a whole propagate, recording every visit and probing the visits that read a pending
// candidate's clue.

#include "solver/candidate_judge.h"

#include <algorithm>
#include <vector>

#include "solver/forced_inline.h"
#include "solver/rule_steps.h"
#include "solver/sweep_context.h"

namespace varnel {

namespace {

// What the base run notes besides its relations: every merge in order, as cells and as a relabel,
// and whether the current visit asked a relation opposite to a known one, so that candidates
// running apart can repeat the visit without playing its rules.
struct BaseRunLog {
    std::vector<CandidateJudge::Merge>* merges;  // the merges of the sweep, in order
    std::vector<Relabel>* relabels;              // the same merges as relabels
    uint32_t* absorbedAt;                        // per label: the relabel that absorbed it
    uint32_t* absorbedSweep;                     // per label: the sweep of that relabel
    uint32_t sweep;                              // the current sweep's number
    const uint16_t* tag;                         // the base run's tags
    bool askedOpposite = false;                  // the current visit asked an opposite relation

    void noteMerge(int32_t a, int32_t b, int same) {
        merges->push_back(CandidateJudge::Merge{a, b, same});
        const Relabel r = relabelOf(tag[a], tag[b], same);
        absorbedAt[r.from] = static_cast<uint32_t>(relabels->size());
        absorbedSweep[r.from] = sweep;
        relabels->push_back(r);
    }
    void noteOpposite() { askedOpposite = true; }
};

}  // namespace

void CandidateJudge::judgeHere(const SolverBoard& board, JudgeBy by) {
    if (!board.uf.tracked) {
        // Boards too large to track touched cells: every candidate runs alone.
        for (ClueCandidate& candidate : candidates)
            runAlone(board, candidate, by);
        return;
    }
    if (slots.stride != board.stride || rowOf.size() != static_cast<size_t>(board.cellCount)) {
        slots.build(board.stride);
        rowOf.resize(static_cast<size_t>(board.cellCount));
        columnOf.resize(static_cast<size_t>(board.cellCount));
        for (int32_t i = 0; i < board.cellCount; ++i) {
            rowOf[i] = static_cast<int16_t>(i / board.stride);
            columnOf[i] = static_cast<int16_t>(i % board.stride);
        }
    }
    baseCopies.resize(board.cellCount, board.stride);
    ownCopies.resize(board.cellCount, board.stride);
    entryLimit = std::clamp(board.cellCount / 24, 8, DeltaRun::MAX_ENTRIES);
    candidateAt.assign(static_cast<size_t>(board.cellCount), -1);
    course.assign(candidates.size(), Course::ENDED);
    runs.resize(candidates.size());
    deltas.clear();
    for (size_t k = 0; k < candidates.size(); ++k) {
        ClueCandidate& candidate = candidates[k];
        const int32_t index = static_cast<int32_t>(k);
        if (!board.placingMaySeed(candidate.x, candidate.y, candidate.value)) {
            course[k] = Course::FOLLOWS;
        } else if (!seedApart(board, index)) {
            runAlone(board, candidate, by);
            continue;
        }
        candidateAt[board.cellIndex(candidate.x, candidate.y)] = index;
    }
    findClueReads(board);
    markProbes(board);
    const size_t rows = static_cast<size_t>(board.paddedHeight);
    playRows.assign(rows, 0);
    stopRows = probeRows;
    playHead.assign(static_cast<size_t>(board.cellCount), -1);
    playMasks.resize(candidates.size() * rows);
    baseVisits.resize(static_cast<size_t>(board.cellCount));
    visitSweep.resize(static_cast<size_t>(board.cellCount), 0);
    absorbedAt.resize(static_cast<size_t>(board.cellCount), 0);
    absorbedSweep.resize(static_cast<size_t>(board.cellCount), 0);
    entryMark.resize(static_cast<size_t>(board.cellCount), 0);
    base.copyFrom(board);
    runBase(by);
    for (size_t k = 0; k < candidates.size(); ++k) {
        if (course[k] == Course::FOLLOWS) candidates[k].sets = base.uf.setCount;
    }
}

bool CandidateJudge::seedApart(const SolverBoard& board, int32_t k) {
    const ClueCandidate& candidate = candidates[k];
    branch.copyFrom(board);
    branch.placeClue(candidate.x, candidate.y, candidate.value);
    branch.clues[board.cellIndex(candidate.x, candidate.y)] = NO_BOARD_CLUE;
    DeltaRun& run = runs[k];
    if (!differencesInto(branch, board, run)) return false;
    run.reference = branch.uf.setCount;  // its propagate starts after the placing
    run.relabelCursor = 0;
    run.lastPlayed = -1;
    course[k] = Course::DELTA;
    deltas.push_back(k);
    return true;
}

void CandidateJudge::runAlone(const SolverBoard& board, ClueCandidate& candidate, JudgeBy by) {
    branch.copyFrom(board);
    branch.placeClue(candidate.x, candidate.y, candidate.value);
    measureBy(branch, by);
    branch.placeClue(candidate.x, candidate.y, NO_BOARD_CLUE);
    candidate.sets = branch.uf.setCount;
}

void CandidateJudge::sweepWithProbes(int32_t reference) {
    if (++baseSweep == 0) {
        std::fill(visitSweep.begin(), visitSweep.end(), 0);
        std::fill(absorbedSweep.begin(), absorbedSweep.end(), 0);
        baseSweep = 1;
    }
    baseMerges.clear();
    baseRelabels.clear();
    leavers.clear();
    basePlay.cell = -1;
    const int32_t s = base.stride;
    // The delta runs start the sweep with their entries current (caught up after the last one).
    size_t kept = 0;
    for (const int32_t k : deltas) {
        if (course[k] != Course::DELTA) continue;
        deltas[kept++] = k;
        DeltaRun& run = runs[k];
        run.relabelCursor = 0;
        run.lastPlayed = -1;
        buildPlayMask(k);
        scheduleAfter(k, s - 1);
    }
    deltas.resize(kept);

    const BaseRunLog log{&baseMerges,          &baseRelabels, absorbedAt.data(),
                         absorbedSweep.data(), baseSweep,     base.uf.tags()};
    BasicSweepContext<BaseRunLog> context{
        base.uf, base.uf.tags(), base.clues, base.uf.contradiction != 0, 0, log};
    const uint16_t* tag = context.tag;
    uint8_t* doneFlags = base.done.data();
    // Probes and delta plays come before the base run's visit of their cell, on the base run as
    // it stands before the visit.
    auto stop = [&](int32_t i) VARNEL_FORCED_INLINE {
        const int32_t row = i / s;
        const uint64_t bit = uint64_t{1} << (i % s);
        const bool contradiction = context.contradiction || base.uf.contradiction != 0;
        if ((probeRows[row] & bit) != 0 && !doneFlags[i]) probeVisit(i, reference, contradiction);
        if ((playRows[row] & bit) != 0) {
            playRows[row] &= ~bit;
            stopRows[row] = probeRows[row] | playRows[row];
            playDeltas(i);
        }
    };
    auto visit = [&](int32_t i, int32_t, int32_t) VARNEL_FORCED_INLINE {
        BaseVisit& v = baseVisits[i];
        v.recordReads(tag, i, s);
        v.doneBefore = doneFlags[i];
        v.firstMerge = static_cast<int32_t>(baseMerges.size());
        context.log.askedOpposite = false;
        if (basePlay.cell == i) {
            // Played on copies already, before the probes and plays at i: its merges, in order,
            // are the visit's.
            const SlotVisit& play = basePlay.play;
            for (int32_t n = 0; n < play.relabelCount; ++n)
                context.relate(play.merged[n].a, play.merged[n].b, play.merged[n].same);
            doneFlags[i] = play.done;
            if (play.contradiction) {
                context.contradiction = true;
                context.log.noteOpposite();
            }
        } else {
            rules::visitCell(context, doneFlags[i], i, s);
        }
        v.merges = static_cast<int32_t>(baseMerges.size()) - v.firstMerge;
        v.doneAfter = doneFlags[i];
        v.askedOpposite = context.log.askedOpposite;
        visitSweep[i] = baseSweep;
        if (v.askedOpposite) noteBaseOpposite(i);
        return v.merges > 0 || v.doneAfter != v.doneBefore || v.askedOpposite != 0;
    };
    const int64_t cellsVisited = walkTouchedCells(
        base.uf.touched.data(), s, s, base.paddedHeight - 2, visit, stopRows.data(), stop);
    finishSweep(base, context, s, cellsVisited);
    for (const int32_t k : deltas) {
        if (course[k] == Course::DELTA) catchUp(runs[k]);
    }
}

// The base run mirrors propagate (or one sweep) exactly; its end state is what every candidate
// still following it ends with. Only the set count is used, so the solved check at the end, which
// changes no relation, is left out. Candidates on boards apart make each sweep after the base run
// has made it, so that they can repeat its visits.
void CandidateJudge::runBase(JudgeBy by) {
    apart.clear();
    if (by == JudgeBy::SWEEP) {
        sweepWithProbes(0);
        for (const Apart& a : leavers) {
            withClue(a, [&](SolverBoard&) { followSweep(a); });
            release(a);
        }
        for (const int32_t k : deltas) {
            if (course[k] != Course::DELTA) continue;
            candidates[k].sets = base.uf.setCount + runs[k].setOffset;
            course[k] = Course::ENDED;
        }
        return;
    }
    if (base.work != nullptr) ++base.work->propagateCalls;
    int32_t reference = base.uf.setCount;
    for (;;) {
        boardsToDeltas(reference);
        sweepWithProbes(reference);
        for (Apart& a : apart) {
            a.resume = base.stride;
            withClue(a, [&](SolverBoard&) { followSweep(a); });
        }
        for (const Apart& a : leavers) {
            withClue(a, [&](SolverBoard&) { followSweep(a); });
            apart.push_back(a);
        }
        const AfterSweep baseNext = afterSweep(base, reference);
        // Boards apart first: stepDeltas puts delta runs that pass on boards apart, their pass
        // made.
        baseMapped = false;
        stepApart(reference, baseNext);
        stepDeltas(reference, baseNext);
        if (baseNext == AfterSweep::ENDS) break;
        if (baseNext == AfterSweep::SWEEPS_AGAIN) {
            reference = base.uf.setCount;
            continue;
        }
        if (basePassOutcome() != SolverBoard::PassOutcome::DECIDED) {
            for (Apart& a : apart) {
                a.resume = base.stride;  // each is at the start of a sweep
                finishApart(a);
            }
            apart.clear();
            break;
        }
        reference = base.uf.setCount;
    }
}

}  // namespace varnel
