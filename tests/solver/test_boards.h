#pragma once

#include <string>
#include <vector>

#include "solver/clue_grid.h"
#include "solver/solver_board.h"

namespace varnel::testing {

// A clue grid from rows of '.', '0'..'3', all of one length.
inline ClueGrid gridFromRows(const std::vector<std::string>& rows) {
    ClueGrid grid;
    for (const std::string& row : rows) {
        for (const char ch : row)
            grid.push_back(ch == '.' ? NO_CLUE : static_cast<uint8_t>(ch - '0'));
    }
    return grid;
}

// A board set up from rows, together with the scan record it refers to.
struct TestBoard {
    RegionScan scan;
    SolverBoard board;
    int32_t width = 0;
    int32_t height = 0;

    explicit TestBoard(const std::vector<std::string>& rows)
        : width(static_cast<int32_t>(rows[0].size())), height(static_cast<int32_t>(rows.size())) {
        const ClueGrid grid = gridFromRows(rows);
        board.setUp(grid.data(), width, height, scan);
    }
    int32_t at(int32_t x, int32_t y) const { return board.cellIndex(x, y); }
};

}  // namespace varnel::testing
