#pragma once

#include <cstdint>

namespace varnel {

// Deterministic counts of the solver's work, for measuring time per unit of work. A board counts
// into the record its owner gives it (SolverBoard::work), and scratch copies count into the same
// record, so the counts cover all work done for one solve or one problem maker.
struct WorkCounters {
    int64_t setUps = 0;          // boards set up
    int64_t sweeps = 0;          // sweeps of the local rules
    int64_t cellsSwept = 0;      // cells those sweeps cover
    int64_t cellsVisited = 0;    // cells they visited: rows that nothing touched are skipped
    int64_t ruleRelates = 0;     // relate calls made by the local rules
    int64_t propagateCalls = 0;  // propagate calls
    int64_t scans = 0;           // scans (connectivity passes), on boards and scratch copies
                                 // alike: what every board's scanCount counted
    int64_t boardCopies = 0;     // copyFrom calls

    // Counts one sweep that covered `cells` cells, visited `visited` of them and made `relates`
    // relate calls.
    void addSweep(int64_t cells, int64_t visited, int64_t relates) {
        ++sweeps;
        cellsSwept += cells;
        cellsVisited += visited;
        ruleRelates += relates;
    }

    void add(const WorkCounters& other) {
        setUps += other.setUps;
        sweeps += other.sweeps;
        cellsSwept += other.cellsSwept;
        cellsVisited += other.cellsVisited;
        ruleRelates += other.ruleRelates;
        propagateCalls += other.propagateCalls;
        scans += other.scans;
        boardCopies += other.boardCopies;
    }
};

}  // namespace varnel
