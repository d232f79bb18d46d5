#include "varnel/make.h"

#include <omp.h>

#include <atomic>
#include <cstdint>
#include <mutex>
#include <utility>

#include "checker/problem_check.h"
#include "creator/seeded_batch.h"
#include "ladder/techniques.h"
#include "lib/records.h"

namespace varnel::api {

namespace {

std::string sizeText(const MakeOptions& o) {
    return std::to_string(o.width) + "x" + std::to_string(o.height);
}

bool byDifficulty(const MakeOptions& o) {
    return o.lowestDifficulty != 0 || o.highestDifficulty != 0;
}

// Why the levels or difficulties cannot be asked for; empty when they can.
std::string rangeError(const MakeOptions& o) {
    if (o.lowestLevel < LOWEST_LEVEL || o.highestLevel > HIGHEST_LEVEL ||
        o.lowestLevel > o.highestLevel) {
        return "levels " + std::to_string(o.lowestLevel) + "-" + std::to_string(o.highestLevel) +
               ": levels are 1 to 5, the lowest first";
    }
    if (!byDifficulty(o)) return "";
    if (o.lowestDifficulty < RANK_EASY || o.highestDifficulty > HIGHEST_RANK ||
        o.lowestDifficulty > o.highestDifficulty) {
        return "difficulties " + std::to_string(o.lowestDifficulty) + "-" +
               std::to_string(o.highestDifficulty) +
               ": difficulties are 1 (easy) to 5 (extreme), the easiest first";
    }
    if (o.lowestLevel != LOWEST_LEVEL || o.highestLevel != HIGHEST_LEVEL) {
        return "puzzles are made for levels or for difficulties, not both";
    }
    return "";
}

// Why the options cannot be made; empty when they can. kind receives the loop builder.
std::string optionsError(const MakeOptions& o, LoopBuilderKind& kind) {
    if (o.width < 3 || o.height < 3) return sizeText(o) + ": width and height must be at least 3";
    if (!fitsSolverLabels(o.width, o.height)) {
        return sizeText(o) + " is too large: (W + 2) x (H + 2) may be at most " +
               std::to_string(MAX_PADDED_CELLS) + " cells";
    }
    if (o.count > MOST_PUZZLES_MADE) {
        return "count " + std::to_string(o.count) + " is out of range: 0 to " +
               std::to_string(MOST_PUZZLES_MADE);
    }
    if (o.first > UINT64_MAX - o.count) {
        return "first " + std::to_string(o.first) + " and count " + std::to_string(o.count) +
               " run past the last index, 2^64 - 1";
    }
    std::string error = rangeError(o);
    if (!error.empty()) return error;
    if (o.jobs < 0 || o.jobs > MOST_MAKE_JOBS) {
        return "jobs " + std::to_string(o.jobs) + " is out of range: 0 (every core) to " +
               std::to_string(MOST_MAKE_JOBS);
    }
    if (o.maxTries < 1 || o.maxTries > MOST_MAKE_TRIES) {
        return "max tries " + std::to_string(o.maxTries) + " is out of range: 1 to " +
               std::to_string(MOST_MAKE_TRIES);
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

// "a, b and c".
std::string listed(const std::vector<std::string>& parts) {
    std::string text;
    for (size_t n = 0; n < parts.size(); ++n) {
        text += n == 0 ? "" : n + 1 == parts.size() ? " and " : ", ";
        text += parts[n];
    }
    return text;
}

std::string missStart(const MakeOptions& o, uint64_t index, const std::string& asked,
                      int32_t tries) {
    return "problem " + std::to_string(index) + " of seed " + std::to_string(o.seed) + ": no " +
           sizeText(o) + " problem of " + asked + " in " + std::to_string(tries) + " tries";
}

// What the tries of a puzzle that found none of the asked levels did find. Many tries keep no
// puzzle at all (on small boards about half of them), so the message says how many did.
std::string levelMiss(const MakeOptions& o, uint64_t index, const SeededProblem& miss) {
    const std::string asked =
        o.lowestLevel == o.highestLevel
            ? "level " + std::to_string(o.lowestLevel)
            : "levels " + std::to_string(o.lowestLevel) + "-" + std::to_string(o.highestLevel);
    const std::string text = missStart(o, index, asked, miss.tries);
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
    return text + "; " + std::to_string(kept) + " of them kept a problem (" + listed(parts) +
           "), the others none: ask for levels this size reaches (--level, --levels) or for "
           "more tries (--max-tries)";
}

// What the tries of a puzzle made for a difficulty found when none fitted: each try makes a
// puzzle no harder than the asked range, but some come out easier.
std::string difficultyMiss(const MakeOptions& o, uint64_t index, const SeededProblem& miss) {
    const std::string asked = o.lowestDifficulty == o.highestDifficulty
                                  ? std::string("difficulty ") + rankName(o.lowestDifficulty)
                                  : std::string("difficulties ") + rankName(o.lowestDifficulty) +
                                        "-" + rankName(o.highestDifficulty);
    std::vector<std::string> parts;
    for (int32_t rank = RANK_EASY; rank <= HIGHEST_RANK; ++rank) {
        if (miss.ranksReached[rank] == 0) continue;
        parts.push_back(std::to_string(miss.ranksReached[rank]) + " " + rankName(rank));
    }
    return missStart(o, index, asked, miss.tries) + ", which made " +
           (parts.empty() ? "none that could be rated" : listed(parts)) +
           ": this size may be too small for it; ask for another difficulty or more tries "
           "(--max-tries)";
}

// Problem index of the batch, made by level or for a difficulty.
bool makeOne(const MakeOptions& o, uint64_t index, LoopBuilderKind kind, int32_t judgeThreads,
             const std::atomic<bool>& stop, SeededProblem& seeded) {
    if (byDifficulty(o)) {
        const varnel::DifficultyRange ranks{o.lowestDifficulty, o.highestDifficulty};
        return makeSeededProblemOfDifficulty(o.seed, index, o.width, o.height, ranks, kind,
                                             o.maxTries, seeded, &stop);
    }
    const LevelRange levels{o.lowestLevel, o.highestLevel};
    return makeSeededProblem(o.seed, index, o.width, o.height, levels, kind, o.maxTries, seeded,
                             &stop, judgeThreads);
}

// A made problem in the library's words.
MadePuzzle madePuzzle(const MakeOptions& o, uint64_t index, const SeededProblem& seeded) {
    MadePuzzle out;
    out.puzzle.width = o.width;
    out.puzzle.height = o.height;
    out.puzzle.level = seeded.level;
    out.puzzle.source = "seed " + std::to_string(o.seed) + " problem";
    out.puzzle.line = static_cast<int64_t>(index);
    out.puzzle.clues.resize(seeded.grid.size());
    for (size_t c = 0; c < seeded.grid.size(); ++c)
        out.puzzle.clues[c] = seeded.grid[c] <= 3 ? static_cast<int8_t>(seeded.grid[c]) : NO_CLUE;
    // The complete check finds the one answer of either kind of puzzle; the program's own solver
    // need not solve one made for a difficulty.
    if (o.answers) {
        const varnel::CheckResult check = checkProblem(seeded.grid.data(), o.width, o.height);
        if (!check.answers.empty()) out.answer = answerOf(check.answers.front(), o.width, o.height);
    }
    out.score = byDifficulty(o) ? -1 : seeded.score;
    if (byDifficulty(o)) out.difficulty = difficultyOf(seeded.difficulty);
    out.index = index;
    out.tries = seeded.tries;
    return out;
}

}  // namespace

MakeResult make(const MakeOptions& o) {
    MakeResult result;
    LoopBuilderKind kind = LoopBuilderKind::STRIP;
    result.error = optionsError(o, kind);
    if (!result.error.empty()) return result;

    const int64_t count = static_cast<int64_t>(o.count);
    const int32_t threads = o.jobs == 0 ? omp_get_num_procs() : o.jobs;
    std::vector<MadePuzzle> made(static_cast<size_t>(count));
    std::atomic<bool> ownStop{false};
    std::atomic<bool>& stop = o.stop != nullptr ? *o.stop : ownStop;
    // A miss skips the puzzles after it but lets the ones before it, already begun, finish: the
    // miss reported is the first one in the batch, whatever the threads' timing.
    std::atomic<uint64_t> firstMiss{UINT64_MAX};
    std::mutex missLock;
    bool missed = false;
    uint64_t missIndex = 0;
    SeededProblem miss;
    // Dynamic scheduling: one slow puzzle keeps one thread, the others take the next ones. Every
    // puzzle comes from its own source, so the schedule changes nothing in the output. A lone
    // puzzle made by level is made on one thread that judges its candidate clues on all of them.
    const int32_t outerThreads = count == 1 ? 1 : threads;
    const int32_t judgeThreads = count == 1 ? threads : 1;
#pragma omp parallel num_threads(outerThreads)
    {
        SeededProblem seeded;
#pragma omp for schedule(dynamic, 1)
        for (int64_t i = 0; i < count; ++i) {
            const uint64_t index = o.first + static_cast<uint64_t>(i);
            if (stop.load(std::memory_order_relaxed) || index > firstMiss.load()) continue;
            if (!makeOne(o, index, kind, judgeThreads, stop, seeded)) {
                if (seeded.stopped) continue;
                std::lock_guard<std::mutex> lock(missLock);
                if (!missed || index < missIndex) {
                    missed = true;
                    missIndex = index;
                    miss = seeded;
                }
                firstMiss.store(missIndex);
                continue;
            }
            made[static_cast<size_t>(i)] = madePuzzle(o, index, seeded);
            if (o.made != nullptr) o.made->fetch_add(1);
        }
    }
    if (missed) {
        result.missed = true;
        result.error =
            byDifficulty(o) ? difficultyMiss(o, missIndex, miss) : levelMiss(o, missIndex, miss);
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
