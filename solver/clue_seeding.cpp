#include "solver/forced_inline.h"
#include "solver/rotations.h"
#include "solver/solver_board.h"

namespace varnel {

// Clue 0: no side of c is on the loop.
void SolverBoard::seedClueZero(int32_t c) {
    uf.relate(c, c + 1, SAME);
    uf.relate(c, c - 1, SAME);
    uf.relate(c, c + stride, SAME);
    uf.relate(c, c - stride, SAME);
    done[c] = 1;
}

int32_t SolverBoard::diagonalEnd(int32_t c, int32_t step) const {
    int32_t p = c + step;
    while (clues[p] == 2)
        p += step;
    return p;
}

void SolverBoard::seedClueThree(int32_t c, int32_t a, int32_t b) {
    // Adjacent 3s: the shared side and both far sides are on the loop, the two sides continuing
    // the shared side are not, and exactly one of c's remaining sides is.
    if (clues[c + a] == 3) {
        uf.relate(c, c - a, DIFFERENT);
        uf.relate(c, c + a, DIFFERENT);
        uf.relate(c, c + 2 * a, SAME);
        uf.relate(c - b, c - b + a, SAME);
        uf.relate(c + b, c + b + a, SAME);
        uf.relate(c - b, c + b, DIFFERENT);
    }
    // Diagonal 3s, possibly with a run of 2s between them: the sides of both 3s that face away
    // from the diagonal are on the loop.
    const int32_t far = diagonalEnd(c, a + b);
    if (clues[far] == 3) {
        uf.relate(c, c - a, DIFFERENT);
        uf.relate(c, c - b, DIFFERENT);
        uf.relate(far, far + a, DIFFERENT);
        uf.relate(far, far + b, DIFFERENT);
    }
}

// A 2 on a diagonal run of 2s between two 3s: the outer sides of both 3s are on the loop. Lets a
// board that receives its clues one at a time learn what setUp learns from the 3s.
void SolverBoard::seedClueTwo(int32_t c, int32_t a, int32_t b) {
    const int32_t p = diagonalEnd(c, a + b);
    const int32_t q = diagonalEnd(c, -(a + b));
    if (clues[p] != 3 || clues[q] != 3) return;
    uf.relate(p, p + a, DIFFERENT);
    uf.relate(p, p + b, DIFFERENT);
    uf.relate(q, q - a, DIFFERENT);
    uf.relate(q, q - b, DIFFERENT);
}

namespace {

// What the clue of cell c gives without search: a 0, or a 3 in the four rotations; nothing for
// the other clues.
VARNEL_FORCED_INLINE inline void seedClue(SolverBoard& board, int32_t c) {
    if (board.clues[c] == 0) {
        board.seedClueZero(c);
    } else if (board.clues[c] == 3) {
        forEachRotation(board.stride, [&](int32_t a, int32_t b) { board.seedClueThree(c, a, b); });
    }
}

}  // namespace

void SolverBoard::seedClues() {
    for (int32_t i = 0; i < cellCount; ++i)
        seedClue(*this, i);
}

void SolverBoard::placeClue(int32_t x, int32_t y, uint8_t v) {
    const int32_t c = cellIndex(x, y);
    clues[c] = v;
    uf.touchArea(y, y + 2, x, x + 2);  // the cells whose rules read this clue
    if (v == 2) {
        forEachRotation(stride, [&](int32_t a, int32_t b) { seedClueTwo(c, a, b); });
    } else {
        seedClue(*this, c);
    }
}

bool SolverBoard::placingMaySeed(int32_t x, int32_t y, uint8_t v) const {
    const int32_t c = cellIndex(x, y);
    switch (v) {
        case 0:
            // Seeding a 0 that is done and whose four sides are known off changes nothing.
            return !done[c] || !uf.knownSame(c, c + 1) || !uf.knownSame(c, c - 1) ||
                   !uf.knownSame(c, c + stride) || !uf.knownSame(c, c - stride);
        case 2:
            return anyRotation(stride, [&](int32_t a, int32_t b) {
                return clues[diagonalEnd(c, a + b)] == 3 && clues[diagonalEnd(c, -(a + b))] == 3;
            });
        case 3:
            return anyRotation(stride, [&](int32_t a, int32_t b) {
                return clues[c + a] == 3 || clues[diagonalEnd(c, a + b)] == 3;
            });
        default:
            return false;
    }
}

}  // namespace varnel
