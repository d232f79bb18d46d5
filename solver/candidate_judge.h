#pragma once

#include <array>
#include <cstdint>
#include <cstring>
#include <deque>
#include <vector>

#include "solver/solver_board.h"

namespace varnel {

// How the candidate judge measures a candidate: by one sweep, or by propagate.
enum class JudgeBy : uint8_t {
    SWEEP,
    PROPAGATE,
};

// A clue to try on a board, and what one sweep or propagate leaves with it.
struct ClueCandidate {
    int32_t x = 0;      // problem column
    int32_t y = 0;      // problem row
    uint8_t value = 0;  // the clue, 0 to 3
    int32_t sets = 0;   // result: the set count left
};

// Measures many candidate clues on one board: for each, the set count that copyFrom(board),
// placeClue and then one sweep (or propagate) would leave, exactly as if each were run alone.
//
// Most candidates change nothing for a long time: a clue is read only by the visits of its own
// cell and of its eight neighbours, and a run with the clue is the run without it until the first
// of those visits that acts differently. So the judge runs the board once without any candidate
// (the base run) and, at every visit that would read a candidate's clue, plays the visit with and
// without the clue on a copy of the few cells a visit reads (a probe). A candidate whose visits
// never differ leaves what the base run leaves. At the first visit that differs, the candidate's
// own run starts from a copy of the base run at that point, with its clue placed, and runs to the
// end. A candidate whose placing itself may record something (the seeding of a 0, 2 or 3) runs
// alone from the start.
//
// A candidate that left the base run finishes the base run's sweep on a board of its own once
// the base sweep is done. Far from its clue its visits mostly read exactly the tags the base run
// read at the same visit, and such a visit does exactly what the base run's did: the base run
// records, for every visit, the tags it read and the merges it made, and the candidate repeats
// those merges instead of playing the rules again.
//
// When propagate is judged, a candidate that left the base run keeps step with it, sweep by
// sweep; most such runs only find earlier what the base run finds a little later, and as soon as
// a candidate's board is again exactly the base run's board after the same sweep, with the same
// reference count, its run is the base run again: it rejoins it and is probed further. A
// candidate whose run takes another course (it stops, or passes where the base run sweeps) runs
// to its end alone.
struct CandidateJudge {
    static constexpr int32_t MAX_SLOTS = 13;  // cells one visit reads

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
        if (board.uf.contradiction || board.uf.setCount == 1) return AfterSweep::ENDS;
        return board.uf.setCount != reference ? AfterSweep::SWEEPS_AGAIN : AfterSweep::PASSES;
    }

    SolverBoard base;                 // the base run; shares the board's clues and scan record
    SolverBoard branch;               // a candidate run alone from the start
    std::deque<SolverBoard> boards;   // boards of candidates running apart, reused
    std::vector<int32_t> freeBoards;  // indices of boards not in use
    std::vector<Apart> apart;         // candidates running apart in step with the base run
    std::vector<Apart> leavers;       // candidates that left during the current base sweep
    std::vector<ClueCandidate> candidates;  // the candidates of the current call, in order
    std::vector<int32_t> candidateAt;       // [0, cellCount): candidate index at a cell, or -1
    std::vector<uint8_t> pending;           // per candidate: 1 while it follows the base run
    std::vector<uint64_t> probeRows;        // [0, paddedHeight): bit x: cell (row, x) has visits
                                            // that read a pending candidate's clue
    std::vector<BaseVisit> baseVisits;      // [0, cellCount): the current base sweep's visits
    std::vector<uint32_t> visitSweep;       // [0, cellCount): the base sweep that recorded the
                                            // cell's visit
    std::vector<Merge> baseMerges;          // merges of the current base sweep, visit by visit
    uint32_t baseSweep = 0;                 // number of the current base sweep
    std::vector<int16_t> slotOf;      // [0, 4 x stride + 5): offset from the visited cell plus
                                      // 2 x stride + 2 to its slot among the cells a visit reads
    std::vector<int32_t> slotOffset;  // per slot: offset from the visited cell; the 3 x 3 block
                                      // first, then the cells two steps away
    int32_t nearSlots = 0;            // slots of the 3 x 3 block
    int32_t slotStride = 0;           // the stride slotOf was built for

    // Fills the sets of every candidate, measured by one sweep or by propagate.
    void judge(const SolverBoard& board, JudgeBy by);

  private:
    // The base run (candidate_judge.cpp).
    void runAlone(const SolverBoard& board, ClueCandidate& candidate, JudgeBy by);
    void runBase(JudgeBy by);
    // One sweep of the base run, with the probes at every visit that reads a pending candidate's
    // clue, recording every visit.
    void sweepWithProbes(int32_t reference);

    // The probes (visit_probes.cpp).
    void buildSlots(int32_t stride);
    void markProbes(const SolverBoard& board);
    // Probes the visit of cell i for every pending candidate whose clue it reads; candidates
    // whose visit differs leave the base run here.
    void probeVisit(int32_t i, int32_t reference);

    // Candidates running apart (candidates_apart.cpp).
    void leaveBase(int32_t k, int32_t i, int32_t reference);
    // A candidate's sweep from a.resume, repeating the base sweep's visits where they read the
    // same tags.
    void followSweep(const Apart& a);
    // After a base sweep: rejoins, ends or keeps each candidate apart; baseNext is what the base
    // run does next.
    void stepApart(int32_t reference, AfterSweep baseNext);
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

}  // namespace varnel
