#pragma once

#include <cstdint>
#include <vector>

#include "ladder/board_layout.h"
#include "ladder/pencil_state.h"
#include "ladder/step_record.h"

namespace varnel {

// The ranks of the ladder, simplest first.
inline constexpr int32_t RANK_EASY = 1;
inline constexpr int32_t RANK_MEDIUM = 2;
inline constexpr int32_t RANK_HARD = 3;
inline constexpr int32_t RANK_EXPERT = 4;
inline constexpr int32_t RANK_EXTREME = 5;
inline constexpr int32_t HIGHEST_RANK = RANK_EXTREME;

// How much of its work a run keeps.
enum class RecordMode : uint8_t {
    CLOSURE,  // only where the ladder gets to: places are looked at in any order, simplest
              // places first but not simplest techniques first, which ends in the same state
              // (every technique only adds what holds, and what it finds stays found) and is
              // faster; the counts mean nothing (making)
    COUNTS,   // the applications of each technique and the trials' chains (grading)
    STEPS,    // every step with what it read and decided (walkthroughs)
};

// How a run of the ladder ended.
enum class LadderEnd : uint8_t {
    SOLVED,         // every side is decided and the lines are one loop that meets every clue
    STUCK,          // no technique of the allowed ranks decides anything more
    CONTRADICTION,  // the board breaks a rule: no answer agrees with it
    LIMIT,          // the step limit or the work budget ran out first
};

// A work list of places (cells, points or sides) a technique should look at again.
struct WorkList {
    std::vector<int32_t> places;  // waiting places, from head on
    size_t head = 0;
    std::vector<uint8_t> queued;  // [0, place count): 1 while the place waits

    void push(int32_t place) {
        if (queued[place]) return;
        queued[place] = 1;
        places.push_back(place);
    }
    bool empty() const { return head == places.size(); }
    int32_t pop() {
        const int32_t place = places[head++];
        queued[place] = 0;
        if (head == places.size()) {
            places.clear();
            head = 0;
        }
        return place;
    }
    void clear() {
        for (size_t i = head; i < places.size(); ++i)
            queued[places[i]] = 0;
        places.clear();
        head = 0;
    }
};

// One problem on the ladder: its layout, the pencilled state, the techniques' work lists and
// what the run has recorded. Techniques (ladder/techniques.h) read and change it through the
// functions below; the engine (runLadder) chooses which technique looks where.
struct LadderRun {
    BoardLayout layout;
    PencilState state;
    std::vector<WorkList> lists;  // one per technique with local places; in CLOSURE mode one per
                                  // scope
    std::vector<std::vector<int32_t>> listedBy;  // [0, scopes): the lists each scope's places
                                                 // go to
    std::vector<int32_t> deferredLoopSides;      // sides that would close the only line into a
                                                 // whole loop: looked at again when a line is added
    int32_t listRank = RANK_HARD;  // techniques up to this rank get their places listed

    RecordMode mode = RecordMode::COUNTS;
    int32_t depth = 0;                 // trials within which the run now is; 0 at the top
    int32_t recordDepth = 0;           // the depth whose steps are recorded (a trial replayed for
                                       // its chain records one level down)
    StepRecord step;                   // the step being recorded (STEPS mode, top level)
    std::vector<StepRecord> steps;     // STEPS mode: every step of the top level in order
    std::vector<int32_t> counts;       // [0, techniques): applications at the top level
    std::vector<int32_t> trialChains;  // chain of every trial applied at the top level
    std::vector<int32_t> scratch;      // work space of whole-board techniques
    int64_t work = 0;                  // technique applications so far, trials' included
    int64_t workBudget = INT64_MAX;    // the run ends with LIMIT past this much work
    std::vector<uint8_t> leftOut;      // [0, techniques): 1 for a technique this run does not use,
                                       // to measure what a puzzle needs; empty: every one is used

    // Recording (STEPS mode, top level only; otherwise no-ops). Techniques call these only
    // once they know they apply.
    bool recording() const { return mode == RecordMode::STEPS && depth == recordDepth; }
    void readCell(int32_t cell) {
        if (recording()) step.cells.push_back(cell);
    }
    void readPoint(int32_t point) {
        if (recording()) step.points.push_back(point);
    }
    void readSide(int32_t side) {
        if (recording()) step.sides.push_back(side);
    }

    // Decides a side and records it. False when that breaks a rule.
    bool decide(int32_t side, SideState value);

    // Narrows a corner's pair counts and records the note when it says more than before.
    bool narrowPair(int32_t cell, int corner, uint8_t counts);

    // Relates two colour nodes and records the note when it is new.
    bool relate(int32_t a, int32_t b, bool different);
};

// Sets run up for the W x H problem grid (row-major, 0..3 clues, NO_CLUE for none) with every
// side open and every technique's places listed, for runs up to highestRank.
void startLadder(LadderRun& run, const uint8_t* grid, int32_t width, int32_t height,
                 RecordMode mode, int32_t highestRank = HIGHEST_RANK);

// Draws the given sides (sideCount states; OPEN ones are skipped) on the board before the
// ladder runs, as a player's progress. False when they break a rule.
bool placeSides(LadderRun& run, const std::vector<SideState>& sides);

// Runs the techniques of ranks up to highestRank, always the simplest that decides something,
// until the board is solved, nothing more is decided, a rule is broken or stepLimit steps
// (applications at this level) have been taken.
// stepsTaken, when given, receives the number of steps.
LadderEnd runLadder(LadderRun& run, int32_t highestRank, int64_t stepLimit = INT64_MAX,
                    int64_t* stepsTaken = nullptr);

// Like runLadder, but stops after the first step that decides a side or a cell (notes of
// corners and relations before it are taken and recorded as usual). True when such a step was
// taken; end says how the run stopped otherwise.
bool runToNextDecision(LadderRun& run, int32_t highestRank, LadderEnd& end);

// Empties every technique's work list (after a trial is taken back).
void clearWorkLists(LadderRun& run);

}  // namespace varnel
