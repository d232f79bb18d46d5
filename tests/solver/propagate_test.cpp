#include <gtest/gtest.h>

#include <random>

#include "solver/region_scan.h"
#include "tests/solver/test_boards.h"

namespace varnel {
namespace {

using testing::TestBoard;

// Colours every problem cell: '#' inside, '.' outside.
void colourBoard(TestBoard& t, const std::vector<std::string>& colours) {
    for (int y = 0; y < t.height; ++y) {
        for (int x = 0; x < t.width; ++x) {
            t.board.uf.relate(OUTSIDE, t.at(x, y), colours[y][x] == '#' ? DIFFERENT : SAME);
        }
    }
}

TEST(RegionScan, FloodCountsOpenSidesOfTheRegion) {
    TestBoard t({"...", "...", "..."});
    SolverBoard& b = t.board;
    RegionScan& scan = t.scan;
    scan.startCheck();
    OpenSides hits;
    scan.floodRegion(b.uf, OUTSIDE, hits);
    // The border ring: 12 open sides towards the 8 problem cells around the middle one.
    EXPECT_EQ(hits.count, 12);
    int visited = 0;
    for (int i = 0; i < b.cellCount; ++i)
        visited += scan.visited(i);
    EXPECT_EQ(visited, 5 * 5 - 9);

    // A cell touching a two-cell region along two sides is counted twice; a cell known to
    // differ is neither visited nor counted; flooding a visited cell changes nothing.
    TestBoard u({"...", "...", "..."});
    SolverBoard& c = u.board;
    c.uf.relate(u.at(0, 0), u.at(1, 0), SAME);
    c.uf.relate(u.at(0, 0), u.at(0, 1), SAME);
    c.uf.relate(u.at(0, 0), OUTSIDE, DIFFERENT);
    c.uf.relate(u.at(2, 0), OUTSIDE, SAME);
    EXPECT_TRUE(knownInside(c.uf, u.at(0, 0)));
    EXPECT_FALSE(knownInside(c.uf, u.at(2, 0)));
    u.scan.startCheck();
    OpenSides region;
    u.scan.floodRegion(c.uf, u.at(0, 0), region);
    EXPECT_EQ(region.count, 3);  // (1,1) twice, (0,2) once
    EXPECT_FALSE(u.scan.visited(u.at(2, 0)));
    u.scan.floodRegion(c.uf, u.at(1, 0), region);
    EXPECT_EQ(region.count, 3);
}

// The flood against a plain cell-by-cell flood over the four index neighbours, on boards with
// random relations: the same cells are visited and the same open sides counted, region by region
// in index order, as the connectivity pass floods them.
TEST(RegionScan, FloodAgreesWithCellByCellFlood) {
    std::mt19937 rng(11);
    for (int round = 0; round < 300; ++round) {
        const int w = 1 + static_cast<int>(rng() % 7), h = 1 + static_cast<int>(rng() % 6);
        TestBoard t(std::vector<std::string>(h, std::string(w, '.')));
        SolverBoard& b = t.board;
        const int relations = static_cast<int>(rng() % (3 * b.cellCount));
        for (int n = 0; n < relations; ++n) {
            const int p = static_cast<int>(rng() % b.cellCount);
            const int q = static_cast<int>(rng() % b.cellCount);
            if (!b.uf.sameSet(p, q)) b.uf.relate(p, q, static_cast<int>(rng() % 2));
        }
        std::vector<int> seen(b.cellCount, 0);
        t.scan.startCheck();
        for (int start = 0; start < b.cellCount; ++start) {
            if (seen[start]) {
                ASSERT_TRUE(t.scan.visited(start));
                continue;
            }
            ASSERT_FALSE(t.scan.visited(start));
            int expected = 0;
            std::vector<int> todo = {start};
            seen[start] = 1;
            while (!todo.empty()) {
                const int p = todo.back();
                todo.pop_back();
                for (const int q : {p + 1, p - 1, p + b.stride, p - b.stride}) {
                    if (q < 0 || q >= b.cellCount) continue;
                    if (b.uf.knownSame(p, q)) {
                        if (!seen[q]) {
                            seen[q] = 1;
                            todo.push_back(q);
                        }
                    } else if (!b.uf.sameSet(p, q)) {
                        ++expected;
                    }
                }
            }
            OpenSides hits;
            t.scan.floodRegion(b.uf, start, hits);
            ASSERT_EQ(hits.count, expected) << "round " << round << " start " << start;
            if (expected == 1) {
                EXPECT_TRUE(b.uf.knownSame(hits.inner, start));
                EXPECT_FALSE(b.uf.sameSet(hits.inner, hits.outer));
            }
            for (int i = 0; i < b.cellCount; ++i)
                ASSERT_EQ(t.scan.visited(i), seen[i] != 0);
        }
    }
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
                t.board.uf.relate(OUTSIDE, t.at(x, y), colours[y][x] == '#' ? DIFFERENT : SAME);
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
}

TEST(Propagate, ClosedInsideRegionWithAnotherInsideCellFails) {
    TestBoard t({"......", "......", "......", "......"});
    colourSome(t, {"oooooo", "o##ooo", "oooo?#", "oooo??"});
    EXPECT_FALSE(t.board.propagate());
    EXPECT_EQ(t.board.scanCount, 1);

    // The pass itself names the reason: a closed region, not a stall or a decision.
    TestBoard pass({"......", "......", "......", "......"});
    colourSome(pass, {"oooooo", "o##ooo", "oooo?#", "oooo??"});
    EXPECT_EQ(pass.board.connectivityPass(), SolverBoard::PassOutcome::CLOSED);
    EXPECT_EQ(pass.board.scanCount, 1);
}

TEST(Propagate, ContradictedBoardRunsOneSweepAndFails) {
    TestBoard t({"330", "...", "..."});
    ASSERT_TRUE(t.board.uf.contradiction);
    EXPECT_FALSE(t.board.propagate());
    EXPECT_EQ(t.board.scanCount, 0);
}

}  // namespace
}  // namespace varnel
