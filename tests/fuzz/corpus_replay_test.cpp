// Replays the fuzz target's inputs as ordinary tests: the hand-written hostile seeds, the kept
// corpus and the regressions (inputs that once broke something), plus large hostile inputs that
// are generated here rather than kept as files. Every input must keep the fuzz target's
// invariants; a few have their whole outcome checked.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "tests/fuzz/solve_input.h"
#include "tests/support/text_file.h"

namespace varnel::fuzz {
namespace {

using varnel::testing_support::readTextFile;

namespace fs = std::filesystem;

// A hand-written hostile input of tests/fuzz/seeds.
std::string seed(const char* name) {
    return readTextFile(fs::path(VARNEL_TEST_DATA) / "fuzz" / "seeds" / name);
}

// An empty compact problem of height rows of width cells.
std::string emptyBoard(int height, int width) {
    std::string text = "1/" + std::to_string(height) + "/" + std::to_string(width) + "/";
    for (int y = 0; y < height; ++y)
        text += std::string(static_cast<size_t>(width), '.') + "/";
    return text + "\n";
}

TEST(FuzzReplay, KeptInputsKeepEveryInvariant) {
    int replayed = 0;
    for (const char* folder : {"seeds", "corpus", "regressions"}) {
        const fs::path dir = fs::path(VARNEL_TEST_DATA) / "fuzz" / folder;
        if (!fs::is_directory(dir)) continue;
        for (const auto& entry : fs::directory_iterator(dir)) {
            const FuzzRun run = solveFuzzInput(readTextFile(entry.path()));
            EXPECT_EQ(run.violation, "") << entry.path();
            ++replayed;
        }
    }
    EXPECT_GE(replayed, 20);
}

TEST(FuzzReplay, HostileSeedsHaveTheirOutcome) {
    struct Case {
        const char* file;
        int32_t read;        // problems handed over by the reader
        const char* output;  // what solve mode prints, without the time line
    };
    const std::string twoByTwo =
        "・━・━・\n┃２ｘ２┃\n・ｘ・ｘ・\n┃２ｘ２┃\n・━・━・\n\nfound 1 answer(s).\n";
    const Case cases[] = {
        {"empty.txt", 0, "invalid problem data.\n"},
        {"only_nul.txt", 0, "invalid problem data.\n"},
        {"grid_short_row.txt", 0, "invalid problem data.\n"},
        {"grid_no_rows.txt", 0, "invalid problem data.\n"},
        // Without a newline a carriage return is just an ignored character: one row of nine.
        {"grid_cr_only.txt", 1, nullptr},
        {"header_huge_height.txt", 0, "invalid problem data.\n"},
        {"header_negative_height.txt", 0, "invalid problem data.\n"},
        {"header_negative_width.txt", 0, "invalid problem data.\n"},
        {"header_cut_short.txt", 0, "invalid problem data.\n"},
        {"compact_nul_in_row.txt", 1, nullptr},
        {"compact_blank_lines_no_final_newline.txt", 2, nullptr},
    };
    for (const Case& c : cases) {
        const FuzzRun run = solveFuzzInput(seed(c.file));
        EXPECT_EQ(run.violation, "") << c.file;
        EXPECT_EQ(run.problemsRead, c.read) << c.file;
        if (c.output != nullptr) {
            EXPECT_EQ(run.output, c.output) << c.file;
        }
    }
    // The NUL byte is ignored like any other character, so the 2 x 2 problem reads whole.
    EXPECT_EQ(solveFuzzInput(seed("compact_nul_in_row.txt")).output, twoByTwo);
    EXPECT_EQ(solveFuzzInput(seed("compact_blank_lines_no_final_newline.txt")).output,
              twoByTwo + twoByTwo);
}

TEST(FuzzReplay, LargeInputsAreRefusedOrReadWithoutHarm) {
    // A 1 MB line is one row of a million cells: far beyond the labels.
    FuzzRun run = solveFuzzInput(std::string(1 << 20, '.'));
    EXPECT_EQ(run.violation, "");
    EXPECT_EQ(run.output, "problem too large.\n");

    // 182 x 182 = 33124 padded cells is over the limit, 181 x 181 = 32761 within it, as are
    // 10922 x 3 = 32766 and 10923 x 3 = 32769 for a single row.
    for (const auto& [height, width, fits] :
         {std::tuple{180, 180, false}, {179, 179, true}, {1, 10921, false}, {1, 10920, true}}) {
        run = solveFuzzInput(emptyBoard(height, width));
        EXPECT_EQ(run.violation, "") << height << " x " << width;
        EXPECT_EQ(run.problemsRead, 1) << height << " x " << width;
        // Boards within the limit are beyond the fuzz cap, so nothing is printed for them.
        EXPECT_EQ(run.output, fits ? "" : "problem too large.\n") << height << " x " << width;
    }
}

}  // namespace
}  // namespace varnel::fuzz
