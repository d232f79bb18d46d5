// The candidate judge's probes: at a visit of the base run that reads a pending candidate's clue,
// the visit is played with and without the clue on copies of the few cells it reads, and a
// candidate whose visit would act differently leaves the base run there.

#include <algorithm>
#include <array>
#include <cassert>

#include "solver/candidate_judge.h"
#include "solver/rule_steps.h"

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

// True when two plays of one visit leave the same tags, the same done flag and, unless the board
// is contradicted already, the same contradiction flag.
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

}  // namespace varnel
