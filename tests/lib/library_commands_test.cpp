// The library gives exactly what the programs give: make, check and grade against the live
// `varnel make` and `varnel check --json`, writing against `varnel convert`, solve against the
// main program's golden outputs. Make is compared with the command run now, never with stored
// outputs, so that a change of the creator changes both sides alike.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <string>
#include <utility>
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
    // Made for difficulties: one, a range, and a lone puzzle.
    MakeCase hard{"--size 10x10 --count 8 --seed 7 --difficulty hard", makeOptions(10, 10, 8, 7)};
    hard.options.lowestDifficulty = hard.options.highestDifficulty = 3;
    cases.push_back(hard);
    MakeCase range{"--size 9x11 --count 6 --seed 2 --first 3 --difficulties easy-medium --jobs 2",
                   makeOptions(9, 11, 6, 2)};
    range.options.first = 3;
    range.options.lowestDifficulty = 1;
    range.options.highestDifficulty = 2;
    range.options.jobs = 2;
    cases.push_back(range);
    MakeCase loneHard{"--size 12x12 --seed 4 --difficulty 4 --jobs 2", makeOptions(12, 12, 1, 4)};
    loneHard.options.lowestDifficulty = loneHard.options.highestDifficulty = 4;
    loneHard.options.jobs = 2;
    cases.push_back(loneHard);

    for (const MakeCase& c : cases) {
        const api::MakeResult made = api::make(c.options);
        ASSERT_EQ(made.error, "") << c.arguments;
        ASSERT_EQ(made.puzzles.size(), c.options.count) << c.arguments;
        std::string compact;
        std::string urls;
        const bool forDifficulty = c.options.lowestDifficulty != 0;
        for (const api::MadePuzzle& m : made.puzzles) {
            compact += written(m.puzzle, {});
            urls += written(m.puzzle, inForm(api::Form::URL));
            // Made for a difficulty: its difficulty is the one check gives, within the range,
            // and its level the one a compact line of it gets.
            const api::CheckResult check = api::check(m.puzzle, {forDifficulty});
            ASSERT_EQ(check.verdict, api::Verdict::UNIQUE) << c.arguments;
            EXPECT_EQ(check.answers.front().inside, m.answer.inside) << c.arguments;
            if (!forDifficulty) {
                EXPECT_EQ(m.puzzle.level, m.score / 10 + 1);
                EXPECT_FALSE(m.difficulty.rated);
                continue;
            }
            EXPECT_EQ(m.score, -1);
            ASSERT_TRUE(m.difficulty.rated) << c.arguments;
            EXPECT_GE(m.difficulty.rank, c.options.lowestDifficulty);
            EXPECT_LE(m.difficulty.rank, c.options.highestDifficulty);
            EXPECT_EQ(m.difficulty.name, check.difficulty.name);
            EXPECT_EQ(m.difficulty.rating, check.difficulty.rating);
            ASSERT_EQ(m.difficulty.techniques.size(), check.difficulty.techniques.size());
            for (size_t t = 0; t < m.difficulty.techniques.size(); ++t) {
                EXPECT_EQ(m.difficulty.techniques[t].technique,
                          check.difficulty.techniques[t].technique);
                EXPECT_EQ(m.difficulty.techniques[t].count, check.difficulty.techniques[t].count);
            }
            api::Puzzle unlevelled = m.puzzle;
            unlevelled.level = 0;
            EXPECT_EQ(api::levelOf(unlevelled).level, m.puzzle.level);
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
    EXPECT_TRUE(missed.missed);
    EXPECT_NE(missed.error.find("no 7x7 problem of levels 3-4 in 5 tries"), std::string::npos)
        << missed.error;
    // A miss is worded as the command words it, for levels and for difficulties.
    ProgramRun run = varnel("make --size 7x7 --count 2 --seed 11 --levels 3-4 --max-tries 5");
    EXPECT_EQ(run.status, 3);
    EXPECT_EQ(run.errors, "varnel make: " + missed.error + "\n");
    options = makeOptions(3, 3, 3, 1);
    options.lowestDifficulty = options.highestDifficulty = 5;
    options.maxTries = 5;
    const api::MakeResult tooSmall = api::make(options);
    EXPECT_TRUE(tooSmall.missed);
    EXPECT_NE(tooSmall.error.find("no 3x3 problem of difficulty extreme in 5 tries, which made "),
              std::string::npos)
        << tooSmall.error;
    run = varnel("make --size 3x3 --count 3 --difficulty extreme --max-tries 5 --seed 1");
    EXPECT_EQ(run.status, 3);
    EXPECT_EQ(run.errors, "varnel make: " + tooSmall.error + "\n");

    // Levels and difficulties exclude each other; difficulties run from 1 to 5, the easier first.
    options = makeOptions(7, 7, 1, 1);
    options.lowestDifficulty = options.highestDifficulty = 1;
    options.highestLevel = 2;
    EXPECT_EQ(api::make(options).error,
              "puzzles are made for levels or for difficulties, not both");
    EXPECT_FALSE(api::make(options).missed);
    for (const auto& [lowest, highest] : {std::pair{0, 2}, {3, 2}, {4, 6}}) {
        options = makeOptions(7, 7, 1, 1);
        options.lowestDifficulty = lowest;
        options.highestDifficulty = highest;
        EXPECT_NE(api::make(options).error.find("difficulties are 1 (easy) to 5 (extreme)"),
                  std::string::npos)
            << lowest << "-" << highest;
    }

    std::atomic<bool> stop{true};
    options = makeOptions(10, 10, 5, 1);
    options.stop = &stop;
    const api::MakeResult stopped = api::make(options);
    EXPECT_TRUE(stopped.stopped);
    EXPECT_TRUE(stopped.puzzles.empty());
}

// check and grade give the verdicts, answers, scores, levels and solver outcomes of
// `varnel check --json`, for every golden verdict (the difficulty: tests/lib/difficulty_test.cpp);
// check announces each stage it runs, the grades for unique puzzles only.
TEST_F(Library, CheckAndGradeAreVarnelCheck) {
    const std::string path = TEST_DATA + "/golden/check/verdicts.txt";
    const std::vector<api::Puzzle> puzzles = puzzlesOf(path);
    const std::vector<std::string> lines = linesOf(varnel("check --json '" + path + "'").out);
    ASSERT_EQ(lines.size(), puzzles.size());
    using Stages = std::vector<api::CheckStage>;
    const Stages verdictOnly = {api::CheckStage::VERDICT};
    const Stages graded3 = {api::CheckStage::VERDICT, api::CheckStage::DIFFICULTY,
                            api::CheckStage::GRADE};
    int graded = 0;
    for (size_t i = 0; i < puzzles.size(); ++i) {
        const json object = json::parse(lines[i]);
        Stages stages;
        api::CheckOptions options;
        options.onStage = [&stages](api::CheckStage stage) { stages.push_back(stage); };
        const api::CheckResult check = api::check(puzzles[i], options);
        ASSERT_EQ(check.error, "");
        EXPECT_EQ(stages, check.graded ? graded3 : verdictOnly);
        stages.clear();
        options.grade = false;
        EXPECT_FALSE(api::check(puzzles[i], options).graded);
        EXPECT_EQ(stages, verdictOnly);
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
