// Trials, told: the assumption, how many steps it took to break a rule, which rule, and the
// opposite concluded. The chain is played again on a copy of the board to find the rule.

#include <algorithm>

#include "explain/place_words.h"
#include "explain/rule_breaks.h"
#include "explain/step_story.h"
#include "ladder/techniques.h"

namespace varnel {

namespace {

const char* stateWords(SideState state, bool hypothetical) {
    if (state == SideState::ON) return hypothetical ? "were a line" : "is a line";
    return hypothetical ? "were crossed" : "is crossed";
}

// Where the chain's last step was, when no rule can be named: "clue colours at r3c5".
std::string lastPlace(const BoardLayout& l, const TrialEnd& end) {
    const auto table = ladderTechniques();
    std::string place;
    if (!end.cells.empty() && end.cells[0] != l.outside) {
        place = cellWord(l, end.cells[0]);
    } else if (!end.points.empty()) {
        place = pointWord(l, end.points[0]);
    } else if (!end.sides.empty()) {
        place = sideWord(l, end.sides[0]);
    }
    std::string text = end.technique >= 0 && static_cast<size_t>(end.technique) < table.size()
                           ? table[end.technique].name
                           : "a rule";
    if (!place.empty()) text += " at " + place;
    return text + " would find no way to go on";
}

// The techniques the chain used, in the order it first used them.
std::string chainTechniques(const std::vector<StepRecord>& chain) {
    const auto table = ladderTechniques();
    std::vector<int32_t> used;
    for (const StepRecord& step : chain) {
        if (std::find(used.begin(), used.end(), step.technique) == used.end()) {
            used.push_back(step.technique);
        }
    }
    std::vector<std::string> names;
    for (const int32_t t : used) {
        if (t >= 0 && static_cast<size_t>(t) < table.size()) names.emplace_back(table[t].name);
    }
    return shortList(names, 4);
}

}  // namespace

std::string tellTrial(const BoardKnowledge& before, const StepRecord& step, bool chains,
                      std::vector<ToldStep>& chain) {
    const BoardLayout& l = *before.layout;
    const int32_t side = step.assumedSide;
    const SideState opposite = step.assumed == SideState::ON ? SideState::OFF : SideState::ON;
    BoardKnowledge board = before;
    board.setSide(side, step.assumed, NO_STEP);
    if (chains) {
        chain = tellSteps(board, step.chainSteps, true);
    } else {
        for (const StepRecord& inner : step.chainSteps)
            board.apply(inner, NO_STEP);
    }
    std::string rule = brokenRule(board, step.end.cells, step.end.points, true);
    if (rule.empty()) rule = lastPlace(l, step.end);

    const std::string name = sideWord(l, side);
    std::string text = "if " + name + " " + stateWords(step.assumed, true) + ", ";
    if (step.chainSteps.empty()) {
        text += "a rule would break at once: " + rule;
    } else {
        text += counted(step.chainSteps.size(), "step") + " later (" +
                chainTechniques(step.chainSteps) + ") " + rule;
    }
    return text + "; so " + name + " " + stateWords(opposite, false);
}

}  // namespace varnel
