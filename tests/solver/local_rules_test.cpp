#include <gtest/gtest.h>

#include "solver/rule_steps.h"
#include "solver/sweep_context.h"
#include "tests/solver/test_boards.h"

namespace varnel {
namespace {

using testing::TestBoard;

// Applies one rule at cell c in rotation (a, b) through the sweep's context, as a sweep would.
template <class Rule>
void applyRule(SolverBoard& board, Rule rule, int32_t c, int32_t a, int32_t b) {
    SweepContext context = contextOf(board);
    rule(context, c, a, b);
    storeContradiction(board, context);
}

constexpr auto BLANK_RULE = [](SweepContext& r, int32_t c, int32_t a, int32_t b) {
    rules::blank(r, c, a, b);
};
constexpr auto CORNER_RULE = [](SweepContext& r, int32_t c, int32_t a, int32_t b) {
    rules::corner(r, c, a, b);
};

TEST(Sweep, CornerCluesInTheTopLeftCorner) {
    TestBoard three({"3...", "....", "...."});
    three.board.sweep();
    const ParityUnionFind& u3 = three.board.uf;
    EXPECT_TRUE(u3.knownDifferent(OUTSIDE, three.at(0, 0)));  // inside
    EXPECT_TRUE(u3.knownDifferent(three.at(1, 0), three.at(0, 1)));

    TestBoard one({"1...", "....", "...."});
    one.board.sweep();
    const ParityUnionFind& u1 = one.board.uf;
    EXPECT_TRUE(u1.knownSame(OUTSIDE, one.at(0, 0)));  // outside
    EXPECT_TRUE(u1.knownDifferent(one.at(1, 0), one.at(0, 1)));

    TestBoard two({"2...", "....", "...."});
    two.board.sweep();
    const ParityUnionFind& u2 = two.board.uf;
    EXPECT_TRUE(u2.knownDifferent(OUTSIDE, two.at(1, 0)));
    EXPECT_TRUE(u2.knownDifferent(OUTSIDE, two.at(0, 1)));
}

TEST(Rules, BlankCellTakesTheColourOfFourAlikeNeighbours) {
    TestBoard t({"...", "...", "..."});
    SolverBoard& b = t.board;
    const int c = t.at(1, 1);
    for (const int n : {c - 1, c + 1, c - b.stride})
        b.uf.relate(c + b.stride, n, SAME);
    b.uf.relate(OUTSIDE, c + b.stride, DIFFERENT);
    applyRule(b, BLANK_RULE, c, 1, b.stride);
    EXPECT_TRUE(b.uf.knownDifferent(OUTSIDE, c));

    // With one neighbour undecided the rule does nothing.
    TestBoard u({"...", "...", "..."});
    const int d = u.at(1, 1);
    u.board.uf.relate(d - 1, d + 1, SAME);
    u.board.uf.relate(d - 1, d - u.board.stride, SAME);
    const int32_t sets = u.board.uf.setCount;
    applyRule(u.board, BLANK_RULE, d, 1, u.board.stride);
    EXPECT_EQ(u.board.uf.setCount, sets);
}

TEST(Rules, CornerRuleClosesThreeSidedCellAndBreaksAlternation) {
    TestBoard t({"...", "...", "..."});
    SolverBoard& b = t.board;
    const int c = t.at(1, 1), s = b.stride;
    // Three sides of c on the loop (c differs from above, left and right): the fourth is off.
    b.uf.relate(OUTSIDE, c, DIFFERENT);
    for (const int n : {c - s, c - 1, c + 1})
        b.uf.relate(OUTSIDE, n, SAME);
    applyRule(b, CORNER_RULE, c, 1, s);
    EXPECT_TRUE(b.uf.knownSame(c, c + s));

    // c + a and c + b alike, c + a + b different: c joins c + a, so the four cells around the
    // corner point do not alternate.
    TestBoard u({"...", "...", "..."});
    const int d = u.at(0, 0), w = u.board.stride;
    u.board.uf.relate(d + 1, d + w, SAME);
    u.board.uf.relate(d + 1, d + 1 + w, DIFFERENT);
    applyRule(u.board, CORNER_RULE, d, 1, w);
    EXPECT_TRUE(u.board.uf.knownSame(d, d + 1));
}

TEST(Sweep, CellBecomesDoneWhenAllNeighboursShareItsSet) {
    TestBoard t({".."});
    t.board.sweep();
    // Both cells are walled in by the border, which tells nothing about their colour, so they
    // stay undecided and not done.
    EXPECT_EQ(t.board.done[t.at(0, 0)], 0);

    TestBoard u({"3", "."});
    u.board.sweep();
    // A lone 3 at the top of a 1 x 2 column: its three border sides are on the loop, so the cell
    // below shares its colour, and the 3 is done.
    EXPECT_TRUE(u.board.uf.knownSame(u.at(0, 0), u.at(0, 1)));
    EXPECT_EQ(u.board.done[u.at(0, 0)], 1);
}

TEST(Sweep, ContradictionDoesNotStopTheSweep) {
    // The 3 3 0 row contradicts itself at set-up; a later cell still gets its rules.
    TestBoard t({"330", "...", "3.."});
    ASSERT_TRUE(t.board.uf.contradiction);
    t.board.sweep();
    EXPECT_TRUE(t.board.uf.knownDifferent(OUTSIDE, t.at(0, 2)));  // bottom-left 3 is inside
}

}  // namespace
}  // namespace varnel
