#include <CLI/CLI.hpp>

#include <cinttypes>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "checker/problem_check.h"
#include "companion/exit_status.h"
#include "companion/explain_json.h"
#include "companion/inputs.h"
#include "companion/output_file.h"
#include "companion/progress.h"
#include "companion/subcommands.h"
#include "explain/place_words.h"
#include "explain/progress_marks.h"
#include "explain/walk_stages.h"
#include "explain/walk_text.h"
#include "explain/walkthrough.h"
#include "lib/records.h"
#include "solver/clue_grid.h"
#include "textio/line_problem.h"

namespace varnel {

namespace {

constexpr const char* LABEL = "varnel explain";

// Beyond the common statuses: the walkthrough could not reach the one answer.
constexpr int STATUS_NOT_EXPLAINED = 4;

enum class ExplainForm : uint8_t { TEXT, ASCII, SVG, JSON };

struct ExplainOptions {
    std::string formName = "text";  // as given to --to
    ExplainForm form = ExplainForm::TEXT;
    std::string steps;  // --steps as given
    int32_t first = 1;  // from --steps
    int32_t last = INT32_MAX;
    std::string progress;         // --progress FILE, or empty
    bool next = false;            // a hint, not the walkthrough
    bool detail = false;          // every step on a line, trials' chains too
    std::string output;           // -o, or empty for standard output
    bool outputIsFolder = false;  // -o names a folder: svg pages go there
    std::string input;            // INPUT as given
};

// Reads "A-B", "A-" or "A" into first and last. False when it is none of them.
bool readStepRange(const std::string& text, int32_t& first, int32_t& last) {
    const size_t dash = text.find('-');
    const auto number = [](const std::string& digits, int32_t& value) {
        if (digits.empty() || digits.size() > 9 ||
            digits.find_first_not_of("0123456789") != std::string::npos) {
            return false;
        }
        value = static_cast<int32_t>(std::stol(digits));
        return value >= 1;
    };
    if (dash == std::string::npos) {
        if (!number(text, first)) return false;
        last = first;
        return true;
    }
    if (!number(text.substr(0, dash), first)) return false;
    if (dash + 1 == text.size()) {
        last = INT32_MAX;
        return true;
    }
    return number(text.substr(dash + 1), last) && first <= last;
}

bool namesFolder(const std::string& path) {
    std::error_code error;
    return (!path.empty() && path.back() == '/') || std::filesystem::is_directory(path, error);
}

// The one problem to explain: as read, and its clues as the ladder takes them.
struct Problem {
    api::Puzzle read;
    ClueGrid grid;
    int32_t width = 0;
    int32_t height = 0;
};

// Reads INPUT, which must hold exactly one problem. False (reported) otherwise.
bool readTheProblem(const std::string& argument, Problem& problem) {
    std::vector<api::Puzzle> problems;
    if (!readPuzzleInputs({argument}, problems)) return false;
    if (problems.size() != 1) {
        std::fprintf(stderr, "%s: %s holds %zu problems; give the one to explain\n", LABEL,
                     printableText(argument).c_str(), problems.size());
        return false;
    }
    problem.read = std::move(problems.front());
    problem.grid = api::clueGridOf(problem.read);
    problem.width = problem.read.width;
    problem.height = problem.read.height;
    return true;
}

// Reads --progress for problem and judges it. False (reported) when it cannot be read.
bool readPlayerBoard(const std::string& path, const Problem& problem, const CheckResult& check,
                     PlayerBoard& board) {
    std::string text;
    std::string source;
    if (!loadInput(path, text, source)) return false;
    std::vector<InputDiagnostic> diagnostics;
    const bool read = judgeProgress(text, source, problem.grid.data(), problem.width,
                                    problem.height, check, board, diagnostics);
    for (const InputDiagnostic& d : diagnostics)
        std::fprintf(stderr, "%s\n", formatDiagnostic(d).c_str());
    return read;
}

// Writes the svg sheets: one to standard output or a file, several to the folder.
bool writeSheets(const ExplainOptions& options, const std::vector<std::string>& sheets) {
    if (!options.outputIsFolder) {
        const std::string text = sheets.empty() ? std::string() : sheets.front();
        return options.output.empty() ? writeStandardOutput(text)
                                      : writeFilesAtomically({{options.output, text}});
    }
    std::vector<std::string> names;
    for (size_t i = 0; i < sheets.size(); ++i)
        names.push_back(numberedName("page-", i + 1, sheets.size(), ".svg"));
    return writeFilesInFolder(options.output, names, sheets);
}

bool writeText(const ExplainOptions& options, const std::string& text) {
    return options.output.empty() ? writeStandardOutput(text)
                                  : writeFilesAtomically({{options.output, text}});
}

// "the empty board", or the player's board with what it holds.
std::string startWords(const ExplainOptions& options, const PlayerBoard& board) {
    if (options.progress.empty()) return "the empty board";
    return boardWords(printableText(options.progress == "-" ? "<stdin>" : options.progress), board);
}

int runExplain(const ExplainOptions& options) {
    Problem problem;
    if (!readTheProblem(options.input, problem)) return STATUS_FAILED;
    const CheckResult check = checkByLadder(problem.grid.data(), problem.width, problem.height);
    PlayerBoard board;
    if (!options.progress.empty() && !readPlayerBoard(options.progress, problem, check, board)) {
        return STATUS_FAILED;
    }
    if (!options.progress.empty() && check.verdict != Verdict::UNIQUE) {
        std::fprintf(stderr, "%s: %s: the puzzle has %s, so the marks are not judged\n", LABEL,
                     problemPlace(problem.read).c_str(),
                     check.verdict == Verdict::MULTIPLE ? "several answers" : "no answer");
    }
    const WalkPuzzle puzzle{problem.grid.data(), problem.width, problem.height, &check,
                            board.start};
    WalkOptions walkOptions;
    walkOptions.chains = options.detail;
    TextOptions textOptions;
    textOptions.detail = options.detail;
    textOptions.boards = options.form == ExplainForm::ASCII;
    textOptions.first = options.first;
    textOptions.last = options.last;

    std::string text = options.form == ExplainForm::JSON
                           ? mistakesJson(problem.width, problem.height, board.mistakes)
                           : mistakesText(problem.width, problem.height, board.mistakes);
    std::vector<std::string> sheets;
    bool explained = true;
    if (options.next) {
        Hint hint;
        nextHint(puzzle, walkOptions, hint);
        explained = hint.kind == HintKind::STEP || hint.kind == HintKind::SOLVED;
        if (options.form == ExplainForm::JSON) {
            text += hintJson(hint);
        } else if (options.form == ExplainForm::SVG) {
            sheets.push_back(hintPicture(hint, problem.grid.data()));
        } else {
            text += hintText(hint, problem.grid.data(), textOptions);
        }
    } else {
        Walkthrough walk;
        {
            ProgressLine progress(LABEL, "puzzles", 1);
            progress.begin(0, problemPlace(problem.read) + " (" + std::to_string(problem.width) +
                                  " x " + std::to_string(problem.height) + ")");
            walkThrough(puzzle, walkOptions, walk);
        }
        explained = walk.end == WalkEnd::SOLVED;
        const int32_t count = static_cast<int32_t>(walk.steps.size());
        if (options.first > count && !(options.first == 1 && count == 0)) {
            std::fprintf(stderr, "%s: --steps %s: the walkthrough has %s\n", LABEL,
                         options.steps.c_str(),
                         counted(static_cast<size_t>(count), "step").c_str());
            return STATUS_USAGE;
        }
        if (options.form == ExplainForm::JSON) {
            text += walkJson(walk, check, options.first, options.last);
        } else if (options.form == ExplainForm::SVG) {
            sheets = walkStages(walk, problem.grid.data(), options.first, options.last);
        } else {
            text += walkText(walk, problem.grid.data(), startWords(options, board), textOptions);
        }
    }
    if (options.form == ExplainForm::SVG) {
        // Mistakes go where they cannot spoil a picture.
        if (!text.empty()) std::fputs(text.c_str(), stderr);
        if (sheets.size() > 1 && !options.outputIsFolder) {
            std::fprintf(stderr,
                         "%s: the walkthrough makes %zu pages of %d stages, and %s holds one: "
                         "write the pages to a folder with -o DIR/, or choose fewer steps with "
                         "--steps\n",
                         LABEL, sheets.size(), STAGES_PER_SHEET,
                         options.output.empty() ? "standard output" : "a file");
            return STATUS_USAGE;
        }
        if (!writeSheets(options, sheets)) return STATUS_FAILED;
    } else if (!writeText(options, text)) {
        return STATUS_FAILED;
    }
    if (check.verdict != Verdict::UNIQUE || !board.mistakes.empty()) return STATUS_NOT_UNIQUE;
    return explained ? STATUS_DONE : STATUS_NOT_EXPLAINED;
}

}  // namespace

void addExplainCommand(CLI::App& app, CommandAction& action) {
    auto options = std::make_shared<ExplainOptions>();
    CLI::App* command = app.add_subcommand(
        "explain", "Walk through a puzzle step by step as a person solves it, or give a hint");
    command->add_option("--to", options->formName, "Output form: text (default), ascii, svg, json")
        ->check(CLI::IsMember({"text", "ascii", "svg", "json"}))
        ->option_text("FORMAT");
    command->add_option("--steps", options->steps, "Show only steps A to B (A-B, A- or A)")
        ->option_text("A-B");
    command
        ->add_option("--progress", options->progress,
                     "A player's board, drawn as convert --to ascii draws, with crosses")
        ->option_text("FILE");
    command->add_flag("--next", options->next,
                      "Only the next step from the player's board (a hint, not a spoiler)");
    command->add_flag("--detail", options->detail,
                      "Every step on a line of its own, and every trial's chain step by step");
    command->add_option("-o,--output", options->output, "Write to FILE (svg pages: to DIR/)")
        ->option_text("FILE|DIR/");
    command
        ->add_option("INPUT", options->input,
                     "One puzzle: a file, - for standard input, a puzz.link URL or a game ID")
        ->required();
    command->footer(
        "The walkthrough: numbered steps from the board to the answer, simplest technique\n"
        "first (the difficulty ladder of varnel check), each told in one sentence: its rank\n"
        "and technique, where (cells r3c5, sides r3c5 top, points r3c5 top-left, rows and\n"
        "columns from 1 at the top left), what it decides and why. Consecutive easy steps of\n"
        "one kind share a line (--detail lists them one by one). Steps that only note what a\n"
        "corner holds or how cells lie decide no side yet; later steps build on them. At the\n"
        "end: the difficulty, the techniques used and the answer, or why the walkthrough\n"
        "stops (several answers: the first side on which two differ; no answer: the rule\n"
        "that breaks; beyond the ladder's deepest trial or its work budget).\n"
        "\n"
        "Forms (--to):\n"
        "  text   the steps and, at the end, the answer drawn\n"
        "  ascii  the steps, and the board after each step above easy and at the end, the\n"
        "         sides the step decided marked: '===' and '#' new lines, ' X ' and 'X' new\n"
        "         crosses (--progress reads such a board back)\n"
        "  svg    A4 sheets of 6 stages, new sides in a second colour, each stage's step\n"
        "         under it; more than one sheet goes to a folder, -o DIR/ (page-001.svg, ...)\n"
        "  json   one object per line and step: step, rank, technique, reads (cells, points,\n"
        "         sides), decides (on, off, inside, outside), text; then a summary: end,\n"
        "         steps, difficulty (as check --json), techniques, answer (rows of '#' and\n"
        "         '.') or reason\n"
        "--steps A-B shows steps A to B only; the end comes with the last step.\n"
        "\n"
        "From a player's board: --progress FILE reads the board drawn as 'varnel convert --to\n"
        "ascii' draws it, lines '---' and '|', crosses ' x ' and 'x' for sides marked off\n"
        "(FILE:LINE:COLUMN on a malformed drawing or one of another puzzle). Every line or\n"
        "cross that disagrees with the one answer is reported first, nothing else revealed;\n"
        "then --next gives the single simplest step that decides something not drawn yet,\n"
        "and without --next the walkthrough goes on from the player's correct marks.\n"
        "\n"
        "Examples:\n"
        "  varnel explain puzzle.txt\n"
        "  varnel explain --to ascii --steps 1-3 puzzle.txt\n"
        "  varnel explain --to json puzzle.txt | jq -c 'select(.step) | [.step, .technique]'\n"
        "  varnel explain --to svg -o stages/ puzzle.txt\n"
        "  varnel explain --next --progress mine.txt puzzle.txt\n"
        "\n"
        "Exit status:\n"
        "  0  the walkthrough reaches the answer, or the hint was given\n"
        "  1  the puzzle or the player's board could not be read, or the output could not be\n"
        "     written (nothing is left behind)\n"
        "  2  usage: the command line is wrong; nothing was done\n"
        "  3  the puzzle has several answers or none, or the player's board holds mistakes\n"
        "     (all else was still done)\n"
        "  4  the puzzle has one answer, but the ladder stops before it (beyond its deepest\n"
        "     trial or its work budget); --next then gives one side of the answer\n");
    command->callback([options, &action] {
        ExplainOptions& o = *options;
        o.form = o.formName == "ascii"  ? ExplainForm::ASCII
                 : o.formName == "svg"  ? ExplainForm::SVG
                 : o.formName == "json" ? ExplainForm::JSON
                                        : ExplainForm::TEXT;
        if (!o.steps.empty() && !readStepRange(o.steps, o.first, o.last)) {
            throw CLI::ValidationError("--steps", o.steps + " is not A-B, A- or A (steps from 1)");
        }
        if (o.next && !o.steps.empty()) {
            throw CLI::ValidationError("--steps", "a hint is one step: --next takes no --steps");
        }
        if (o.progress == "-" && o.input == "-") {
            throw CLI::ValidationError("-", "standard input can be read only once");
        }
        o.outputIsFolder = !o.output.empty() && namesFolder(o.output);
        if (o.outputIsFolder && o.form != ExplainForm::SVG) {
            throw CLI::ValidationError("-o",
                                       o.output + " is a folder; only svg writes pages there");
        }
        action = [options] { return runExplain(*options); };
    });
}

}  // namespace varnel
