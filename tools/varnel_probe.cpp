// varnel_probe: a developer tool built from the same libraries as the program. It prints the
// solver's counters and the creator's raw outputs in plain line formats, so that they can be
// compared with expected outputs and measured.

#include <cstdio>
#include <cstring>

#include "tools/probe_commands.h"

namespace {

int usage() {
    std::fprintf(stderr,
                 "usage: varnel_probe solve FILE [--work]\n"
                 "       varnel_probe loop W H SEED COUNT\n"
                 "       varnel_probe make CLASS SEED COUNT [--work]\n"
                 "       varnel_probe thin FILE SEED MIN MAX [branch]\n"
                 "       varnel_probe bench [--quick] [FILE]\n");
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) return usage();
    const char* command = argv[1];
    if (std::strcmp(command, "solve") == 0) return varnel::probe::probeSolve(argc - 2, argv + 2);
    if (std::strcmp(command, "loop") == 0) return varnel::probe::probeLoop(argc - 2, argv + 2);
    if (std::strcmp(command, "make") == 0) return varnel::probe::probeMake(argc - 2, argv + 2);
    if (std::strcmp(command, "thin") == 0) return varnel::probe::probeThin(argc - 2, argv + 2);
    if (std::strcmp(command, "bench") == 0) return varnel::probe::probeBench(argc - 2, argv + 2);
    return usage();
}
