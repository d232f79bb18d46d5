#pragma once

#include <array>
#include <cstdint>
#include <cstdio>
#include <vector>

#include "solver/clue_grid.h"

namespace varnel {

// One problem of a batch.
struct ProblemSlot {
    int32_t sizeClass = 0;  // 0 to 4, an index of CLASS_WIDTHS and CLASS_HEIGHTS
    int32_t score = 0;      // difficulty 0 to 49, set by makeProblem
    ClueGrid grid;          // [0, W x H) of its class: the problem
};

// Problems of each size class 0 to 2 written to the files "easy", "normal" and "hard" of mode 0.
inline constexpr std::array<std::array<int32_t, 3>, 3> difficultyShares = {{
    {20, 8, 2},
    {15, 10, 5},
    {10, 10, 10},
}};

// Create mode: makes a batch (270 problems of classes 0 to 2 for mode 0, 30 of class mode - 1
// for modes 1 to 5) on all cores, sorts it and writes it to new files named by today's date,
// then prints the elapsed time. Returns false when an output file could not be opened or
// written; the messages are printed on the way.
bool createProblems(int32_t mode);

// Fills every slot with a problem of its class, on the OpenMP team with a static schedule,
// printing a progress mark after every step-th slot. One source seeded with seed serves all
// threads, so with one thread a seed gives one batch.
void makeBatch(std::vector<ProblemSlot>& slots, int32_t step, uint32_t seed);

// Stable insertion sort by size class, then score.
void sortSlots(std::vector<ProblemSlot>& slots);

// Forms the name of output file number n: "YYYYMMDD_NN(name).dat", or "YYYYMMDD_NN(nameK).dat"
// with K = number when number is not 0.
void formatOutputName(char (&buffer)[256], int year, int month, int day, int n, const char* name,
                      int32_t number);

// Creates the first free output file of today for name and number and opens it for writing.
// The test and the creation are one step (exclusive creation), so an existing file is never
// reused, even by a run started at the same moment. Prints "failed to open: %s\n" and returns
// nullptr when the file cannot be created; fileName receives the name.
std::FILE* openOutputFile(const char* name, int32_t number, char (&fileName)[256]);

}  // namespace varnel
