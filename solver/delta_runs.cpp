// Delta runs of the candidate judge: a candidate that left the base run, kept as the cells where
// its run differs from the base run and stepped visit by visit with it. Only the visits that read
// a differing cell or the candidate's clue are played; every other visit does what the base run's
// visit does, and the base run's merges reach the differing cells as relabels.

#include <algorithm>
#include <bit>
#include <cassert>
#include <cstdlib>

#include "solver/candidate_judge.h"
#include "solver/rule_steps.h"
#include "solver/sweep_context.h"

namespace varnel {

namespace {

// Bits x - reach to x + reach of a row of `width` cells.
uint64_t spanBits(int32_t x, int32_t reach, int32_t width) {
    const int32_t first = std::max(x - reach, 0);
    const int32_t last = std::min(x + reach, width - 1);
    return (~uint64_t{0} >> (63 - last)) & (~uint64_t{0} << first);
}

}  // namespace

void CandidateJudge::leaveBase(int32_t k, int32_t i, int32_t reference, bool contradiction) {
    course[k] = Course::DELTA;
    deltas.push_back(k);
    DeltaRun& run = runs[k];
    run.entryCount = 0;
    run.setOffset = 0;
    run.reference = reference;
    run.relabelCursor = static_cast<uint32_t>(baseRelabels.size());
    run.lastPlayed = -1;
    run.contradiction = contradiction;
    buildPlayMask(k);
    playDelta(k, i);
}

const SlotVisit& CandidateJudge::basePlayAt(int32_t i) {
    if (basePlay.cell == i) return basePlay.play;
    basePlay.cell = i;
    SlotVisit& play = basePlay.play;
    play.start(slots, baseCopies, base.uf.tags(), base.clues, i, base.done[i]);
    // A cell that nothing touched records nothing.
    const int32_t s = base.stride;
    if ((base.uf.touched[i / s] >> (i % s) & 1) != 0) rules::visitCell(play, play.done, i, s);
    return play;
}

void CandidateJudge::catchUp(DeltaRun& run) {
    const uint32_t end = static_cast<uint32_t>(baseRelabels.size());
    if (run.entryCount == 0) {
        run.relabelCursor = end;
        return;
    }
    const uint16_t* tag = base.uf.tags();
    const uint8_t* doneFlags = base.done.data();
    int32_t kept = 0;
    for (int32_t n = 0; n < run.entryCount; ++n) {
        DeltaEntry e = run.entries[n];
        if (e.tagDiffers) {
            // The base sweep's relabels from the cursor on, in order: a label is absorbed once,
            // into a label absorbed later if at all.
            for (int32_t l = e.tag >> 1;
                 absorbedSweep[l] == baseSweep && absorbedAt[l] >= run.relabelCursor;
                 l = e.tag >> 1) {
                e.tag = baseRelabels[absorbedAt[l]].apply(e.tag);
            }
            e.tagDiffers = e.tag != tag[e.cell];
        }
        if (e.tagDiffers || e.done != doneFlags[e.cell]) run.entries[kept++] = e;
    }
    run.entryCount = kept;
    run.relabelCursor = end;
}

void CandidateJudge::buildPlayMask(int32_t k) {
    const int32_t rows = base.paddedHeight;
    const int32_t s = base.stride;
    uint64_t* mask = &playMasks[static_cast<size_t>(k) * rows];
    std::fill(mask, mask + rows, 0);
    const DeltaRun& run = runs[k];
    for (int32_t n = 0; n < run.readCount; ++n) {
        const int32_t cell = run.reads[n];
        mask[cell / s] |= uint64_t{1} << (cell % s);
    }
    for (int32_t n = 0; n < run.entryCount; ++n)
        addEntryToMask(k, run.entries[n]);
}

// A visit of cell x reads its 3 x 3 block and, when x holds a 2 next to a 3 at x - a, the cell
// x - 2a beyond the 3 (the clue-2 rule). So the visits that read cell j are those of its block
// and of j + 2a where j + a holds a 3 and j + 2a a 2, with the candidate's clue in place. Only
// the visit of j itself reads its done flag.
void CandidateJudge::addEntryToMask(int32_t k, const DeltaEntry& entry) {
    const int32_t rows = base.paddedHeight;
    const int32_t s = base.stride;
    uint64_t* mask = &playMasks[static_cast<size_t>(k) * rows];
    const int32_t row = entry.cell / s;
    const int32_t x = entry.cell % s;
    if (!entry.tagDiffers) {
        mask[row] |= uint64_t{1} << x;
        return;
    }
    for (int32_t r = std::max(row - 1, 0); r <= std::min(row + 1, rows - 1); ++r)
        mask[r] |= spanBits(x, 1, s);
    const ClueCandidate& candidate = candidates[k];
    const int32_t p = base.cellIndex(candidate.x, candidate.y);
    auto clueAt = [&](int32_t cell) {
        if (cell < 0 || cell >= base.cellCount) return NO_BOARD_CLUE;
        return cell == p ? candidate.value : base.clues[cell];
    };
    for (const int32_t a : {1, -1, s, -s}) {
        const int32_t far = entry.cell + 2 * a;
        if (clueAt(entry.cell + a) == 3 && clueAt(far) == 2)
            mask[far / s] |= uint64_t{1} << (far % s);
    }
}

bool CandidateJudge::readsAsBase(const DeltaRun& run, int32_t i) const {
    // The cells a visit reads lie within two steps of it along rows and columns together: no read
    // wraps from one row end to the next but on border cells, which never differ.
    const int32_t row = rowOf[i], column = columnOf[i];
    bool reads = false;
    for (int32_t n = 0; n < run.entryCount; ++n) {
        const DeltaEntry& e = run.entries[n];
        const int32_t distance =
            std::abs(rowOf[e.cell] - row) + std::abs(columnOf[e.cell] - column);
        reads |= (e.cell == i) | (e.tagDiffers != 0 && distance <= 2);
    }
    if (reads) return false;
    // A done cell's visit is the corner rule alone, which reads no clue.
    if (base.done[i]) return true;
    for (int32_t n = 0; n < run.readCount; ++n) {
        if (run.reads[n] == i) return false;
    }
    return true;
}

void CandidateJudge::scheduleAfter(int32_t k, int32_t after) {
    const int32_t rows = base.paddedHeight;
    const int32_t s = base.stride;
    const uint64_t* mask = &playMasks[static_cast<size_t>(k) * rows];
    int32_t row = rowOf[after + 1];
    int32_t x = columnOf[after + 1];
    for (; row <= rows - 2; ++row, x = 0) {
        const uint64_t ahead = mask[row] & (~uint64_t{0} << x);
        if (ahead == 0) continue;
        const int32_t column = std::countr_zero(ahead);
        const int32_t cell = row * s + column;
        runs[k].nextScheduled = playHead[cell];
        playHead[cell] = k;
        playRows[row] |= uint64_t{1} << column;
        stopRows[row] |= uint64_t{1} << column;
        return;
    }
}

void CandidateJudge::playDeltas(int32_t i) {
    int32_t k = playHead[i];
    playHead[i] = -1;
    while (k >= 0) {
        const int32_t next = runs[k].nextScheduled;
        if (course[k] == Course::DELTA) playDelta(k, i);
        k = next;
    }
}

void CandidateJudge::playDelta(int32_t k, int32_t i) {
    DeltaRun& run = runs[k];
    if (readsAsBase(run, i)) {
        // Its visit is the base run's: the entries take the base run's merges later, with the
        // rest of them.
        scheduleAfter(k, i);
        return;
    }
    catchUp(run);
    const int32_t s = base.stride;
    const uint16_t* tag = base.uf.tags();
    const uint8_t* doneFlags = base.done.data();

    // The visit as the candidate's run makes it: the base run's cells with the run's entries, and
    // the candidate's clue.
    SlotVisit with;
    with.start(slots, ownCopies, tag, base.clues, i, doneFlags[i]);
    // Entries away from the cells the visit reads land where the play never looks.
    for (int32_t n = 0; n < run.entryCount; ++n) {
        const DeltaEntry& e = run.entries[n];
        if (e.cell == i) with.done = e.done;
        if (e.tagDiffers) with.tag[e.cell] = e.tag;
    }
    const ClueCandidate& candidate = candidates[k];
    with.overrideCell = base.cellIndex(candidate.x, candidate.y);
    with.overrideValue = candidate.value;
    rules::visitCell(with, with.done, i, s);
    const SlotVisit& without = basePlayAt(i);
    if (with.sameMerges(without) && with.done == without.done) {
        // The visit does what the base run's does: the entries take its merges with the base
        // run's others at the next catch-up; only a done flag of the visited cell may change.
        for (int32_t n = 0; n < run.entryCount; ++n) {
            if (run.entries[n].cell == i) run.entries[n].done = with.done;
        }
        if (with.contradiction) run.contradiction = 1;
        run.lastPlayed = i;
        scheduleAfter(k, i);
        return;
    }

    DeltaStep step;
    step.own = with.relabels.data();
    step.ownCount = with.relabelCount;
    step.base = without.relabels.data();
    step.baseCount = without.relabelCount;
    step.visited = i;
    step.ownDone = with.done;
    step.baseDone = without.done;
    if (!advanceEntries(k, step)) {
        // Too many differences: the run goes on on a board apart, from this visit on.
        leavers.push_back(toBoard(k, i));
        return;
    }
    if (with.contradiction) run.contradiction = 1;
    run.lastPlayed = i;
    run.relabelCursor = static_cast<uint32_t>(baseRelabels.size() + without.relabelCount);
    scheduleAfter(k, i);
}

bool CandidateJudge::advanceEntries(int32_t k, const DeltaStep& step) {
    DeltaRun& run = runs[k];
    const uint16_t* tag = base.uf.tags();
    const uint8_t* doneFlags = base.done.data();
    const int32_t i = step.visited;
    auto ownAfter = [&](uint16_t t) { return applyRelabels(step.own, step.ownCount, t); };
    auto baseAfter = [&](uint16_t t) { return applyRelabels(step.base, step.baseCount, t); };

    std::array<DeltaEntry, DeltaRun::MAX_ENTRIES> next;
    std::array<uint8_t, DeltaRun::MAX_ENTRIES> fresh;  // not in the play mask yet
    int32_t count = 0;
    bool overflow = false;
    bool visitedSeen = false;
    // masked: the cell's visit, or with maskedAround all visits that read the cell, are in the
    // play mask already.
    auto add = [&](int32_t cell, uint16_t ownTag, uint8_t ownDone, bool masked, bool maskedAround) {
        const uint16_t baseTag = baseAfter(tag[cell]);
        const uint8_t baseDone = cell == i ? step.baseDone : doneFlags[cell];
        if (ownTag == baseTag && ownDone == baseDone) return;
        if (count == entryLimit) {
            overflow = true;
            return;
        }
        const uint8_t tagDiffers = ownTag != baseTag;
        fresh[count] = tagDiffers ? !maskedAround : !masked;
        next[count++] = DeltaEntry{cell, ownTag, ownDone, tagDiffers};
    };
    if (++entryStamp == 0) {
        std::fill(entryMark.begin(), entryMark.end(), 0);
        entryStamp = 1;
    }
    for (int32_t n = 0; n < run.entryCount; ++n)
        entryMark[run.entries[n].cell] = entryStamp;
    auto isEntry = [&](int32_t cell) { return entryMark[cell] == entryStamp; };
    for (int32_t n = 0; n < run.entryCount; ++n) {
        const DeltaEntry& e = run.entries[n];
        const uint16_t ownTag = ownAfter(e.tagDiffers ? e.tag : tag[e.cell]);
        visitedSeen = visitedSeen || e.cell == i;
        add(e.cell, ownTag, e.cell == i ? step.ownDone : e.done, true, e.tagDiffers != 0);
    }
    // A set of the base run on whose tags the two steps act differently: its members outside
    // the entries differ from now on. A label no base set has is the label of entries only.
    auto addSet = [&](uint16_t label) {
        const uint16_t t = static_cast<uint16_t>(label << 1);
        if (ownAfter(t) == baseAfter(t) || (tag[label] >> 1) != label) return;
        int32_t member = label;
        do {
            if (!isEntry(member)) {
                visitedSeen = visitedSeen || member == i;
                add(member, ownAfter(tag[member]), member == i ? step.ownDone : doneFlags[member],
                    member == i, false);
            }
            member = base.uf.nextMember[member];
        } while (member != label && !overflow);
    };
    const int32_t steps = step.ownCount + step.baseCount;
    auto absorbed = [&](int32_t n) {
        return n < step.ownCount ? step.own[n].from : step.base[n - step.ownCount].from;
    };
    for (int32_t n = 0; n < steps && !overflow; ++n) {
        bool seen = false;
        for (int32_t m = 0; m < n; ++m)
            seen = seen || absorbed(m) == absorbed(n);
        if (!seen) addSet(absorbed(n));
    }
    // The visited cell's done flag.
    if (i >= 0 && !visitedSeen && !overflow) add(i, ownAfter(tag[i]), step.ownDone, true, false);
    if (overflow) return false;

    run.entryCount = count;
    std::copy(next.begin(), next.begin() + count, run.entries.begin());
    run.setOffset += step.baseCount - step.ownCount;
    for (int32_t n = 0; n < count; ++n) {
        if (fresh[n]) addEntryToMask(k, run.entries[n]);
    }
    return true;
}

void CandidateJudge::noteBaseOpposite(int32_t i) {
    for (const int32_t k : deltas) {
        if (course[k] == Course::DELTA && runs[k].lastPlayed != i) runs[k].contradiction = 1;
    }
}

void CandidateJudge::assemble(int32_t k, int32_t board) {
    SolverBoard& own = boards[board];
    own.copyFrom(base);
    const DeltaRun& run = runs[k];
    uint16_t* tag = own.uf.tags();
    bool relabelled = false;
    for (int32_t n = 0; n < run.entryCount; ++n) {
        const DeltaEntry& e = run.entries[n];
        if (e.tagDiffers) {
            relabelled = relabelled || (tag[e.cell] >> 1) != (e.tag >> 1);
            tag[e.cell] = e.tag;
        }
        own.done[e.cell] = e.done;
    }
    if (relabelled) own.uf.rebuildSets();
    own.uf.setCount = base.uf.setCount + run.setOffset;
    own.uf.contradiction = run.contradiction;
    // Only the visits that read the clue or a differing cell may act otherwise than the base
    // run's; where the base run's visit would record nothing, so does the candidate's.
    const int32_t rows = base.paddedHeight;
    const uint64_t* mask = &playMasks[static_cast<size_t>(k) * rows];
    for (int32_t r = 0; r < rows; ++r)
        own.uf.touched[r] |= mask[r];
}

CandidateJudge::Apart CandidateJudge::toBoard(int32_t k, int32_t resume) {
    if (freeBoards.empty()) {
        boards.emplace_back();
        freeBoards.push_back(static_cast<int32_t>(boards.size()) - 1);
    }
    Apart a;
    a.candidate = k;
    a.board = freeBoards.back();
    a.reference = runs[k].reference;
    a.resume = resume;
    freeBoards.pop_back();
    assemble(k, a.board);
    course[k] = Course::BOARD;
    return a;
}

bool CandidateJudge::differencesInto(const SolverBoard& own, const SolverBoard& from,
                                     DeltaRun& run) const {
    const uint16_t* tag = own.uf.tags();
    const uint16_t* fromTag = from.uf.tags();
    int32_t count = 0;
    for (int32_t j = 0; j < own.cellCount; ++j) {
        if (tag[j] == fromTag[j] && own.done[j] == from.done[j]) continue;
        if (count == entryLimit) return false;
        run.entries[count++] =
            DeltaEntry{j, tag[j], own.done[j], static_cast<uint8_t>(tag[j] != fromTag[j])};
    }
    run.entryCount = count;
    run.setOffset = own.uf.setCount - from.uf.setCount;
    run.contradiction = own.uf.contradiction;
    return true;
}

void CandidateJudge::boardsToDeltas(int32_t reference) {
    size_t kept = 0;
    for (const Apart& a : apart) {
        DeltaRun& run = runs[a.candidate];
        if (!differencesInto(boards[a.board], base, run)) {
            apart[kept++] = a;
            continue;
        }
        run.reference = a.reference;
        freeBoards.push_back(a.board);
        if (run.entryCount == 0 && a.reference == reference &&
            run.contradiction == base.uf.contradiction) {
            course[a.candidate] = Course::FOLLOWS;  // back on the base run's course
            continue;
        }
        course[a.candidate] = Course::DELTA;
        deltas.push_back(a.candidate);
    }
    apart.resize(kept);
}

uint16_t CandidateJudge::tagOf(const DeltaRun& run, int32_t cell) const {
    for (int32_t n = 0; n < run.entryCount; ++n) {
        const DeltaEntry& e = run.entries[n];
        if (e.cell == cell && e.tagDiffers) return e.tag;
    }
    return base.uf.tags()[cell];
}

void CandidateJudge::passOnBoard(int32_t k) {
    Apart a = toBoard(k, base.cellCount);
    SolverBoard::PassOutcome outcome = SolverBoard::PassOutcome::NOTHING;
    withClue(a, [&](SolverBoard& own) { outcome = own.connectivityPass(); });
    if (outcome != SolverBoard::PassOutcome::DECIDED) {
        release(a);
        return;
    }
    a.reference = boards[a.board].uf.setCount;
    apart.push_back(a);
}

SolverBoard::PassOutcome CandidateJudge::basePassOutcome() {
    if (!baseMapped) return base.connectivityPass();
    // The pass that the map decided, with what connectivityPass counts.
    ++base.scanCount;
    if (base.work != nullptr) ++base.work->scans;
    if (basePass.outcome == SolverBoard::PassOutcome::DECIDED) {
        base.uf.relate(basePass.inner, basePass.outer, SAME);
    }
    return basePass.outcome;
}

void CandidateJudge::stepDeltas(int32_t reference, AfterSweep baseNext) {
    const bool baseContradiction = base.uf.contradiction != 0;
    for (const int32_t k : deltas) {
        if (course[k] != Course::DELTA) continue;
        DeltaRun& run = runs[k];
        const bool contradiction = run.contradiction != 0;
        if (run.entryCount == 0 && run.reference == reference &&
            contradiction == baseContradiction) {
            course[k] = Course::FOLLOWS;  // back on the base run's course: probed again
            continue;
        }
        const int32_t sets = base.uf.setCount + run.setOffset;
        const AfterSweep next = afterSweep(contradiction, sets, run.reference);
        if (next == AfterSweep::ENDS) {
            candidates[k].sets = sets;  // the solved check that follows changes no relation
            course[k] = Course::ENDED;
            continue;
        }
        if (baseNext == AfterSweep::ENDS || next != baseNext) {
            finishApart(toBoard(k, base.cellCount));  // its sweep is complete
            continue;
        }
        if (next == AfterSweep::SWEEPS_AGAIN) {
            run.reference = sets;
            continue;
        }
        // Both pass: the candidate's pass, worked out from the base run's regions, before the
        // base run's pass.
        if (!baseMapped) {
            baseRegions.build(base.uf, base.stride);
            basePass = baseRegions.decide();
            baseMapped = true;
        }
        bool known = false;
        const PassDecision own = deltaPass(run, known);
        if (!known) {
            passOnBoard(k);
            continue;
        }
        if (base.work != nullptr) ++base.work->scans;
        if (own.outcome != SolverBoard::PassOutcome::DECIDED) {
            candidates[k].sets = sets;  // nothing decided, or contradicted
            course[k] = Course::ENDED;
            continue;
        }
        Relabel ownRelabel = relabelOf(tagOf(run, own.inner), tagOf(run, own.outer), SAME);
        Relabel baseRelabel;
        const bool baseDecides = basePass.outcome == SolverBoard::PassOutcome::DECIDED;
        if (baseDecides) {
            baseRelabel =
                relabelOf(base.uf.tags()[basePass.inner], base.uf.tags()[basePass.outer], SAME);
        }
        DeltaStep step;
        step.own = &ownRelabel;
        step.ownCount = 1;
        step.base = &baseRelabel;
        step.baseCount = baseDecides ? 1 : 0;
        if (!baseDecides || !advanceEntries(k, step)) {
            // The base run stops here, or the runs differ too much: on a board of its own.
            Apart a = toBoard(k, base.stride);
            boards[a.board].uf.relate(own.inner, own.outer, SAME);
            a.reference = boards[a.board].uf.setCount;
            if (baseDecides) {
                apart.push_back(a);
            } else {
                finishApart(a);
            }
            continue;
        }
        run.reference = sets - 1;
    }
    size_t kept = 0;
    for (const int32_t k : deltas) {
        if (course[k] == Course::DELTA) deltas[kept++] = k;
    }
    deltas.resize(kept);
}

}  // namespace varnel
