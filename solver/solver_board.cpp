#include <algorithm>
#include <cassert>

#include "solver/solver_board.h"

namespace varnel {

void SolverBoard::setUp(const uint8_t* grid, int32_t width, int32_t height,
                        RegionScan& regionScan) {
    assert(fitsSolverLabels(width, height));
    scan = &regionScan;
    stride = width + 2;
    paddedHeight = height + 2;
    cellCount = stride * paddedHeight;
    trialCount = 0;
    scanCount = 0;
    answerCount = 0;
    if (work != nullptr) ++work->setUps;

    // Clue and done arrays are allocated on the first set-up. A board set up again for another
    // size gets new arrays rather than writing past its old ones.
    if (clues == nullptr || (ownsClues && ownClues.size() != static_cast<size_t>(cellCount))) {
        ownClues.assign(static_cast<size_t>(cellCount), NO_BOARD_CLUE);
        done.assign(static_cast<size_t>(cellCount), 0);
        clues = ownClues.data();
        ownsClues = 1;
    }
    std::fill(clues, clues + cellCount, NO_BOARD_CLUE);
    std::fill(done.begin(), done.end(), 0);

    for (int32_t y = 0; y < height; ++y) {
        for (int32_t x = 0; x < width; ++x) {
            const uint8_t v = grid[y * width + x];
            if (v != NO_CLUE) clues[cellIndex(x, y)] = v;
        }
    }

    // Every cell its own set; the connectivity record sized for this board.
    uf.init(cellCount, stride);
    regionScan.init(cellCount, stride);

    // The border ring is outside: the top and bottom rows column by column, then the left and
    // right columns row by row.
    for (int32_t i = 0; i < stride; ++i) {
        uf.relate(OUTSIDE, i, SAME);
        uf.relate(OUTSIDE, (height + 1) * stride + i, SAME);
    }
    for (int32_t r = 0; r < paddedHeight; ++r) {
        uf.relate(OUTSIDE, r * stride, SAME);
        uf.relate(OUTSIDE, r * stride + stride - 1, SAME);
    }

    seedClues();
}

}  // namespace varnel
