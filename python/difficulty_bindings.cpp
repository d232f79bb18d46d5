// varnel.Difficulty and varnel.difficulty: a puzzle's difficulty as a person solving it feels it,
// as `varnel check` gives it.
#include <pybind11/stl.h>

#include <cstdio>
#include <optional>
#include <string>

#include "python/bindings.h"
#include "varnel/difficulty.h"

namespace varnel::python {

namespace {

// The techniques with their counts, simplest first, as a dict (which keeps that order).
py::dict techniquesOf(const api::Difficulty& d) {
    py::dict techniques;
    for (const api::TechniqueCount& t : d.techniques)
        techniques[py::str(t.technique)] = t.count;
    return techniques;
}

// The difficulty as `varnel check --json` writes it, as a dict.
py::dict asDict(const api::Difficulty& d) {
    py::dict object;
    object["name"] = d.name;
    object["rank"] = d.rated ? py::object(py::int_(d.rank)) : py::object(py::none());
    object["rating"] = d.rated ? py::object(py::float_(d.rating)) : py::object(py::none());
    object["techniques"] = techniquesOf(d);
    if (!d.rated) object["reason"] = d.reason;
    return object;
}

api::Difficulty graded(const api::Puzzle& puzzle) {
    api::Difficulty result;
    {
        py::gil_scoped_release release;
        result = api::gradeDifficulty(puzzle);
    }
    raiseIfError(result.error);
    return result;
}

// A field of a rated difficulty, None when the ladder did not finish.
template <typename Value>
std::optional<Value> ifRated(const api::Difficulty& d, Value value) {
    return d.rated ? std::optional<Value>(value) : std::nullopt;
}

}  // namespace

void bindDifficulty(py::module_& module) {
    py::class_<api::Difficulty>(
        module, "Difficulty",
        "A puzzle's difficulty as a person solving it feels it: the hardest rank of techniques "
        "the ladder needed (1 easy, 2 medium, 3 hard, 4 expert, 5 extreme) and a rating that "
        "orders puzzles across and within ranks.")
        .def_readonly("rated", &api::Difficulty::rated,
                      "True when the ladder solved the puzzle: rank and rating hold.")
        .def_readonly("name", &api::Difficulty::name,
                      "'easy', 'medium', 'hard', 'expert' or 'extreme'; 'unfinished' when not "
                      "rated.")
        .def_property_readonly(
            "rank", [](const api::Difficulty& d) { return ifRated(d, d.rank); },
            "1-5 when rated, else None.")
        .def_property_readonly(
            "rating", [](const api::Difficulty& d) { return ifRated(d, d.rating); },
            "rank <= rating < rank + 1, in hundredths, when rated; else None.")
        .def_property_readonly("techniques", &techniquesOf,
                               "{technique name: times applied}, simplest technique first.")
        .def_property_readonly(
            "reason",
            [](const api::Difficulty& d) {
                return d.rated ? std::nullopt : std::optional<std::string>(d.reason);
            },
            "Why the ladder stopped when not rated ('several answers, or beyond the deepest "
            "trial'), else None.")
        .def("as_dict", &asDict,
             "The difficulty as `varnel check --json` writes it: name, rank, rating, techniques, "
             "and reason when unfinished.")
        .def("__repr__", [](const api::Difficulty& d) {
            if (!d.rated) return "<varnel.Difficulty unfinished: " + d.reason + ">";
            char rating[32];
            std::snprintf(rating, sizeof rating, "%.2f", d.rating);
            return "<varnel.Difficulty " + d.name + " " + rating + ">";
        });

    module.def("difficulty", &graded, py::arg("puzzle"),
               "The puzzle's difficulty on the ladder, as `varnel check` gives it for a unique "
               "puzzle. A puzzle with several answers or none is 'unfinished', with the reason.");
}

}  // namespace varnel::python
