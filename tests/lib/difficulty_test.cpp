// The library's difficulty is the one `varnel check` gives, field for field, and reads
// difficulties as `varnel make` does, errors included; the command is run now, never compared
// with stored outputs.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "tests/support/scratch_run.h"
#include "tests/support/text_file.h"
#include "varnel/varnel.h"

namespace {

using nlohmann::json;
using varnel::testing_support::linesOf;
using varnel::testing_support::ProgramRun;
using varnel::testing_support::readTextFile;
using varnel::testing_support::ScratchDirectoryTest;
namespace api = varnel::api;

const std::string TEST_DATA = VARNEL_TEST_DATA;
const std::string EXAMPLES = TEST_DATA + "/../examples";

class LibraryDifficulty : public ScratchDirectoryTest {
  protected:
    ProgramRun varnel(const std::string& args) { return shell("\"$VARNEL\" " + args); }
};

// The difficulty as check --json writes it, built here field by field from the record.
json jsonOf(const api::Difficulty& d) {
    json techniques = json::object();
    std::vector<std::string> order;
    for (const api::TechniqueCount& t : d.techniques) {
        techniques[t.technique] = t.count;
        order.push_back(t.technique);
    }
    json object = {{"name", d.name}, {"techniques", techniques}};
    object["rank"] = d.rated ? json(d.rank) : json(nullptr);
    object["rating"] = d.rated ? json(d.rating) : json(nullptr);
    if (!d.rated) object["reason"] = d.reason;
    return object;
}

// The technique names of a JSON difficulty in the order written.
std::vector<std::string> techniqueOrder(const std::string& line) {
    const nlohmann::ordered_json object = nlohmann::ordered_json::parse(line);
    std::vector<std::string> names;
    for (const auto& item : object.at("difficulty").at("techniques").items())
        names.push_back(item.key());
    return names;
}

// Every puzzle of the golden verdicts and the examples (which reach the expert and extreme
// ranks): a unique one gets check --json's difficulty, in check's result and alone, techniques
// in the same order; one with several answers or none is never rated, or the ladder would have
// decided something false. The golden puzzles with several answers are left out: with their few
// clues the ladder's nested trials run up to its work budget, seconds each.
TEST_F(LibraryDifficulty, IsVarnelChecksDifficulty) {
    // Loopy's Normal puzzles bring the medium ones the examples lack.
    std::vector<std::string> files = {TEST_DATA + "/golden/check/verdicts.txt",
                                      TEST_DATA + "/ladder/data/loopy_normal.txt"};
    for (const char* name : {"hand_made", "small", "plain", "needs_trials", "branching",
                             "several_answers", "no_answer"})
        files.push_back(EXAMPLES + "/" + name + ".txt");
    int ranks[6] = {0, 0, 0, 0, 0, 0};
    int unrated = 0;
    for (const std::string& path : files) {
        const api::ReadResult read = api::readPuzzles(readTextFile(path), path);
        ASSERT_EQ(read.error, "") << path;
        const std::vector<std::string> lines = linesOf(varnel("check --json '" + path + "'").out);
        ASSERT_EQ(lines.size(), read.puzzles.size()) << path;
        for (size_t i = 0; i < lines.size(); ++i) {
            SCOPED_TRACE(path + ":" + std::to_string(read.puzzles[i].line));
            const json object = json::parse(lines[i]);
            if (object["verdict"] == "multiple" && path.find("golden") != std::string::npos) {
                continue;
            }
            const api::Difficulty alone = api::gradeDifficulty(read.puzzles[i]);
            ASSERT_EQ(alone.error, "");
            if (object["verdict"] != "unique") {
                EXPECT_FALSE(alone.rated);
                EXPECT_EQ(alone.name, "unfinished");
                EXPECT_EQ(alone.rank, 0);
                EXPECT_NE(alone.reason, "");
                ++unrated;
                continue;
            }
            EXPECT_EQ(jsonOf(alone), object["difficulty"]);
            std::vector<std::string> order;
            for (const api::TechniqueCount& t : alone.techniques)
                order.push_back(t.technique);
            EXPECT_EQ(order, techniqueOrder(lines[i]));
            const api::CheckResult check = api::check(read.puzzles[i]);
            ASSERT_TRUE(check.graded);
            EXPECT_EQ(jsonOf(check.difficulty), object["difficulty"]);
            if (alone.rated) {
                EXPECT_EQ(alone.name, api::difficultyName(alone.rank));
                EXPECT_TRUE(alone.rating >= alone.rank && alone.rating < alone.rank + 1)
                    << alone.rating;
                ++ranks[alone.rank];
            }
        }
    }
    EXPECT_EQ(unrated, 87 + 4);
    for (int rank = 1; rank <= 5; ++rank)
        EXPECT_GT(ranks[rank], 0) << "no puzzle of rank " << rank;

    api::Puzzle broken;
    broken.width = 2;
    broken.height = 2;
    broken.clues = {1, 2, 3};
    EXPECT_EQ(api::gradeDifficulty(broken).error, "the clues hold 3 cells, not 2 x 2");
    EXPECT_FALSE(api::gradeDifficulty(broken).rated);
}

// Names and ranks as `varnel make --difficulty` and `--difficulties` take them, and every error
// word for word as the command reports it.
TEST_F(LibraryDifficulty, ReadsDifficultiesAsVarnelMake) {
    struct Read {
        std::string text;
        int32_t lowest;  // 0: an error
        int32_t highest;
    };
    const std::vector<Read> ranges = {
        {"easy", 1, 1},
        {"3", 3, 3},
        {"03", 3, 3},
        {"extreme", 5, 5},
        {"easy-hard", 1, 3},
        {"2-expert", 2, 4},
        {"medium-2", 2, 2},
        {"hard-easy", 0, 0},
        {"tough", 0, 0},
        {"6", 0, 0},
        {"0", 0, 0},
        {"Easy", 0, 0},
        {"hard-", 0, 0},
        {"-hard", 0, 0},
        {"1-2-3", 0, 0},
        {"+2", 0, 0},
        {"easy-99999999999999999999", 0, 0},
    };
    for (const Read& r : ranges) {
        SCOPED_TRACE(r.text);
        const api::DifficultyRange range = api::readDifficulties(r.text);
        EXPECT_EQ(range.lowest, r.lowest);
        EXPECT_EQ(range.highest, r.highest);
        EXPECT_EQ(range.error.empty(), r.lowest != 0) << range.error;
        const ProgramRun run = varnel("make --size 3x3 --count 0 --difficulties='" + r.text + "'");
        if (r.lowest != 0) {
            EXPECT_EQ(run.status, 0) << run.errors;
            continue;
        }
        EXPECT_EQ(run.status, 2);
        EXPECT_EQ(run.errors, "varnel make: --difficulties: " + range.error +
                                  "\nRun 'varnel make --help' for more information.\n");
    }
    // A single difficulty has no range: the dash is part of the name.
    const api::DifficultyRange single = api::readDifficulties("easy-hard", false);
    EXPECT_EQ(single.error,
              "'easy-hard' is not a difficulty: easy, medium, hard, expert or extreme (or 1 to 5)");
    EXPECT_EQ(varnel("make --size 3x3 --count 0 --difficulty easy-hard").errors,
              "varnel make: --difficulty: " + single.error +
                  "\nRun 'varnel make --help' for more information.\n");
    EXPECT_EQ(api::readDifficulties("hard", false).lowest, 3);
    EXPECT_EQ(api::readDifficulties("").error,
              "'' is not a difficulty: easy, medium, hard, expert or extreme (or 1 to 5)");

    EXPECT_STREQ(api::difficultyName(1), "easy");
    EXPECT_STREQ(api::difficultyName(5), "extreme");
    EXPECT_STREQ(api::difficultyName(0), "");
    EXPECT_STREQ(api::difficultyName(6), "");
}

}  // namespace
