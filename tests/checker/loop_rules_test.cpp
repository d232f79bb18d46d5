#include "checker/loop_rules.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "checker/problem_check.h"
#include "solver/side_grid.h"
#include "tests/support/text_file.h"
#include "textio/problem_reader.h"

namespace varnel {
namespace {

// A 2 x 2 board: each rule broken in turn, and the first one in the fixed order reported.
TEST(LoopRules, EachRuleOnATinyBoard) {
    const uint8_t grid[4] = {NO_CLUE, 2, NO_CLUE, NO_CLUE};
    std::vector<SideState> sides(static_cast<size_t>(sideCount(2, 2)), SideState::OFF);
    EXPECT_EQ(checkLoop(grid, 2, 2, sides.data()).fault, LoopFault::NO_LINE);

    // The border of all four cells: one loop, but clue 2 at r1c2 has 2 sides: valid.
    const uint8_t all[4] = {1, 1, 1, 1};
    sides = sidesOfColours(all, 2, 2);
    EXPECT_EQ(checkLoop(grid, 2, 2, sides.data()).fault, LoopFault::NONE);

    // Crosses and open sides both mean "not on the loop".
    for (SideState& side : sides) {
        if (side == SideState::OFF) side = SideState::OPEN;
    }
    EXPECT_EQ(checkLoop(grid, 2, 2, sides.data()).fault, LoopFault::NONE);

    // A clue the loop does not meet: clue 1 at r1c2 sees 2 sides.
    const uint8_t one[4] = {NO_CLUE, 1, NO_CLUE, NO_CLUE};
    LoopFinding found = checkLoop(one, 2, 2, sides.data());
    EXPECT_EQ(found.fault, LoopFault::CLUE);
    EXPECT_EQ(found.x, 1);
    EXPECT_EQ(found.y, 0);
    EXPECT_EQ(found.count, 2);

    // Two diagonal cells inside: the loop touches itself at the middle point (1, 1).
    const uint8_t diagonal[4] = {1, 0, 0, 1};
    sides = sidesOfColours(diagonal, 2, 2);
    found = checkLoop(grid, 2, 2, sides.data());
    EXPECT_EQ(found.fault, LoopFault::POINT);
    EXPECT_EQ(found.x, 1);
    EXPECT_EQ(found.y, 1);
    EXPECT_EQ(found.count, 4);

    // Take away the top of r1c1: points (0, 0) and (1, 0) are dead ends; (0, 0) comes first.
    sides = sidesOfColours(all, 2, 2);
    sides[horizontalSide(2, 0, 0)] = SideState::OFF;
    found = checkLoop(grid, 2, 2, sides.data());
    EXPECT_EQ(found.fault, LoopFault::POINT);
    EXPECT_EQ(found.x, 0);
    EXPECT_EQ(found.y, 0);
    EXPECT_EQ(found.count, 1);

    // Each cell of a 3 x 1 board's ends a loop of its own: two loops, before any clue.
    const uint8_t ends[3] = {1, 0, 1};
    const uint8_t clues[3] = {0, 0, 0};
    sides = sidesOfColours(ends, 3, 1);
    found = checkLoop(clues, 3, 1, sides.data());
    EXPECT_EQ(found.fault, LoopFault::SEVERAL_LOOPS);
    EXPECT_EQ(found.count, 2);
}

struct Answered {
    ClueGrid grid;
    int32_t width = 0;
    int32_t height = 0;
    std::vector<SideState> sides;  // its answer's
};

// The golden puzzles that have answers, with one of them each.
std::vector<Answered> answeredPuzzles() {
    const std::string text =
        testing_support::readTextFile(std::string(VARNEL_TEST_DATA) + "/golden/check/verdicts.txt");
    std::vector<Answered> puzzles;
    readProblems(text, [&](const ClueGrid& grid, int32_t width, int32_t height) {
        const CheckResult check = checkProblem(grid.data(), width, height);
        for (const CellColours& answer : check.answers)
            puzzles.push_back({grid, width, height, sidesOfColours(answer.data(), width, height)});
    });
    return puzzles;
}

// Every answer of the complete check passes, also the two of a puzzle with several. Any one side
// flipped leaves a point with 1 or 3 lines at one of its ends, the first of the two in reading
// order; a changed clue is found at its cell; a cell ringed away from the loop is a second loop.
TEST(LoopRules, GoldenAnswersAndTheirPlantedFaults) {
    const std::vector<Answered> puzzles = answeredPuzzles();
    ASSERT_EQ(puzzles.size(), 44u + 2 * 130u);
    int secondLoops = 0;
    for (const Answered& p : puzzles) {
        const int32_t w = p.width;
        const int32_t h = p.height;
        ASSERT_EQ(checkLoop(p.grid.data(), w, h, p.sides.data()).fault, LoopFault::NONE);

        for (int32_t s = 0; s < sideCount(w, h); s += 7) {
            std::vector<SideState> flipped = p.sides;
            flipped[s] = flipped[s] == SideState::ON ? SideState::OFF : SideState::ON;
            const LoopFinding found = checkLoop(p.grid.data(), w, h, flipped.data());
            ASSERT_EQ(found.fault, LoopFault::POINT) << "side " << s;
            EXPECT_TRUE(found.count == 1 || found.count == 3);
            const SidePlace place = sidePlace(w, h, s);
            EXPECT_EQ(found.x, place.x) << "side " << s;
            EXPECT_EQ(found.y, place.y) << "side " << s;
        }

        for (size_t c = 0; c < p.grid.size(); ++c) {
            if (p.grid[c] > 3) continue;
            ClueGrid changed = p.grid;
            changed[c] = static_cast<uint8_t>((p.grid[c] + 1) % 4);
            const LoopFinding found = checkLoop(changed.data(), w, h, p.sides.data());
            ASSERT_EQ(found.fault, LoopFault::CLUE);
            EXPECT_EQ(static_cast<size_t>(found.y) * w + found.x, c);
            EXPECT_EQ(found.count, p.grid[c]);
            break;
        }

        // A cell none of whose corners the loop touches gets a loop of its own.
        for (int32_t y = 0; y < h; ++y) {
            for (int32_t x = 0; x < w; ++x) {
                bool apart = true;
                for (int32_t py = y; py <= y + 1; ++py) {
                    for (int32_t px = x; px <= x + 1; ++px) {
                        for (int d = 0; d < 4; ++d) {
                            const int32_t s = pointSide(w, h, px, py, static_cast<Direction>(d));
                            apart = apart && (s == NO_SIDE || p.sides[s] != SideState::ON);
                        }
                    }
                }
                if (!apart) continue;
                std::vector<SideState> ringed = p.sides;
                for (int d = 0; d < 4; ++d)
                    ringed[cellSide(w, h, x, y, static_cast<Direction>(d))] = SideState::ON;
                const LoopFinding found = checkLoop(p.grid.data(), w, h, ringed.data());
                EXPECT_EQ(found.fault, LoopFault::SEVERAL_LOOPS);
                EXPECT_EQ(found.count, 2);
                ++secondLoops;
                y = h;
                break;
            }
        }
    }
    EXPECT_GT(secondLoops, 100);
}

}  // namespace
}  // namespace varnel
