// varnel.Puzzle: one puzzle, read from any input form or built from its clues, written in any
// output form.
#include <pybind11/stl.h>

#include <optional>
#include <variant>

#include "python/bindings.h"
#include "varnel/check.h"
#include "varnel/read.h"
#include "varnel/write.h"

namespace varnel::python {

namespace {

using Clues = std::vector<std::vector<std::optional<int>>>;

// Every puzzle of a text; ValueError with the positioned messages of every malformed one.
std::vector<api::Puzzle> parseAll(const std::string& text, const std::string& source) {
    api::ReadResult read = api::readPuzzles(text, source);
    raiseIfError(read.error);
    return std::move(read.puzzles);
}

api::Puzzle parseOne(const std::string& text, const std::string& source) {
    std::vector<api::Puzzle> puzzles = parseAll(text, source);
    if (puzzles.size() != 1) {
        throw py::value_error(source + " holds " + std::to_string(puzzles.size()) +
                              " puzzles; Puzzle.parse_all reads them all");
    }
    return std::move(puzzles.front());
}

api::Puzzle fromClues(const Clues& rows, int level) {
    api::Puzzle puzzle;
    puzzle.height = static_cast<int32_t>(rows.size());
    puzzle.width = rows.empty() ? 0 : static_cast<int32_t>(rows.front().size());
    for (size_t y = 0; y < rows.size(); ++y) {
        if (rows[y].size() != static_cast<size_t>(puzzle.width)) {
            throw py::value_error("row " + std::to_string(y + 1) + " has " +
                                  std::to_string(rows[y].size()) + " cells, row 1 has " +
                                  std::to_string(puzzle.width));
        }
        for (const std::optional<int>& clue : rows[y]) {
            if (clue && (*clue < 0 || *clue > 3)) {
                throw py::value_error("clue " + std::to_string(*clue) + " in row " +
                                      std::to_string(y + 1) + " is not 0 to 3 (None for none)");
            }
            puzzle.clues.push_back(clue ? static_cast<int8_t>(*clue) : api::NO_CLUE);
        }
    }
    if (level < 0 || level > 5) {
        throw py::value_error("level " + std::to_string(level) + " is not 1 to 5 (0 for none)");
    }
    puzzle.level = level;
    puzzle.source = "<clues>";
    puzzle.line = 1;
    raiseIfError(api::puzzleError(puzzle));
    return puzzle;
}

Clues cluesOf(const api::Puzzle& puzzle) {
    Clues rows(static_cast<size_t>(puzzle.height));
    for (int32_t y = 0; y < puzzle.height; ++y) {
        for (int32_t x = 0; x < puzzle.width; ++x) {
            const int8_t clue = api::clueAt(puzzle, x, y);
            rows[static_cast<size_t>(y)].push_back(clue == api::NO_CLUE ? std::nullopt
                                                                        : std::optional<int>(clue));
        }
    }
    return rows;
}

// What to draw in to(): nothing, the one answer (True), or the given answers' rows.
using AnswerChoice =
    std::variant<bool, std::vector<std::string>, std::vector<std::vector<std::string>>>;

std::string written(const api::Puzzle& puzzle, const std::string& formName,
                    const std::optional<AnswerChoice>& answer, int level,
                    const std::string& title) {
    api::WriteOptions options;
    if (!api::formFromName(formName, options.form)) {
        throw py::value_error("unknown form '" + formName +
                              "': compact, grid, url, loopy, ascii or svg");
    }
    options.level = level;
    options.title = title;
    if (answer) {
        if (const bool* find = std::get_if<bool>(&*answer)) {
            if (*find) {
                api::CheckResult check;
                {
                    py::gil_scoped_release release;
                    check = api::check(puzzle, {false});
                }
                raiseIfError(check.error);
                if (check.verdict != api::Verdict::UNIQUE) {
                    throw py::value_error(
                        std::string("no answer to draw: the puzzle has ") +
                        (check.verdict == api::Verdict::NONE
                             ? "no answer"
                             : "several answers (pass two of them to draw both)"));
                }
                options.answers = std::move(check.answers);
            }
        } else if (const auto* rows = std::get_if<std::vector<std::string>>(&*answer)) {
            options.answers.push_back(answerOfRows(puzzle, *rows));
        } else {
            for (const std::vector<std::string>& each :
                 std::get<std::vector<std::vector<std::string>>>(*answer))
                options.answers.push_back(answerOfRows(puzzle, each));
        }
    }
    api::WriteResult result;
    {
        // A compact line of a puzzle without a level grades it, which can take long.
        py::gil_scoped_release release;
        result = api::writePuzzle(puzzle, options);
    }
    raiseIfError(result.error);
    return result.text;
}

}  // namespace

void bindPuzzle(py::module_& module) {
    py::class_<api::Puzzle>(module, "Puzzle",
                            "A loop puzzle: a width x height grid of cells, some holding a clue "
                            "0-3.")
        .def(py::init(&fromClues), py::arg("clues"), py::arg("level") = 0,
             "A puzzle from its rows of clues, top row first: 0-3, or None for a cell without "
             "clue; level 1-5, or 0 for none.")
        .def_static("parse", &parseOne, py::arg("text"), py::arg("source") = "<text>",
                    "The one puzzle of a text in any input form: the grid form, a compact line, "
                    "a puzz.link URL or a Loopy game ID. ValueError with the positioned message "
                    "when it is malformed or holds another number of puzzles.")
        .def_static("parse_all", &parseAll, py::arg("text"), py::arg("source") = "<text>",
                    "Every puzzle of a text: a grid, or compact lines, URLs and game IDs, one "
                    "per line, '#' lines comments. ValueError with the positioned messages of "
                    "every malformed puzzle.")
        .def_property_readonly(
            "width", [](const api::Puzzle& p) { return p.width; }, "Cells per row.")
        .def_property_readonly(
            "height", [](const api::Puzzle& p) { return p.height; }, "Rows.")
        .def_property_readonly("clues", &cluesOf,
                               "The clues as a list of rows, top row first: 0-3, or None.")
        .def_property_readonly(
            "level",
            [](const api::Puzzle& p) {
                return p.level == 0 ? std::nullopt : std::optional<int>(p.level);
            },
            "The level 1-5 the input gave (a compact line) or make made, else None.")
        .def_property_readonly(
            "source", [](const api::Puzzle& p) { return p.source; },
            "Where the puzzle was read (the source given to parse), or made.")
        .def_property_readonly(
            "line", [](const api::Puzzle& p) { return p.line; },
            "The line of the source where it starts; a made puzzle's index.")
        .def("to", &written, py::arg("form") = "compact", py::arg("answer") = py::none(),
             py::arg("level") = 0, py::arg("title") = "",
             "The puzzle in a form: 'compact', 'grid', 'url', 'loopy', 'ascii' or 'svg', "
             "byte for byte as `varnel convert --to FORM` writes it. ascii and svg draw "
             "answer: True for the puzzle's one answer (ValueError when it has not exactly "
             "one), or an answer's rows, or a list of them. level: the level of a compact line "
             "(0: the puzzle's own, else its grade). title: the caption of an svg picture.")
        .def("__eq__",
             [](const api::Puzzle& a, const api::Puzzle& b) {
                 return a.width == b.width && a.height == b.height && a.clues == b.clues;
             })
        .def("__repr__", [](const api::Puzzle& p) {
            std::string id = written(p, "loopy", std::nullopt, 0, "");
            id.pop_back();  // the line end
            if (id.size() > 60) {
                id.resize(57);
                id += "...";
            }
            return "<varnel.Puzzle " + std::to_string(p.width) + "x" + std::to_string(p.height) +
                   (p.level == 0 ? std::string() : " level " + std::to_string(p.level)) + " " + id +
                   ">";
        });
}

}  // namespace varnel::python
