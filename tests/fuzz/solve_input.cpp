#include "tests/fuzz/solve_input.h"

#include <vector>

#include "solver/clue_grid.h"
#include "solver/solve_entry.h"
#include "solver/solver_board.h"
#include "tests/support/loop_shape.h"
#include "textio/answer_diagram.h"
#include "textio/problem_reader.h"
#include "textio/problem_writer.h"

namespace varnel::fuzz {

namespace {

using testing_support::firstInside;
using testing_support::floodCount;

// Problems up to this many cells are also written in the compact form and read back.
constexpr int64_t MAX_ROUND_TRIP_CELLS = 1 << 16;

bool withinCap(const ClueGrid& grid, int32_t width, int32_t height) {
    if (static_cast<int64_t>(grid.size()) > MAX_SOLVED_CELLS) return false;
    int64_t clues = 0;
    for (const uint8_t v : grid)
        clues += v != NO_CLUE;
    if (clues * 100 < MIN_CLUE_PERCENT * static_cast<int64_t>(grid.size())) return false;
    RegionScan scan;
    SolverBoard board;
    board.setUp(grid.data(), width, height, scan);
    board.sweep();
    return board.uf.setCount <= MAX_SWEEP_SETS;
}

size_t countOf(const std::string& text, std::string_view piece) {
    size_t n = 0;
    for (size_t at = text.find(piece); at != std::string::npos; at = text.find(piece, at + 1))
        ++n;
    return n;
}

// The answer on a solved board must be one loop that fits every clue of the problem, and the
// diagram must draw exactly its sides. Returns the first fault found, or an empty string.
std::string checkAnswer(const SolverBoard& board, const ClueGrid& grid, int32_t width,
                        int32_t height) {
    if (board.stride != width + 2 || board.paddedHeight != height + 2) return "board size";
    if (board.uf.setCount != 1 || board.uf.contradiction) return "answer on an unsolved board";
    const int32_t s = board.stride;
    std::vector<uint8_t> inside(static_cast<size_t>(board.cellCount));
    int32_t insideCells = 0;
    for (int32_t i = 0; i < board.cellCount; ++i) {
        if (!board.uf.knownSame(i, OUTSIDE) && !board.uf.knownDifferent(i, OUTSIDE)) {
            return "a cell of unknown colour on a solved board";
        }
        inside[i] = board.uf.knownDifferent(i, OUTSIDE) ? 1 : 0;
        insideCells += inside[i];
    }
    size_t loopSides = 0;
    for (int32_t y = 0; y < height + 2; ++y) {
        for (int32_t x = 0; x < width + 2; ++x) {
            const int32_t c = y * s + x;
            const bool border = x == 0 || y == 0 || x == width + 1 || y == height + 1;
            if (border) {
                if (inside[c]) return "a border cell inside the loop";
                continue;
            }
            const int sides = (inside[c] != inside[c - 1]) + (inside[c] != inside[c + 1]) +
                              (inside[c] != inside[c - s]) + (inside[c] != inside[c + s]);
            loopSides += static_cast<size_t>(inside[c] != inside[c + 1]) +
                         (inside[c] != inside[c + s]) + (x == 1 && inside[c]) +
                         (y == 1 && inside[c]);
            const uint8_t clue = grid[static_cast<size_t>(y - 1) * width + (x - 1)];
            const uint8_t boardClue = board.clues[c];
            if ((clue == NO_CLUE) != (boardClue == NO_BOARD_CLUE)) return "clue laid out wrong";
            if (clue != NO_CLUE && (boardClue != clue || sides != clue)) {
                return "the answer breaks a clue";
            }
        }
    }
    if (insideCells == 0) return "an answer with nothing inside";
    if (floodCount(inside, firstInside(inside), s) != insideCells)
        return "the inside is not one piece";
    if (floodCount(inside, OUTSIDE, s) != board.cellCount - insideCells) {
        return "the outside is not one piece";
    }

    // The diagram: 2H + 1 lines of 2W + 1 three-byte glyphs and an empty line; its loop glyphs
    // are exactly the loop's sides, every other side is crossed out.
    const std::string diagram = formatDiagram(board);
    std::string appended = "kept";
    appendDiagram(board, appended);
    if (appended != "kept" + diagram) return "appendDiagram differs from formatDiagram";
    const size_t lineBytes = static_cast<size_t>(2 * width + 1) * 3 + 1;
    if (diagram.size() != static_cast<size_t>(2 * height + 1) * lineBytes + 1) {
        return "diagram size";
    }
    if (countOf(diagram, "\n") != static_cast<size_t>(2 * height + 2) || diagram.back() != '\n') {
        return "diagram lines";
    }
    const size_t allSides = static_cast<size_t>(height + 1) * width + height * (width + 1);
    const size_t drawnLoop = countOf(diagram, "━") + countOf(diagram, "┃");
    if (drawnLoop != loopSides) return "diagram loop sides";
    if (countOf(diagram, "ｘ") != allSides - loopSides) return "diagram crossed-out sides";
    return {};
}

// The compact line of a problem reads back as the same problem.
std::string checkRoundTrip(const ClueGrid& grid, int32_t width, int32_t height) {
    std::string line;
    appendProblemLine(0, grid.data(), width, height, line);
    int32_t read = 0;
    bool same = false;
    const ReadOutcome outcome = readProblems(line, [&](const ClueGrid& g, int32_t w, int32_t h) {
        ++read;
        same = g == grid && w == width && h == height;
    });
    if (outcome != ReadOutcome::COMPLETE || read != 1 || !same) return "compact round trip";
    return {};
}

}  // namespace

FuzzRun solveFuzzInput(std::string_view bytes) {
    FuzzRun run;
    auto fail = [&run](std::string what) {
        if (run.violation.empty() && !what.empty()) run.violation = std::move(what);
    };

    const ProblemHandler handler = [&](const ClueGrid& grid, int32_t width, int32_t height) {
        ++run.problemsRead;
        if (width < 1 || height < 1 ||
            grid.size() != static_cast<size_t>(width) * static_cast<size_t>(height)) {
            fail("the reader handed over a grid of the wrong size");
            return;
        }
        for (const uint8_t v : grid) {
            if (v > NO_CLUE) {
                fail("the reader handed over a cell value above NO_CLUE");
                return;
            }
        }
        if (static_cast<int64_t>(grid.size()) <= MAX_ROUND_TRIP_CELLS) {
            fail(checkRoundTrip(grid, width, height));
        }
        // As solve mode does: a board beyond the 16-bit labels is refused.
        if (!fitsSolverLabels(width, height)) {
            run.output += "problem too large.\n";
            return;
        }
        if (!withinCap(grid, width, height)) return;
        ++run.problemsSolved;

        int32_t answersPrinted = 0;
        int32_t verdicts = 0;
        const AnswerPrinter printAnswer = [&](const SolverBoard& board) {
            ++answersPrinted;
            fail(checkAnswer(board, grid, width, height));
            appendDiagram(board, run.output);
        };
        const VerdictPrinter printVerdict = [&](SolveOutcome outcome, int32_t answerCount) {
            ++verdicts;
            const bool failed = outcome == SolveOutcome::FAILED;
            if (answerCount < 0 || answerCount > 1) fail("verdict out of range");
            if ((outcome == SolveOutcome::FOUND) != (answerCount == 1)) {
                fail("an answer counted without the outcome FOUND");
            }
            if (failed && answerCount != 0) fail("an answer counted on a failed solve");
            if (answerCount != answersPrinted) fail("answers counted and printed differ");
            run.output += failed ? "failed to solve.\n"
                                 : "found " + std::to_string(answerCount) + " answer(s).\n";
        };
        const int32_t result = solveProblem(grid.data(), width, height, printAnswer, printVerdict);
        if (verdicts != 1) fail("not exactly one verdict");
        if (result != answersPrinted) fail("solveProblem's result differs from its answers");
    };

    const ReadOutcome outcome = readProblems(bytes, handler);
    if (outcome == ReadOutcome::INVALID_GRID && run.problemsRead != 0) {
        fail("a rejected grid text handed over a problem");
    }
    if (outcome != ReadOutcome::COMPLETE) run.output += "invalid problem data.\n";
    return run;
}

}  // namespace varnel::fuzz
