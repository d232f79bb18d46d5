#include "ladder/pencil_state.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "ladder/board_layout.h"
#include "solver/clue_grid.h"

namespace varnel {
namespace {

// Everything a trial may change, to compare before and after taking it back.
struct Snapshot {
    std::vector<SideState> sides;
    std::vector<uint8_t> cellOn, cellOff, pointOn, pointOff, pairs, parity;
    std::vector<int32_t> parent, size, next, ends, lengths;
    int32_t onTotal, openTotal, unmet;
    bool contradiction, loopClosed, colours;

    explicit Snapshot(const PencilState& s)
        : sides(s.sides),
          cellOn(s.cellOn),
          cellOff(s.cellOff),
          pointOn(s.pointOn),
          pointOff(s.pointOff),
          pairs(s.pairs),
          parity(s.colourParity),
          parent(s.colourParent),
          size(s.colourSize),
          next(s.colourNext),
          ends(s.otherEnd),
          lengths(s.lineLength),
          onTotal(s.onTotal),
          openTotal(s.openTotal),
          unmet(s.unmetClues),
          contradiction(s.contradiction),
          loopClosed(s.loopClosed),
          colours(s.tracksColours) {}

    bool operator==(const Snapshot&) const = default;
};

// Random decisions, narrowings and relations, some breaking rules, each batch taken back: the
// state is exactly what it was, whatever happened in between.
TEST(PencilState, UndoRestoresEveryPartOfTheState) {
    std::mt19937 rng(5);
    for (int board = 0; board < 40; ++board) {
        const int32_t w = 2 + static_cast<int32_t>(rng() % 6);
        const int32_t h = 2 + static_cast<int32_t>(rng() % 6);
        std::vector<uint8_t> grid(static_cast<size_t>(w * h));
        for (uint8_t& c : grid)
            c = static_cast<uint8_t>(rng() % 6 < 4 ? rng() % 4 : NO_CLUE);
        BoardLayout layout;
        layOut(grid.data(), w, h, layout);
        PencilState state;
        state.start(layout);
        for (int round = 0; round < 30; ++round) {
            const Snapshot before(state);
            const size_t mark = state.mark();
            const int steps = 1 + static_cast<int>(rng() % 12);
            for (int i = 0; i < steps; ++i) {
                switch (rng() % 4) {
                    case 0:
                        state.setSide(static_cast<int32_t>(rng() % layout.sideCount),
                                      rng() % 2 ? SideState::ON : SideState::OFF);
                        break;
                    case 1:
                        state.narrowPair(static_cast<int32_t>(rng() % layout.cellCount),
                                         static_cast<int>(rng() % 4),
                                         static_cast<uint8_t>(1 + rng() % 7));
                        break;
                    case 2:
                        state.trackColours();
                        break;
                    default:
                        state.relate(static_cast<int32_t>(rng() % (layout.cellCount + 1)),
                                     static_cast<int32_t>(rng() % (layout.cellCount + 1)),
                                     rng() % 2 != 0);
                        break;
                }
            }
            state.undoTo(mark);
            ASSERT_TRUE(Snapshot(state) == before) << "board " << board << " round " << round;
            // Keep some decisions that break no rule, so later rounds start from fuller boards.
            const int32_t side = static_cast<int32_t>(rng() % layout.sideCount);
            const size_t keep = state.mark();
            if (!state.setSide(side, SideState::OFF)) state.undoTo(keep);
        }
    }
}

// The state catches every broken rule the moment a side is drawn.
TEST(PencilState, BrokenRulesAreCaughtWhenDrawn) {
    // A 2 x 2 board of 1s: a loop around one cell would give its neighbours one side each.
    const uint8_t ones[4] = {1, 1, 1, 1};
    BoardLayout layout;
    layOut(ones, 2, 2, layout);
    PencilState s;
    s.start(layout);
    // Two lines on the top-left 1 break its clue.
    EXPECT_TRUE(s.setSide(cellSide(2, 2, 0, 0, TOP), SideState::ON));
    EXPECT_FALSE(s.setSide(cellSide(2, 2, 0, 0, LEFT), SideState::ON));
    EXPECT_TRUE(s.contradiction);

    // Three lines at a point, and a dead end.
    const uint8_t blank[9] = {NO_CLUE, NO_CLUE, NO_CLUE, NO_CLUE, NO_CLUE,
                              NO_CLUE, NO_CLUE, NO_CLUE, NO_CLUE};
    layOut(blank, 3, 3, layout);
    s.start(layout);
    const int32_t centre = 1 * 4 + 1;  // point (1, 1)
    EXPECT_TRUE(s.setSide(layout.pointSides[centre][TOP], SideState::ON));
    EXPECT_TRUE(s.setSide(layout.pointSides[centre][LEFT], SideState::ON));
    EXPECT_FALSE(s.setSide(layout.pointSides[centre][RIGHT], SideState::ON));
    s.start(layout);
    EXPECT_TRUE(s.setSide(layout.pointSides[centre][TOP], SideState::ON));
    EXPECT_TRUE(s.setSide(layout.pointSides[centre][LEFT], SideState::OFF));
    EXPECT_TRUE(s.setSide(layout.pointSides[centre][RIGHT], SideState::OFF));
    EXPECT_FALSE(s.setSide(layout.pointSides[centre][BOTTOM], SideState::OFF));

    // A loop closed while another line is drawn; the same loop alone is the answer.
    s.start(layout);
    const int32_t far = verticalSide(3, 3, 3, 2);
    EXPECT_TRUE(s.setSide(far, SideState::ON));
    const int32_t ring[4] = {cellSide(3, 3, 0, 0, TOP), cellSide(3, 3, 0, 0, RIGHT),
                             cellSide(3, 3, 0, 0, BOTTOM), cellSide(3, 3, 0, 0, LEFT)};
    for (int i = 0; i < 3; ++i)
        EXPECT_TRUE(s.setSide(ring[i], SideState::ON));
    EXPECT_FALSE(s.setSide(ring[3], SideState::ON));
    s.start(layout);
    for (int i = 0; i < 3; ++i)
        EXPECT_TRUE(s.setSide(ring[i], SideState::ON));
    EXPECT_TRUE(s.setSide(ring[3], SideState::ON));
    EXPECT_TRUE(s.loopClosed);
    EXPECT_FALSE(s.setSide(far, SideState::ON));
}

// Drawn sides tie the cells beside them, and the ties run through the board: the cell inside a
// ring of lines is inside, the cells outside it outside.
TEST(PencilState, DrawnSidesTieCellsInsideAndOutside) {
    std::vector<uint8_t> grid(9, NO_CLUE);
    BoardLayout layout;
    layOut(grid.data(), 3, 3, layout);
    PencilState s;
    s.start(layout);
    // Relations are tracked from the first technique that needs them: sides drawn before count.
    ASSERT_TRUE(s.setSide(cellSide(3, 3, 1, 1, TOP), SideState::ON));
    ASSERT_TRUE(s.trackColours());
    for (int d = 0; d < 4; ++d)
        ASSERT_TRUE(s.setSide(cellSide(3, 3, 1, 1, static_cast<Direction>(d)), SideState::ON));
    // The ring's neighbours are on the other side from the middle cell; the corners unknown.
    EXPECT_EQ(s.relation(4, 1), 1);
    EXPECT_EQ(s.relation(1, 3), 0);
    EXPECT_EQ(s.relation(0, layout.outside), -1);
    ASSERT_TRUE(s.setSide(cellSide(3, 3, 1, 0, TOP), SideState::OFF));
    EXPECT_EQ(s.relation(4, layout.outside), 1);  // inside
    EXPECT_EQ(s.relation(5, layout.outside), 0);  // outside, through the middle cell's ring
}

}  // namespace
}  // namespace varnel
