#include "textio/problem_writer.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "textio/problem_reader.h"

namespace varnel {
namespace {

TEST(ProblemWriter, WritesTheCompactWorkedExample) {
    // A 3 x 2 problem with score 15 (difficulty 2): height comes before width.
    const ClueGrid grid = {1, NO_CLUE, 3, NO_CLUE, NO_CLUE, 0};
    std::string line;
    appendProblemLine(15, grid.data(), 3, 2, line);
    EXPECT_EQ(line, "2/2/3/1.3/..0/\n");
    // Difficulty is score / 10 + 1: one digit over the whole score range 0..49.
    for (const auto& [score, line] :
         {std::pair{0, "1/1/1/0/\n"}, {9, "1/1/1/0/\n"}, {10, "2/1/1/0/\n"}, {49, "5/1/1/0/\n"}}) {
        std::string written;
        appendProblemLine(score, grid.data() + 5, 1, 1, written);
        EXPECT_EQ(written, line) << score;
    }
}

TEST(ProblemWriter, CompactLineAtALevelAndGridRows) {
    const ClueGrid grid = {1, NO_CLUE, 3, NO_CLUE, NO_CLUE, 0};
    std::string text;
    for (int32_t level = 1; level <= 5; ++level)
        appendCompactLine(level, grid, 3, 2, text);
    EXPECT_EQ(text,
              "1/2/3/1.3/..0/\n2/2/3/1.3/..0/\n3/2/3/1.3/..0/\n4/2/3/1.3/..0/\n5/2/3/1.3/..0/\n");
    text.clear();
    appendGridRows(grid, 3, 2, text);
    EXPECT_EQ(text, "1.3\n..0\n");
}

TEST(ProblemWriter, LinesReadBackAsTheSameProblems) {
    struct Problem {
        int32_t score, width, height;
        ClueGrid grid;
    };
    std::vector<Problem> problems = {
        {0, 16, 12, {}}, {13, 1, 1, {}}, {26, 5, 3, {}}, {49, 36, 20, {}}};
    for (Problem& p : problems) {
        for (int32_t i = 0; i < p.width * p.height; ++i) {
            p.grid.push_back(static_cast<uint8_t>((i * 7 + p.score) % 5));
        }
    }

    std::FILE* file = std::tmpfile();
    ASSERT_NE(file, nullptr);
    for (const Problem& p : problems) {
        EXPECT_TRUE(writeProblemLine(file, p.score, p.grid.data(), p.width, p.height));
    }
    std::string text(static_cast<size_t>(std::ftell(file)), '\0');
    std::rewind(file);
    ASSERT_EQ(std::fread(text.data(), 1, text.size(), file), text.size());
    std::fclose(file);

    size_t next = 0;
    const ReadOutcome outcome =
        readProblems(text, [&](const ClueGrid& grid, int32_t width, int32_t height) {
            ASSERT_LT(next, problems.size());
            EXPECT_EQ(width, problems[next].width);
            EXPECT_EQ(height, problems[next].height);
            EXPECT_EQ(grid, problems[next].grid);
            ++next;
        });
    EXPECT_EQ(outcome, ReadOutcome::COMPLETE);
    EXPECT_EQ(next, problems.size());

    // A stream opened for reading refuses every write, and the writer says so.
    file = std::fopen("/dev/null", "rb");
    ASSERT_NE(file, nullptr);
    EXPECT_FALSE(writeProblemLine(file, 0, problems[0].grid.data(), 16, 12));
    std::fclose(file);
}

}  // namespace
}  // namespace varnel
