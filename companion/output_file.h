#pragma once

#include <cstdio>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace varnel {

// An output file written whole or not at all. The content goes to a temporary file in the
// target's folder (".NAME.XXXXXX"), which commit flushes to disk and renames over the target, so
// a failed or interrupted run never leaves a half-written target. A file that is not committed
// has its temporary file removed. Errors are printed to standard error as
// "varnel: cannot write TARGET: reason".
struct OutputFile {
    std::string target;     // the path asked for
    std::string temporary;  // the temporary file while one is open, else empty
    std::FILE* file = nullptr;
    bool failed = false;  // a write failed; the error was printed

    OutputFile() = default;
    OutputFile(const OutputFile&) = delete;
    OutputFile& operator=(const OutputFile&) = delete;
    ~OutputFile() { discard(); }

    // Creates the temporary file for target. False (printed) when it cannot be created.
    bool open(const std::string& targetPath);

    // Appends text; a failure is printed once and remembered.
    void write(std::string_view text);

    // Flushes, syncs and closes the temporary file, giving it the target's permissions (those
    // of the file it replaces, else the usual ones under the umask). Does not rename yet.
    bool finish();

    // Renames the finished temporary file over the target.
    bool commit();

    // Removes the temporary file, if any; the target is untouched.
    void discard();
};

// Writes every (target, content) pair: all contents to temporary files first, then every one
// renamed into place. When a content cannot be written, no target is touched and no temporary
// file is left. Errors are printed; false on any.
bool writeFilesAtomically(const std::vector<std::pair<std::string, std::string_view>>& files);

// Writes texts[i] as folder/names[i], the folder created when missing, all together as
// writeFilesAtomically writes them. Errors are printed; false on any.
bool writeFilesInFolder(const std::string& folder, const std::vector<std::string>& names,
                        const std::vector<std::string>& texts);

// A document's file name in an output folder: prefix, number with as many digits as last has
// (at least 3), extension: "page-007.svg".
std::string numberedName(const char* prefix, uint64_t number, uint64_t last, const char* extension);

// Writes text to standard output and flushes it. False (printed) when the write fails.
bool writeStandardOutput(std::string_view text);

}  // namespace varnel
