// varnel_probe loop W H SEED COUNT: builds COUNT random loops in a row from one source seeded with
// SEED and prints each full clue grid, so that the loop builder can be compared byte for byte.

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "creator/loop_builder.h"
#include "creator/shared_random.h"
#include "tools/probe_commands.h"
#include "tools/probe_support.h"

namespace varnel::probe {

namespace {

int usage(const char* problem) {
    std::fprintf(stderr, "loop: %s\n", problem);
    std::fprintf(stderr,
                 "usage: varnel_probe loop W H SEED COUNT\n"
                 "  W, H: multiples of 4 from 4 to 36; SEED: 0 to 4294967295; COUNT: 0 or more\n");
    return 2;
}

}  // namespace

int probeLoop(int argc, char** argv) {
    if (argc != 4) return usage("expected four arguments");

    uint64_t width = 0, height = 0, seed = 0, count = 0;
    if (!parseDecimal(argv[0], 1000, width)) return usage("W is not a size");
    if (!parseDecimal(argv[1], 1000, height)) return usage("H is not a size");
    if (!loopSizeFits(static_cast<int64_t>(width), static_cast<int64_t>(height))) {
        return usage("W and H must be multiples of 4 from 4 to 36");
    }
    if (!parseDecimal(argv[2], UINT32_MAX, seed))
        return usage("SEED is not a 32-bit unsigned number");
    if (!parseDecimal(argv[3], INT32_MAX, count)) return usage("COUNT is not a count");

    const int32_t w = static_cast<int32_t>(width);
    const int32_t h = static_cast<int32_t>(height);
    SharedRandom random(static_cast<uint32_t>(seed));
    std::vector<uint8_t> clues(static_cast<size_t>(w) * h);
    RandomLoopBuilder builder;
    builder.bind(clues.data(), w, h, &random);

    std::string text;
    text.reserve(static_cast<size_t>(w + 1) * h + 1);
    for (uint64_t n = 0; n < count; ++n) {
        builder.buildLoop();
        text.clear();
        for (int32_t y = 0; y < h; ++y) {
            for (int32_t x = 0; x < w; ++x)
                text.push_back(static_cast<char>('0' + clues[y * w + x]));
            text.push_back('\n');
        }
        text.push_back('\n');
        if (std::fwrite(text.data(), 1, text.size(), stdout) != text.size()) {
            std::fprintf(stderr, "loop: failed to write the output\n");
            return 1;
        }
    }
    if (std::fflush(stdout) != 0) {
        std::fprintf(stderr, "loop: failed to write the output\n");
        return 1;
    }
    return 0;
}

}  // namespace varnel::probe
