#pragma once

#include <cstdint>

namespace varnel {

// Create mode: makes a batch (270 problems of classes 0 to 2 for mode 0, 30 of class mode - 1
// for modes 1 to 5) on all cores, sorts it and writes it to new files named by today's date,
// then prints the elapsed time. Returns false when an output file could not be opened or
// written; the messages are printed on the way.
bool createProblems(int32_t mode);

}  // namespace varnel
