#include "companion/explain_json.h"

#include <nlohmann/json.hpp>

#include <algorithm>

#include "companion/difficulty_report.h"
#include "explain/place_words.h"
#include "ladder/techniques.h"
#include "lib/records.h"
#include "textio/side_names.h"

namespace varnel {

namespace {

using Json = nlohmann::ordered_json;

std::string dumped(const Json& object) {
    return object.dump(-1, ' ', false, Json::error_handler_t::replace) + "\n";
}

Json cellNames(const BoardLayout& l, const std::vector<int32_t>& cells) {
    Json names = Json::array();
    for (const int32_t c : cells) {
        if (c >= 0 && c < l.cellCount) names.push_back(cellWord(l, c));
    }
    return names;
}

Json sideNames(const BoardLayout& l, const std::vector<int32_t>& sides) {
    Json names = Json::array();
    for (const int32_t s : sides)
        names.push_back(sideWord(l, s));
    return names;
}

const char* stateName(SideState state) {
    return state == SideState::ON ? "line" : state == SideState::OFF ? "cross" : "open";
}

Json stepJson(const BoardLayout& l, const ToldStep& told, int32_t number) {
    const StepRecord& step = told.record;
    const Technique& t = ladderTechniques()[step.technique];
    Json object;
    object["step"] = number;
    object["rank"] = t.rank;
    object["technique"] = t.name;
    Json points = Json::array();
    for (const int32_t p : step.points)
        points.push_back(pointWord(l, p));
    object["reads"] = {{"cells", cellNames(l, step.cells)},
                       {"points", std::move(points)},
                       {"sides", sideNames(l, step.sides)}};
    object["decides"] = {{"on", sideNames(l, step.on)},
                         {"off", sideNames(l, step.off)},
                         {"inside", cellNames(l, cellsPlaced(l, step, true))},
                         {"outside", cellNames(l, cellsPlaced(l, step, false))}};
    if (step.assumedSide >= 0) {
        object["assumed"] = {{"side", sideWord(l, step.assumedSide)},
                             {"state", stateName(step.assumed)}};
        object["chain"] = step.chain;
    }
    object["text"] = told.text;
    return object;
}

}  // namespace

std::string mistakesJson(int32_t width, int32_t height, const std::vector<Mistake>& mistakes) {
    std::string out;
    for (const Mistake& mistake : mistakes) {
        Json object;
        object["mistake"] = sideName(width, height, mistake.side);
        object["drawn"] = stateName(mistake.drawn);
        object["text"] = mistakeText(width, height, mistake);
        out += dumped(object);
    }
    return out;
}

std::string walkJson(const Walkthrough& walk, const CheckResult& check, int32_t first,
                     int32_t last) {
    const BoardLayout& l = walk.layout;
    const int32_t count = static_cast<int32_t>(walk.steps.size());
    last = std::min(last, count);
    std::string out;
    for (int32_t n = std::max(first, 1); n <= last; ++n)
        out += dumped(stepJson(l, walk.steps[n - 1], n));
    if (last < count) return out;
    Json summary;
    summary["end"] = walkEndName(walk.end);
    summary["steps"] = count;
    summary["difficulty"] = difficultyJson(api::difficultyOf(walk.difficulty));
    Json techniques = Json::object();
    const auto table = ladderTechniques();
    std::vector<int32_t> counts(table.size(), 0);
    for (const ToldStep& step : walk.steps)
        ++counts[step.record.technique];
    for (size_t t = 0; t < table.size(); ++t) {
        if (counts[t] > 0) techniques[table[t].name] = counts[t];
    }
    summary["techniques"] = std::move(techniques);
    if (walk.end == WalkEnd::SOLVED && check.verdict == Verdict::UNIQUE) {
        Json rows = Json::array();
        const CellColours& answer = check.answers[0];
        for (int32_t y = 0; y < l.height; ++y) {
            std::string row(static_cast<size_t>(l.width), '.');
            for (int32_t x = 0; x < l.width; ++x) {
                if (answer[static_cast<size_t>(y) * l.width + x] != 0) row[x] = '#';
            }
            rows.push_back(std::move(row));
        }
        summary["answer"] = std::move(rows);
    } else {
        summary["reason"] = walk.reason;
        if (walk.differingSide >= 0) summary["differs"] = sideWord(l, walk.differingSide);
    }
    return out + dumped(summary);
}

std::string hintJson(const Hint& hint) {
    const BoardLayout& l = hint.layout;
    Json object;
    switch (hint.kind) {
        case HintKind::STEP:
            object["next"] = hintKindName(hint.kind);
            object.update(stepJson(l, hint.step, 1));
            break;
        case HintKind::SOLVED:
            object["next"] = hintKindName(hint.kind);
            break;
        case HintKind::FROM_ANSWER:
            object["next"] = hintKindName(hint.kind);
            object["side"] = hint.revealedSide >= 0 ? sideWord(l, hint.revealedSide) : "";
            object["state"] = stateName(hint.revealed);
            object["reason"] = hint.reason;
            break;
        case HintKind::NONE:
            object["next"] = hintKindName(hint.kind);
            object["reason"] = hint.reason;
            break;
    }
    return dumped(object);
}

}  // namespace varnel
