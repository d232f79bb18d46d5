#include <CLI/CLI.hpp>
#include <nlohmann/json.hpp>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "companion/exit_status.h"
#include "companion/inputs.h"
#include "companion/output_file.h"
#include "companion/subcommands.h"
#include "textio/line_problem.h"
#include "varnel/verify.h"

namespace varnel {

namespace {

constexpr const char* LABEL = "varnel verify";

struct VerifyOptions {
    bool json = false;                 // one JSON object per answer instead of the text lines
    std::string puzzle;                // PUZZLE as given
    std::vector<std::string> answers;  // ANSWER arguments, as given
};

// What verifying one answer found.
struct AnswerReport {
    std::string source;        // the answer's name: its file, or <stdin>
    api::VerifyResult result;  // the verdict; result.error when the answer could not be read
    bool loaded = false;       // the answer's text was read (else a message says why)
    double milliseconds = 0;   // time the verification took, reading the answer's text included
};

std::string textReport(const AnswerReport& report) {
    const std::string name = printableText(report.source);
    if (report.result.valid) return name + ": valid\n";
    return name + ": invalid: " + report.result.reason + "\n";
}

std::string jsonReport(const AnswerReport& report, const std::string& puzzlePlace) {
    nlohmann::ordered_json object;
    object["answer"] = report.source;
    object["puzzle"] = puzzlePlace;
    const api::VerifyResult& r = report.result;
    if (!report.loaded || !r.error.empty()) {
        object["verdict"] = "unreadable";
        nlohmann::ordered_json errors = nlohmann::ordered_json::array();
        for (const api::Diagnostic& d : r.diagnostics) {
            if (!d.warning) errors.push_back(api::formatDiagnostic(d));
        }
        if (!report.loaded) errors.push_back("cannot read " + report.source);
        object["errors"] = std::move(errors);
        return object.dump(-1, ' ', false, nlohmann::ordered_json::error_handler_t::replace) + "\n";
    }
    object["form"] = api::answerFormName(r.form);
    object["verdict"] = r.valid ? "valid" : "invalid";
    if (!r.valid) {
        object["rule"] = api::ruleName(r.rule);
        object["reason"] = r.reason;
    }
    // Thousandths of a millisecond: verifying takes microseconds.
    object["ms"] = std::round(report.milliseconds * 1000) / 1000;
    return object.dump(-1, ' ', false, nlohmann::ordered_json::error_handler_t::replace) + "\n";
}

// Reads PUZZLE, which must hold exactly one puzzle. False (reported) otherwise.
bool readThePuzzle(const std::string& argument, api::Puzzle& puzzle) {
    std::vector<api::Puzzle> puzzles;
    const bool read = readPuzzleInputs({argument}, puzzles);
    if (!read) return false;
    if (puzzles.size() != 1) {
        std::fprintf(stderr, "%s: %s holds %zu puzzles; give the one the answers are for\n", LABEL,
                     printableText(argument).c_str(), puzzles.size());
        return false;
    }
    puzzle = std::move(puzzles.front());
    return true;
}

AnswerReport verifyOne(const api::Puzzle& puzzle, const std::string& argument) {
    AnswerReport report;
    std::string text;
    report.loaded = loadInput(argument, text, report.source);
    if (!report.loaded) return report;
    const auto start = std::chrono::steady_clock::now();
    report.result = api::verify(puzzle, text, report.source);
    const auto elapsed = std::chrono::steady_clock::now() - start;
    report.milliseconds = std::chrono::duration<double, std::milli>(elapsed).count();
    for (const api::Diagnostic& d : report.result.diagnostics) {
        const std::string line = api::formatDiagnostic(d) + "\n";
        std::fputs(line.c_str(), stderr);
    }
    return report;
}

int runVerify(const VerifyOptions& options) {
    api::Puzzle puzzle;
    if (!readThePuzzle(options.puzzle, puzzle)) return STATUS_FAILED;
    const std::string place = isLiteralArgument(options.puzzle)
                                  ? puzzle.source
                                  : puzzle.source + ":" + std::to_string(puzzle.line);
    int64_t valid = 0;
    int64_t invalid = 0;
    int64_t unreadable = 0;
    for (const std::string& argument : options.answers) {
        const AnswerReport report = verifyOne(puzzle, argument);
        const bool read = report.loaded && report.result.error.empty();
        if (!read) {
            ++unreadable;
            if (report.loaded && report.result.diagnostics.empty()) {
                std::fprintf(stderr, "%s: %s\n", LABEL, report.result.error.c_str());
            }
        } else if (report.result.valid) {
            ++valid;
        } else {
            ++invalid;
        }
        if (!options.json && !read) continue;
        const std::string text = options.json ? jsonReport(report, place) : textReport(report);
        if (!writeStandardOutput(text)) return STATUS_FAILED;
    }
    if (!options.json && options.answers.size() > 1) {
        std::string summary = std::string(LABEL) + ": " + std::to_string(options.answers.size()) +
                              " answers: " + std::to_string(valid) + " valid, " +
                              std::to_string(invalid) + " invalid";
        if (unreadable > 0) summary += ", " + std::to_string(unreadable) + " unreadable";
        std::fprintf(stderr, "%s\n", summary.c_str());
    }
    if (unreadable > 0) return STATUS_FAILED;
    return invalid > 0 ? STATUS_INVALID : STATUS_DONE;
}

}  // namespace

void addVerifyCommand(CLI::App& app, CommandAction& action) {
    auto options = std::make_shared<VerifyOptions>();
    CLI::App* command =
        app.add_subcommand("verify", "Tell whether proposed answers are right, and if not, why");
    command->add_flag("--json", options->json,
                      "One JSON object per answer and line instead of text lines");
    command
        ->add_option("PUZZLE", options->puzzle,
                     "One puzzle: a file, - for standard input, a puzz.link URL or a game ID")
        ->required();
    command
        ->add_option("ANSWER", options->answers,
                     "A file holding an answer, or - for standard input")
        ->required();
    command->footer(
        "An ANSWER is read in any of three forms, told apart by its first line that is not\n"
        "blank:\n"
        "  drawing    the ascii drawing of 'varnel convert --to ascii --answer': '+' grid\n"
        "             points, '---' and '|' for the loop; crosses (' x ' and 'x') are allowed\n"
        "             and ignored; the clues drawn must be the puzzle's\n"
        "  colouring  H rows of W characters, '#' for a cell inside the loop, '.' outside, as\n"
        "             the answers of 'varnel check --json' (jq -r '.answers[0][]')\n"
        "  sides      one side on the loop per line, named by a cell and its side: r3c5 top,\n"
        "             r3c5 right, r3c5 bottom, r3c5 left (rows and columns from 1 at the top\n"
        "             left; a side between two cells has both names, r3c5 top is r2c5 bottom);\n"
        "             blank lines and lines starting with '#' are skipped\n"
        "Spaces and tabs at the ends of lines, and blank lines before and after, are ignored.\n"
        "A malformed answer is reported as FILE:LINE:COLUMN: what is wrong.\n"
        "\n"
        "The rules, checked in this order; the first one broken is the verdict:\n"
        "  size        the answer is 10x9, the puzzle 10x10\n"
        "  drawn-clue  the drawing shows clue 2 at r3c5, the puzzle has 3\n"
        "  no-line     the answer has no line\n"
        "  point       point r2c3 top-left has 3 lines (1 line: a dead end; 3: a branch;\n"
        "              4: the loop crosses or touches itself); points row by row from the top\n"
        "  loops       the lines form 2 loops\n"
        "  clue        clue 3 at r4c6 has 2 sides on the loop; cells row by row\n"
        "Validity is about the rules alone: any loop that meets every clue is valid, also when\n"
        "the puzzle has several answers.\n"
        "\n"
        "Output, one line per answer read: 'ANSWER: valid' or 'ANSWER: invalid: REASON'. With\n"
        "--json, one object per answer: answer, puzzle (FILE:LINE or the argument), form\n"
        "(drawing, colouring or sides), verdict (valid, invalid or unreadable), rule and\n"
        "reason when invalid, errors (FILE:LINE:COLUMN: messages) when unreadable, ms.\n"
        "\n"
        "Examples:\n"
        "  varnel convert --to ascii --answer puzzle.txt > answer.txt\n"
        "  varnel verify puzzle.txt answer.txt\n"
        "  varnel check --json puzzle.txt | jq -r '.answers[0][]' | varnel verify puzzle.txt -\n"
        "  varnel verify --json '10x10t0:...' proposals/*.txt\n"
        "\n"
        "Exit status:\n"
        "  0  every answer is valid\n"
        "  1  the puzzle or an answer could not be read (the other answers were still\n"
        "     verified), or the output could not be written; this wins over 3\n"
        "  2  usage: the command line is wrong; nothing was done\n"
        "  3  some answer is invalid\n");
    command->callback([options, &action] {
        const auto stdinUses =
            std::count(options->answers.begin(), options->answers.end(), std::string("-")) +
            (options->puzzle == "-" ? 1 : 0);
        if (stdinUses > 1) {
            throw CLI::ValidationError("-", "standard input can be read only once");
        }
        action = [options] { return runVerify(*options); };
    });
}

}  // namespace varnel
