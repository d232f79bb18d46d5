#include "creator/shared_random.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

namespace varnel {
namespace {

// The seed whose next advance yields target: inverts the multiply-add modulo 2^31.
uint32_t seedBefore(uint32_t target) {
    const uint32_t a = 1103515245u;
    uint32_t inverse = a;  // Newton's iteration doubles the correct low bits each round
    for (int n = 0; n < 5; ++n)
        inverse *= 2u - a * inverse;
    return ((target - 12345u) * inverse) & 0x7fffffffu;
}

TEST(SharedRandomTest, AdvanceFollowsTheWorkedValues) {
    SharedRandom fromZero(0);
    EXPECT_EQ(fromZero.advance(), 12345);
    EXPECT_EQ(fromZero.advance(), 1406932606);
    EXPECT_EQ(fromZero.advance(), 654583775);
    EXPECT_EQ(fromZero.seed, 654583775);

    SharedRandom fromTop(2147483647u);
    EXPECT_EQ(fromTop.advance(), 1043980748);

    // A tick count at or above 2^31 is stored bit for bit and acts as that count minus 2^31.
    for (uint32_t tick : {2147483648u, 2147483649u, 3000000000u, 4294967295u}) {
        SharedRandom high(tick);
        SharedRandom low(tick - 2147483648u);
        EXPECT_EQ(high.seed, static_cast<int32_t>(tick));
        for (int n = 0; n < 3; ++n)
            EXPECT_EQ(high.advance(), low.advance()) << tick;
    }
}

TEST(SharedRandomTest, MatchesGoldenSequenceFromSeedZero) {
    std::ifstream in(std::string(VARNEL_TEST_DATA) + "/golden/lcg_seed0_20.txt");
    ASSERT_TRUE(in) << "missing golden/lcg_seed0_20.txt";
    std::vector<int64_t> expected;
    for (int64_t v; in >> v;)
        expected.push_back(v);
    ASSERT_EQ(expected.size(), 40u);

    SharedRandom random(0);
    for (int n = 0; n < 20; ++n)
        EXPECT_EQ(random.advance(), expected[n]) << "advance " << n;
    // The draws start again from seed 0.
    random.seedWith(0);
    for (int n = 0; n < 20; ++n)
        EXPECT_EQ(random.draw(7), expected[20 + n]) << "draw " << n;
}

TEST(SharedRandomTest, DrawStaysInRangeAtBothExtremes) {
    for (int32_t n : {1, 2, 7, 1000, 2147483647}) {
        SharedRandom bottom(seedBefore(0));
        EXPECT_EQ(bottom.draw(n), 0) << n;
        EXPECT_EQ(bottom.seed, 0);
        SharedRandom top(seedBefore(2147483647u));
        EXPECT_EQ(top.draw(n), n - 1) << n;
        EXPECT_EQ(top.seed, 2147483647);
    }

    SharedRandom random(12345);
    for (int n = 0; n < 5000; ++n) {
        ASSERT_EQ(random.draw(1), 0);
        const int32_t v = random.draw(5);
        ASSERT_TRUE(v >= 0 && v < 5) << v;
    }
}

TEST(SharedRandomTest, ConcurrentAdvancesLoseNoStep) {
    constexpr int THREADS = 4;
    constexpr int STEPS = 20000;
    SharedRandom shared(99);
    std::vector<std::vector<int32_t>> got(THREADS);
    std::vector<std::thread> workers;
    for (int t = 0; t < THREADS; ++t) {
        workers.emplace_back([&shared, &got, t] {
            for (int n = 0; n < STEPS; ++n)
                got[t].push_back(shared.advance());
        });
    }
    for (auto& w : workers)
        w.join();

    // Together the threads saw exactly the sequential sequence, each value once.
    SharedRandom alone(99);
    std::vector<int32_t> expected;
    for (int n = 0; n < THREADS * STEPS; ++n)
        expected.push_back(alone.advance());
    std::vector<int32_t> all;
    for (const auto& g : got)
        all.insert(all.end(), g.begin(), g.end());
    EXPECT_EQ(shared.seed, alone.seed);
    std::sort(all.begin(), all.end());
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(all, expected);
}

}  // namespace
}  // namespace varnel
