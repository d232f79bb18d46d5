#pragma once

#include <cstdint>
#include <mutex>

namespace varnel {

// The one random source of a batch: a 31-bit linear congruential generator shared by every worker
// thread and advanced under a lock. Every random choice of the creator is a draw from it, made in
// a fixed order, so a single worker and a given seed always reproduce the same problems.
struct SharedRandom {
    int32_t seed = 0;  // generator state; in [0, 2^31 - 1] after the first advance
    std::mutex lock;   // guards seed, held only for the multiply-add of advance

    SharedRandom() = default;
    explicit SharedRandom(uint32_t initialSeed) { seedWith(initialSeed); }
    // Workers hold pointers to the one record of their batch; a copy would split the sequence.
    SharedRandom(const SharedRandom&) = delete;
    SharedRandom& operator=(const SharedRandom&) = delete;

    // Stores a 32-bit value (the batch uses the millisecond tick count) bit for bit as the state.
    // A value at or above 2^31 becomes negative here; advance only reads the low 31 bits anyway.
    void seedWith(uint32_t value);

    // seed = (seed x 1103515245 + 12345) mod 2^31 in 32-bit unsigned wrap-around arithmetic;
    // returns the new state.
    int32_t advance();

    // An integer in [0, n) for n >= 1: one advance, converted outside the lock from the value that
    // advance returned, never from the shared state, which another thread may have moved on.
    int32_t draw(int32_t n);
};

}  // namespace varnel
