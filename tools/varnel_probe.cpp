// varnel_probe: a developer tool built from the same libraries as the program. It prints the
// solver's counters and the creator's raw outputs in plain line formats, so that they can be
// compared with expected outputs and measured.

#include <cstdio>
#include <cstring>

#include "tools/probe_commands.h"

namespace {

int usage() {
    std::fputs(varnel::probe::PROBE_USAGE, stderr);
    return 2;
}

using Command = int (*)(int, char**);

// The command named word, or null.
Command commandNamed(const char* word) {
    struct Named {
        const char* name;
        Command run;
    };
    static constexpr Named COMMANDS[] = {
        {"solve", varnel::probe::probeSolve}, {"loop", varnel::probe::probeLoop},
        {"make", varnel::probe::probeMake},   {"thin", varnel::probe::probeThin},
        {"bench", varnel::probe::probeBench},
    };
    for (const Named& c : COMMANDS) {
        if (std::strcmp(word, c.name) == 0) return c.run;
    }
    return nullptr;
}

bool isHelpOption(const char* word) {
    return std::strcmp(word, "--help") == 0 || std::strcmp(word, "-h") == 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) return usage();
    const char* word = argv[1];
    if (std::strcmp(word, "help") == 0 || isHelpOption(word)) return varnel::probe::probeHelp();
    const Command command = commandNamed(word);
    if (command == nullptr) return usage();
    if (argc >= 3 && isHelpOption(argv[2])) return varnel::probe::probeHelp();
    return command(argc - 2, argv + 2);
}
