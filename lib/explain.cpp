#include "varnel/explain.h"

#include "explain/place_words.h"
#include "explain/progress_marks.h"
#include "explain/walk_text.h"
#include "explain/walkthrough.h"
#include "ladder/techniques.h"
#include "lib/records.h"

namespace varnel::api {

namespace {

std::vector<std::string> cellNames(const BoardLayout& l, const std::vector<int32_t>& cells) {
    std::vector<std::string> names;
    for (const int32_t c : cells) {
        if (c >= 0 && c < l.cellCount) names.push_back(cellWord(l, c));
    }
    return names;
}

std::vector<std::string> sideNames(const BoardLayout& l, const std::vector<int32_t>& sides) {
    return sideWords(l, sides);
}

ExplainStep stepOf(const BoardLayout& l, const ToldStep& told, int32_t number) {
    const StepRecord& r = told.record;
    const Technique& t = ladderTechniques()[r.technique];
    ExplainStep step;
    step.number = number;
    step.rank = t.rank;
    step.technique = t.name;
    step.text = told.text;
    step.readCells = cellNames(l, r.cells);
    for (const int32_t p : r.points)
        step.readPoints.push_back(pointWord(l, p));
    step.readSides = sideNames(l, r.sides);
    step.on = sideNames(l, r.on);
    step.off = sideNames(l, r.off);
    step.inside = cellNames(l, cellsPlaced(l, r, true));
    step.outside = cellNames(l, cellsPlaced(l, r, false));
    return step;
}

}  // namespace

ExplainResult explain(const Puzzle& puzzle, const ExplainOptions& options) {
    ExplainResult result;
    result.error = puzzleError(puzzle);
    if (!result.error.empty()) return result;
    const ClueGrid grid = clueGridOf(puzzle);
    const CheckResult check = checkByLadder(grid.data(), puzzle.width, puzzle.height);

    WalkPuzzle walkPuzzle{grid.data(), puzzle.width, puzzle.height, &check, {}};
    PlayerBoard board;
    if (!options.progress.empty()) {
        std::vector<InputDiagnostic> diagnostics;
        const bool read = judgeProgress(options.progress, options.progressSource, grid.data(),
                                        puzzle.width, puzzle.height, check, board, diagnostics);
        for (const InputDiagnostic& d : diagnostics)
            result.diagnostics.push_back(diagnosticOf(d));
        if (!read) {
            result.error = errorText(diagnostics);
            return result;
        }
        walkPuzzle.start = board.start;
    }
    for (const Mistake& mistake : board.mistakes)
        result.mistakes.push_back(mistakeText(puzzle.width, puzzle.height, mistake));
    result.text = mistakesText(puzzle.width, puzzle.height, board.mistakes);

    WalkOptions walkOptions;
    walkOptions.chains = options.detail;
    TextOptions textOptions;
    textOptions.detail = options.detail;
    if (options.next) {
        Hint hint;
        nextHint(walkPuzzle, walkOptions, hint);
        result.end = hintKindName(hint.kind);
        result.reason = hint.reason;
        if (hint.kind == HintKind::STEP) result.steps.push_back(stepOf(hint.layout, hint.step, 1));
        if (hint.kind == HintKind::FROM_ANSWER && hint.revealedSide >= 0) {
            result.revealed = sideWord(hint.layout, hint.revealedSide) +
                              (hint.revealed == SideState::ON ? " is a line" : " is crossed");
        }
        result.text += hintText(hint, grid.data(), textOptions);
        return result;
    }
    Walkthrough walk;
    walkThrough(walkPuzzle, walkOptions, walk);
    for (size_t i = 0; i < walk.steps.size(); ++i)
        result.steps.push_back(stepOf(walk.layout, walk.steps[i], static_cast<int32_t>(i + 1)));
    result.end = walkEndName(walk.end);
    result.reason = walk.reason;
    result.difficulty = difficultyName(walk.difficulty);
    if (walk.difficulty.end == DifficultyEnd::RATED) {
        result.rank = walk.difficulty.rank;
        result.rating = walk.difficulty.rating;
    }
    if (walk.end == WalkEnd::SOLVED && check.verdict == varnel::Verdict::UNIQUE) {
        result.answer = answerRows(answerOf(check.answers[0], puzzle.width, puzzle.height));
    }
    const std::string from =
        options.progress.empty() ? "the empty board" : boardWords(options.progressSource, board);
    result.text += walkText(walk, grid.data(), from, textOptions);
    return result;
}

}  // namespace varnel::api
