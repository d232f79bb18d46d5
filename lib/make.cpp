#include "varnel/make.h"

#include <omp.h>

#include <atomic>
#include <mutex>
#include <utility>

#include "creator/seeded_batch.h"
#include "lib/records.h"
#include "solver/cell_colours.h"
#include "solver/solve_entry.h"

namespace varnel::api {

namespace {

// The limits of `varnel make`: puzzles one run keeps in memory, threads, tries per puzzle.
constexpr uint64_t MOST_PUZZLES = 1'000'000;
constexpr int32_t MOST_JOBS = 4096;
constexpr int32_t MOST_TRIES = 1'000'000'000;

std::string sizeText(const MakeOptions& o) {
    return std::to_string(o.width) + "x" + std::to_string(o.height);
}

// Why the options cannot be made; empty when they can. kind receives the loop builder.
std::string optionsError(const MakeOptions& o, LoopBuilderKind& kind) {
    if (o.width < 3 || o.height < 3) return sizeText(o) + ": width and height must be at least 3";
    if (!fitsSolverLabels(o.width, o.height)) {
        return sizeText(o) + " is too large: (W + 2) x (H + 2) may be at most " +
               std::to_string(MAX_PADDED_CELLS) + " cells";
    }
    if (o.count > MOST_PUZZLES) {
        return "count " + std::to_string(o.count) + " is out of range: 0 to " +
               std::to_string(MOST_PUZZLES);
    }
    if (o.first > UINT64_MAX - o.count) {
        return "first " + std::to_string(o.first) + " and count " + std::to_string(o.count) +
               " run past the last index, 2^64 - 1";
    }
    if (o.lowestLevel < 1 || o.highestLevel > 5 || o.lowestLevel > o.highestLevel) {
        return "levels " + std::to_string(o.lowestLevel) + "-" + std::to_string(o.highestLevel) +
               ": levels are 1 to 5, the lowest first";
    }
    if (o.jobs < 0 || o.jobs > MOST_JOBS) {
        return "jobs " + std::to_string(o.jobs) + " is out of range: 0 (every core) to " +
               std::to_string(MOST_JOBS);
    }
    if (o.maxTries < 1 || o.maxTries > MOST_TRIES) {
        return "max tries " + std::to_string(o.maxTries) + " is out of range: 1 to " +
               std::to_string(MOST_TRIES);
    }
    switch (o.builder) {
        case Builder::AUTOMATIC:
            kind = defaultLoopBuilder(o.width, o.height);
            return "";
        case Builder::STRIP:
            kind = LoopBuilderKind::STRIP;
            break;
        case Builder::REGION:
            kind = LoopBuilderKind::REGION;
            break;
        default:
            return "unknown builder " + std::to_string(static_cast<int>(o.builder));
    }
    if (!loopBuilderFits(kind, o.width, o.height)) {
        return "the strip builder makes widths and heights that are multiples of 4 from 4 to 36 "
               "only";
    }
    return "";
}

std::string levelText(const MakeOptions& o) {
    if (o.lowestLevel == o.highestLevel) return "level " + std::to_string(o.lowestLevel);
    return "levels " + std::to_string(o.lowestLevel) + "-" + std::to_string(o.highestLevel);
}

// What the tries of a puzzle that found none of the asked levels did find.
std::string missMessage(const MakeOptions& o, uint64_t index, const SeededProblem& miss) {
    std::string text = "problem " + std::to_string(index) + " of seed " + std::to_string(o.seed) +
                       ": no " + sizeText(o) + " problem of " + levelText(o) + " in " +
                       std::to_string(miss.tries) + " tries";
    std::vector<std::string> parts;
    for (int32_t level = LOWEST_LEVEL; level <= HIGHEST_LEVEL; ++level) {
        if (miss.levelsReached[level] == 0) continue;
        parts.push_back(std::to_string(miss.levelsReached[level]) + " of level " +
                        std::to_string(level));
    }
    if (parts.empty()) return text + ", and none of them made a problem";
    std::string reached;
    for (size_t n = 0; n < parts.size(); ++n) {
        reached += n == 0 ? "" : n + 1 == parts.size() ? " and " : ", ";
        reached += parts[n];
    }
    return text + ", which made " + reached;
}

// The answer of a made puzzle, which the program's own solver solves by construction.
Answer answerOfMade(const ClueGrid& grid, int32_t width, int32_t height) {
    CellColours colours;
    const AnswerPrinter keep = [&colours](const SolverBoard& board) { colours = coloursOf(board); };
    solveClues(grid.data(), width, height, &keep);
    return answerOf(colours, width, height);
}

}  // namespace

MakeResult make(const MakeOptions& o) {
    MakeResult result;
    LoopBuilderKind kind = LoopBuilderKind::STRIP;
    result.error = optionsError(o, kind);
    if (!result.error.empty()) return result;

    const int64_t count = static_cast<int64_t>(o.count);
    const int32_t threads = o.jobs == 0 ? omp_get_num_procs() : o.jobs;
    const LevelRange levels{o.lowestLevel, o.highestLevel};
    std::vector<MadePuzzle> made(static_cast<size_t>(count));
    // The caller's flag, when given, is also the one a miss sets to stop the other threads.
    std::atomic<bool> ownStop{false};
    std::atomic<bool>& stop = o.stop != nullptr ? *o.stop : ownStop;
    std::mutex missLock;
    bool missed = false;
    uint64_t missIndex = 0;
    SeededProblem miss;
    // As `varnel make` does: puzzles dealt out one at a time, each from its own source, so the
    // schedule changes nothing in the output; a lone puzzle is made on one thread that judges its
    // candidate clues on all of them.
    const int32_t outerThreads = count == 1 ? 1 : threads;
    const int32_t judgeThreads = count == 1 ? threads : 1;
#pragma omp parallel num_threads(outerThreads)
    {
        SeededProblem seeded;
#pragma omp for schedule(dynamic, 1)
        for (int64_t i = 0; i < count; ++i) {
            if (stop.load(std::memory_order_relaxed)) continue;
            const uint64_t index = o.first + static_cast<uint64_t>(i);
            if (!makeSeededProblem(o.seed, index, o.width, o.height, levels, kind, o.maxTries,
                                   seeded, &stop, judgeThreads)) {
                if (seeded.stopped) continue;
                std::lock_guard<std::mutex> lock(missLock);
                if (!missed || index < missIndex) {
                    missed = true;
                    missIndex = index;
                    miss = seeded;
                }
                stop.store(true);
                continue;
            }
            MadePuzzle& out = made[static_cast<size_t>(i)];
            out.puzzle.width = o.width;
            out.puzzle.height = o.height;
            out.puzzle.level = seeded.level;
            out.puzzle.source = "seed " + std::to_string(o.seed) + " problem";
            out.puzzle.line = static_cast<int64_t>(index);
            out.puzzle.clues.resize(seeded.grid.size());
            for (size_t c = 0; c < seeded.grid.size(); ++c) {
                out.puzzle.clues[c] =
                    seeded.grid[c] <= 3 ? static_cast<int8_t>(seeded.grid[c]) : NO_CLUE;
            }
            out.answer = answerOfMade(seeded.grid, o.width, o.height);
            out.score = seeded.score;
            out.index = index;
            out.tries = seeded.tries;
            if (o.made != nullptr) o.made->fetch_add(1);
        }
    }
    if (missed) {
        result.error = missMessage(o, missIndex, miss);
        return result;
    }
    if (stop.load()) {
        result.stopped = true;
        return result;
    }
    result.puzzles = std::move(made);
    return result;
}

}  // namespace varnel::api
