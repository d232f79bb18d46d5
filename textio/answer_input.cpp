#include "textio/answer_input.h"

#include <algorithm>
#include <utility>

#include "textio/ascii_reading.h"
#include "textio/line_problem.h"
#include "textio/side_names.h"
#include "textio/text_lines.h"

namespace varnel {

namespace {

// A line of a colouring: nothing but '#' and '.' once the blanks at its end are cut off.
bool isColouringRow(std::string_view text) {
    return !text.empty() && text.find_first_not_of("#.") == std::string_view::npos;
}

bool readColouring(const std::vector<TextLine>& lines, const std::string& source,
                   AnswerInput& answer, std::vector<InputDiagnostic>& diagnostics) {
    ErrorList errors{source, diagnostics};
    const auto [first, end] = nonBlankSpan(lines);
    const std::string_view firstRow = trimmedEnd(lines[first].text);
    const size_t width = firstRow.size();
    const size_t height = end - first;
    if (!fitsSolverLabels(static_cast<int64_t>(width), static_cast<int64_t>(height))) {
        errors.add(lines[first].number, 1,
                   overLabelLimitMessage(std::to_string(width), std::to_string(height)));
        return false;
    }
    std::vector<uint8_t> inside(width * height, 0);
    for (size_t y = 0; y < height; ++y) {
        const TextLine& line = lines[first + y];
        const std::string_view row = trimmedEnd(line.text);
        if (row.empty()) {
            errors.add(line.number, 1, "a blank line inside the colouring");
            continue;
        }
        const size_t bad = row.find_first_not_of("#.");
        if (bad != std::string_view::npos) {
            errors.add(line.number, static_cast<int64_t>(bad) + 1,
                       "expected '#' (a cell inside the loop) or '.' (outside), found " +
                           describeByte(row[bad]));
            continue;
        }
        if (row.size() != width) {
            errors.add(line.number, static_cast<int64_t>(std::min(row.size(), width)) + 1,
                       "a row of " + std::to_string(row.size()) + " cells after rows of " +
                           std::to_string(width));
            continue;
        }
        for (size_t x = 0; x < width; ++x)
            inside[y * width + x] = row[x] == '#' ? 1 : 0;
    }
    if (errors.any()) return false;
    answer.width = static_cast<int32_t>(width);
    answer.height = static_cast<int32_t>(height);
    answer.sides = sidesOfColours(inside.data(), answer.width, answer.height);
    return true;
}

bool readSideList(const std::vector<TextLine>& lines, const std::string& source, int32_t width,
                  int32_t height, AnswerInput& answer, std::vector<InputDiagnostic>& diagnostics) {
    ErrorList errors{source, diagnostics};
    answer.width = width;
    answer.height = height;
    answer.sides.assign(static_cast<size_t>(sideCount(width, height)), SideState::OFF);
    // The line where each side was listed, to name it when it comes again.
    std::vector<int64_t> listedOn(answer.sides.size(), 0);
    for (const TextLine& line : lines) {
        size_t start = 0;
        while (start < line.text.size() && isBlankByte(line.text[start]))
            ++start;
        const std::string_view name = trimmedEnd(line.text.substr(start));
        if (name.empty() || name[0] == '#') continue;
        const int64_t column = static_cast<int64_t>(start) + 1;
        NamedPlace place;
        std::string error;
        if (!readPlaceName(name, width, height, place, error)) {
            errors.add(line.number, column, error);
            continue;
        }
        if (place.kind == PlaceKind::CELL) {
            errors.add(line.number, column,
                       cellName(place.x, place.y) +
                           " is a cell, not a side: name one of its "
                           "sides, such as " +
                           cellName(place.x, place.y) + " top");
            continue;
        }
        if (place.kind == PlaceKind::POINT) {
            errors.add(line.number, column,
                       pointName(width, height, place.x, place.y) + " is a grid point, not a side");
            continue;
        }
        const size_t side = static_cast<size_t>(place.side);
        if (listedOn[side] != 0) {
            errors.add(line.number, column,
                       "the side " + sideName(width, height, place.side) +
                           " is listed twice (first on line " + std::to_string(listedOn[side]) +
                           ")");
            continue;
        }
        listedOn[side] = line.number;
        answer.sides[side] = SideState::ON;
    }
    return !errors.any();
}

}  // namespace

const char* answerFormName(AnswerForm form) {
    switch (form) {
        case AnswerForm::DRAWING:
            return "drawing";
        case AnswerForm::COLOURING:
            return "colouring";
        case AnswerForm::SIDE_LIST:
            return "sides";
    }
    return "sides";
}

bool readAnswerText(std::string_view text, const std::string& source, int32_t boardWidth,
                    int32_t boardHeight, AnswerInput& answer,
                    std::vector<InputDiagnostic>& diagnostics) {
    answer = AnswerInput{};
    if (text.substr(0, 3) == "\xEF\xBB\xBF") {
        diagnostics.push_back(
            {source, 1, 1, false, "a byte-order mark: save the answer without one"});
        return false;
    }
    const std::vector<TextLine> lines = splitLines(text);
    const TextLine* first = nullptr;
    for (const TextLine& line : lines) {
        if (!isBlankLine(line.text)) {
            first = &line;
            break;
        }
    }
    if (first == nullptr) {
        diagnostics.push_back({source, 1, 1, false, "no answer in this input"});
        return false;
    }
    size_t start = 0;
    while (isBlankByte(first->text[start]))
        ++start;
    if (first->text[start] == '+') {
        answer.form = AnswerForm::DRAWING;
        DrawnBoard board;
        if (!readAsciiDrawing(text, source, board, diagnostics)) return false;
        answer.width = board.width;
        answer.height = board.height;
        answer.sides = std::move(board.sides);
        answer.drawnClues = std::move(board.grid);
        return true;
    }
    if (isColouringRow(trimmedEnd(first->text.substr(start)))) {
        answer.form = AnswerForm::COLOURING;
        return readColouring(lines, source, answer, diagnostics);
    }
    answer.form = AnswerForm::SIDE_LIST;
    if (!fitsSolverLabels(boardWidth, boardHeight)) {
        diagnostics.push_back({source, first->number, 1, false,
                               "a side list needs a board within the solver's limit"});
        return false;
    }
    return readSideList(lines, source, boardWidth, boardHeight, answer, diagnostics);
}

}  // namespace varnel
