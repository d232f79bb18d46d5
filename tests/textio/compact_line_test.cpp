#include "textio/compact_line.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace varnel {
namespace {

TEST(CompactLine, WorkedExampleAndLevels) {
    for (int32_t level = 1; level <= 5; ++level) {
        LineProblem read;
        std::vector<LineIssue> issues;
        const std::string line = std::to_string(level) + "/2/3/1.3/..0/";
        EXPECT_TRUE(decodeCompactLine(line, read, issues)) << line;
        EXPECT_TRUE(issues.empty()) << line;
        EXPECT_EQ(read.level, level);
        EXPECT_EQ(read.width, 3);
        EXPECT_EQ(read.height, 2);
        EXPECT_EQ(read.grid, (ClueGrid{1, NO_CLUE, 3, NO_CLUE, NO_CLUE, 0}));
    }
}

TEST(CompactLine, WhatTheMainProgramWouldReadOtherwiseIsAnError) {
    const struct {
        const char* line;
        size_t offset;
        const char* message;
    } cases[] = {
        // The main program passes over a 0 before the level, and only 1-5 mark a compact file.
        {"0/1/1/./", 0, "the level must be 1 to 5, not 0"},
        {"6/1/1/./", 0, "the level must be 1 to 5, not 6"},
        {"12/1/1/./", 0, "the level must be 1 to 5, not 12"},
        {"-1/1/1/./", 0, "the level must be 1 to 5, not -1"},
        {"/1/1/./", 0,
         "expected the level: a compact line starts LEVEL/ROWS/COLUMNS/ with LEVEL 1 "
         "to 5, found '/'"},
        {"2 /1/1/./", 1, "expected '/' after the level, found a space"},
        {"2/1/x/./", 4, "expected the number of columns, found 'x'"},
        {"2/1/1", 5, "expected '/' after the number of columns at the end"},
        {"2/0/3/", 2, "the number of rows must be at least 1, not 0"},
        {"2/3/-4/", 4, "the number of columns must be at least 1, not -4"},
        {"2/99999999999/5/", 2,
         "a 5 x 99999999999 board is beyond the solver's limit: (columns + 2) x (rows + 2) may be "
         "at most 32767"},
        {"1/1/10921/", 2, "a 10921 x 1 board is beyond the solver's limit"},
        // Rows: their count and length come from the header, and only cells belong in them.
        {"2/2/2/../", 9, "the line ends after 1 of the header's 2 rows"},
        {"2/1/2/../../", 9, "text after row 1, the header's last row"},
        {"2/2/3/1.3/../", 12, "row 2 has 2 cells; the header gives 3"},
        {"2/2/3/1.3//", 10, "row 2 has 0 cells; the header gives 3"},
        {"2/1/2/..3/", 8, "row 1 has more than the header's 2 cells"},
        {"2/1/2/..", 8, "the last row is not closed by '/'"},
        {"2/1/2/.4/", 7, "'4' is not a clue (clues are 0 to 3)"},
        {"2/1/2/.. # note", 8, "a space is not a cell ('.' or a clue 0 to 3)"},
    };
    for (const auto& c : cases) {
        LineProblem read;
        std::vector<LineIssue> issues;
        EXPECT_FALSE(decodeCompactLine(c.line, read, issues)) << c.line;
        ASSERT_EQ(issues.size(), 1u) << c.line;
        EXPECT_FALSE(issues[0].warning) << c.line;
        EXPECT_EQ(issues[0].offset, c.offset) << c.line;
        EXPECT_EQ(issues[0].message.substr(0, std::string(c.message).size()), c.message)
            << c.line << ": " << issues[0].message;
    }
}

}  // namespace
}  // namespace varnel
