#include "textio/game_id.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/support/format_rows.h"

namespace varnel {
namespace {

using testing_support::parseRows;
using testing_support::readGoldenTable;
using testing_support::RowsProblem;

constexpr uint8_t N = NO_CLUE;

std::string idOf(const RowsProblem& p) {
    std::string id;
    appendGameId(p.grid, p.width, p.height, id);
    return id;
}

TEST(GameId, CanonicalGoldenIdsReadAndWriteBothWays) {
    const auto table = readGoldenTable("canonical.tsv");
    ASSERT_GE(table.size(), 80u);
    for (const auto& fields : table) {
        ASSERT_EQ(fields.size(), 3u);
        const RowsProblem expected = parseRows(fields[0]);
        LineProblem read;
        std::vector<LineIssue> issues;
        EXPECT_TRUE(decodeGameId(fields[2], read, issues)) << fields[2];
        EXPECT_TRUE(issues.empty()) << fields[2];
        EXPECT_EQ(read.width, expected.width) << fields[2];
        EXPECT_EQ(read.height, expected.height) << fields[2];
        EXPECT_EQ(read.grid, expected.grid) << fields[2];
        EXPECT_EQ(idOf(expected), fields[2]);
    }
}

TEST(GameId, ParametersAndLongRuns) {
    // A difficulty after the type, and a type left out, read as the plain ID.
    const ClueGrid twoByTwo = {N, 3, 0, N};
    for (const char* id : {"2x2t0:a30a", "2x2t0de:a30a", "2x2t0dh:a30a", "2x2:a30a"}) {
        LineProblem read;
        std::vector<LineIssue> issues;
        EXPECT_TRUE(decodeGameId(id, read, issues)) << id;
        EXPECT_EQ(read.grid, twoByTwo) << id;
        EXPECT_EQ(idOf({2, 2, twoByTwo}), "2x2t0:a30a");
    }
    // 26 blanks are a single 'z', the 34 after the clue 26 + 8.
    ClueGrid grid(61, N);
    grid[26] = 1;
    EXPECT_EQ(idOf({61, 1, grid}), "61x1t0:z1zh");
    LineProblem read;
    std::vector<LineIssue> issues;
    EXPECT_TRUE(decodeGameId("61x1t0:z1zh", read, issues));
    EXPECT_EQ(read.grid, grid);
}

TEST(GameId, ErrorsArePositioned) {
    const struct {
        std::string id;
        size_t offset;
        const char* contains;
    } cases[] = {
        {"3x3t1:i", 3, "grid type 1 is not the square grid (t0)"},
        {"3x3t12:i", 3, "grid type 12 is not"},
        {"3x3t:i", 4, "expected the grid type after 't', found ':'"},
        {"3x3t0d:i", 6, "expected a difficulty letter after 'd', found ':'"},
        {"3x3t0de#1234", 7, "random-seed ID"},
        {"3x3t0", 5, "expected ':' and the description after the parameters at the end"},
        {"3x3t0:", 6, "no description after ':'"},
        {"3x3t0:h", 7, "description ends after 8 of 9 cells"},
        {"3x3t0:j", 6, "description too long for the board's 9 cells"},
        {"3x3t0:i00", 7, "description too long"},
        {"3x3t0:4h", 6, "clue 4"},
        {"3x3t0:5h", 6, "'5' is not part of a game description"},
        {"3x3t0:A", 6, "'A' is not part"},
        {std::string("3x3t0:\0h", 8), 6, "a NUL byte is not part"},
        {"3y3t0:i", 1, "expected 'x' after the width, found 'y'"},
        {"0x3t0:i", 0, "the width must be at least 1, not 0"},
        {"-3x3t0:i", 0, "the width must be at least 1, not -3"},
        {"3x-3t0:i", 2, "the height must be at least 1, not -3"},
        {"3x99999999999t0:a", 0, "a 3 x 99999999999 board is beyond the solver's limit"},
        {"10921x1t0:z", 0, "beyond the solver's limit"},
    };
    for (const auto& c : cases) {
        LineProblem read;
        std::vector<LineIssue> issues;
        EXPECT_FALSE(decodeGameId(c.id, read, issues)) << c.id;
        ASSERT_EQ(issues.size(), 1u) << c.id;
        EXPECT_FALSE(issues[0].warning) << c.id;
        EXPECT_EQ(issues[0].offset, c.offset) << c.id;
        EXPECT_NE(issues[0].message.find(c.contains), std::string::npos)
            << c.id << ": " << issues[0].message;
    }
    // 10920 x 1 is 32766 padded cells, just within the labels.
    LineProblem read;
    std::vector<LineIssue> issues;
    std::string id = "10920x1t0:";
    for (int i = 0; i < 10920 / 26; ++i)
        id += 'z';
    EXPECT_TRUE(decodeGameId(id, read, issues));
    EXPECT_EQ(read.grid, ClueGrid(10920, N));
}

}  // namespace
}  // namespace varnel
