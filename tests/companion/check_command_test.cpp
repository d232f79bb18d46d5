// Whole-program tests of varnel check, and of the answers varnel convert draws from the same
// check: the built binary run on files, its text and JSON outputs read back, every answer it
// prints checked by the tests' own answer checker (tests/checker/answer_shape.h), which shares
// nothing with the checker under test.
#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <nlohmann/json.hpp>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "ladder/techniques.h"
#include "solver/clue_grid.h"
#include "tests/checker/answer_shape.h"
#include "tests/support/scratch_run.h"
#include "tests/support/text_file.h"
#include "textio/ascii_drawing.h"

namespace {

using nlohmann::json;
using varnel::testing_support::isAnswer;
using varnel::testing_support::linesOf;
using varnel::testing_support::ProgramRun;
using varnel::testing_support::readTextFile;
using varnel::testing_support::ScratchDirectoryTest;
using varnel::testing_support::writeTextFile;

namespace fs = std::filesystem;

const std::string TEST_DATA = VARNEL_TEST_DATA;
const std::string VARNEL = VARNEL_BINARY;
const std::string PROBE = VARNEL_PROBE_BINARY;

// A problem of a compact line "D/H/W/row/.../", read apart from the program's readers.
struct Clues {
    int width = 0;
    int height = 0;
    varnel::ClueGrid grid;  // row-major, NO_CLUE for '.'
};

Clues cluesOfCompactLine(const std::string& line) {
    std::vector<std::string> fields;
    std::istringstream in(line);
    for (std::string field; std::getline(in, field, '/');)
        fields.push_back(field);
    Clues clues;
    clues.height = std::stoi(fields.at(1));
    clues.width = std::stoi(fields.at(2));
    for (int y = 0; y < clues.height; ++y) {
        for (const char c : fields.at(3 + y))
            clues.grid.push_back(c == '.' ? varnel::NO_CLUE : static_cast<uint8_t>(c - '0'));
    }
    return clues;
}

// An answer of the JSON output, rows of '#' (inside the loop) and '.', as cell colours; empty
// when its shape is wrong.
varnel::CellColours coloursOf(const json& answer, const Clues& clues) {
    varnel::CellColours colours;
    if (!answer.is_array() || static_cast<int>(answer.size()) != clues.height) return {};
    for (const json& row : answer) {
        const std::string text = row.get<std::string>();
        if (static_cast<int>(text.size()) != clues.width) return {};
        for (const char c : text) {
            if (c != '#' && c != '.') return {};
            colours.push_back(c == '#');
        }
    }
    return colours;
}

// The ASCII drawing of an answer, as the text output must show it.
std::vector<std::string> drawingOf(const Clues& clues, const varnel::CellColours& colours) {
    std::string text;
    varnel::appendAsciiDrawing(clues.grid.data(), clues.width, clues.height, colours.data(), text);
    return linesOf(text);
}

// A scratch directory per test, removed afterwards.
class Check : public ScratchDirectoryTest {
  protected:
    ProgramRun varnel(const std::string& args) { return shell("\"$VARNEL\" " + args); }

    // One parsed JSON object per output line.
    std::vector<json> jsonLines(const ProgramRun& run) {
        std::vector<json> objects;
        for (const std::string& line : linesOf(run.out))
            objects.push_back(json::parse(line));
        return objects;
    }
};

// Every golden verdict through the command, in both outputs: the right verdict, answers that are
// answers (one loop meeting every clue), two different ones for multiple, the text output drawing
// exactly the answers of the JSON output, a grade for unique problems only.
TEST_F(Check, GoldenVerdictsInTextAndJson) {
    const std::vector<std::string> problems =
        linesOf(readTextFile(TEST_DATA + "/golden/check/verdicts.txt"));
    const std::vector<std::string> expected =
        linesOf(readTextFile(TEST_DATA + "/golden/check/verdicts.expected"));
    ASSERT_EQ(problems.size(), 261u);
    ASSERT_EQ(expected.size(), problems.size());
    file("verdicts.txt", readTextFile(TEST_DATA + "/golden/check/verdicts.txt"));

    const ProgramRun jsonRun = varnel("check --json verdicts.txt");
    EXPECT_EQ(jsonRun.status, 3);
    EXPECT_EQ(jsonRun.errors, "");
    const std::vector<json> objects = jsonLines(jsonRun);
    ASSERT_EQ(objects.size(), problems.size());

    const ProgramRun textRun = varnel("check verdicts.txt");
    EXPECT_EQ(textRun.status, 3);
    EXPECT_EQ(textRun.errors, "varnel check: 261 problems: 44 unique, 130 multiple, 87 none\n");
    const std::vector<std::string> text = linesOf(textRun.out);
    size_t at = 0;  // the next line of the text output

    std::map<std::string, int> verdicts;
    for (size_t i = 0; i < problems.size(); ++i) {
        const std::string place = "verdicts.txt:" + std::to_string(i + 1);
        SCOPED_TRACE(place);
        const json& o = objects[i];
        const Clues clues = cluesOfCompactLine(problems[i]);
        EXPECT_EQ(o.at("input"), place);
        EXPECT_EQ(o.at("file"), "verdicts.txt");
        EXPECT_EQ(o.at("line"), i + 1);
        EXPECT_EQ(o.at("width"), clues.width);
        EXPECT_EQ(o.at("height"), clues.height);
        EXPECT_TRUE(o.at("ms").is_number());
        const std::string verdict = o.at("verdict");
        EXPECT_EQ(verdict, expected[i]);
        ++verdicts[verdict];

        const json& answers = o.at("answers");
        const size_t answerCount = verdict == "unique" ? 1 : verdict == "multiple" ? 2 : 0;
        ASSERT_EQ(answers.size(), answerCount);
        std::vector<varnel::CellColours> colours;
        for (const json& answer : answers) {
            colours.push_back(coloursOf(answer, clues));
            EXPECT_TRUE(isAnswer(clues.grid, colours.back(), clues.width, clues.height));
        }
        if (answerCount == 2) {
            EXPECT_NE(answers[0], answers[1]);
        }

        EXPECT_EQ(o.contains("score"), verdict == "unique");
        EXPECT_EQ(o.contains("solver"), verdict == "unique");
        EXPECT_EQ(o.contains("difficulty"), verdict == "unique");
        if (verdict == "unique") {
            EXPECT_EQ(o.at("level"), o.at("score").get<int>() / 10 + 1);
            const std::string result = o.at("solver").at("result");
            EXPECT_TRUE(result == "found" || result == "stopped" || result == "failed");
            // Every unique golden problem is within the ladder's reach.
            const json& d = o.at("difficulty");
            const int rank = d.at("rank");
            const double rating = d.at("rating");
            EXPECT_EQ(d.at("name"), varnel::rankName(rank));
            EXPECT_TRUE(rank >= 1 && rank <= 5);
            EXPECT_TRUE(rating >= rank && rating < rank + 1) << rating;
            int steps = 0;
            for (const auto& [name, count] : d.at("techniques").items()) {
                EXPECT_GT(count.get<int>(), 0) << name;
                steps += count.get<int>();
            }
            EXPECT_GT(steps, 0);
        }

        ASSERT_LT(at, text.size());
        const std::string size = std::to_string(clues.width) + "x" + std::to_string(clues.height);
        EXPECT_EQ(text[at].rfind(place + ": " + size + " " + verdict, 0), 0u) << text[at];
        if (verdict == "unique") {
            char rating[16];
            std::snprintf(rating, sizeof rating, "%.2f",
                          o.at("difficulty").at("rating").get<double>());
            const std::string grade = ", difficulty " +
                                      o.at("difficulty").at("name").get<std::string>() +
                                      " (rating " + rating + "), level " + o.at("level").dump() +
                                      " (score " + o.at("score").dump() + "), ";
            EXPECT_NE(text[at].find(grade), std::string::npos) << text[at];
        }
        ++at;
        // A problem with several answers: both drawn, each followed by an empty line.
        if (verdict != "multiple") continue;
        for (const varnel::CellColours& answer : colours) {
            for (const std::string& line : drawingOf(clues, answer)) {
                ASSERT_LT(at, text.size());
                EXPECT_EQ(text[at++], line);
            }
            ASSERT_LT(at, text.size());
            EXPECT_EQ(text[at++], "");
        }
    }
    EXPECT_EQ(at, text.size());
    EXPECT_EQ(verdicts,
              (std::map<std::string, int>{{"unique", 44}, {"multiple", 130}, {"none", 87}}));
}

// The grade is the score a batch gives the problems it makes: every problem of the golden make
// batches and of a batch made now by varnel_probe make.
TEST_F(Check, GradeOfMadeProblemsIsTheScoreMakeGaveThem) {
    std::string batch;
    for (const auto& entry : fs::directory_iterator(TEST_DATA + "/golden/make"))
        batch += readTextFile(entry.path());
    const ProgramRun made = shell("'" + PROBE + "' make 0 11 4 && '" + PROBE + "' make 1 11 2");
    ASSERT_EQ(made.status, 0);
    batch += made.out;

    std::string problems;
    std::vector<int> scores;
    const std::regex scored("^([^ ]+) score=([0-9]+)$");
    for (const std::string& line : linesOf(batch)) {
        std::smatch match;
        ASSERT_TRUE(std::regex_match(line, match, scored)) << line;
        problems += match[1].str() + "\n";
        scores.push_back(std::stoi(match[2]));
    }
    ASSERT_EQ(scores.size(), 38u + 6u);
    file("batch.txt", problems);
    const ProgramRun run = varnel("check --json batch.txt");
    EXPECT_EQ(run.status, 0) << run.errors;
    const std::vector<json> objects = jsonLines(run);
    ASSERT_EQ(objects.size(), scores.size());
    for (size_t i = 0; i < scores.size(); ++i) {
        SCOPED_TRACE(objects[i].at("input"));
        EXPECT_EQ(objects[i].at("verdict"), "unique");
        EXPECT_EQ(objects[i].at("score"), scores[i]);
        EXPECT_EQ(objects[i].at("level"), scores[i] / 10 + 1);
        // The maker keeps only problems its solver solves.
        EXPECT_EQ(objects[i].at("solver").at("result"), "found");
    }
}

// 0 when every problem is unique, 3 when one is not, 1 when an input was not read (even with
// problems that are not unique: the set was not checked whole), 2 on usage errors.
TEST_F(Check, ExitStatuses) {
    const std::vector<std::string> problems =
        linesOf(readTextFile(TEST_DATA + "/golden/check/verdicts.txt"));
    file("unique.txt", problems[0] + "\n");
    file("multiple.txt", problems[1] + "\n");
    file("none.txt", problems[2] + "\n");
    EXPECT_EQ(varnel("check unique.txt").status, 0);
    EXPECT_EQ(varnel("check unique.txt multiple.txt").status, 3);
    EXPECT_EQ(varnel("check none.txt unique.txt").status, 3);
    EXPECT_EQ(varnel("check --no-grade multiple.txt").status, 3);

    const ProgramRun missing = varnel("check multiple.txt nowhere.txt unique.txt");
    EXPECT_EQ(missing.status, 1);
    EXPECT_NE(missing.errors.find("varnel: cannot read nowhere.txt"), std::string::npos);
    EXPECT_EQ(linesOf(missing.out).back().rfind("unique.txt:1: ", 0), 0u);

    for (const char* args : {"check", "check --frobnicate unique.txt", "check --json"}) {
        const ProgramRun usage = varnel(args);
        EXPECT_EQ(usage.status, 2) << args;
        EXPECT_EQ(usage.out, "") << args;
        EXPECT_EQ(usage.errors.rfind("varnel check: ", 0), 0u) << usage.errors;
    }
    const ProgramRun help = varnel("check --help");
    EXPECT_EQ(help.status, 0);
    for (const char* words : {"Exit status", "  0  every", "  1  an input", "  2  usage",
                              "  3  some problem", "--json", "--no-grade"}) {
        EXPECT_NE(help.out.find(words), std::string::npos) << words;
    }
}

// A malformed problem is named with its file, line and column; the problems before and after it
// are still checked, and the status says an input was not read.
TEST_F(Check, MalformedProblemIsReportedAndTheRestChecked) {
    const std::vector<std::string> problems =
        linesOf(readTextFile(TEST_DATA + "/golden/check/verdicts.txt"));
    // Line 2: a row of 15 cells among rows of 16.
    const std::string bad = "1/12/16/" + std::string(15, '.') + "/" + problems[0].substr(25);
    file("mixed.txt", problems[0] + "\n" + bad + "\n" + problems[2] + "\n");
    const ProgramRun run = varnel("check mixed.txt");
    EXPECT_EQ(run.status, 1);
    EXPECT_TRUE(std::regex_search(run.errors, std::regex("(^|\n)mixed\\.txt:2:[0-9]+: ")))
        << run.errors;
    const std::vector<std::string> lines = linesOf(run.out);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0].rfind("mixed.txt:1: 16x12 unique, difficulty ", 0), 0u) << lines[0];
    EXPECT_EQ(lines[1], "mixed.txt:3: 16x12 none, no loop meets every clue");
}

// A URL or game ID on the command line, and standard input: literals are named by the argument
// as given, and read as the same problem as the file line they came from.
TEST_F(Check, LiteralProblemsAndStandardInput) {
    const std::vector<std::string> problems =
        linesOf(readTextFile(TEST_DATA + "/golden/check/verdicts.txt"));
    file("one.txt", problems[0] + "\n");
    const std::string url = linesOf(varnel("convert --to url one.txt").out).at(0);
    const std::string id = linesOf(varnel("convert --to loopy one.txt").out).at(0);
    const ProgramRun run =
        shell("cat one.txt | \"$VARNEL\" check --json - '" + url + "' '" + id + "' one.txt");
    EXPECT_EQ(run.status, 0) << run.errors;
    const std::vector<json> objects = jsonLines(run);
    ASSERT_EQ(objects.size(), 4u);
    EXPECT_EQ(objects[0].at("input"), "<stdin>:1");
    EXPECT_EQ(objects[1].at("input"), url);
    EXPECT_EQ(objects[2].at("input"), id);
    EXPECT_FALSE(objects[1].contains("file"));
    for (const json& o : objects) {
        EXPECT_EQ(o.at("answers"), objects[3].at("answers"));
        EXPECT_EQ(o.at("score"), objects[3].at("score"));
    }
    const ProgramRun text = varnel("check '" + url + "'");
    EXPECT_EQ(text.out.rfind(url + ": 16x12 unique, difficulty ", 0), 0u) << text.out;
}

// varnel convert draws answers from the same check: a unique problem's loop, nothing but a warning
// for a problem with several answers or none, and with --both-answers two different answers of a
// problem with several, in ascii one drawing after the other, in svg side by side.
TEST_F(Check, ConvertDrawsTwoAnswersOfAProblemWithSeveral) {
    const std::vector<std::string> problems =
        linesOf(readTextFile(TEST_DATA + "/golden/check/verdicts.txt"));
    file("three.txt", problems[0] + "\n" + problems[1] + "\n" + problems[2] + "\n");
    const std::vector<json> checked = jsonLines(varnel("check --json three.txt"));
    ASSERT_EQ(checked.size(), 3u);

    // What --both-answers draws: the unique answer, the two answers check gave, the clues alone.
    std::vector<std::string> expected;
    for (int i = 0; i < 3; ++i) {
        const Clues clues = cluesOfCompactLine(problems[i]);
        std::vector<varnel::CellColours> answers;
        for (const json& answer : checked[i].at("answers"))
            answers.push_back(coloursOf(answer, clues));
        if (answers.empty()) answers.emplace_back(clues.grid.size(), 0);
        for (const varnel::CellColours& answer : answers) {
            for (const std::string& line : drawingOf(clues, answer))
                expected.push_back(line);
            expected.push_back("");
        }
    }
    const ProgramRun both = varnel("convert --to ascii --both-answers three.txt");
    EXPECT_EQ(both.status, 0);
    EXPECT_EQ(linesOf(both.out), expected);
    EXPECT_NE(both.errors.find("three.txt:2: warning: it has several answers; two of them"),
              std::string::npos);
    EXPECT_NE(both.errors.find("three.txt:3: warning: no loop drawn: it has no answer"),
              std::string::npos);

    // Without --both-answers the problem with several answers is drawn once, without a loop.
    const ProgramRun one = varnel("convert --to ascii --answer three.txt");
    EXPECT_EQ(one.status, 0);
    EXPECT_EQ(linesOf(one.out).size(), expected.size() / 4 * 3);
    EXPECT_NE(one.errors.find("three.txt:2: warning: no loop drawn: it has several answers"),
              std::string::npos);

    const ProgramRun svg = varnel("convert --to svg --both-answers -o pictures/ three.txt");
    EXPECT_EQ(svg.status, 0);
    const std::string picture = readTextFile(dir / "pictures" / "002.svg");
    EXPECT_NE(picture.find(">No. 2a"), std::string::npos);
    EXPECT_NE(picture.find(">No. 2b"), std::string::npos);
    // One loop in each of the two pictures.
    const std::regex path("<path");
    EXPECT_EQ(std::distance(std::sregex_iterator(picture.begin(), picture.end(), path),
                            std::sregex_iterator()),
              2);

    EXPECT_EQ(varnel("convert --both-answers three.txt").status, 2);
}

}  // namespace
