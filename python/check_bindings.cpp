// varnel.check, grade, solve and verify, and the classes of their results (Difficulty is bound in
// difficulty_bindings.cpp). The long calls run without the interpreter lock.
#include <pybind11/stl.h>

#include <optional>
#include <variant>

#include "python/bindings.h"
#include "varnel/check.h"
#include "varnel/grade.h"
#include "varnel/solve.h"
#include "varnel/verify.h"

namespace varnel::python {

namespace {

api::CheckResult checked(const api::Puzzle& puzzle, bool grade) {
    api::CheckResult result;
    {
        py::gil_scoped_release release;
        result = api::check(puzzle, {grade});
    }
    raiseIfError(result.error);
    return result;
}

api::Grade graded(const api::Puzzle& puzzle) {
    api::Grade result;
    {
        py::gil_scoped_release release;
        result = api::grade(puzzle);
    }
    raiseIfError(result.error);
    return result;
}

api::SolveReport solved(const api::Puzzle& puzzle) {
    api::SolveReport result;
    {
        py::gil_scoped_release release;
        result = api::solve(puzzle);
    }
    raiseIfError(result.error);
    return result;
}

// An answer to verify: text in any of the three forms, or rows of '#' and '.'.
using ProposedAnswer = std::variant<std::string, std::vector<std::string>>;

api::VerifyResult verified(const api::Puzzle& puzzle, const ProposedAnswer& answer,
                           const std::string& source) {
    std::string text;
    if (const std::string* given = std::get_if<std::string>(&answer)) {
        text = *given;
    } else {
        for (const std::string& row : std::get<std::vector<std::string>>(answer))
            text += row + "\n";
    }
    api::VerifyResult result;
    {
        py::gil_scoped_release release;
        result = api::verify(puzzle, text, source);
    }
    raiseIfError(result.error);
    return result;
}

std::vector<std::vector<std::string>> answersOf(const std::vector<api::Answer>& answers) {
    std::vector<std::vector<std::string>> rows;
    rows.reserve(answers.size());
    for (const api::Answer& answer : answers)
        rows.push_back(rowsOf(answer));
    return rows;
}

// A field of a graded check, None when the puzzle was not graded.
template <typename Value>
std::optional<Value> ifGraded(const api::CheckResult& r, Value value) {
    return r.graded ? std::optional<Value>(value) : std::nullopt;
}

}  // namespace

void bindCheck(py::module_& module) {
    py::class_<api::CheckResult>(module, "CheckResult",
                                 "The complete check of a puzzle, as `varnel check` gives it.")
        .def_property_readonly(
            "verdict", [](const api::CheckResult& r) { return api::verdictName(r.verdict); },
            "'unique', 'multiple' or 'none'.")
        .def_property_readonly(
            "answers", [](const api::CheckResult& r) { return answersOf(r.answers); },
            "The one answer, two of several, or none; each a list of rows, '#' inside the loop "
            "and '.' outside.")
        .def_property_readonly(
            "difficulty", [](const api::CheckResult& r) { return ifGraded(r, r.difficulty); },
            "The Difficulty of a graded unique puzzle (name, rank, rating, techniques), else "
            "None.")
        .def_property_readonly(
            "level", [](const api::CheckResult& r) { return ifGraded(r, r.grade.level); },
            "The level 1-5 of a graded unique puzzle, else None.")
        .def_property_readonly(
            "score", [](const api::CheckResult& r) { return ifGraded(r, r.grade.score); },
            "The score 0-49 of a graded unique puzzle, else None.")
        .def_property_readonly(
            "solver",
            [](const api::CheckResult& r) {
                return ifGraded(r, std::string(api::solverResultName(r.grade.solver)));
            },
            "How the program's own solver ended on a graded unique puzzle: 'found', 'stopped' "
            "or 'failed'; else None.")
        .def_property_readonly(
            "trials", [](const api::CheckResult& r) { return ifGraded(r, r.grade.trials); },
            "The solver's trial deductions, for a graded unique puzzle.")
        .def_property_readonly(
            "scans", [](const api::CheckResult& r) { return ifGraded(r, r.grade.scans); },
            "The solver's connectivity passes, for a graded unique puzzle.")
        .def_readonly("ms", &api::CheckResult::milliseconds, "Milliseconds the check took.")
        .def("__repr__", [](const api::CheckResult& r) {
            return std::string("<varnel.CheckResult ") + api::verdictName(r.verdict) +
                   (r.graded ? " " + r.difficulty.name + " level " + std::to_string(r.grade.level)
                             : std::string()) +
                   ">";
        });

    py::class_<api::Grade>(module, "Grade", "The creator's grade of a puzzle.")
        .def_readonly("score", &api::Grade::score, "0-49, from the solver's work per cell.")
        .def_readonly("level", &api::Grade::level, "1-5: score // 10 + 1.")
        .def_property_readonly(
            "solver", [](const api::Grade& g) { return api::solverResultName(g.solver); },
            "'found', 'stopped' or 'failed'.")
        .def_readonly("trials", &api::Grade::trials, "Trial deductions.")
        .def_readonly("scans", &api::Grade::scans, "Connectivity passes.")
        .def_readonly("sweep_sets", &api::Grade::sweepSets, "Sets one sweep leaves.")
        .def_readonly("branched", &api::Grade::branched, "The branching step ran.")
        .def("__repr__", [](const api::Grade& g) {
            return "<varnel.Grade level " + std::to_string(g.level) + " score " +
                   std::to_string(g.score) + ">";
        });

    py::class_<api::SolveReport>(module, "SolveReport",
                                 "The main program's solve of a puzzle (varnel_solver s).")
        .def_readonly("verdict", &api::SolveReport::verdict,
                      "'found 1 answer(s).', 'found 0 answer(s).' or 'failed to solve.'")
        .def_property_readonly(
            "result", [](const api::SolveReport& s) { return api::solverResultName(s.result); },
            "'found', 'stopped' or 'failed'.")
        .def_readonly("trials", &api::SolveReport::trials, "Trial deductions.")
        .def_readonly("scans", &api::SolveReport::scans, "Connectivity passes.")
        .def_readonly("sets", &api::SolveReport::sets, "Sets left at the end.")
        .def_readonly("sweep_sets", &api::SolveReport::sweepSets, "Sets one sweep leaves.")
        .def_readonly("branched", &api::SolveReport::branched, "The branching step ran.")
        .def_readonly("diagram", &api::SolveReport::diagram,
                      "The answer diagram the main program prints, when found.")
        .def_property_readonly(
            "answer",
            [](const api::SolveReport& s) {
                return s.answer.inside.empty() ? std::nullopt : std::optional(rowsOf(s.answer));
            },
            "The answer's rows when found, else None.");

    py::class_<api::VerifyResult>(module, "Verdict",
                                  "Whether a proposed answer is valid, and if not, why.")
        .def_readonly("valid", &api::VerifyResult::valid, "Every rule holds.")
        .def_property_readonly(
            "rule", [](const api::VerifyResult& v) { return api::ruleName(v.rule); },
            "The first rule broken: 'size', 'drawn-clue', 'no-line', 'point', 'loops' or "
            "'clue'; 'valid' when none is.")
        .def_readonly("reason", &api::VerifyResult::reason,
                      "That rule, positioned: 'clue 3 at r4c6 has 2 sides on the loop'; empty "
                      "when valid.")
        .def_property_readonly(
            "form", [](const api::VerifyResult& v) { return api::answerFormName(v.form); },
            "How the answer was given: 'drawing', 'colouring' or 'sides'.")
        .def("__bool__", [](const api::VerifyResult& v) { return v.valid; })
        .def("__repr__", [](const api::VerifyResult& v) {
            return v.valid ? std::string("<varnel.Verdict valid>")
                           : "<varnel.Verdict invalid: " + v.reason + ">";
        });

    module.def("check", &checked, py::arg("puzzle"), py::arg("grade") = true,
               "The complete check of `varnel check`: verdict, answers, and for a unique "
               "puzzle its difficulty and its grade (level, score, solver, trials, scans) unless "
               "grade=False.");
    module.def("grade", &graded, py::arg("puzzle"),
               "The creator's grade of a puzzle: score, level and the solver's outcome.");
    module.def("solve", &solved, py::arg("puzzle"),
               "The main program's solve: its verdict line, counters and answer.");
    module.def("verify", &verified, py::arg("puzzle"), py::arg("answer"),
               py::arg("source") = "<answer>",
               "Verifies a proposed answer: text as an ascii drawing, rows of '#' and '.', or "
               "one side per line ('r3c5 top'), or a list of rows. Returns a Verdict (true when "
               "valid); ValueError with the positioned message when the answer cannot be read.");
}

}  // namespace varnel::python
