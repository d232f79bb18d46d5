#include "creator/loop_builder.h"

#include <gtest/gtest.h>

#include <array>
#include <bit>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "tests/support/run_command.h"
#include "tests/support/text_file.h"

namespace varnel {
namespace {

using varnel::testing_support::readTextFile;

// The full clue grids of count loops built in a row, in the probe's text form.
std::string buildLoops(int32_t w, int32_t h, uint32_t seed, int count) {
    SharedRandom random(seed);
    std::vector<uint8_t> clues(w * h);
    RandomLoopBuilder builder;
    builder.bind(clues.data(), w, h, &random);
    std::string text;
    for (int n = 0; n < count; ++n) {
        builder.buildLoop();
        for (int32_t y = 0; y < h; ++y) {
            for (int32_t x = 0; x < w; ++x)
                text.push_back(static_cast<char>('0' + clues[y * w + x]));
            text.push_back('\n');
        }
        text.push_back('\n');
    }
    return text;
}

bool inside(const LineMasks& m, int32_t line, int32_t position) {
    return ((m[line] >> position) & 1u) != 0;
}

TEST(LoopBuilderTest, SideCountMatchesItsDefinition) {
    for (int index = 0; index < 32; ++index) {
        const int self = (index >> 1) & 1;
        int differ = 0;
        for (int bit : {0, 2, 3, 4})
            differ += ((index >> bit) & 1) != self;
        EXPECT_EQ(SIDE_COUNT[index], differ) << index;
    }
    EXPECT_EQ(SIDE_COUNT[2], 4);   // a lone inside cell: NO_CLUE in a clue grid
    EXPECT_EQ(SIDE_COUNT[3], 3);   // inside, only the left neighbour inside
    EXPECT_EQ(SIDE_COUNT[6], 3);   // inside, only the right neighbour inside
    EXPECT_EQ(SIDE_COUNT[16], 1);  // outside, only the upper neighbour inside
    EXPECT_EQ(SIDE_COUNT[29], 4);  // an outside cell enclosed on all four sides
}

TEST(LoopBuilderTest, ReproducesGoldenLoops) {
    const std::filesystem::path dir = std::filesystem::path(VARNEL_TEST_DATA) / "golden" / "loop";
    int files = 0;
    for (const auto& entry : std::filesystem::directory_iterator(dir)) {
        int w = 0, h = 0, count = 0;
        unsigned seed = 0;
        const std::string name = entry.path().filename().string();
        ASSERT_EQ(std::sscanf(name.c_str(), "%dx%d_seed%u_count%d.txt", &w, &h, &seed, &count), 4)
            << name;
        EXPECT_EQ(buildLoops(w, h, seed, count), readTextFile(entry.path())) << name;
        ++files;
    }
    EXPECT_GE(files, 5);
}

TEST(LoopBuilderTest, ProbeCommandPrintsGridsAndRejectsBadArguments) {
    const std::string probe = VARNEL_PROBE_BINARY;
    auto run = [&](const std::string& args, std::string& out) {
        int status = -1;
        out = testing_support::runCommand(probe + " loop " + args + " 2>/dev/null", &status);
        return status;
    };
    std::string out;
    EXPECT_EQ(run("16 12 1612 5", out), 0);
    EXPECT_EQ(out, readTextFile(std::string(VARNEL_TEST_DATA) +
                                "/golden/loop/16x12_seed1612_count5.txt"));
    EXPECT_EQ(run("4 4 4294967295 1", out), 0);
    EXPECT_EQ(out, buildLoops(4, 4, 4294967295u, 1));
    for (const char* bad : {"", "16 12 1", "18 12 1 1", "40 12 1 1", "0 12 1 1", "16 x 1 1",
                            "16 12 -1 1", "16 12 4294967296 1", "16 12 1 2x", "16 12 1 1 1"}) {
        EXPECT_EQ(run(bad, out), 2) << bad;
        EXPECT_EQ(out, "") << bad;
    }
}

TEST(LoopBuilderTest, EveryLoopKeepsTheBorderOutsideAndCountsItsSides) {
    for (int32_t w = 4; w <= 36; w += 4) {
        for (int32_t h = 4; h <= 36; h += 4) {
            SharedRandom random(static_cast<uint32_t>(w * 1000 + h));
            std::vector<uint8_t> clues(w * h, 9);
            RandomLoopBuilder builder;
            builder.bind(clues.data(), w, h, &random);
            for (int round = 0; round < 12; ++round) {
                builder.buildLoop();
                const LineMasks& rows = builder.rowMasks;
                const uint64_t gridBits = ((uint64_t{1} << w) - 1) << 1;  // positions 1..W
                int insideCount = 0;
                for (int32_t r = 0; r < MASK_LINES; ++r) {
                    const bool gridRow = r >= 1 && r <= h;
                    ASSERT_EQ(rows[r] & ~(gridRow ? gridBits : 0), 0u)
                        << w << "x" << h << " r" << r;
                    insideCount += std::popcount(rows[r]);
                }
                ASSERT_GT(insideCount, 0);
                for (int32_t r = 1; r <= h; ++r) {
                    for (int32_t q = 1; q <= w; ++q) {
                        const bool self = inside(rows, r, q);
                        const int sides =
                            (inside(rows, r - 1, q) != self) + (inside(rows, r + 1, q) != self) +
                            (inside(rows, r, q - 1) != self) + (inside(rows, r, q + 1) != self);
                        ASSERT_EQ(clues[(r - 1) * w + q - 1], sides) << w << "x" << h;
                    }
                }
            }
        }
    }
}

TEST(LoopBuilderTest, SameSourceStateGivesTheSameLoop) {
    // A builder that has drawn other loops before gives what a fresh one gives from the same state.
    SharedRandom usedSource(77);
    std::vector<uint8_t> usedClues(24 * 16);
    RandomLoopBuilder used;
    used.bind(usedClues.data(), 24, 16, &usedSource);
    for (int n = 0; n < 3; ++n)
        used.buildLoop();

    SharedRandom freshSource(static_cast<uint32_t>(usedSource.seed));
    std::vector<uint8_t> freshClues(24 * 16);
    RandomLoopBuilder fresh;
    fresh.bind(freshClues.data(), 24, 16, &freshSource);

    used.buildLoop();
    fresh.buildLoop();
    EXPECT_EQ(usedClues, freshClues);
    EXPECT_EQ(used.rowMasks, fresh.rowMasks);
    EXPECT_EQ(usedSource.seed, freshSource.seed);
}

TEST(LoopBuilderTest, VerticalBandTakesAFourColumnRemainder) {
    // Find a seed whose first band is vertical with width 12 on a 16-column board.
    uint32_t seed = 0;
    for (;; ++seed) {
        SharedRandom probe(seed);
        if (probe.draw(2) != 0 && 1 + probe.draw(4) == 3) break;
    }
    SharedRandom random(seed);
    std::vector<uint8_t> clues(16 * 12);
    RandomLoopBuilder builder;
    builder.bind(clues.data(), 16, 12, &random);
    builder.buildLoop();

    // The same draws as one band of all 16 columns, with no join to a second band.
    SharedRandom replay(seed);
    RandomLoopBuilder manual;
    manual.bind(clues.data(), 16, 12, &replay);
    replay.draw(2);
    replay.draw(4);
    manual.buildBand(manual.rowMasks, 0, 16, 0, 12);
    EXPECT_EQ(builder.rowMasks, manual.rowMasks);
    EXPECT_EQ(random.seed, replay.seed);
}

TEST(LoopBuilderTest, JoinStripsCrossesTheLaneWhenNoLineHasBothStrips) {
    for (uint32_t seed = 1; seed <= 50; ++seed) {
        SharedRandom random(seed);
        RandomLoopBuilder builder;
        builder.random = &random;
        for (int32_t x = 1; x <= 12; ++x)
            builder.rowMasks[x] = uint64_t{1} << 8;  // only position a
        builder.joinStrips(builder.rowMasks, 8, 0, 12);

        SharedRandom replay(seed);
        replay.draw(2);
        const int32_t line = 1 + replay.draw(12);
        for (int32_t x = 1; x <= 12; ++x) {
            const uint64_t want = x == line ? uint64_t{0x1f} << 7 : uint64_t{1} << 8;
            ASSERT_EQ(builder.rowMasks[x], want) << "seed " << seed << " line " << x;
        }
        EXPECT_EQ(random.seed, replay.seed);
    }
}

TEST(LoopBuilderTest, FillDeadSpaceWidensTowardsTheDeadPair) {
    RandomLoopBuilder builder;  // draws nothing, so no source is bound
    LineMasks& m = builder.rowMasks;

    // Position 4 is live (its left neighbour in line 1 is inside), the lane (5) of the strip at
    // base 4 is dead, and line 3 holds the spine cell 7: fill 6 only.
    m.fill(0);
    m[1] = uint64_t{1} << 3;
    m[3] = uint64_t{1} << 7;
    builder.fillDeadSpace(m, 4, 1, 2);
    EXPECT_EQ(m[3], (uint64_t{1} << 6) | (uint64_t{1} << 7));
    EXPECT_EQ(m[1], uint64_t{1} << 3);

    // Dead last spine position of the strip before (4), which reaches position 2 of line 3:
    // fill down from 3 to the set position.
    m.fill(0);
    m[3] = (uint64_t{1} << 2) | (uint64_t{1} << 8);
    builder.fillDeadSpace(m, 4, 1, 2);
    EXPECT_EQ(m[3], (uint64_t{1} << 2) | (uint64_t{1} << 3) | (uint64_t{1} << 8));

    // The same dead pair at 4 without the strip before near: nothing, and no upward fill either.
    m.fill(0);
    m[3] = uint64_t{1} << 8;
    builder.fillDeadSpace(m, 4, 1, 2);
    EXPECT_EQ(m[3], uint64_t{1} << 8);

    // Live lane and live position 4, dead first spine position (6): fill from 7 to the spine.
    m.fill(0);
    m[1] = (uint64_t{1} << 4) | (uint64_t{1} << 5);
    m[5] = uint64_t{1} << 8;
    builder.fillDeadSpace(m, 4, 2, 4);
    EXPECT_EQ(m[5], (uint64_t{1} << 7) | (uint64_t{1} << 8));
}

}  // namespace
}  // namespace varnel
