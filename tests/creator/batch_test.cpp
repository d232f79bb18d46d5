#include "creator/batch.h"

#include <gtest/gtest.h>
#include <omp.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "textio/problem_writer.h"

namespace varnel {
namespace {

namespace fs = std::filesystem;

// Runs a test inside a fresh temporary directory and returns to the old one afterwards.
class InTempDir : public ::testing::Test {
  protected:
    void SetUp() override {
        old_ = fs::current_path();
        char pattern[] = "/tmp/varnel_batch_XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        dir_ = pattern;
        fs::current_path(dir_);
    }
    void TearDown() override {
        fs::current_path(old_);
        fs::remove_all(dir_);
    }
    fs::path old_, dir_;
};

std::string todayName(int n, const char* name, int32_t number) {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char buffer[256];
    formatOutputName(buffer, local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, n, name,
                     number);
    return buffer;
}

TEST(Batch, OutputNames) {
    char buffer[256];
    formatOutputName(buffer, 2026, 12, 6, 1, "easy", 0);
    EXPECT_STREQ(buffer, "20261206_01(easy).dat");
    formatOutputName(buffer, 2026, 12, 6, 2, "hard", 0);
    EXPECT_STREQ(buffer, "20261206_02(hard).dat");
    formatOutputName(buffer, 2026, 12, 6, 1, "size", 3);
    EXPECT_STREQ(buffer, "20261206_01(size3).dat");
    formatOutputName(buffer, 2026, 1, 2, 100, "normal", 0);
    EXPECT_STREQ(buffer, "20260102_100(normal).dat");
}

TEST_F(InTempDir, OutputFilesNeverReuseAName) {
    std::ofstream(todayName(1, "easy", 0)) << "keep me\n";
    char name[256];
    std::FILE* easy = openOutputFile("easy", 0, name);
    ASSERT_NE(easy, nullptr);
    EXPECT_EQ(std::string(name), todayName(2, "easy", 0));
    std::FILE* normal = openOutputFile("normal", 0, name);
    ASSERT_NE(normal, nullptr);
    EXPECT_EQ(std::string(name), todayName(1, "normal", 0));
    std::fclose(easy);
    std::fclose(normal);
    std::ifstream kept(todayName(1, "easy", 0));
    std::string line;
    std::getline(kept, line);
    EXPECT_EQ(line, "keep me");
}

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
    makeBatch(slots, 1, 1);
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
