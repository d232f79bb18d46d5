#include "explain/walk_stages.h"

#include <algorithm>
#include <span>

#include "explain/place_words.h"
#include "explain/walk_text.h"
#include "ladder/techniques.h"
#include "textio/svg_drawing.h"

namespace varnel {

namespace {

// One stage: a board, its marks and its words.
struct Stage {
    std::vector<SideState> sides;
    std::vector<uint8_t> marked;
    std::string title;
    std::string note;
};

std::vector<uint8_t> marksOf(const BoardLayout& l, const StepRecord& step) {
    std::vector<uint8_t> marked(static_cast<size_t>(l.sideCount), 0);
    for (const int32_t s : step.on)
        marked[s] = 1;
    for (const int32_t s : step.off)
        marked[s] = 1;
    return marked;
}

std::string sheetOf(std::span<const Stage> stages, const BoardLayout& l, const uint8_t* grid,
                    const std::string& footer) {
    std::vector<SvgStage> problems;
    for (const Stage& stage : stages) {
        SvgStage p;
        p.problem.grid = grid;
        p.problem.width = l.width;
        p.problem.height = l.height;
        p.problem.title = stage.title;
        p.sides = stage.sides.data();
        p.marked = stage.marked.empty() ? nullptr : stage.marked.data();
        p.note = stage.note;
        problems.push_back(p);
    }
    std::string out;
    appendSvgStageSheet(problems, footer, out);
    return out;
}

std::string capitalised(std::string text) {
    if (!text.empty() && text[0] >= 'a' && text[0] <= 'z')
        text[0] = static_cast<char>(text[0] - 32);
    return text;
}

}  // namespace

std::vector<std::string> walkStages(const Walkthrough& walk, const uint8_t* grid, int32_t first,
                                    int32_t last) {
    const BoardLayout& l = walk.layout;
    const auto table = ladderTechniques();
    const int32_t count = static_cast<int32_t>(walk.steps.size());
    last = std::min(last, count);
    // Steps above easy make the stages; a range of easy steps only makes one of each of them
    // rather than an empty sheet.
    bool aboveEasy = false;
    for (int32_t n = first; n <= last; ++n) {
        aboveEasy = aboveEasy || table[walk.steps[n - 1].record.technique].rank != RANK_EASY;
    }
    const int32_t lowestRank = aboveEasy || last == count ? RANK_EASY + 1 : RANK_EASY;
    std::vector<Stage> stages;
    std::vector<SideState> sides = walk.start;
    for (int32_t n = 1; n <= last; ++n) {
        const ToldStep& step = walk.steps[n - 1];
        for (const int32_t s : step.record.on)
            sides[s] = SideState::ON;
        for (const int32_t s : step.record.off)
            sides[s] = SideState::OFF;
        const Technique& t = table[step.record.technique];
        if (n < first || t.rank < lowestRank || !step.record.decidesSomething()) continue;
        stages.push_back(
            {sides, marksOf(l, step.record),
             "Step " + std::to_string(n) + "  \u00b7  " + rankName(t.rank) + "  \u00b7  " + t.name,
             capitalised(step.text) + "."});
    }
    if (last == count) {
        const std::string title = walk.end == WalkEnd::SOLVED
                                      ? "Solved in " + counted(walk.steps.size(), "step")
                                      : "Stopped after " + counted(walk.steps.size(), "step");
        const std::string note = walk.end == WalkEnd::SOLVED
                                     ? capitalised(difficultyWords(walk.difficulty)) + "."
                                     : capitalised(walk.reason) + ".";
        stages.push_back({walk.finish, {}, title, note});
    }
    std::vector<std::string> sheets;
    const size_t pages = (stages.size() + STAGES_PER_SHEET - 1) / STAGES_PER_SHEET;
    for (size_t page = 0; page < pages; ++page) {
        const size_t begin = page * STAGES_PER_SHEET;
        const size_t end = std::min(stages.size(), begin + STAGES_PER_SHEET);
        const std::string footer = std::to_string(l.width) + " \u00d7 " + std::to_string(l.height) +
                                   " walkthrough  \u00b7  page " + std::to_string(page + 1) +
                                   " of " + std::to_string(pages);
        sheets.push_back(
            sheetOf(std::span<const Stage>(stages).subspan(begin, end - begin), l, grid, footer));
    }
    return sheets;
}

std::string hintPicture(const Hint& hint, const uint8_t* grid) {
    const BoardLayout& l = hint.layout;
    std::vector<SideState> sides = hint.start;
    std::vector<uint8_t> marked(static_cast<size_t>(l.sideCount), 0);
    std::string note;
    std::string title = "Next step";
    if (hint.kind == HintKind::STEP) {
        for (const int32_t s : hint.step.record.on)
            sides[s] = SideState::ON;
        for (const int32_t s : hint.step.record.off)
            sides[s] = SideState::OFF;
        marked = marksOf(l, hint.step.record);
        const Technique& t = ladderTechniques()[hint.step.record.technique];
        title += std::string("  \u00b7  ") + rankName(t.rank) + "  \u00b7  " + t.name;
        note = capitalised(hint.step.text) + ".";
    } else if (hint.kind == HintKind::FROM_ANSWER && hint.revealedSide >= 0) {
        sides[hint.revealedSide] = hint.revealed;
        marked[hint.revealedSide] = 1;
        note = capitalised(hint.reason) + "; from the answer, " + sideWord(l, hint.revealedSide) +
               (hint.revealed == SideState::ON ? " is a line." : " is crossed.");
    } else if (hint.kind == HintKind::SOLVED) {
        note = "The board is solved: every side is decided.";
    } else {
        note = "No next step: " + hint.reason + ".";
    }
    SvgStage p;
    p.problem.grid = grid;
    p.problem.width = l.width;
    p.problem.height = l.height;
    p.problem.title = title;
    p.sides = sides.data();
    p.marked = marked.data();
    p.note = note;
    std::string out;
    appendSvgStagePicture(p, out);
    return out;
}

}  // namespace varnel
