#include "solver/parity_union_find.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <vector>

namespace varnel {
namespace {

// The members of the set of cell i, read from the member list, in increasing order.
std::vector<int> members(const ParityUnionFind& uf, int i) {
    std::vector<int> found;
    int m = i;
    do {
        found.push_back(m);
        m = uf.nextMember[m];
    } while (m != i && found.size() <= static_cast<size_t>(uf.cellCount));
    std::sort(found.begin(), found.end());
    return found;
}

TEST(ParityUnionFind, WorkedExampleOnFreshCells) {
    ParityUnionFind uf;
    uf.init(8);
    uf.relate(4, 2, DIFFERENT);
    EXPECT_EQ(uf.root(4), 2);
    EXPECT_EQ(uf.parity(4), 0);
    EXPECT_EQ(uf.parity(2), 1);
    EXPECT_EQ(members(uf, 2), (std::vector<int>{2, 4}));
    EXPECT_EQ(uf.setCount, 7);

    uf.relate(5, 4, SAME);
    EXPECT_EQ(uf.root(5), 2);
    EXPECT_EQ(uf.parity(5), 0);
    EXPECT_EQ(members(uf, 4), (std::vector<int>{2, 4, 5}));
    EXPECT_TRUE(uf.knownDifferent(2, 5));
    EXPECT_TRUE(uf.knownSame(4, 5));
    EXPECT_FALSE(uf.contradiction);

    uf.relate(2, 5, SAME);
    EXPECT_TRUE(uf.contradiction);
}

TEST(ParityUnionFind, SelfRelationsRepeatsAndContradictionsChangeNothing) {
    ParityUnionFind uf;
    uf.init(6);
    uf.relate(3, 3, SAME);
    EXPECT_EQ(uf.setCount, 6);
    EXPECT_FALSE(uf.contradiction);

    uf.relate(1, 3, DIFFERENT);
    uf.relate(3, 5, SAME);
    const std::vector<uint16_t> tags = uf.tagStore;
    const std::vector<uint16_t> next = uf.nextMember;
    uf.relate(5, 1, DIFFERENT);  // already known
    EXPECT_EQ(uf.setCount, 4);
    EXPECT_FALSE(uf.contradiction);

    uf.relate(5, 1, SAME);  // the opposite of what is known
    EXPECT_TRUE(uf.contradiction);
    EXPECT_EQ(uf.tagStore, tags);
    EXPECT_EQ(uf.nextMember, next);
    EXPECT_EQ(uf.setCount, 4);

    ParityUnionFind single;
    single.init(3);
    single.relate(2, 2, DIFFERENT);
    EXPECT_TRUE(single.contradiction);
}

TEST(ParityUnionFind, MergingThroughNonRootCellsJoinsWholeSets) {
    ParityUnionFind uf;
    uf.init(12);
    uf.relate(3, 10, SAME);
    uf.relate(1, 2, SAME);
    uf.relate(2, 10, DIFFERENT);  // neither argument is a label
    EXPECT_EQ(members(uf, 1), (std::vector<int>{1, 2, 3, 10}));
    EXPECT_EQ(uf.root(10), 1);
    EXPECT_TRUE(uf.knownDifferent(1, 3));
    EXPECT_TRUE(uf.knownDifferent(2, 10));
    uf.relate(0, 4, SAME);
    uf.relate(4, 3, SAME);
    EXPECT_EQ(members(uf, 0), (std::vector<int>{0, 1, 2, 3, 4, 10}));
    EXPECT_TRUE(uf.knownDifferent(0, 1));
    EXPECT_TRUE(uf.knownSame(0, 10));
    EXPECT_EQ(uf.root(0), 0);
    EXPECT_EQ(uf.setCount, 7);
}

// Random relations checked against a plain model with an explicit colour per cell: the tests
// must agree, every label must be its set's smallest member, and spans must cover the members.
TEST(ParityUnionFind, AgreesWithColourModelUnderRandomMerges) {
    std::mt19937 rng(7);
    for (int round = 0; round < 200; ++round) {
        const int cells = 2 + static_cast<int>(rng() % 40);
        ParityUnionFind uf;
        uf.init(cells);
        std::vector<int> set(cells), colour(cells, 0);
        for (int i = 0; i < cells; ++i)
            set[i] = i;
        bool contradiction = false;
        for (int step = 0; step < cells * 2; ++step) {
            const int a = static_cast<int>(rng() % cells);
            const int b = static_cast<int>(rng() % cells);
            const int same = static_cast<int>(rng() % 2);
            uf.relate(a, b, same);
            if (set[a] == set[b]) {
                if ((colour[a] == colour[b]) != (same == 1)) contradiction = true;
            } else {
                const int from = set[b];
                const int flip = (colour[a] == colour[b]) == (same == 1) ? 0 : 1;
                for (int i = 0; i < cells; ++i) {
                    if (set[i] == from) {
                        set[i] = set[a];
                        colour[i] ^= flip;
                    }
                }
            }
            ASSERT_EQ(uf.contradiction != 0, contradiction);
        }
        int sets = 0;
        for (int i = 0; i < cells; ++i) {
            int smallest = i;
            for (int j = 0; j < cells; ++j) {
                if (set[j] != set[i]) continue;
                smallest = std::min(smallest, j);
                ASSERT_EQ(uf.knownSame(i, j), colour[i] == colour[j]);
                ASSERT_EQ(uf.knownDifferent(i, j), colour[i] != colour[j]);
            }
            ASSERT_EQ(uf.root(i), smallest);
            if (smallest == i) {
                ++sets;
                std::vector<int> expected;
                for (int j = 0; j < cells; ++j) {
                    if (set[j] == set[i]) expected.push_back(j);
                }
                ASSERT_EQ(members(uf, i), expected);
            }
        }
        ASSERT_EQ(uf.setCount, sets);
        ASSERT_EQ(uf.root(0), 0);
    }
}

// Tags written directly and the sets rebuilt from them: the member lists and set boxes are those
// of the structure the tags came from, and further merges act on both alike.
TEST(ParityUnionFind, SetsRebuiltFromTagsActAsTheOriginal) {
    std::mt19937 rng(21);
    for (int round = 0; round < 50; ++round) {
        const int rows = 3 + static_cast<int>(rng() % 8);
        const int columns = 3 + static_cast<int>(rng() % 8);
        const int cells = rows * columns;
        ParityUnionFind original;
        original.init(cells, columns);
        auto relateRandomly = [&](ParityUnionFind& uf, std::mt19937& r, int steps) {
            for (int step = 0; step < steps; ++step) {
                const int a = static_cast<int>(r() % cells);
                const int b = static_cast<int>(r() % cells);
                uf.relate(a, b, static_cast<int>(r() % 2));
            }
        };
        relateRandomly(original, rng, cells / 2);
        // Another history, then the original's tags written over it.
        ParityUnionFind rebuilt;
        rebuilt.init(cells, columns);
        relateRandomly(rebuilt, rng, cells / 3);
        rebuilt.tagStore = original.tagStore;
        rebuilt.setCount = original.setCount;
        rebuilt.contradiction = original.contradiction;
        rebuilt.touched = original.touched;
        rebuilt.rebuildSets();
        for (int i = 0; i < cells; ++i) {
            ASSERT_EQ(members(rebuilt, i), members(original, i));
            if (original.root(i) == i) {
                ASSERT_EQ(rebuilt.setBox[i], original.setBox[i]);
            }
        }
        std::mt19937 same(round);
        std::mt19937 again(round);
        relateRandomly(original, same, cells);
        relateRandomly(rebuilt, again, cells);
        ASSERT_EQ(rebuilt.tagStore, original.tagStore);
        ASSERT_EQ(rebuilt.touched, original.touched);
        ASSERT_EQ(rebuilt.setCount, original.setCount);
    }
}

TEST(ParityUnionFind, SentinelsAroundTheCellsAreInNoSet) {
    ParityUnionFind uf;
    uf.init(4);
    uf.relate(0, 3, SAME);
    EXPECT_FALSE(uf.knownSame(-1, 0));
    EXPECT_FALSE(uf.knownDifferent(-1, 0));
    EXPECT_FALSE(uf.sameSet(3, 4));
    EXPECT_FALSE(uf.knownDifferent(3, 4));
}

}  // namespace
}  // namespace varnel
