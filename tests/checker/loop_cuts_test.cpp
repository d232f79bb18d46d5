#include "checker/loop_cuts.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "tests/checker/answer_shape.h"

namespace varnel {
namespace {

using testing_support::colouringFromBits;
using testing_support::hasFourSidePoint;
using testing_support::isOneLoop;
using testing_support::satisfiedClauseCount;
using testing_support::satisfiesEveryClause;

// Over every colouring of small grids that no point touches four times: no cut exactly for one
// loop (or nothing inside), every cut excludes the colouring it was made from, and no cut
// excludes any one-loop colouring.
TEST(LoopCuts, CutEveryColouringOfSeveralLoopsAndNoLoopAnswer) {
    const std::pair<int32_t, int32_t> sizes[] = {{4, 3}, {2, 5}, {5, 2}};
    for (const auto& [width, height] : sizes) {
        const int32_t cells = width * height;
        std::vector<CellColours> oneLoops;
        ClauseList allCuts;
        LoopCutter cutter;
        int32_t severalLoops = 0;
        for (uint32_t code = 0; code < (1u << cells); ++code) {
            const CellColours colours = colouringFromBits(code, cells);
            if (hasFourSidePoint(colours, width, height)) continue;
            ClauseList cuts;
            const int32_t count = cutter.cut(colours, width, height, cuts);
            ASSERT_EQ(count, cuts.clauseCount);
            const bool oneLoop = isOneLoop(colours, width, height);
            ASSERT_EQ(count == 0, oneLoop || code == 0) << width << "x" << height << " " << code;
            if (oneLoop) oneLoops.push_back(colours);
            if (count == 0) continue;
            ++severalLoops;
            ASSERT_EQ(satisfiedClauseCount(cuts, colours), 0) << code;
            allCuts.literals.insert(allCuts.literals.end(), cuts.literals.begin(),
                                    cuts.literals.end());
            allCuts.clauseCount += count;
        }
        EXPECT_GT(severalLoops, 100);
        EXPECT_GT(oneLoops.size(), 50u);
        for (const CellColours& loop : oneLoops)
            ASSERT_TRUE(satisfiesEveryClause(allCuts, loop));
    }
}

// The clauses of clauses, each with its literals sorted, in order.
std::vector<std::vector<int32_t>> clausesOf(const ClauseList& clauses) {
    std::vector<std::vector<int32_t>> split(1);
    for (const int32_t literal : clauses.literals) {
        if (literal != 0) {
            split.back().push_back(literal);
            continue;
        }
        std::sort(split.back().begin(), split.back().end());
        split.emplace_back();
    }
    split.pop_back();
    return split;
}

// 7 x 7: an inside ring round an outside hole that holds an inside island. Each cut names only
// the cells beside its piece that a path could come from: the ring's cut the hole's cells, not
// the outside beyond it; the hole's cut the ring's cells, not the island.
TEST(LoopCuts, RingAroundAnIslandCutsOnlyTheReachableSides) {
    const CellColours colours = {0, 0, 0, 0, 0, 0, 0,  //
                                 0, 1, 1, 1, 1, 1, 0,  //
                                 0, 1, 0, 0, 0, 1, 0,  //
                                 0, 1, 0, 1, 0, 1, 0,  //
                                 0, 1, 0, 0, 0, 1, 0,  //
                                 0, 1, 1, 1, 1, 1, 0,  //
                                 0, 0, 0, 0, 0, 0, 0};
    const auto v = [](int32_t x, int32_t y) { return cellVariable(y * 7 + x); };
    LoopCutter cutter;
    ClauseList cuts;
    ASSERT_EQ(cutter.cut(colours, 7, 7, cuts), 3);

    std::vector<int32_t> ring = {-v(1, 1), -v(3, 3)};
    for (const auto& [x, y] :
         {std::pair{2, 2}, {3, 2}, {4, 2}, {2, 3}, {4, 3}, {2, 4}, {3, 4}, {4, 4}})
        ring.push_back(v(x, y));
    std::vector<int32_t> island = {-v(3, 3), -v(1, 1), v(3, 2), v(2, 3), v(4, 3), v(3, 4)};
    std::vector<int32_t> hole = {v(2, 2)};
    for (int32_t k = 2; k <= 4; ++k) {
        for (const auto& [x, y] : {std::pair{k, 1}, {k, 5}, {1, k}, {5, k}})
            hole.push_back(-v(x, y));
    }
    for (std::vector<int32_t>* clause : {&ring, &island, &hole})
        std::sort(clause->begin(), clause->end());
    EXPECT_EQ(clausesOf(cuts), (std::vector<std::vector<int32_t>>{ring, island, hole}));
}

}  // namespace
}  // namespace varnel
