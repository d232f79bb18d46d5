#include "solver/parity_union_find.h"

#include <algorithm>
#include <cassert>

namespace varnel {

namespace {

uint32_t packBox(int32_t firstRow, int32_t lastRow, int32_t firstColumn, int32_t lastColumn) {
    return static_cast<uint32_t>(firstRow | lastRow << 8 | firstColumn << 16 | lastColumn << 24);
}

}  // namespace

void ParityUnionFind::init(int32_t cells, int32_t cellsPerRow) {
    assert(cells >= 1 && cells <= 32767);
    rowLength = cellsPerRow > 0 ? cellsPerRow : cells;
    pad = rowLength;
    const size_t stored = static_cast<size_t>(cells) + 2 * static_cast<size_t>(pad);
    if (tagStore.size() != stored) {
        tagStore.assign(stored, SENTINEL_TAG);
        nextMember.assign(static_cast<size_t>(cells), 0);
        setBox.assign(static_cast<size_t>(cells), 0);
    }
    cellCount = cells;
    setCount = cells;
    contradiction = 0;
    const int32_t rows = cells / rowLength;
    tracked = rows <= MAX_TRACKED && rowLength <= MAX_TRACKED;
    std::fill(tagStore.begin(), tagStore.begin() + pad, SENTINEL_TAG);
    std::fill(tagStore.end() - pad, tagStore.end(), SENTINEL_TAG);
    uint16_t* tag = tags();
    for (int32_t i = 0; i < cells; ++i) {
        tag[i] = static_cast<uint16_t>(i << 1 | 1);  // own label, parity 1
        nextMember[i] = static_cast<uint16_t>(i);
    }
    if (tracked) {
        touched.assign(static_cast<size_t>(rows), ~uint64_t{0} >> (64 - rowLength));
        for (int32_t i = 0; i < cells; ++i) {
            const int32_t y = i / rowLength, x = i % rowLength;
            setBox[i] = packBox(y, y, x, x);
        }
    }
}

void ParityUnionFind::merge(int a, int b, int same) {
    uint16_t* tag = tags();
    const unsigned ta = tag[a], tb = tag[b];
    assert((ta ^ tb) >= 2);
    // The set with the smaller label survives. The absorbed cell takes the kept cell's parity
    // for `same`, the opposite one otherwise, and the rest of its set keeps its colour relative
    // to it: every absorbed tag 2 l + p becomes 2 k + (p ^ flip), one xor with the same mask.
    const bool aKept = (ta >> 1) < (tb >> 1);
    const unsigned kept = aKept ? ta : tb;
    const unsigned absorbed = aKept ? tb : ta;
    const unsigned k = kept >> 1, l = absorbed >> 1;
    const unsigned flip = (absorbed ^ kept ^ static_cast<unsigned>(same) ^ 1u) & 1u;
    const uint16_t change = static_cast<uint16_t>((k ^ l) << 1 | flip);
    uint16_t* next = nextMember.data();
    unsigned member = l;
    do {
        tag[member] ^= change;
        member = next[member];
    } while (member != l);
    // Splice the two circular member lists.
    std::swap(next[k], next[l]);
    --setCount;
    if (!tracked) return;
    // Cells within two rows and columns of both boxes may read changed relations.
    const uint32_t bk = setBox[k], bl = setBox[l];
    const int32_t kr0 = bk & 0xFF, kr1 = bk >> 8 & 0xFF, kc0 = bk >> 16 & 0xFF, kc1 = bk >> 24;
    const int32_t lr0 = bl & 0xFF, lr1 = bl >> 8 & 0xFF, lc0 = bl >> 16 & 0xFF, lc1 = bl >> 24;
    setBox[k] =
        packBox(std::min(kr0, lr0), std::max(kr1, lr1), std::min(kc0, lc0), std::max(kc1, lc1));
    touchArea(std::max(kr0, lr0) - 2, std::min(kr1, lr1) + 2, std::max(kc0, lc0) - 2,
              std::min(kc1, lc1) + 2);
}

void ParityUnionFind::touchArea(int32_t firstRow, int32_t lastRow, int32_t firstColumn,
                                int32_t lastColumn) {
    if (!tracked) return;
    const int32_t rows = static_cast<int32_t>(touched.size());
    firstRow = std::max(firstRow, 0);
    lastRow = std::min(lastRow, rows - 1);
    firstColumn = std::max(firstColumn, 0);
    lastColumn = std::min(lastColumn, rowLength - 1);
    if (firstRow > lastRow || firstColumn > lastColumn) return;
    const uint64_t columns = (~uint64_t{0} >> (63 - lastColumn)) & (~uint64_t{0} << firstColumn);
    uint64_t* rowMasks = touched.data();
    for (int32_t y = firstRow; y <= lastRow; ++y)
        rowMasks[y] |= columns;
}

void ParityUnionFind::rebuildSets() {
    const uint16_t* tag = tags();
    uint16_t* next = nextMember.data();
    // A label is its set's smallest cell, so each set's label comes before its other members.
    for (int32_t i = 0, y = 0; i < cellCount; ++y) {
        for (int32_t x = 0; x < rowLength; ++x, ++i) {
            const int32_t l = tag[i] >> 1;
            if (l == i) {
                next[i] = static_cast<uint16_t>(i);
                if (tracked) setBox[i] = packBox(y, y, x, x);
                continue;
            }
            next[i] = next[l];
            next[l] = static_cast<uint16_t>(i);
            if (!tracked) continue;
            const uint32_t box = setBox[l];
            const int32_t c0 = box >> 16 & 0xFF, c1 = box >> 24;
            // Cells come in index order: the label's row is the first row, this one the last.
            setBox[l] = packBox(box & 0xFF, y, std::min(c0, x), std::max(c1, x));
        }
    }
}

void ParityUnionFind::copyFrom(const ParityUnionFind& source) {
    cellCount = source.cellCount;
    setCount = source.setCount;
    contradiction = source.contradiction;
    rowLength = source.rowLength;
    pad = source.pad;
    tracked = source.tracked;
    if (tagStore.size() != source.tagStore.size()) {
        tagStore.resize(source.tagStore.size());
        nextMember.resize(source.nextMember.size());
        setBox.resize(source.setBox.size());
        touched.resize(source.touched.size());
    }
    std::copy(source.tagStore.begin(), source.tagStore.end(), tagStore.begin());
    std::copy(source.nextMember.begin(), source.nextMember.end(), nextMember.begin());
    if (tracked) {
        std::copy(source.setBox.begin(), source.setBox.end(), setBox.begin());
        std::copy(source.touched.begin(), source.touched.end(), touched.begin());
    }
}

}  // namespace varnel
