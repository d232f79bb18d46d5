#pragma once

#include <cstdint>

namespace varnel {

// A monotonic millisecond counter truncated to 32 bits. It wraps after about 49.7 days, so
// readings are only ever compared through elapsedMillis.
uint32_t tickCount();

// Milliseconds from start to now, taken modulo 2^32: one wrap of the counter between the two
// readings still gives the true elapsed time.
inline uint32_t elapsedMillis(uint32_t start, uint32_t now) {
    return now - start;
}

}  // namespace varnel
