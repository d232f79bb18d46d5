#include <unistd.h>
#include <CLI/CLI.hpp>

#include <atomic>
#include <charconv>
#include <chrono>
#include <cinttypes>
#include <cstdio>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "companion/exit_status.h"
#include "companion/output_file.h"
#include "companion/problem_output.h"
#include "companion/progress.h"
#include "companion/subcommands.h"
#include "creator/problem_maker.h"
#include "creator/seeded_batch.h"
#include "solver/clue_grid.h"
#include "varnel/difficulty.h"
#include "varnel/make.h"

namespace varnel {

namespace {

constexpr const char* LABEL = "varnel make";

const std::vector<std::string> BUILDER_NAMES = {"strip", "region"};

struct MakeOptions {
    OutputOptions output;      // the form and where it goes
    std::string size;          // --size as given
    std::string count = "1";   // --count as given
    std::string first = "0";   // --first as given
    std::string seed;          // --seed as given; empty: from the clock
    std::string level;         // --level as given
    std::string levels;        // --levels as given
    std::string difficulty;    // --difficulty as given
    std::string difficulties;  // --difficulties as given
    std::string jobs;          // --jobs as given; empty: all cores
    std::string builder;       // --builder as given; empty: the strip builder where it fits
    std::string maxTries;      // --max-tries as given; empty: the library's default, 1000

    // Worked out from the above once parsed: what the library makes (its seed set when run).
    api::MakeOptions make;
    bool seedGiven = false;
};

// Reads text as a decimal number: digits only, no sign and no base prefix (CLI11's own conversion
// would read "010" as octal 8, which a seed must never be). Values past 2^64 - 1 saturate there,
// and pastLimit (when given) says so: a size that large is simply too large, but a seed or a
// count that large is out of range, never quietly read as another number.
bool readDecimal(const std::string& text, uint64_t& value, bool* pastLimit = nullptr) {
    if (text.empty() || text.find_first_not_of("0123456789") != std::string::npos) return false;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value, 10);
    const bool saturated = error == std::errc::result_out_of_range;
    if (saturated) value = UINT64_MAX;
    if (pastLimit != nullptr) *pastLimit = saturated;
    return end == text.data() + text.size();
}

// A decimal option from lowest to highest.
uint64_t decimalOption(const std::string& name, const std::string& text, uint64_t lowest,
                       uint64_t highest) {
    uint64_t value = 0;
    bool pastLimit = false;
    if (!readDecimal(text, value, &pastLimit)) {
        throw CLI::ValidationError(name, "expected a decimal number, found '" + text + "'");
    }
    if (pastLimit || value < lowest || value > highest) {
        throw CLI::ValidationError(name, text + " is out of range: " + std::to_string(lowest) +
                                             " to " + std::to_string(highest));
    }
    return value;
}

// "WxH", both at least 3 and within the solver's labels.
void parseSize(MakeOptions& o) {
    const size_t x = o.size.find_first_of("xX");
    uint64_t w = 0;
    uint64_t h = 0;
    if (x == std::string::npos || !readDecimal(o.size.substr(0, x), w) ||
        !readDecimal(o.size.substr(x + 1), h)) {
        throw CLI::ValidationError("--size", "expected WxH such as 10x10, found '" + o.size + "'");
    }
    if (w < 3 || h < 3) {
        throw CLI::ValidationError("--size", o.size + ": width and height must be at least 3");
    }
    if (w > INT32_MAX || h > INT32_MAX ||
        !fitsSolverLabels(static_cast<int64_t>(w), static_cast<int64_t>(h))) {
        throw CLI::ValidationError("--size",
                                   o.size + " is too large: (W + 2) x (H + 2) may be at most " +
                                       std::to_string(MAX_PADDED_CELLS) + " cells");
    }
    o.make.width = static_cast<int32_t>(w);
    o.make.height = static_cast<int32_t>(h);
}

// "A-B" or "A", levels 1 to 5, A <= B, into the options' levels.
void parseLevels(const std::string& name, const std::string& text, bool rangeAllowed,
                 api::MakeOptions& make) {
    const size_t dash = rangeAllowed ? text.find('-') : std::string::npos;
    if (dash == std::string::npos) {
        make.lowestLevel = static_cast<int32_t>(decimalOption(name, text, 1, 5));
        make.highestLevel = make.lowestLevel;
        return;
    }
    make.lowestLevel = static_cast<int32_t>(decimalOption(name, text.substr(0, dash), 1, 5));
    make.highestLevel = static_cast<int32_t>(decimalOption(name, text.substr(dash + 1), 1, 5));
    if (make.lowestLevel > make.highestLevel) {
        throw CLI::ValidationError(name, text + ": the first level must not exceed the second");
    }
}

// "A-B" or "A", difficulties by name or rank, A not harder than B, into the options'
// difficulties.
void parseDifficulties(const std::string& name, const std::string& text, bool rangeAllowed,
                       api::MakeOptions& make) {
    const api::DifficultyRange range = api::readDifficulties(text, rangeAllowed);
    if (!range.error.empty()) throw CLI::ValidationError(name, range.error);
    make.lowestDifficulty = range.lowest;
    make.highestDifficulty = range.highest;
}

// A seed of 30 bits from the wall clock and the process, short enough to note down.
uint64_t clockSeed() {
    const auto now = std::chrono::system_clock::now().time_since_epoch();
    const uint64_t ticks =
        static_cast<uint64_t>(std::chrono::duration_cast<std::chrono::nanoseconds>(now).count());
    return splitMix64(ticks ^ (static_cast<uint64_t>(::getpid()) << 40)) >> 34;
}

void workOut(MakeOptions& o, const CLI::App& command) {
    checkOutputOptions(o.output, command);
    parseSize(o);
    api::MakeOptions& make = o.make;
    make.count = decimalOption("--count", o.count, 0, api::MOST_PUZZLES_MADE);
    make.first = decimalOption("--first", o.first, 0, UINT64_MAX - make.count);
    o.seedGiven = !o.seed.empty();
    if (o.seedGiven) make.seed = decimalOption("--seed", o.seed, 0, UINT64_MAX);
    if (!o.seedGiven && command.count("--first") > 0) {
        throw CLI::ValidationError("--first", "slices of one batch need its --seed");
    }
    if (!o.level.empty()) parseLevels("--level", o.level, false, make);
    if (!o.levels.empty()) parseLevels("--levels", o.levels, true, make);
    if (!o.difficulty.empty()) parseDifficulties("--difficulty", o.difficulty, false, make);
    if (!o.difficulties.empty()) parseDifficulties("--difficulties", o.difficulties, true, make);
    if (!o.jobs.empty()) {
        make.jobs = static_cast<int32_t>(decimalOption("--jobs", o.jobs, 1, api::MOST_MAKE_JOBS));
    }
    if (!o.maxTries.empty()) {
        make.maxTries =
            static_cast<int32_t>(decimalOption("--max-tries", o.maxTries, 1, api::MOST_MAKE_TRIES));
    }
    if (!o.builder.empty()) {
        const bool strip = o.builder == "strip";
        make.builder = strip ? api::Builder::STRIP : api::Builder::REGION;
        if (!loopBuilderFits(strip ? LoopBuilderKind::STRIP : LoopBuilderKind::REGION, make.width,
                             make.height)) {
            throw CLI::ValidationError("--builder",
                                       "the strip builder makes widths and heights "
                                       "that are multiples of 4 from 4 to 36 only");
        }
    }
    // The command writes the clues; --answer finds the answers to draw when it writes them.
    make.answers = false;
}

int runMake(MakeOptions& o) {
    api::MakeOptions& make = o.make;
    if (!targetHoldsDocuments(o.output, make.count, LABEL)) return STATUS_USAGE;
    // An output file that cannot be written is found out now, not after hours of work.
    if (!o.output.output.empty() && !o.output.outputIsFolder) {
        OutputFile trial;
        if (!trial.open(o.output.output)) return STATUS_FAILED;
        trial.discard();
    }
    if (!o.seedGiven) {
        make.seed = clockSeed();
        std::fprintf(stderr,
                     "%s: seed %" PRIu64 " (make this batch again with --seed %" PRIu64 ")\n",
                     LABEL, make.seed, make.seed);
    }

    std::atomic<int64_t> made{0};
    make.made = &made;
    api::MakeResult result;
    {
        ProgressLine progress(LABEL, "problems", static_cast<int64_t>(make.count));
        progress.follow(&made);
        result = api::make(make);
    }
    if (!result.error.empty()) {
        std::fprintf(stderr, "%s: %s\n", LABEL, result.error.c_str());
        return result.missed ? STATUS_NOT_MADE : STATUS_USAGE;
    }
    std::vector<api::Puzzle> puzzles;
    puzzles.reserve(result.puzzles.size());
    for (api::MadePuzzle& m : result.puzzles)
        puzzles.push_back(std::move(m.puzzle));
    OutputOptions output = o.output;
    output.firstNumber = make.first + 1;
    return writePuzzles(output, puzzles, LABEL);
}

}  // namespace

void addMakeCommand(CLI::App& app, CommandAction& action) {
    auto options = std::make_shared<MakeOptions>();
    CLI::App* command = app.add_subcommand(
        "make", "Make new problems of any size, level or difficulty, reproducibly, in any form");
    command->add_option("--size", options->size, "Board size, W and H from 3 up")
        ->required()
        ->option_text("WxH");
    command->add_option("--count", options->count, "Problems to make (default 1)")
        ->option_text("N");
    command
        ->add_option("--seed", options->seed,
                     "Seed of the batch, 0 to 2^64-1 (default: from the clock, printed)")
        ->option_text("S");
    command
        ->add_option("--first", options->first,
                     "Index of the first problem to make (default 0), for slices of a batch")
        ->option_text("K");
    CLI::Option* level =
        command->add_option("--level", options->level, "Only problems of this level")
            ->option_text("1-5");
    CLI::Option* levels =
        command->add_option("--levels", options->levels, "Only problems of levels A to B")
            ->option_text("A-B");
    level->excludes(levels);
    CLI::Option* difficulty =
        command
            ->add_option("--difficulty", options->difficulty,
                         "Only problems of this difficulty, as a person solving them feels it")
            ->option_text("NAME");
    CLI::Option* difficulties =
        command
            ->add_option("--difficulties", options->difficulties,
                         "Only problems of difficulties A to B (names or ranks 1-5)")
            ->option_text("A-B");
    difficulty->excludes(difficulties);
    for (CLI::Option* byLevel : {level, levels}) {
        difficulty->excludes(byLevel);
        difficulties->excludes(byLevel);
    }
    command->add_option("--jobs", options->jobs, "Threads to make problems on (default: all cores)")
        ->option_text("J");
    command
        ->add_option("--builder", options->builder,
                     "Random loops from strips (sizes multiples of 4 up to 36, the default "
                     "there) or a grown region (any size); to compare the two")
        ->check(CLI::IsMember(BUILDER_NAMES))
        ->option_text("strip|region");
    command
        ->add_option("--max-tries", options->maxTries,
                     "Tries per problem before giving up on the asked levels (default 1000)")
        ->option_text("N");
    addOutputOptions(*command, options->output);
    // Made problems always carry their level
    command->remove_option(command->get_option("--default-level"));
    // and have exactly one answer.
    command->remove_option(command->get_option("--both-answers"));
    command->footer(
        "Problem K of seed S (K from 0) is made from a random source of its own, a 64-bit\n"
        "generator started at splitmix64(splitmix64(S) xor K). A batch is therefore the same\n"
        "whatever --jobs is and however it is split: --first 0 --count 500 followed by\n"
        "--first 500 --count 500 is byte for byte --count 1000 with the same --seed. The\n"
        "sources of different problems never share their draws, so a batch repeats a problem\n"
        "only when two draws happen to make the same one, which on boards of 7x7 and more is\n"
        "below one chance in billions. Without --seed the seed comes from the clock and is\n"
        "printed on standard error.\n"
        "\n"
        "Difficulties: --difficulty easy|medium|hard|expert|extreme (or --difficulties A-B)\n"
        "makes each problem for a difficulty as a person solving it feels it (see varnel\n"
        "check): from a random loop's full clues, clues are taken away while the puzzle stays\n"
        "solvable with techniques up to that difficulty, so easy puzzles keep more clues. A\n"
        "try whose puzzle turns out easier than asked is made again, like a level; compact\n"
        "lines still carry the level.\n"
        "\n"
        "Levels: with --level or --levels a problem is made again from its own source until\n"
        "its level fits, which keeps it reproducible; after --max-tries tries the run stops\n"
        "and says which levels the tries reached. Sizes reach different levels: 7x7 mostly\n"
        "level 1, rarely 2 and 5, never 3 or 4; 10x10 to 18x10 all five; from 25x15 up\n"
        "mostly 4 and 5, where one try takes from a tenth of a second (25x15) to minutes\n"
        "(60x60). Not every try keeps a problem (about half on 7x7, two in three on 10x10\n"
        "and 18x10, nearly all from 36x20 up), so a level takes more tries than its share\n"
        "of the kept problems suggests: measured, 7x7 level 2 about 30 tries and level 5\n"
        "about 80, 10x10 level 4 about 12.\n"
        "\n"
        "Every problem has exactly one answer, found by the program's own solver, and compact\n"
        "lines carry its level. Problems are written in problem order once all are made; a\n"
        "failed or interrupted run writes nothing. On a terminal a progress line shows on\n"
        "standard error.\n"
        "\n" +
        std::string(OUTPUT_HELP) +
        "\n"
        "Examples:\n"
        "  varnel make --size 10x10 --count 50 --level 3 --seed 7 -o level3.dat\n"
        "  varnel make --size 10x10 --count 20 --difficulty easy --seed 7 -o easy.dat\n"
        "  varnel make --size 12x20 --count 12 --seed 7 --to svg --sheet -o portrait/\n"
        "  parallel -k varnel make --size 10x10 --seed 7 --count 50 --first {} --jobs 1 \\\n"
        "      ::: 0 50 100 150 > batch.dat\n"
        "\n"
        "Exit status:\n"
        "  0  every problem was made and written\n"
        "  1  the output could not be written (nothing is left behind)\n"
        "  2  usage: the command line is wrong; nothing was done\n"
        "  3  a problem of the asked levels was not found within the tries; nothing was\n"
        "     written\n");
    command->callback([options, command, &action] {
        workOut(*options, *command);
        action = [options] { return runMake(*options); };
    });
}

}  // namespace varnel
