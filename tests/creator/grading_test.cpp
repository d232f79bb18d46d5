#include "creator/grading.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <regex>
#include <string>
#include <vector>

#include "solver/clue_grid.h"
#include "tests/support/text_file.h"
#include "textio/problem_reader.h"

namespace varnel {
namespace {

const std::string GOLDEN = std::string(VARNEL_TEST_DATA) + "/golden";

// Every problem a batch made grades to the score the batch gave it, and to the level it wrote.
TEST(Grading, MadeProblemsGradeAsTheirBatchScoredThem) {
    static const std::regex line("([1-5])/([0-9]+)/([0-9]+)/([.0-3/]+) score=([0-9]+)");
    int graded = 0;
    for (const auto& entry : std::filesystem::directory_iterator(GOLDEN + "/make")) {
        const std::string text = testing_support::readTextFile(entry.path());
        for (std::sregex_iterator it(text.begin(), text.end(), line), end; it != end; ++it) {
            const std::string compact =
                (*it)[1].str() + "/" + (*it)[2].str() + "/" + (*it)[3].str() + "/" + (*it)[4].str();
            readProblems(compact, [&](const ClueGrid& grid, int32_t width, int32_t height) {
                const ProblemGrade grade = gradeProblem(grid.data(), width, height);
                EXPECT_EQ(grade.score, std::stoi((*it)[5])) << compact;
                EXPECT_EQ(grade.level, std::stoi((*it)[1])) << compact;
                EXPECT_NE(grade.outcome, SolveOutcome::FAILED) << compact;
                EXPECT_EQ(gradeLevel(grid.data(), width, height), grade.level) << compact;
                ++graded;
            });
        }
    }
    EXPECT_GE(graded, 30);
}

// The measurements of the grade are the solver's own: they match the counters that varnel_probe
// prints for the golden problems, and the outcome follows the solve. The slow files are taken in
// part (their first problems), to keep the test fast.
TEST(Grading, MeasurementsMatchTheProbe) {
    static const std::regex probeLine(
        "W=[0-9]+ H=[0-9]+ result=[01] failed=([01]) answers=([01]) trials=([0-9]+) "
        "scans=([0-9]+) sets=[0-9]+ sweepSets=([0-9]+)");
    const std::pair<const char*, size_t> files[] = {{"plain", 100},
                                                    {"trials", 100},
                                                    {"peer_trials", 100},
                                                    {"failed", 4},
                                                    {"branch_or_stuck", 4}};
    int graded = 0;
    for (const auto& file : files) {
        const std::string name = file.first;
        const size_t most = file.second;
        const std::string text = testing_support::readTextFile(GOLDEN + "/solve/" + name + ".txt");
        const std::string probe =
            testing_support::readTextFile(GOLDEN + "/solve/" + name + ".probe");
        std::sregex_iterator expected(probe.begin(), probe.end(), probeLine);
        size_t lineNumber = 0;
        size_t start = 0;
        while (start < text.size() && lineNumber < most) {
            const size_t end = text.find('\n', start);
            const std::string line = text.substr(start, end - start + 1);
            start = end == std::string::npos ? text.size() : end + 1;
            ++lineNumber;
            ASSERT_NE(expected, std::sregex_iterator()) << name << " line " << lineNumber;
            const std::smatch want = *expected;
            ++expected;
            readProblems(line, [&](const ClueGrid& grid, int32_t width, int32_t height) {
                const ProblemGrade grade = gradeProblem(grid.data(), width, height);
                const SolveOutcome outcome = want[1] == "1"   ? SolveOutcome::FAILED
                                             : want[2] == "1" ? SolveOutcome::FOUND
                                                              : SolveOutcome::STUCK;
                EXPECT_EQ(grade.outcome, outcome) << name << " line " << lineNumber;
                EXPECT_EQ(grade.trialCount, std::stoi(want[3])) << name << " line " << lineNumber;
                EXPECT_EQ(grade.scanCount, std::stoi(want[4])) << name << " line " << lineNumber;
                EXPECT_EQ(grade.sweepSets, std::stoi(want[5])) << name << " line " << lineNumber;
                EXPECT_EQ(grade.level, grade.score / 10 + 1);
                EXPECT_EQ(gradeLevel(grid.data(), width, height), grade.level);
                ++graded;
            });
        }
    }
    EXPECT_EQ(graded, 6 + 2 + 36 + 4 + 4);
}

// A board without clues: one sweep leaves every cell a set of its own, which caps the score, so
// the level is known at once (the solve itself would run for minutes).
TEST(Grading, LevelOfABlankBoardNeedsNoSolve) {
    const std::vector<uint8_t> blank(100, NO_CLUE);
    EXPECT_EQ(gradeLevel(blank.data(), 10, 10), 5);
}

}  // namespace
}  // namespace varnel
