// Lines as a whole: a line may close into a loop only when that loop is the answer.

#include "ladder/techniques.h"

namespace varnel {

namespace {

// Clues that would still be unmet after side s is drawn.
int32_t unmetAfterDrawing(const LadderRun& run, int32_t s) {
    const BoardLayout& l = run.layout;
    const PencilState& st = run.state;
    int32_t unmet = st.unmetClues;
    for (const int32_t c : l.sideCells[s]) {
        if (c == l.outside || l.clue[c] > 3) continue;
        if (st.cellOn[c] == l.clue[c]) ++unmet;
        if (st.cellOn[c] + 1 == l.clue[c]) --unmet;
    }
    return unmet;
}

}  // namespace

bool noEarlyLoop(LadderRun& run, int32_t side) {
    const BoardLayout& l = run.layout;
    const PencilState& s = run.state;
    if (s.sides[side] != SideState::OPEN) return false;
    const int32_t p = l.sidePoints[side][0];
    const int32_t q = l.sidePoints[side][1];
    if (s.pointOn[p] != 1 || s.pointOn[q] != 1 || s.otherEnd[p] != q) return false;
    // Closing the line would make the answer when it holds every line and meets every clue;
    // that may change once another line is drawn.
    if (s.onTotal == s.lineLength[p] && unmetAfterDrawing(run, side) == 0) {
        run.deferredLoopSides.push_back(side);
        return false;
    }
    run.readPoint(p);
    run.readPoint(q);
    run.decide(side, SideState::OFF);
    return true;
}

}  // namespace varnel
