#include "explain/walk_text.h"

#include <algorithm>
#include <cstdio>

#include "explain/place_words.h"
#include "ladder/techniques.h"
#include "textio/ascii_drawing.h"

namespace varnel {

namespace {

// Places named on a grouped line before the rest are only counted.
constexpr size_t LISTED_PLACES = 6;

std::string rangeLabel(int32_t first, int32_t last) {
    return first == last ? std::to_string(first)
                         : std::to_string(first) + "-" + std::to_string(last);
}

// Where a grouped step was: the clue or cell it is about, or the point.
std::string placeOf(const BoardLayout& l, const StepRecord& step) {
    if (!step.cells.empty()) return cellWord(l, step.cells[0]);
    if (!step.points.empty()) return pointWord(l, step.points[0]);
    return "";
}

// The line of a run of grouped steps, first to last (numbers from 1).
std::string groupLine(const Walkthrough& walk, int32_t first, int32_t last) {
    const auto table = ladderTechniques();
    size_t lines = 0;
    size_t crosses = 0;
    std::vector<std::string> places;
    for (int32_t n = first; n <= last; ++n) {
        const StepRecord& step = walk.steps[n - 1].record;
        lines += step.on.size();
        crosses += step.off.size();
        const std::string place = placeOf(walk.layout, step);
        if (!place.empty() && std::find(places.begin(), places.end(), place) == places.end()) {
            places.push_back(place);
        }
    }
    const StepRecord& head = walk.steps[first - 1].record;
    std::string text = rangeLabel(first, last) + ". " + rankName(table[head.technique].rank) +
                       ", " + familyName(familyOf(head.technique)) + ": " +
                       counted(static_cast<size_t>(last - first + 1), "step") + " decide ";
    std::vector<std::string> what;
    if (lines > 0) what.push_back(counted(lines, "line"));
    if (crosses > 0) what.push_back(counted(crosses, "cross"));
    text += joinedList(what);
    if (!places.empty()) text += " at " + shortList(places, LISTED_PLACES);
    return text + ".";
}

// A step and a trial's chain below it, indented by depth.
void appendStep(const ToldStep& step, int32_t number, int depth, std::string& out) {
    out.append(static_cast<size_t>(depth) * 4, ' ');
    out += stepLine(step, number) + "\n";
    for (size_t i = 0; i < step.chain.size(); ++i)
        appendStep(step.chain[i], static_cast<int32_t>(i + 1), depth + 1, out);
}

// The board after a step, the sides it decided marked.
void appendStage(const uint8_t* grid, const BoardLayout& l, const std::vector<SideState>& sides,
                 const StepRecord& step, std::string& out) {
    std::vector<uint8_t> marked(static_cast<size_t>(l.sideCount), 0);
    for (const int32_t s : step.on)
        marked[s] = 1;
    for (const int32_t s : step.off)
        marked[s] = 1;
    out += '\n';
    appendMarkedBoard(grid, l.width, l.height, sides.data(), marked.data(), out);
    out += '\n';
}

bool isGroupable(const ToldStep& step) {
    return familyOf(step.record.technique) != StepFamily::NO_FAMILY;
}

// The end of a walkthrough: how it ended, the difficulty, the techniques, the answer or the
// board where it stopped.
void appendEnd(const Walkthrough& walk, const uint8_t* grid, const TextOptions& options,
               std::string& out) {
    const BoardLayout& l = walk.layout;
    const std::string steps = counted(walk.steps.size(), "step");
    if (walk.end == WalkEnd::SOLVED) {
        out += "Solved in " + steps + ": " + difficultyWords(walk.difficulty) + ".\n";
    } else {
        out += "Stopped after " + steps + ": " + walk.reason + ".\n";
    }
    const std::string counts = techniqueCounts(walk.steps);
    if (!counts.empty()) out += "Techniques: " + counts + ".\n";
    if (walk.end == WalkEnd::SOLVED && !options.boards) {
        // The answer as convert --to ascii --answer draws it: the loop alone.
        std::vector<uint8_t> inside(static_cast<size_t>(l.cellCount), 0);
        BoardKnowledge board;
        board.start(l, walk.finish);
        for (int32_t c = 0; c < l.cellCount; ++c)
            inside[c] = board.placeOf(c) == 1 ? 1 : 0;
        out += "Answer:\n";
        appendAsciiDrawing(grid, l.width, l.height, inside.data(), out);
        return;
    }
    out += walk.end == WalkEnd::SOLVED ? "Answer:\n" : "Where it stops:\n";
    appendAsciiBoard(grid, l.width, l.height, walk.finish.data(), out);
}

}  // namespace

std::string stepLine(const ToldStep& step, int32_t number) {
    const auto table = ladderTechniques();
    const Technique& t = table[step.record.technique];
    return std::to_string(number) + ". " + rankName(t.rank) + ", " + t.name + ": " + step.text +
           ".";
}

std::string difficultyWords(const Difficulty& difficulty) {
    if (difficulty.end != DifficultyEnd::RATED) return "difficulty unfinished";
    char rating[32];
    std::snprintf(rating, sizeof rating, "%.2f", difficulty.rating);
    return std::string("difficulty ") + difficultyName(difficulty) + " (rating " + rating + ")";
}

std::string techniqueCounts(const std::vector<ToldStep>& steps) {
    const auto table = ladderTechniques();
    std::vector<int32_t> counts(table.size(), 0);
    for (const ToldStep& step : steps)
        ++counts[step.record.technique];
    std::vector<std::string> words;
    for (size_t t = 0; t < table.size(); ++t) {
        if (counts[t] > 0)
            words.push_back(std::string(table[t].name) + " " + std::to_string(counts[t]));
    }
    std::string text;
    for (size_t i = 0; i < words.size(); ++i)
        text += (i > 0 ? ", " : "") + words[i];
    return text;
}

std::string walkText(const Walkthrough& walk, const uint8_t* grid, const std::string& from,
                     const TextOptions& options) {
    const BoardLayout& l = walk.layout;
    const auto table = ladderTechniques();
    const int32_t count = static_cast<int32_t>(walk.steps.size());
    const int32_t first = std::max(options.first, 1);
    const int32_t last = std::min(options.last, count);
    std::string out = "Walkthrough of the " + std::to_string(l.width) + "x" +
                      std::to_string(l.height) + " puzzle from " + from + ":\n";
    // The board after each step, for the stages.
    std::vector<SideState> sides = walk.start;
    const auto take = [&](int32_t n) {
        const StepRecord& step = walk.steps[n - 1].record;
        for (const int32_t s : step.on)
            sides[s] = SideState::ON;
        for (const int32_t s : step.off)
            sides[s] = SideState::OFF;
    };
    for (int32_t n = 1; n < first && n <= count; ++n)
        take(n);
    int32_t n = first;
    while (n <= last) {
        const ToldStep& step = walk.steps[n - 1];
        // A run of easy steps of one family, grouped unless every step is asked for.
        int32_t end = n;
        if (!options.detail && isGroupable(step)) {
            const StepFamily family = familyOf(step.record.technique);
            while (end < last && familyOf(walk.steps[end].record.technique) == family)
                ++end;
        }
        if (end > n) {
            out += groupLine(walk, n, end) + "\n";
            for (int32_t m = n; m <= end; ++m)
                take(m);
            n = end + 1;
            continue;
        }
        appendStep(step, n, 0, out);
        take(n);
        if (options.boards && table[step.record.technique].rank > RANK_EASY &&
            step.record.decidesSomething()) {
            appendStage(grid, l, sides, step.record, out);
        }
        ++n;
    }
    if (last == count) appendEnd(walk, grid, options, out);
    return out;
}

std::string hintText(const Hint& hint, const uint8_t* grid, const TextOptions& options) {
    const BoardLayout& l = hint.layout;
    std::string out;
    switch (hint.kind) {
        case HintKind::STEP: {
            if (options.detail) {
                for (size_t i = 0; i < hint.notes.size(); ++i)
                    appendStep(hint.notes[i], static_cast<int32_t>(i + 1), 0, out);
            }
            const auto table = ladderTechniques();
            const Technique& t = table[hint.step.record.technique];
            out += std::string("Next step: ") + rankName(t.rank) + ", " + t.name + ": " +
                   hint.step.text + ".\n";
            for (size_t i = 0; i < hint.step.chain.size(); ++i)
                appendStep(hint.step.chain[i], static_cast<int32_t>(i + 1), 1, out);
            if (options.boards) {
                std::vector<SideState> sides = hint.start;
                for (const int32_t s : hint.step.record.on)
                    sides[s] = SideState::ON;
                for (const int32_t s : hint.step.record.off)
                    sides[s] = SideState::OFF;
                appendStage(grid, l, sides, hint.step.record, out);
            }
            break;
        }
        case HintKind::SOLVED:
            out += "The board is solved: every side is decided.\n";
            break;
        case HintKind::FROM_ANSWER:
            out += "Next step: " + hint.reason + "; from the answer, " +
                   sideWord(l, hint.revealedSide) +
                   (hint.revealed == SideState::ON ? " is a line.\n" : " is crossed.\n");
            break;
        case HintKind::NONE:
            out += "No next step: " + hint.reason + ".\n";
            break;
    }
    return out;
}

std::string mistakesText(int32_t width, int32_t height, const std::vector<Mistake>& mistakes) {
    if (mistakes.empty()) return "";
    std::string out = "Your board has " + counted(mistakes.size(), "mistake") + ":\n";
    for (const Mistake& mistake : mistakes)
        out += "  " + mistakeText(width, height, mistake) + "\n";
    return out;
}

}  // namespace varnel
