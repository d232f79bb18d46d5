#include "textio/problem_input.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "tests/support/format_rows.h"
#include "tests/support/text_file.h"
#include "textio/game_id.h"
#include "textio/problem_reader.h"
#include "textio/problem_writer.h"
#include "textio/puzz_link.h"

namespace varnel {
namespace {

using testing_support::parseRows;
using testing_support::readGoldenTable;
using testing_support::readTextFile;

namespace fs = std::filesystem;

constexpr uint8_t N = NO_CLUE;

struct Read {
    std::vector<InputProblem> problems;
    std::vector<InputDiagnostic> diagnostics;

    int errors() const {
        int n = 0;
        for (const InputDiagnostic& d : diagnostics)
            n += d.warning ? 0 : 1;
        return n;
    }
};

Read readText(std::string_view text, const std::string& source = "in.txt") {
    Read read;
    readInputText(text, source, read.problems, read.diagnostics);
    return read;
}

Read readLiteral(std::string_view argument) {
    Read read;
    readLiteralProblem(argument, read.problems, read.diagnostics);
    return read;
}

TEST(ProblemInput, GridFormWorkedExample) {
    // Comment lines, blank lines around the grid, spaces between cells and CR LF ends.
    const Read read = readText("# a 3 x 3 problem\r\n\r\n1 . 3\r\n.2.\r\n# middle\r\n3.0\r\n\r\n");
    EXPECT_TRUE(read.diagnostics.empty());
    ASSERT_EQ(read.problems.size(), 1u);
    const InputProblem& p = read.problems[0];
    EXPECT_EQ(p.source, "in.txt");
    EXPECT_EQ(p.line, 3);
    EXPECT_EQ(p.width, 3);
    EXPECT_EQ(p.height, 3);
    EXPECT_EQ(p.level, 0);
    EXPECT_EQ(p.grid, (ClueGrid{1, N, 3, N, 2, N, 3, N, 0}));
}

TEST(ProblemInput, LineFormMixesFormsAndKeepsWhereEachCameFrom) {
    const Read read = readText(
        "# three problems\n"
        "2/2/3/1.3/..0/\n"
        "\n"
        "  https://puzz.link/p?slither/3/2/6da\r\n"
        "3x2t0de:1a3b0\n"
        "http://pzv.jp/p.html?slither/3/2/.2\n",
        "-");
    const ClueGrid example = {1, N, 3, N, N, 0};
    ASSERT_EQ(read.problems.size(), 4u);
    const int64_t lines[] = {2, 4, 5, 6};
    for (size_t i = 0; i < 4; ++i) {
        EXPECT_EQ(read.problems[i].source, "<stdin>");
        EXPECT_EQ(read.problems[i].line, lines[i]);
        if (i == 3) break;
        EXPECT_EQ(read.problems[i].width, 3);
        EXPECT_EQ(read.problems[i].height, 2);
        EXPECT_EQ(read.problems[i].grid, example) << i;
        EXPECT_EQ(read.problems[i].level, i == 0 ? 2 : 0);
    }
    EXPECT_EQ(read.problems[3].grid, (ClueGrid{N, 2, N, N, N, N}));
    // The hidden clue and the short body are warnings at their columns; nothing is rejected.
    ASSERT_EQ(read.diagnostics.size(), 2u);
    EXPECT_EQ(formatDiagnostic(read.diagnostics[0]),
              "<stdin>:6:34: warning: a hidden clue ('.') read as a cell without clue");
    EXPECT_EQ(formatDiagnostic(read.diagnostics[1]),
              "<stdin>:6:36: warning: body ends after 2 of 6 cells; the rest read as cells "
              "without clue");
}

TEST(ProblemInput, MalformedInputsGetPositionedErrors) {
    const std::string mb(1 << 20, '.');
    const struct {
        std::string text;
        size_t problems;  // still read
        int64_t line, column;
        const char* contains;
    } cases[] = {
        // Grid form: what the main program would misread, and what is no problem at all.
        {"1.3\n.2\n3.0\n", 0, 2, 3, "a row of 2 cells after rows of 3"},
        {"1.3\n.2..\n", 0, 2, 4, "a row of 4 cells after rows of 3"},
        {"1.4\n", 0, 1, 3, "'4' is not a clue (clues are 0 to 3)"},
        {"1.x\n", 0, 1, 3, "'x' is not a cell"},
        {"\xEF\xBB\xBF"
         "1.3\n",
         0, 1, 1, "byte-order mark"},
        {"1.3\n..0\n\n.2.\n", 0, 4, 1, "a second grid after a blank line"},
        {"1.3 # top\n..0\n", 0, 1, 5, "a comment after cells on the same line"},
        {"1.3\r..0\n", 0, 1, 4, "a carriage return is not a cell"},
        {std::string("1.\0003\n", 5), 0, 1, 3, "a NUL byte is not a cell"},
        {std::string(3, '\0'), 0, 1, 1, "a NUL byte is not a cell"},
        {"1.3\n2/1/1/0/\n", 0, 2, 1, "a compact line, URL or game ID in a grid"},
        {"1.3\n..0:\n", 0, 2, 4, "':' is not a cell"},
        {"", 0, 1, 1, "no problem in this input"},
        {"# only a comment\n\n", 0, 1, 1, "no problem in this input"},
        {mb, 0, 1, 1, "a 1048576 x 1 board is beyond the solver's limit"},
        {std::string(1 << 20, 'x'), 0, 1, 1, "'x' is not a cell"},
        // Line form: each bad line rejects its own problem only.
        {"1/1/1/0/\n1/1/1/4/\n1/1/1/1/\n", 2, 2, 7, "'4' is not a clue"},
        {"\xEF\xBB\xBF"
         "2/1/1/0/\n1/1/1/./\n",
         1, 1, 1, "byte-order mark"},
        {"1/1/1/0/\n1.3\n", 1, 2, 1, "a grid row among one-line problems"},
        {"1/1/1/0/\nsolve this\n", 1, 2, 1, "not a compact line, puzz.link URL or game ID"},
        {"  1/1/1/4/  \n", 0, 1, 9, "'4' is not a clue"},
        // The one-line decoders' own errors, placed in their line (more in their own tests).
        {"2/2/2/../\n", 0, 1, 10, "the line ends after 1 of the header's 2 rows"},
        {"p?slither/3/2/\n", 0, 1, 15, "no body"},
        {"p?slither/3/2/0000000\n", 0, 1, 21, "body too long"},
        {"p?slither/99999999999/99999999999/0\n", 0, 1, 11, "beyond the solver's limit"},
        {"p?slither/3/3/" + std::string(1 << 20, '0') + "\n", 0, 1, 24, "body too long"},
        {"3x3t0:h\n", 0, 1, 8, "description ends after 8 of 9 cells"},
        {"4x4t0de#778\n", 0, 1, 8, "random-seed ID"},
    };
    for (const auto& c : cases) {
        const std::string shown = c.text.substr(0, 40);
        const Read read = readText(c.text);
        EXPECT_EQ(read.problems.size(), c.problems) << shown;
        ASSERT_GE(read.errors(), 1) << shown;
        // The first error; a warning about how the main program would read the file may come
        // before it.
        const InputDiagnostic& first =
            *std::find_if(read.diagnostics.begin(), read.diagnostics.end(),
                          [](const InputDiagnostic& d) { return !d.warning; });
        EXPECT_EQ(first.source, "in.txt");
        EXPECT_EQ(first.line, c.line) << shown;
        EXPECT_EQ(first.column, c.column) << shown << ": " << first.message;
        EXPECT_NE(first.message.find(c.contains), std::string::npos)
            << shown << ": " << first.message;
    }
    // A grid whose first row is the odd one gets one message about lengths, not one per row;
    // faults of other kinds are still reported on every line.
    const Read read = readText("1.3\n.2..\n....\n..4.\n....\n");
    ASSERT_EQ(read.diagnostics.size(), 2u);
    EXPECT_EQ(formatDiagnostic(read.diagnostics[0]),
              "in.txt:2:4: a row of 4 cells after rows of 3");
    EXPECT_EQ(formatDiagnostic(read.diagnostics[1]),
              "in.txt:4:3: '4' is not a clue (clues are 0 to 3)");
}

TEST(ProblemInput, WarnsWhereTheMainProgramWouldMisreadCompactLines) {
    const struct {
        const char* text;
        const char* warning;  // the one diagnostic; nullptr for none
    } cases[] = {
        {"# batch\n1/1/1/0/\n1/1/1/1/\n",
         "in.txt:1:1: warning: the main program would read this file as a grid"},
        {"\n1/1/1/0/\n1/1/1/1/\n",
         "in.txt:1:1: warning: the main program would read this file as a grid"},
        {"1/1/1/0/\n  # note\n1/1/1/1/\n",
         "in.txt:2:3: warning: a comment among compact lines: the main program would read it"},
        // Blank lines between compact lines and spaces before them do the main program no harm.
        {"1/1/1/0/\n\n  1/1/1/1/\n", nullptr},
    };
    for (const auto& c : cases) {
        const Read read = readText(c.text);
        EXPECT_EQ(read.problems.size(), 2u) << c.text;
        std::vector<ClueGrid> mainRead;
        readProblems(c.text,
                     [&](const ClueGrid& grid, int32_t, int32_t) { mainRead.push_back(grid); });
        const bool same = mainRead == std::vector<ClueGrid>{{0}, {1}};
        if (c.warning == nullptr) {
            EXPECT_TRUE(read.diagnostics.empty()) << c.text;
            EXPECT_TRUE(same) << c.text;
            continue;
        }
        ASSERT_EQ(read.diagnostics.size(), 1u) << c.text;
        const std::string shown = formatDiagnostic(read.diagnostics[0]);
        EXPECT_EQ(shown.substr(0, std::string(c.warning).size()), c.warning);
        EXPECT_FALSE(same) << c.text;
    }
}

TEST(ProblemInput, ManyBadLinesAreCappedButEveryGoodLineIsRead) {
    std::string text;
    for (int i = 0; i < 300; ++i)
        text += i % 2 == 0 ? "1/1/1/9/\n" : "1/1/1/3/\n";
    const Read read = readText(text);
    EXPECT_EQ(read.problems.size(), 150u);
    ASSERT_EQ(read.diagnostics.size(), MAX_DIAGNOSTICS_PER_INPUT + 1);
    EXPECT_EQ(read.diagnostics[99].line, 199);
    const InputDiagnostic& last = read.diagnostics.back();
    EXPECT_EQ(formatDiagnostic(last),
              "in.txt:201:1: 50 more errors or warnings in this input not shown");

    // The summary of what was left out points at an error's line, never at a problem read
    // with a warning; numbers of any length are cut in messages.
    text = std::string(100, '\n');
    for (int i = 0; i < 100; ++i)
        text += "1/1/1/9/\n";
    text += "p?slither/2/1/0\n1/" + std::string(1000, '9') + "/1/./\n";
    const Read capped = readText(text);
    ASSERT_EQ(capped.problems.size(), 1u);
    EXPECT_EQ(capped.problems[0].line, 201);
    EXPECT_EQ(formatDiagnostic(capped.diagnostics.back()),
              "in.txt:202:1: 2 more errors or warnings in this input not shown");
    std::vector<InputProblem> none;
    std::vector<InputDiagnostic> longNumber;
    readInputText("1/" + std::string(1000, '9') + "/1/./", "in.txt", none, longNumber);
    EXPECT_TRUE(none.empty());
    ASSERT_EQ(longNumber.size(), 1u);
    EXPECT_EQ(longNumber[0].message,
              "a 1 x 999999999999999... board is beyond the solver's limit: (columns + 2) x "
              "(rows + 2) may be at most 32767");
}

TEST(ProblemInput, LiteralArgumentsAreUrlsAndGameIds) {
    for (const char* argument :
         {"https://puzz.link/p?slither/3/2/6da", "puzz.link/p?slither/3/2/6da", "3x2t0:1a3b0",
          "3x2t0de#12", "-3x2t0:1", "http://example.org/file"}) {
        EXPECT_TRUE(looksLikeLiteralProblem(argument)) << argument;
    }
    for (const char* argument : {"-", "10x10.txt", "10x10", "batch.dat", "dir/2/1.txt", ""}) {
        EXPECT_FALSE(looksLikeLiteralProblem(argument)) << argument;
    }

    const ClueGrid example = {1, N, 3, N, N, 0};
    for (const auto& [argument, source] :
         {std::pair{"https://puzz.link/p?slither/3/2/6da", "https://puzz.link/p?slither/3/2/6da"},
          {"3x2t0:1a3b0\n", "3x2t0:1a3b0"}}) {
        const Read read = readLiteral(argument);
        EXPECT_TRUE(read.diagnostics.empty()) << argument;
        ASSERT_EQ(read.problems.size(), 1u) << argument;
        EXPECT_EQ(read.problems[0].source, source);
        EXPECT_EQ(read.problems[0].line, 1);
        EXPECT_EQ(read.problems[0].grid, example);
    }

    Read read = readLiteral("3x2t0:1a4b0");
    EXPECT_TRUE(read.problems.empty());
    ASSERT_EQ(read.diagnostics.size(), 1u);
    EXPECT_EQ(formatDiagnostic(read.diagnostics[0]),
              "3x2t0:1a4b0:1:9: clue 4: the solver's clues are 0 to 3");

    // A long hostile argument is named by its first 80 bytes, control bytes shown as '?'.
    const std::string longArgument = "p?slither/2/2/\n" + std::string(100000, '0');
    read = readLiteral(longArgument);
    EXPECT_TRUE(read.problems.empty());
    ASSERT_EQ(read.diagnostics.size(), 1u);
    EXPECT_EQ(read.diagnostics[0].source, "p?slither/2/2/?" + std::string(65, '0') + "...");
    EXPECT_EQ(read.diagnostics[0].column, 15);

    read = readLiteral("slither 3 2");
    ASSERT_EQ(read.diagnostics.size(), 1u);
    EXPECT_EQ(read.diagnostics[0].message, "not a puzz.link URL or game ID");
}

// Every problem of the golden problem files, as the main program reads them.
std::vector<InputProblem> goldenProblems() {
    std::vector<InputProblem> all;
    for (const char* folder : {"solve", "make"}) {
        for (const auto& entry :
             fs::directory_iterator(fs::path(VARNEL_TEST_DATA) / "golden" / folder)) {
            if (entry.path().extension() != ".txt") continue;
            // The make files follow each compact line with its score; the reader takes only the
            // problem, as the main program would.
            const std::string text = readTextFile(entry.path());
            readProblems(text, [&](const ClueGrid& grid, int32_t width, int32_t height) {
                all.push_back({entry.path().filename().string(), 0, width, height, 0, grid});
            });
        }
    }
    return all;
}

// A problem in one of the four written forms: 0 compact (level 3), 1 grid, 2 URL, 3 game ID.
std::string written(int form, const InputProblem& p) {
    std::string text;
    if (form == 0) appendCompactLine(3, p.grid, p.width, p.height, text);
    if (form == 1) appendGridRows(p.grid, p.width, p.height, text);
    if (form == 2) appendPuzzLinkUrl(p.grid, p.width, p.height, text);
    if (form == 3) appendGameId(p.grid, p.width, p.height, text);
    return text;
}

TEST(ProblemInput, GoldenProblemsRoundTripThroughEveryForm) {
    const std::vector<InputProblem> problems = goldenProblems();
    ASSERT_GE(problems.size(), 40u);
    for (const InputProblem& p : problems) {
        for (int form = 0; form < 4; ++form) {
            // read(write(p)) = p, and writing what was read gives the same text again.
            const std::string text = written(form, p);
            const Read read = readText(form == 3 ? text + "\r\n" : text);
            EXPECT_TRUE(read.diagnostics.empty()) << text;
            ASSERT_EQ(read.problems.size(), 1u) << text;
            EXPECT_EQ(read.problems[0].width, p.width) << text;
            EXPECT_EQ(read.problems[0].height, p.height) << text;
            EXPECT_EQ(read.problems[0].grid, p.grid) << text;
            EXPECT_EQ(read.problems[0].level, form == 0 ? 3 : 0) << text;
            EXPECT_EQ(written(form, read.problems[0]), text);
            if (form >= 2) {
                const Read literal = readLiteral(text);
                EXPECT_TRUE(literal.diagnostics.empty()) << text;
                ASSERT_EQ(literal.problems.size(), 1u) << text;
                EXPECT_EQ(literal.problems[0].grid, p.grid) << text;
            } else {
                // The main program reads the compact line and the grid rows as the same problem.
                int same = 0;
                readProblems(text, [&](const ClueGrid& grid, int32_t width, int32_t height) {
                    same += grid == p.grid && width == p.width && height == p.height;
                });
                EXPECT_EQ(same, 1) << text;
            }
        }
    }
}

TEST(ProblemInput, WholeFilesReadAsTheMainProgramReadsThemAndWriteBackUnchanged) {
    // The strict reader agrees with the main program's on its own files, level included, and
    // writing what it read gives the file back byte for byte.
    for (const char* name : {"plain", "trials", "peer_trials", "branch_or_stuck", "failed"}) {
        const std::string text = readTextFile(fs::path(VARNEL_TEST_DATA) / "golden" / "solve" /
                                              (std::string(name) + ".txt"));
        const Read read = readText(text);
        EXPECT_TRUE(read.diagnostics.empty()) << name;
        std::string written;
        for (const InputProblem& p : read.problems)
            appendCompactLine(p.level, p.grid, p.width, p.height, written);
        EXPECT_EQ(written, text) << name;
    }
    // Every canonical URL and game ID of the golden table, read as one input and written again.
    const auto table = readGoldenTable("canonical.tsv");
    std::string urls, ids;
    for (const auto& fields : table) {
        urls += fields[1] + '\n';
        ids += fields[2] + '\n';
    }
    const Read read = readText(urls + "# and the game IDs\n" + ids);
    EXPECT_TRUE(read.diagnostics.empty());
    ASSERT_EQ(read.problems.size(), 2 * table.size());
    std::string written;
    for (size_t i = 0; i < read.problems.size(); ++i) {
        const InputProblem& p = read.problems[i];
        if (i < table.size()) {
            appendPuzzLinkUrl(p.grid, p.width, p.height, written);
        } else {
            appendGameId(p.grid, p.width, p.height, written);
        }
        written += '\n';
    }
    EXPECT_EQ(written, urls + ids);
}

}  // namespace
}  // namespace varnel
