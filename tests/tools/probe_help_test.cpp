// Whole-program test of varnel_probe help: it goes to standard output with status 0 under every
// spelling, it documents every field that the commands actually print, and a wrong call still
// gets the short usage on standard error with status 2.

#include <gtest/gtest.h>

#include <regex>
#include <set>
#include <string>

#include "tests/support/run_command.h"

namespace {

using varnel::testing_support::runCommand;

const std::string PROBE = VARNEL_PROBE_BINARY;
const std::string DATA = VARNEL_TEST_DATA;

// The names of the key=value fields of text.
std::set<std::string> fieldNames(const std::string& text) {
    std::set<std::string> names;
    const std::regex field("([A-Za-z]+)=");
    for (auto it = std::sregex_iterator(text.begin(), text.end(), field);
         it != std::sregex_iterator(); ++it) {
        names.insert((*it)[1]);
    }
    return names;
}

TEST(ProbeHelp, EverySpellingPrintsTheHelpOnStandardOutput) {
    int status = -1;
    const std::string help = runCommand(PROBE + " help 2>/dev/null", &status);
    EXPECT_EQ(status, 0);
    for (const char* spelling : {" --help", " -h", " solve --help", " bench -h"}) {
        EXPECT_EQ(runCommand(PROBE + spelling + " 2>/dev/null", &status), help) << spelling;
        EXPECT_EQ(status, 0) << spelling;
        EXPECT_EQ(runCommand(PROBE + spelling + " 2>&1 >/dev/null"), "") << spelling;
    }
    for (const char* command : {"solve FILE [--work]", "loop W H SEED COUNT",
                                "make CLASS SEED COUNT [--threads N] [--work]",
                                "thin FILE SEED MIN MAX [branch]", "bench [--quick] [FILE]"}) {
        EXPECT_NE(help.find(std::string("\n") + command + "\n"), std::string::npos) << command;
    }
    EXPECT_NE(help.find("Exit status"), std::string::npos);
}

// Every field name that solve, make --work, thin and bench print is explained in the help.
TEST(ProbeHelp, ExplainsEveryFieldTheCommandsPrint) {
    const std::string help = runCommand(PROBE + " help");
    const std::string solved = runCommand(PROBE + " solve '" + DATA + "/golden/solve/trials.txt'");
    const std::string work = runCommand(PROBE + " make 0 1 1 --work 2>&1");
    const std::string thinned =
        runCommand(PROBE + " thin '" + DATA + "/golden/solve/plain.txt' 3 0 5 2>&1 >/dev/null");
    const std::string bench =
        runCommand(PROBE + " bench --quick '" + DATA + "/../bench/data/hard_problems.txt'");
    std::set<std::string> printed;
    for (const std::string* output : {&solved, &work, &thinned, &bench}) {
        ASSERT_FALSE(output->empty());
        const std::set<std::string> names = fieldNames(*output);
        printed.insert(names.begin(), names.end());
    }
    // The solve line's fields, the make line's score and the work counters, at least.
    for (const char* name : {"result", "failed", "answers", "trials", "scans", "sets", "sweepSets",
                             "score", "setUps", "passes", "copies", "branched", "signature"}) {
        EXPECT_EQ(printed.count(name), 1u) << name;
    }
    for (const std::string& name : printed) {
        // An explanation line of the help starts with the name ("W, H" explains both).
        EXPECT_TRUE(std::regex_search(help, std::regex("\n +(\\w+, )?" + name + "[ ,]")))
            << name << " is printed but not explained";
    }
    EXPECT_NE(help.find("bench signature:"), std::string::npos);
}

TEST(ProbeHelp, WrongCallsPrintTheUsageOnStandardError) {
    for (const char* call : {"", " nonsense", " nonsense --help", " make 9 1 1", " solve"}) {
        int status = -1;
        EXPECT_EQ(runCommand(PROBE + call + " 2>/dev/null", &status), "") << call;
        EXPECT_EQ(status, 2) << call;
        EXPECT_NE(runCommand(PROBE + call + " 2>&1 >/dev/null").find("usage: varnel_probe"),
                  std::string::npos)
            << call;
    }
}

}  // namespace
