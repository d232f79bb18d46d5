#include "checker/colour_encoding.h"

#include <array>
#include <bit>

#include "solver/clue_grid.h"

namespace varnel {
namespace {

// The clause guard or (some variable of subset is polarity): subset is a bit mask over vars.
void addSubsetClause(int32_t guard, const int32_t* vars, int32_t size, uint32_t subset,
                     int32_t polarity, ClauseList& clauses) {
    clauses.add(guard);
    for (int32_t i = 0; i < size; ++i) {
        if (subset & (1u << i)) clauses.add(polarity * vars[i]);
    }
    clauses.close();
}

// Clauses saying that exactly count of the variables vars[0, size) are true whenever guard is
// false: every count + 1 of them hold a false one, and every size - count + 1 of them a true one.
// With at most four variables, enumerating the subsets is as short as any counter.
void addExactlyTrue(int32_t guard, const int32_t* vars, int32_t size, int32_t count,
                    ClauseList& clauses) {
    for (uint32_t subset = 1; subset < (1u << size); ++subset) {
        const int32_t chosen = std::popcount(subset);
        if (chosen == count + 1) addSubsetClause(guard, vars, size, subset, -1, clauses);
        if (chosen == size - count + 1) addSubsetClause(guard, vars, size, subset, 1, clauses);
    }
}

// The clue of the cell at (x, y) counts its sides on the loop. A side to a cell beyond the grid
// is on the loop exactly when the cell is inside, so with the cell outside, count of its grid
// neighbours are inside; with the cell inside, count of all four neighbours are outside, of which
// the missing ones always are.
void encodeClue(int32_t x, int32_t y, int32_t width, int32_t height, uint8_t count,
                ClauseList& clauses) {
    const int32_t self = cellVariable(y * width + x);
    std::array<int32_t, 4> neighbours{};
    int32_t size = 0;
    if (x > 0) neighbours[size++] = cellVariable(y * width + x - 1);
    if (x + 1 < width) neighbours[size++] = cellVariable(y * width + x + 1);
    if (y > 0) neighbours[size++] = cellVariable((y - 1) * width + x);
    if (y + 1 < height) neighbours[size++] = cellVariable((y + 1) * width + x);

    const int32_t insideWhenOutside = count;
    if (insideWhenOutside > size) {
        clauses.add(self);
        clauses.close();
    } else {
        addExactlyTrue(self, neighbours.data(), size, insideWhenOutside, clauses);
    }
    // Of the four neighbours, 4 - count are inside; all of them must be grid cells.
    const int32_t insideWhenInside = 4 - count;
    if (insideWhenInside > size) {
        clauses.add(-self);
        clauses.close();
    } else {
        addExactlyTrue(-self, neighbours.data(), size, insideWhenInside, clauses);
    }
}

}  // namespace

void encodeProblem(const uint8_t* grid, int32_t width, int32_t height, ClauseList& clauses) {
    // Four loop sides meet at a grid point exactly when its four cells alternate around it. At a
    // point on the edge of the grid two of the four cells are beyond it and alike, so only the
    // inner points need the two clauses.
    for (int32_t y = 1; y < height; ++y) {
        for (int32_t x = 1; x < width; ++x) {
            const int32_t topLeft = cellVariable((y - 1) * width + x - 1);
            const int32_t topRight = cellVariable((y - 1) * width + x);
            const int32_t bottomLeft = cellVariable(y * width + x - 1);
            const int32_t bottomRight = cellVariable(y * width + x);
            for (const int32_t sign : {1, -1}) {
                clauses.add(-sign * topLeft);
                clauses.add(sign * topRight);
                clauses.add(sign * bottomLeft);
                clauses.add(-sign * bottomRight);
                clauses.close();
            }
        }
    }
    for (int32_t y = 0; y < height; ++y) {
        for (int32_t x = 0; x < width; ++x) {
            const uint8_t clue = grid[y * width + x];
            if (clue == NO_CLUE) continue;
            if (clue > NO_CLUE) {
                // No cell has more than four sides: no colouring meets this clue.
                clauses.close();
                continue;
            }
            encodeClue(x, y, width, height, clue, clauses);
        }
    }
    const int32_t cells = width * height;
    for (int32_t i = 0; i < cells; ++i)
        clauses.add(cellVariable(i));
    clauses.close();
}

void encodeAnswerBan(const CellColours& answer, ClauseList& clauses) {
    for (size_t i = 0; i < answer.size(); ++i) {
        const int32_t variable = cellVariable(static_cast<int32_t>(i));
        clauses.add(answer[i] ? -variable : variable);
    }
    clauses.close();
}

}  // namespace varnel
