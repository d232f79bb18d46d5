#pragma once

#include <cstdint>
#include <span>

#include "ladder/ladder_run.h"

namespace varnel {

// Where a technique looks, and so which changes of the board list a place for it again.
enum class TechniqueScope : uint8_t {
    CLUE,         // a clue cell: listed when one of its sides or corners changes
    CELL,         // any cell: the same
    POINT,        // a grid point: listed when one of its sides or a corner at it changes
    COLOUR_SIDE,  // an open side whose two cells became related
    COLOUR_CLUE,  // a clue cell some of whose neighbours became related
    COLOUR_CELL,  // any cell: listed when some of its neighbours became related or one of its
                  // corners changed
    LOOP_SIDE,    // an open side between the two ends of one line
    WHOLE,        // the whole board, looked at whenever every simpler technique is done
};

// A technique looks at one place (or the whole board) and, when it can decide something there,
// records what it read, decides, and returns true. It returns false, changing nothing, when it
// decides nothing there.
using TechniqueFunction = bool (*)(LadderRun& run, int32_t place);

// One rung of the ladder, as players know it.
struct Technique {
    const char* name;         // short and lower case, "clue complete"; the key in JSON
    int32_t rank;             // RANK_EASY .. RANK_EXTREME
    const char* description;  // one line a player recognises
    double weight;            // how hard it is within its rank, 0 for the rank's simplest; the
                              // rating counts the top rank's steps by it
    TechniqueScope scope;
    TechniqueFunction apply;
};

// The ladder: every technique, simplest first. The engine tries them in this order and knows
// none of them by name.
std::span<const Technique> ladderTechniques();

// The names of the ranks, "easy" to "extreme", by rank 1 to 5.
const char* rankName(int32_t rank);

// Counting (ladder/counting_techniques.cpp): clues and points.
bool zeroClue(LadderRun& run, int32_t cell);
bool clueComplete(LadderRun& run, int32_t cell);
bool clueNeedsEveryOpenSide(LadderRun& run, int32_t cell);
bool pointWithTwoLines(LadderRun& run, int32_t point);
bool deadEnd(LadderRun& run, int32_t point);
bool lineGoesOn(LadderRun& run, int32_t point);
bool loopFinished(LadderRun& run, int32_t place);

// Lines (ladder/loop_techniques.cpp).
bool noEarlyLoop(LadderRun& run, int32_t side);

// Corners (ladder/corner_techniques.cpp): what a cell and one of its corners decide together.
bool threeBesideThree(LadderRun& run, int32_t cell);
bool closedCorner(LadderRun& run, int32_t point);
bool lineAtThree(LadderRun& run, int32_t point);
bool lineIntoOne(LadderRun& run, int32_t point);
bool cornerOfTwo(LadderRun& run, int32_t point);
bool acrossAPoint(LadderRun& run, int32_t point);
bool acrossAClue(LadderRun& run, int32_t cell);
bool cornerDecides(LadderRun& run, int32_t cell);

// Inside and outside (ladder/colour_techniques.cpp, ladder/region_technique.cpp).
bool insideAndOutside(LadderRun& run, int32_t side);
bool clueColours(LadderRun& run, int32_t cell);
bool cornerColours(LadderRun& run, int32_t cell);
bool singleWayOut(LadderRun& run, int32_t place);

// Trials (ladder/trial_techniques.cpp).
bool shortTrial(LadderRun& run, int32_t place);
bool nestedTrial(LadderRun& run, int32_t place);

}  // namespace varnel
