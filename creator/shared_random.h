#pragma once

#include <cstdint>
#include <mutex>

namespace varnel {

// The one random source of a batch: a 31-bit linear congruential generator shared by every worker
// thread and advanced under a lock. Every random choice of the creator is a draw from it, made in
// a fixed order, so a single worker and a given seed always reproduce the same problems.
//
// A source seeded with seedWide is a 64-bit one instead (SplitMix64: the state steps by
// 0x9E3779B97F4A7C15 and is mixed into each value), for the problems of varnel make, each of which
// has a source of its own: with 2^64 states, two problems' sources never run into each other's
// draws, where the 31-bit generator's single cycle of 2^31 states made equal problems in large
// batches. The batches of the main program keep the 31-bit generator.
struct SharedRandom {
    int32_t seed = 0;        // generator state; in [0, 2^31 - 1] after the first advance
    uint64_t wideState = 0;  // the 64-bit generator's state
    bool wide = false;       // draws come from the 64-bit generator
    std::mutex lock;         // guards the state, held only while it advances

    SharedRandom() = default;
    explicit SharedRandom(uint32_t initialSeed) { seedWith(initialSeed); }
    // Workers hold pointers to the one record of their batch; a copy would split the sequence.
    SharedRandom(const SharedRandom&) = delete;
    SharedRandom& operator=(const SharedRandom&) = delete;

    // Stores a 32-bit value (the batch uses the millisecond tick count) bit for bit as the state.
    // A value at or above 2^31 becomes negative here; advance only reads the low 31 bits anyway.
    void seedWith(uint32_t value);

    // Makes this a 64-bit source with the given state.
    void seedWide(uint64_t state);

    // seed = (seed x 1103515245 + 12345) mod 2^31 in 32-bit unsigned wrap-around arithmetic;
    // returns the new state.
    int32_t advance();

    // The 64-bit generator's next value.
    uint64_t advanceWide();

    // An integer in [0, n) for n >= 1: one advance, converted outside the lock from the value that
    // advance returned, never from the shared state, which another thread may have moved on. A
    // 64-bit source scales the value's top 53 bits.
    int32_t draw(int32_t n);
};

}  // namespace varnel
