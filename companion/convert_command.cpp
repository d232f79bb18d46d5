#include <CLI/CLI.hpp>

#include <algorithm>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "companion/answers.h"
#include "companion/exit_status.h"
#include "companion/inputs.h"
#include "companion/output_file.h"
#include "companion/progress.h"
#include "companion/subcommands.h"
#include "creator/grading.h"
#include "solver/clue_grid.h"
#include "textio/ascii_drawing.h"
#include "textio/game_id.h"
#include "textio/problem_input.h"
#include "textio/problem_writer.h"
#include "textio/puzz_link.h"
#include "textio/svg_drawing.h"

namespace varnel {

namespace {

enum class Format : uint8_t { COMPACT, GRID, URL, LOOPY, ASCII, SVG };

// The names of --to, in the order of Format.
const std::vector<std::string> FORMAT_NAMES = {"compact", "grid", "url", "loopy", "ascii", "svg"};

// Most problems one sheet may hold; more would leave no room to solve them on paper.
constexpr int32_t MAX_SHEET_PROBLEMS = 12;

struct ConvertOptions {
    std::string formatName = "compact";
    Format format = Format::COMPACT;  // from formatName
    bool answer = false;              // draw the loop of a problem with exactly one answer
    bool sheet = false;               // svg: A4 pages instead of one picture per problem
    int32_t perPage = SHEET_PROBLEMS;
    int32_t defaultLevel = 0;     // 1..5: the level of problems given without one; 0: their grade
    std::string output;           // empty: standard output
    bool outputIsFolder = false;  // output names a folder: one file per document
    std::vector<std::string> inputs;
};

// A folder is an existing directory or a path written with a trailing '/'.
bool namesFolder(const std::string& path) {
    std::error_code error;
    return (!path.empty() && path.back() == '/') || std::filesystem::is_directory(path, error);
}

// One problem read, with what the conversion worked out for it.
struct Converted {
    const InputProblem* problem = nullptr;
    int32_t number = 0;                 // 1-based, in input order
    int32_t level = 0;                  // as given, else the creator's grade
    std::optional<CellColours> answer;  // the answer to draw
    std::string title;                  // caption of svg pictures
};

// The output documents and their files in a folder.
struct Documents {
    std::vector<std::string> texts;  // one per document, or a single text for a stream format
    std::vector<std::string> names;  // file names in the output folder, one per document
    bool complete = true;            // false when a document could not be made (reported)
};

// A document per problem (grid form, svg picture) or per page (sheet) cannot be joined into one
// stream that stays readable; every other form is one text.
bool onePerDocument(const ConvertOptions& options) {
    return options.format == Format::GRID || options.format == Format::SVG;
}

std::string numbered(const char* prefix, size_t number, size_t count, const char* extension) {
    const int digits = std::max<int>(3, static_cast<int>(std::to_string(count).size()));
    char text[64];
    std::snprintf(text, sizeof text, "%s%0*zu%s", prefix, digits, number, extension);
    return text;
}

int32_t levelOf(const ConvertOptions& options, const InputProblem& problem) {
    if (problem.level != 0) return problem.level;
    if (options.defaultLevel != 0) return options.defaultLevel;
    return gradeLevel(problem.grid.data(), problem.width, problem.height);
}

// The level is worked out only for the forms that show it; the answer only when asked for.
Converted convertOne(const ConvertOptions& options, const InputProblem& problem, int32_t number,
                     ProgressLine& progress) {
    Converted c;
    c.problem = &problem;
    c.number = number;
    if (options.format == Format::COMPACT || options.format == Format::SVG) {
        c.level = levelOf(options, problem);
    }
    if (options.format == Format::SVG) {
        c.title = "No. " + std::to_string(number) + "  \u00b7  " + std::to_string(problem.width) +
                  " \u00d7 " + std::to_string(problem.height) + "  \u00b7  level " +
                  std::to_string(c.level);
    }
    if (options.answer) {
        AnswerSearch search = findAnswers(problem.grid.data(), problem.width, problem.height);
        if (search.answers.size() == 1) {
            c.answer = std::move(search.answers.front());
        } else {
            progress.message(problemPlace(problem) + ": warning: no loop drawn: " + search.reason);
        }
    }
    return c;
}

const uint8_t* answerOf(const Converted& c) {
    return c.answer ? c.answer->data() : nullptr;
}

SvgProblem svgProblemOf(const Converted& c) {
    return {c.problem->grid.data(), c.problem->width, c.problem->height, answerOf(c), c.title};
}

Documents layOut(const ConvertOptions& options, const std::vector<Converted>& converted) {
    Documents documents;
    const size_t count = converted.size();
    if (options.format == Format::SVG && options.sheet) {
        const size_t perPage = static_cast<size_t>(options.perPage);
        const size_t pages = (count + perPage - 1) / perPage;
        for (size_t first = 0; first < count; first += perPage) {
            std::vector<SvgProblem> page;
            for (size_t i = first; i < std::min(count, first + perPage); ++i) {
                page.push_back(svgProblemOf(converted[i]));
            }
            const size_t number = first / perPage + 1;
            const std::string footer =
                pages > 1 ? "page " + std::to_string(number) + " of " + std::to_string(pages) : "";
            std::string text;
            // With at most MAX_SHEET_PROBLEMS on a page there is always room; refused all the
            // same, the page would be an empty document, so the run fails instead.
            if (!appendSvgSheet(page, footer, text)) {
                std::fprintf(stderr, "varnel convert: no room for page %zu's problems\n", number);
                documents.complete = false;
            }
            documents.texts.push_back(std::move(text));
            documents.names.push_back(numbered("page-", number, pages, ".svg"));
        }
        return documents;
    }
    if (onePerDocument(options)) {
        for (const Converted& c : converted) {
            const InputProblem& p = *c.problem;
            std::string text;
            if (options.format == Format::GRID) {
                appendGridRows(p.grid, p.width, p.height, text);
            } else {
                appendSvgPicture(svgProblemOf(c), text);
            }
            documents.texts.push_back(std::move(text));
            documents.names.push_back(numbered("", static_cast<size_t>(c.number), count,
                                               options.format == Format::GRID ? ".txt" : ".svg"));
        }
        return documents;
    }
    std::string text;
    for (const Converted& c : converted) {
        const InputProblem& p = *c.problem;
        switch (options.format) {
            case Format::COMPACT:
                appendCompactLine(c.level, p.grid, p.width, p.height, text);
                break;
            case Format::URL:
                appendPuzzLinkUrl(p.grid, p.width, p.height, text);
                text += '\n';
                break;
            case Format::LOOPY:
                appendGameId(p.grid, p.width, p.height, text);
                text += '\n';
                break;
            case Format::ASCII:
                appendAsciiDrawing(p.grid.data(), p.width, p.height, answerOf(c), text);
                text += '\n';
                break;
            case Format::GRID:
            case Format::SVG:
                break;
        }
    }
    documents.texts.push_back(std::move(text));
    return documents;
}

bool writeDocuments(const ConvertOptions& options, const Documents& documents) {
    if (options.output.empty()) {
        return documents.texts.empty() || writeStandardOutput(documents.texts.front());
    }
    if (!options.outputIsFolder) {
        return documents.texts.empty() ||
               writeFilesAtomically({{options.output, documents.texts.front()}});
    }
    std::error_code error;
    std::filesystem::create_directories(options.output, error);
    if (error) {
        std::fprintf(stderr, "varnel: cannot create folder %s: %s\n", options.output.c_str(),
                     error.message().c_str());
        return false;
    }
    std::vector<std::pair<std::string, std::string>> files;
    for (size_t i = 0; i < documents.texts.size(); ++i) {
        files.emplace_back((std::filesystem::path(options.output) / documents.names[i]).string(),
                           documents.texts[i]);
    }
    return writeFilesAtomically(files);
}

int runConvert(const ConvertOptions& options) {
    std::vector<InputProblem> problems;
    const bool allRead = readInputs(options.inputs, problems);

    // A form with one problem or page per document goes to a folder when there are several.
    const size_t documentCount =
        options.format == Format::SVG && options.sheet
            ? (problems.size() + static_cast<size_t>(options.perPage) - 1) /
                  static_cast<size_t>(options.perPage)
            : problems.size();
    if (onePerDocument(options) && !options.outputIsFolder && documentCount > 1) {
        const char* what = options.format == Format::GRID ? "grid-form files"
                           : options.sheet                ? "pages"
                                                          : "svg pictures";
        std::fprintf(stderr,
                     "varnel convert: %zu problems make %zu %s, and %s holds one: write them to a "
                     "folder with -o DIR/\n",
                     problems.size(), documentCount, what,
                     options.output.empty() ? "standard output" : "a file");
        return STATUS_USAGE;
    }

    std::vector<Converted> converted;
    converted.reserve(problems.size());
    {
        ProgressLine progress("varnel convert", "problems", static_cast<int64_t>(problems.size()));
        for (size_t i = 0; i < problems.size(); ++i) {
            const InputProblem& p = problems[i];
            progress.begin(static_cast<int64_t>(i), problemPlace(p) + " (" +
                                                        std::to_string(p.width) + " x " +
                                                        std::to_string(p.height) + ")");
            converted.push_back(convertOne(options, p, static_cast<int32_t>(i + 1), progress));
        }
    }

    // Nothing read at all because of bad input: an existing output file is left as it was.
    if (problems.empty() && !allRead) return STATUS_FAILED;
    const Documents documents = layOut(options, converted);
    if (!documents.complete) return STATUS_FAILED;
    const bool written = writeDocuments(options, documents);
    return allRead && written ? STATUS_DONE : STATUS_FAILED;
}

// Option combinations CLI11 cannot express; reported like its own usage errors.
void checkCombinations(ConvertOptions& options, const CLI::App& command) {
    const auto named = std::find(FORMAT_NAMES.begin(), FORMAT_NAMES.end(), options.formatName);
    options.format = static_cast<Format>(named - FORMAT_NAMES.begin());
    const bool drawing = options.format == Format::ASCII || options.format == Format::SVG;
    if (options.answer && !drawing) {
        throw CLI::ValidationError("--answer", "the loop is drawn in --to ascii and --to svg only");
    }
    if (options.sheet && options.format != Format::SVG) {
        throw CLI::ValidationError("--sheet", "sheets are made with --to svg");
    }
    if (command.count("--per-page") > 0 && !options.sheet) {
        throw CLI::ValidationError("--per-page", "needs --sheet");
    }
    if (options.defaultLevel != 0 && options.format != Format::COMPACT &&
        options.format != Format::SVG) {
        throw CLI::ValidationError("--default-level",
                                   "only compact lines and svg titles show levels");
    }
    options.outputIsFolder = !options.output.empty() && namesFolder(options.output);
    if (options.outputIsFolder && !onePerDocument(options)) {
        throw CLI::ValidationError(
            "-o", options.output + " is a folder; only grid and svg write one file per problem");
    }
}

}  // namespace

void addConvertCommand(CLI::App& app, CommandAction& action) {
    auto options = std::make_shared<ConvertOptions>();
    CLI::App* command = app.add_subcommand(
        "convert", "Convert problems between forms, or draw them in ASCII or SVG");
    command->add_option("--to", options->formatName, "Output form (default compact; see below)")
        ->check(CLI::IsMember(FORMAT_NAMES))
        ->option_text("FORMAT");
    command->add_flag("--answer", options->answer,
                      "ascii, svg: draw the loop of a problem with exactly one answer");
    command->add_flag("--sheet", options->sheet,
                      "svg: A4 pages of several problems, not one picture each");
    command
        ->add_option("--per-page", options->perPage, "svg --sheet: problems per page (default 6)")
        ->check(CLI::Range(1, MAX_SHEET_PROBLEMS))
        ->option_text("1-12");
    command
        ->add_option("--default-level", options->defaultLevel,
                     "compact, svg: the level of problems given without one, not their grade")
        ->check(CLI::Range(1, 5))
        ->option_text("1-5");
    command
        ->add_option("-o,--output", options->output,
                     "Write to FILE, or to files in the folder DIR (see below)")
        ->option_text("FILE|DIR/");
    command
        ->add_option("INPUT", options->inputs,
                     "A file, - for standard input, a puzz.link URL or a game ID")
        ->required();
    command->footer(
        "Inputs: a file holds one grid-form problem, or compact lines, URLs and game IDs, one\n"
        "problem per line; '#' lines are comments. A malformed problem is reported as\n"
        "FILE:LINE:COLUMN: what is wrong, and the other problems are still converted.\n"
        "\n"
        "Forms (--to):\n"
        "  compact  D/H/W/rows.../ lines; D is the level the input gave, else the creator's grade\n"
        "           (the solver's work on the problem, as for a created batch; on a problem with\n"
        "           few clues that can take very long: --default-level gives a level instead)\n"
        "  grid     the grid form, one problem per file\n"
        "  url      https://puzz.link/p?slither/COLS/ROWS/BODY\n"
        "  loopy    Loopy game IDs, WxHt0:DESC\n"
        "  ascii    drawings that line up in any terminal\n"
        "  svg      one picture per problem, or with --sheet A4 pages of 6 problems\n"
        "\n"
        "Output: standard output, or -o FILE, which is replaced only once the whole output is\n"
        "written. The grid and svg forms hold one problem (or page) per file, so several go to\n"
        "a folder: -o DIR/ (an existing folder, or a path ending in '/') writes DIR/001.txt,\n"
        "DIR/001.svg or DIR/page-001.svg, and so on.\n"
        "\n"
        "Examples:\n"
        "  varnel convert --to url batch.dat\n"
        "  varnel convert --to ascii --answer 'https://puzz.link/p?slither/10/10/...'\n"
        "  varnel convert --to svg --sheet batch.dat | rsvg-convert -f pdf -o batch.pdf\n"
        "\n"
        "Exit status:\n" +
        std::string(COMMON_STATUS_HELP));
    command->callback([options, command, &action] {
        checkCombinations(*options, *command);
        action = [options] { return runConvert(*options); };
    });
}

}  // namespace varnel
