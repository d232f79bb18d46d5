#pragma once

#include <array>
#include <cstdint>
#include <cstring>
#include <deque>
#include <functional>
#include <memory>
#include <vector>

#include "solver/region_map.h"
#include "solver/slot_visit.h"
#include "solver/solver_board.h"

namespace varnel {

// How the candidate judge measures a candidate: by one sweep, or by propagate.
enum class JudgeBy : uint8_t {
    SWEEP,
    PROPAGATE,
};

// Takes the judge's measurement on board: one sweep, or propagate.
inline void measureBy(SolverBoard& board, JudgeBy by) {
    if (by == JudgeBy::PROPAGATE) {
        board.propagate();
    } else {
        board.sweep();
    }
}

// A clue to try on a board, and what one sweep or propagate leaves with it.
struct ClueCandidate {
    int32_t x = 0;      // problem column
    int32_t y = 0;      // problem row
    uint8_t value = 0;  // the clue, 0 to 3
    int32_t sets = 0;   // result: the set count left
};

// Runs task(0) to task(count - 1), each once, possibly at the same time on several threads, and
// returns when all are done. The solver starts no threads: the caller gives one that does.
using TaskRunner = std::function<void(int32_t count, const std::function<void(int32_t)>& task)>;

struct JudgePart;

// Measures many candidate clues on one board: for each, the set count that copyFrom(board),
// placeClue and then one sweep (or propagate) would leave, exactly as if each were run alone.
//
// Most candidates change nothing for a long time: a clue is read only by the visits of its own
// cell and of its eight neighbours, and a run with the clue is the run without it until the first
// of those visits that acts differently. So the judge runs the board once without any candidate
// (the base run) and, at every visit that would read a candidate's clue, plays the visit with and
// without the clue on a copy of the few cells a visit reads (a probe). A candidate whose visits
// never differ leaves what the base run leaves. A candidate whose placing itself may record
// something (the seeding of a 0, 2 or 3) starts apart from the base run, with the cells its
// placing changed, or alone when they are many.
//
// A candidate whose visit differs leaves the base run there, and runs apart from it as its
// differences from it (a delta run): the few cells whose tag or done flag differ. It keeps step
// with the base run visit by visit. A visit that reads none of its differing cells and not its
// clue reads what the base run's visit reads, so it does what the base run's visit does: the base
// run's merges, which act on the differing cells as relabels; nothing needs to be played. Only
// the visits that read a differing cell or the clue are played, on copies of the cells they read,
// with and without the differences; merges that act differently on some set add that set's
// cells to the differences. Measured on the creator's boards: a board apart differs from the base
// run in less than one tag on average at the end of a sweep, and only about one visit in twelve of
// its sweep reads a difference.
//
// A delta run's connectivity pass is worked out from the base run's regions (RegionMap): only the
// sides around its differing cells count differently. A candidate whose differences grow beyond
// a few cells, or whose pass cannot be worked out so, runs on a board of its own (a board apart),
// put together from the base run and its differences. It
// finishes the base run's sweep once the base sweep is done. Far from its clue its visits mostly
// read exactly the tags the base run read at the same visit, and such a visit does exactly what
// the base run's did: the base run records, for every visit, the tags it read and the merges it
// made, and the candidate repeats those merges instead of playing the rules again. At the start
// of every sweep a board apart that differs from the base run in a few cells only runs as
// differences again.
//
// When propagate is judged, a candidate apart keeps step with the base run, sweep by sweep; most
// such runs only find earlier what the base run finds a little later, and as soon as a
// candidate's board is again exactly the base run's board after the same sweep, with the same
// reference count, its run is the base run again: it rejoins it and is probed further. A
// candidate whose run takes another course (it stops, or passes where the base run sweeps) runs
// to its end alone.
struct CandidateJudge {
    // Where a candidate stands.
    enum class Course : uint8_t {
        FOLLOWS,  // it follows the base run: the base run's counts are its own
        DELTA,    // it runs apart as its differences from the base run
        BOARD,    // it runs apart on a board of its own
        ENDED,    // its count is known
    };
    // A cell where a delta run differs from the base run.
    struct DeltaEntry {
        int32_t cell = 0;
        uint16_t tag = 0;        // the run's tag of the cell, when tagDiffers
        uint8_t done = 0;        // the run's done flag of the cell
        uint8_t tagDiffers = 0;  // 0 when only the done flag differs; the tag is the base run's
    };
    // A candidate running apart as its differences from the base run.
    struct DeltaRun {
        // Room for the cells that differ. More than the judge's entryLimit and the run goes on on
        // a board apart.
        static constexpr int32_t MAX_ENTRIES = 32;

        std::array<DeltaEntry, MAX_ENTRIES> entries{};  // the cells that differ, in any order
        int32_t entryCount = 0;
        int32_t setOffset = 0;           // its set count minus the base run's
        int32_t reference = 0;           // the reference count of its propagate
        uint32_t relabelCursor = 0;      // the base sweep's relabels applied to its entries so far
        int32_t lastPlayed = -1;         // the cell of its last play in the current sweep
        int32_t nextScheduled = -1;      // the next candidate to play at the same cell, or -1
        uint8_t contradiction = 0;       // its contradiction flag
        uint8_t readCount = 0;           // cells whose visits read its clue
        std::array<int32_t, 9> reads{};  // those cells
    };
    // One step of a delta run and of the base run together, a visit or a connectivity pass: the
    // merges each made, as relabels, and at a visit the visited cell's done flags after it.
    struct DeltaStep {
        const Relabel* own = nullptr;  // the candidate's run
        int32_t ownCount = 0;
        const Relabel* base = nullptr;  // the base run
        int32_t baseCount = 0;
        int32_t visited = -1;  // the visited cell, -1 for a pass
        uint8_t ownDone = 0;
        uint8_t baseDone = 0;
    };
    // What the base run's visit of a cell does, played on copies before the visit.
    struct BasePlay {
        int32_t cell = -1;  // the cell played, -1 for none
        SlotVisit play;     // the play; no merge and the base's done flag when nothing touched
                            // the cell
    };

    // A candidate running apart from the base run, on a board of its own.
    struct Apart {
        int32_t candidate = 0;  // index in candidates
        int32_t board = 0;      // index in boards
        int32_t reference = 0;  // the reference count of its propagate
        int32_t resume = 0;     // the cell where its current sweep goes on: stride at the start
                                // of a sweep, cellCount when the sweep is complete
    };
    // One merge made by a visit of the base run.
    struct Merge {
        int32_t a = 0;  // the two cells related
        int32_t b = 0;
        int32_t same = 0;  // SAME or DIFFERENT
    };
    // What the base run's visit of a cell read and did.
    struct BaseVisit {
        std::array<uint64_t, 3> block{};  // tags of the 3 x 3 block before the visit: per row
                                          // above, at and below the cell, its three tags from
                                          // the left in the low 48 bits
        std::array<uint16_t, 4> far{};    // tags two steps left, right, up and down
        uint8_t doneBefore = 0;           // the cell's done flag before and after
        uint8_t doneAfter = 0;
        uint8_t askedOpposite = 0;  // 1 when the visit asked a relation opposite to a known one
        int32_t firstMerge = 0;     // its merges: baseMerges[firstMerge, firstMerge + merges)
        int32_t merges = 0;

        // The three tags from cell i on, as one number. The tag array's padding keeps the 8-byte
        // read inside it for every cell a sweep visits.
        static uint64_t threeTags(const uint16_t* tag, int32_t i) {
            uint64_t bits = 0;
            std::memcpy(&bits, tag + i, sizeof bits);
            return bits & ((uint64_t{1} << 48) - 1);
        }

        // Notes the tags that the visit of cell i reads, before the visit.
        void recordReads(const uint16_t* tag, int32_t i, int32_t s) {
            block = {threeTags(tag, i - s - 1), threeTags(tag, i - 1), threeTags(tag, i + s - 1)};
            far = {tag[i - 2], tag[i + 2], tag[i - 2 * s], tag[i + 2 * s]};
        }

        // True when the visit of i, whose cell holds clue, reads now exactly the tags the base
        // run's visit read. Cells two steps away are read only by a clue-2 visit.
        bool readsSame(const uint16_t* tag, int32_t i, int32_t s, uint8_t clue) const {
            if (threeTags(tag, i - 1) != block[1] || threeTags(tag, i - s - 1) != block[0] ||
                threeTags(tag, i + s - 1) != block[2]) {
                return false;
            }
            return clue != 2 || (tag[i - 2] == far[0] && tag[i + 2] == far[1] &&
                                 tag[i - 2 * s] == far[2] && tag[i + 2 * s] == far[3]);
        }
    };
    // What a propagate run does after a sweep, as propagate decides it.
    enum class AfterSweep : uint8_t {
        ENDS,          // a contradiction, or one set left
        SWEEPS_AGAIN,  // the sweep merged sets
        PASSES,        // the sweep merged nothing: a connectivity pass comes next
    };
    // What a propagate run on board does after a sweep, with reference the set count before the
    // sweep's run of sweeps began.
    static AfterSweep afterSweep(const SolverBoard& board, int32_t reference) {
        return afterSweep(board.uf.contradiction != 0, board.uf.setCount, reference);
    }
    static AfterSweep afterSweep(bool contradiction, int32_t sets, int32_t reference) {
        if (contradiction || sets == 1) return AfterSweep::ENDS;
        return sets != reference ? AfterSweep::SWEEPS_AGAIN : AfterSweep::PASSES;
    }

    SolverBoard base;                 // the base run; shares the board's clues and scan record
    SolverBoard branch;               // a candidate run alone from the start
    std::deque<SolverBoard> boards;   // boards of candidates running apart, reused
    std::vector<int32_t> freeBoards;  // indices of boards not in use
    std::vector<Apart> apart;         // candidates on boards apart in step with the base run
    std::vector<Apart> leavers;       // candidates put on boards apart during the current base
                                      // sweep, each to finish it from its resume cell
    std::vector<ClueCandidate> candidates;  // the candidates of the current call, in order
    std::vector<int32_t> candidateAt;       // [0, cellCount): candidate index at a cell, or -1
    std::vector<Course> course;             // per candidate: where it stands
    std::vector<DeltaRun> runs;             // per candidate: its delta run, while DELTA
    std::vector<int32_t> deltas;            // candidates that are or were DELTA this sweep
    std::vector<uint64_t> probeRows;        // [0, paddedHeight): bit x: cell (row, x) has visits
                                            // that read the clue of a candidate that follows
    std::vector<uint64_t> playRows;         // [0, paddedHeight): bit x: delta runs play at cell
                                            // (row, x) in the current sweep
    std::vector<uint64_t> stopRows;         // [0, paddedHeight): probeRows | playRows
    std::vector<int32_t> playHead;          // [0, cellCount): first delta run to play at the cell
                                            // in the current sweep, or -1; linked through
                                            // DeltaRun::nextScheduled
    std::vector<uint64_t> playMasks;        // per candidate, paddedHeight rows: the cells where
                                            // its delta run plays in the current sweep
    std::vector<BaseVisit> baseVisits;      // [0, cellCount): the current base sweep's visits
    std::vector<uint32_t> visitSweep;       // [0, cellCount): the base sweep that recorded the
                                            // cell's visit
    std::vector<Merge> baseMerges;          // merges of the current base sweep, visit by visit
    std::vector<Relabel> baseRelabels;      // the same merges as relabels
    std::vector<uint32_t> absorbedAt;       // [0, cellCount), per label: the relabel of the
                                            // current base sweep that absorbed it, where
                                            // absorbedSweep is baseSweep
    std::vector<uint32_t> absorbedSweep;    // [0, cellCount)
    std::vector<uint32_t> entryMark;        // [0, cellCount): entryStamp at the cells of the
                                            // entries of the delta run being advanced
    uint32_t entryStamp = 0;
    uint32_t baseSweep = 0;  // number of the current base sweep
    BasePlay basePlay;       // the base run's visit of the cell being played
    int32_t entryLimit = 8;  // the most cells a delta run may differ in: every differing cell adds
                             // up to 9 visits to play per sweep, and a board apart walks the
                             // board's touched cells; about one cell in 24 of the board was best
                             // (make 0 did best with 8, make 2 with 24)
    VisitSlots slots;        // the cells one visit reads
    std::vector<int16_t> rowOf;     // [0, cellCount): the cell's padded row
    std::vector<int16_t> columnOf;  // [0, cellCount): the cell's padded column
    PlayTags baseCopies;            // copies of the cells the base run's plays read
    PlayTags ownCopies;             // copies of the cells a candidate's plays read
    RegionMap baseRegions;          // the base run's regions at its current pass
    PassDecision basePass;          // what that pass decides
    bool baseMapped = false;        // baseRegions and basePass hold the current pass

    // Threads for one call. With parts above 1 and runTasks given, the candidates are dealt out
    // in turn to parts that are judged at the same time, each by a judge of its own on a copy of
    // the board with clues and a scan record of its own. Every candidate's count is its own,
    // whoever judges it, so the counts are those of one judge. Only for a problem made on its own:
    // a batch keeps every core busy with problems already.
    int32_t parts = 1;
    const TaskRunner* runTasks = nullptr;
    std::vector<std::unique_ptr<JudgePart>> helpers;  // the judges of parts 1 to parts - 1
    std::vector<ClueCandidate> allCandidates;         // a split call's candidates, in order

    // Fills the sets of every candidate, measured by one sweep or by propagate.
    void judge(const SolverBoard& board, JudgeBy by);

  private:
    // The base run (candidate_judge.cpp).
    void judgeHere(const SolverBoard& board, JudgeBy by);
    void runAlone(const SolverBoard& board, ClueCandidate& candidate, JudgeBy by);
    // A candidate whose placing seeds relations: when the placing changes only a few cells it
    // runs as a delta run from the start of the base run; false when it must run alone.
    bool seedApart(const SolverBoard& board, int32_t k);
    // Writes the cells where own differs from from (tag or done flag) into run's entries, with
    // the set offset and own's contradiction flag; false, run's counts untouched, when they are
    // more than entryLimit.
    bool differencesInto(const SolverBoard& own, const SolverBoard& from, DeltaRun& run) const;
    void runBase(JudgeBy by);
    // One sweep of the base run, recording every visit, with the probes at every visit that reads
    // the clue of a candidate that follows, and the plays of the delta runs.
    void sweepWithProbes(int32_t reference);

    // The probes (visit_probes.cpp).
    void findClueReads(const SolverBoard& board);
    void markProbes(const SolverBoard& board);
    // Probes the visit of cell i for every candidate that follows and whose clue it reads;
    // candidates whose visit differs leave the base run here. contradiction is the base run's
    // flag before the visit.
    void probeVisit(int32_t i, int32_t reference, bool contradiction);

    // Delta runs (delta_runs.cpp).
    void leaveBase(int32_t k, int32_t i, int32_t reference, bool contradiction);
    // Plays the visits of cell i of the delta runs that play there, before the base run's visit.
    void playDeltas(int32_t i);
    void playDelta(int32_t k, int32_t i);
    // Delta run k's entries after a step, compared with the base run after it; false, with
    // nothing changed, when more cells than entryLimit would differ.
    bool advanceEntries(int32_t k, const DeltaStep& step);
    // The base run's visit of cell i, played on copies (once per cell).
    const SlotVisit& basePlayAt(int32_t i);
    // Brings a delta run's entries up to the base run's merges so far.
    void catchUp(DeltaRun& run);
    // The cells where delta run k plays this sweep: those whose visits read its clue or a cell of
    // its entries.
    void buildPlayMask(int32_t k);
    void addEntryToMask(int32_t k, const DeltaEntry& entry);
    // True when the visit of cell i reads nothing that differs for delta run k: no differing
    // cell, and not its clue.
    bool readsAsBase(const DeltaRun& run, int32_t i) const;
    // Schedules delta run k at its first play cell after cell `after` in the current sweep.
    void scheduleAfter(int32_t k, int32_t after);
    // After the base run's visit of i asked an opposite relation: every delta run that did not
    // play the visit did the same.
    void noteBaseOpposite(int32_t i);
    // Puts delta run k on board boards[board], as the base run stands now plus its entries.
    void assemble(int32_t k, int32_t board);
    // Puts delta run k on a board apart that resumes at cell resume.
    Apart toBoard(int32_t k, int32_t resume);
    // At the start of a sweep: boards apart that differ from the base run in a few cells only run
    // as differences again, and those equal to it rejoin it.
    void boardsToDeltas(int32_t reference);

    // Candidates running apart (candidates_apart.cpp).
    // A candidate's sweep from a.resume, repeating the base sweep's visits where they read the
    // same tags.
    void followSweep(const Apart& a);
    // After a base sweep: rejoins, ends or keeps each candidate apart; baseNext is what the base
    // run does next.
    void stepApart(int32_t reference, AfterSweep baseNext);
    void stepDeltas(int32_t reference, AfterSweep baseNext);
    // The tag of a cell on delta run k's board.
    uint16_t tagOf(const DeltaRun& run, int32_t cell) const;
    // Delta run k's connectivity pass, from the base run's regions; known is false when the
    // differences are such that only a pass on a board of its own tells (delta_passes.cpp).
    PassDecision deltaPass(const DeltaRun& run, bool& known);
    // Delta run k's pass on a board of its own; a run that decides goes on on that board.
    void passOnBoard(int32_t k);
    // The base run's pass: decided from baseRegions when they hold it.
    SolverBoard::PassOutcome basePassOutcome();
    // Runs a candidate apart to its end, from a.resume on.
    void finishApart(const Apart& a);
    void release(const Apart& a);

    // Runs fn on a candidate's board with its clue in the shared clue array.
    template <class Fn>
    void withClue(const Apart& a, Fn fn) {
        const ClueCandidate& candidate = candidates[a.candidate];
        SolverBoard& own = boards[a.board];
        const int32_t p = own.cellIndex(candidate.x, candidate.y);
        own.clues[p] = candidate.value;
        fn(own);
        own.clues[p] = NO_BOARD_CLUE;
    }
};

// A part of a judge call split over threads: a judge, and a board of its own with the clues and
// the scan record it writes to, and work counters that are added to the board's after the call.
struct JudgePart {
    CandidateJudge judge;
    SolverBoard board;
    RegionScan scan;
    WorkCounters work;
};

}  // namespace varnel
