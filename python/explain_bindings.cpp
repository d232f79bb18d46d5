// varnel.explain and the classes of its result: a walkthrough of a puzzle, or the mistakes on a
// player's board and the next step. The walkthrough runs without the interpreter lock.
#include <pybind11/stl.h>

#include <optional>

#include "python/bindings.h"
#include "varnel/explain.h"

namespace varnel::python {

namespace {

api::ExplainResult explained(const api::Puzzle& puzzle, const std::optional<std::string>& progress,
                             bool next, bool detail) {
    api::ExplainOptions options;
    options.progress = progress.value_or("");
    options.next = next;
    options.detail = detail;
    api::ExplainResult result;
    {
        py::gil_scoped_release release;
        result = api::explain(puzzle, options);
    }
    raiseIfError(result.error);
    return result;
}

// A step's places as a dict of lists, the way varnel explain --to json writes them.
py::dict readsOf(const api::ExplainStep& s) {
    py::dict reads;
    reads["cells"] = s.readCells;
    reads["points"] = s.readPoints;
    reads["sides"] = s.readSides;
    return reads;
}

py::dict decidesOf(const api::ExplainStep& s) {
    py::dict decides;
    decides["on"] = s.on;
    decides["off"] = s.off;
    decides["inside"] = s.inside;
    decides["outside"] = s.outside;
    return decides;
}

}  // namespace

void bindExplain(py::module_& module) {
    py::class_<api::ExplainStep>(module, "ExplainStep", "One step of a walkthrough.")
        .def_readonly("number", &api::ExplainStep::number, "1-based, in the order taken.")
        .def_readonly("rank", &api::ExplainStep::rank, "1 easy .. 5 extreme.")
        .def_readonly("technique", &api::ExplainStep::technique, "The technique's name.")
        .def_readonly("text", &api::ExplainStep::text, "The step in one sentence.")
        .def_property_readonly("reads", &readsOf,
                               "What it read: {'cells': [...], 'points': [...], 'sides': [...]}.")
        .def_property_readonly(
            "decides", &decidesOf,
            "What it decided: {'on': [...], 'off': [...], 'inside': [...], 'outside': [...]}.")
        .def("__repr__", [](const api::ExplainStep& s) {
            return "<varnel.ExplainStep " + std::to_string(s.number) + ": " + s.technique + ">";
        });

    py::class_<api::ExplainResult>(module, "Explanation",
                                   "A walkthrough, or the mistakes and the next step.")
        .def_readonly("steps", &api::ExplainResult::steps, "The steps, or the one next step.")
        .def_readonly("mistakes", &api::ExplainResult::mistakes,
                      "The player's marks that disagree with the one answer, as sentences.")
        .def_readonly("end", &api::ExplainResult::end,
                      "'solved', 'several answers', 'no answer', 'beyond the deepest trial' or "
                      "'beyond the work budget'; for next: 'step', 'solved', 'from the answer' "
                      "or 'none'.")
        .def_readonly("reason", &api::ExplainResult::reason,
                      "Why the steps stop short of the answer; empty when they do not.")
        .def_readonly("revealed", &api::ExplainResult::revealed,
                      "For next 'from the answer': one side of the answer, 'r3c5 top is a line'.")
        .def_readonly("difficulty", &api::ExplainResult::difficulty,
                      "'easy' .. 'extreme', or 'unfinished'.")
        .def_property_readonly(
            "rating",
            [](const api::ExplainResult& r) {
                return r.rank > 0 ? std::optional<double>(r.rating) : std::nullopt;
            },
            "rank <= rating < rank + 1; None when unfinished.")
        .def_property_readonly(
            "answer",
            [](const api::ExplainResult& r) {
                return r.answer.empty() ? std::nullopt : std::optional(r.answer);
            },
            "The one answer's rows ('#' inside, '.' outside) when the walkthrough reaches it, "
            "else None.")
        .def_readonly("text", &api::ExplainResult::text, "All of it as `varnel explain` prints it.")
        .def("__repr__", [](const api::ExplainResult& r) {
            return "<varnel.Explanation " + r.end + ", " + std::to_string(r.steps.size()) +
                   " steps>";
        });

    module.def("explain", &explained, py::arg("puzzle"), py::arg("progress") = py::none(),
               py::arg("next") = false, py::arg("detail") = false,
               "A walkthrough of the puzzle as `varnel explain` gives it: its steps, simplest "
               "technique first, each with its sentence. progress: a player's board drawn as "
               "`varnel convert --to ascii` draws it, with crosses; its mistakes come first and "
               "the steps start from its correct marks. next=True: the next step only (a hint). "
               "ValueError when the progress drawing cannot be read.");
}

}  // namespace varnel::python
