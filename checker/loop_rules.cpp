#include "checker/loop_rules.h"

#include <cstddef>
#include <vector>

namespace varnel {

namespace {

bool on(const SideState* sides, int32_t side) {
    return side != NO_SIDE && sides[side] == SideState::ON;
}

// The lines at point (px, py).
int32_t linesAt(const SideState* sides, int32_t width, int32_t height, int32_t px, int32_t py) {
    int32_t count = 0;
    for (int d = 0; d < 4; ++d)
        count += on(sides, pointSide(width, height, px, py, static_cast<Direction>(d))) ? 1 : 0;
    return count;
}

// The two end points of a side.
void endsOf(int32_t width, int32_t height, int32_t side, int32_t (&px)[2], int32_t (&py)[2]) {
    const SidePlace place = sidePlace(width, height, side);
    px[0] = place.x;
    py[0] = place.y;
    px[1] = place.horizontal ? place.x + 1 : place.x;
    py[1] = place.horizontal ? place.y : place.y + 1;
}

// The loops the lines form, once every point has 0 or 2 lines: each walk from an unvisited line
// goes round one loop and marks its lines.
int32_t countLoops(const SideState* sides, int32_t width, int32_t height) {
    const int32_t count = sideCount(width, height);
    std::vector<uint8_t> visited(static_cast<size_t>(count), 0);
    int32_t loops = 0;
    for (int32_t start = 0; start < count; ++start) {
        if (sides[start] != SideState::ON || visited[start] != 0) continue;
        ++loops;
        int32_t side = start;
        int32_t px[2];
        int32_t py[2];
        endsOf(width, height, side, px, py);
        int32_t x = px[1];
        int32_t y = py[1];
        while (visited[side] == 0) {
            visited[side] = 1;
            // The other line at (x, y), and the point at its far end.
            int32_t next = NO_SIDE;
            for (int d = 0; d < 4 && next == NO_SIDE; ++d) {
                const int32_t s = pointSide(width, height, x, y, static_cast<Direction>(d));
                if (s != side && on(sides, s)) next = s;
            }
            if (next == NO_SIDE) break;  // cannot happen with two lines at every point
            endsOf(width, height, next, px, py);
            const bool fromFirst = px[0] == x && py[0] == y;
            x = fromFirst ? px[1] : px[0];
            y = fromFirst ? py[1] : py[0];
            side = next;
        }
    }
    return loops;
}

}  // namespace

LoopFinding checkLoop(const uint8_t* grid, int32_t width, int32_t height, const SideState* sides) {
    LoopFinding finding;
    const int32_t count = sideCount(width, height);
    bool anyLine = false;
    for (int32_t s = 0; s < count && !anyLine; ++s)
        anyLine = sides[s] == SideState::ON;
    if (!anyLine) {
        finding.fault = LoopFault::NO_LINE;
        return finding;
    }
    for (int32_t py = 0; py <= height; ++py) {
        for (int32_t px = 0; px <= width; ++px) {
            const int32_t lines = linesAt(sides, width, height, px, py);
            if (lines == 0 || lines == 2) continue;
            return {LoopFault::POINT, px, py, lines};
        }
    }
    const int32_t loops = countLoops(sides, width, height);
    if (loops > 1) return {LoopFault::SEVERAL_LOOPS, 0, 0, loops};
    for (int32_t y = 0; y < height; ++y) {
        for (int32_t x = 0; x < width; ++x) {
            const uint8_t clue = grid[static_cast<size_t>(y) * width + x];
            if (clue > 3) continue;
            int32_t onLoop = 0;
            for (int d = 0; d < 4; ++d)
                onLoop +=
                    on(sides, cellSide(width, height, x, y, static_cast<Direction>(d))) ? 1 : 0;
            if (onLoop != clue) return {LoopFault::CLUE, x, y, onLoop};
        }
    }
    return finding;
}

}  // namespace varnel
