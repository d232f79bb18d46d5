#include <csignal>

#include "app/dispatch.h"

int main(int argc, char** argv) {
    const varnel::Command command = varnel::parseCommandLine(argc, argv);
    // Under a file-size limit a write past it raises SIGXFSZ, which would kill create mode with a
    // partial output file left on disk. Ignored, the write fails with EFBIG instead, and the batch
    // reports "failed to write" and removes the file.
    if (command.mode == varnel::RunMode::CREATE) std::signal(SIGXFSZ, SIG_IGN);
    return varnel::runCommand(command);
}
