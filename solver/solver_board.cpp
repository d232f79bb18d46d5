#include <algorithm>
#include <cassert>

#include "solver/solver_board.h"

namespace varnel {

void SolverBoard::setUp(const uint8_t* grid, int32_t width, int32_t height,
                        RegionScan& regionScan) {
    assert(fitsSolverLabels(width, height));
    // Step 1: size and counters.
    scan = &regionScan;
    stride = width + 2;
    paddedHeight = height + 2;
    cellCount = stride * paddedHeight;
    trialCount = 0;
    scanCount = 0;
    answerCount = 0;
    if (work != nullptr) ++work->setUps;

    // Steps 2 and 3: clue and done arrays, allocated on the first set-up.
    // A board set up again for another size gets new arrays rather than writing past its old ones.
    if (clues == nullptr || (ownsClues && ownClues.size() != static_cast<size_t>(cellCount))) {
        ownClues.assign(static_cast<size_t>(cellCount), NO_BOARD_CLUE);
        done.assign(static_cast<size_t>(cellCount), 0);
        clues = ownClues.data();
        ownsClues = 1;
    }
    std::fill(clues, clues + cellCount, NO_BOARD_CLUE);
    std::fill(done.begin(), done.end(), 0);

    // Step 4: the problem's clues.
    for (int32_t y = 0; y < height; ++y) {
        for (int32_t x = 0; x < width; ++x) {
            const uint8_t v = grid[y * width + x];
            if (v != NO_CLUE) clues[cellIndex(x, y)] = v;
        }
    }

    // Steps 5 and 6: colour relations and the connectivity record.
    uf.init(cellCount, stride);
    regionScan.init(cellCount, stride);

    // Step 7: the border ring is outside.
    for (int32_t i = 0; i < stride; ++i) {
        uf.relate(OUTSIDE, i, 1);
        uf.relate(OUTSIDE, (height + 1) * stride + i, 1);
    }
    for (int32_t r = 0; r < paddedHeight; ++r) {
        uf.relate(OUTSIDE, r * stride, 1);
        uf.relate(OUTSIDE, r * stride + stride - 1, 1);
    }

    // Step 8: what the clues 0 and 3 give without search.
    const int32_t rotations[4][2] = {{1, stride}, {-stride, 1}, {-1, -stride}, {stride, -1}};
    for (int32_t i = 0; i < cellCount; ++i) {
        if (clues[i] == 0) {
            seedClueZero(i);
        } else if (clues[i] == 3) {
            for (const auto& r : rotations)
                seedClueThree(i, r[0], r[1]);
        }
    }
}

}  // namespace varnel
