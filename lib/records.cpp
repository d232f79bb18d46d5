#include "lib/records.h"

#include <utility>

namespace varnel::api {

ClueGrid clueGridOf(const Puzzle& puzzle) {
    ClueGrid grid(puzzle.clues.size());
    for (size_t i = 0; i < grid.size(); ++i)
        grid[i] = puzzle.clues[i] < 0 ? varnel::NO_CLUE : static_cast<uint8_t>(puzzle.clues[i]);
    return grid;
}

Puzzle puzzleOf(InputProblem&& problem) {
    Puzzle puzzle;
    puzzle.width = problem.width;
    puzzle.height = problem.height;
    puzzle.clues.resize(problem.grid.size());
    for (size_t i = 0; i < problem.grid.size(); ++i) {
        const uint8_t clue = problem.grid[i];
        puzzle.clues[i] = clue <= 3 ? static_cast<int8_t>(clue) : NO_CLUE;
    }
    puzzle.level = problem.level;
    puzzle.source = std::move(problem.source);
    puzzle.line = problem.line;
    return puzzle;
}

Answer answerOf(const CellColours& colours, int32_t width, int32_t height) {
    return {width, height, colours};
}

Diagnostic diagnosticOf(const InputDiagnostic& diagnostic) {
    return {diagnostic.source, diagnostic.line, diagnostic.column, diagnostic.warning,
            diagnostic.message};
}

std::string errorText(const std::vector<InputDiagnostic>& diagnostics) {
    std::string text;
    for (const InputDiagnostic& d : diagnostics) {
        if (d.warning) continue;
        if (!text.empty()) text += '\n';
        text += formatDiagnostic(d);
    }
    return text;
}

}  // namespace varnel::api
