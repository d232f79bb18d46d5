#pragma once

#include <cinttypes>
#include <cstdint>
#include <cstdio>
#include <cstring>

#include "solver/work_counters.h"

namespace varnel::probe {

// A whole argument of decimal digits (no sign, no spaces) no larger than limit.
inline bool parseDecimal(const char* text, uint64_t limit, uint64_t& value) {
    if (text == nullptr || *text == '\0') return false;
    value = 0;
    for (const char* p = text; *p != '\0'; ++p) {
        if (*p < '0' || *p > '9') return false;
        value = value * 10 + static_cast<uint64_t>(*p - '0');
        if (value > limit) return false;
    }
    return true;
}

// True when the last argument is the option --work; it is then taken off argc.
inline bool takeWorkOption(int& argc, char** argv) {
    if (argc < 1 || std::strcmp(argv[argc - 1], "--work") != 0) return false;
    --argc;
    return true;
}

// One line of work counts, written to standard error unless told otherwise, so that standard
// output stays comparable. The scans are printed as "passes", the name the line has always had.
inline void printWork(const char* what, const WorkCounters& work, std::FILE* out = stderr) {
    std::fprintf(out,
                 "%s work: setUps=%" PRId64 " sweeps=%" PRId64 " cellsSwept=%" PRId64
                 " cellsVisited=%" PRId64 " ruleRelates=%" PRId64 " propagateCalls=%" PRId64
                 " passes=%" PRId64 " copies=%" PRId64 "\n",
                 what, work.setUps, work.sweeps, work.cellsSwept, work.cellsVisited,
                 work.ruleRelates, work.propagateCalls, work.scans, work.boardCopies);
}

}  // namespace varnel::probe
