#pragma once

#include <cstdint>
#include <cstdio>

namespace varnel {

// Forms the name of output file number n: "YYYYMMDD_NN(name).dat", or "YYYYMMDD_NN(nameK).dat"
// with K = number when number is not 0. The counter keeps counting past 99 with more digits.
void formatOutputName(char (&buffer)[256], int year, int month, int day, int n, const char* name,
                      int32_t number);

// Creates the first free output file of today for name and number in the current folder and
// opens it for writing. The test and the creation are one step (exclusive creation), so an
// existing file is never reused, even by a run started at the same moment. Prints
// "failed to open: %s\n" and returns nullptr when the file cannot be created; fileName receives
// the name.
std::FILE* openOutputFile(const char* name, int32_t number, char (&fileName)[256]);

}  // namespace varnel
