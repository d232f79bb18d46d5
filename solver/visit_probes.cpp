// The candidate judge's probes: at a visit of the base run that reads the clue of a candidate
// that follows it, the visit is played with and without the clue on copies of the few cells it
// reads, and a candidate whose visit would act differently leaves the base run there.

#include "solver/candidate_judge.h"
#include "solver/rule_steps.h"

namespace varnel {

// The cells whose visits read a candidate's clue: the candidate's own cell, then the neighbours of
// rules::forEachClueReader. Other clue values read there act as no clue.
void CandidateJudge::findClueReads(const SolverBoard& board) {
    const int32_t s = board.stride;
    for (size_t k = 0; k < candidates.size(); ++k) {
        if (course[k] == Course::ENDED) continue;
        const ClueCandidate& candidate = candidates[k];
        DeltaRun& run = runs[k];
        const int32_t p = board.cellIndex(candidate.x, candidate.y);
        run.readCount = 0;
        run.reads[run.readCount++] = p;
        rules::forEachClueReader(board.clues, p, s, candidate.value,
                                 [&](int32_t cell) { run.reads[run.readCount++] = cell; });
    }
}

void CandidateJudge::markProbes(const SolverBoard& board) {
    const int32_t s = board.stride;
    probeRows.assign(static_cast<size_t>(board.paddedHeight), 0);
    for (size_t k = 0; k < candidates.size(); ++k) {
        if (course[k] == Course::ENDED) continue;  // a delta run may rejoin the base run
        const DeltaRun& run = runs[k];
        for (int32_t n = 0; n < run.readCount; ++n) {
            const int32_t cell = run.reads[n];
            probeRows[cell / s] |= uint64_t{1} << (cell % s);
        }
    }
}

void CandidateJudge::probeVisit(int32_t i, int32_t reference, bool contradiction) {
    const int32_t s = base.stride;
    const uint8_t* clues = base.clues;
    // The candidates that follow the base run and whose clue this visit reads: the readers of
    // rules::forEachClueReader, seen from the reading cell.
    int32_t probes[9];
    int32_t count = 0;
    auto consider = [&](int32_t cell, bool (*reads)(uint8_t)) {
        const int32_t k = candidateAt[cell];
        if (k >= 0 && course[k] == Course::FOLLOWS && reads(candidates[k].value)) {
            probes[count++] = k;
        }
    };
    consider(i, [](uint8_t) { return true; });
    if (clues[i] == 1) {
        for (const int32_t d : {1, -1, s, -s}) {
            consider(i + d, [](uint8_t v) { return v == 1 || v == 3; });
        }
    } else if (clues[i] == 2) {
        for (const int32_t d : {1, -1, s, -s, s + 1, s - 1, -s + 1, -s - 1}) {
            consider(i + d, [](uint8_t v) { return v == 3; });
        }
    }
    if (count == 0) return;

    // The visit as the base run makes it.
    const SlotVisit& without = basePlayAt(i);
    SlotVisit with;  // start() sets all a play reads, so one serves every probe
    for (int32_t n = 0; n < count; ++n) {
        const int32_t k = probes[n];
        with.start(slots, ownCopies, base.uf.tags(), clues, i, base.done[i]);
        with.overrideCell = base.cellIndex(candidates[k].x, candidates[k].y);
        with.overrideValue = candidates[k].value;
        rules::visitCell(with, with.done, i, s);
        if (!with.sameOutcome(without, contradiction)) leaveBase(k, i, reference, contradiction);
    }
}

}  // namespace varnel
