#include <array>

#include "ladder/techniques.h"

namespace varnel {

namespace {

using S = TechniqueScope;

// Simplest first. The ranks and the order within them were measured on the puzzles of Simon
// Tatham's Loopy, whose settings are defined by the deductions a puzzle needs: its Easy puzzles
// need no more than the easy rank, its Normal ones the medium rank, its Tricky and Hard ones the
// hard rank (Tricky mostly the corners' colours alone, Hard also cells known inside and outside).
// Within the easy rank a player looks at the clues, then the points, then the corners.
constexpr std::array<Technique, 22> TECHNIQUES = {{
    {"zero", RANK_EASY, "a 0 has none of its sides on the loop", 0, S::CLUE, zeroClue},
    {"clue complete", RANK_EASY,
     "a clue with as many lines as its number: its other sides are crossed", 0, S::CLUE,
     clueComplete},
    {"clue needs every side", RANK_EASY,
     "a clue with just as many open sides as lines it still needs: they are all lines", 0, S::CLUE,
     clueNeedsEveryOpenSide},
    {"two lines at a point", RANK_EASY, "a point where two lines meet: its other sides are crossed",
     0, S::POINT, pointWithTwoLines},
    {"dead end", RANK_EASY, "a point with no line and a single open side: that side is crossed", 0,
     S::POINT, deadEnd},
    {"line goes on", RANK_EASY,
     "a line that reaches a point with a single open side goes on through it", 0, S::POINT,
     lineGoesOn},
    {"loop finished", RANK_EASY, "once the loop is closed every other side is crossed", 0, S::WHOLE,
     loopFinished},
    {"no early loop", RANK_EASY,
     "a side that would close a line into a loop while other lines or unmet clues remain is "
     "crossed",
     0, S::LOOP_SIDE, noEarlyLoop},
    {"closed corner", RANK_EASY,
     "a corner of a 3 or a 1 that no line can leave: the 3 has both its sides there, the 1 "
     "neither",
     0.5, S::POINT, closedCorner},
    {"line at a 3", RANK_EASY,
     "a line that reaches a 3's corner from outside: the 3's two far sides are lines", 0.5,
     S::POINT, lineAtThree},
    {"corner of a 2", RANK_EASY,
     "a line that turns into a 2's corner leaves by the opposite corner; a closed corner of a 2 "
     "has both sides or neither",
     0.5, S::POINT, cornerOfTwo},
    {"corner decides", RANK_EASY,
     "a corner known to hold one line, none or both: once one of its sides is known, so is the "
     "other",
     0.5, S::CELL, cornerDecides},

    {"line into a 1", RANK_MEDIUM,
     "a line that must turn into a 1's corner: the 1's two far sides are crossed", 1, S::POINT,
     lineIntoOne},
    {"across a clue", RANK_MEDIUM,
     "what one corner of a clue takes, its opposite corner makes up: a 3 with at most one line "
     "at a corner has both at the opposite one",
     1.5, S::CLUE, acrossAClue},
    {"3 beside 3", RANK_MEDIUM,
     "two 3s side by side: the side between them and their two far sides are lines", 1, S::CLUE,
     threeBesideThree},

    {"across a point", RANK_HARD,
     "what passes one corner of a point passes the opposite corner too: a line that must pass a "
     "3's corner leaves no room for another",
     0.25, S::POINT, acrossAPoint},
    {"corner colours", RANK_HARD,
     "a corner with one line has its two neighbouring cells on different sides of the loop, "
     "with none or both on the same side; and the other way round",
     1, S::COLOUR_CELL, cornerColours},
    {"inside and outside", RANK_HARD,
     "cells known on the same side of the loop have a cross between them, cells on different "
     "sides a line",
     2, S::COLOUR_SIDE, insideAndOutside},
    {"clue colours", RANK_HARD,
     "a clue whose neighbours are known on the same or on different sides: count how many can "
     "differ from it",
     3, S::COLOUR_CLUE, clueColours},
    {"single way out", RANK_HARD,
     "a region of inside or outside cells with a single way out to the rest must take it", 3,
     S::WHOLE, singleWayOut},

    {"trial", RANK_EXPERT,
     "assume a side, follow the easier techniques to a contradiction, and take the opposite", 1,
     S::WHOLE, shortTrial},
    {"nested trial", RANK_EXTREME, "a trial whose contradiction itself needs trials", 1, S::WHOLE,
     nestedTrial},
}};

const char* const RANK_NAMES[HIGHEST_RANK + 1] = {"",     "easy",   "medium",
                                                  "hard", "expert", "extreme"};

}  // namespace

std::span<const Technique> ladderTechniques() {
    return TECHNIQUES;
}

const char* rankName(int32_t rank) {
    return rank >= 1 && rank <= HIGHEST_RANK ? RANK_NAMES[rank] : "unrated";
}

}  // namespace varnel
