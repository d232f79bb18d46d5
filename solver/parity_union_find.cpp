#include "solver/parity_union_find.h"

#include <algorithm>
#include <cassert>

namespace varnel {

namespace {

// Rows within two rows of any row in mask.
uint32_t widenByTwoRows(uint32_t mask) {
    return mask | mask << 1 | mask << 2 | mask >> 1 | mask >> 2;
}

}  // namespace

void ParityUnionFind::init(int32_t cells, int32_t cellsPerRow) {
    assert(cells >= 1 && cells <= 32767);
    if (tagStore.size() != static_cast<size_t>(cells) + 2) {
        tagStore.assign(static_cast<size_t>(cells) + 2, SENTINEL_TAG);
        nextMember.assign(static_cast<size_t>(cells), 0);
        setRows.assign(static_cast<size_t>(cells), 0);
    }
    cellCount = cells;
    setCount = cells;
    contradiction = 0;
    rowLength = cellsPerRow > 0 ? cellsPerRow : cells;
    rowsTracked = cells / rowLength <= MAX_TRACKED_ROWS;
    touchedRows = ALL_ROWS;
    uint16_t* tag = tags();
    tag[-1] = SENTINEL_TAG;
    tag[cells] = SENTINEL_TAG;
    for (int32_t i = 0; i < cells; ++i) {
        tag[i] = static_cast<uint16_t>(i << 1 | 1);  // own label, parity 1
        nextMember[i] = static_cast<uint16_t>(i);
    }
    if (rowsTracked) {
        for (int32_t i = 0; i < cells; ++i)
            setRows[i] = uint32_t{1} << (i / rowLength);
    }
}

void ParityUnionFind::merge(int a, int b, int same) {
    uint16_t* tag = tags();
    const int la = tag[a] >> 1;
    const int lb = tag[b] >> 1;
    assert(la != lb);
    const int keep = la < lb ? a : b;
    const int absorbed = la < lb ? b : a;
    const int k = std::min(la, lb);
    const int l = std::max(la, lb);
    // The absorbed cell takes keep's parity for `same`, the opposite one otherwise; the rest of
    // its set keeps its colour relative to it.
    const int newParity = (tag[keep] & 1) ^ (same ^ 1);
    const int flip = (tag[absorbed] & 1) ^ newParity;
    const uint16_t relabel = static_cast<uint16_t>(k << 1);
    int member = l;
    do {
        tag[member] = static_cast<uint16_t>(relabel | ((tag[member] & 1) ^ flip));
        member = nextMember[member];
    } while (member != l);
    // Splice the two circular member lists.
    std::swap(nextMember[k], nextMember[l]);
    if (rowsTracked) {
        touchedRows |= widenByTwoRows(setRows[k]) & widenByTwoRows(setRows[l]);
        setRows[k] |= setRows[l];
    }
    --setCount;
}

void ParityUnionFind::touchRows(int32_t first, int32_t last) {
    if (!rowsTracked) return;
    for (int32_t r = std::max(first, 0); r <= last && r < MAX_TRACKED_ROWS; ++r) {
        touchedRows |= uint32_t{1} << r;
    }
}

void ParityUnionFind::copyFrom(const ParityUnionFind& source) {
    cellCount = source.cellCount;
    setCount = source.setCount;
    contradiction = source.contradiction;
    rowLength = source.rowLength;
    rowsTracked = source.rowsTracked;
    touchedRows = source.touchedRows;
    if (tagStore.size() != source.tagStore.size()) {
        tagStore.resize(source.tagStore.size());
        nextMember.resize(source.nextMember.size());
        setRows.resize(source.setRows.size());
    }
    std::copy(source.tagStore.begin(), source.tagStore.end(), tagStore.begin());
    std::copy(source.nextMember.begin(), source.nextMember.end(), nextMember.begin());
    if (rowsTracked) std::copy(source.setRows.begin(), source.setRows.end(), setRows.begin());
}

}  // namespace varnel
