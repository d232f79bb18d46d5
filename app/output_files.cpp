#include "app/output_files.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <ctime>

#include "textio/console.h"

namespace varnel {

namespace {

constexpr int MAX_FILE_NUMBER = 999999;  // gives up rather than counting on for ever

}  // namespace

void formatOutputName(char (&buffer)[256], int year, int month, int day, int n, const char* name,
                      int32_t number) {
    if (number == 0) {
        std::snprintf(buffer, sizeof buffer, "%04d%02d%02d_%02d(%s).dat", year, month, day, n,
                      name);
    } else {
        std::snprintf(buffer, sizeof buffer, "%04d%02d%02d_%02d(%s%d).dat", year, month, day, n,
                      name, number);
    }
}

std::FILE* openOutputFile(const char* name, int32_t number, char (&fileName)[256]) {
    // The date is read once, so every attempt of one file uses the same day.
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    for (int n = 1; n <= MAX_FILE_NUMBER; ++n) {
        formatOutputName(fileName, local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, n, name,
                         number);
        const int fd = ::open(fileName, O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0) {
            if (errno == EEXIST) continue;  // taken: try the next number
            break;
        }
        std::FILE* file = ::fdopen(fd, "wb");
        if (file == nullptr) {
            ::close(fd);
            std::remove(fileName);
            break;
        }
        return file;
    }
    printFailedToOpen(fileName);
    return nullptr;
}

}  // namespace varnel
