#pragma once

#include <algorithm>
#include <array>
#include <cassert>
#include <cstdint>
#include <vector>

#include "solver/parity_union_find.h"

namespace varnel {

// What a merge does to the tags of a whole board: every tag whose label is `from` (the absorbed
// set) takes xor `change`, which gives it the kept label and flips its parity where the relation
// asks for it; every other tag stays. A merge changes nothing else, so a run of merges acts on a
// board as its relabels applied in order to every tag, whatever the members of the sets are.
struct Relabel {
    uint16_t from = 0;    // the absorbed label
    uint16_t change = 0;  // xor that turns its tags into tags of the kept label

    uint16_t apply(uint16_t tag) const {
        return (tag >> 1) == from ? static_cast<uint16_t>(tag ^ change) : tag;
    }
};

// The relabel of relating two cells of tags ta and tb, in different sets, with relation `same`
// (SAME or DIFFERENT): as ParityUnionFind::merge, the smaller label survives, and the absorbed
// cell takes the kept cell's parity for SAME and the opposite one for DIFFERENT.
inline Relabel relabelOf(unsigned ta, unsigned tb, int same) {
    const bool aKept = (ta >> 1) < (tb >> 1);
    const unsigned kept = aKept ? ta : tb;
    const unsigned absorbed = aKept ? tb : ta;
    const unsigned flip = (absorbed ^ kept ^ static_cast<unsigned>(same) ^ 1u) & 1u;
    return Relabel{static_cast<uint16_t>(absorbed >> 1),
                   static_cast<uint16_t>(((kept >> 1) ^ (absorbed >> 1)) << 1 | flip)};
}

// The tag after a run of relabels.
inline uint16_t applyRelabels(const Relabel* relabels, int32_t count, uint16_t tag) {
    for (int32_t n = 0; n < count; ++n)
        tag = relabels[n].apply(tag);
    return tag;
}

// The most cells one visit of the local rules reads: the cell itself, its four side and four
// diagonal neighbours, and the cells two steps away along its row and column.
inline constexpr int32_t VISIT_SLOTS = 13;

// The cells one visit reads, as offsets from the visited cell, for a board of one stride.
struct VisitSlots {
    std::vector<int32_t> offset;  // per slot: offset from the visited cell; the 3 x 3 block first,
                                  // then the cells two steps away
    int32_t stride = 0;           // the stride they were built for

    void build(int32_t s) {
        stride = s;
        offset.clear();
        const int32_t offsets[VISIT_SLOTS] = {0,      1,      -1, s,  -s,    s + 1, s - 1,
                                              -s + 1, -s - 1, 2,  -2, 2 * s, -2 * s};
        for (const int32_t o : offsets) {
            // On narrow boards two offsets can name the same cell; it is copied once.
            if (std::find(offset.begin(), offset.end(), o) == offset.end()) offset.push_back(o);
        }
    }
    int32_t count() const { return static_cast<int32_t>(offset.size()); }
};

// Tag arrays laid out like a board's (ParityUnionFind::tags), for plays of visits on copies.
struct PlayTags {
    std::vector<uint16_t> store;  // [0, cellCount + 2 x pad)
    int32_t pad = 0;              // entries before cell 0 and after the last cell: 2 x stride + 2

    void resize(int32_t cells, int32_t stride) {
        pad = 2 * stride + 2;
        store.resize(static_cast<size_t>(cells) + 2 * static_cast<size_t>(pad));
    }
    uint16_t* tags() { return store.data() + pad; }
};

// One visit of a cell played on copies of the tags of the cells it reads, for the rules of
// solver/rule_steps.h. The copies sit at the cells' own indices in an array of the caller's, so
// the rules read them as they read a board. A merge relabels the copies as the union-find would
// relabel the cells and is noted as a relabel, so the play records exactly what the visit would
// record on the board: restricted to the cells it reads, which is all that decides its course,
// and as relabels, which is all it does to the rest of the board. One clue may be overridden.
struct SlotVisit {
    uint16_t* tag = nullptr;          // the copies, at the cells' indices
    const int32_t* offset = nullptr;  // offsets of the cells read, from the visited cell
    int32_t slots = 0;                // cells read
    int32_t center = 0;               // the visited cell
    const uint8_t* clues = nullptr;   // the board's clues
    int32_t overrideCell = -1;        // the cell whose clue is overridden, or -1
    uint8_t overrideValue = 0;        // its clue in this play
    uint8_t done = 0;                 // the visited cell's done flag
    bool contradiction = false;       // an opposite relation was asked
    int32_t relabelCount = 0;         // merges made
    std::array<Relabel, VISIT_SLOTS - 1> relabels{};  // their relabels, in order; a visit
                                                      // reads at most 13 sets, so merges at
                                                      // most 12 times
    // A merge as the cells related and the relation asked.
    struct Related {
        int32_t a = 0;
        int32_t b = 0;
        int32_t same = 0;
    };
    std::array<Related, VISIT_SLOTS - 1> merged{};  // the merges, in order, as relations

    // Copies the tags that visiting cell i reads on a board of tags source into copies, and
    // takes the cell's done flag.
    void start(const VisitSlots& layout, PlayTags& copies, const uint16_t* source,
               const uint8_t* boardClues, int32_t i, uint8_t doneFlag) {
        tag = copies.tags();
        offset = layout.offset.data();
        slots = layout.count();
        center = i;
        clues = boardClues;
        overrideCell = -1;
        for (int32_t n = 0; n < slots; ++n)
            tag[i + offset[n]] = source[i + offset[n]];
        done = doneFlag;
        contradiction = false;
        relabelCount = 0;
    }

    // The copy of slot n after the play.
    uint16_t slotTag(int32_t n) const { return tag[center + offset[n]]; }
    bool same(int32_t x, int32_t y) const { return tag[x] == tag[y]; }
    bool differ(int32_t x, int32_t y) const { return (tag[x] ^ tag[y]) == 1; }
    bool sameSet(int32_t x, int32_t y) const { return (tag[x] ^ tag[y]) < 2; }
    uint8_t clue(int32_t x) const { return x == overrideCell ? overrideValue : clues[x]; }
    void relate(int32_t a, int32_t b, int sameColour) {
        const unsigned ta = tag[a], tb = tag[b];
        const unsigned x = ta ^ tb;
        if (x < 2) {
            if (static_cast<int>(x) == sameColour) contradiction = true;
            return;
        }
        const Relabel r = relabelOf(ta, tb, sameColour);
        merged[relabelCount] = Related{a, b, sameColour};
        relabels[relabelCount++] = r;
        for (int32_t n = 0; n < slots; ++n) {
            uint16_t& t = tag[center + offset[n]];
            t = r.apply(t);
        }
    }

    // The tag after this play's merges.
    uint16_t after(uint16_t t) const { return applyRelabels(relabels.data(), relabelCount, t); }

    // True when this play and other made the same merges in the same order: they act alike on
    // every tag of the board.
    bool sameMerges(const SlotVisit& other) const {
        if (relabelCount != other.relabelCount) return false;
        for (int32_t n = 0; n < relabelCount; ++n) {
            if (relabels[n].from != other.relabels[n].from ||
                relabels[n].change != other.relabels[n].change) {
                return false;
            }
        }
        return true;
    }

    // True when this play and other, of the same visit, leave the same tags and done flag and,
    // unless the board is contradicted already, the same contradiction flag. They then made
    // merges of the same effect on every tag of the board: a relabel only changes tags of a
    // label it absorbs, and every such label is the label of a cell read.
    bool sameOutcome(const SlotVisit& other, bool contradictionKnown) const {
        if (done != other.done) return false;
        if (!contradictionKnown && contradiction != other.contradiction) return false;
        for (int32_t n = 0; n < slots; ++n) {
            if (slotTag(n) != other.slotTag(n)) return false;
        }
        return true;
    }
};

}  // namespace varnel
