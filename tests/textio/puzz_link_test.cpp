#include "textio/puzz_link.h"

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

std::string urlOf(const RowsProblem& p) {
    std::string url;
    appendPuzzLinkUrl(p.grid, p.width, p.height, url);
    return url;
}

TEST(PuzzLink, CanonicalGoldenUrlsReadAndWriteBothWays) {
    const auto table = readGoldenTable("canonical.tsv");
    ASSERT_GE(table.size(), 80u);
    for (const auto& fields : table) {
        ASSERT_EQ(fields.size(), 3u);
        const RowsProblem expected = parseRows(fields[0]);
        LineProblem read;
        std::vector<LineIssue> issues;
        EXPECT_TRUE(decodePuzzLinkUrl(fields[1], read, issues)) << fields[1];
        EXPECT_TRUE(issues.empty()) << fields[1] << ": " << issues[0].message;
        EXPECT_EQ(read.width, expected.width) << fields[1];
        EXPECT_EQ(read.height, expected.height) << fields[1];
        EXPECT_EQ(read.grid, expected.grid) << fields[1];
        EXPECT_EQ(urlOf(expected), fields[1]);
    }
}

TEST(PuzzLink, OtherToolsUrlsDecodeToTheirRowsAndReencodeCanonically) {
    const auto table = readGoldenTable("decode.tsv");
    ASSERT_EQ(table.size(), 7u);
    for (const auto& fields : table) {
        ASSERT_EQ(fields.size(), 3u);
        const RowsProblem expected = parseRows(fields[1]);
        LineProblem read;
        std::vector<LineIssue> issues;
        ASSERT_TRUE(decodePuzzLinkUrl(fields[0], read, issues)) << fields[0];
        for (const LineIssue& issue : issues)
            EXPECT_TRUE(issue.warning) << fields[0] << ": " << issue.message;
        EXPECT_EQ(read.grid, expected.grid) << fields[0];
        EXPECT_EQ(urlOf(expected), fields[2]);
    }
}

TEST(PuzzLink, CanonicalBodyRulesAtEdgesAndLongRuns) {
    const struct {
        RowsProblem problem;
        const char* body;
    } cases[] = {
        // A lone clue at the end is written with two skipped cells past the board.
        {{1, 1, {2}}, "c"},
        {{2, 1, {N, 0}}, "ga"},
        // Next cell a clue: '0'-'4'; cell after next: '5'-'9'; else 'a'-'e'.
        {{4, 1, {0, 1, N, 3}}, "06d"},
        // Runs break at 20 and flush at the end: 45 blanks are 20 + 20 + 5.
        {{45, 1, std::vector<uint8_t>(45, N)}, "zzk"},
        {{21, 2,
          [] {
              ClueGrid g(42, N);
              g[20] = 3;
              return g;
          }()},
         "zdy"},
    };
    for (const auto& c : cases) {
        std::string body;
        appendPuzzLinkBody(c.problem.grid, c.problem.width, c.problem.height, body);
        EXPECT_EQ(body, c.body);
        LineProblem read;
        std::vector<LineIssue> issues;
        const std::string url = urlOf(c.problem);
        EXPECT_TRUE(decodePuzzLinkUrl(url, read, issues)) << url;
        EXPECT_TRUE(issues.empty()) << url;
        EXPECT_EQ(read.grid, c.problem.grid) << url;
    }
}

TEST(PuzzLink, WarningsAndErrorsArePositioned) {
    const struct {
        std::string url;
        bool accepted;
        size_t offset;         // of the first issue
        bool warning;          // of the first issue
        const char* contains;  // in the first issue's message
    } cases[] = {
        {"p?slither/3/1/.1.", true, 14, true, "hidden clue ('.') read as a cell without clue (2 "},
        {"p?slither/3/2/0", true, 15, true, "body ends after 1 of 6 cells; the rest read as"},
        {"p?slither/3/2/", false, 14, false, "no body"},
        {"p?slither/3/2", false, 13, false, "no body"},
        {"p?slither/2/1/00a", false, 16, false, "body too long: a clue after the board's 2"},
        {"p?slither/2/1/5.", false, 15, false, "body too long"},
        {"p?slither/2/1/4", false, 14, false, "clue 4"},
        {"p?slither/2/1/9", false, 14, false, "clue 4"},
        {"p?slither/2/1/f", false, 14, false, "'f' is not part of a puzz.link body"},
        {"p?slither/2/1/1A", false, 15, false, "'A' is not part of"},
        {std::string("p?slither/2/1/1\0", 16), false, 15, false, "a NUL byte"},
        {"p?slither/2/1/1 ", false, 15, false, "a space is not part"},
        {"p?slither/2/1/1/", false, 15, false, "'/' is not part"},
        {"puzz.link/p", false, 11, false, "no '?'"},
        {"p u?slither/1/1/0", false, 1, false, "a space in the URL's address"},
        {"p?nurikabe/2/2/0", false, 2, false, "expected 'slither/'"},
        {"p?slither/x/1/0", false, 10, false, "expected the number of columns, found 'x'"},
        {"p?slither/0/1/0", false, 10, false, "the number of columns must be at least 1, not 0"},
        {"p?slither/1/-2/0", false, 12, false, "the number of rows must be at least 1, not -2"},
        {"p?slither/99999999999/1/0", false, 10, false, "a 99999999999 x 1 board is beyond"},
        {"p?slither/180/180/0", false, 10, false, "(columns + 2) x (rows + 2) may be at most"},
        {"p?slither/3/3x/0", false, 13, false, "expected '/' after the number of rows, found"},
        {"p?slither/3:3/0", false, 11, false, "expected '/' after the number of columns"},
    };
    for (const auto& c : cases) {
        LineProblem read;
        std::vector<LineIssue> issues;
        EXPECT_EQ(decodePuzzLinkUrl(c.url, read, issues), c.accepted) << c.url;
        ASSERT_FALSE(issues.empty()) << c.url;
        EXPECT_EQ(issues[0].offset, c.offset) << c.url;
        EXPECT_EQ(issues[0].warning, c.warning) << c.url;
        EXPECT_NE(issues[0].message.find(c.contains), std::string::npos)
            << c.url << ": " << issues[0].message;
    }
    // Within the limit: 179 x 179 is 32761 padded cells, 180 x 180 is 33124.
    LineProblem read;
    std::vector<LineIssue> issues;
    EXPECT_TRUE(decodePuzzLinkUrl("p?slither/179/179/zzz", read, issues));
    EXPECT_EQ(read.grid.size(), 179u * 179u);
}

}  // namespace
}  // namespace varnel
