#include "app/output_files.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <string>

namespace varnel {
namespace {

namespace fs = std::filesystem;

// Runs a test inside a fresh temporary directory and returns to the old one afterwards.
class InTempDir : public ::testing::Test {
  protected:
    void SetUp() override {
        old_ = fs::current_path();
        char pattern[] = "/tmp/varnel_output_files_XXXXXX";
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

TEST(OutputFiles, NamesCarryDateCounterAndKind) {
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

}  // namespace
}  // namespace varnel
