#include "solver/candidate_judge.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cassert>
#include <cstring>

#include "solver/rule_steps.h"
#include "solver/sweep_context.h"

namespace varnel {

namespace {

// The most cells one visit reads: itself, its four side and four diagonal neighbours, and the
// cells two steps away along a row or column.
constexpr int32_t MAX_SLOTS = CandidateJudge::MAX_SLOTS;

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

constexpr uint64_t LOW_48 = (uint64_t{1} << 48) - 1;

// The three tags from cell i on, as one number. The tag array's padding keeps the 8-byte read
// inside it for every cell a sweep visits.
uint64_t threeTags(const uint16_t* tag, int32_t i) {
    uint64_t bits = 0;
    std::memcpy(&bits, tag + i, sizeof bits);
    return bits & LOW_48;
}

void recordReads(CandidateJudge::BaseVisit& v, const uint16_t* tag, int32_t i, int32_t s) {
    v.block = {threeTags(tag, i - s - 1), threeTags(tag, i - 1), threeTags(tag, i + s - 1)};
    v.far = {tag[i - 2], tag[i + 2], tag[i - 2 * s], tag[i + 2 * s]};
}

// True when the visit of i reads now exactly the tags the base run's visit read. Cells two steps
// away are read only by a clue-2 visit.
bool readsSame(const CandidateJudge::BaseVisit& v, const uint16_t* tag, int32_t i, int32_t s,
               bool clueTwo) {
    if (threeTags(tag, i - 1) != v.block[1] || threeTags(tag, i - s - 1) != v.block[0] ||
        threeTags(tag, i + s - 1) != v.block[2]) {
        return false;
    }
    return !clueTwo || (tag[i - 2] == v.far[0] && tag[i + 2] == v.far[1] &&
                        tag[i - 2 * s] == v.far[2] && tag[i + 2 * s] == v.far[3]);
}

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
    const int32_t offsets[MAX_SLOTS] = {0,      1,      -1, s,  -s,    s + 1, s - 1,
                                        -s + 1, -s - 1, 2,  -2, 2 * s, -2 * s};
    for (int32_t n = 0; n < MAX_SLOTS; ++n) {
        // On narrow boards two offsets can name the same cell; they share its slot.
        const int32_t offset = offsets[n];
        if (slotOf[offset + bias] < 0) {
            slotOf[offset + bias] = static_cast<int16_t>(slotOffset.size());
            slotOffset.push_back(offset);
        }
        if (n == 8) nearSlots = static_cast<int32_t>(slotOffset.size());
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

void CandidateJudge::leaveBase(int32_t k, int32_t i, int32_t reference) {
    pending[k] = 0;
    Apart a;
    a.candidate = k;
    a.reference = reference;
    a.resume = i;
    if (freeBoards.empty()) {
        boards.emplace_back();
        freeBoards.push_back(static_cast<int32_t>(boards.size()) - 1);
    }
    a.board = freeBoards.back();
    freeBoards.pop_back();
    // The base run before its visit of i; the candidate's clue is placed when it runs, after the
    // base sweep. Placing it seeds nothing here (placingMaySeed said so), so writing the byte and
    // touching the cells that read it is all that placeClue would do.
    SolverBoard& own = boards[a.board];
    own.copyFrom(base);
    const ClueCandidate& candidate = candidates[k];
    own.uf.touchArea(candidate.y, candidate.y + 2, candidate.x, candidate.x + 2);
    leavers.push_back(a);
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

void CandidateJudge::followSweep(const Apart& a) {
    const ClueCandidate& candidate = candidates[a.candidate];
    SolverBoard& own = boards[a.board];
    const int32_t s = own.stride;
    // Padded row and column of the candidate's cell: the visits of the 3 x 3 block around it read
    // its clue and are always played.
    const int32_t clueRow = candidate.y + 1, clueColumn = candidate.x + 1;
    const int32_t lastRow = own.paddedHeight - 2;
    const int32_t end = (lastRow + 1) * s;
    if (a.resume >= end) return;
    SweepContext context = contextOf(own);
    uint8_t* doneFlags = own.done.data();
    const uint16_t* tag = own.uf.tags();
    int64_t cellsVisited = 0;
    for (int32_t row = a.resume / s; row <= lastRow; ++row) {
        uint64_t* pendingCells = &own.uf.touched[row];
        int32_t x = row == a.resume / s ? a.resume % s : 0;
        const bool nearClueRow = row >= clueRow - 1 && row <= clueRow + 1;
        while (x < s) {
            const uint64_t ahead = *pendingCells & (~uint64_t{0} << x);
            if (ahead == 0) break;
            x = std::countr_zero(ahead);
            const uint64_t bit = uint64_t{1} << x;
            *pendingCells &= ~bit;
            ++cellsVisited;
            const int32_t i = row * s + x;
            bool records;
            const BaseVisit& v = baseVisits[i];
            const bool repeat = visitSweep[i] == baseSweep && doneFlags[i] == v.doneBefore &&
                                !(nearClueRow && x >= clueColumn - 1 && x <= clueColumn + 1) &&
                                readsSame(v, tag, i, s, own.clues[i] == 2);
            if (repeat) {
                // Same tags read, same clues, same done flag: the visit does what the base run's
                // did, merge for merge.
                for (int32_t m = v.firstMerge; m < v.firstMerge + v.merges; ++m) {
                    const Merge& merge = baseMerges[m];
                    own.uf.merge(merge.a, merge.b, merge.same);
                }
                doneFlags[i] = v.doneAfter;
                if (v.askedOpposite) context.contradiction = true;
                records = v.merges > 0 || v.doneAfter != v.doneBefore || v.askedOpposite;
            } else {
                records = visitRecords(context, doneFlags[i], i, s);
            }
            if (records) *pendingCells |= bit;
            ++x;
        }
    }
    storeContext(own, context);
    if (own.work != nullptr) {
        ++own.work->sweeps;
        own.work->cellsSwept += end - a.resume;
        own.work->cellsVisited += cellsVisited;
        own.work->ruleRelates += context.relates;
    }
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

void CandidateJudge::probeVisit(int32_t i, int32_t reference) {
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
            leaveBase(k, i, reference);
        }
    }
}

namespace {

// The sweep context of the base run, which also notes the merges of each visit and whether it
// asked a relation opposite to a known one.
struct RecordingContext {
    ParityUnionFind& uf;                         // the base run's colour relations
    uint16_t* tag;                               // [-pad, cellCount + pad): uf's tags
    const uint8_t* clues;                        // [0, cellCount): the board's clues
    bool contradiction;                          // set once an opposite relation was asked
    bool askedOpposite;                          // the current visit asked one
    int64_t relates;                             // relate calls, for the work counters
    std::vector<CandidateJudge::Merge>& merges;  // the merges, in order

    bool same(int32_t x, int32_t y) const { return tag[x] == tag[y]; }
    bool differ(int32_t x, int32_t y) const { return (tag[x] ^ tag[y]) == 1; }
    bool sameSet(int32_t x, int32_t y) const { return (tag[x] ^ tag[y]) < 2; }
    uint8_t clue(int32_t x) const { return clues[x]; }
    [[gnu::always_inline]] void relate(int32_t a, int32_t b, int sameColour) {
        ++relates;
        const unsigned x = tag[a] ^ tag[b];
        if (x >= 2) {
            merges.push_back(CandidateJudge::Merge{a, b, sameColour});
            uf.merge(a, b, sameColour);
        } else if (static_cast<int>(x) == sameColour) {
            contradiction = true;
            askedOpposite = true;
        }
    }
};

}  // namespace

void CandidateJudge::sweepWithProbes(int32_t reference) {
    if (++baseSweep == 0) {
        std::fill(visitSweep.begin(), visitSweep.end(), 0);
        baseSweep = 1;
    }
    baseMerges.clear();
    leavers.clear();
    RecordingContext context{base.uf, base.uf.tags(), base.clues, base.uf.contradiction != 0, false,
                             0,       baseMerges};
    const int32_t s = base.stride;
    const uint16_t* tag = context.tag;
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
                // A candidate leaving here copies the base run as it stands.
                if (context.contradiction) base.uf.contradiction = 1;
                probeVisit(i, reference);
            }
            if ((*pendingCells & bit) != 0) {
                *pendingCells &= ~bit;
                ++cellsVisited;
                BaseVisit& v = baseVisits[i];
                recordReads(v, tag, i, s);
                v.doneBefore = doneFlags[i];
                v.firstMerge = static_cast<int32_t>(baseMerges.size());
                context.askedOpposite = false;
                rules::visitCell(context, doneFlags[i], i, s);
                v.merges = static_cast<int32_t>(baseMerges.size()) - v.firstMerge;
                v.doneAfter = doneFlags[i];
                v.askedOpposite = context.askedOpposite;
                visitSweep[i] = baseSweep;
                if (v.merges > 0 || v.doneAfter != v.doneBefore || v.askedOpposite) {
                    *pendingCells |= bit;
                }
            }
            ++x;
        }
    }
    if (context.contradiction) base.uf.contradiction = 1;
    if (base.work != nullptr) {
        ++base.work->sweeps;
        base.work->cellsSwept += static_cast<int64_t>(lastRow) * s;
        base.work->cellsVisited += cellsVisited;
        base.work->ruleRelates += context.relates;
    }
}

// The base run mirrors propagate (or one sweep) exactly; its end state is what every candidate
// still following it ends with. Only the set count is used, so the solved check at the end, which
// changes no relation, is left out. Candidates apart make each sweep after the base run has made
// it, so that they can repeat its visits.
void CandidateJudge::runBase(bool byPropagation) {
    apart.clear();
    if (!byPropagation) {
        sweepWithProbes(0);
        for (const Apart& a : leavers) {
            withClue(a, [&](SolverBoard&) { followSweep(a); });
            release(a);
        }
        return;
    }
    if (base.work != nullptr) ++base.work->propagateCalls;
    int32_t reference = base.uf.setCount;
    for (;;) {
        sweepWithProbes(reference);
        for (Apart& a : apart) {
            a.resume = base.stride;
            withClue(a, [&](SolverBoard&) { followSweep(a); });
        }
        for (const Apart& a : leavers) {
            withClue(a, [&](SolverBoard&) { followSweep(a); });
            apart.push_back(a);
        }
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
        if (board.placingMaySeed(candidate.x, candidate.y, candidate.value)) {
            runAlone(board, candidate, byPropagation);
        } else {
            pending[k] = 1;
            candidateAt[board.cellIndex(candidate.x, candidate.y)] = static_cast<int32_t>(k);
        }
    }
    markProbes(board);
    baseVisits.resize(static_cast<size_t>(board.cellCount));
    visitSweep.resize(static_cast<size_t>(board.cellCount), 0);
    base.copyFrom(board);
    runBase(byPropagation);
    for (size_t k = 0; k < candidates.size(); ++k) {
        if (pending[k]) candidates[k].sets = base.uf.setCount;
    }
}

}  // namespace varnel
