#include "app/clock.h"

#include <gtest/gtest.h>

#include "textio/console.h"

namespace varnel {
namespace {

TEST(Clock, ElapsedTimeSurvivesTheCounterWrap) {
    // Readings 0xFFFFFF00 and 0x00000100 lie 512 ms apart across the wrap.
    EXPECT_EQ(elapsedMillis(0xFFFFFF00u, 0x00000100u), 512u);
    EXPECT_EQ(formatFinished(elapsedMillis(0xFFFFD000u, 0x00001039u)),
              "\nfinished. time = 16.441 sec\n");

    // Two real readings in a row are close together and in order.
    const uint32_t first = tickCount();
    const uint32_t second = tickCount();
    EXPECT_LT(elapsedMillis(first, second), 1000u);
}

}  // namespace
}  // namespace varnel
