#include "varnel/puzzle.h"

#include "solver/clue_grid.h"
#include "textio/line_problem.h"
#include "textio/side_names.h"

namespace varnel::api {

std::string puzzleError(const Puzzle& puzzle) {
    if (puzzle.width < 1 || puzzle.height < 1) {
        return "a puzzle of " + std::to_string(puzzle.width) + " x " +
               std::to_string(puzzle.height) + " cells: width and height must be at least 1";
    }
    if (!fitsSolverLabels(puzzle.width, puzzle.height)) {
        return overLabelLimitMessage(std::to_string(puzzle.width), std::to_string(puzzle.height));
    }
    const size_t cells = static_cast<size_t>(puzzle.width) * static_cast<size_t>(puzzle.height);
    if (puzzle.clues.size() != cells) {
        return "the clues hold " + std::to_string(puzzle.clues.size()) + " cells, not " +
               std::to_string(puzzle.width) + " x " + std::to_string(puzzle.height);
    }
    for (size_t i = 0; i < cells; ++i) {
        const int8_t clue = puzzle.clues[i];
        if (clue == NO_CLUE || (clue >= 0 && clue <= 3)) continue;
        const int32_t x = static_cast<int32_t>(i % static_cast<size_t>(puzzle.width));
        const int32_t y = static_cast<int32_t>(i / static_cast<size_t>(puzzle.width));
        return "clue " + std::to_string(clue) + " at " + cellName(x, y) +
               " is not 0 to 3 (or NO_CLUE for none)";
    }
    return "";
}

}  // namespace varnel::api
