// Whole-program tests of varnel convert: the built binary run on files, its outputs, messages and
// exit statuses checked.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <regex>
#include <set>
#include <string>
#include <vector>

#include "tests/support/scratch_run.h"
#include "tests/support/text_file.h"

namespace {

using varnel::testing_support::linesOf;
using varnel::testing_support::ProgramRun;
using varnel::testing_support::readTextFile;
using varnel::testing_support::ScratchDirectoryTest;
using varnel::testing_support::writeTextFile;

namespace fs = std::filesystem;

const std::string TEST_DATA = VARNEL_TEST_DATA;
const std::string VARNEL = VARNEL_BINARY;
const std::string SOLVER = VARNEL_SOLVER_BINARY;
const std::string PLAIN = TEST_DATA + "/golden/solve/plain.txt";

// A scratch directory per test, removed afterwards.
class Convert : public ScratchDirectoryTest {
  protected:
    ProgramRun varnel(const std::string& args) { return shell("\"$VARNEL\" " + args); }

    // The names in the scratch directory.
    std::set<std::string> names(const fs::path& folder) {
        std::set<std::string> found;
        for (const auto& entry : fs::directory_iterator(folder)) {
            found.insert(entry.path().filename().string());
        }
        return found;
    }
};

int lineCount(const std::string& text) {
    return static_cast<int>(std::count(text.begin(), text.end(), '\n'));
}

TEST_F(Convert, HelpTextsAndVersionSucceed) {
    const ProgramRun top = varnel("--help");
    EXPECT_EQ(top.status, 0);
    EXPECT_NE(top.out.find("convert"), std::string::npos);
    EXPECT_NE(top.out.find("Exit status"), std::string::npos);

    const ProgramRun convert = varnel("convert --help");
    EXPECT_EQ(convert.status, 0);
    EXPECT_EQ(convert.errors, "");
    for (const char* word : {"compact", "grid", "url", "loopy", "ascii", "svg", "--answer",
                             "--sheet", "Exit status", "  2  usage"}) {
        EXPECT_NE(convert.out.find(word), std::string::npos) << word;
    }

    const ProgramRun version = varnel("--version");
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.out.rfind("varnel ", 0), 0u);
}

TEST_F(Convert, UsageErrorsGoToStandardErrorWithStatusTwo) {
    for (const std::string& args : std::vector<std::string>{
             "", "frobnicate", "convert", "convert --to pdf '" + PLAIN + "'",
             "convert --answer '" + PLAIN + "'", "convert --to ascii --sheet '" + PLAIN + "'",
             "convert --to svg --per-page 3 '" + PLAIN + "'",
             "convert --to svg --sheet --per-page 0 '" + PLAIN + "'",
             "convert -o . '" + PLAIN + "'",
             // Six problems make six documents, which one stream cannot hold.
             "convert --to grid '" + PLAIN + "'", "convert --to svg -o one.svg '" + PLAIN + "'"}) {
        const ProgramRun run = varnel(args);
        EXPECT_EQ(run.status, 2) << args;
        EXPECT_EQ(run.out, "") << args;
        EXPECT_EQ(run.errors.rfind("varnel", 0), 0u) << args << ": " << run.errors;
    }
    EXPECT_EQ(names(dir), std::set<std::string>{});

    // Sheets of more problems than a page holds cannot go to one stream either: the message says
    // what to do instead, and both ways it names work.
    const ProgramRun sheets = varnel("convert --to svg --sheet --per-page 4 '" + PLAIN + "'");
    EXPECT_EQ(sheets.status, 2);
    EXPECT_EQ(sheets.out, "");
    for (const char* advice :
         {"6 problems make 2 pages of 4, and standard output holds one",
          "-o DIR/ and join them with rsvg-convert -f pdf -o OUT.pdf DIR/page-*.svg",
          "or put all 6 on one page with --per-page 6"}) {
        EXPECT_NE(sheets.errors.find(advice), std::string::npos) << sheets.errors;
    }
    const ProgramRun onePage = varnel("convert --to svg --sheet --per-page 6 '" + PLAIN + "'");
    EXPECT_EQ(onePage.status, 0) << onePage.errors;
    EXPECT_EQ(onePage.out.rfind("<?xml", 0), 0u);
    EXPECT_EQ(varnel("convert --to svg --sheet -o pages/ '" + PLAIN + "'").status, 0);
    EXPECT_EQ(names(dir / "pages"), (std::set<std::string>{"page-001.svg"}));
}

// Compact lines without their levels: a form without levels reads back with the creator's grade,
// which need not be the level a hand-edited file gave.
std::string withoutLevels(const std::string& lines) {
    return std::regex_replace(lines, std::regex("(^|\n)[1-5]/"), "$1/");
}

// The golden plain problems in every form; every form that carries the clues reads back to the
// same problems.
TEST_F(Convert, EveryFormOfThePlainProblems) {
    const std::string plain = readTextFile(PLAIN);
    const ProgramRun compact = varnel("convert '" + PLAIN + "'");
    EXPECT_EQ(compact.status, 0);
    EXPECT_EQ(compact.errors, "");
    EXPECT_EQ(compact.out, plain);

    for (const char* form : {"url", "loopy"}) {
        const ProgramRun run = varnel(std::string("convert --to ") + form + " '" + PLAIN + "'");
        EXPECT_EQ(run.status, 0) << form;
        EXPECT_EQ(lineCount(run.out), 6) << form;
        const ProgramRun back = varnel("convert '" + file("form.txt", run.out).string() + "'");
        EXPECT_EQ(back.status, 0) << form << ": " << back.errors;
        EXPECT_EQ(withoutLevels(back.out), withoutLevels(plain)) << form;
    }
    const ProgramRun url = varnel("convert --to url '" + PLAIN + "'");
    EXPECT_EQ(url.out.rfind("https://puzz.link/p?slither/16/12/", 0), 0u);

    // The grid form holds one problem per file: a folder of them, read back in order.
    const ProgramRun grids = varnel("convert --to grid -o grids/ '" + PLAIN + "'");
    EXPECT_EQ(grids.status, 0) << grids.errors;
    const std::set<std::string> files = {"001.txt", "002.txt", "003.txt",
                                         "004.txt", "005.txt", "006.txt"};
    EXPECT_EQ(names(dir / "grids"), files);
    const ProgramRun back = varnel(
        "convert grids/001.txt grids/002.txt grids/003.txt "
        "grids/004.txt grids/005.txt grids/006.txt");
    EXPECT_EQ(withoutLevels(back.out), withoutLevels(plain));

    // Drawings: 25 lines and an empty line per problem (all six have 12 rows), the loop only with
    // --answer.
    const ProgramRun ascii = varnel("convert --to ascii '" + PLAIN + "'");
    EXPECT_EQ(ascii.status, 0);
    EXPECT_EQ(lineCount(ascii.out), 6 * 26);
    EXPECT_EQ(ascii.out.find('|'), std::string::npos);
    EXPECT_EQ(ascii.out.rfind("+   +   +", 0), 0u);
    const ProgramRun answered = varnel("convert --to ascii --answer '" + PLAIN + "'");
    EXPECT_EQ(answered.status, 0);
    EXPECT_EQ(answered.errors, "");
    EXPECT_EQ(lineCount(answered.out), lineCount(ascii.out));
    EXPECT_NE(answered.out.find('|'), std::string::npos);

    const ProgramRun pictures = varnel("convert --to svg -o pictures '" + PLAIN + "'");
    EXPECT_EQ(pictures.status, 2) << "pictures is no folder yet and has no trailing '/'";
    fs::create_directory(dir / "pictures");
    const ProgramRun folder = varnel("convert --to svg -o pictures '" + PLAIN + "'");
    EXPECT_EQ(folder.status, 0);
    EXPECT_EQ(names(dir / "pictures").size(), 6u);
    EXPECT_NE(readTextFile(dir / "pictures" / "006.svg").find("No. 6"), std::string::npos);
    const ProgramRun sheet = varnel("convert --to svg --sheet '" + PLAIN + "'");
    EXPECT_EQ(sheet.status, 0);
    EXPECT_EQ(sheet.out.rfind("<?xml", 0), 0u);
    EXPECT_EQ(std::count(sheet.out.begin(), sheet.out.end(), '<') -
                  std::count(sheet.out.begin(), sheet.out.end(), '>'),
              0);
}

// Standard input and a literal URL as inputs, mixed with a file, keep their order.
TEST_F(Convert, InputsFromStandardInputAndTheCommandLine) {
    const std::string plain = readTextFile(PLAIN);
    const std::string first = plain.substr(0, plain.find('\n') + 1);
    const ProgramRun url = varnel("convert --to url '" + PLAIN + "'");
    const std::string secondUrl =
        url.out.substr(url.out.find('\n') + 1,
                       url.out.find('\n', url.out.find('\n') + 1) - url.out.find('\n') - 1);
    const ProgramRun run =
        shell("printf '%s' '" + first + "' | \"$VARNEL\" convert - '" + secondUrl + "'");
    EXPECT_EQ(run.status, 0) << run.errors;
    const std::string second =
        plain.substr(first.size(), plain.find('\n', first.size()) + 1 - first.size());
    EXPECT_EQ(withoutLevels(run.out), withoutLevels(first + second));
}

TEST_F(Convert, OutputFileIsReplacedWholeOrNotAtAll) {
    const ProgramRun written = varnel("convert --to url -o out.txt '" + PLAIN + "'");
    EXPECT_EQ(written.status, 0);
    EXPECT_EQ(written.out, "");
    EXPECT_EQ(readTextFile(dir / "out.txt"), varnel("convert --to url '" + PLAIN + "'").out);
    EXPECT_EQ(names(dir), std::set<std::string>{"out.txt"});

    // Under a file-size limit of 1 KiB the sheet (some 90 KB) cannot be written: status 1, the
    // old file kept, no temporary file left.
    writeTextFile(dir / "sheet.svg", "old");
    const ProgramRun limited =
        shell("ulimit -f 1 && \"$VARNEL\" convert --to svg --sheet -o sheet.svg '" + PLAIN + "'");
    EXPECT_EQ(limited.status, 1);
    EXPECT_NE(limited.errors.find("cannot write sheet.svg"), std::string::npos) << limited.errors;
    EXPECT_EQ(readTextFile(dir / "sheet.svg"), "old");
    EXPECT_EQ(names(dir), (std::set<std::string>{"out.txt", "sheet.svg"}));

    // A folder that does not exist.
    const ProgramRun missing = varnel("convert -o missing/out.txt '" + PLAIN + "'");
    EXPECT_EQ(missing.status, 1);
    EXPECT_NE(missing.errors.find("cannot write missing/out.txt"), std::string::npos);
    EXPECT_FALSE(fs::exists(dir / "missing"));
}

TEST_F(Convert, MalformedInputsAreReportedAndTheRestConverted) {
    const std::string plain = readTextFile(PLAIN);
    const size_t cut = plain.find('\n') + 1;
    const std::string first = plain.substr(0, cut);
    const std::string rest = plain.substr(cut);
    // Line 2 asks for a level of 7; line 3 is fine.
    const fs::path bad =
        file("bad.txt", first + "7/2/2/22/22/\n" + rest.substr(0, rest.find('\n') + 1));
    const ProgramRun run = varnel("convert bad.txt nowhere.txt '" + PLAIN + "'");
    EXPECT_EQ(run.status, 1);
    EXPECT_TRUE(std::regex_search(run.errors, std::regex("(^|\n)bad\\.txt:2:[0-9]+: ")))
        << run.errors;
    EXPECT_NE(run.errors.find("varnel: cannot read nowhere.txt: No such file or directory"),
              std::string::npos)
        << run.errors;
    EXPECT_EQ(run.out, first + rest.substr(0, rest.find('\n') + 1) + plain);
}

// A problem without a level is graded by the solver's work, which on a board with few clues can
// take very long: --default-level gives the level instead; a level in the input is kept.
TEST_F(Convert, DefaultLevelStandsInForTheGrade) {
    std::string blank, compact = "2/10/10/";
    for (int row = 0; row < 10; ++row) {
        blank += "..........\n";
        compact += "........../";
    }
    file("blank.txt", blank);
    const ProgramRun run = varnel("convert --default-level 2 blank.txt '" + PLAIN + "'");
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out.substr(0, run.out.find('\n') + 1), compact + "\n");
    EXPECT_EQ(run.out.substr(run.out.find('\n') + 1), readTextFile(PLAIN));
}

// A problem without exactly one answer is drawn without a loop, with a warning that says why.
TEST_F(Convert, AnswerWarningWhenTheProblemIsNotUnique) {
    const std::string failed = readTextFile(TEST_DATA + "/golden/solve/failed.txt");
    const fs::path one = file("failed1.txt", failed.substr(0, failed.find('\n') + 1));
    const ProgramRun run = varnel("convert --to ascii --answer failed1.txt");
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out.find('|'), std::string::npos);
    EXPECT_NE(run.errors.find("failed1.txt:1: warning: no loop drawn: it has several answers"),
              std::string::npos)
        << run.errors;
}

// A batch of the main program's create mode goes to URLs and to game IDs and back unchanged.
TEST_F(Convert, CreatedBatchRoundTripsThroughUrlsAndGameIds) {
    const ProgramRun made = shell("'" + SOLVER + "' c1");
    ASSERT_EQ(made.status, 0);
    std::string batch;
    for (const auto& entry : fs::directory_iterator(dir)) {
        if (entry.path().extension() == ".dat") batch = entry.path().filename().string();
    }
    ASSERT_FALSE(batch.empty());
    const std::string lines = readTextFile(dir / batch);
    ASSERT_EQ(lineCount(lines), 30);
    for (const char* form : {"url", "loopy"}) {
        const ProgramRun there =
            varnel("convert --to " + std::string(form) + " -o there.txt '" + batch + "'");
        EXPECT_EQ(there.status, 0) << there.errors;
        const ProgramRun back = varnel("convert there.txt");
        EXPECT_EQ(back.status, 0) << back.errors;
        EXPECT_EQ(back.out, lines) << form;
    }
}

// The pictures are valid XML and render: checked with xmllint and rsvg-convert when installed
// (Debian libxml2-utils and librsvg2-bin), including the PDF recipe of the README.
TEST_F(Convert, PicturesAreValidXmlAndRender) {
    if (std::system("command -v xmllint >/dev/null 2>&1 && command -v rsvg-convert >/dev/null "
                    "2>&1") != 0) {
        GTEST_SKIP() << "xmllint or rsvg-convert is not installed (Debian libxml2-utils, "
                        "librsvg2-bin)";
    }
    const ProgramRun pictures = varnel("convert --to svg --answer -o pictures/ '" + PLAIN + "'");
    ASSERT_EQ(pictures.status, 0);
    const ProgramRun checked =
        shell("xmllint --noout pictures/*.svg && rsvg-convert -o one.png pictures/001.svg");
    EXPECT_EQ(checked.status, 0) << checked.errors;
    EXPECT_GT(fs::file_size(dir / "one.png"), 1000u);

    const ProgramRun pdf = shell("\"$VARNEL\" convert --to svg --sheet --answer '" + PLAIN +
                                 "' | rsvg-convert -f pdf -o batch.pdf");
    EXPECT_EQ(pdf.status, 0) << pdf.errors;
    EXPECT_EQ(readTextFile(dir / "batch.pdf").rfind("%PDF", 0), 0u);

    // Several pages in a folder, each a valid page of its own.
    const ProgramRun pages =
        varnel("convert --to svg --sheet --per-page 4 -o pages/ '" + PLAIN + "'");
    EXPECT_EQ(pages.status, 0);
    EXPECT_EQ(names(dir / "pages"), (std::set<std::string>{"page-001.svg", "page-002.svg"}));
    const ProgramRun bothPages =
        shell("xmllint --noout pages/*.svg && rsvg-convert -f pdf -o pages.pdf pages/page-*.svg");
    EXPECT_EQ(bothPages.status, 0) << bothPages.errors;
}

}  // namespace
