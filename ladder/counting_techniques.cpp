// The easy rank: counting the lines of a clue and of a point, and finishing the loop.

#include "ladder/techniques.h"

namespace varnel {

namespace {

// Reads the cell and its sides already in the given state, then decides every open side.
bool decideOpenSidesOfCell(LadderRun& run, int32_t cell, SideState known, SideState value) {
    const PencilState& s = run.state;
    run.readCell(cell);
    for (const int32_t side : run.layout.cellSides[cell]) {
        if (s.sides[side] == known) run.readSide(side);
    }
    for (const int32_t side : run.layout.cellSides[cell]) {
        if (s.sides[side] == SideState::OPEN && !run.decide(side, value)) return true;
    }
    return true;
}

// The same for a point; the board's edge is neither read nor decided.
bool decideOpenSidesOfPoint(LadderRun& run, int32_t point, SideState known, SideState value) {
    const PencilState& s = run.state;
    const int32_t edge = run.layout.sideCount;
    run.readPoint(point);
    for (const int32_t side : run.layout.pointSides[point]) {
        if (side != edge && s.sides[side] == known) run.readSide(side);
    }
    for (const int32_t side : run.layout.pointSides[point]) {
        if (s.sides[side] == SideState::OPEN && !run.decide(side, value)) return true;
    }
    return true;
}

int32_t openSidesAt(const PencilState& s, int32_t point) {
    return 4 - s.pointOn[point] - s.pointOff[point];
}

}  // namespace

bool zeroClue(LadderRun& run, int32_t cell) {
    const PencilState& s = run.state;
    if (run.layout.clue[cell] != 0 || s.openSidesOf(cell) == 0) return false;
    return decideOpenSidesOfCell(run, cell, SideState::OFF, SideState::OFF);
}

bool clueComplete(LadderRun& run, int32_t cell) {
    const PencilState& s = run.state;
    const uint8_t clue = run.layout.clue[cell];
    if (clue == 0 || clue > 3 || s.cellOn[cell] != clue || s.openSidesOf(cell) == 0) return false;
    return decideOpenSidesOfCell(run, cell, SideState::ON, SideState::OFF);
}

bool clueNeedsEveryOpenSide(LadderRun& run, int32_t cell) {
    const PencilState& s = run.state;
    const uint8_t clue = run.layout.clue[cell];
    const int32_t open = s.openSidesOf(cell);
    if (clue > 3 || open == 0 || s.cellOn[cell] + open != clue) return false;
    return decideOpenSidesOfCell(run, cell, SideState::OFF, SideState::ON);
}

bool pointWithTwoLines(LadderRun& run, int32_t point) {
    const PencilState& s = run.state;
    if (s.pointOn[point] != 2 || openSidesAt(s, point) == 0) return false;
    return decideOpenSidesOfPoint(run, point, SideState::ON, SideState::OFF);
}

bool deadEnd(LadderRun& run, int32_t point) {
    const PencilState& s = run.state;
    if (s.pointOn[point] != 0 || openSidesAt(s, point) != 1) return false;
    return decideOpenSidesOfPoint(run, point, SideState::OFF, SideState::OFF);
}

bool lineGoesOn(LadderRun& run, int32_t point) {
    const PencilState& s = run.state;
    if (s.pointOn[point] != 1 || openSidesAt(s, point) != 1) return false;
    return decideOpenSidesOfPoint(run, point, SideState::ON, SideState::ON);
}

bool loopFinished(LadderRun& run, int32_t /*place*/) {
    const PencilState& s = run.state;
    if (!s.loopClosed || s.openTotal == 0) return false;
    for (int32_t side = 0; side < run.layout.sideCount; ++side) {
        if (s.sides[side] == SideState::OPEN && !run.decide(side, SideState::OFF)) return true;
    }
    return true;
}

}  // namespace varnel
