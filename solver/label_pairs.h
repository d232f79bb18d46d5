#pragma once

#include <cstdint>

#include "solver/parity_union_find.h"

namespace varnel {

// The pairs of set labels (a, b), a < b, that the search tries, in lexicographic order: first
// (0, r) for every other label r in increasing order, then the pairs of two other sets. Labels are
// read from the board being searched, never from its scratch copy, and the walk reads them as it
// goes, so it needs no memory of its own.
struct LabelPairs {
    const ParityUnionFind& uf;
    int32_t a = 0;  // first label of the current pair
    int32_t b = 0;  // second label; (0, 0) before the first call of next

    // Moves to the next pair; false when the pairs are exhausted.
    bool next() {
        b = nextLabel(b);
        if (b < uf.cellCount) return true;
        a = nextLabel(a);
        if (a >= uf.cellCount) return false;
        b = nextLabel(a);
        return b < uf.cellCount;
    }

    // The smallest label above `from`, or cellCount when there is none.
    int32_t nextLabel(int32_t from) const {
        const uint16_t* tag = uf.tags();
        for (int32_t i = from + 1; i < uf.cellCount; ++i) {
            if ((tag[i] >> 1) == i) return i;
        }
        return uf.cellCount;
    }
};

}  // namespace varnel
