#include <algorithm>

#include "solver/label_pairs.h"
#include "solver/solver_board.h"

namespace varnel {

void SolverBoard::copyFrom(const SolverBoard& source) {
    // Step 1: sizes and counters.
    scan = source.scan;
    stride = source.stride;
    paddedHeight = source.paddedHeight;
    cellCount = source.cellCount;
    trialCount = source.trialCount;
    scanCount = source.scanCount;
    answerCount = source.answerCount;
    work = source.work;
    if (work != nullptr) ++work->boardCopies;
    // Step 2: a scratch board refers to the clues of the board it was first copied from.
    if (clues == nullptr) {
        clues = source.clues;
        ownsClues = 0;
    }
    // Steps 3 to 5: done flags and relations, overwritten in place.
    done.resize(source.done.size());
    std::copy(source.done.begin(), source.done.end(), done.begin());
    uf.copyFrom(source.uf);
    // Step 6.
    scan->closedFound = 0;
}

bool SolverBoard::trialStep(SolverBoard& scratch) {
    LabelPairs pairs{uf};
    while (pairs.next()) {
        const int32_t a = pairs.a;
        const int32_t b = pairs.b;
        // Same colour is always tried first; a refuted assumption proves the opposite.
        scratch.copyFrom(*this);
        scratch.uf.relate(a, b, 1);
        if (!scratch.propagate()) {
            uf.relate(a, b, 0);
            ++trialCount;
            return true;
        }
        scratch.copyFrom(*this);
        scratch.uf.relate(a, b, 0);
        if (!scratch.propagate()) {
            uf.relate(a, b, 1);
            ++trialCount;
            return true;
        }
    }
    return false;
}

bool SolverBoard::solveLoop(const AnswerPrinter* printer, uint8_t& failed) {
    SolverBoard scratch;
    // Step 1.
    if (!propagate()) {
        failed = 1;
        return false;
    }
    // Step 2: trial steps until solved or stuck.
    for (;;) {
        if (uf.setCount == 1) {
            if (printer != nullptr) (*printer)(*this);
            ++answerCount;
            failed = 0;
            return true;
        }
        if (!trialStep(scratch)) {
            failed = 0;
            return false;
        }
        if (!propagate()) {
            failed = 1;
            return false;
        }
    }
}

void SolverBoard::branchStep(const AnswerPrinter* printer, uint8_t& failed) {
    SolverBoard scratch;
    LabelPairs pairs{uf};
    while (pairs.next()) {
        const int32_t a = pairs.a;
        const int32_t b = pairs.b;
        for (const int assumed : {1, 0}) {
            scratch.copyFrom(*this);
            scratch.uf.relate(a, b, assumed);
            scratch.solveLoop(nullptr, failed);
            if (failed == 1) {
                uf.relate(a, b, assumed ^ 1);
                ++trialCount;
                solveLoop(printer, failed);
                return;
            }
        }
    }
    failed = 1;
}

void SolverBoard::solveWithBranching(const AnswerPrinter* printer, uint8_t& failed) {
    if (!solveLoop(printer, failed) && failed == 0) branchStep(printer, failed);
}

}  // namespace varnel
