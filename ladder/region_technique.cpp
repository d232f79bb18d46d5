// The hard rank's view of regions: the inside of the loop is one piece, and every outside cell
// reaches the border through outside cells. A piece of known inside cells, while other inside
// cells exist, and a piece of known outside cells cut off from the border, must each go on
// through one of their open sides; with a single one, that side is crossed.

#include "ladder/techniques.h"

namespace varnel {

namespace {

constexpr int32_t UNKNOWN = -1;

}  // namespace

bool singleWayOut(LadderRun& run, int32_t /*place*/) {
    const BoardLayout& l = run.layout;
    const PencilState& s = run.state;
    const int32_t cells = l.cellCount;
    // scratch: [0, cells) the cell's place (1 inside, 0 outside, -1 unknown), then [cells, 2
    // cells) its piece (-1 none yet), then the flood's stack.
    std::vector<int32_t>& scratch = run.scratch;
    scratch.assign(static_cast<size_t>(cells) * 2, UNKNOWN);
    int32_t* place = scratch.data();
    int32_t* piece = scratch.data() + cells;
    int32_t insideCells = 0;
    for (int32_t c = 0; c < cells; ++c) {
        place[c] = s.relation(c, l.outside);
        insideCells += place[c] == 1;
    }

    std::vector<int32_t> stack;
    std::vector<int32_t> members;
    for (int32_t first = 0; first < cells; ++first) {
        if (place[first] == UNKNOWN || piece[first] != UNKNOWN) continue;
        // The piece of first: cells of its place joined through crossed sides.
        const int32_t colour = place[first];
        members.clear();
        stack.assign(1, first);
        piece[first] = first;
        int32_t exits = 0;
        int32_t exit = -1;
        bool reachesBorder = false;
        while (!stack.empty()) {
            const int32_t c = stack.back();
            stack.pop_back();
            members.push_back(c);
            for (const int32_t side : l.cellSides[c]) {
                const int32_t n = cellAcross(l, side, c);
                if (s.sides[side] == SideState::OPEN) {
                    ++exits;
                    exit = side;
                    continue;
                }
                if (s.sides[side] != SideState::OFF) continue;
                if (n == l.outside) {
                    reachesBorder = true;
                    continue;
                }
                if (piece[n] != UNKNOWN) continue;
                piece[n] = first;
                stack.push_back(n);
            }
        }
        const bool mustGoOn =
            colour == 1 ? static_cast<int32_t>(members.size()) < insideCells : !reachesBorder;
        if (!mustGoOn || exits > 1) continue;
        for (const int32_t c : members)
            run.readCell(c);
        if (exits == 0) {
            run.state.breakRule();
            return true;
        }
        run.decide(exit, SideState::OFF);
        return true;
    }
    return false;
}

}  // namespace varnel
