// varnel.make: reproducible puzzles with their answers, byte for byte those of `varnel make`.
// The work runs on a thread of its own without the interpreter lock, so that Ctrl-C (or any
// signal handler that raises) stops it between attempts.
#include <pybind11/stl.h>

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <optional>
#include <random>
#include <thread>
#include <variant>

#include "python/bindings.h"
#include "varnel/difficulty.h"
#include "varnel/make.h"

namespace varnel::python {

namespace {

// A made puzzle as Python sees it.
struct MadeForPython {
    api::Puzzle puzzle;
    std::vector<std::string> answer;            // rows of '#' and '.'
    std::optional<int32_t> score;               // made by level: its score; for a difficulty: None
    std::optional<api::Difficulty> difficulty;  // made for a difficulty: its difficulty; else None
    uint64_t index = 0;
    uint64_t seed = 0;
    int32_t tries = 0;
};

// level: None for any, a level 1-5, a pair (lowest, highest), or "A-B".
using Levels = std::variant<std::monostate, int, std::pair<int, int>, std::string>;

void readLevels(const Levels& levels, api::MakeOptions& options) {
    if (const int* one = std::get_if<int>(&levels)) {
        options.lowestLevel = *one;
        options.highestLevel = *one;
    } else if (const auto* pair = std::get_if<std::pair<int, int>>(&levels)) {
        options.lowestLevel = pair->first;
        options.highestLevel = pair->second;
    } else if (const std::string* text = std::get_if<std::string>(&levels)) {
        const size_t dash = text->find('-');
        try {
            options.lowestLevel = std::stoi(text->substr(0, dash));
            options.highestLevel =
                dash == std::string::npos ? options.lowestLevel : std::stoi(text->substr(dash + 1));
        } catch (const std::exception&) {
            throw py::value_error("level '" + *text + "': expected a level 1-5 or a range 'A-B'");
        }
    }
}

// One end of a range of difficulties: a name ("hard", "3") or a rank.
using DifficultyEnd = std::variant<int, std::string>;

// difficulty: None for any (made by level), a name or rank, "A-B", or a pair (A, B).
using Difficulties =
    std::variant<std::monostate, int, std::string, std::pair<DifficultyEnd, DifficultyEnd>>;

std::string textOf(const DifficultyEnd& end) {
    if (const int* rank = std::get_if<int>(&end)) return std::to_string(*rank);
    return std::get<std::string>(end);
}

// Read as `varnel make --difficulties` reads its argument; ValueError with its message on a name
// that is none.
void readDifficulties(const Difficulties& difficulties, api::MakeOptions& options) {
    std::string text;
    if (const int* rank = std::get_if<int>(&difficulties)) {
        text = std::to_string(*rank);
    } else if (const std::string* given = std::get_if<std::string>(&difficulties)) {
        text = *given;
    } else if (const auto* pair =
                   std::get_if<std::pair<DifficultyEnd, DifficultyEnd>>(&difficulties)) {
        text = textOf(pair->first) + "-" + textOf(pair->second);
    } else {
        return;
    }
    const api::DifficultyRange range = api::readDifficulties(text);
    raiseIfError(range.error);
    options.lowestDifficulty = range.lowest;
    options.highestDifficulty = range.highest;
}

api::Builder builderOf(const std::optional<std::string>& name) {
    if (!name) return api::Builder::AUTOMATIC;
    if (*name == "strip") return api::Builder::STRIP;
    if (*name == "region") return api::Builder::REGION;
    throw py::value_error("builder '" + *name + "': 'strip', 'region' or None");
}

// Runs make on a thread of its own while this one, without the interpreter lock, wakes every
// tenth of a second to let Python handle signals; a raised signal stops the run.
api::MakeResult makeInterruptibly(api::MakeOptions options, bool& interrupted) {
    std::atomic<bool> stop{false};
    options.stop = &stop;
    api::MakeResult result;
    std::string failure;
    std::mutex lock;
    std::condition_variable finished;
    bool done = false;
    py::gil_scoped_release release;
    std::thread worker([&] {
        try {
            result = api::make(options);
        } catch (const std::exception& error) {
            failure = error.what();
        }
        std::lock_guard<std::mutex> guard(lock);
        done = true;
        finished.notify_one();
    });
    std::unique_lock<std::mutex> guard(lock);
    while (!finished.wait_for(guard, std::chrono::milliseconds(100), [&] { return done; })) {
        if (interrupted) continue;
        guard.unlock();
        {
            py::gil_scoped_acquire acquire;
            interrupted = PyErr_CheckSignals() != 0;
        }
        if (interrupted) stop.store(true);
        guard.lock();
    }
    guard.unlock();
    worker.join();
    if (!failure.empty()) result.error = failure;
    return result;
}

std::vector<MadeForPython> made(int32_t width, int32_t height, uint64_t count,
                                std::optional<uint64_t> seed, uint64_t first, const Levels& level,
                                const Difficulties& difficulty, int32_t jobs,
                                const std::optional<std::string>& builder, int32_t maxTries) {
    api::MakeOptions options;
    options.width = width;
    options.height = height;
    options.count = count;
    // Without a seed, 30 random bits, kept in every made puzzle so the batch can be made again.
    options.seed = seed ? *seed : std::random_device{}() >> 2;
    options.first = first;
    readLevels(level, options);
    readDifficulties(difficulty, options);
    options.jobs = jobs;
    options.builder = builderOf(builder);
    options.maxTries = maxTries;
    bool interrupted = false;
    api::MakeResult result = makeInterruptibly(options, interrupted);
    if (interrupted) throw py::error_already_set();
    raiseIfError(result.error);
    std::vector<MadeForPython> puzzles;
    puzzles.reserve(result.puzzles.size());
    const bool forDifficulty = options.lowestDifficulty != 0;
    for (api::MadePuzzle& m : result.puzzles) {
        MadeForPython p{std::move(m.puzzle), rowsOf(m.answer), std::nullopt, std::nullopt, m.index,
                        options.seed,        m.tries};
        if (forDifficulty) {
            p.difficulty = std::move(m.difficulty);
        } else {
            p.score = m.score;
        }
        puzzles.push_back(std::move(p));
    }
    return puzzles;
}

}  // namespace

void bindMake(py::module_& module) {
    py::class_<MadeForPython>(module, "MadePuzzle", "A made puzzle with its one answer.")
        .def_readonly("puzzle", &MadeForPython::puzzle, "The Puzzle, its level set.")
        .def_readonly("answer", &MadeForPython::answer,
                      "Its one answer: rows of '#' (inside the loop) and '.' (outside).")
        .def_property_readonly(
            "level", [](const MadeForPython& m) { return m.puzzle.level; }, "Its level 1-5.")
        .def_readonly("score", &MadeForPython::score,
                      "Its score 0-49 when made by level; None when made for a difficulty.")
        .def_readonly("difficulty", &MadeForPython::difficulty,
                      "Its Difficulty when made for one, as varnel.difficulty gives it; else "
                      "None.")
        .def_readonly("index", &MadeForPython::index, "K: puzzle K of the seed.")
        .def_readonly("seed", &MadeForPython::seed, "The batch's seed.")
        .def_readonly("tries", &MadeForPython::tries,
                      "Attempts it took, failed ones and ones of other levels or difficulties "
                      "included.")
        .def("__repr__", [](const MadeForPython& m) {
            return "<varnel.MadePuzzle " + std::to_string(m.index) + " of seed " +
                   std::to_string(m.seed) + ": " + std::to_string(m.puzzle.width) + "x" +
                   std::to_string(m.puzzle.height) +
                   (m.difficulty ? " " + m.difficulty->name : std::string()) + " level " +
                   std::to_string(m.puzzle.level) + ">";
        });

    module.def("make", &made, py::arg("width"), py::arg("height"), py::arg("count") = 1,
               py::arg("seed") = py::none(), py::arg("first") = 0, py::arg("level") = py::none(),
               py::arg("difficulty") = py::none(), py::arg("jobs") = 0,
               py::arg("builder") = py::none(), py::arg("max_tries") = api::DEFAULT_MAKE_TRIES,
               "Makes puzzles first .. first + count - 1 of a seed, byte for byte those of "
               "`varnel make --size WxH --count N --seed S --first K` (with --level/--levels or "
               "--difficulty/--difficulties, --jobs, --builder, --max-tries): a list of "
               "MadePuzzle, each with its answer. level: None, a level 1-5, a pair (lowest, "
               "highest) or 'A-B'. difficulty: None, a name ('easy' .. 'extreme') or rank 1-5, "
               "a pair ('easy', 'hard') or 'easy-hard'; not with level. jobs: threads, 0 for "
               "every core. seed None: a random one, kept in each MadePuzzle. ValueError when "
               "an option is out of range or not a difficulty, or when a puzzle of the levels "
               "or difficulties is not found within max_tries.");
}

}  // namespace varnel::python
