#include <gtest/gtest.h>

#include <set>
#include <string>

#include "ladder/techniques.h"
#include "tests/support/text_file.h"

namespace varnel {
namespace {

// The ladder runs simplest first: ranks never fall along the table, every rank has a technique,
// names are distinct, and each rank's first technique weighs least within it.
TEST(TechniqueTable, RanksRiseAlongTheLadder) {
    const auto techniques = ladderTechniques();
    std::set<std::string> names;
    std::set<int32_t> ranks;
    int32_t rank = RANK_EASY;
    for (const Technique& t : techniques) {
        EXPECT_GE(t.rank, rank) << t.name;
        rank = t.rank;
        ranks.insert(t.rank);
        EXPECT_TRUE(names.insert(t.name).second) << t.name;
        EXPECT_GE(t.weight, 0) << t.name;
    }
    EXPECT_EQ(ranks, (std::set<int32_t>{1, 2, 3, 4, 5}));
    EXPECT_EQ(std::string(rankName(RANK_HARD)), "hard");
}

// The README's table of techniques is this table: every name and description appears there.
TEST(TechniqueTable, TheReadmeListsEveryTechnique) {
    const std::string readme =
        testing_support::readTextFile(std::string(VARNEL_TEST_DATA) + "/../README.md");
    ASSERT_FALSE(readme.empty());
    for (const Technique& t : ladderTechniques()) {
        EXPECT_NE(readme.find(std::string("| ") + t.name + " | " + t.description + " |"),
                  std::string::npos)
            << t.name;
    }
}

}  // namespace
}  // namespace varnel
