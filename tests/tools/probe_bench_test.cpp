// Whole-program test of varnel_probe bench: the quick workload's behaviour signature is pinned, and
// each phase's signature must be the hash of exactly what `varnel_probe make` and
// `varnel_probe solve` print for the same work, so that the signature can be traced line by line.

#include <gtest/gtest.h>

#include <array>
#include <cinttypes>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>

#include "tests/support/run_command.h"

namespace {

// The quick workload's signature. It changes only when the program's behaviour changes (a made
// problem, a score, a verdict or a solver counter): such a change must say why in its commit.
constexpr const char* QUICK_SIGNATURE = "e1b68a4061badf87";

using varnel::testing_support::runCommand;

std::string fnv1a(const std::string& text) {
    uint64_t value = 0xcbf29ce484222325ULL;
    for (const char c : text) {
        value ^= static_cast<unsigned char>(c);
        value *= 0x100000001b3ULL;
    }
    char hex[17];
    std::snprintf(hex, sizeof hex, "%016" PRIx64, value);
    return hex;
}

// The signature printed on the line of the phase whose name starts with `phase`.
std::string phaseSignature(const std::string& output, const std::string& phase) {
    std::istringstream lines(output);
    std::string line;
    while (std::getline(lines, line)) {
        if (line.rfind(phase, 0) != 0) continue;
        const size_t at = line.find("signature=");
        if (at != std::string::npos) return line.substr(at + 10);
    }
    return "(no line for " + phase + ")";
}

const std::string PROBE = VARNEL_PROBE_BINARY;
const std::string HARD_FILE = std::string(VARNEL_TEST_DATA) + "/../bench/data/hard_problems.txt";

TEST(ProbeBench, QuickSignatureIsPinnedAndTracesToMakeAndSolve) {
    int status = -1;
    const std::string output = runCommand(PROBE + " bench --quick '" + HARD_FILE + "'", &status);
    ASSERT_EQ(status, 0) << output;
    EXPECT_NE(output.find(std::string("bench signature: ") + QUICK_SIGNATURE + "\n"),
              std::string::npos)
        << output;

    // The quick workload: two problems of class 0 and one of class 1 from the bench seeds, the
    // same problems solved back, and the first two problems of the hard file.
    const std::string made0 = runCommand(PROBE + " make 0 1601 2");
    const std::string made1 = runCommand(PROBE + " make 1 2001 1");
    EXPECT_EQ(phaseSignature(output, "make class 0"), fnv1a(made0));
    EXPECT_EQ(phaseSignature(output, "make class 1"), fnv1a(made1));

    const std::string madeFile = testing::TempDir() + "varnel_bench_made.txt";
    {
        std::ofstream out(madeFile, std::ios::binary);
        std::istringstream lines(made0 + made1);
        std::string line;
        while (std::getline(lines, line))
            out << line.substr(0, line.rfind(" score=")) << '\n';
    }
    const std::string madeSolved = runCommand(PROBE + " solve '" + madeFile + "'");
    std::remove(madeFile.c_str());
    EXPECT_EQ(phaseSignature(output, "solve made problems"), fnv1a(madeSolved));

    const std::string hardFile = testing::TempDir() + "varnel_bench_hard.txt";
    {
        std::ifstream in(HARD_FILE, std::ios::binary);
        std::ofstream out(hardFile, std::ios::binary);
        std::string line;
        for (int n = 0; n < 2 && std::getline(in, line); ++n)
            out << line << '\n';
    }
    const std::string hardSolved = runCommand(PROBE + " solve '" + hardFile + "'");
    std::remove(hardFile.c_str());
    EXPECT_EQ(phaseSignature(output, "solve hard file"), fnv1a(hardSolved));
    // The quick workload reaches both the trial step and the branching step.
    EXPECT_NE(hardSolved.find("result=1"), std::string::npos) << hardSolved;
    EXPECT_NE(hardSolved.find("result=0"), std::string::npos) << hardSolved;

    // The whole workload's signature runs over every phase's lines in order.
    EXPECT_EQ(QUICK_SIGNATURE, fnv1a(made0 + made1 + madeSolved + hardSolved));
}

TEST(ProbeBench, MissingHardFileIsAnError) {
    int status = -1;
    const std::string output =
        runCommand(PROBE + " bench --quick /nonexistent/hard.txt 2>&1", &status);
    EXPECT_NE(status, 0);
    EXPECT_NE(output.find("failed to open: /nonexistent/hard.txt"), std::string::npos) << output;
}

}  // namespace
