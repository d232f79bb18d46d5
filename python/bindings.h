#pragma once

// The Python module varnel, over the library's public headers only: one registration function per
// part of the module, each in a file of its own.

#include <pybind11/pybind11.h>

#include <string>
#include <vector>

#include "varnel/answer.h"
#include "varnel/puzzle.h"

namespace varnel::python {

namespace py = pybind11;

// Puzzle: parse, parse_all, the constructor from clues, width, height, clues, level, to().
void bindPuzzle(py::module_& module);

// check, grade, solve and verify with their result classes.
void bindCheck(py::module_& module);

// Difficulty and difficulty().
void bindDifficulty(py::module_& module);

// make and MadePuzzle.
void bindMake(py::module_& module);

// explain, ExplainStep and Explanation.
void bindExplain(py::module_& module);

// An answer as rows of '#' (inside) and '.' (outside), as Python sees answers.
std::vector<std::string> rowsOf(const api::Answer& answer);

// Rows of '#' and '.' as the answer of a puzzle; ValueError when they do not fit it.
api::Answer answerOfRows(const api::Puzzle& puzzle, const std::vector<std::string>& rows);

// Throws ValueError with text when it is not empty.
void raiseIfError(const std::string& text);

}  // namespace varnel::python
