// Verifying proposed answers through the library: every answer the complete check finds is
// valid in each of the three forms; planted faults are named, positioned, in the documented order.
#include "varnel/verify.h"

#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <vector>

#include "tests/support/text_file.h"
#include "varnel/varnel.h"

namespace {

namespace api = varnel::api;

std::string joined(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines)
        text += line + "\n";
    return text;
}

// Options that write in form, at level when it is given.
api::WriteOptions inForm(api::Form form, int32_t level = 0) {
    api::WriteOptions options;
    options.form = form;
    options.level = level;
    return options;
}

std::string drawing(const api::Puzzle& puzzle, const api::Answer& answer) {
    api::WriteOptions options = inForm(api::Form::ASCII);
    options.answers = {answer};
    return api::writePuzzle(puzzle, options).text;
}

TEST(LibraryVerify, EveryAnswerOfTheCheckIsValidInEachForm) {
    const std::string path = std::string(VARNEL_TEST_DATA) + "/golden/check/verdicts.txt";
    const api::ReadResult read =
        api::readPuzzles(varnel::testing_support::readTextFile(path), path);
    ASSERT_EQ(read.puzzles.size(), 261u);
    int answers = 0;
    for (const api::Puzzle& puzzle : read.puzzles) {
        for (const api::Answer& answer : api::check(puzzle, {false}).answers) {
            const std::vector<std::pair<std::string, api::AnswerForm>> forms = {
                {drawing(puzzle, answer), api::AnswerForm::DRAWING},
                {joined(api::answerRows(answer)), api::AnswerForm::COLOURING},
                {joined(api::answerSides(answer)), api::AnswerForm::SIDES}};
            for (const auto& [text, form] : forms) {
                const api::VerifyResult result = api::verify(puzzle, text);
                EXPECT_TRUE(result.valid) << result.reason << result.error << "\n" << text;
                EXPECT_EQ(result.form, form);
            }
            EXPECT_TRUE(api::verifyAnswer(puzzle, answer).valid);
            ++answers;
        }
    }
    EXPECT_EQ(answers, 44 + 2 * 130);
}

// A 4 x 3 puzzle whose answer rings r1c1, r1c2 and r2c2: every rule broken once, with its reason.
TEST(LibraryVerify, PlantedFaultsAndTheirReasons) {
    const api::Puzzle puzzle = api::readPuzzles("2/3/4/3..0/.3../...0/\n", "p").puzzles.at(0);
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"##..\n.#..\n....\n", ""},
        {"##..\n.#..\n", "the answer is 4x2, the puzzle 4x3"},
        {"....\n....\n....\n", "the answer has no line"},
        {"##..\n.#..\n...#\n", "the lines form 2 loops"},
        {"##..\n..#.\n....\n", "point r2c3 top-left has 4 lines"},
        {"###.\n.#..\n....\n", "clue 0 at r1c4 has 1 side on the loop"},
        // r1c1's top taken out of the side list: both its ends become dead ends.
        {"r1c1 left\nr1c1 bottom\nr1c2 top\nr1c2 right\nr2c2 left\nr2c2 right\nr2c2 bottom\n",
         "point r1c1 top-left has 1 line (a dead end)"},
        // A branch: r1c3 top added.
        {"r1c1 top\nr1c1 left\nr1c1 bottom\nr1c2 top\nr1c2 right\nr2c2 left\nr2c2 right\n"
         "r2c2 bottom\nr1c3 top\n",
         "point r1c3 top-left has 3 lines"},
    };
    for (const auto& [text, reason] : cases) {
        const api::VerifyResult result = api::verify(puzzle, text);
        EXPECT_EQ(result.error, "") << text;
        EXPECT_EQ(result.valid, reason.empty()) << text;
        EXPECT_EQ(result.reason, reason) << text;
    }

    // A drawing must show the puzzle's clues; crosses are allowed.
    const std::string drawn =
        "+---+---+   +   +\n"
        "| 3     |   x 0\n"
        "+---+ x +   +   +\n"
        "    | 3 |\n"
        "+   +---+   +   +\n"
        "              0\n"
        "+   +   +   +   +\n";
    api::VerifyResult result = api::verify(puzzle, drawn);
    EXPECT_TRUE(result.valid) << result.reason << result.error;
    std::string changed = drawn;
    changed[changed.find('3')] = '2';
    result = api::verify(puzzle, changed);
    EXPECT_EQ(result.rule, api::Rule::DRAWN_CLUE);
    EXPECT_EQ(result.reason, "the drawing shows clue 2 at r1c1, the puzzle has 3");
    changed = drawn;
    changed[changed.find('0')] = ' ';
    EXPECT_EQ(api::verify(puzzle, changed).reason,
              "the drawing shows no clue at r1c4, the puzzle has 0");
    changed = drawn;
    changed[changed.find("    | 3 |") + 2] = '1';
    EXPECT_EQ(api::verify(puzzle, changed).reason,
              "the drawing shows clue 1 at r2c1, the puzzle has none");

    // Unreadable answers carry their positioned messages.
    result = api::verify(puzzle, "##..\n.#.?\n", "a.txt");
    EXPECT_FALSE(result.valid);
    EXPECT_EQ(result.error,
              "a.txt:2:4: expected '#' (a cell inside the loop) or '.' (outside), found '?'");
    EXPECT_EQ(api::verifyAnswer(puzzle, {4, 3, {1, 0}}).error,
              "the answer's cells hold 2 values, not 4 x 3");
}

// Fast enough for a training loop: a 36 x 20 answer in microseconds (1 ms is a bound a loaded or
// instrumented build still keeps; README gives the measured figure).
TEST(LibraryVerify, ALargeAnswerTakesWellUnderAMillisecond) {
    api::MakeOptions options;
    options.width = 36;
    options.height = 20;
    options.seed = 3620;
    options.jobs = 1;
    const api::MakeResult made = api::make(options);
    ASSERT_EQ(made.error, "");
    const api::Puzzle& puzzle = made.puzzles.at(0).puzzle;
    const std::string text = drawing(puzzle, made.puzzles.at(0).answer);
    constexpr int ROUNDS = 200;
    const auto start = std::chrono::steady_clock::now();
    int valid = 0;
    for (int i = 0; i < ROUNDS; ++i)
        valid += api::verify(puzzle, text).valid ? 1 : 0;
    const double each =
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
            .count() /
        ROUNDS;
    EXPECT_EQ(valid, ROUNDS);
    EXPECT_LT(each, 1.0);
}

}  // namespace
