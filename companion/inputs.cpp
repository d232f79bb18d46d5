#include "companion/inputs.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <utility>

#include "varnel/read.h"

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

// Prints the diagnostics; false when any of them is an error.
bool printDiagnostics(const std::vector<api::Diagnostic>& diagnostics) {
    bool clean = true;
    for (const api::Diagnostic& d : diagnostics) {
        const std::string line = api::formatDiagnostic(d) + "\n";
        std::fputs(line.c_str(), stderr);
        if (!d.warning) clean = false;
    }
    return clean;
}

}  // namespace

bool loadInput(const std::string& argument, std::string& text, std::string& source) {
    const bool fromStdin = argument == "-";
    source = fromStdin ? STDIN_NAME : argument;
    std::string reason;
    const bool read =
        fromStdin ? readStream(stdin, text, reason) : readFile(argument, text, reason);
    if (!read) {
        std::fprintf(stderr, "varnel: cannot read %s: %s\n", source.c_str(), reason.c_str());
    }
    return read;
}

bool readPuzzleInputs(const std::vector<std::string>& arguments,
                      std::vector<api::Puzzle>& puzzles) {
    bool allRead = true;
    for (const std::string& argument : arguments) {
        api::ReadResult result;
        if (isLiteralArgument(argument)) {
            result = api::readPuzzleArgument(argument);
        } else {
            std::string text;
            std::string source;
            if (!loadInput(argument, text, source)) {
                allRead = false;
                continue;
            }
            result = api::readPuzzles(text, source);
        }
        allRead = printDiagnostics(result.diagnostics) && allRead;
        for (api::Puzzle& puzzle : result.puzzles)
            puzzles.push_back(std::move(puzzle));
    }
    return allRead;
}

bool isLiteralArgument(const std::string& argument) {
    return argument != "-" && !pathExists(argument) && api::looksLikePuzzleArgument(argument);
}

std::string problemPlace(const api::Puzzle& puzzle) {
    return puzzle.source + ":" + std::to_string(puzzle.line);
}

}  // namespace varnel
