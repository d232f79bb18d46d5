#include <algorithm>

#include "solver/region_map.h"
#include "solver/solver_board.h"

namespace varnel {

namespace {

// Every clue equals the number of its cell's sides on the loop. Only meaningful on a board whose
// colours are all decided.
bool cluesHold(const SolverBoard& board) {
    const uint16_t* tag = board.uf.tags();
    const int32_t s = board.stride;
    for (int32_t i = s; i < board.cellCount - s; ++i) {
        const uint8_t clue = board.clues[i];
        if (clue == NO_BOARD_CLUE) continue;
        const int sides = (tag[i] != tag[i - 1]) + (tag[i] != tag[i + 1]) + (tag[i] != tag[i - s]) +
                          (tag[i] != tag[i + s]);
        if (sides != clue) return false;
    }
    return true;
}

// Solved check: the inside and the outside are each one piece, something is inside, and every
// clue holds. The last two keep an all-outside colouring, or one completed by a final merge
// that breaks a clue visited earlier in the sweep, from counting as an answer.
bool isOneLoop(SolverBoard& board) {
    RegionScan& scan = *board.scan;
    scan.startCheck();
    OpenSides hits;
    scan.floodRegion(board.uf, OUTSIDE, hits);
    int32_t first = 0;
    while (first < board.cellCount && scan.visited(first))
        ++first;
    if (first == board.cellCount) return false;  // nothing inside
    scan.floodRegion(board.uf, first, hits);
    for (int32_t i = first + 1; i < board.cellCount; ++i) {
        if (!scan.visited(i)) return false;
    }
    return cluesHold(board);
}

}  // namespace

bool SolverBoard::propagate() {
    if (work != nullptr) ++work->propagateCalls;
    return propagateFrom(stride, uf.setCount);
}

bool SolverBoard::propagateFrom(int32_t firstCell, int32_t reference) {
    for (;;) {
        // Sweep until a sweep merges nothing.
        sweepFrom(firstCell);
        firstCell = stride;
        if (uf.contradiction) return false;
        if (uf.setCount == 1) return isOneLoop(*this);
        if (uf.setCount != reference) {
            reference = uf.setCount;
            continue;
        }
        // Stalled: a connectivity pass, and when it decides a relation, sweeping again with the
        // set count after it as the reference.
        switch (connectivityPass()) {
            case PassOutcome::DECIDED:
                reference = uf.setCount;
                break;
            case PassOutcome::CLOSED:
                return false;
            case PassOutcome::NOTHING:
                return true;
        }
    }
}

SolverBoard::PassOutcome SolverBoard::connectivityPass() {
    if (sourceRegions != nullptr) {
        bool known = false;
        const PassDecision d = sourceRegions->decideFor(uf, known);
        if (known) {
            ++scanCount;
            if (work != nullptr) ++work->scans;
            if (d.outcome == PassOutcome::DECIDED) uf.relate(d.inner, d.outer, SAME);
            return d.outcome;
        }
    }
    RegionScan& regionScan = *scan;
    ++scanCount;
    if (work != nullptr) ++work->scans;
    // The border region is flooded first; its open sides are not used.
    regionScan.startCheck();
    OpenSides hits;
    regionScan.floodRegion(uf, OUTSIDE, hits);
    bool insideSeen = false;
    // Smallest index above the current one of a known-inside cell not yet visited. Cells are only
    // ever added to the visited ones during a pass, so this cursor only moves forward.
    int32_t nextInside = 0;
    const uint16_t* tag = uf.tags();
    const uint16_t insideTag = tag[OUTSIDE] ^ 1;

    // The other regions in the order of their lowest cell; the first one that must join other
    // cells of its colour and has at most one way out ends the pass.
    for (int32_t i = 0; i < cellCount; ++i) {
        if (regionScan.visited(i)) continue;
        const bool inside = tag[i] == insideTag;  // read before the flood
        hits.count = 0;
        regionScan.floodRegion(uf, i, hits);
        if (hits.count <= 1) {
            bool insideElsewhere = insideSeen;
            if (!insideElsewhere) {
                nextInside = std::max(nextInside, i + 1);
                while (nextInside < cellCount &&
                       (tag[nextInside] != insideTag || regionScan.visited(nextInside))) {
                    ++nextInside;
                }
                insideElsewhere = nextInside < cellCount;
            }
            if (insideElsewhere) {
                // A region that must join other cells of its colour: no way out is a
                // contradiction, a single way out must be taken.
                if (hits.count == 0) return PassOutcome::CLOSED;
                uf.relate(hits.inner, hits.outer, SAME);
                return PassOutcome::DECIDED;
            }
        }
        if (inside) insideSeen = true;
    }
    // Nothing decided, so nothing more can be learnt here.
    return PassOutcome::NOTHING;
}

}  // namespace varnel
