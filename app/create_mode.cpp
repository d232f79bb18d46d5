#include "app/create_mode.h"

#include <csignal>
#include <cstdio>
#include <vector>

#include "app/clock.h"
#include "app/interrupt_cleanup.h"
#include "app/output_files.h"
#include "creator/batch.h"
#include "creator/size_classes.h"
#include "textio/console.h"
#include "textio/problem_writer.h"

namespace varnel {

namespace {

constexpr int32_t MIXED_COUNT = 270;  // slots of the batch grouped by difficulty
constexpr int32_t SINGLE_COUNT = 30;  // slots of a batch of one size class
constexpr int32_t CLASS_BLOCK = 90;   // slots of one class in the grouped batch
constexpr int32_t FILE_OFFSET = 20;   // first sorted position of file f is 20 x f
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

// One progress mark, written at once so that the bar fills as problems are made.
void printMark() {
    std::fputs("o", stdout);
    std::fflush(stdout);
}

}  // namespace

bool createProblems(int32_t mode) {
    const uint32_t start = tickCount();
    bool ok = true;
    bool marksOnLine = false;   // the progress marks were printed and their line is not ended
    bool problemsMade = false;  // the batch ran and its problems were written

    // Under a file-size limit a write past it raises SIGXFSZ, which would end the run with a
    // partial output file left on disk. Ignored, the write fails with EFBIG instead, and the batch
    // reports "failed to write" and removes the file.
    std::signal(SIGXFSZ, SIG_IGN);

    // The output files come first, so that a run that cannot write costs no work; the batch
    // grouped by difficulty attempts all three even after a failure.
    guardOutputFiles();
    OutputFile outputs[3];
    const int fileCount = mode == 0 ? 3 : 1;
    for (int f = 0; f < fileCount; ++f) {
        const char* name = mode == 0 ? DIFFICULTY_NAMES[f] : "size";
        outputs[f].file = openOutputFile(name, mode, outputs[f].name);
        if (outputs[f].file == nullptr) {
            ok = false;
        } else {
            guardOutputFile(outputs[f].name);
        }
    }

    if (ok) {
        // The grouped batch alternates the classes 0, 1, 2 slot by slot.
        const int32_t count = mode == 0 ? MIXED_COUNT : SINGLE_COUNT;
        std::vector<ProblemSlot> slots(static_cast<size_t>(count));
        for (int32_t j = 0; j < count; ++j) {
            slots[j].sizeClass = mode == 0 ? j % 3 : mode - 1;
            const int32_t c = slots[j].sizeClass;
            slots[j].grid.assign(static_cast<size_t>(CLASS_WIDTHS[c] * CLASS_HEIGHTS[c]), NO_CLUE);
        }

        // The header, then one mark per thirtieth of the batch under the 30-character bar.
        std::fputs("creating problems...\n", stdout);
        std::fputs("+----------------------------+\n", stdout);
        std::fflush(stdout);
        makeBatch(slots, (count + 29) / 30, tickCount(), printMark);
        marksOnLine = true;
        problemsMade = true;

        // Writing begins: an interrupt from here on is handled by the signal's default action.
        endOutputGuard();
        sortSlots(slots);
        if (mode != 0) {
            for (const ProblemSlot& slot : slots)
                writeSlot(outputs[0], slot);
        } else {
            // Each file takes its share of every class from its own stretch of the sorted
            // scores: easy from the lowest, hard from the middle.
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
    endOutputGuard();

    // When an open failed nothing was made, and the files this run did create are empty: they
    // are removed rather than left behind looking like batches.
    for (OutputFile& out : outputs) {
        const bool opened = out.file != nullptr;
        if (!closeOutput(out, marksOnLine)) {
            ok = false;
        } else if (opened && !problemsMade) {
            std::remove(out.name);
        }
    }

    printFinished(elapsedMillis(start, tickCount()));
    return ok;
}

}  // namespace varnel
