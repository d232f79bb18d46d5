#pragma once

namespace varnel {

// Exit statuses of the varnel command, the same for every subcommand. Each subcommand lists the
// ones it uses in its --help.
enum ExitStatus : int {
    STATUS_DONE = 0,        // everything asked for was done
    STATUS_FAILED = 1,      // an input could not be read or an output could not be written
    STATUS_USAGE = 2,       // the command line is wrong; nothing was done
    STATUS_NOT_MADE = 3,    // varnel make: no problem of the asked levels within the tries
    STATUS_NOT_UNIQUE = 3,  // varnel check: some problem has several answers or none
    STATUS_INVALID = 3,     // varnel verify: some answer is invalid
};

// The --help lines for the three statuses every subcommand shares.
inline constexpr const char* COMMON_STATUS_HELP =
    "  0  everything was done\n"
    "  1  an input could not be read (the other inputs were still handled) or an output could\n"
    "     not be written (nothing is left behind)\n"
    "  2  usage: the command line is wrong; nothing was done\n";

}  // namespace varnel
