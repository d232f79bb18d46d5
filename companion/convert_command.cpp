#include <CLI/CLI.hpp>

#include <memory>
#include <string>
#include <vector>

#include "companion/exit_status.h"
#include "companion/inputs.h"
#include "companion/problem_output.h"
#include "companion/subcommands.h"

namespace varnel {

namespace {

struct ConvertOptions {
    OutputOptions output;             // the form and where it goes
    std::vector<std::string> inputs;  // INPUT arguments, as given
};

int runConvert(const ConvertOptions& options) {
    std::vector<api::Puzzle> puzzles;
    const bool allRead = readPuzzleInputs(options.inputs, puzzles);
    // Nothing read at all because of bad input: an existing output file is left as it was.
    if (puzzles.empty() && !allRead) return STATUS_FAILED;
    const int status = writePuzzles(options.output, puzzles, "varnel convert");
    return status == STATUS_DONE && !allRead ? STATUS_FAILED : status;
}

}  // namespace

void addConvertCommand(CLI::App& app, CommandAction& action) {
    auto options = std::make_shared<ConvertOptions>();
    CLI::App* command = app.add_subcommand(
        "convert", "Convert problems between forms, or draw them in ASCII or SVG");
    addOutputOptions(*command, options->output);
    command
        ->add_option("INPUT", options->inputs,
                     "A file, - for standard input, a puzz.link URL or a game ID")
        ->required();
    command->footer(
        "Inputs: a file holds one grid-form problem, or compact lines, URLs and game IDs, one\n"
        "problem per line; '#' lines are comments. A malformed problem is reported as\n"
        "FILE:LINE:COLUMN: what is wrong, and the other problems are still converted.\n"
        "\n"
        "Answers: --answer draws the loop of a problem that the complete check (as in varnel\n"
        "check) finds to have exactly one answer; a problem with several answers or none is\n"
        "drawn with its clues alone, and a warning says why. --both-answers draws a problem\n"
        "with several answers twice, with two different answers: two drawings one after the\n"
        "other in ascii, two pictures side by side in one svg document, two places on a sheet.\n"
        "\n"
        "Levels: compact lines and svg titles show a level; a problem given without one is\n"
        "graded, which on a problem with few clues for its size can take very long:\n"
        "--default-level gives such problems that level instead.\n"
        "\n" +
        std::string(OUTPUT_HELP) +
        "\n"
        "Examples:\n"
        "  varnel convert --to url batch.dat\n"
        "  varnel convert --to ascii --answer 'https://puzz.link/p?slither/3/3/6788c'\n"
        "  varnel convert --to svg --sheet --answer puzzle.txt | rsvg-convert -f pdf -o one.pdf\n"
        "  varnel convert --to svg --sheet -o pages/ batch.dat\n"
        "  rsvg-convert -f pdf -o batch.pdf pages/page-*.svg\n"
        "  varnel convert --to svg --answer -o pictures/ batch.dat\n"
        "(A sheet of up to 6 problems, or --per-page N, is one page and can go to a pipe; more\n"
        "problems make several pages, which go to a folder.)\n"
        "\n"
        "Exit status:\n" +
        std::string(COMMON_STATUS_HELP));
    command->callback([options, command, &action] {
        checkOutputOptions(options->output, *command);
        action = [options] { return runConvert(*options); };
    });
}

}  // namespace varnel
