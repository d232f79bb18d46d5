// varnel_probe make CLASS SEED COUNT [--threads N]: makes COUNT problems of one size class in a row
// from one source seeded with SEED and prints each as its compact line and its score, so that the
// sequence of problems of a seed can be compared exactly. With --threads each problem's candidate
// clues are judged on N threads; the problems are the same.

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "creator/problem_maker.h"
#include "creator/size_classes.h"
#include "textio/problem_writer.h"
#include "tools/behaviour_signature.h"
#include "tools/probe_commands.h"
#include "tools/probe_support.h"

namespace varnel::probe {

namespace {

constexpr uint64_t MAX_JUDGE_THREADS = 64;

}  // namespace

int probeMake(int argc, char** argv) {
    uint64_t sizeClass = 0, seed = 0, count = 0, threads = 1;
    const bool reportWork = takeWorkOption(argc, argv);
    bool threadsValid = true;
    if (argc == 5 && std::strcmp(argv[3], "--threads") == 0) {
        threadsValid = parseDecimal(argv[4], MAX_JUDGE_THREADS, threads) && threads >= 1;
        argc = 3;
    }
    if (argc != 3 || !threadsValid || !parseDecimal(argv[0], SIZE_CLASS_COUNT - 1, sizeClass) ||
        !parseDecimal(argv[1], UINT32_MAX, seed) || !parseDecimal(argv[2], INT32_MAX, count)) {
        std::fprintf(stderr,
                     "usage: varnel_probe make CLASS SEED COUNT [--threads N] [--work]\n"
                     "  CLASS: size class 0 to 4; SEED: 0 to 4294967295; COUNT: 0 or more;\n"
                     "  N: threads judging each problem's candidate clues, 1 to 64\n");
        return 2;
    }
    const int32_t width = CLASS_WIDTHS[sizeClass];
    const int32_t height = CLASS_HEIGHTS[sizeClass];
    SharedRandom random(static_cast<uint32_t>(seed));
    std::vector<uint8_t> grid(static_cast<size_t>(width * height));
    std::string line;
    WorkCounters work;
    for (uint64_t n = 0; n < count; ++n) {
        ProblemGrade grade;
        while (!makeProblem(random, width, height, grid.data(), grade, &work,
                            LoopBuilderKind::STRIP, static_cast<int32_t>(threads))) {
        }
        line.clear();
        appendProblemLine(grade.score, grid.data(), width, height, line);
        std::fputs(madeProblemRecord(line, grade.score).c_str(), stdout);
        std::fflush(stdout);
    }
    if (reportWork) printWork("make", work);
    return 0;
}

}  // namespace varnel::probe
