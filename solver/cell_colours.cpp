#include "solver/cell_colours.h"

namespace varnel {

CellColours coloursOf(const SolverBoard& board) {
    const int32_t width = board.stride - 2;
    const int32_t height = board.paddedHeight - 2;
    CellColours colours(static_cast<size_t>(width) * static_cast<size_t>(height), 0);
    for (int32_t y = 0; y < height; ++y) {
        for (int32_t x = 0; x < width; ++x) {
            colours[static_cast<size_t>(y) * width + x] =
                board.uf.knownDifferent(OUTSIDE, board.cellIndex(x, y)) ? 1 : 0;
        }
    }
    return colours;
}

}  // namespace varnel
