// Whole-program test of varnel_probe solve against expected counters computed independently.

#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>

#include "tests/support/run_command.h"
#include "tests/support/text_file.h"

namespace {

using varnel::testing_support::readTextFile;

using varnel::testing_support::runCommand;

class ProbeSolveGolden : public ::testing::TestWithParam<const char*> {};

TEST_P(ProbeSolveGolden, CountersMatchExpected) {
    const std::string base = std::string(VARNEL_TEST_DATA) + "/golden/solve/" + GetParam();
    const std::string output =
        runCommand(std::string(VARNEL_PROBE_BINARY) + " solve '" + base + ".txt'");
    EXPECT_EQ(output, readTextFile(base + ".probe"));
}

INSTANTIATE_TEST_SUITE_P(Golden, ProbeSolveGolden,
                         ::testing::Values("plain", "trials", "peer_trials", "branch_or_stuck",
                                           "failed"));

}  // namespace
