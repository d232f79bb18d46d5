#pragma once

// Runs a shell command for the whole-program tests and collects its standard output.

#include <sys/wait.h>

#include <array>
#include <cstdio>
#include <string>

namespace varnel::testing_support {

// Standard output of command; *exitStatus, when given, receives its exit status (-1 when it did
// not exit normally or could not be started).
inline std::string runCommand(const std::string& command, int* exitStatus = nullptr) {
    std::string output;
    if (exitStatus != nullptr) *exitStatus = -1;
    FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr) return output;
    std::array<char, 4096> buffer{};
    size_t n = 0;
    while ((n = std::fread(buffer.data(), 1, buffer.size(), pipe)) > 0)
        output.append(buffer.data(), n);
    const int status = pclose(pipe);
    if (exitStatus != nullptr && WIFEXITED(status)) *exitStatus = WEXITSTATUS(status);
    return output;
}

}  // namespace varnel::testing_support
