#include <algorithm>

#include "solver/label_pairs.h"
#include "solver/region_map.h"
#include "solver/solver_board.h"

namespace varnel {

void SolverBoard::copyFrom(const SolverBoard& source) {
    // A copy starts with its source's counters; what it counts is dropped with it.
    scan = source.scan;
    stride = source.stride;
    paddedHeight = source.paddedHeight;
    cellCount = source.cellCount;
    trialCount = source.trialCount;
    scanCount = source.scanCount;
    answerCount = source.answerCount;
    work = source.work;
    sourceRegions = source.sourceRegions;
    if (work != nullptr) ++work->boardCopies;
    // A board without clues of its own refers to those of the board it was last copied from.
    if (!ownsClues) clues = source.clues;
    // Done flags and relations, overwritten in place.
    done.resize(source.done.size());
    std::copy(source.done.begin(), source.done.end(), done.begin());
    uf.copyFrom(source.uf);
}

bool SolverBoard::trialStep(SolverBoard& scratch, RegionMap& regions) {
    // Every scratch copy knows at least what this board knows: its passes are worked out from
    // this board's regions, mapped once for all pairs.
    regions.build(uf, stride);
    LabelPairs pairs{uf};
    while (pairs.next()) {
        const int32_t a = pairs.a;
        const int32_t b = pairs.b;
        // Same colour is always tried first; a refuted assumption proves the opposite.
        scratch.copyFrom(*this);
        scratch.sourceRegions = &regions;
        scratch.uf.relate(a, b, SAME);
        if (!scratch.propagate()) {
            uf.relate(a, b, DIFFERENT);
            ++trialCount;
            return true;
        }
        scratch.copyFrom(*this);
        scratch.sourceRegions = &regions;
        scratch.uf.relate(a, b, DIFFERENT);
        if (!scratch.propagate()) {
            uf.relate(a, b, SAME);
            ++trialCount;
            return true;
        }
    }
    return false;
}

SolveOutcome SolverBoard::solveLoop(const AnswerPrinter* printer) {
    SolverBoard scratch;
    RegionMap regions;
    return solveLoop(printer, scratch, regions);
}

SolveOutcome SolverBoard::solveLoop(const AnswerPrinter* printer, SolverBoard& scratch,
                                    RegionMap& regions) {
    if (!propagate()) return SolveOutcome::FAILED;
    // Trial steps, each followed by propagation, until solved or stuck.
    for (;;) {
        if (uf.setCount == 1) {
            if (printer != nullptr) (*printer)(*this);
            ++answerCount;
            return SolveOutcome::FOUND;
        }
        if (!trialStep(scratch, regions)) return SolveOutcome::STUCK;
        if (!propagate()) return SolveOutcome::FAILED;
    }
}

SolveOutcome SolverBoard::branchStep(const AnswerPrinter* printer) {
    SolverBoard scratch;
    // The scratch solve loops' own passes are worked out from this board's regions.
    RegionMap regions;
    regions.build(uf, stride);
    // The scratch solve loops' trial steps, one set for all of them.
    SolverBoard innerScratch;
    RegionMap innerRegions;
    LabelPairs pairs{uf};
    while (pairs.next()) {
        const int32_t a = pairs.a;
        const int32_t b = pairs.b;
        // Same colour is always tried first; only a contradiction on the scratch copy decides.
        for (const int assumed : {SAME, DIFFERENT}) {
            scratch.copyFrom(*this);
            scratch.sourceRegions = &regions;
            scratch.uf.relate(a, b, assumed);
            if (scratch.solveLoop(nullptr, innerScratch, innerRegions) == SolveOutcome::FAILED) {
                uf.relate(a, b, assumed == SAME ? DIFFERENT : SAME);
                ++trialCount;
                return solveLoop(printer);
            }
        }
    }
    return SolveOutcome::FAILED;
}

SolveResult SolverBoard::solveWithBranching(const AnswerPrinter* printer) {
    SolveResult result;
    result.outcome = solveLoop(printer);
    if (result.outcome == SolveOutcome::STUCK) {
        result.branched = true;
        result.outcome = branchStep(printer);
    }
    return result;
}

}  // namespace varnel
