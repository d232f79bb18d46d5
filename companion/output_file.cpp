#include "companion/output_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cinttypes>
#include <cstdio>
#include <cstring>
#include <filesystem>

namespace varnel {

namespace {

void printWriteError(const std::string& target, int error) {
    std::fprintf(stderr, "varnel: cannot write %s: %s\n", target.c_str(), std::strerror(error));
}

// Permissions for a new output file: those of the file it replaces, else 0666 under the umask.
mode_t outputMode(const std::string& target) {
    struct stat info {};
    if (::stat(target.c_str(), &info) == 0 && S_ISREG(info.st_mode)) {
        return info.st_mode & 07777;
    }
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

}  // namespace

bool OutputFile::open(const std::string& targetPath) {
    discard();
    target = targetPath;
    failed = false;
    const std::filesystem::path path(target);
    if (!path.has_filename()) {
        printWriteError(target, EISDIR);
        failed = true;
        return false;
    }
    std::string pattern =
        (path.parent_path() / ("." + path.filename().string() + ".XXXXXX")).string();
    const int descriptor = ::mkstemp(pattern.data());
    if (descriptor < 0) {
        printWriteError(target, errno);
        failed = true;
        return false;
    }
    temporary = pattern;
    file = ::fdopen(descriptor, "wb");
    if (file == nullptr) {
        printWriteError(target, errno);
        ::close(descriptor);
        discard();
        failed = true;
        return false;
    }
    return true;
}

void OutputFile::write(std::string_view text) {
    if (failed || file == nullptr || text.empty()) return;
    if (std::fwrite(text.data(), 1, text.size(), file) != text.size()) {
        printWriteError(target, errno);
        failed = true;
    }
}

bool OutputFile::finish() {
    if (file == nullptr) return false;
    if (!failed && std::fflush(file) != 0) {
        printWriteError(target, errno);
        failed = true;
    }
    const int descriptor = ::fileno(file);
    if (!failed && ::fchmod(descriptor, outputMode(target)) != 0) {
        printWriteError(target, errno);
        failed = true;
    }
    if (!failed && ::fsync(descriptor) != 0) {
        printWriteError(target, errno);
        failed = true;
    }
    if (std::fclose(file) != 0 && !failed) {
        printWriteError(target, errno);
        failed = true;
    }
    file = nullptr;
    if (failed) discard();
    return !failed;
}

bool OutputFile::commit() {
    if (failed || temporary.empty() || file != nullptr) return false;
    if (::rename(temporary.c_str(), target.c_str()) != 0) {
        printWriteError(target, errno);
        failed = true;
        discard();
        return false;
    }
    temporary.clear();
    return true;
}

void OutputFile::discard() {
    if (file != nullptr) {
        std::fclose(file);
        file = nullptr;
    }
    if (!temporary.empty()) {
        ::unlink(temporary.c_str());
        temporary.clear();
    }
}

bool writeFilesAtomically(const std::vector<std::pair<std::string, std::string_view>>& files) {
    std::vector<OutputFile> outputs(files.size());
    for (size_t i = 0; i < files.size(); ++i) {
        if (!outputs[i].open(files[i].first)) return false;
        outputs[i].write(files[i].second);
        if (!outputs[i].finish()) return false;
    }
    bool allCommitted = true;
    for (OutputFile& output : outputs)
        allCommitted = output.commit() && allCommitted;
    return allCommitted;
}

bool writeStandardOutput(std::string_view text) {
    if (std::fwrite(text.data(), 1, text.size(), stdout) != text.size() ||
        std::fflush(stdout) != 0) {
        std::fprintf(stderr, "varnel: cannot write standard output: %s\n", std::strerror(errno));
        return false;
    }
    return true;
}

bool writeFilesInFolder(const std::string& folder, const std::vector<std::string>& names,
                        const std::vector<std::string>& texts) {
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    if (error) {
        std::fprintf(stderr, "varnel: cannot create folder %s: %s\n", folder.c_str(),
                     error.message().c_str());
        return false;
    }
    std::vector<std::pair<std::string, std::string_view>> files;
    for (size_t i = 0; i < texts.size() && i < names.size(); ++i)
        files.emplace_back((std::filesystem::path(folder) / names[i]).string(), texts[i]);
    return writeFilesAtomically(files);
}

std::string numberedName(const char* prefix, uint64_t number, uint64_t last,
                         const char* extension) {
    const int digits = std::max<int>(3, static_cast<int>(std::to_string(last).size()));
    char text[64];
    std::snprintf(text, sizeof text, "%s%0*" PRIu64 "%s", prefix, digits, number, extension);
    return text;
}

}  // namespace varnel
