#include "solver/candidate_judge.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cassert>

#include "solver/rule_steps.h"
#include "solver/sweep_context.h"

namespace varnel {

namespace {

// The most cells one visit reads: itself, its four side and four diagonal neighbours, and the
// cells two steps away along a row or column.
constexpr int32_t MAX_SLOTS = 13;

// What one visit leaves in the cells it reads.
struct VisitOutcome {
    std::array<uint16_t, MAX_SLOTS> tags;  // per slot: the tag of the cell
    uint8_t done = 0;                      // the visited cell's done flag
    bool contradiction = false;            // an opposite relation was asked
};

// The rules' view of the cells one visit of `center` reads, as copies of their tags. A merge
// relabels the copies as the union-find would relabel the cells, so a visit played here records
// exactly what it would record on the board, restricted to the cells it reads, which is all that
// decides its course. One clue may be overridden.
struct ProbeContext {
    const int16_t* slotOf;  // offset from center + bias to slot
    int32_t origin;         // center - bias
    int32_t slots;          // slots in use
    const uint8_t* clues;   // the board's clues
    int32_t overrideCell;   // the cell whose clue is overridden, or -1
    uint8_t overrideValue;  // its clue in this probe
    VisitOutcome outcome;   // the tags, done flag and contradiction of the probe

    int slot(int32_t x) const {
        const int s = slotOf[x - origin];
        assert(s >= 0);
        return s;
    }
    uint16_t tag(int32_t x) const { return outcome.tags[slot(x)]; }
    bool same(int32_t x, int32_t y) const { return tag(x) == tag(y); }
    bool differ(int32_t x, int32_t y) const { return (tag(x) ^ tag(y)) == 1; }
    bool sameSet(int32_t x, int32_t y) const { return (tag(x) ^ tag(y)) < 2; }
    uint8_t clue(int32_t x) const { return x == overrideCell ? overrideValue : clues[x]; }
    void relate(int32_t a, int32_t b, int sameColour) {
        const int sa = slot(a), sb = slot(b);
        const unsigned ta = outcome.tags[sa], tb = outcome.tags[sb];
        const unsigned x = ta ^ tb;
        if (x < 2) {
            if (static_cast<int>(x) == sameColour) outcome.contradiction = true;
            return;
        }
        // As ParityUnionFind::merge, on the copies only.
        const unsigned la = ta >> 1, lb = tb >> 1;
        const int keepSlot = la < lb ? sa : sb;
        const int absorbedSlot = la < lb ? sb : sa;
        const unsigned k = std::min(la, lb), l = std::max(la, lb);
        const unsigned newParity = (outcome.tags[keepSlot] & 1) ^ (sameColour ^ 1);
        const unsigned flip = (outcome.tags[absorbedSlot] & 1) ^ newParity;
        for (int s = 0; s < slots; ++s) {
            const unsigned t = outcome.tags[s];
            if ((t >> 1) == l) outcome.tags[s] = static_cast<uint16_t>(k << 1 | ((t & 1) ^ flip));
        }
    }
};

bool sameOutcome(const VisitOutcome& a, const VisitOutcome& b, int32_t slots,
                 bool contradictionKnown) {
    if (a.done != b.done) return false;
    if (!contradictionKnown && a.contradiction != b.contradiction) return false;
    return std::equal(a.tags.begin(), a.tags.begin() + slots, b.tags.begin());
}

}  // namespace

void CandidateJudge::buildSlots(int32_t stride) {
    slotStride = stride;
    const int32_t bias = 2 * stride + 2;
    slotOf.assign(static_cast<size_t>(4 * stride + 5), -1);
    slotOffset.clear();
    const int32_t s = stride;
    for (const int32_t offset :
         {0, 1, -1, 2, -2, s, -s, 2 * s, -2 * s, s + 1, s - 1, -s + 1, -s - 1}) {
        // On narrow boards two offsets can name the same cell; they share its slot.
        if (slotOf[offset + bias] >= 0) continue;
        slotOf[offset + bias] = static_cast<int16_t>(slotOffset.size());
        slotOffset.push_back(offset);
    }
}

// True when placing the candidate's clue may record something before any sweep: the seeding of
// a 0, of a 3 next to or diagonal to another 3, or of a 2 on a diagonal between two 3s. The
// answer may err towards true; such candidates simply run alone.
bool CandidateJudge::placingActs(const SolverBoard& board, const ClueCandidate& candidate) const {
    const int32_t c = board.cellIndex(candidate.x, candidate.y);
    const int32_t s = board.stride;
    const uint8_t* clues = board.clues;
    const int32_t rotations[4][2] = {{1, s}, {-s, 1}, {-1, -s}, {s, -1}};
    switch (candidate.value) {
        case 0: {
            const ParityUnionFind& uf = board.uf;
            return !board.done[c] || !uf.knownSame(c, c + 1) || !uf.knownSame(c, c - 1) ||
                   !uf.knownSame(c, c + s) || !uf.knownSame(c, c - s);
        }
        case 2:
            for (const auto& r : rotations) {
                const int32_t step = r[0] + r[1];
                int32_t p = c + step;
                while (clues[p] == 2)
                    p += step;
                int32_t q = c - step;
                while (clues[q] == 2)
                    q -= step;
                if (clues[p] == 3 && clues[q] == 3) return true;
            }
            return false;
        case 3:
            for (const auto& r : rotations) {
                if (clues[c + r[0]] == 3) return true;
                const int32_t step = r[0] + r[1];
                int32_t p = c + step;
                while (clues[p] == 2)
                    p += step;
                if (clues[p] == 3) return true;
            }
            return false;
        default:
            return false;
    }
}

void CandidateJudge::runAlone(const SolverBoard& board, ClueCandidate& candidate,
                              bool byPropagation) {
    branch.copyFrom(board);
    branch.placeClue(candidate.x, candidate.y, candidate.value);
    if (byPropagation) {
        branch.propagate();
    } else {
        branch.sweep();
    }
    branch.placeClue(candidate.x, candidate.y, NO_BOARD_CLUE);
    candidate.sets = branch.uf.setCount;
}

// Marks the cells whose visits read a pending candidate's clue: the candidate's own cell; a
// neighbouring 1, which looks at a side neighbour's 1 or 3; a neighbouring 2, which looks at a 3
// on any of its eight neighbours. Other clue values read there act as no clue.
void CandidateJudge::markProbes(const SolverBoard& board) {
    const int32_t s = board.stride;
    probeRows.assign(static_cast<size_t>(board.paddedHeight), 0);
    auto mark = [&](int32_t cell) { probeRows[cell / s] |= uint64_t{1} << (cell % s); };
    for (size_t k = 0; k < candidates.size(); ++k) {
        if (!pending[k]) continue;
        const ClueCandidate& candidate = candidates[k];
        const int32_t p = board.cellIndex(candidate.x, candidate.y);
        mark(p);
        for (const int32_t d : {1, -1, s, -s}) {
            const uint8_t clue = board.clues[p + d];
            if ((clue == 1 && (candidate.value == 1 || candidate.value == 3)) ||
                (clue == 2 && candidate.value == 3)) {
                mark(p + d);
            }
        }
        if (candidate.value == 3) {
            for (const int32_t d : {s + 1, s - 1, -s + 1, -s - 1}) {
                if (board.clues[p + d] == 2) mark(p + d);
            }
        }
    }
}

void CandidateJudge::leaveBase(int32_t k, int32_t i, bool byPropagation, int32_t reference) {
    ClueCandidate& candidate = candidates[k];
    pending[k] = 0;
    // The clue goes into the shared clue array only while the candidate runs; placing it seeds
    // nothing here (placingActs said so), so writing the byte and touching the cells that read
    // it is all that placeClue would do.
    const int32_t p = base.cellIndex(candidate.x, candidate.y);
    if (!byPropagation) {
        branch.copyFrom(base);
        branch.clues[p] = candidate.value;
        branch.uf.touchArea(candidate.y, candidate.y + 2, candidate.x, candidate.x + 2);
        branch.sweepFrom(i);
        branch.clues[p] = NO_BOARD_CLUE;
        candidate.sets = branch.uf.setCount;
        return;
    }
    // Propagate: the candidate finishes this sweep on a board of its own and then keeps step.
    Apart a;
    a.candidate = k;
    a.reference = reference;
    if (freeBoards.empty()) {
        boards.emplace_back();
        freeBoards.push_back(static_cast<int32_t>(boards.size()) - 1);
    }
    a.board = freeBoards.back();
    freeBoards.pop_back();
    SolverBoard& own = boards[a.board];
    own.copyFrom(base);
    own.uf.touchArea(candidate.y, candidate.y + 2, candidate.x, candidate.x + 2);
    withClue(a, [&](SolverBoard& b) { b.sweepFrom(i); });
    apart.push_back(a);
}

template <class Fn>
void CandidateJudge::withClue(const Apart& a, Fn fn) {
    const ClueCandidate& candidate = candidates[a.candidate];
    SolverBoard& own = boards[a.board];
    const int32_t p = own.cellIndex(candidate.x, candidate.y);
    own.clues[p] = candidate.value;
    fn(own);
    own.clues[p] = NO_BOARD_CLUE;
}

void CandidateJudge::release(const Apart& a) {
    candidates[a.candidate].sets = boards[a.board].uf.setCount;
    freeBoards.push_back(a.board);
}

void CandidateJudge::finishApart(const Apart& a, bool atSweepStart) {
    SolverBoard& own = boards[a.board];
    const int32_t start = atSweepStart ? own.stride : own.cellCount;
    withClue(a, [&](SolverBoard& b) { b.propagateFrom(start, a.reference); });
    release(a);
}

namespace {

// The same relations, done flags and contradiction flag.
bool sameState(const SolverBoard& a, const SolverBoard& b) {
    return a.uf.setCount == b.uf.setCount && a.uf.contradiction == b.uf.contradiction &&
           a.uf.tagStore == b.uf.tagStore && a.done == b.done;
}

}  // namespace

void CandidateJudge::stepApart(int32_t reference, bool baseEnds, bool baseSweepsAgain) {
    size_t kept = 0;
    for (size_t n = 0; n < apart.size(); ++n) {
        Apart a = apart[n];
        SolverBoard& own = boards[a.board];
        if (a.reference == reference && sameState(own, base)) {
            // Back on the base run's course: probed again from here.
            pending[a.candidate] = 1;
            freeBoards.push_back(a.board);
            continue;
        }
        const bool ends = own.uf.contradiction || own.uf.setCount == 1;
        const bool sweepsAgain = !ends && own.uf.setCount != a.reference;
        if (ends) {
            release(a);  // the solved check that follows changes no relation
            continue;
        }
        if (baseEnds || sweepsAgain != baseSweepsAgain) {
            finishApart(a, false);
            continue;
        }
        if (sweepsAgain) {
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

void CandidateJudge::probeVisit(int32_t i, bool byPropagation, int32_t reference) {
    const int32_t s = base.stride;
    const uint8_t* clues = base.clues;
    // The pending candidates whose clue this visit reads.
    int32_t probes[9];
    int32_t count = 0;
    auto consider = [&](int32_t cell, bool (*reads)(uint8_t)) {
        const int32_t k = candidateAt[cell];
        if (k >= 0 && pending[k] && reads(candidates[k].value)) probes[count++] = k;
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

    // The visit as the base run makes it. A cell that nothing touched records nothing.
    ProbeContext start{
        slotOf.data(), i - (2 * s + 2), static_cast<int32_t>(slotOffset.size()), clues, -1, 0, {}};
    const uint16_t* tags = base.uf.tags();
    for (int32_t slot = 0; slot < start.slots; ++slot) {
        start.outcome.tags[slot] = tags[i + slotOffset[slot]];
    }
    start.outcome.done = base.done[i];
    VisitOutcome without = start.outcome;
    const bool touched = (base.uf.touched[i / s] >> (i % s) & 1) != 0;
    if (touched) {
        ProbeContext plain = start;
        rules::visitCell(plain, plain.outcome.done, i, s);
        without = plain.outcome;
    }
    const bool contradictionKnown = base.uf.contradiction != 0;
    for (int32_t n = 0; n < count; ++n) {
        const int32_t k = probes[n];
        ProbeContext with = start;
        with.overrideCell = base.cellIndex(candidates[k].x, candidates[k].y);
        with.overrideValue = candidates[k].value;
        rules::visitCell(with, with.outcome.done, i, s);
        if (!sameOutcome(with.outcome, without, start.slots, contradictionKnown)) {
            leaveBase(k, i, byPropagation, reference);
        }
    }
}

void CandidateJudge::sweepWithProbes(bool byPropagation, int32_t reference) {
    SweepContext context = contextOf(base);
    const int32_t s = base.stride;
    uint8_t* doneFlags = base.done.data();
    const int32_t lastRow = base.paddedHeight - 2;
    int64_t cellsVisited = 0;
    for (int32_t row = 1; row <= lastRow; ++row) {
        uint64_t* pendingCells = &base.uf.touched[row];
        const uint64_t probeCells = probeRows[row];
        int32_t x = 0;
        while (x < s) {
            const uint64_t ahead = (*pendingCells | probeCells) & (~uint64_t{0} << x);
            if (ahead == 0) break;
            x = std::countr_zero(ahead);
            const uint64_t bit = uint64_t{1} << x;
            const int32_t i = row * s + x;
            if ((probeCells & bit) != 0 && !doneFlags[i]) {
                storeContext(base, context);  // a candidate leaving here copies the base
                probeVisit(i, byPropagation, reference);
            }
            if ((*pendingCells & bit) != 0) {
                *pendingCells &= ~bit;
                ++cellsVisited;
                if (visitRecords(context, doneFlags[i], i, s)) *pendingCells |= bit;
            }
            ++x;
        }
    }
    storeContext(base, context);
    if (base.work != nullptr) {
        ++base.work->sweeps;
        base.work->cellsSwept += static_cast<int64_t>(lastRow) * s;
        base.work->cellsVisited += cellsVisited;
        base.work->ruleRelates += context.relates;
    }
}

// The base run mirrors propagate (or one sweep) exactly; its end state is what every candidate
// still following it ends with. Only the set count is used, so the solved check at the end, which
// changes no relation, is left out.
void CandidateJudge::runBase(bool byPropagation) {
    if (!byPropagation) {
        sweepWithProbes(false, 0);
        return;
    }
    if (base.work != nullptr) ++base.work->propagateCalls;
    int32_t reference = base.uf.setCount;
    apart.clear();
    for (;;) {
        // The candidates apart make this sweep alongside; candidates that leave during the base
        // sweep finish it on their own boards as they leave.
        for (const Apart& a : apart)
            withClue(a, [](SolverBoard& b) { b.sweep(); });
        sweepWithProbes(true, reference);
        const bool baseEnds = base.uf.contradiction || base.uf.setCount == 1;
        const bool baseSweepsAgain = !baseEnds && base.uf.setCount != reference;
        stepApart(reference, baseEnds, baseSweepsAgain);
        if (baseEnds) break;
        if (baseSweepsAgain) {
            reference = base.uf.setCount;
            continue;
        }
        if (base.connectivityPass() != SolverBoard::PassOutcome::DECIDED) {
            for (const Apart& a : apart)
                finishApart(a, true);
            apart.clear();
            break;
        }
        reference = base.uf.setCount;
    }
}

void CandidateJudge::judge(const SolverBoard& board, bool byPropagation) {
    if (!board.uf.tracked) {
        // Boards too large to track touched cells: every candidate runs alone.
        for (ClueCandidate& candidate : candidates)
            runAlone(board, candidate, byPropagation);
        return;
    }
    if (slotStride != board.stride) buildSlots(board.stride);
    candidateAt.assign(static_cast<size_t>(board.cellCount), -1);
    pending.assign(candidates.size(), 0);
    for (size_t k = 0; k < candidates.size(); ++k) {
        ClueCandidate& candidate = candidates[k];
        if (placingActs(board, candidate)) {
            runAlone(board, candidate, byPropagation);
        } else {
            pending[k] = 1;
            candidateAt[board.cellIndex(candidate.x, candidate.y)] = static_cast<int32_t>(k);
        }
    }
    markProbes(board);
    base.copyFrom(board);
    runBase(byPropagation);
    for (size_t k = 0; k < candidates.size(); ++k) {
        if (pending[k]) candidates[k].sets = base.uf.setCount;
    }
}

}  // namespace varnel
