#include "varnel/write.h"

#include "creator/grading.h"
#include "lib/records.h"
#include "textio/ascii_drawing.h"
#include "textio/game_id.h"
#include "textio/problem_writer.h"
#include "textio/puzz_link.h"
#include "textio/svg_drawing.h"

namespace varnel::api {

namespace {

// In the order of Form.
constexpr const char* FORM_NAMES[] = {"compact", "grid", "url", "loopy", "ascii", "svg"};
constexpr size_t FORM_COUNT = sizeof FORM_NAMES / sizeof FORM_NAMES[0];

// Why the answers cannot be drawn in the puzzle; empty when they can.
std::string answersError(const Puzzle& puzzle, const std::vector<Answer>& answers) {
    const size_t cells = puzzle.clues.size();
    for (const Answer& answer : answers) {
        if (answer.width != puzzle.width || answer.height != puzzle.height ||
            answer.inside.size() != cells) {
            return "an answer of " + std::to_string(answer.width) + " x " +
                   std::to_string(answer.height) + " cells (" +
                   std::to_string(answer.inside.size()) + " given) for a puzzle of " +
                   std::to_string(puzzle.width) + " x " + std::to_string(puzzle.height);
        }
    }
    return "";
}

// The pictures of one puzzle: its clues alone or with its one answer under title, or once with
// each of several answers under their captions (title when there are none).
std::vector<SvgProblem> picturesOf(const ClueGrid& grid, const Puzzle& puzzle,
                                   const std::vector<Answer>& answers, const std::string& title,
                                   const std::vector<std::string>& captions) {
    if (answers.size() < 2) {
        const uint8_t* inside = answers.empty() ? nullptr : answers.front().inside.data();
        return {{grid.data(), puzzle.width, puzzle.height, inside, title}};
    }
    std::vector<SvgProblem> pictures;
    for (size_t i = 0; i < answers.size(); ++i) {
        const std::string& caption = i < captions.size() ? captions[i] : title;
        pictures.push_back(
            {grid.data(), puzzle.width, puzzle.height, answers[i].inside.data(), caption});
    }
    return pictures;
}

}  // namespace

const char* formName(Form form) {
    const auto index = static_cast<size_t>(form);
    if (index >= FORM_COUNT) return FORM_NAMES[0];
    return FORM_NAMES[index];
}

bool formFromName(std::string_view name, Form& form) {
    for (size_t i = 0; i < FORM_COUNT; ++i) {
        if (name == FORM_NAMES[i]) {
            form = static_cast<Form>(i);
            return true;
        }
    }
    return false;
}

WriteResult writePuzzle(const Puzzle& puzzle, const WriteOptions& options) {
    WriteResult result;
    result.error = puzzleError(puzzle);
    if (result.error.empty()) result.error = answersError(puzzle, options.answers);
    if (result.error.empty() && (options.level < 0 || options.level > 5)) {
        result.error = "level " + std::to_string(options.level) + " is not 1 to 5";
    }
    if (!result.error.empty()) return result;
    const ClueGrid grid = clueGridOf(puzzle);
    const int32_t width = puzzle.width;
    const int32_t height = puzzle.height;
    std::string& text = result.text;
    switch (options.form) {
        case Form::COMPACT: {
            int32_t level = options.level != 0 ? options.level : puzzle.level;
            if (level == 0) level = gradeLevel(grid.data(), width, height);
            appendCompactLine(level, grid, width, height, text);
            break;
        }
        case Form::GRID:
            appendGridRows(grid, width, height, text);
            break;
        case Form::URL:
            appendPuzzLinkUrl(grid, width, height, text);
            text += '\n';
            break;
        case Form::LOOPY:
            appendGameId(grid, width, height, text);
            text += '\n';
            break;
        case Form::ASCII:
            if (options.answers.empty()) {
                appendAsciiDrawing(grid.data(), width, height, nullptr, text);
                text += '\n';
            }
            for (const Answer& answer : options.answers) {
                appendAsciiDrawing(grid.data(), width, height, answer.inside.data(), text);
                text += '\n';
            }
            break;
        case Form::SVG:
            appendSvgPictures(
                picturesOf(grid, puzzle, options.answers, options.title, options.captions),
                options.title, text);
            break;
        default:
            result.error = "unknown form " + std::to_string(static_cast<int>(options.form));
            break;
    }
    return result;
}

WriteResult writeSvgSheet(const std::vector<SheetPlace>& places, std::string_view footer) {
    WriteResult result;
    std::vector<ClueGrid> grids;
    grids.reserve(places.size());
    std::vector<SvgProblem> pictures;
    for (const SheetPlace& place : places) {
        result.error = puzzleError(place.puzzle);
        if (result.error.empty()) result.error = answersError(place.puzzle, place.answers);
        if (!result.error.empty()) return result;
        grids.push_back(clueGridOf(place.puzzle));
        for (const SvgProblem& picture :
             picturesOf(grids.back(), place.puzzle, place.answers, place.title, place.captions))
            pictures.push_back(picture);
    }
    if (!appendSvgSheet(pictures, footer, result.text)) {
        result.text.clear();
        result.error =
            "the " + std::to_string(pictures.size()) + " pictures do not fit on one page";
    }
    return result;
}

}  // namespace varnel::api
