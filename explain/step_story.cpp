#include "explain/step_story.h"

#include <algorithm>

#include "explain/stories.h"
#include "ladder/techniques.h"

namespace varnel {

namespace {

using Story = std::string (*)(const StoryContext&);

// The sentence and the family of each technique, found by the function that applies it, so that
// the ladder's table can be reordered without touching the stories.
struct StoryEntry {
    TechniqueFunction technique;
    Story story;  // null for the trials, told with their chains
    StepFamily family;
};

constexpr StoryEntry STORIES[] = {
    {zeroClue, tellZero, StepFamily::CLUE_COUNTING},
    {clueComplete, tellClueComplete, StepFamily::CLUE_COUNTING},
    {clueNeedsEveryOpenSide, tellClueNeedsEverySide, StepFamily::CLUE_COUNTING},
    {pointWithTwoLines, tellTwoLines, StepFamily::POINTS},
    {deadEnd, tellDeadEnd, StepFamily::POINTS},
    {lineGoesOn, tellLineGoesOn, StepFamily::POINTS},
    {loopFinished, tellLoopFinished, StepFamily::LOOP},
    {noEarlyLoop, tellNoEarlyLoop, StepFamily::LOOP},
    {closedCorner, tellCornerAtPoint, StepFamily::CORNERS},
    {lineAtThree, tellCornerAtPoint, StepFamily::CORNERS},
    {cornerOfTwo, tellCornerAtPoint, StepFamily::CORNERS},
    {cornerDecides, tellCornerDecides, StepFamily::CORNERS},
    {lineIntoOne, tellCornerAtPoint, StepFamily::NO_FAMILY},
    {acrossAClue, tellAcrossAClue, StepFamily::NO_FAMILY},
    {threeBesideThree, tellThreeBesideThree, StepFamily::NO_FAMILY},
    {acrossAPoint, tellAcrossAPoint, StepFamily::NO_FAMILY},
    {cornerColours, tellCornerColours, StepFamily::NO_FAMILY},
    {insideAndOutside, tellInsideAndOutside, StepFamily::NO_FAMILY},
    {clueColours, tellClueColours, StepFamily::NO_FAMILY},
    {singleWayOut, tellSingleWayOut, StepFamily::NO_FAMILY},
    {shortTrial, nullptr, StepFamily::NO_FAMILY},
    {nestedTrial, nullptr, StepFamily::NO_FAMILY},
};

const StoryEntry* entryOf(int32_t technique) {
    const auto table = ladderTechniques();
    if (technique < 0 || static_cast<size_t>(technique) >= table.size()) return nullptr;
    for (const StoryEntry& entry : STORIES) {
        if (entry.technique == table[technique].apply) return &entry;
    }
    return nullptr;
}

}  // namespace

const char* familyName(StepFamily family) {
    switch (family) {
        case StepFamily::CLUE_COUNTING:
            return "clue counting";
        case StepFamily::POINTS:
            return "lines at points";
        case StepFamily::LOOP:
            return "closing the loop";
        case StepFamily::CORNERS:
            return "corners";
        case StepFamily::NO_FAMILY:
            break;
    }
    return "";
}

StepFamily familyOf(int32_t technique) {
    const StoryEntry* entry = entryOf(technique);
    return entry == nullptr ? StepFamily::NO_FAMILY : entry->family;
}

std::vector<int32_t> cellsPlaced(const BoardLayout& layout, const StepRecord& step, bool inside) {
    std::vector<int32_t> cells;
    const auto add = [&cells](int32_t cell) {
        if (std::find(cells.begin(), cells.end(), cell) == cells.end()) cells.push_back(cell);
    };
    for (const int32_t cell : inside ? step.inside : step.outside)
        add(cell);
    for (const RelationNote& r : step.relations) {
        if (r.different != inside) continue;
        if (r.a == layout.outside && r.b != layout.outside) add(r.b);
        if (r.b == layout.outside && r.a != layout.outside) add(r.a);
    }
    return cells;
}

ToldStep tellStep(const BoardKnowledge& before, StepRecord step, bool chains) {
    ToldStep told;
    const StoryEntry* entry = entryOf(step.technique);
    if (entry != nullptr && entry->story != nullptr) {
        told.text = entry->story(StoryContext{before, step, *before.layout});
    } else if (step.assumedSide >= 0) {
        told.text = tellTrial(before, step, chains, told.chain);
    } else {
        // A technique without a story of its own: its one-line description says what it does.
        told.text = plainSentence(StoryContext{before, step, *before.layout});
    }
    told.record = std::move(step);
    return told;
}

std::vector<ToldStep> tellSteps(BoardKnowledge& board, std::vector<StepRecord> steps, bool chains,
                                int32_t first) {
    std::vector<ToldStep> told;
    told.reserve(steps.size());
    for (size_t i = 0; i < steps.size(); ++i) {
        told.push_back(tellStep(board, std::move(steps[i]), chains));
        board.apply(told.back().record, first + static_cast<int32_t>(i));
    }
    return told;
}

}  // namespace varnel
