#include "checker/colour_encoding.h"

#include <gtest/gtest.h>

#include <random>

#include "tests/checker/answer_shape.h"

namespace varnel {
namespace {

using testing_support::colouringFromBits;
using testing_support::hasFourSidePoint;
using testing_support::meetsEveryClue;
using testing_support::satisfiesEveryClause;

// Over every colouring of small grids with random clues (edge and corner cells included), the
// clauses hold exactly when every clue is met, no point has four loop sides and some cell is
// inside.
TEST(ColourEncoding, ClausesHoldExactlyForLoopsThatMeetTheClues) {
    std::mt19937 random(11);
    int32_t accepted = 0;
    int32_t rejected = 0;
    const std::pair<int32_t, int32_t> sizes[] = {{1, 1}, {3, 1}, {1, 4}, {3, 3}, {4, 3}, {2, 5}};
    for (const auto& [width, height] : sizes) {
        const int32_t cells = width * height;
        for (int32_t trial = 0; trial < 12; ++trial) {
            ClueGrid grid(static_cast<size_t>(cells), NO_CLUE);
            for (uint8_t& clue : grid) {
                if (random() % 3 == 0) clue = static_cast<uint8_t>(random() % 4);
            }
            ClauseList clauses;
            encodeProblem(grid.data(), width, height, clauses);
            for (uint32_t code = 0; code < (1u << cells); ++code) {
                const CellColours colours = colouringFromBits(code, cells);
                const bool expected = code != 0 && meetsEveryClue(grid, colours, width, height) &&
                                      !hasFourSidePoint(colours, width, height);
                ASSERT_EQ(satisfiesEveryClause(clauses, colours), expected)
                    << width << "x" << height << " trial " << trial << " colouring " << code;
                accepted += expected;
                rejected += !expected;
            }
        }
    }
    // Both outcomes occur often enough for the comparison to mean something.
    EXPECT_GT(accepted, 100);
    EXPECT_GT(rejected, 100);
}

TEST(ColourEncoding, ImpossibleClueValueAndBannedAnswer) {
    const ClueGrid grid = {NO_CLUE, 9, NO_CLUE};
    ClauseList clauses;
    encodeProblem(grid.data(), 3, 1, clauses);
    for (uint32_t code = 0; code < 8; ++code)
        EXPECT_FALSE(satisfiesEveryClause(clauses, colouringFromBits(code, 3)));

    const CellColours banned = {1, 0, 1, 1};
    ClauseList ban;
    encodeAnswerBan(banned, ban);
    EXPECT_EQ(ban.clauseCount, 1);
    for (uint32_t code = 0; code < 16; ++code) {
        const CellColours colours = colouringFromBits(code, 4);
        EXPECT_EQ(satisfiesEveryClause(ban, colours), colours != banned);
    }
}

}  // namespace
}  // namespace varnel
