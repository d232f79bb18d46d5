#include <CLI/CLI.hpp>
#include <nlohmann/json.hpp>

#include <cmath>
#include <cstdio>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "companion/difficulty_report.h"
#include "companion/exit_status.h"
#include "companion/inputs.h"
#include "companion/progress.h"
#include "companion/subcommands.h"
#include "textio/line_problem.h"
#include "varnel/check.h"
#include "varnel/write.h"

namespace varnel {

namespace {

constexpr const char* LABEL = "varnel check";

struct CheckOptions {
    bool json = false;                // one JSON object per problem instead of the text lines
    bool noGrade = false;             // verdicts alone: the unique problems are not graded
    std::vector<std::string> inputs;  // INPUT arguments, as given
};

// A problem to check, with how the output names it.
struct CheckInput {
    api::Puzzle puzzle;
    std::string literal;  // the URL or game ID as given (surrounding white space left out) when
                          // the problem was one on the command line, else empty
};

// The library's check of one problem; item names it on the progress line. The grades of a unique
// problem can keep the program's own solver busy for long (a 36 x 20 one without a clue to
// spare: up to 11 s measured; larger boards far longer), so the progress line says which stage
// is running.
api::CheckResult checkOne(const api::Puzzle& puzzle, bool grade, int64_t index,
                          const std::string& item, ProgressLine& progress) {
    api::CheckOptions options;
    options.grade = grade;
    options.onStage = [&](api::CheckStage stage) {
        switch (stage) {
            case api::CheckStage::VERDICT:
                progress.begin(index, item);
                break;
            case api::CheckStage::DIFFICULTY:
                progress.begin(index, item + ", unique: its difficulty");
                break;
            case api::CheckStage::GRADE:
                progress.begin(index, item + ", unique: the solver's grade");
                break;
        }
    };
    return api::check(puzzle, options);
}

std::string trimmed(std::string_view text) {
    constexpr std::string_view SPACE = " \t\r\n\v\f";
    const size_t first = text.find_first_not_of(SPACE);
    if (first == std::string_view::npos) return "";
    return std::string(text.substr(first, text.find_last_not_of(SPACE) + 1 - first));
}

// How the text output names a problem: FILE:LINE, or the argument that was the problem.
std::string placeOf(const CheckInput& input) {
    return printableText(input.literal.empty() ? problemPlace(input.puzzle) : input.literal);
}

std::string trialsText(int32_t trials) {
    return std::to_string(trials) + (trials == 1 ? " trial" : " trials");
}

// What the program's own solver made of a unique problem, in the words of the text line.
std::string solverText(const api::Grade& grade) {
    switch (grade.solver) {
        case api::SolverResult::FOUND:
            return "solved with " + trialsText(grade.trials);
        case api::SolverResult::STOPPED:
            return "not solved: the solver stops undecided after " + trialsText(grade.trials);
        case api::SolverResult::FAILED:
            return "not solved: the solver fails after " + trialsText(grade.trials);
    }
    return "";
}

// One line per problem; a problem with several answers is followed by two of them drawn, each
// drawing followed by an empty line.
std::string textReport(const CheckInput& input, const api::CheckResult& check) {
    const api::Puzzle& p = input.puzzle;
    std::string text = placeOf(input) + ": " + std::to_string(p.width) + "x" +
                       std::to_string(p.height) + " " + api::verdictName(check.verdict);
    switch (check.verdict) {
        case api::Verdict::UNIQUE:
            if (check.graded) {
                text += ", " + difficultyText(check.difficulty) + ", level " +
                        std::to_string(check.grade.level) + " (score " +
                        std::to_string(check.grade.score) + "), " + solverText(check.grade);
            }
            text += '\n';
            break;
        case api::Verdict::MULTIPLE: {
            text += ", two of its answers:\n";
            api::WriteOptions drawing;
            drawing.form = api::Form::ASCII;
            drawing.answers = check.answers;
            text += api::writePuzzle(p, drawing).text;
            break;
        }
        case api::Verdict::NONE:
            text += ", no loop meets every clue\n";
            break;
    }
    return text;
}

std::string jsonReport(const CheckInput& input, const api::CheckResult& check) {
    const api::Puzzle& p = input.puzzle;
    nlohmann::ordered_json object;
    if (input.literal.empty()) {
        object["input"] = problemPlace(p);
        object["file"] = p.source;
        object["line"] = p.line;
    } else {
        object["input"] = input.literal;
    }
    object["width"] = p.width;
    object["height"] = p.height;
    object["verdict"] = api::verdictName(check.verdict);
    nlohmann::ordered_json answers = nlohmann::ordered_json::array();
    for (const api::Answer& answer : check.answers)
        answers.push_back(api::answerRows(answer));
    object["answers"] = std::move(answers);
    if (check.graded) {
        const api::Grade& g = check.grade;
        object["difficulty"] = difficultyJson(check.difficulty);
        object["score"] = g.score;
        object["level"] = g.level;
        object["solver"] = {
            {"result", api::solverResultName(g.solver)}, {"trials", g.trials}, {"scans", g.scans}};
    }
    // Hundredths of a millisecond are as fine as a shared machine's clock means anything.
    object["ms"] = std::round(check.milliseconds * 100) / 100;
    // File names and arguments need not be UTF-8; a byte that is not becomes U+FFFD rather than
    // an exception.
    return object.dump(-1, ' ', false, nlohmann::ordered_json::error_handler_t::replace) + "\n";
}

// Reads every input as varnel convert does, keeping for each problem given literally the
// argument it came from. False when an input could not be read or held anything malformed.
bool readCheckInputs(const std::vector<std::string>& arguments, std::vector<CheckInput>& inputs) {
    bool allRead = true;
    std::vector<api::Puzzle> puzzles;
    for (const std::string& argument : arguments) {
        puzzles.clear();
        allRead = readPuzzleInputs({argument}, puzzles) && allRead;
        const std::string literal = isLiteralArgument(argument) ? trimmed(argument) : "";
        for (api::Puzzle& puzzle : puzzles)
            inputs.push_back({std::move(puzzle), literal});
    }
    return allRead;
}

std::string summary(const int64_t (&counts)[3], size_t checked) {
    std::string text = std::string(LABEL) + ": " + std::to_string(checked) + " problems:";
    const char* separator = " ";
    for (const api::Verdict verdict :
         {api::Verdict::UNIQUE, api::Verdict::MULTIPLE, api::Verdict::NONE}) {
        const int64_t count = counts[static_cast<int>(verdict)];
        if (count == 0) continue;
        text += separator + std::to_string(count) + " " + api::verdictName(verdict);
        separator = ", ";
    }
    return text;
}

int runCheck(const CheckOptions& options) {
    std::vector<CheckInput> inputs;
    bool allRead = readCheckInputs(options.inputs, inputs);
    int64_t counts[3] = {0, 0, 0};
    {
        ProgressLine progress(LABEL, "problems", static_cast<int64_t>(inputs.size()));
        for (size_t i = 0; i < inputs.size(); ++i) {
            const api::Puzzle& p = inputs[i].puzzle;
            const std::string item = placeOf(inputs[i]) + " (" + std::to_string(p.width) + " x " +
                                     std::to_string(p.height) + ")";
            const api::CheckResult check =
                checkOne(p, !options.noGrade, static_cast<int64_t>(i), item, progress);
            if (!check.error.empty()) {
                // The reader hands over usable puzzles only; should one not be, it is reported
                // like a malformed one rather than counted under a verdict.
                progress.message("varnel: " + problemPlace(p) + ": " + check.error);
                allRead = false;
                continue;
            }
            ++counts[static_cast<int>(check.verdict)];
            const std::string text =
                options.json ? jsonReport(inputs[i], check) : textReport(inputs[i], check);
            if (!progress.output(text)) return STATUS_FAILED;
        }
    }
    if (!options.json && inputs.size() > 1) {
        std::fprintf(stderr, "%s\n", summary(counts, inputs.size()).c_str());
    }
    // An input that was not read leaves the verdict on the whole set open: that wins over the
    // verdicts of the problems that were read.
    if (!allRead) return STATUS_FAILED;
    return counts[static_cast<int>(api::Verdict::UNIQUE)] == static_cast<int64_t>(inputs.size())
               ? STATUS_DONE
               : STATUS_NOT_UNIQUE;
}

}  // namespace

void addCheckCommand(CLI::App& app, CommandAction& action) {
    auto options = std::make_shared<CheckOptions>();
    CLI::App* command =
        app.add_subcommand("check", "Decide unique, multiple or none; grade puzzles");
    command->add_flag("--json", options->json,
                      "One JSON object per problem and line instead of text lines");
    command->add_flag("--no-grade", options->noGrade,
                      "Give the verdicts alone, without running the program's own solver");
    command
        ->add_option("INPUT", options->inputs,
                     "A file, - for standard input, a puzz.link URL or a game ID")
        ->required();
    command->footer(
        "Verdicts, decided completely by a SAT solver (CaDiCaL), never undecided:\n"
        "  unique    exactly one loop meets every clue\n"
        "  multiple  two or more do; two of them are shown\n"
        "  none      no loop does\n"
        "A unique problem is graded as a batch grades the problems it makes: its level 1-5\n"
        "and score 0-49, and how the program's own solver ends on it: solved (found), stopped\n"
        "undecided (stopped; the main program's 'found 0 answer(s).') or failed (failed; its\n"
        "'failed to solve.'), with its trials and connectivity passes (scans). The solver runs\n"
        "on unique problems only, and even there a problem with few clues for its size can\n"
        "keep it busy: up to 11 s measured for 36x20 problems without a clue to spare, far\n"
        "longer on larger boards. --no-grade gives the verdicts alone, in milliseconds.\n"
        "\n"
        "Output, one line per problem:\n"
        "  FILE:LINE: 10x10 unique, level 2 (score 14), solved with 3 trials\n"
        "  FILE:LINE: 10x10 multiple, two of its answers:   (both drawn below the line)\n"
        "  FILE:LINE: 10x10 none, no loop meets every clue\n"
        "Where the program's own solver does not solve a unique problem, 'solved with 3\n"
        "trials' reads 'not solved: the solver stops undecided after 3 trials' or '... the\n"
        "solver fails after 3 trials'. A problem given on the command line is named by the\n"
        "argument itself. With more than one problem a count of the verdicts ends the run on\n"
        "standard error. With --json, one object per problem and line:\n"
        "  input (\"FILE:LINE\", or the argument), file and line (for a file), width, height,\n"
        "  verdict, answers (one for unique, two for multiple, none for none; each a list of\n"
        "  height strings of width characters, '#' inside the loop, '.' outside), and for a\n"
        "  graded unique problem score, level and solver ({\"result\": \"found\", \"stopped\"\n"
        "  or \"failed\", \"trials\": T, \"scans\": S}); ms, the time the problem took.\n"
        "\n"
        "Inputs as for varnel convert: a file holds one grid-form problem, or compact lines,\n"
        "URLs and game IDs, one problem per line; '#' lines are comments. A malformed problem\n"
        "is reported as FILE:LINE:COLUMN: what is wrong, and the other problems are still\n"
        "checked. On a terminal a progress line shows on standard error while checking takes\n"
        "long, naming a problem that has run for more than a few seconds.\n"
        "\n"
        "Examples:\n"
        "  varnel check puzzle.txt\n"
        "  varnel check --json batch.dat | jq -c 'select(.verdict != \"unique\") | .input'\n"
        "  varnel check 'https://puzz.link/p?slither/5/5/88adj15783b'\n"
        "\n"
        "Exit status:\n"
        "  0  every problem is unique\n"
        "  1  an input could not be read or held a malformed problem (the other problems were\n"
        "     still checked), or the output could not be written; this wins over 3, as the\n"
        "     set was not checked whole\n"
        "  2  usage: the command line is wrong; nothing was done\n"
        "  3  some problem has several answers or none\n");
    command->callback([options, &action] { action = [options] { return runCheck(*options); }; });
}

}  // namespace varnel
