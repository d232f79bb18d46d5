#include <gtest/gtest.h>

#include "solver/region_scan.h"
#include "tests/solver/test_boards.h"

namespace varnel {
namespace {

using testing::TestBoard;

// Colours every problem cell: '#' inside, '.' outside.
void colourBoard(TestBoard& t, const std::vector<std::string>& colours) {
    for (int y = 0; y < t.height; ++y) {
        for (int x = 0; x < t.width; ++x) {
            t.board.uf.relate(OUTSIDE, t.at(x, y), colours[y][x] == '#' ? 0 : 1);
        }
    }
}

TEST(RegionScan, FloodCountsOpenSidesOfTheRegion) {
    TestBoard t({"...", "...", "..."});
    SolverBoard& b = t.board;
    RegionScan& scan = t.scan;
    markInside(b.uf, scan.marks.data());
    OpenSides hits;
    scan.floodRegion(b.uf, OUTSIDE, hits);
    // The border ring: 12 open sides towards the 8 problem cells around the middle one.
    EXPECT_EQ(hits.count, 12);
    int visited = 0;
    for (const uint8_t m : scan.marks)
        visited += m == RegionScan::VISITED;
    EXPECT_EQ(visited, 5 * 5 - 9);

    // A cell touching a two-cell region along two sides is counted twice; a cell known to
    // differ is neither visited nor counted; flooding a visited cell changes nothing.
    TestBoard u({"...", "...", "..."});
    SolverBoard& c = u.board;
    c.uf.relate(u.at(0, 0), u.at(1, 0), 1);
    c.uf.relate(u.at(0, 0), u.at(0, 1), 1);
    c.uf.relate(u.at(0, 0), OUTSIDE, 0);
    c.uf.relate(u.at(2, 0), OUTSIDE, 1);
    markInside(c.uf, u.scan.marks.data());
    EXPECT_EQ(u.scan.marks[u.at(0, 0)], RegionScan::KNOWN_INSIDE);
    EXPECT_EQ(u.scan.marks[u.at(2, 0)], RegionScan::NOT_INSIDE);
    OpenSides region;
    u.scan.floodRegion(c.uf, u.at(0, 0), region);
    EXPECT_EQ(region.count, 3);  // (1,1) twice, (0,2) once
    u.scan.floodRegion(c.uf, u.at(1, 0), region);
    EXPECT_EQ(region.count, 3);
}

TEST(Propagate, SolvedCheckWantsOneInsideAndOneOutside) {
    TestBoard one({".....", ".....", "....."});
    colourBoard(one, {"##...", "##...", "....."});
    EXPECT_TRUE(one.board.propagate());
    EXPECT_EQ(one.board.uf.setCount, 1);
    EXPECT_EQ(one.board.scanCount, 0);

    TestBoard pocket({".....", ".....", "....."});
    colourBoard(pocket, {"###..", "#.#..", "###.."});  // an outside pocket in the middle
    EXPECT_FALSE(pocket.board.propagate());

    TestBoard two({".....", ".....", "....."});
    colourBoard(two, {"#.#.#", "#.#.#", "....."});
    EXPECT_FALSE(two.board.propagate());
}

TEST(Propagate, AnAnswerIsAlwaysALoop) {
    // All clues 0: every cell outside. The colouring is complete but holds no loop.
    TestBoard zeros({"0.0", "...", "0.0"});
    EXPECT_FALSE(zeros.board.propagate());

    // A complete colouring that breaks a clue is no answer either.
    TestBoard broken({"1..", "...", "..."});
    colourBoard(broken, {"...", ".#.", "..."});
    EXPECT_FALSE(broken.board.propagate());
}

// Colours the given cells: '#' inside, 'o' outside, '?' left undecided.
void colourSome(TestBoard& t, const std::vector<std::string>& colours) {
    for (int y = 0; y < t.height; ++y) {
        for (int x = 0; x < t.width; ++x) {
            if (colours[y][x] != '?') {
                t.board.uf.relate(OUTSIDE, t.at(x, y), colours[y][x] == '#' ? 0 : 1);
            }
        }
    }
}

const std::vector<std::string> BLANK_8X5 = {"........", "........", "........", "........",
                                            "........"};

TEST(Propagate, SingleWayOutIsTakenOnlyWhenAnotherInsideCellWaits) {
    // The domino at (1,1)-(2,1) is inside and walled in but for its right side; the local rules
    // cannot tell whether it grows, the connectivity pass can once (6,3) is inside too.
    TestBoard t(BLANK_8X5);
    colourSome(t, {"?oo?????", "o##?????", "?oo?????", "??????#?", "????????"});
    EXPECT_TRUE(t.board.propagate());
    EXPECT_TRUE(t.board.uf.knownDifferent(OUTSIDE, t.at(3, 1)));
    EXPECT_EQ(t.board.scanCount, 2);  // one pass that decided, one that found nothing more

    // Without another inside cell the region is left alone, even with one way out.
    TestBoard alone(BLANK_8X5);
    colourSome(alone, {"?oo?????", "o##?????", "?oo?????", "????????", "????????"});
    EXPECT_TRUE(alone.board.propagate());
    EXPECT_FALSE(alone.board.uf.sameSet(OUTSIDE, alone.at(3, 1)));
    EXPECT_EQ(alone.board.scanCount, 1);
    EXPECT_EQ(alone.scan.closedFound, 0);
}

TEST(Propagate, ClosedInsideRegionWithAnotherInsideCellFails) {
    TestBoard t({"......", "......", "......", "......"});
    colourSome(t, {"oooooo", "o##ooo", "oooo?#", "oooo??"});
    EXPECT_FALSE(t.board.propagate());
    EXPECT_EQ(t.scan.closedFound, 1);
    EXPECT_EQ(t.board.scanCount, 1);
}

TEST(Propagate, ContradictedBoardRunsOneSweepAndFails) {
    TestBoard t({"330", "...", "..."});
    ASSERT_TRUE(t.board.uf.contradiction);
    EXPECT_FALSE(t.board.propagate());
    EXPECT_EQ(t.board.scanCount, 0);
}

}  // namespace
}  // namespace varnel
