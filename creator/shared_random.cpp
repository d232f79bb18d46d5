#include "creator/shared_random.h"

#include <cassert>

namespace varnel {

void SharedRandom::seedWith(uint32_t value) {
    std::lock_guard<std::mutex> guard(lock);
    seed = static_cast<int32_t>(value);
}

void SharedRandom::seedWide(uint64_t state) {
    std::lock_guard<std::mutex> guard(lock);
    wideState = state;
    wide = true;
}

uint64_t SharedRandom::advanceWide() {
    uint64_t z;
    {
        std::lock_guard<std::mutex> guard(lock);
        wideState += 0x9E3779B97F4A7C15u;
        z = wideState;
    }
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9u;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBu;
    return z ^ (z >> 31);
}

int32_t SharedRandom::advance() {
    uint32_t next;
    {
        std::lock_guard<std::mutex> guard(lock);
        next = (static_cast<uint32_t>(seed) * 1103515245u + 12345u) & 0x7fffffffu;
        seed = static_cast<int32_t>(next);
    }
    return static_cast<int32_t>(next);
}

int32_t SharedRandom::draw(int32_t n) {
    assert(n >= 1);
    if (wide) {
        const double u = static_cast<double>(advanceWide() >> 11) * 0x1.0p-53;
        return static_cast<int32_t>(u * n);
    }
    const int32_t s = advance();
    // The divisor exceeds the largest state + 1, so 0 < u < 1 and the result never reaches n.
    const double u = (s + 1.0) / 2147483649.0;
    return static_cast<int32_t>(u * n);
}

}  // namespace varnel
