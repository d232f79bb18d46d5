#include "explain/progress_marks.h"

#include "explain/place_words.h"
#include "explain/walkthrough.h"
#include "textio/ascii_reading.h"
#include "textio/side_names.h"

namespace varnel {

namespace {

std::string clueText(uint8_t clue) {
    return clue <= 3 ? std::string("clue ") + static_cast<char>('0' + clue) : "no clue";
}

}  // namespace

bool readProgress(std::string_view text, const std::string& source, const uint8_t* grid,
                  int32_t width, int32_t height, std::vector<SideState>& sides,
                  std::vector<InputDiagnostic>& diagnostics) {
    DrawnBoard board;
    if (!readAsciiDrawing(text, source, board, diagnostics)) return false;
    if (board.width != width || board.height != height) {
        diagnostics.push_back({source, board.firstLine, 1, false,
                               "the drawing is " + std::to_string(board.width) + "x" +
                                   std::to_string(board.height) + ", the puzzle " +
                                   std::to_string(width) + "x" + std::to_string(height)});
        return false;
    }
    bool same = true;
    for (int32_t y = 0; y < height; ++y) {
        for (int32_t x = 0; x < width; ++x) {
            const size_t cell = static_cast<size_t>(y) * width + x;
            const uint8_t drawn = board.grid[cell] <= 3 ? board.grid[cell] : NO_CLUE;
            const uint8_t clue = grid[cell] <= 3 ? grid[cell] : NO_CLUE;
            if (drawn == clue) continue;
            if (diagnostics.size() >= MAX_DIAGNOSTICS_PER_INPUT) return false;
            // The clue's column in its line of cells: the middle of the cell's three.
            diagnostics.push_back(
                {source, board.firstLine + 2 * static_cast<int64_t>(y) + 1,
                 4 * static_cast<int64_t>(x) + 3, false,
                 "the drawing shows " + clueText(drawn) + " at " + cellName(x, y) +
                     ", the puzzle has " +
                     (clue <= 3 ? std::string(1, static_cast<char>('0' + clue)) : "none")});
            same = false;
        }
    }
    if (!same) return false;
    sides = std::move(board.sides);
    return true;
}

std::vector<Mistake> findMistakes(int32_t width, int32_t height,
                                  const std::vector<SideState>& drawn,
                                  const std::vector<SideState>& answer) {
    std::vector<Mistake> mistakes;
    const auto judge = [&](int32_t side) {
        if (drawn[side] != SideState::OPEN && drawn[side] != answer[side]) {
            mistakes.push_back({side, drawn[side]});
        }
    };
    for (int32_t y = 0; y <= height; ++y) {
        for (int32_t x = 0; x < width; ++x)
            judge(horizontalSide(width, x, y));
        if (y == height) break;
        for (int32_t x = 0; x <= width; ++x)
            judge(verticalSide(width, height, x, y));
    }
    return mistakes;
}

std::string mistakeText(int32_t width, int32_t height, const Mistake& mistake) {
    const std::string name = sideName(width, height, mistake.side);
    return mistake.drawn == SideState::ON ? name + " is drawn but cannot be on the loop"
                                          : name + " is crossed but is on the loop";
}

std::vector<SideState> withoutMistakes(const std::vector<SideState>& drawn,
                                       const std::vector<Mistake>& mistakes) {
    std::vector<SideState> correct = drawn;
    for (const Mistake& mistake : mistakes)
        correct[mistake.side] = SideState::OPEN;
    return correct;
}

bool judgeProgress(std::string_view text, const std::string& source, const uint8_t* grid,
                   int32_t width, int32_t height, const CheckResult& check, PlayerBoard& board,
                   std::vector<InputDiagnostic>& diagnostics) {
    board = PlayerBoard{};
    std::vector<SideState> drawn;
    if (!readProgress(text, source, grid, width, height, drawn, diagnostics)) return false;
    for (const SideState s : drawn) {
        board.lines += s == SideState::ON;
        board.crosses += s == SideState::OFF;
    }
    if (check.verdict == Verdict::UNIQUE) {
        const auto answer = answerSides(check.answers[0], width, height);
        board.mistakes = findMistakes(width, height, drawn, answer);
        board.start = withoutMistakes(drawn, board.mistakes);
    } else {
        board.start = std::move(drawn);
    }
    return true;
}

std::string boardWords(const std::string& name, const PlayerBoard& board) {
    std::string text = name + " (" + counted(static_cast<size_t>(board.lines), "line") + " and " +
                       counted(static_cast<size_t>(board.crosses), "cross");
    if (!board.mistakes.empty()) {
        text += "; " + counted(board.mistakes.size(), "mistake") + " left out";
    }
    return text + ")";
}

}  // namespace varnel
