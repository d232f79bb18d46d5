#include "ladder/ladder_run.h"

#include <algorithm>
#include <cassert>

#include "ladder/techniques.h"

namespace varnel {

namespace {

constexpr size_t SCOPE_COUNT = static_cast<size_t>(TechniqueScope::WHOLE) + 1;

size_t scopeIndex(TechniqueScope scope) {
    return static_cast<size_t>(scope);
}

// Places a technique of the scope can look at.
int32_t placeCount(const BoardLayout& l, TechniqueScope scope) {
    switch (scope) {
        case TechniqueScope::POINT:
            return l.pointCount;
        case TechniqueScope::COLOUR_SIDE:
        case TechniqueScope::LOOP_SIDE:
            return l.sideCount;
        case TechniqueScope::WHOLE:
            return 0;
        default:
            return l.cellCount;
    }
}

void pushAll(LadderRun& run, TechniqueScope scope, int32_t place) {
    for (const int32_t t : run.listedBy[scopeIndex(scope)])
        run.lists[t].push(place);
}

// A cell's side changed: the clue techniques look at it again, and the cell techniques (which
// work on what was deduced of its corners) when something was.
void pushCell(LadderRun& run, int32_t cell) {
    if (cell == run.layout.outside) return;
    if (run.layout.clue[cell] <= 3) pushAll(run, TechniqueScope::CLUE, cell);
    if (run.state.cornerNotes[cell] > 0) pushAll(run, TechniqueScope::CELL, cell);
}

// Lists again the places the state's changes may have opened up for a technique.
void absorbChanges(LadderRun& run) {
    const BoardLayout& l = run.layout;
    PencilState& s = run.state;
    for (size_t i = 0; i < s.changes.size(); ++i) {
        const Change change = s.changes[i];
        switch (change.kind) {
            case ChangeKind::SIDE: {
                for (const int32_t c : l.sideCells[change.index])
                    pushCell(run, c);
                for (const int32_t p : l.sidePoints[change.index])
                    pushAll(run, TechniqueScope::POINT, p);
                if (s.sides[change.index] == SideState::ON) {
                    for (const int32_t side : run.deferredLoopSides)
                        pushAll(run, TechniqueScope::LOOP_SIDE, side);
                    run.deferredLoopSides.clear();
                }
                break;
            }
            case ChangeKind::PAIR: {
                const int32_t cell = change.index / 4;
                pushCell(run, cell);  // it has a deduced corner now
                pushAll(run, TechniqueScope::POINT, l.cellPoints[cell][change.index % 4]);
                pushAll(run, TechniqueScope::COLOUR_CELL, cell);
                break;
            }
            case ChangeKind::COLOUR_SIDE:
                pushAll(run, TechniqueScope::COLOUR_SIDE, change.index);
                break;
            case ChangeKind::COLOUR_CELL:
                if (l.clue[change.index] <= 3)
                    pushAll(run, TechniqueScope::COLOUR_CLUE, change.index);
                pushAll(run, TechniqueScope::COLOUR_CELL, change.index);
                break;
            case ChangeKind::LOOP_END:
                pushAll(run, TechniqueScope::LOOP_SIDE, change.index);
                break;
        }
    }
    s.changes.clear();
}

}  // namespace

bool LadderRun::decide(int32_t side, SideState value) {
    if (recording() && state.sides[side] == SideState::OPEN) {
        (value == SideState::ON ? step.on : step.off).push_back(side);
    }
    return state.setSide(side, value);
}

bool LadderRun::narrowPair(int32_t cell, int corner, uint8_t counts) {
    if (recording()) {
        const uint8_t now = state.pairs[static_cast<size_t>(cell) * 4 + corner];
        if ((now & counts) != now) {
            step.pairs.push_back({cell, corner, static_cast<uint8_t>(now & counts)});
        }
    }
    return state.narrowPair(cell, corner, counts);
}

bool LadderRun::relate(int32_t a, int32_t b, bool different) {
    if (recording() && state.relation(a, b) < 0) step.relations.push_back({a, b, different});
    return state.relate(a, b, different);
}

void startLadder(LadderRun& run, const uint8_t* grid, int32_t width, int32_t height,
                 RecordMode mode, int32_t highestRank) {
    layOut(grid, width, height, run.layout);
    const BoardLayout& l = run.layout;
    // Trials have no places of their own: lists are kept for the ranks below them.
    run.listRank = std::min(highestRank, RANK_HARD);
    run.state.start(l);
    run.mode = mode;
    run.depth = 0;
    run.recordDepth = 0;
    run.step = StepRecord{};
    run.steps.clear();
    run.trialChains.clear();
    run.deferredLoopSides.clear();
    run.work = 0;

    const auto techniques = ladderTechniques();
    run.counts.assign(techniques.size(), 0);
    const bool byScope = mode == RecordMode::CLOSURE;
    run.lists.resize(byScope ? SCOPE_COUNT : techniques.size());
    run.listedBy.resize(SCOPE_COUNT);
    for (auto& lists : run.listedBy)
        lists.clear();
    for (WorkList& list : run.lists) {
        list.places.clear();
        list.head = 0;
        list.queued.clear();
    }
    for (size_t t = 0; t < techniques.size(); ++t) {
        const TechniqueScope scope = techniques[t].scope;
        if (techniques[t].rank > run.listRank || scope == TechniqueScope::WHOLE) continue;
        const int32_t list = static_cast<int32_t>(byScope ? scopeIndex(scope) : t);
        auto& lists = run.listedBy[scopeIndex(scope)];
        if (std::find(lists.begin(), lists.end(), list) != lists.end()) continue;
        lists.push_back(list);
        run.lists[list].queued.assign(static_cast<size_t>(placeCount(l, scope)), 0);
    }
    // At the start every clue and every point is worth a look.
    for (const int32_t c : l.clueCells)
        pushAll(run, TechniqueScope::CLUE, c);
    for (int32_t p = 0; p < l.pointCount; ++p)
        pushAll(run, TechniqueScope::POINT, p);
}

bool placeSides(LadderRun& run, const std::vector<SideState>& sides) {
    for (int32_t s = 0; s < run.layout.sideCount; ++s) {
        if (sides[s] != SideState::OPEN && !run.state.setSide(s, sides[s])) return false;
    }
    return true;
}

void clearWorkLists(LadderRun& run) {
    for (WorkList& list : run.lists)
        list.clear();
}

namespace {

// The techniques of each scope, simplest first.
const std::vector<std::vector<int32_t>>& techniquesByScope() {
    static const std::vector<std::vector<int32_t>> byScope = [] {
        std::vector<std::vector<int32_t>> table(SCOPE_COUNT);
        const auto techniques = ladderTechniques();
        for (size_t t = 0; t < techniques.size(); ++t)
            table[scopeIndex(techniques[t].scope)].push_back(static_cast<int32_t>(t));
        return table;
    }();
    return byScope;
}

// Takes in the state's changes, then whether the run ends before its next step: at a broken
// rule, at the answer, or at its step limit or work budget; end says which.
bool runEnds(LadderRun& run, int64_t steps, int64_t stepLimit, LadderEnd& end) {
    absorbChanges(run);
    if (run.state.contradiction) {
        end = LadderEnd::CONTRADICTION;
    } else if (run.state.solved()) {
        end = LadderEnd::SOLVED;
    } else if (steps >= stepLimit || run.work >= run.workBudget) {
        end = LadderEnd::LIMIT;
    } else {
        return false;
    }
    return true;
}

// CLOSURE mode: the next place of the first scope with places waiting gets every technique of
// its scope in turn; whole-board techniques only once no place waits.
LadderEnd runClosure(LadderRun& run, int32_t highestRank, int64_t stepLimit, int64_t* stepsTaken) {
    // The functions of each scope this run uses, in the ladder's order.
    constexpr size_t MOST_PER_SCOPE = 16;
    TechniqueFunction used[SCOPE_COUNT][MOST_PER_SCOPE];
    size_t usedCount[SCOPE_COUNT] = {};
    const auto techniques = ladderTechniques();
    const auto& byScope = techniquesByScope();
    for (size_t scope = 0; scope < SCOPE_COUNT; ++scope) {
        for (const int32_t t : byScope[scope]) {
            if (techniques[t].rank > highestRank) break;
            if (!run.leftOut.empty() && run.leftOut[t]) continue;
            assert(usedCount[scope] < MOST_PER_SCOPE);
            used[scope][usedCount[scope]++] = techniques[t].apply;
        }
    }
    const size_t whole = scopeIndex(TechniqueScope::WHOLE);

    int64_t steps = 0;
    LadderEnd end = LadderEnd::STUCK;
    for (;;) {
        if (runEnds(run, steps, stepLimit, end)) break;
        // The places of the first scope with any, until one lets a technique decide something.
        bool applied = false;
        for (size_t scope = 0; scope < whole && !applied; ++scope) {
            WorkList& list = run.lists[scope];
            if (list.queued.empty()) continue;
            while (!list.empty() && !applied) {
                const int32_t place = list.pop();
                for (size_t i = 0; i < usedCount[scope]; ++i) {
                    if (used[scope][i](run, place)) {
                        applied = true;
                        break;
                    }
                }
            }
        }
        if (!applied && highestRank >= RANK_HARD && !run.state.tracksColours) {
            // Nothing waits: the techniques that use relations come next, and with them the
            // relations of everything decided so far.
            run.state.trackColours();
            continue;
        }
        if (!applied) {
            for (size_t i = 0; i < usedCount[whole] && !applied; ++i)
                applied = used[whole][i](run, -1);
            if (!applied) {
                end = run.work >= run.workBudget ? LadderEnd::LIMIT : LadderEnd::STUCK;
                break;
            }
        }
        ++steps;
        ++run.work;
    }
    if (stepsTaken != nullptr) *stepsTaken = steps;
    return end;
}

}  // namespace

LadderEnd runLadder(LadderRun& run, int32_t highestRank, int64_t stepLimit, int64_t* stepsTaken) {
    if (run.mode == RecordMode::CLOSURE) return runClosure(run, highestRank, stepLimit, stepsTaken);
    const auto techniques = ladderTechniques();
    const int32_t count = static_cast<int32_t>(techniques.size());
    int64_t steps = 0;
    LadderEnd end = LadderEnd::STUCK;
    for (;;) {
        if (runEnds(run, steps, stepLimit, end)) break;
        // The simplest technique that decides something, at the first of its places that lets it.
        int32_t applied = -1;
        bool newRelations = false;
        for (int32_t t = 0; t < count && applied < 0; ++t) {
            const Technique& technique = techniques[t];
            if (technique.rank > highestRank) break;
            if (technique.rank >= RANK_HARD && !run.state.tracksColours) {
                // The first technique that may use relations: everything decided so far relates
                // its cells now, which lists places for the techniques that read them.
                run.state.trackColours();
                newRelations = true;
                break;
            }
            if (!run.leftOut.empty() && run.leftOut[t]) continue;
            if (technique.scope == TechniqueScope::WHOLE) {
                if (technique.apply(run, -1)) applied = t;
                continue;
            }
            WorkList& list = run.lists[t];
            while (!list.empty()) {
                if (technique.apply(run, list.pop())) {
                    applied = t;
                    break;
                }
            }
        }
        if (newRelations) continue;
        if (applied < 0) {
            end = run.work >= run.workBudget ? LadderEnd::LIMIT : LadderEnd::STUCK;
            break;
        }
        ++steps;
        ++run.work;
        if (run.depth == 0) ++run.counts[applied];
        if (run.recording()) {
            run.step.technique = applied;
            run.steps.push_back(std::move(run.step));
            run.step = StepRecord{};
        }
    }
    if (stepsTaken != nullptr) *stepsTaken = steps;
    return end;
}

bool runToNextDecision(LadderRun& run, int32_t highestRank, LadderEnd& end) {
    for (;;) {
        int64_t taken = 0;
        end = runLadder(run, highestRank, 1, &taken);
        if (taken == 0) return false;
        if (run.steps.empty() || run.steps.back().decidesSomething()) return true;
    }
}

}  // namespace varnel
