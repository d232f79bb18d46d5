#include "creator/batch.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <ctime>
#include <string>

#include "creator/problem_maker.h"
#include "creator/shared_random.h"
#include "creator/size_classes.h"
#include "textio/clock.h"
#include "textio/console.h"
#include "textio/problem_writer.h"

namespace varnel {

namespace {

constexpr int32_t MIXED_COUNT = 270;     // slots of mode 0
constexpr int32_t SINGLE_COUNT = 30;     // slots of modes 1 to 5
constexpr int32_t CLASS_BLOCK = 90;      // slots of one class in mode 0
constexpr int32_t FILE_OFFSET = 20;      // first sorted position of file f is 20 x f
constexpr int MAX_FILE_NUMBER = 999999;  // gives up rather than counting on for ever
const char* const DIFFICULTY_NAMES[3] = {"easy", "normal", "hard"};

// An output file of this run.
struct OutputFile {
    std::FILE* file = nullptr;  // open while the run writes it
    char name[256] = {};        // its name in the current directory
    bool failed = false;        // a write or the close failed
};

// Writes one slot to out, remembering a failure.
void writeSlot(OutputFile& out, const ProblemSlot& slot) {
    if (out.failed) return;
    const int32_t sizeClass = slot.sizeClass;
    if (!writeProblemLine(out.file, slot.score, slot.grid.data(), CLASS_WIDTHS[sizeClass],
                          CLASS_HEIGHTS[sizeClass])) {
        out.failed = true;
    }
}

// Closes out; a file whose writing failed is reported and removed, so that no partial file is
// left looking complete. lineOpen tells that the progress marks are still on the current line;
// the message then starts a line of its own, where scripts and people find it. Returns false on
// failure.
bool closeOutput(OutputFile& out, bool& lineOpen) {
    if (out.file == nullptr) return true;
    if (std::fclose(out.file) != 0) out.failed = true;
    out.file = nullptr;
    if (!out.failed) return true;
    if (lineOpen) std::fputs("\n", stdout);
    lineOpen = false;
    printFailedToWrite(out.name);
    std::remove(out.name);
    return false;
}

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
    // Step 1: today's local date, read once.
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    // Steps 2 and 3: the first number whose name is free, created exclusively.
    for (int n = 1; n <= MAX_FILE_NUMBER; ++n) {
        formatOutputName(fileName, local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, n, name,
                         number);
        const int fd = ::open(fileName, O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0) {
            if (errno == EEXIST) continue;
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

void makeBatch(std::vector<ProblemSlot>& slots, int32_t step, uint32_t seed) {
    SharedRandom random(seed);
    const int32_t count = static_cast<int32_t>(slots.size());
#pragma omp parallel for schedule(static)
    for (int32_t i = 0; i < count; ++i) {
        ProblemSlot& slot = slots[i];
        const int32_t width = CLASS_WIDTHS[slot.sizeClass];
        const int32_t height = CLASS_HEIGHTS[slot.sizeClass];
        while (!makeProblem(random, width, height, slot.grid.data(), slot.score)) {
        }
        if (i % step == step - 1) {
            std::fputs("o", stdout);
            std::fflush(stdout);
        }
    }
}

void sortSlots(std::vector<ProblemSlot>& slots) {
    auto key = [](const ProblemSlot& s) { return s.sizeClass * 65536 + s.score; };
    for (size_t k = 1; k < slots.size(); ++k) {
        for (size_t j = k; j > 0 && key(slots[j - 1]) > key(slots[j]); --j) {
            std::swap(slots[j - 1], slots[j]);
        }
    }
}

bool createProblems(int32_t mode) {
    // Step 1.
    const uint32_t start = tickCount();
    bool ok = true;
    bool marksOnLine = false;   // the progress marks were printed and their line is not ended
    bool problemsMade = false;  // the batch ran and its problems were written

    // Step 2: the output files first; in mode 0 all three are attempted.
    OutputFile outputs[3];
    const int fileCount = mode == 0 ? 3 : 1;
    for (int f = 0; f < fileCount; ++f) {
        const char* name = mode == 0 ? DIFFICULTY_NAMES[f] : "size";
        outputs[f].file = openOutputFile(name, mode, outputs[f].name);
        if (outputs[f].file == nullptr) ok = false;
    }

    if (ok) {
        // Step 3: the slots; mode 0 alternates the classes 0, 1, 2.
        const int32_t count = mode == 0 ? MIXED_COUNT : SINGLE_COUNT;
        std::vector<ProblemSlot> slots(static_cast<size_t>(count));
        for (int32_t j = 0; j < count; ++j) {
            slots[j].sizeClass = mode == 0 ? j % 3 : mode - 1;
            const int32_t c = slots[j].sizeClass;
            slots[j].grid.assign(static_cast<size_t>(CLASS_WIDTHS[c] * CLASS_HEIGHTS[c]), NO_CLUE);
        }

        // Steps 4 and 5: the header and the batch, with one mark per thirtieth of it.
        std::fputs("creating problems...\n", stdout);
        std::fputs("+----------------------------+\n", stdout);
        std::fflush(stdout);
        makeBatch(slots, (count + 29) / 30, tickCount());
        marksOnLine = true;
        problemsMade = true;

        // Steps 6 and 7: sort and write.
        sortSlots(slots);
        if (mode != 0) {
            for (const ProblemSlot& slot : slots)
                writeSlot(outputs[0], slot);
        } else {
            for (int f = 0; f < 3; ++f) {
                for (int c = 0; c < 3; ++c) {
                    const int32_t first = CLASS_BLOCK * c + FILE_OFFSET * f;
                    for (int32_t k = 0; k < difficultyShares[f][c]; ++k) {
                        writeSlot(outputs[f], slots[first + k]);
                    }
                }
            }
        }
    }

    // Step 8: close every file that was opened. When an open failed nothing was made, and the
    // files this run did create are empty: they are removed rather than left behind looking like
    // batches.
    for (OutputFile& out : outputs) {
        const bool opened = out.file != nullptr;
        if (!closeOutput(out, marksOnLine)) {
            ok = false;
        } else if (opened && !problemsMade) {
            std::remove(out.name);
        }
    }

    // Step 9.
    printFinished(start);
    return ok;
}

}  // namespace varnel
