#include "solver/parity_union_find.h"

#include <algorithm>
#include <cassert>

namespace varnel {

void ParityUnionFind::init(int32_t cells) {
    assert(cells >= 1 && cells <= 32767);
    if (tagStore.size() != static_cast<size_t>(cells) + 2) {
        tagStore.assign(static_cast<size_t>(cells) + 2, SENTINEL_TAG);
        highest.assign(static_cast<size_t>(cells), 0);
    }
    cellCount = cells;
    setCount = cells;
    contradiction = 0;
    uint16_t* tag = tags();
    tag[-1] = SENTINEL_TAG;
    tag[cells] = SENTINEL_TAG;
    for (int32_t i = 0; i < cells; ++i) {
        tag[i] = static_cast<uint16_t>(i << 1 | 1);  // own label, parity 1
        highest[i] = static_cast<int16_t>(i);
    }
}

void ParityUnionFind::relate(int a, int b, int same) {
    uint16_t* tag = tags();
    const int la = tag[a] >> 1;
    const int lb = tag[b] >> 1;
    if (la == lb) {
        // x is 0 when the cells are known to have the same colour: asking for the opposite of
        // what is known is a contradiction.
        const int x = (tag[a] ^ tag[b]) & 1;
        if (x == same) contradiction = 1;
        return;
    }
    const int keep = la < lb ? a : b;
    const int absorbed = la < lb ? b : a;
    const int k = std::min(la, lb);
    const int l = std::max(la, lb);
    const int oldParity = tag[absorbed] & 1;
    const int newParity = (tag[keep] & 1) ^ (same ^ 1);
    tag[absorbed] = static_cast<uint16_t>(k << 1 | newParity);
    const int flip = oldParity ^ newParity;

    // Relabel the rest of the absorbed set: its members all lie in [l, highest[l]]. Comparing
    // whole tags against the two tags of label l finds them without a shift per cell.
    const uint16_t tagEven = static_cast<uint16_t>(l << 1);
    const uint16_t tagOdd = static_cast<uint16_t>(tagEven | 1);
    const uint16_t newEven = static_cast<uint16_t>(k << 1 | flip);
    const uint16_t newOdd = static_cast<uint16_t>(k << 1 | (flip ^ 1));
    const int end = highest[l];
    for (int i = l; i <= end; ++i) {
        const uint16_t t = tag[i];
        if (t == tagEven) {
            tag[i] = newEven;
        } else if (t == tagOdd) {
            tag[i] = newOdd;
        }
    }
    if (highest[k] < highest[l]) highest[k] = highest[l];
    --setCount;
}

void ParityUnionFind::copyFrom(const ParityUnionFind& source) {
    cellCount = source.cellCount;
    setCount = source.setCount;
    contradiction = source.contradiction;
    if (tagStore.size() != source.tagStore.size()) {
        tagStore.resize(source.tagStore.size());
        highest.resize(source.highest.size());
    }
    std::copy(source.tagStore.begin(), source.tagStore.end(), tagStore.begin());
    std::copy(source.highest.begin(), source.highest.end(), highest.begin());
}

}  // namespace varnel
