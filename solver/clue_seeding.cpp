#include "solver/solver_board.h"

namespace varnel {

// Clue 0: no side of c is on the loop.
void SolverBoard::seedClueZero(int32_t c) {
    uf.relate(c, c + 1, 1);
    uf.relate(c, c - 1, 1);
    uf.relate(c, c + stride, 1);
    uf.relate(c, c - stride, 1);
    done[c] = 1;
}

void SolverBoard::seedClueThree(int32_t c, int32_t a, int32_t b) {
    // Step 1, adjacent 3s: the shared side and both far sides are on the loop, the two sides
    // continuing the shared side are not, and exactly one of c's remaining sides is.
    if (clues[c + a] == 3) {
        uf.relate(c, c - a, 0);
        uf.relate(c, c + a, 0);
        uf.relate(c, c + 2 * a, 1);
        uf.relate(c - b, c - b + a, 1);
        uf.relate(c + b, c + b + a, 1);
        uf.relate(c - b, c + b, 0);
    }
    // Step 2, diagonal 3s, possibly with a run of 2s between them: the sides of both 3s that face
    // away from the diagonal are on the loop. Border cells hold no clue, so the walk stops inside.
    const int32_t s = a + b;
    int32_t far = c + s;
    while (clues[far] == 2)
        far += s;
    if (clues[far] == 3) {
        uf.relate(c, c - a, 0);
        uf.relate(c, c - b, 0);
        uf.relate(far, far + a, 0);
        uf.relate(far, far + b, 0);
    }
}

// A 2 on a diagonal run of 2s between two 3s: the outer sides of both 3s are on the loop. Lets a
// board that receives its clues one at a time learn what setUp learns from the 3s.
void SolverBoard::seedClueTwo(int32_t c, int32_t a, int32_t b) {
    const int32_t s = a + b;
    int32_t p = c + s;
    while (clues[p] == 2)
        p += s;
    int32_t q = c - s;
    while (clues[q] == 2)
        q -= s;
    if (clues[p] != 3 || clues[q] != 3) return;
    uf.relate(p, p + a, 0);
    uf.relate(p, p + b, 0);
    uf.relate(q, q - a, 0);
    uf.relate(q, q - b, 0);
}

void SolverBoard::placeClue(int32_t x, int32_t y, uint8_t v) {
    const int32_t c = cellIndex(x, y);
    clues[c] = v;
    uf.touchArea(y, y + 2, x, x + 2);  // the cells whose rules read this clue
    const int32_t rotations[4][2] = {{1, stride}, {-stride, 1}, {-1, -stride}, {stride, -1}};
    if (v == 0) {
        seedClueZero(c);
    } else if (v == 3) {
        for (const auto& r : rotations)
            seedClueThree(c, r[0], r[1]);
    } else if (v == 2) {
        for (const auto& r : rotations)
            seedClueTwo(c, r[0], r[1]);
    }
}

}  // namespace varnel
