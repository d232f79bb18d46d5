// Replays the formats fuzz target's inputs as ordinary tests: the hand-written hostile seeds, the
// kept corpus and the regressions (inputs that once broke something), plus large hostile inputs
// generated here rather than kept as files. Every input must keep the target's invariants; the
// seeds also have their outcome checked.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "tests/fuzz/formats_input.h"
#include "tests/support/text_file.h"

namespace varnel::fuzz {
namespace {

using varnel::testing_support::readTextFile;

namespace fs = std::filesystem;

TEST(FormatsFuzzReplay, KeptInputsKeepEveryInvariant) {
    int replayed = 0;
    for (const char* folder : {"formats_seeds", "formats_corpus", "formats_regressions"}) {
        const fs::path dir = fs::path(VARNEL_TEST_DATA) / "fuzz" / folder;
        if (!fs::is_directory(dir)) continue;
        for (const auto& entry : fs::directory_iterator(dir)) {
            const FormatsRun run = formatsFuzzInput(readTextFile(entry.path()));
            EXPECT_EQ(run.violation, "") << entry.path();
            ++replayed;
        }
    }
    EXPECT_GE(replayed, 13);
}

TEST(FormatsFuzzReplay, HostileSeedsHaveTheirOutcome) {
    const struct {
        const char* file;
        int32_t read;    // problems of the whole input
        int32_t errors;  // errors of the whole input
        bool literal;    // the bytes read as one argument
    } cases[] = {
        {"mixed_lines.txt", 4, 0, false},         {"grid_crlf_comments.txt", 1, 0, false},
        {"url_other_tools.txt", 3, 0, false},     {"url_bad_bodies.txt", 0, 5, false},
        {"url_hostile_sizes.txt", 1, 4, false},   {"id_seed_types_clues.txt", 1, 6, false},
        {"compact_bad_headers.txt", 0, 6, false}, {"grid_bom.txt", 0, 1, false},
        {"grid_two_grids.txt", 0, 1, false},      {"grid_comment_after_cells.txt", 0, 1, false},
        {"nul_bytes.bin", 0, 4, false},           {"literal_url.txt", 1, 0, true},
        {"literal_id.txt", 1, 0, true},
    };
    for (const auto& c : cases) {
        const FormatsRun run = formatsFuzzInput(
            readTextFile(fs::path(VARNEL_TEST_DATA) / "fuzz" / "formats_seeds" / c.file));
        EXPECT_EQ(run.violation, "") << c.file;
        EXPECT_EQ(run.problemsRead, c.read) << c.file;
        EXPECT_EQ(run.errors, c.errors) << c.file;
        EXPECT_EQ(run.literalRead, c.literal) << c.file;
    }
}

TEST(FormatsFuzzReplay, LargeInputsAreRefusedOrReadWithoutHarm) {
    const std::string mb(1 << 20, '.');
    const struct {
        std::string text;
        int32_t read;
    } cases[] = {
        {mb, 0},                                            // a grid row of a million cells
        {mb + "\n", 0},                                     // the same, closed
        {std::string(1 << 20, '\0'), 0},                    // NUL bytes
        {std::string(1 << 20, '\n'), 0},                    // a million blank lines
        {"p?slither/1/1/" + std::string(1 << 20, 'z'), 1},  // runs past the end are harmless
        {"p?slither/2/2/" + std::string(1 << 20, '0'), 0},  // clues past the end are not
        {"1x1t0:" + std::string(1 << 20, 'a'), 0},
        {"1/1/1/" + mb + "/", 0},
        {std::string(1 << 19, '\r') + "\n", 0},
    };
    for (const auto& c : cases) {
        const FormatsRun run = formatsFuzzInput(c.text);
        EXPECT_EQ(run.violation, "") << c.text.substr(0, 20);
        EXPECT_EQ(run.problemsRead, c.read) << c.text.substr(0, 20);
    }
    // Boards just within and just over the labels, in each one-line form and as a grid:
    // 179 x 179 is 32761 padded cells, 180 x 180 is 33124.
    for (const int side : {179, 180}) {
        const std::string size = std::to_string(side);
        std::string blankRows;
        for (int y = 0; y < side; ++y)
            blankRows += std::string(static_cast<size_t>(side), '.') + "/";
        std::string gridRows = blankRows;
        for (char& c : gridRows)
            c = c == '/' ? '\n' : c;
        for (const std::string& text :
             {"https://puzz.link/p?slither/" + size + "/" + size + "/zzzz",
              size + "x" + size + "t0:" + std::string(static_cast<size_t>(side * side / 26), 'z') +
                  std::string(1, static_cast<char>('a' + side * side % 26 - 1)),
              "1/" + size + "/" + size + "/" + blankRows, gridRows}) {
            const FormatsRun run = formatsFuzzInput(text);
            EXPECT_EQ(run.violation, "") << text.substr(0, 40);
            EXPECT_EQ(run.problemsRead, side == 179 ? 1 : 0) << text.substr(0, 40);
            EXPECT_EQ(run.errors, side == 179 ? 0 : 1) << text.substr(0, 40);
        }
    }
}

}  // namespace
}  // namespace varnel::fuzz
