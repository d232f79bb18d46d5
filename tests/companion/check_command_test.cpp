// Whole-program tests of varnel check, and of the answers varnel convert draws from the same
// check: the built binary run on files, its text and JSON outputs read back, every answer it
// prints checked by a loop checker of the test's own.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <map>
#include <nlohmann/json.hpp>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "tests/support/text_file.h"

namespace {

using nlohmann::json;
using varnel::testing_support::readTextFile;
using varnel::testing_support::writeTextFile;

namespace fs = std::filesystem;

const std::string TEST_DATA = VARNEL_TEST_DATA;
const std::string VARNEL = VARNEL_BINARY;
const std::string PROBE = VARNEL_PROBE_BINARY;

struct ProgramRun {
    int status = -1;     // exit status, or -1 when the program did not exit normally
    std::string out;     // standard output
    std::string errors;  // standard error
};

std::vector<std::string> linesOf(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

// A problem as the test reads a compact line "D/H/W/row/.../", apart from the program's reader.
struct Clues {
    int width = 0;
    int height = 0;
    std::vector<std::string> rows;  // '.' or a clue digit per cell
};

Clues cluesOfCompactLine(const std::string& line) {
    std::vector<std::string> fields;
    std::istringstream in(line);
    for (std::string field; std::getline(in, field, '/');)
        fields.push_back(field);
    Clues clues;
    clues.height = std::stoi(fields.at(1));
    clues.width = std::stoi(fields.at(2));
    clues.rows.assign(fields.begin() + 3, fields.begin() + 3 + clues.height);
    return clues;
}

// The loop sides of an answer given as rows of '#' (inside) and '.': a side is on the loop
// when the cells beside it differ, cells beyond the board counting as outside.
struct Sides {
    std::vector<std::vector<bool>> across;  // [y][x], y 0..H: the top side of cell (x, y)
    std::vector<std::vector<bool>> down;    // [y][x], x 0..W: the left side of cell (x, y)
};

Sides sidesOf(const std::vector<std::string>& rows, int width, int height) {
    const auto inside = [&](int x, int y) {
        return x >= 0 && y >= 0 && x < width && y < height && rows[y][x] == '#';
    };
    Sides sides;
    sides.across.assign(height + 1, std::vector<bool>(width, false));
    sides.down.assign(height, std::vector<bool>(width + 1, false));
    for (int y = 0; y <= height; ++y) {
        for (int x = 0; x < width; ++x)
            sides.across[y][x] = inside(x, y - 1) != inside(x, y);
    }
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x <= width; ++x)
            sides.down[y][x] = inside(x - 1, y) != inside(x, y);
    }
    return sides;
}

// Why rows are not an answer of clues, or "" when they are: the right shape, every clue met, and
// the sides one closed path that visits every grid point it touches exactly once.
std::string answerFault(const Clues& clues, const std::vector<std::string>& rows) {
    const int w = clues.width;
    const int h = clues.height;
    if (static_cast<int>(rows.size()) != h) return "wrong number of rows";
    for (const std::string& row : rows) {
        if (static_cast<int>(row.size()) != w) return "a row of the wrong length";
        if (row.find_first_not_of("#.") != std::string::npos) return "a cell not '#' or '.'";
    }
    const Sides s = sidesOf(rows, w, h);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            const char clue = clues.rows[y][x];
            const int count = s.across[y][x] + s.across[y + 1][x] + s.down[y][x] + s.down[y][x + 1];
            if (clue != '.' && count != clue - '0') return "a clue not met";
        }
    }
    // Grid point (x, y), x 0..W, y 0..H; its four sides, each absent at the board's edge.
    const auto on = [&](int x, int y, int direction) {
        switch (direction) {
            case 0:
                return x < w && s.across[y][x];  // right
            case 1:
                return y < h && s.down[y][x];  // down
            case 2:
                return x > 0 && s.across[y][x - 1];  // left
            default:
                return y > 0 && s.down[y - 1][x];  // up
        }
    };
    int total = 0;
    int startX = -1;
    int startY = -1;
    for (int y = 0; y <= h; ++y) {
        for (int x = 0; x <= w; ++x) {
            const int degree = on(x, y, 0) + on(x, y, 1) + on(x, y, 2) + on(x, y, 3);
            if (degree != 0 && degree != 2) return "a grid point with " + std::to_string(degree);
            total += degree;
            if (degree == 2 && startX < 0) {
                startX = x;
                startY = y;
            }
        }
    }
    if (total == 0) return "no loop";
    // Walk the path from the first point; it must come back having used every side.
    const int dx[4] = {1, 0, -1, 0};
    const int dy[4] = {0, 1, 0, -1};
    int x = startX;
    int y = startY;
    int from = -1;
    int walked = 0;
    do {
        int next = 0;
        while (!on(x, y, next) || next == from)
            ++next;
        x += dx[next];
        y += dy[next];
        from = (next + 2) % 4;
        ++walked;
    } while ((x != startX || y != startY) && walked <= total);
    if (walked * 2 != total) return "more than one loop";
    return "";
}

// Reads a drawing of varnel's ASCII form back into rows of sides and compares them with those of
// an answer: the text output must draw the answers the JSON output gives.
bool drawingShows(const std::vector<std::string>& drawing, const std::vector<std::string>& rows,
                  int width, int height) {
    if (static_cast<int>(drawing.size()) != 2 * height + 1) return false;
    const Sides s = sidesOf(rows, width, height);
    for (int y = 0; y <= height; ++y) {
        for (int x = 0; x < width; ++x) {
            if ((drawing[2 * y].substr(4 * x + 1, 3) == "---") != s.across[y][x]) return false;
        }
    }
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x <= width; ++x) {
            if ((drawing[2 * y + 1][4 * x] == '|') != s.down[y][x]) return false;
        }
    }
    return true;
}

// A scratch directory per test, removed afterwards.
class Check : public ::testing::Test {
  protected:
    void SetUp() override {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        dir = fs::temp_directory_path() /
              ("varnel_check_" + std::to_string(getpid()) + "_" + info->name());
        fs::remove_all(dir);
        fs::create_directories(dir);
    }
    void TearDown() override { fs::remove_all(dir); }

    fs::path file(const std::string& name, const std::string& text) {
        const fs::path path = dir / name;
        writeTextFile(path, text);
        return path;
    }

    // Runs a shell command line in the scratch directory, where $VARNEL is the program.
    ProgramRun shell(const std::string& line) {
        const fs::path out = dir / ".stdout";
        const fs::path errors = dir / ".stderr";
        const std::string command = "cd '" + dir.string() + "' && VARNEL='" + VARNEL + "' && (" +
                                    line + ") >'" + out.string() + "' 2>'" + errors.string() + "'";
        const int raw = std::system(command.c_str());
        ProgramRun result;
        result.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
        result.out = readTextFile(out);
        result.errors = readTextFile(errors);
        fs::remove(out);
        fs::remove(errors);
        return result;
    }

    ProgramRun varnel(const std::string& args) { return shell("\"$VARNEL\" " + args); }

    // One parsed JSON object per output line.
    std::vector<json> jsonLines(const ProgramRun& run) {
        std::vector<json> objects;
        for (const std::string& line : linesOf(run.out))
            objects.push_back(json::parse(line));
        return objects;
    }

    fs::path dir;
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
        for (const json& answer : answers)
            EXPECT_EQ(answerFault(clues, answer.get<std::vector<std::string>>()), "");
        if (answerCount == 2) {
            EXPECT_NE(answers[0], answers[1]);
        }

        EXPECT_EQ(o.contains("score"), verdict == "unique");
        EXPECT_EQ(o.contains("solver"), verdict == "unique");
        if (verdict == "unique") {
            EXPECT_EQ(o.at("level"), o.at("score").get<int>() / 10 + 1);
            const std::string result = o.at("solver").at("result");
            EXPECT_TRUE(result == "found" || result == "stopped" || result == "failed");
        }

        ASSERT_LT(at, text.size());
        const std::string size = std::to_string(clues.width) + "x" + std::to_string(clues.height);
        EXPECT_EQ(text[at].rfind(place + ": " + size + " " + verdict, 0), 0u) << text[at];
        if (verdict == "unique") {
            const std::string grade =
                ", level " + o.at("level").dump() + " (score " + o.at("score").dump() + "), ";
            EXPECT_NE(text[at].find(grade), std::string::npos) << text[at];
        }
        ++at;
        for (const json& answer : verdict == "multiple" ? answers : json::array()) {
            const std::vector<std::string> drawing(
                text.begin() + static_cast<long>(std::min(at, text.size())),
                text.begin() + static_cast<long>(std::min(at + 2 * clues.height + 1, text.size())));
            EXPECT_TRUE(drawingShows(drawing, answer.get<std::vector<std::string>>(), clues.width,
                                     clues.height));
            at += 2 * clues.height + 1;
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
    EXPECT_EQ(lines[0].rfind("mixed.txt:1: 16x12 unique, level ", 0), 0u) << lines[0];
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
    EXPECT_EQ(text.out.rfind(url + ": 16x12 unique, level ", 0), 0u) << text.out;
}

// varnel convert draws answers from the same check: a unique problem's loop, nothing but a warning
// for a problem with several answers or none, and with --both-answers two different answers of a
// problem with several, in ascii one drawing after the other, in svg side by side.
TEST_F(Check, ConvertDrawsTwoAnswersOfAProblemWithSeveral) {
    const std::vector<std::string> problems =
        linesOf(readTextFile(TEST_DATA + "/golden/check/verdicts.txt"));
    file("three.txt", problems[0] + "\n" + problems[1] + "\n" + problems[2] + "\n");
    const json multiple = jsonLines(varnel("check --json three.txt")).at(1);
    const Clues clues = cluesOfCompactLine(problems[1]);
    const int drawingLines = 2 * clues.height + 1;

    const ProgramRun one = varnel("convert --to ascii --answer three.txt");
    EXPECT_EQ(one.status, 0);
    EXPECT_EQ(linesOf(one.out).size(), 3u * (drawingLines + 1));
    EXPECT_NE(one.errors.find("three.txt:2: warning: no loop drawn: it has several answers"),
              std::string::npos);
    EXPECT_NE(one.errors.find("three.txt:3: warning: no loop drawn: it has no answer"),
              std::string::npos);

    const ProgramRun both = varnel("convert --to ascii --both-answers three.txt");
    EXPECT_EQ(both.status, 0);
    const std::vector<std::string> lines = linesOf(both.out);
    ASSERT_EQ(lines.size(), 4u * (drawingLines + 1));
    for (int k = 0; k < 2; ++k) {
        const auto first = lines.begin() + (1 + k) * (drawingLines + 1);
        EXPECT_TRUE(drawingShows({first, first + drawingLines},
                                 multiple.at("answers")[k].get<std::vector<std::string>>(),
                                 clues.width, clues.height))
            << k;
    }
    EXPECT_NE(both.errors.find("three.txt:2: warning: it has several answers; two of them"),
              std::string::npos);

    const ProgramRun svg = varnel("convert --to svg --both-answers -o pictures/ three.txt");
    EXPECT_EQ(svg.status, 0);
    const std::string picture = readTextFile(dir / "pictures" / "002.svg");
    EXPECT_NE(picture.find(">No. 2a"), std::string::npos);
    EXPECT_NE(picture.find(">No. 2b"), std::string::npos);
    size_t loops = 0;
    for (size_t p = picture.find("<path"); p != std::string::npos; p = picture.find("<path", p + 1))
        ++loops;
    EXPECT_EQ(loops, 2u);

    EXPECT_EQ(varnel("convert --both-answers three.txt").status, 2);
}

}  // namespace
