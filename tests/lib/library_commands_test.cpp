// The library gives exactly what the programs give: make, check and grade against the live
// `varnel make` and `varnel check --json`, writing against `varnel convert`, solve against the
// main program's golden outputs. Make is compared with the command run now, never with stored
// outputs, so that a change of the creator changes both sides alike.
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

class Library : public ScratchDirectoryTest {
  protected:
    ProgramRun varnel(const std::string& args) { return shell("\"$VARNEL\" " + args); }
};

std::vector<api::Puzzle> puzzlesOf(const std::string& path) {
    const api::ReadResult read = api::readPuzzles(readTextFile(path), path);
    EXPECT_EQ(read.error, "");
    return read.puzzles;
}

// Options that write in form, at level when it is given.
api::WriteOptions inForm(api::Form form, int32_t level = 0) {
    api::WriteOptions options;
    options.form = form;
    options.level = level;
    return options;
}

std::string written(const api::Puzzle& puzzle, api::WriteOptions options) {
    const api::WriteResult result = api::writePuzzle(puzzle, options);
    EXPECT_EQ(result.error, "");
    return result.text;
}

struct MakeCase {
    std::string arguments;  // of varnel make
    api::MakeOptions options;
};

api::MakeOptions makeOptions(int32_t width, int32_t height, uint64_t count, uint64_t seed) {
    api::MakeOptions options;
    options.width = width;
    options.height = height;
    options.count = count;
    options.seed = seed;
    return options;
}

// Every made puzzle is what `varnel make` writes with the same arguments, in compact lines and
// URLs; its answer is its one answer.
TEST_F(Library, MakeIsVarnelMakeByteForByte) {
    std::vector<MakeCase> cases;
    cases.push_back({"--size 10x10 --count 12 --seed 7", makeOptions(10, 10, 12, 7)});
    MakeCase slice{"--size 7x7 --count 6 --seed 3 --first 5 --levels 1-2 --jobs 2",
                   makeOptions(7, 7, 6, 3)};
    slice.options.first = 5;
    slice.options.lowestLevel = 1;
    slice.options.highestLevel = 2;
    slice.options.jobs = 2;
    cases.push_back(slice);
    cases.push_back({"--size 9x13 --count 4 --seed 11", makeOptions(9, 13, 4, 11)});
    MakeCase region{"--size 12x12 --count 3 --seed 5 --builder region", makeOptions(12, 12, 3, 5)};
    region.options.builder = api::Builder::REGION;
    cases.push_back(region);
    MakeCase lone{"--size 16x12 --seed 2 --jobs 2", makeOptions(16, 12, 1, 2)};
    lone.options.jobs = 2;
    cases.push_back(lone);

    for (const MakeCase& c : cases) {
        const api::MakeResult made = api::make(c.options);
        ASSERT_EQ(made.error, "") << c.arguments;
        ASSERT_EQ(made.puzzles.size(), c.options.count) << c.arguments;
        std::string compact;
        std::string urls;
        for (const api::MadePuzzle& m : made.puzzles) {
            compact += written(m.puzzle, {});
            urls += written(m.puzzle, inForm(api::Form::URL));
            EXPECT_EQ(m.puzzle.level, m.score / 10 + 1);
            const api::CheckResult check = api::check(m.puzzle, {false});
            ASSERT_EQ(check.verdict, api::Verdict::UNIQUE) << c.arguments;
            EXPECT_EQ(check.answers.front().inside, m.answer.inside) << c.arguments;
        }
        const ProgramRun run = varnel("make " + c.arguments);
        EXPECT_EQ(run.status, 0) << run.errors;
        EXPECT_EQ(compact, run.out) << c.arguments;
        EXPECT_EQ(urls, varnel("make --to url " + c.arguments).out) << c.arguments;
    }
}

TEST_F(Library, MakeRefusesWhatVarnelMakeRefuses) {
    api::MakeOptions options = makeOptions(2, 10, 1, 1);
    EXPECT_NE(api::make(options).error, "");
    options = makeOptions(12, 12, 1, 1);
    options.builder = api::Builder::STRIP;
    EXPECT_EQ(api::make(options).error, "");
    options.height = 10;
    EXPECT_NE(api::make(options).error.find("strip builder"), std::string::npos);
    options = makeOptions(7, 7, 2, 11);
    options.lowestLevel = 3;
    options.highestLevel = 4;
    options.maxTries = 5;
    const api::MakeResult missed = api::make(options);
    EXPECT_TRUE(missed.puzzles.empty());
    EXPECT_NE(missed.error.find("no 7x7 problem of levels 3-4 in 5 tries"), std::string::npos)
        << missed.error;
    EXPECT_EQ(varnel("make --size 7x7 --count 2 --seed 11 --levels 3-4 --max-tries 5").status, 3);

    std::atomic<bool> stop{true};
    options = makeOptions(10, 10, 5, 1);
    options.stop = &stop;
    const api::MakeResult stopped = api::make(options);
    EXPECT_TRUE(stopped.stopped);
    EXPECT_TRUE(stopped.puzzles.empty());
}

// check and grade give the verdicts, answers, scores, levels and solver outcomes of
// `varnel check --json`, for every golden verdict.
TEST_F(Library, CheckAndGradeAreVarnelCheck) {
    const std::string path = TEST_DATA + "/golden/check/verdicts.txt";
    const std::vector<api::Puzzle> puzzles = puzzlesOf(path);
    const std::vector<std::string> lines = linesOf(varnel("check --json '" + path + "'").out);
    ASSERT_EQ(lines.size(), puzzles.size());
    int graded = 0;
    for (size_t i = 0; i < puzzles.size(); ++i) {
        const json object = json::parse(lines[i]);
        const api::CheckResult check = api::check(puzzles[i]);
        ASSERT_EQ(check.error, "");
        EXPECT_EQ(api::verdictName(check.verdict), object["verdict"].get<std::string>());
        std::vector<std::vector<std::string>> answers;
        for (const api::Answer& answer : check.answers)
            answers.push_back(api::answerRows(answer));
        EXPECT_EQ(json(answers), object["answers"]) << lines[i];
        EXPECT_EQ(check.graded, object.contains("score"));
        if (!check.graded) continue;
        ++graded;
        EXPECT_EQ(check.grade.score, object["score"].get<int>());
        EXPECT_EQ(check.grade.level, object["level"].get<int>());
        EXPECT_EQ(api::solverResultName(check.grade.solver),
                  object["solver"]["result"].get<std::string>());
        EXPECT_EQ(check.grade.trials, object["solver"]["trials"].get<int>());
        EXPECT_EQ(check.grade.scans, object["solver"]["scans"].get<int>());
        const api::Grade alone = api::grade(puzzles[i]);
        EXPECT_EQ(alone.score, check.grade.score);
        EXPECT_EQ(api::levelOf(puzzles[i]).level, puzzles[i].level);
    }
    EXPECT_EQ(graded, 44);
}

// Every form `varnel convert` writes, with and without answers, from the library's writer.
TEST_F(Library, WritingIsVarnelConvert) {
    const std::string path = TEST_DATA + "/golden/solve/peer_trials.txt";
    const std::vector<api::Puzzle> puzzles = puzzlesOf(path);
    ASSERT_EQ(puzzles.size(), 36u);
    for (const api::Form form :
         {api::Form::COMPACT, api::Form::URL, api::Form::LOOPY, api::Form::ASCII}) {
        std::string text;
        for (const api::Puzzle& p : puzzles)
            text += written(p, inForm(form));
        EXPECT_EQ(
            text,
            varnel("convert --to " + std::string(api::formName(form)) + " '" + path + "'").out)
            << api::formName(form);
    }
    std::string drawn;
    for (const api::Puzzle& p : puzzles) {
        api::WriteOptions options = inForm(api::Form::ASCII);
        options.answers = api::check(p, {false}).answers;
        drawn += written(p, options);
    }
    EXPECT_EQ(drawn, varnel("convert --to ascii --both-answers '" + path + "'").out);

    // One puzzle as a grid file and as a picture with its answer and the tools' title.
    api::Puzzle one = puzzles.front();
    const std::string file = (dir / "one.txt").string();
    varnel::testing_support::writeTextFile(file, written(one, {}));
    EXPECT_EQ(written(one, inForm(api::Form::GRID)), varnel("convert --to grid one.txt").out);
    api::WriteOptions svg = inForm(api::Form::SVG);
    svg.answers = api::check(one, {false}).answers;
    svg.title = "No. 1  \u00b7  " + std::to_string(one.width) + " \u00d7 " +
                std::to_string(one.height) + "  \u00b7  level " + std::to_string(one.level);
    EXPECT_EQ(written(one, svg), varnel("convert --to svg --answer one.txt").out);

    // A changed level, and records the writer refuses.
    EXPECT_EQ(written(one, inForm(api::Form::COMPACT, 5)).substr(0, 2), "5/");
    one.clues[3] = 7;
    EXPECT_EQ(api::writePuzzle(one, {}).error,
              "clue 7 at r1c4 is not 0 to 3 (or NO_CLUE for none)");
}

// The main program's verdict lines and answer diagrams, and varnel_probe solve's counters.
TEST(LibrarySolve, IsTheMainProgramsSolve) {
    for (const std::string name : {"plain", "trials", "peer_trials", "branch_or_stuck", "failed"}) {
        const std::string base = TEST_DATA + "/golden/solve/" + name;
        std::string out;
        std::string probe;
        for (const api::Puzzle& p : puzzlesOf(base + ".txt")) {
            const api::SolveReport report = api::solve(p);
            ASSERT_EQ(report.error, "");
            out += report.diagram + report.verdict + "\n";
            probe += "W=" + std::to_string(p.width) + " H=" + std::to_string(p.height) +
                     " result=" + (report.result == api::SolverResult::FOUND ? "1" : "0") +
                     " failed=" + (report.result == api::SolverResult::FAILED ? "1" : "0") +
                     " answers=" + std::to_string(report.answerCount) +
                     " trials=" + std::to_string(report.trials) +
                     " scans=" + std::to_string(report.scans) +
                     " sets=" + std::to_string(report.sets) +
                     " sweepSets=" + std::to_string(report.sweepSets) + "\n";
            if (report.result == api::SolverResult::FOUND) {
                EXPECT_TRUE(api::verifyAnswer(p, report.answer).valid) << name;
            }
        }
        EXPECT_EQ(out + "\n", readTextFile(base + ".out")) << name;
        EXPECT_EQ(probe, readTextFile(base + ".probe")) << name;
    }
}

}  // namespace
