#include "companion/problem_output.h"

#include <CLI/CLI.hpp>

#include <algorithm>
#include <cinttypes>
#include <cstdio>
#include <filesystem>
#include <utility>

#include "companion/exit_status.h"
#include "companion/inputs.h"
#include "companion/output_file.h"
#include "companion/progress.h"
#include "varnel/check.h"
#include "varnel/grade.h"
#include "varnel/write.h"

namespace varnel {

namespace {

// The names of --to, in the order of OutputForm.
const std::vector<std::string> FORM_NAMES = {"compact", "grid", "url", "loopy", "ascii", "svg"};

// Most problems one sheet may hold; more would leave no room to solve them on paper.
constexpr int32_t MAX_SHEET_PROBLEMS = 12;

// A folder is an existing directory or a path written with a trailing '/'.
bool namesFolder(const std::string& path) {
    std::error_code error;
    return (!path.empty() && path.back() == '/') || std::filesystem::is_directory(path, error);
}

// The grid form and the svg pictures and pages hold one problem or page per document: several
// cannot be joined into one stream that stays readable. Every other form is one text.
bool onePerDocument(OutputForm form) {
    return form == OutputForm::GRID || form == OutputForm::SVG;
}

// One problem with what its form shows.
struct Prepared {
    const api::Puzzle* puzzle = nullptr;
    uint64_t number = 0;                // options.firstNumber, then on in output order
    int32_t level = 0;                  // as given, else the default or the creator's grade
    std::vector<api::Answer> answers;   // the answers to draw: none, the one, or two of several
    std::string title;                  // caption of the svg picture, and title of its document
    std::vector<std::string> captions;  // with two answers, the caption of each one's picture
};

// The output documents and their files in a folder.
struct Documents {
    std::vector<std::string> texts;  // one per document, or a single text for a stream form
    std::vector<std::string> names;  // file names in the output folder, one per document
    bool complete = true;            // false when a document could not be made (reported)
};

int32_t levelOf(const OutputOptions& options, const api::Puzzle& puzzle) {
    if (puzzle.level != 0) return puzzle.level;
    if (options.defaultLevel != 0) return options.defaultLevel;
    return api::levelOf(puzzle).level;
}

// The answers to draw, when asked for, with a warning for a problem that has not exactly one.
void findAnswersToDraw(const OutputOptions& options, const api::Puzzle& puzzle, Prepared& p,
                       ProgressLine& progress) {
    api::CheckResult check = api::check(puzzle, {/*grade=*/false});
    const bool several = check.verdict == api::Verdict::MULTIPLE;
    if (check.verdict == api::Verdict::UNIQUE || (several && options.bothAnswers)) {
        p.answers = std::move(check.answers);
    }
    if (p.answers.size() == 2) {
        progress.message(problemPlace(puzzle) +
                         ": warning: it has several answers; two of them are drawn");
    } else if (p.answers.empty()) {
        const char* reason = several ? "it has several answers" : "it has no answer";
        progress.message(problemPlace(puzzle) + ": warning: no loop drawn: " + reason +
                         (several ? " (--both-answers draws two of them)" : ""));
    }
}

// The level is worked out only for the forms that show it, the answer only when asked for.
Prepared prepare(const OutputOptions& options, const api::Puzzle& puzzle, uint64_t number,
                 ProgressLine& progress) {
    Prepared p;
    p.puzzle = &puzzle;
    p.number = number;
    if (options.answer) findAnswersToDraw(options, puzzle, p, progress);
    const std::string size =
        std::to_string(puzzle.width) + " \u00d7 " + std::to_string(puzzle.height);
    if (p.answers.size() == 2) {
        // No. 7a and No. 7b, short enough for the places of a sheet. No level: it would say
        // little of a problem without one answer, and grading one with few clues can take long.
        const std::string rest = "  \u00b7  " + size + "  \u00b7  several answers";
        p.title = "No. " + std::to_string(number) + rest;
        p.captions = {"No. " + std::to_string(number) + "a" + rest,
                      "No. " + std::to_string(number) + "b" + rest};
        return p;
    }
    if (options.form == OutputForm::COMPACT || options.form == OutputForm::SVG) {
        p.level = levelOf(options, puzzle);
    }
    if (options.form == OutputForm::SVG) {
        p.title = "No. " + std::to_string(number) + "  \u00b7  " + size + "  \u00b7  level " +
                  std::to_string(p.level);
    }
    return p;
}

// How the library writes a prepared problem in the chosen form.
api::WriteOptions writeOptionsOf(const OutputOptions& options, const Prepared& p) {
    api::WriteOptions write;
    write.form = options.form;
    write.level = p.level;
    write.answers = p.answers;
    write.title = p.title;
    write.captions = p.captions;
    return write;
}

// The text of one problem, appended to text; false (reported) when it could not be made.
bool appendWritten(const OutputOptions& options, const Prepared& p, std::string& text) {
    const api::WriteResult written = api::writePuzzle(*p.puzzle, writeOptionsOf(options, p));
    if (!written.error.empty()) {
        std::fprintf(stderr, "varnel: %s: %s\n", problemPlace(*p.puzzle).c_str(),
                     written.error.c_str());
        return false;
    }
    text += written.text;
    return true;
}

void laySheets(const OutputOptions& options, const std::vector<Prepared>& prepared,
               Documents& documents) {
    const size_t count = prepared.size();
    const size_t perPage = static_cast<size_t>(options.perPage);
    const size_t pages = (count + perPage - 1) / perPage;
    for (size_t first = 0; first < count; first += perPage) {
        // A problem drawn with two answers takes two places on its page, so that pages still
        // hold perPage problems each; twice as many pictures always have room.
        std::vector<api::SheetPlace> page;
        for (size_t i = first; i < std::min(count, first + perPage); ++i) {
            const Prepared& p = prepared[i];
            page.push_back({*p.puzzle, p.answers, p.title, p.captions});
        }
        const size_t number = first / perPage + 1;
        const std::string footer =
            pages > 1 ? "page " + std::to_string(number) + " of " + std::to_string(pages) : "";
        // With at most MAX_SHEET_PROBLEMS on a page there is always room; refused all the same,
        // the page would be an empty document, so the run fails instead.
        api::WriteResult sheet = api::writeSvgSheet(page, footer);
        if (!sheet.error.empty()) {
            std::fprintf(stderr, "varnel: no room for the problems of page %zu\n", number);
            documents.complete = false;
        }
        documents.texts.push_back(std::move(sheet.text));
        documents.names.push_back(numberedName("page-", number, pages, ".svg"));
    }
}

Documents layOut(const OutputOptions& options, const std::vector<Prepared>& prepared) {
    Documents documents;
    if (options.form == OutputForm::SVG && options.sheet) {
        laySheets(options, prepared, documents);
        return documents;
    }
    if (onePerDocument(options.form)) {
        const bool grid = options.form == OutputForm::GRID;
        for (const Prepared& p : prepared) {
            std::string text;
            if (!appendWritten(options, p, text)) documents.complete = false;
            documents.texts.push_back(std::move(text));
            const uint64_t lastNumber = options.firstNumber + prepared.size() - 1;
            documents.names.push_back(
                numberedName("", p.number, lastNumber, grid ? ".txt" : ".svg"));
        }
        return documents;
    }
    std::string text;
    for (const Prepared& p : prepared) {
        if (!appendWritten(options, p, text)) documents.complete = false;
    }
    documents.texts.push_back(std::move(text));
    return documents;
}

bool writeDocuments(const OutputOptions& options, const Documents& documents) {
    if (options.output.empty()) {
        return documents.texts.empty() || writeStandardOutput(documents.texts.front());
    }
    if (!options.outputIsFolder) {
        return documents.texts.empty() ||
               writeFilesAtomically({{options.output, documents.texts.front()}});
    }
    return writeFilesInFolder(options.output, documents.names, documents.texts);
}

}  // namespace

const char* const OUTPUT_HELP =
    "Forms (--to):\n"
    "  compact  D/H/W/rows.../ lines; D is the level the input gave, else the creator's grade\n"
    "           (the solver's work on the problem, as for a created batch)\n"
    "  grid     the grid form, one problem per file\n"
    "  url      https://puzz.link/p?slither/COLS/ROWS/BODY\n"
    "  loopy    Loopy game IDs, WxHt0:DESC\n"
    "  ascii    drawings that line up in any terminal\n"
    "  svg      one picture per problem, or with --sheet A4 pages of 6 problems\n"
    "\n"
    "Output: standard output, or -o FILE, which is replaced only once the whole output is\n"
    "written. The grid and svg forms hold one problem (or page) per file, so several go to\n"
    "a folder: -o DIR/ (an existing folder, or a path ending in '/') writes DIR/001.txt,\n"
    "DIR/001.svg or DIR/page-001.svg, and so on.\n";

void addOutputOptions(CLI::App& command, OutputOptions& options) {
    command.add_option("--to", options.formName, "Output form (default compact; see below)")
        ->check(CLI::IsMember(FORM_NAMES))
        ->option_text("FORMAT");
    command.add_flag("--answer", options.answer,
                     "ascii, svg: draw the loop of a problem with exactly one answer");
    command.add_flag("--both-answers", options.bothAnswers,
                     "ascii, svg: as --answer, and draw a problem with several answers twice, "
                     "with two of them");
    command.add_flag("--sheet", options.sheet,
                     "svg: A4 pages of several problems, not one picture each");
    command.add_option("--per-page", options.perPage, "svg --sheet: problems per page (default 6)")
        ->check(CLI::Range(1, MAX_SHEET_PROBLEMS))
        ->option_text("1-12");
    command
        .add_option("--default-level", options.defaultLevel,
                    "compact, svg: the level of problems given without one, not their grade")
        ->check(CLI::Range(1, 5))
        ->option_text("1-5");
    command
        .add_option("-o,--output", options.output,
                    "Write to FILE, or to files in the folder DIR (see below)")
        ->option_text("FILE|DIR/");
}

void checkOutputOptions(OutputOptions& options, const CLI::App& command) {
    const auto named = std::find(FORM_NAMES.begin(), FORM_NAMES.end(), options.formName);
    options.form = static_cast<OutputForm>(named - FORM_NAMES.begin());
    const bool drawing = options.form == OutputForm::ASCII || options.form == OutputForm::SVG;
    if (options.bothAnswers && !drawing) {
        throw CLI::ValidationError("--both-answers",
                                   "the loops are drawn in --to ascii and --to svg only");
    }
    if (options.answer && !drawing) {
        throw CLI::ValidationError("--answer", "the loop is drawn in --to ascii and --to svg only");
    }
    options.answer = options.answer || options.bothAnswers;
    if (options.sheet && options.form != OutputForm::SVG) {
        throw CLI::ValidationError("--sheet", "sheets are made with --to svg");
    }
    if (command.count("--per-page") > 0 && !options.sheet) {
        throw CLI::ValidationError("--per-page", "needs --sheet");
    }
    if (options.defaultLevel != 0 && options.form != OutputForm::COMPACT &&
        options.form != OutputForm::SVG) {
        throw CLI::ValidationError("--default-level",
                                   "only compact lines and svg titles show levels");
    }
    options.outputIsFolder = !options.output.empty() && namesFolder(options.output);
    if (options.outputIsFolder && !onePerDocument(options.form)) {
        throw CLI::ValidationError(
            "-o", options.output + " is a folder; only grid and svg write one file per problem");
    }
}

bool targetHoldsDocuments(const OutputOptions& options, size_t problemCount, const char* label) {
    const size_t documentCount = options.form == OutputForm::SVG && options.sheet
                                     ? (problemCount + static_cast<size_t>(options.perPage) - 1) /
                                           static_cast<size_t>(options.perPage)
                                     : problemCount;
    if (!onePerDocument(options.form) || options.outputIsFolder || documentCount <= 1) return true;
    const char* target = options.output.empty() ? "standard output" : "a file";
    if (options.sheet) {
        // Sheets are mostly piped into a PDF: say how to get one of several pages instead.
        std::string advice =
            "write the pages to a folder with -o DIR/ and join them with rsvg-convert -f pdf "
            "-o OUT.pdf DIR/page-*.svg";
        if (problemCount <= static_cast<size_t>(MAX_SHEET_PROBLEMS)) {
            advice += ", or put all " + std::to_string(problemCount) +
                      " on one page with --per-page " + std::to_string(problemCount);
        }
        std::fprintf(stderr, "%s: %zu problems make %zu pages of %d, and %s holds one: %s\n", label,
                     problemCount, documentCount, options.perPage, target, advice.c_str());
        return false;
    }
    const char* what = options.form == OutputForm::GRID ? "grid-form files" : "svg pictures";
    std::fprintf(stderr,
                 "%s: %zu problems make %zu %s, and %s holds one: write them to a folder "
                 "with -o DIR/\n",
                 label, problemCount, documentCount, what, target);
    return false;
}

int writePuzzles(const OutputOptions& options, const std::vector<api::Puzzle>& puzzles,
                 const char* label) {
    if (!targetHoldsDocuments(options, puzzles.size(), label)) return STATUS_USAGE;

    std::vector<Prepared> prepared;
    prepared.reserve(puzzles.size());
    {
        ProgressLine progress(label, "problems", static_cast<int64_t>(puzzles.size()));
        for (size_t i = 0; i < puzzles.size(); ++i) {
            const api::Puzzle& p = puzzles[i];
            progress.begin(static_cast<int64_t>(i), problemPlace(p) + " (" +
                                                        std::to_string(p.width) + " x " +
                                                        std::to_string(p.height) + ")");
            prepared.push_back(prepare(options, p, options.firstNumber + i, progress));
        }
    }
    const Documents documents = layOut(options, prepared);
    if (!documents.complete) return STATUS_FAILED;
    return writeDocuments(options, documents) ? STATUS_DONE : STATUS_FAILED;
}

}  // namespace varnel
