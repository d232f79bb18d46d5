#include "solver/rotations.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace varnel {
namespace {

// The order of the rotations is behaviour: later rotations see what earlier ones recorded.
TEST(Rotations, FourQuarterTurnsInTheirFixedOrder) {
    const int32_t s = 7;
    std::vector<std::pair<int32_t, int32_t>> seen;
    forEachRotation(s, [&](int32_t a, int32_t b) { seen.emplace_back(a, b); });
    EXPECT_EQ(seen, (std::vector<std::pair<int32_t, int32_t>>{{1, s}, {-s, 1}, {-1, -s}, {s, -1}}));
    // Each is the one before turned a quarter turn clockwise: (a, b) -> (-b, a).
    for (size_t n = 1; n < seen.size(); ++n) {
        EXPECT_EQ(seen[n], std::make_pair(-seen[n - 1].second, seen[n - 1].first));
    }
}

TEST(Rotations, AnyRotationStopsAtTheFirstThatHolds) {
    std::vector<int32_t> tried;
    EXPECT_TRUE(anyRotation(5, [&](int32_t a, int32_t) {
        tried.push_back(a);
        return a == -5;
    }));
    EXPECT_EQ(tried, (std::vector<int32_t>{1, -5}));
    tried.clear();
    EXPECT_FALSE(anyRotation(5, [&](int32_t a, int32_t) {
        tried.push_back(a);
        return false;
    }));
    EXPECT_EQ(tried, (std::vector<int32_t>{1, -5, -1, 5}));
}

}  // namespace
}  // namespace varnel
