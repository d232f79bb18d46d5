#pragma once

#include <cstdint>

namespace varnel {

// What the command line asks for.
enum class RunMode : uint8_t {
    USAGE,   // the arguments fit no mode: print the usage text
    SOLVE,   // s (or any word starting with s or S) and one path
    CREATE,  // one argument starting with c or C
};

// The command line after dispatch; only the argument count and the first one or two characters
// of the first argument are examined.
struct Command {
    RunMode mode = RunMode::USAGE;  // the run mode chosen
    const char* path = nullptr;     // SOLVE: the problem file, as given
    uint32_t createMode = 0;        // CREATE: 0 grouped by difficulty, 1..5 one size class
};

// Chooses the run mode from argc and argv (the program's own name first).
Command parseCommandLine(int argc, const char* const* argv);

// Carries out the command and returns the process exit status.
int runCommand(const Command& command);

}  // namespace varnel
