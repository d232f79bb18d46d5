// Whole-program test of varnel_probe solve against expected counters computed independently.

#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>

namespace {

std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

std::string runCommand(const std::string& command) {
    std::string output;
    FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr) return output;
    std::array<char, 4096> buffer{};
    size_t n = 0;
    while ((n = fread(buffer.data(), 1, buffer.size(), pipe)) > 0)
        output.append(buffer.data(), n);
    pclose(pipe);
    return output;
}

class ProbeSolveGolden : public ::testing::TestWithParam<const char*> {};

TEST_P(ProbeSolveGolden, CountersMatchExpected) {
    const std::string base = std::string(VARNEL_TEST_DATA) + "/golden/solve/" + GetParam();
    const std::string output =
        runCommand(std::string(VARNEL_PROBE_BINARY) + " solve '" + base + ".txt'");
    EXPECT_EQ(output, readFile(base + ".probe"));
}

INSTANTIATE_TEST_SUITE_P(Golden, ProbeSolveGolden,
                         ::testing::Values("plain", "trials", "peer_trials", "branch_or_stuck",
                                           "failed"));

}  // namespace
