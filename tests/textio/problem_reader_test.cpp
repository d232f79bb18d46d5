#include "textio/problem_reader.h"

#include <gtest/gtest.h>

#include <limits>
#include <random>
#include <string>
#include <vector>

namespace varnel {
namespace {

struct ReadProblem {
    ClueGrid grid;
    int32_t width;
    int32_t height;
};

ReadOutcome readAll(std::string_view text, std::vector<ReadProblem>& problems) {
    return readProblems(text, [&](const ClueGrid& grid, int32_t width, int32_t height) {
        problems.push_back({grid, width, height});
    });
}

constexpr uint8_t N = NO_CLUE;

TEST(ProblemReader, FormIsDecidedByTheFirstTwoCharacters) {
    for (const std::string_view text : {"3/1/1/./", "1/", "5/"}) {
        EXPECT_EQ(detectForm(text), TextForm::COMPACT) << text;
    }
    for (const std::string_view text : {"6/1/1/./", "0/1/1/./", "#3/", " 3/", "3", ""}) {
        EXPECT_EQ(detectForm(text), TextForm::GRID) << text;
    }
}

TEST(ProblemReader, GridFormRowsAndWhatIsIgnored) {
    const ClueGrid example = {1, N, 3, N, 2, N, 3, N, 0};
    const struct {
        std::string_view text;
        int32_t width, height;
        ClueGrid grid;
    } cases[] = {
        {"1.3\n.2.\n3.0\n", 3, 3, example},
        // CR LF ends, no newline after the last row.
        {"1.3\r\n.2.\r\n3.0", 3, 3, example},
        // Comment lines and blank lines are no rows; spaces are ignored.
        {"# 3 x 3\n\n1 . 3\n  # note\n.2.\n\n3.0\n# end", 3, 3, example},
        // The 4 is ignored, so 1.4.2 has four cells.
        {"1.4.2\n....\n", 4, 2, {1, N, N, 2, N, N, N, N}},
        // A comment after cells swallows its newline and joins the next line to the row.
        {"..# joined\n..\n3...\n", 4, 2, {N, N, N, N, 3, N, N, N}},
        // CR alone ends no line; NUL bytes are ignored.
        {"1.\r.2\r", 4, 1, {1, N, N, 2}},
        {std::string_view(".\0.\n.\0\0003\n", 9), 2, 2, {N, N, N, 3}},
    };
    for (const auto& c : cases) {
        std::vector<ReadProblem> problems;
        EXPECT_EQ(readAll(c.text, problems), ReadOutcome::COMPLETE) << c.text;
        ASSERT_EQ(problems.size(), 1u) << c.text;
        EXPECT_EQ(problems[0].width, c.width) << c.text;
        EXPECT_EQ(problems[0].height, c.height) << c.text;
        EXPECT_EQ(problems[0].grid, c.grid) << c.text;
    }

    for (const std::string_view text :
         {"", "\n\n", "# only a comment\n", "abc 456\n", "...\n..\n...\n", "..\n...\n"}) {
        std::vector<ReadProblem> problems;
        EXPECT_EQ(readAll(text, problems), ReadOutcome::INVALID_GRID) << text;
        EXPECT_TRUE(problems.empty()) << text;
    }
}

TEST(ProblemReader, CompactFormProblemsOneAfterAnother) {
    std::vector<ReadProblem> problems;
    // The worked example; again after a blank line with CR LF and no final newline; then a
    // header whose 0 before H is passed over and a body with ignored characters.
    EXPECT_EQ(readAll("2/2/3/1.3/..0/\n\n2/2/3/1.3/..0/\r\n2/2/3/1.3/..0/\n"
                      "1/0/2/3/1x.3/.  2./",
                      problems),
              ReadOutcome::COMPLETE);
    ASSERT_EQ(problems.size(), 4u);
    for (size_t k = 0; k < 3; ++k) {
        EXPECT_EQ(problems[k].width, 3);
        EXPECT_EQ(problems[k].height, 2);
        EXPECT_EQ(problems[k].grid, (ClueGrid{1, N, 3, N, N, 0}));
    }
    EXPECT_EQ(problems[3].grid, (ClueGrid{1, N, 3, N, 2, N}));

    // A '/' after a row of another length ends the problem unread and opens the next header as
    // an empty token (0, passed over). Cells after the last row are no part of the grid.
    problems.clear();
    EXPECT_EQ(readAll("2/1/2/..//4/1/1/3/\n1/1/2/../..\n \t\n\n", problems), ReadOutcome::COMPLETE);
    ASSERT_EQ(problems.size(), 3u);
    EXPECT_EQ(problems[0].grid, (ClueGrid{N, N}));
    EXPECT_EQ(problems[1].grid, (ClueGrid{3}));
    EXPECT_EQ(problems[2].grid, (ClueGrid{N, N}));
}

TEST(ProblemReader, CompactReadingStopsAtTheFirstBadProblem) {
    const std::string good = "1/1/2/01/\n";
    for (const char* bad : {
             "1/2/3/.../../\n",                  // second row one cell short
             "1/1/2/../../\n",                   // H + 1 complete rows
             "1/1/0/./\n",                       // W zero
             "1/1/-2/./\n",                      // W negative
             "1/-1/2/../\n",                     // H negative
             "1/3/",                             // header cut off
             "garbage",                          // no header at all
             "1/99999999999/2/../\n",            // H saturates at 2^31 - 1: far too few rows
             "1/2147483647/2147483647/..../\n",  // nothing is sized from W and H
         }) {
        std::vector<ReadProblem> problems;
        EXPECT_EQ(readAll(good + bad + good, problems), ReadOutcome::STOPPED_EARLY) << bad;
        ASSERT_EQ(problems.size(), 1u) << bad;
        EXPECT_EQ(problems[0].grid, (ClueGrid{0, 1}));
    }
}

TEST(ProblemReader, HeaderNumbersConvertLikeAtoiButSaturate) {
    constexpr int32_t MAX = std::numeric_limits<int32_t>::max();
    constexpr int32_t MIN = std::numeric_limits<int32_t>::min();
    const std::pair<std::string_view, int32_t> cases[] = {
        {"12", 12},
        {" \r\n\t+7", 7},
        {"-12abc", -12},
        {"abc", 0},
        {"", 0},
        {"- 5", 0},
        {"2147483647", MAX},
        {"2147483648", MAX},
        {"-2147483648", MIN},
        {"-2147483649", MIN},
        {"999999999999999999999", MAX},
    };
    for (const auto& [token, value] : cases)
        EXPECT_EQ(headerNumber(token), value) << token;
}

TEST(ProblemReader, RandomBytesNeverBreakTheGridInvariant) {
    // Whatever the bytes, every problem handed over has W x H cells of values 0..3 or NO_CLUE.
    std::mt19937 random(12345);
    const std::string alphabet = "0123./\n\r #-9a";
    for (int round = 0; round < 400; ++round) {
        std::string text = round % 2 == 0 ? "1/" : "";
        const int length = 1 + static_cast<int>(random() % 400);
        for (int i = 0; i < length; ++i) {
            text += round % 4 < 2 ? alphabet[random() % alphabet.size()]
                                  : static_cast<char>(random() & 0xFF);
        }
        std::vector<ReadProblem> problems;
        readAll(text, problems);
        for (const ReadProblem& problem : problems) {
            ASSERT_GE(problem.width, 1);
            ASSERT_GE(problem.height, 1);
            ASSERT_EQ(problem.grid.size(), static_cast<size_t>(problem.width) * problem.height);
            for (const uint8_t cell : problem.grid)
                ASSERT_LE(cell, NO_CLUE);
        }
    }
}

}  // namespace
}  // namespace varnel
