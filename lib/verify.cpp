#include "varnel/verify.h"

#include "checker/loop_rules.h"
#include "lib/records.h"
#include "solver/side_grid.h"
#include "textio/answer_input.h"
#include "textio/side_names.h"

namespace varnel::api {

namespace {

std::string sizeText(int32_t width, int32_t height) {
    return std::to_string(width) + "x" + std::to_string(height);
}

std::string clueText(uint8_t clue) {
    return clue <= 3 ? "clue " + std::to_string(clue) : "no clue";
}

// The first cell, in reading order, where a drawing's clues differ from the puzzle's; false when
// none does.
bool drawnClueFault(const ClueGrid& grid, const ClueGrid& drawn, int32_t width,
                    VerifyResult& result) {
    for (size_t i = 0; i < grid.size(); ++i) {
        const uint8_t want = grid[i] <= 3 ? grid[i] : varnel::NO_CLUE;
        const uint8_t shown = drawn[i] <= 3 ? drawn[i] : varnel::NO_CLUE;
        if (want == shown) continue;
        const std::string cell = cellName(static_cast<int32_t>(i % static_cast<size_t>(width)),
                                          static_cast<int32_t>(i / static_cast<size_t>(width)));
        result.rule = Rule::DRAWN_CLUE;
        result.reason = "the drawing shows " + clueText(shown) + " at " + cell + ", the puzzle " +
                        "has " + (want <= 3 ? std::to_string(want) : std::string("none"));
        return true;
    }
    return false;
}

// Checks the sides on the loop of an answer of the puzzle's size against the rules.
void checkRules(const ClueGrid& grid, int32_t width, int32_t height,
                const std::vector<SideState>& sides, VerifyResult& result) {
    const LoopFinding finding = checkLoop(grid.data(), width, height, sides.data());
    switch (finding.fault) {
        case LoopFault::NONE:
            result.valid = true;
            return;
        case LoopFault::NO_LINE:
            result.rule = Rule::NO_LINE;
            result.reason = "the answer has no line";
            return;
        case LoopFault::POINT:
            result.rule = Rule::POINT;
            result.reason = "point " + pointName(width, height, finding.x, finding.y) + " has " +
                            std::to_string(finding.count) +
                            (finding.count == 1 ? " line (a dead end)" : " lines");
            return;
        case LoopFault::SEVERAL_LOOPS:
            result.rule = Rule::LOOPS;
            result.reason = "the lines form " + std::to_string(finding.count) + " loops";
            return;
        case LoopFault::CLUE:
            result.rule = Rule::CLUE;
            result.reason =
                "clue " + std::to_string(grid[static_cast<size_t>(finding.y) * width + finding.x]) +
                " at " + cellName(finding.x, finding.y) + " has " + std::to_string(finding.count) +
                (finding.count == 1 ? " side" : " sides") + " on the loop";
            return;
    }
}

AnswerForm formOf(varnel::AnswerForm form) {
    switch (form) {
        case varnel::AnswerForm::DRAWING:
            return AnswerForm::DRAWING;
        case varnel::AnswerForm::COLOURING:
            return AnswerForm::COLOURING;
        case varnel::AnswerForm::SIDE_LIST:
            return AnswerForm::SIDES;
    }
    return AnswerForm::SIDES;
}

}  // namespace

const char* ruleName(Rule rule) {
    switch (rule) {
        case Rule::NONE:
            return "valid";
        case Rule::SIZE:
            return "size";
        case Rule::DRAWN_CLUE:
            return "drawn-clue";
        case Rule::NO_LINE:
            return "no-line";
        case Rule::POINT:
            return "point";
        case Rule::LOOPS:
            return "loops";
        case Rule::CLUE:
            return "clue";
    }
    return "valid";
}

const char* answerFormName(AnswerForm form) {
    switch (form) {
        case AnswerForm::DRAWING:
            return "drawing";
        case AnswerForm::COLOURING:
            return "colouring";
        case AnswerForm::SIDES:
            return "sides";
    }
    return "sides";
}

VerifyResult verify(const Puzzle& puzzle, std::string_view answer, const std::string& source) {
    VerifyResult result;
    result.error = puzzleError(puzzle);
    if (!result.error.empty()) return result;
    AnswerInput input;
    std::vector<InputDiagnostic> diagnostics;
    const bool read =
        readAnswerText(answer, source, puzzle.width, puzzle.height, input, diagnostics);
    for (const InputDiagnostic& d : diagnostics)
        result.diagnostics.push_back(diagnosticOf(d));
    result.form = formOf(input.form);
    if (!read) {
        result.error = errorText(diagnostics);
        return result;
    }
    // The size first: nothing else can be compared on boards of different sizes.
    if (input.width != puzzle.width || input.height != puzzle.height) {
        result.rule = Rule::SIZE;
        result.reason = "the answer is " + sizeText(input.width, input.height) + ", the puzzle " +
                        sizeText(puzzle.width, puzzle.height);
        return result;
    }
    // A drawing shows clues, which must be the puzzle's, or it answers another puzzle.
    const ClueGrid grid = clueGridOf(puzzle);
    if (input.form == varnel::AnswerForm::DRAWING &&
        drawnClueFault(grid, input.drawnClues, puzzle.width, result)) {
        return result;
    }
    // Then the loop itself: lines, points, loops, clues.
    checkRules(grid, puzzle.width, puzzle.height, input.sides, result);
    return result;
}

VerifyResult verifyAnswer(const Puzzle& puzzle, const Answer& answer) {
    VerifyResult result;
    result.form = AnswerForm::COLOURING;
    result.error = puzzleError(puzzle);
    if (!result.error.empty()) return result;
    if (answer.width < 1 || answer.height < 1 ||
        answer.inside.size() != static_cast<size_t>(answer.width) * answer.height) {
        result.error = "the answer's cells hold " + std::to_string(answer.inside.size()) +
                       " values, not " + std::to_string(answer.width) + " x " +
                       std::to_string(answer.height);
        return result;
    }
    if (answer.width != puzzle.width || answer.height != puzzle.height) {
        result.rule = Rule::SIZE;
        result.reason = "the answer is " + sizeText(answer.width, answer.height) + ", the puzzle " +
                        sizeText(puzzle.width, puzzle.height);
        return result;
    }
    const std::vector<SideState> sides =
        sidesOfColours(answer.inside.data(), answer.width, answer.height);
    checkRules(clueGridOf(puzzle), puzzle.width, puzzle.height, sides, result);
    return result;
}

}  // namespace varnel::api
