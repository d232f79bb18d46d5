#include "app/dispatch.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <vector>

namespace varnel {
namespace {

Command parse(std::initializer_list<const char*> args) {
    std::vector<const char*> argv = {"varnel_solver"};
    argv.insert(argv.end(), args.begin(), args.end());
    argv.push_back(nullptr);
    return parseCommandLine(static_cast<int>(argv.size() - 1), argv.data());
}

TEST(Dispatch, SolveModeNeedsAnSAndExactlyOnePath) {
    for (const char* word : {"s", "S", "solve", "sfoo"}) {
        const Command command = parse({word, "problems.txt"});
        EXPECT_EQ(command.mode, RunMode::SOLVE) << word;
        EXPECT_STREQ(command.path, "problems.txt") << word;
    }
    EXPECT_EQ(parse({"s"}).mode, RunMode::USAGE);
    EXPECT_EQ(parse({"s", "a.txt", "b.txt"}).mode, RunMode::USAGE);
    EXPECT_EQ(parse({"x", "a.txt"}).mode, RunMode::USAGE);
    EXPECT_EQ(parse({"", "a.txt"}).mode, RunMode::USAGE);
    EXPECT_EQ(parse({}).mode, RunMode::USAGE);
}

TEST(Dispatch, CreateModeTakesOnlyTheSecondCharacter) {
    const std::vector<std::pair<const char*, uint32_t>> table = {
        {"c", 0},  {"C", 0},  {"c0", 0},  {"c1", 1},     {"c2", 2},  {"c3", 3},
        {"C3", 3}, {"c4", 4}, {"c5", 5},  {"C5", 5},     {"c6", 0},  {"c9", 0},
        {"cx", 0}, {"cz", 0}, {"c-1", 0}, {"create", 0}, {"c12", 1}, {"c5x", 5},
    };
    for (const auto& [word, mode] : table) {
        const Command command = parse({word});
        EXPECT_EQ(command.mode, RunMode::CREATE) << word;
        EXPECT_EQ(command.createMode, mode) << word;
    }
    // c with a second argument is no create command.
    EXPECT_EQ(parse({"c", "extra"}).mode, RunMode::USAGE);
    EXPECT_EQ(parse({"c1", "extra"}).mode, RunMode::USAGE);
    EXPECT_EQ(parse({"x"}).mode, RunMode::USAGE);
    EXPECT_EQ(parse({"s", "a", "b", "c"}).mode, RunMode::USAGE);
}

}  // namespace
}  // namespace varnel
