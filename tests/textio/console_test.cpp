#include "textio/console.h"

#include <gtest/gtest.h>

namespace varnel {
namespace {

TEST(Console, FinishedLineShowsSecondsAndMilliseconds) {
    EXPECT_EQ(formatFinished(12345), "\nfinished. time = 12.345 sec\n");
    EXPECT_EQ(formatFinished(65), "\nfinished. time = 0.065 sec\n");
    EXPECT_EQ(formatFinished(0), "\nfinished. time = 0.000 sec\n");
    EXPECT_EQ(formatFinished(4294967295u), "\nfinished. time = 4294967.295 sec\n");
}

}  // namespace
}  // namespace varnel
