// Whole-program tests of varnel verify: answers that check and convert give are valid, planted
// faults are named, unreadable answers are positioned, and the exit status tells them apart.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "tests/support/scratch_run.h"

namespace {

using nlohmann::json;
using varnel::testing_support::linesOf;
using varnel::testing_support::ProgramRun;
using varnel::testing_support::ScratchDirectoryTest;

class Verify : public ScratchDirectoryTest {
  protected:
    ProgramRun varnel(const std::string& args) { return shell("\"$VARNEL\" " + args); }

    // A made puzzle in p.txt, its drawn answer in drawn.txt and its colouring in rows.txt.
    void makePuzzleAndAnswers() {
        ASSERT_EQ(varnel("make --size 12x8 --seed 18 -o p.txt").status, 0);
        ASSERT_EQ(varnel("convert --to ascii --answer p.txt > drawn.txt").status, 0);
        const ProgramRun check = varnel("check --json p.txt");
        ASSERT_EQ(check.status, 0);
        const json object = json::parse(check.out);
        std::string rows;
        for (const json& row : object["answers"][0])
            rows += row.get<std::string>() + "\n";
        file("rows.txt", rows);
    }
};

TEST_F(Verify, HelpNamesTheFormsTheRulesAndTheStatuses) {
    const ProgramRun help = varnel("verify --help");
    EXPECT_EQ(help.status, 0);
    for (const char* word : {"drawing", "colouring", "sides", "r3c5 top", "no-line", "point",
                             "loops", "clue", "--json", "Exit status", "  3  some answer"}) {
        EXPECT_NE(help.out.find(word), std::string::npos) << word;
    }
    EXPECT_NE(varnel("--help").out.find("verify"), std::string::npos);
}

TEST_F(Verify, AnswersOfCheckAndConvertAreValid) {
    makePuzzleAndAnswers();
    ProgramRun run = varnel("verify p.txt drawn.txt rows.txt");
    EXPECT_EQ(run.status, 0) << run.errors;
    EXPECT_EQ(run.out, "drawn.txt: valid\nrows.txt: valid\n");
    EXPECT_EQ(run.errors, "varnel verify: 2 answers: 2 valid, 0 invalid\n");

    // From standard input, and the puzzle given as a URL on the command line.
    run = varnel("verify \"$(\"$VARNEL\" convert --to url p.txt)\" - < rows.txt");
    EXPECT_EQ(run.status, 0) << run.errors;
    EXPECT_EQ(run.out, "<stdin>: valid\n");
}

TEST_F(Verify, FaultsUnreadableAnswersAndTheirStatuses) {
    makePuzzleAndAnswers();
    // The first line of the loop drawn as '-x-' (not a side), and as a cross: a dead end.
    ASSERT_EQ(shell("sed '0,/---/s//-x-/' drawn.txt > bad.txt").status, 0);
    ASSERT_EQ(shell("sed '0,/---/s// x /' drawn.txt > cut.txt").status, 0);
    ASSERT_EQ(shell("head -n 4 rows.txt > short.txt").status, 0);
    ProgramRun run = varnel("verify p.txt cut.txt short.txt drawn.txt");
    EXPECT_EQ(run.status, 3);
    const std::vector<std::string> lines = linesOf(run.out);
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0].rfind("cut.txt: invalid: point r", 0), 0u) << lines[0];
    EXPECT_NE(lines[0].find("has 1 line (a dead end)"), std::string::npos) << lines[0];
    EXPECT_EQ(lines[1], "short.txt: invalid: the answer is 12x4, the puzzle 12x8");
    EXPECT_EQ(lines[2], "drawn.txt: valid");

    // An unreadable answer: positioned on standard error, the others still verified, status 1.
    run = varnel("verify p.txt bad.txt cut.txt missing.txt");
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.errors.rfind("bad.txt:", 0), 0u) << run.errors;
    EXPECT_NE(run.errors.find("found '-x-'"), std::string::npos) << run.errors;
    EXPECT_NE(run.errors.find("varnel: cannot read missing.txt"), std::string::npos);
    EXPECT_NE(run.out.find("cut.txt: invalid"), std::string::npos);

    run = varnel("verify --json p.txt cut.txt bad.txt drawn.txt");
    EXPECT_EQ(run.status, 1);
    const std::vector<std::string> objects = linesOf(run.out);
    ASSERT_EQ(objects.size(), 3u);
    const json cut = json::parse(objects[0]);
    EXPECT_EQ(cut["answer"], "cut.txt");
    EXPECT_EQ(cut["puzzle"], "p.txt:1");
    EXPECT_EQ(cut["form"], "drawing");
    EXPECT_EQ(cut["verdict"], "invalid");
    EXPECT_EQ(cut["rule"], "point");
    EXPECT_EQ(json::parse(objects[1])["verdict"], "unreadable");
    EXPECT_EQ(json::parse(objects[1])["errors"].size(), 1u);
    EXPECT_EQ(json::parse(objects[2])["verdict"], "valid");
}

TEST_F(Verify, ThePuzzleMustBeOneAndStandardInputReadOnce) {
    makePuzzleAndAnswers();
    ASSERT_EQ(varnel("make --size 5x5 --count 2 --seed 1 -o two.txt").status, 0);
    ProgramRun run = varnel("verify two.txt rows.txt");
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.errors,
              "varnel verify: two.txt holds 2 puzzles; give the one the answers are for\n");
    run = varnel("verify - - < rows.txt");
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(varnel("verify p.txt").status, 2);
    run = varnel("verify 3x3t0:zzz rows.txt");
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.errors.find("3x3t0:zzz:1:"), std::string::npos) << run.errors;
}

}  // namespace
