#include <omp.h>
#include <unistd.h>
#include <CLI/CLI.hpp>

#include <atomic>
#include <charconv>
#include <chrono>
#include <cinttypes>
#include <cstdio>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "companion/exit_status.h"
#include "companion/output_file.h"
#include "companion/problem_output.h"
#include "companion/progress.h"
#include "companion/subcommands.h"
#include "creator/seeded_batch.h"
#include "ladder/techniques.h"
#include "solver/clue_grid.h"

namespace varnel {

namespace {

constexpr const char* LABEL = "varnel make";

// Tries per problem before a run gives up on the asked levels; enough for every level that a
// size reaches in one try out of a hundred (a miss then has odds of e^-10).
constexpr int64_t DEFAULT_MAX_TRIES = 1000;
constexpr int64_t MOST_TRIES = 1'000'000'000;
// Problems one run keeps in memory before it writes them; larger batches are made in slices.
constexpr int64_t MOST_PROBLEMS = 1'000'000;
constexpr int64_t MOST_JOBS = 4096;

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
    std::string maxTries;      // --max-tries as given; empty: DEFAULT_MAX_TRIES

    // Worked out from the above once parsed.
    int32_t width = 0;
    int32_t height = 0;
    uint64_t problemCount = 1;
    uint64_t firstIndex = 0;
    uint64_t batchSeed = 0;
    bool seedGiven = false;
    LevelRange levelRange;
    bool byDifficulty = false;  // problems made for a difficulty, not by the creator's grade
    DifficultyRange rankRange;  // the difficulties asked for
    int32_t threads = 1;
    LoopBuilderKind kind = LoopBuilderKind::STRIP;
    int32_t triesPerProblem = static_cast<int32_t>(DEFAULT_MAX_TRIES);
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
    o.width = static_cast<int32_t>(w);
    o.height = static_cast<int32_t>(h);
}

// "A-B" or "A", levels 1 to 5, A <= B.
LevelRange parseLevels(const std::string& name, const std::string& text, bool rangeAllowed) {
    const size_t dash = rangeAllowed ? text.find('-') : std::string::npos;
    LevelRange range;
    if (dash == std::string::npos) {
        range.lowest = static_cast<int32_t>(decimalOption(name, text, 1, 5));
        range.highest = range.lowest;
        return range;
    }
    range.lowest = static_cast<int32_t>(decimalOption(name, text.substr(0, dash), 1, 5));
    range.highest = static_cast<int32_t>(decimalOption(name, text.substr(dash + 1), 1, 5));
    if (range.lowest > range.highest) {
        throw CLI::ValidationError(name, text + ": the first level must not exceed the second");
    }
    return range;
}

// A difficulty given by name (easy .. extreme) or rank (1 .. 5).
int32_t parseRank(const std::string& name, const std::string& text) {
    const int32_t rank = rankNamed(text);
    if (rank != 0) return rank;
    uint64_t value = 0;
    if (readDecimal(text, value) && value >= RANK_EASY && value <= HIGHEST_RANK) {
        return static_cast<int32_t>(value);
    }
    throw CLI::ValidationError(name, "'" + text +
                                         "' is not a difficulty: easy, medium, hard, expert or "
                                         "extreme (or 1 to 5)");
}

// "A-B" or "A", difficulties by name or rank, A not harder than B.
DifficultyRange parseDifficulties(const std::string& name, const std::string& text,
                                  bool rangeAllowed) {
    const size_t dash = rangeAllowed ? text.find('-') : std::string::npos;
    DifficultyRange range;
    if (dash == std::string::npos) {
        range.lowest = parseRank(name, text);
        range.highest = range.lowest;
        return range;
    }
    range.lowest = parseRank(name, text.substr(0, dash));
    range.highest = parseRank(name, text.substr(dash + 1));
    if (range.lowest > range.highest) {
        throw CLI::ValidationError(
            name, text + ": the first difficulty must not be harder than the second");
    }
    return range;
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
    o.problemCount = decimalOption("--count", o.count, 0, MOST_PROBLEMS);
    o.firstIndex = decimalOption("--first", o.first, 0, UINT64_MAX - o.problemCount);
    o.seedGiven = !o.seed.empty();
    if (o.seedGiven) o.batchSeed = decimalOption("--seed", o.seed, 0, UINT64_MAX);
    if (!o.seedGiven && command.count("--first") > 0) {
        throw CLI::ValidationError("--first", "slices of one batch need its --seed");
    }
    if (!o.level.empty()) o.levelRange = parseLevels("--level", o.level, false);
    if (!o.levels.empty()) o.levelRange = parseLevels("--levels", o.levels, true);
    if (!o.difficulty.empty()) o.rankRange = parseDifficulties("--difficulty", o.difficulty, false);
    if (!o.difficulties.empty()) {
        o.rankRange = parseDifficulties("--difficulties", o.difficulties, true);
    }
    o.byDifficulty = !o.difficulty.empty() || !o.difficulties.empty();
    o.threads = o.jobs.empty()
                    ? omp_get_num_procs()
                    : static_cast<int32_t>(decimalOption("--jobs", o.jobs, 1, MOST_JOBS));
    if (!o.maxTries.empty()) {
        o.triesPerProblem =
            static_cast<int32_t>(decimalOption("--max-tries", o.maxTries, 1, MOST_TRIES));
    }
    if (o.builder.empty()) {
        o.kind = defaultLoopBuilder(o.width, o.height);
    } else {
        o.kind = o.builder == "strip" ? LoopBuilderKind::STRIP : LoopBuilderKind::REGION;
        if (!loopBuilderFits(o.kind, o.width, o.height)) {
            throw CLI::ValidationError("--builder",
                                       "the strip builder makes widths and heights "
                                       "that are multiples of 4 from 4 to 36 only");
        }
    }
}

std::string levelText(const LevelRange& range) {
    if (range.lowest == range.highest) return "level " + std::to_string(range.lowest);
    return "levels " + std::to_string(range.lowest) + "-" + std::to_string(range.highest);
}

std::string difficultyText(const DifficultyRange& range) {
    if (range.lowest == range.highest) return std::string("difficulty ") + rankName(range.lowest);
    return std::string("difficulties ") + rankName(range.lowest) + "-" + rankName(range.highest);
}

// What the tries of a problem made for a difficulty found when none fitted: each try makes a
// problem no harder than the asked range, but some come out easier.
std::string difficultyMissMessage(const MakeOptions& o, uint64_t seed, uint64_t index,
                                  const SeededProblem& miss) {
    const std::string size = std::to_string(o.width) + "x" + std::to_string(o.height);
    std::string text = std::string(LABEL) + ": problem " + std::to_string(index) + " of seed " +
                       std::to_string(seed) + ": no " + size + " problem of " +
                       difficultyText(o.rankRange) + " in " + std::to_string(miss.tries) + " tries";
    std::vector<std::string> parts;
    for (int32_t rank = RANK_EASY; rank <= HIGHEST_RANK; ++rank) {
        if (miss.ranksReached[rank] == 0) continue;
        parts.push_back(std::to_string(miss.ranksReached[rank]) + " " + rankName(rank));
    }
    std::string reached;
    for (size_t n = 0; n < parts.size(); ++n) {
        reached += n == 0 ? "" : n + 1 == parts.size() ? " and " : ", ";
        reached += parts[n];
    }
    if (parts.empty()) reached = "none that could be rated";
    return text + ", which made " + reached +
           ": this size may be too small for it; ask for another difficulty or more tries "
           "(--max-tries)";
}

// What the tries of a problem that found none of the asked levels did find. Many tries keep no
// problem at all (on small boards about half of them), so the message says how many did.
std::string missMessage(const MakeOptions& o, uint64_t seed, uint64_t index,
                        const SeededProblem& miss) {
    const std::string size = std::to_string(o.width) + "x" + std::to_string(o.height);
    std::string text = std::string(LABEL) + ": problem " + std::to_string(index) + " of seed " +
                       std::to_string(seed) + ": no " + size + " problem of " +
                       levelText(o.levelRange) + " in " + std::to_string(miss.tries) + " tries";
    std::vector<std::string> parts;
    int32_t kept = 0;
    for (int32_t level = LOWEST_LEVEL; level <= HIGHEST_LEVEL; ++level) {
        if (miss.levelsReached[level] == 0) continue;
        kept += miss.levelsReached[level];
        parts.push_back(std::to_string(miss.levelsReached[level]) + " of level " +
                        std::to_string(level));
    }
    if (parts.empty()) {
        return text +
               ", and none of them kept a problem: try another size or more tries "
               "(--max-tries)";
    }
    std::string reached;
    for (size_t n = 0; n < parts.size(); ++n) {
        reached += n == 0 ? "" : n + 1 == parts.size() ? " and " : ", ";
        reached += parts[n];
    }
    return text + "; " + std::to_string(kept) + " of them kept a problem (" + reached +
           "), the others none: ask for levels this size reaches (--level, --levels) or for "
           "more tries (--max-tries)";
}

int runMake(const MakeOptions& o) {
    if (!targetHoldsDocuments(o.output, o.problemCount, LABEL)) return STATUS_USAGE;
    // An output file that cannot be written is found out now, not after hours of work.
    if (!o.output.output.empty() && !o.output.outputIsFolder) {
        OutputFile trial;
        if (!trial.open(o.output.output)) return STATUS_FAILED;
        trial.discard();
    }
    const uint64_t seed = o.seedGiven ? o.batchSeed : clockSeed();
    if (!o.seedGiven) {
        std::fprintf(stderr,
                     "%s: seed %" PRIu64 " (make this batch again with --seed %" PRIu64 ")\n",
                     LABEL, seed, seed);
    }

    const int64_t count = static_cast<int64_t>(o.problemCount);
    std::vector<InputProblem> problems(static_cast<size_t>(count));
    std::atomic<bool> stop{false};
    std::atomic<int64_t> done{0};
    std::mutex missLock;
    bool missed = false;
    uint64_t missIndex = 0;
    SeededProblem miss;
    {
        ProgressLine progress(LABEL, "problems", count);
        // Dynamic scheduling: one slow problem keeps one thread, the others take the next ones.
        // Every problem comes from its own source, so the schedule changes nothing in the output.
        // A lone problem is made on one thread that judges its candidate clues on all of them.
        const int32_t outerThreads = count == 1 ? 1 : o.threads;
        const int32_t judgeThreads = count == 1 ? o.threads : 1;
#pragma omp parallel num_threads(outerThreads)
        {
            SeededProblem made;
#pragma omp for schedule(dynamic, 1)
            for (int64_t i = 0; i < count; ++i) {
                if (stop.load(std::memory_order_relaxed)) continue;
                const uint64_t index = o.firstIndex + static_cast<uint64_t>(i);
                const bool ok =
                    o.byDifficulty
                        ? makeSeededProblemOfDifficulty(seed, index, o.width, o.height, o.rankRange,
                                                        o.kind, o.triesPerProblem, made, &stop)
                        : makeSeededProblem(seed, index, o.width, o.height, o.levelRange, o.kind,
                                            o.triesPerProblem, made, &stop, judgeThreads);
                if (!ok) {
                    if (made.stopped) continue;
                    std::lock_guard<std::mutex> lock(missLock);
                    if (!missed || index < missIndex) {
                        missed = true;
                        missIndex = index;
                        miss = made;
                    }
                    stop.store(true);
                    continue;
                }
                InputProblem& problem = problems[static_cast<size_t>(i)];
                problem.source = "seed " + std::to_string(seed) + " problem";
                problem.line = static_cast<int64_t>(index);
                problem.width = o.width;
                problem.height = o.height;
                problem.level = made.level;
                problem.grid = made.grid;
                progress.begin(done.fetch_add(1) + 1, "");
            }
        }
    }
    if (missed) {
        const std::string message = o.byDifficulty ? difficultyMissMessage(o, seed, missIndex, miss)
                                                   : missMessage(o, seed, missIndex, miss);
        std::fprintf(stderr, "%s\n", message.c_str());
        return STATUS_NOT_MADE;
    }
    OutputOptions output = o.output;
    output.firstNumber = o.firstIndex + 1;
    return writeProblems(output, problems, LABEL);
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
