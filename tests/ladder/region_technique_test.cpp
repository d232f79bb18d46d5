#include <gtest/gtest.h>

#include <vector>

#include "ladder/ladder_run.h"
#include "ladder/techniques.h"
#include "solver/clue_grid.h"

namespace varnel {
namespace {

// A 3 x 3 board without clues, colours tracked, for placing a region by hand.
void startBlank(LadderRun& run) {
    const std::vector<uint8_t> grid(9, NO_CLUE);
    startLadder(run, grid.data(), 3, 3, RecordMode::STEPS);
    ASSERT_TRUE(run.state.trackColours());
}

// The middle cell is inside with lines on three sides, and another inside cell lies apart: the
// inside is one piece, so the middle cell's one open side is the region's single way out and is
// crossed. With no way out at all the board breaks a rule; with two the technique says nothing.
TEST(SingleWayOut, ARegionWithOneOpenSideTakesItAndOneWithNoneBreaksARule) {
    constexpr int32_t MIDDLE = 4;
    constexpr int32_t CORNER = 2;  // r1c3
    {
        LadderRun run;
        startBlank(run);
        const BoardLayout& l = run.layout;
        ASSERT_TRUE(run.state.relate(MIDDLE, l.outside, true));
        ASSERT_TRUE(run.state.relate(CORNER, l.outside, true));
        for (const Direction d : {TOP, LEFT, BOTTOM})
            ASSERT_TRUE(run.state.setSide(l.cellSides[MIDDLE][d], SideState::ON));
        EXPECT_TRUE(singleWayOut(run, -1));
        EXPECT_EQ(run.state.sides[l.cellSides[MIDDLE][RIGHT]], SideState::OFF);
        EXPECT_FALSE(run.state.contradiction);
        EXPECT_EQ(run.step.off, std::vector<int32_t>{l.cellSides[MIDDLE][RIGHT]});
    }
    {
        LadderRun run;
        startBlank(run);
        const BoardLayout& l = run.layout;
        ASSERT_TRUE(run.state.relate(MIDDLE, l.outside, true));
        ASSERT_TRUE(run.state.relate(CORNER, l.outside, true));
        for (const Direction d : {TOP, LEFT, BOTTOM, RIGHT})
            run.state.setSide(l.cellSides[MIDDLE][d], SideState::ON);
        EXPECT_TRUE(singleWayOut(run, -1));
        EXPECT_TRUE(run.state.contradiction);
    }
    {
        LadderRun run;
        startBlank(run);
        const BoardLayout& l = run.layout;
        ASSERT_TRUE(run.state.relate(MIDDLE, l.outside, true));
        ASSERT_TRUE(run.state.relate(CORNER, l.outside, true));
        for (const Direction d : {TOP, LEFT})
            ASSERT_TRUE(run.state.setSide(l.cellSides[MIDDLE][d], SideState::ON));
        EXPECT_FALSE(singleWayOut(run, -1));
        EXPECT_EQ(run.state.openTotal, l.sideCount - 2);
    }
}

// Outside cells reach the border through outside cells: an outside cell walled in by lines but
// for one side must go on through it.
TEST(SingleWayOut, AnOutsideRegionCutOffFromTheBorderTakesItsOneWayOut) {
    constexpr int32_t MIDDLE = 4;
    LadderRun run;
    startBlank(run);
    const BoardLayout& l = run.layout;
    ASSERT_TRUE(run.state.relate(MIDDLE, l.outside, false));
    for (const Direction d : {RIGHT, LEFT, BOTTOM})
        ASSERT_TRUE(run.state.setSide(l.cellSides[MIDDLE][d], SideState::ON));
    EXPECT_TRUE(singleWayOut(run, -1));
    EXPECT_EQ(run.state.sides[l.cellSides[MIDDLE][TOP]], SideState::OFF);
}

}  // namespace
}  // namespace varnel
