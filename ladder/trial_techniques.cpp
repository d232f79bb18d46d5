// The expert and extreme ranks: trials. Assume a side one way, follow the easier techniques;
// when that breaks a rule, the side is the other way. Short chains are looked for first: every
// side is tried with a limit of a few steps, then with twice as many, and so on, so the trial a
// player would find first (the shortest contradiction) is the one taken.

#include "ladder/techniques.h"

namespace varnel {

namespace {

// Step limits of the successive rounds; the last has none.
constexpr int64_t ROUND_LIMITS[] = {2, 4, 8, 16, 32, 64, 128, INT64_MAX};

// Within a trial, trials look for short chains only: a nested trial's inner trials are the ones
// a player could follow in the head while holding the outer assumption.
constexpr int64_t INNER_ROUND_LIMIT = 16;

SideState opposite(SideState value) {
    return value == SideState::ON ? SideState::OFF : SideState::ON;
}

// What one assumption led to.
struct TrialOutcome {
    bool broken = false;   // it broke a rule
    bool limited = false;  // it was stopped by the step limit before ending
    int64_t chain = 0;     // steps taken
};

// Assumes side = value, runs the techniques up to innerRank for at most limit steps, and takes
// it all back.
TrialOutcome tryAssumption(LadderRun& run, int32_t side, SideState value, int32_t innerRank,
                           int64_t limit) {
    TrialOutcome outcome;
    const size_t mark = run.state.mark();
    const size_t deferred = run.deferredLoopSides.size();
    ++run.depth;
    if (!run.state.setSide(side, value)) {
        outcome.broken = true;
    } else {
        const LadderEnd end = runLadder(run, innerRank, limit, &outcome.chain);
        outcome.broken = end == LadderEnd::CONTRADICTION;
        outcome.limited = end == LadderEnd::LIMIT;
    }
    --run.depth;
    run.state.undoTo(mark);
    run.deferredLoopSides.resize(deferred);
    clearWorkLists(run);
    return outcome;
}

// The walkthrough's account of a trial: the assumption played again with its steps recorded one
// level down, and the rule its last step broke.
void recordChain(LadderRun& run, int32_t side, SideState value, int32_t innerRank, int64_t chain) {
    StepRecord outer = std::move(run.step);
    run.step = StepRecord{};
    std::vector<StepRecord> outerSteps;
    outerSteps.swap(run.steps);
    const size_t mark = run.state.mark();
    const size_t deferred = run.deferredLoopSides.size();
    ++run.depth;
    run.recordDepth = run.depth;
    TrialEnd end;
    if (!run.state.setSide(side, value)) {
        const BoardLayout& l = run.layout;
        for (const int32_t c : l.sideCells[side]) {
            if (c != l.outside) end.cells.push_back(c);
        }
        for (const int32_t p : l.sidePoints[side])
            end.points.push_back(p);
        end.sides.push_back(side);
    } else {
        runLadder(run, innerRank, chain);
        if (!run.steps.empty()) {
            const StepRecord& last = run.steps.back();
            end.technique = last.technique;
            end.cells = last.cells;
            end.points = last.points;
            end.sides = last.sides;
            end.sides.insert(end.sides.end(), last.on.begin(), last.on.end());
            end.sides.insert(end.sides.end(), last.off.begin(), last.off.end());
        }
    }
    run.recordDepth = 0;
    --run.depth;
    run.state.undoTo(mark);
    run.deferredLoopSides.resize(deferred);
    clearWorkLists(run);
    outer.chainSteps.swap(run.steps);
    outer.end = std::move(end);
    run.steps.swap(outerSteps);
    run.step = std::move(outer);
}

// Looks for an assumption that breaks a rule with the techniques up to innerRank, shortest
// chain first, and decides the opposite.
bool findTrial(LadderRun& run, int32_t innerRank) {
    for (const int64_t limit : ROUND_LIMITS) {
        if (run.depth > 0 && limit > INNER_ROUND_LIMIT) return false;
        bool anyLimited = false;
        for (const int32_t side : run.layout.readingOrder) {
            if (run.state.sides[side] != SideState::OPEN) continue;
            for (const SideState value : {SideState::ON, SideState::OFF}) {
                const TrialOutcome outcome = tryAssumption(run, side, value, innerRank, limit);
                if (run.work >= run.workBudget) return false;
                anyLimited |= outcome.limited;
                if (!outcome.broken) continue;
                if (run.recording()) {
                    run.step.assumedSide = side;
                    run.step.assumed = value;
                    run.step.chain = static_cast<int32_t>(outcome.chain);
                    recordChain(run, side, value, innerRank, outcome.chain);
                }
                if (run.depth == 0) run.trialChains.push_back(static_cast<int32_t>(outcome.chain));
                run.decide(side, opposite(value));
                return true;
            }
        }
        // No trial was cut short: longer chains would find nothing more.
        if (!anyLimited) return false;
    }
    return false;
}

}  // namespace

bool shortTrial(LadderRun& run, int32_t /*place*/) {
    return findTrial(run, RANK_HARD);
}

bool nestedTrial(LadderRun& run, int32_t /*place*/) {
    return findTrial(run, RANK_EXPERT);
}

}  // namespace varnel
