// The Python module varnel: loop puzzles (slitherlink-like) read and written in every form,
// checked completely, graded, made reproducibly with their answers, and proposed answers
// verified, through the varnel library.
#include "python/bindings.h"

#include "varnel/version.h"

namespace varnel::python {

std::vector<std::string> rowsOf(const api::Answer& answer) {
    return api::answerRows(answer);
}

api::Answer answerOfRows(const api::Puzzle& puzzle, const std::vector<std::string>& rows) {
    if (rows.size() != static_cast<size_t>(puzzle.height)) {
        throw py::value_error("an answer of " + std::to_string(rows.size()) +
                              " rows for a puzzle of " + std::to_string(puzzle.height));
    }
    api::Answer answer{puzzle.width, puzzle.height, {}};
    for (size_t y = 0; y < rows.size(); ++y) {
        if (rows[y].size() != static_cast<size_t>(puzzle.width)) {
            throw py::value_error("row " + std::to_string(y + 1) + " of the answer has " +
                                  std::to_string(rows[y].size()) + " cells, not " +
                                  std::to_string(puzzle.width));
        }
        for (const char c : rows[y]) {
            if (c != '#' && c != '.') {
                throw py::value_error(std::string("answer rows hold '#' (inside) and '.' "
                                                  "(outside), not '") +
                                      c + "'");
            }
            answer.inside.push_back(c == '#' ? 1 : 0);
        }
    }
    return answer;
}

void raiseIfError(const std::string& text) {
    if (!text.empty()) throw py::value_error(text);
}

}  // namespace varnel::python

PYBIND11_MODULE(varnel, module) {
    module.doc() =
        "Loop puzzles (slitherlink-like): read and write them in every form, check that a puzzle "
        "has exactly one answer, grade it and rate its difficulty, make reproducible puzzles with "
        "their answers, and "
        "verify proposed answers. Errors raise ValueError with the positioned message.";
    module.attr("__version__") = varnel::api::version();
    varnel::python::bindPuzzle(module);
    varnel::python::bindCheck(module);
    varnel::python::bindDifficulty(module);
    varnel::python::bindMake(module);
    varnel::python::bindExplain(module);
}
