#include "checker/problem_check.h"

#include <cadical.hpp>

#include <cassert>
#include <utility>

#include "checker/colour_encoding.h"
#include "checker/loop_cuts.h"

namespace varnel {
namespace {

// CaDiCaL's answers to solve().
constexpr int SATISFIABLE = 10;
[[maybe_unused]] constexpr int UNSATISFIABLE = 20;  // read by the assert only

void addClauses(CaDiCaL::Solver& sat, const ClauseList& clauses) {
    for (const int32_t literal : clauses.literals)
        sat.add(literal);
}

CellColours coloursFromModel(CaDiCaL::Solver& sat, int32_t cells) {
    CellColours colours(static_cast<size_t>(cells), 0);
    for (int32_t i = 0; i < cells; ++i)
        colours[i] = sat.val(cellVariable(i)) > 0 ? 1 : 0;
    return colours;
}

// True when every clause of clauses is false under colours. Each loop cut must be, or the SAT
// solver could return the same colouring again and the check would never end.
[[maybe_unused]] bool everyClauseFalse(const ClauseList& clauses, const CellColours& colours) {
    bool someTrue = false;
    for (const int32_t literal : clauses.literals) {
        if (literal == 0) {
            if (someTrue) return false;
            continue;
        }
        const int32_t variable = literal > 0 ? literal : -literal;
        if ((colours[cellOfVariable(variable)] != 0) == (literal > 0)) someTrue = true;
    }
    return true;
}

}  // namespace

// One SAT solver serves the whole check: every solve call keeps what the earlier ones learnt, and
// the loop cuts and the banned answer only ever add clauses, each true of every answer not yet
// found.
CheckResult checkProblem(const uint8_t* grid, int32_t width, int32_t height) {
    CheckResult result;
    if (width < 1 || height < 1) return result;
    assert(static_cast<int64_t>(width) * height < MAX_CHECKED_CELLS);
    const int32_t cells = width * height;

    CaDiCaL::Solver sat;
    // The library would otherwise print messages ("c ...") on standard output.
    sat.set("quiet", 1);
    // The lucky phase tries a dozen trivial assignments before every solve call; they seldom fit
    // a problem with clues, and without them the 608 Loopy puzzles of the benchmark take about
    // 17% less time.
    sat.set("lucky", 0);
    ClauseList clauses;
    encodeProblem(grid, width, height, clauses);
    addClauses(sat, clauses);

    LoopCutter cutter;
    while (result.answers.size() < 2) {
        ++result.satCalls;
        const int status = sat.solve();
        // Without limits or a terminator CaDiCaL always decides.
        assert(status == SATISFIABLE || status == UNSATISFIABLE);
        if (status != SATISFIABLE) break;
        CellColours colours = coloursFromModel(sat, cells);
        clauses.clear();
        const int32_t cuts = cutter.cut(colours, width, height, clauses);
        assert(everyClauseFalse(clauses, colours));
        if (cuts == 0) {
            // One loop: an answer. Ban it, so the next answer found is a different one.
            encodeAnswerBan(colours, clauses);
            result.answers.push_back(std::move(colours));
        }
        result.loopCuts += cuts;
        if (result.answers.size() < 2) addClauses(sat, clauses);
    }
    result.verdict = result.answers.empty()       ? Verdict::NONE
                     : result.answers.size() == 1 ? Verdict::UNIQUE
                                                  : Verdict::MULTIPLE;
    return result;
}

}  // namespace varnel
