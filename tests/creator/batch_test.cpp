#include "creator/batch.h"

#include <gtest/gtest.h>
#include <omp.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>

#include "textio/problem_writer.h"

namespace varnel {
namespace {

TEST(Batch, SortIsStableBySizeClassThenScore) {
    std::vector<ProblemSlot> slots;
    const int keys[][2] = {{1, 5}, {0, 7}, {1, 2}, {0, 7}, {0, 3}, {1, 5}};
    for (int i = 0; i < 6; ++i) {
        ProblemSlot slot;
        slot.sizeClass = keys[i][0];
        slot.score = keys[i][1];
        slot.grid = {static_cast<uint8_t>(i)};  // creation order
        slots.push_back(slot);
    }
    sortSlots(slots);
    const int expected[][3] = {{0, 3, 4}, {0, 7, 1}, {0, 7, 3}, {1, 2, 2}, {1, 5, 0}, {1, 5, 5}};
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(slots[i].sizeClass, expected[i][0]);
        EXPECT_EQ(slots[i].score, expected[i][1]);
        EXPECT_EQ(slots[i].grid[0], expected[i][2]);
    }
}

// With one thread the batch is the sequence that varnel_probe make prints for the same seed.
TEST(Batch, SingleThreadBatchFollowsTheSeed) {
    std::ifstream golden(std::string(VARNEL_TEST_DATA) + "/golden/make/class0_seed1_count4.txt");
    std::vector<ProblemSlot> slots(4);
    for (ProblemSlot& slot : slots)
        slot.grid.assign(16 * 12, NO_CLUE);
    const int threads = omp_get_max_threads();
    omp_set_num_threads(1);
    ::testing::internal::CaptureStdout();
    makeBatch(slots, 1, 1, [] { std::fputs("o", stdout); });
    const std::string marks = ::testing::internal::GetCapturedStdout();
    omp_set_num_threads(threads);
    EXPECT_EQ(marks, "oooo");
    for (const ProblemSlot& slot : slots) {
        std::string expected;
        std::getline(golden, expected);
        std::string line;
        appendProblemLine(slot.score, slot.grid.data(), 16, 12, line);
        line.pop_back();
        EXPECT_EQ(line + " score=" + std::to_string(slot.score), expected);
    }
}

}  // namespace
}  // namespace varnel
