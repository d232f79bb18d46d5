#include "companion/inputs.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace varnel {

namespace {

constexpr const char* STDIN_NAME = "<stdin>";

// Reads all of file into text. False with errno's reason in reason on a read error, or when the
// input exceeds MAX_INPUT_BYTES.
bool readStream(std::FILE* file, std::string& text, std::string& reason) {
    char buffer[1 << 16];
    for (;;) {
        const size_t n = std::fread(buffer, 1, sizeof buffer, file);
        if (n > MAX_INPUT_BYTES - text.size()) {
            reason = "larger than " + std::to_string(MAX_INPUT_BYTES >> 20) + " MiB";
            return false;
        }
        text.append(buffer, n);
        if (n < sizeof buffer) break;
    }
    if (std::ferror(file)) {
        reason = std::strerror(errno);
        return false;
    }
    return true;
}

bool readFile(const std::string& path, std::string& text, std::string& reason) {
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (file == nullptr) {
        reason = std::strerror(errno);
        return false;
    }
    const bool read = readStream(file, text, reason);
    std::fclose(file);
    return read;
}

bool pathExists(const std::string& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0;
}

void printDiagnostics(const std::vector<InputDiagnostic>& diagnostics, bool& malformed) {
    for (const InputDiagnostic& d : diagnostics) {
        const std::string line = formatDiagnostic(d) + "\n";
        std::fputs(line.c_str(), stderr);
        if (!d.warning) malformed = true;
    }
}

}  // namespace

bool readInputs(const std::vector<std::string>& arguments, std::vector<InputProblem>& problems) {
    bool allRead = true;
    for (const std::string& argument : arguments) {
        std::vector<InputDiagnostic> diagnostics;
        bool malformed = false;
        if (isLiteralArgument(argument)) {
            readLiteralProblem(argument, problems, diagnostics);
            printDiagnostics(diagnostics, malformed);
            allRead = allRead && !malformed;
            continue;
        }
        const bool fromStdin = argument == "-";
        const std::string source = fromStdin ? STDIN_NAME : argument;
        std::string text;
        std::string reason;
        const bool read =
            fromStdin ? readStream(stdin, text, reason) : readFile(argument, text, reason);
        if (!read) {
            std::fprintf(stderr, "varnel: cannot read %s: %s\n", source.c_str(), reason.c_str());
            allRead = false;
            continue;
        }
        readInputText(text, source, problems, diagnostics);
        printDiagnostics(diagnostics, malformed);
        allRead = allRead && !malformed;
    }
    return allRead;
}

bool isLiteralArgument(const std::string& argument) {
    return argument != "-" && !pathExists(argument) && looksLikeLiteralProblem(argument);
}

std::string problemPlace(const InputProblem& problem) {
    return problem.source + ":" + std::to_string(problem.line);
}

}  // namespace varnel
