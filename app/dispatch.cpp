#include "app/dispatch.h"

#include "app/create_mode.h"
#include "app/exit_status.h"
#include "app/solve_mode.h"
#include "textio/console.h"

namespace varnel {

namespace {

// An output file that cannot be created or written fails the run: its problems are lost.
int runCreateMode(uint32_t mode) {
    return createProblems(static_cast<int32_t>(mode)) ? EXIT_OK : EXIT_FAILED;
}

}  // namespace

Command parseCommandLine(int argc, const char* const* argv) {
    Command command;
    if (argc == 3 && (argv[1][0] == 's' || argv[1][0] == 'S')) {
        command.mode = RunMode::SOLVE;
        command.path = argv[2];
        return command;
    }
    if (argc == 2 && (argv[1][0] == 'c' || argv[1][0] == 'C')) {
        // Only the second character counts; "c" alone reads its terminating zero, which wraps
        // to a large unsigned value and so to mode 0, like c6 .. c9 and any letter.
        const uint32_t mode = static_cast<uint32_t>(argv[1][1] - '0');
        command.mode = RunMode::CREATE;
        command.createMode = mode > 5 ? 0 : mode;
        return command;
    }
    return command;
}

int runCommand(const Command& command) {
    switch (command.mode) {
        case RunMode::SOLVE:
            return runSolveMode(command.path);
        case RunMode::CREATE:
            return runCreateMode(command.createMode);
        case RunMode::USAGE:
            break;
    }
    printUsage();
    return EXIT_OK;
}

}  // namespace varnel
