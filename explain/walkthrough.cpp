#include "explain/walkthrough.h"

#include <algorithm>

#include "explain/place_words.h"
#include "explain/rule_breaks.h"
#include "ladder/ladder_run.h"
#include "ladder/techniques.h"

namespace varnel {

namespace {

// A puzzle with several answers never finishes: short trials show what the answers share, and
// this much work (a few tenths of a second) keeps a large blank board from taking longer.
constexpr int64_t SEVERAL_ANSWERS_BUDGET = 300'000;

// The ladder's ranks when it looks for the answer before the complete check: without trials it
// takes a few milliseconds even on a 60 x 60 board, and on a puzzle with several answers it
// gives up as fast; trials that find nothing can take longer than the complete check.
constexpr int32_t ANSWER_RANK = RANK_HARD;

std::vector<SideState> boardSides(const PencilState& state, int32_t sideCount) {
    return {state.sides.begin(), state.sides.begin() + sideCount};
}

// Starts run on the puzzle's board with its start sides drawn. False when they break a rule.
bool startRun(const WalkPuzzle& puzzle, int64_t budget, LadderRun& run) {
    startLadder(run, puzzle.grid, puzzle.width, puzzle.height, RecordMode::STEPS);
    run.workBudget = budget;
    return puzzle.start.empty() || placeSides(run, puzzle.start);
}

int64_t budgetOf(const WalkPuzzle& puzzle, const WalkOptions& options) {
    if (puzzle.check != nullptr && puzzle.check->verdict == Verdict::MULTIPLE) {
        return std::min(options.workBudget, SEVERAL_ANSWERS_BUDGET);
    }
    return options.workBudget;
}

int32_t highestRankOf(const WalkPuzzle& puzzle) {
    const bool several = puzzle.check != nullptr && puzzle.check->verdict == Verdict::MULTIPLE;
    return several ? RANK_EXPERT : HIGHEST_RANK;
}

// "r3c5 top is a line in one answer and crossed in another".
std::string severalAnswersReason(const BoardLayout& layout, const CheckResult& check,
                                 int32_t& differing) {
    const auto a = answerSides(check.answers[0], layout.width, layout.height);
    const auto b = answerSides(check.answers[1], layout.width, layout.height);
    differing = firstDifference(layout, a, b);
    std::string text = "the puzzle has several answers";
    if (differing >= 0) {
        text += ": " + sideWord(layout, differing) + " is a line in one and crossed in another";
    }
    return text;
}

// Why a puzzle without an answer has none, from the board where the ladder broke a rule.
std::string noAnswerReason(const BoardKnowledge& board, const Walkthrough& walk) {
    std::vector<int32_t> cells;
    std::vector<int32_t> points;
    if (!walk.steps.empty()) {
        cells = walk.steps.back().record.cells;
        points = walk.steps.back().record.points;
    }
    const std::string rule = brokenRule(board, cells, points, false);
    if (!rule.empty()) return "no loop meets every clue: " + rule;
    if (walk.steps.empty()) return "no loop meets every clue";
    const auto table = ladderTechniques();
    const StepRecord& last = walk.steps.back().record;
    std::string place;
    if (!last.cells.empty()) place = " at " + cellWord(walk.layout, last.cells[0]);
    return "no loop meets every clue: " + std::string(table[last.technique].name) + place +
           " finds no way to meet the rules";
}

}  // namespace

const char* walkEndName(WalkEnd end) {
    switch (end) {
        case WalkEnd::SOLVED:
            return "solved";
        case WalkEnd::SEVERAL_ANSWERS:
            return "several answers";
        case WalkEnd::NO_ANSWER:
            return "no answer";
        case WalkEnd::BEYOND_TRIALS:
            return "beyond the deepest trial";
        case WalkEnd::OUT_OF_BUDGET:
            return "beyond the work budget";
    }
    return "";
}

const char* hintKindName(HintKind kind) {
    switch (kind) {
        case HintKind::STEP:
            return "step";
        case HintKind::SOLVED:
            return "solved";
        case HintKind::FROM_ANSWER:
            return "from the answer";
        case HintKind::NONE:
            return "none";
    }
    return "";
}

CheckResult checkByLadder(const uint8_t* grid, int32_t width, int32_t height) {
    LadderRun run;
    startLadder(run, grid, width, height, RecordMode::CLOSURE, ANSWER_RANK);
    if (runLadder(run, ANSWER_RANK) != LadderEnd::SOLVED) {
        return checkProblem(grid, width, height);
    }
    // The cells inside the loop: along each row, every line crossed goes in or out.
    CheckResult result;
    result.verdict = Verdict::UNIQUE;
    CellColours inside(static_cast<size_t>(width) * height, 0);
    for (int32_t y = 0; y < height; ++y) {
        uint8_t in = 0;
        for (int32_t x = 0; x < width; ++x) {
            in ^= run.state.sides[verticalSide(width, height, x, y)] == SideState::ON ? 1 : 0;
            inside[static_cast<size_t>(y) * width + x] = in;
        }
    }
    result.answers.push_back(std::move(inside));
    return result;
}

std::vector<SideState> answerSides(const CellColours& answer, int32_t width, int32_t height) {
    return sidesOfColours(answer.data(), width, height);
}

int32_t firstDifference(const BoardLayout& layout, const std::vector<SideState>& a,
                        const std::vector<SideState>& b) {
    for (const int32_t side : layout.readingOrder) {
        if (a[side] != b[side]) return side;
    }
    return -1;
}

void walkThrough(const WalkPuzzle& puzzle, const WalkOptions& options, Walkthrough& walk) {
    LadderRun run;
    const bool drawn = startRun(puzzle, budgetOf(puzzle, options), run);
    walk.layout = run.layout;
    const BoardLayout& l = walk.layout;
    walk.start =
        puzzle.start.empty() ? std::vector<SideState>(l.sideCount, SideState::OPEN) : puzzle.start;
    walk.steps.clear();
    walk.reason.clear();
    walk.differingSide = -1;
    BoardKnowledge board;
    board.start(l, walk.start);
    if (!drawn) {
        walk.end = WalkEnd::NO_ANSWER;
        const std::string rule = brokenRule(board, {}, {}, false);
        walk.reason = "the board as drawn breaks a rule" + (rule.empty() ? "" : ": " + rule);
        walk.difficulty = difficultyOf(run, LadderEnd::CONTRADICTION);
        walk.finish = walk.start;
        return;
    }
    const LadderEnd end = runLadder(run, highestRankOf(puzzle));
    walk.difficulty = difficultyOf(run, end);
    walk.steps = tellSteps(board, std::move(run.steps), options.chains);
    walk.finish = boardSides(run.state, l.sideCount);

    const Verdict verdict = puzzle.check != nullptr ? puzzle.check->verdict : Verdict::UNIQUE;
    if (verdict == Verdict::MULTIPLE) {
        walk.end = WalkEnd::SEVERAL_ANSWERS;
        walk.reason = severalAnswersReason(l, *puzzle.check, walk.differingSide);
    } else if (verdict == Verdict::NONE || end == LadderEnd::CONTRADICTION) {
        walk.end = WalkEnd::NO_ANSWER;
        walk.reason = end == LadderEnd::CONTRADICTION
                          ? noAnswerReason(board, walk)
                          : "no loop meets every clue (the complete check finds none), but the "
                            "ladder stops before it shows which rule breaks";
    } else if (end == LadderEnd::SOLVED) {
        walk.end = WalkEnd::SOLVED;
    } else if (end == LadderEnd::LIMIT) {
        walk.end = WalkEnd::OUT_OF_BUDGET;
        walk.reason =
            "the puzzle has one answer, but the ladder's work budget ran out before it "
            "(trials within trials on a large board)";
    } else {
        walk.end = WalkEnd::BEYOND_TRIALS;
        walk.reason =
            "the puzzle has one answer, but no technique decides anything more from "
            "here, trials within trials included: it needs deeper trials than the "
            "ladder has";
    }
}

void nextHint(const WalkPuzzle& puzzle, const WalkOptions& options, Hint& hint) {
    hint = Hint{};
    const Verdict verdict = puzzle.check != nullptr ? puzzle.check->verdict : Verdict::UNIQUE;
    if (verdict == Verdict::NONE) {
        // Every step would be as true as its opposite: say why there is no answer instead.
        Walkthrough walk;
        walkThrough(puzzle, options, walk);
        hint.layout = walk.layout;
        hint.start = walk.start;
        hint.reason = walk.reason;
        return;
    }
    LadderRun run;
    const bool drawn = startRun(puzzle, budgetOf(puzzle, options), run);
    hint.layout = run.layout;
    const BoardLayout& l = hint.layout;
    hint.start =
        puzzle.start.empty() ? std::vector<SideState>(l.sideCount, SideState::OPEN) : puzzle.start;
    BoardKnowledge board;
    board.start(l, hint.start);
    if (!drawn) {
        const std::string rule = brokenRule(board, {}, {}, false);
        hint.reason = "the board as drawn breaks a rule" + (rule.empty() ? "" : ": " + rule);
        return;
    }
    LadderEnd end = LadderEnd::STUCK;
    const bool found = runToNextDecision(run, highestRankOf(puzzle), end);
    std::vector<ToldStep> told = tellSteps(board, std::move(run.steps), options.chains);
    if (found && !told.empty()) {
        hint.kind = HintKind::STEP;
        hint.step = std::move(told.back());
        told.pop_back();
        hint.notes = std::move(told);
        return;
    }
    if (end == LadderEnd::SOLVED) {
        hint.kind = HintKind::SOLVED;
        return;
    }
    if (verdict == Verdict::MULTIPLE) {
        int32_t differing = -1;
        hint.reason = severalAnswersReason(l, *puzzle.check, differing);
        return;
    }
    // The ladder is stuck (or out of budget) on a puzzle with one answer: one side of it, the
    // first still open, so that the player can go on.
    hint.kind = HintKind::FROM_ANSWER;
    hint.reason = end == LadderEnd::LIMIT
                      ? "the ladder's work budget runs out before its next step"
                      : "no technique of the ladder, trials within trials included, decides "
                        "anything more from here";
    const auto truth = answerSides(puzzle.check->answers[0], puzzle.width, puzzle.height);
    for (const int32_t side : l.readingOrder) {
        if (run.state.sides[side] == SideState::OPEN) {
            hint.revealedSide = side;
            hint.revealed = truth[side];
            return;
        }
    }
}

}  // namespace varnel
