#include "solver/sweep_context.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/solver/test_boards.h"

namespace varnel {
namespace {

using testing::TestBoard;

// The walk shared by every sweep: touched cells in index order from the first cell, each bit
// cleared before its visit and set again when the visit records something, a bit set by a visit
// seen later in the same row, probes before the visit of their cell.
TEST(SweepWalk, VisitsTouchedCellsInOrderAndKeepsTheOnesThatRecorded) {
    const int32_t s = 8;
    // Rows 0 to 3; the walk covers rows 1 to 2 from cell (row 1, x 2).
    std::vector<uint64_t> touched = {0xFF, 0b10010011, 0b00000110, 0xFF};
    std::vector<std::string> events;
    auto visit = [&](int32_t i, int32_t row, int32_t x) {
        EXPECT_EQ(i, row * s + x);
        events.push_back("v" + std::to_string(i));
        if (i == s + 4) touched[1] |= uint64_t{1} << 6;  // a later cell of the same row
        if (i == s + 7) touched[1] |= uint64_t{1} << 3;  // an earlier one: not this walk
        return i == s + 4 || i == 2 * s + 1;
    };
    const int64_t visited = walkTouchedCells(touched.data(), s, s + 2, 2, visit);
    // Row 1 from x 2: bits 4 and 7, then bit 6 that the visit of x 4 set; row 2: bits 1 and 2.
    EXPECT_EQ(events, (std::vector<std::string>{"v12", "v14", "v15", "v17", "v18"}));
    EXPECT_EQ(visited, 5);
    // Cells before the first cell and rows outside the walk are left alone; visited cells keep
    // their bit only when they recorded something.
    EXPECT_EQ(touched[0], 0xFFu);
    EXPECT_EQ(touched[1], 0b00011011u);
    EXPECT_EQ(touched[2], 0b00000010u);
    EXPECT_EQ(touched[3], 0xFFu);

    // With probes: every probe cell in order, before its visit if it has one.
    std::vector<uint64_t> pending = {0, 0b0110, 0};
    const std::vector<uint64_t> probeRows = {0, 0b1100, 0};
    events.clear();
    auto record = [&](int32_t i, int32_t, int32_t) {
        events.push_back("v" + std::to_string(i));
        return false;
    };
    auto probe = [&](int32_t i) { events.push_back("p" + std::to_string(i)); };
    EXPECT_EQ(walkTouchedCells(pending.data(), s, s, 1, record, probeRows.data(), probe), 2);
    EXPECT_EQ(events, (std::vector<std::string>{"v9", "p10", "v10", "p11"}));
    EXPECT_EQ(pending[1], 0u);
}

// A sweep counts its work once, at its end, and stores a contradiction it found in the board.
TEST(SweepWalk, FinishSweepStoresTheContradictionAndCountsTheSweep) {
    TestBoard t({"...", "..."});
    WorkCounters work;
    t.board.work = &work;
    SweepContext context = contextOf(t.board);
    context.relate(OUTSIDE, 1, DIFFERENT);  // two border cells, known alike: a contradiction
    context.relate(t.at(0, 0), t.at(1, 0), SAME);
    EXPECT_EQ(t.board.uf.contradiction, 0);
    finishSweep(t.board, context, t.board.stride + 2, 7);
    EXPECT_EQ(t.board.uf.contradiction, 1);
    EXPECT_EQ(work.sweeps, 1);
    EXPECT_EQ(work.cellsSwept, 2 * 5 - 2);  // padded rows 1 and 2 of stride 5, from their third
    EXPECT_EQ(work.cellsVisited, 7);
    EXPECT_EQ(work.ruleRelates, 2);
    EXPECT_TRUE(t.board.uf.knownSame(t.at(0, 0), t.at(1, 0)));
}

}  // namespace
}  // namespace varnel
