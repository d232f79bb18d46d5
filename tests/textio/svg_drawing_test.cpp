#include "textio/svg_drawing.h"

#include <gtest/gtest.h>

#include <regex>
#include <string>
#include <vector>

#include "solver/clue_grid.h"

namespace varnel {
namespace {

int countOf(const std::string& text, const std::string& piece) {
    int count = 0;
    for (size_t at = text.find(piece); at != std::string::npos; at = text.find(piece, at + 1)) {
        ++count;
    }
    return count;
}

struct Dot {
    double x = 0;
    double y = 0;
};

std::vector<Dot> dotsOf(const std::string& svg) {
    static const std::regex circle("<circle cx=\"([0-9.]+)\" cy=\"([0-9.]+)\"");
    std::vector<Dot> dots;
    for (std::sregex_iterator it(svg.begin(), svg.end(), circle), end; it != end; ++it) {
        dots.push_back({std::stod((*it)[1]), std::stod((*it)[2])});
    }
    return dots;
}

TEST(SvgDrawing, EscapesTextIntoWellFormedCharacterData) {
    std::string out;
    appendXmlText("<a & 'b' \"c\">", out);
    EXPECT_EQ(out, "&lt;a &amp; &apos;b&apos; &quot;c&quot;&gt;");

    // Valid UTF-8 passes, control characters but tab and newline go, broken bytes become '?'
    // (a lone continuation byte, a truncated sequence, an overlong '/', a surrogate).
    out.clear();
    appendXmlText("\xc3\x97\t\x01\x7f\n\x80|\xe2\x82|\xc0\xaf|\xed\xa0\x80", out);
    EXPECT_EQ(out, "\xc3\x97\t\n?|??|??|???");
}

TEST(SvgDrawing, PictureOfTheTwoByTwoBoardWithItsLoop) {
    const uint8_t grid[4] = {2, 2, 2, NO_CLUE};
    const uint8_t inside[4] = {1, 1, 1, 1};
    std::string svg;
    appendSvgPicture({grid, 2, 2, inside, "No. 1 <small>"}, svg);

    EXPECT_EQ(svg.rfind("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<svg ", 0), 0u);
    EXPECT_EQ(svg.substr(svg.size() - 7), "</svg>\n");
    // 3 cells of 8 mm across and down, and a caption band of one cell.
    EXPECT_NE(svg.find("width=\"24mm\" height=\"32mm\" viewBox=\"0 0 24 32\""), std::string::npos);
    EXPECT_NE(svg.find("<title>No. 1 &lt;small&gt;</title>"), std::string::npos);
    EXPECT_EQ(dotsOf(svg).size(), 9u);
    EXPECT_EQ(countOf(svg, ">2</text>"), 3);
    // The loop around the whole board: two horizontal runs and two vertical ones, each two cells
    // long, from grid point (0, 0) at (4, 12).
    EXPECT_NE(svg.find(" d=\"M4 12H20M4 28H20M4 12V28M20 12V28\""), std::string::npos);

    // Without an answer and a title: no loop, no caption, the grid at the top margin.
    std::string plain;
    appendSvgPicture({grid, 2, 2, nullptr, ""}, plain);
    EXPECT_EQ(countOf(plain, "<path"), 0);
    EXPECT_EQ(countOf(plain, "<title>"), 0);
    EXPECT_NE(plain.find("height=\"24mm\""), std::string::npos);
    EXPECT_NE(plain.find("<circle cx=\"4\" cy=\"4\""), std::string::npos);

    std::string nothing;
    appendSvgPicture({grid, 0, 2, nullptr, ""}, nothing);
    EXPECT_EQ(nothing, "");
}

// Two answers of one problem side by side: one document twice as wide, each picture with its
// caption and its own loop; a row of one is exactly the single picture.
TEST(SvgDrawing, PicturesSideBySideInOneDocument) {
    const uint8_t grid[4] = {NO_CLUE, NO_CLUE, NO_CLUE, NO_CLUE};
    const uint8_t whole[4] = {1, 1, 1, 1};
    const uint8_t corner[4] = {1, 0, 0, 0};
    const SvgProblem pair[2] = {{grid, 2, 2, whole, "No. 1a"}, {grid, 2, 2, corner, "No. 1b"}};
    std::string svg;
    appendSvgPictures(pair, "No. 1", svg);

    EXPECT_EQ(countOf(svg, "<?xml"), 1);
    EXPECT_NE(svg.find("width=\"48mm\" height=\"32mm\""), std::string::npos);
    EXPECT_NE(svg.find("<title>No. 1</title>"), std::string::npos);
    EXPECT_EQ(countOf(svg, ">No. 1a</text>") + countOf(svg, ">No. 1b</text>"), 2);
    EXPECT_EQ(dotsOf(svg).size(), 18u);
    // The second picture starts 24 mm to the right: its grid point (0, 0) is at (28, 12).
    EXPECT_NE(svg.find(" d=\"M4 12H20M4 28H20M4 12V28M20 12V28\""), std::string::npos);
    EXPECT_NE(svg.find(" d=\"M28 12H36M28 20H36M28 12V20M36 12V20\""), std::string::npos);

    std::string single;
    std::string row;
    appendSvgPicture(pair[0], single);
    appendSvgPictures({pair, 1}, pair[0].title, row);
    EXPECT_EQ(row, single);
}

// Problems of several shapes on one page: every one is drawn whole, inside the margins, apart
// from the others and all at the same scale.
TEST(SvgDrawing, SheetKeepsProblemsInsideTheMarginsAndApart) {
    const int32_t shapes[][2] = {{16, 12}, {10, 10}, {36, 20}, {20, 36}, {7, 7}, {25, 15}};
    std::vector<std::vector<uint8_t>> grids;
    std::vector<std::string> titles;
    for (const auto& shape : shapes) {
        grids.emplace_back(static_cast<size_t>(shape[0] * shape[1]), 1);
        titles.push_back(std::to_string(shape[0]) + " x " + std::to_string(shape[1]));
    }
    std::vector<SvgProblem> problems;
    for (size_t i = 0; i < grids.size(); ++i) {
        problems.push_back({grids[i].data(), shapes[i][0], shapes[i][1], nullptr, titles[i]});
    }
    std::string svg;
    ASSERT_TRUE(appendSvgSheet(problems, "page 1 of 2", svg));
    EXPECT_NE(svg.find("width=\"210mm\" height=\"297mm\""), std::string::npos);
    EXPECT_NE(svg.find(">page 1 of 2</text>"), std::string::npos);
    for (const std::string& title : titles)
        EXPECT_EQ(countOf(svg, ">" + title + "</text>"), 1);

    const std::vector<Dot> dots = dotsOf(svg);
    size_t first = 0;
    std::vector<Dot> low, high;  // each problem's corners
    for (const auto& shape : shapes) {
        const size_t count = static_cast<size_t>((shape[0] + 1) * (shape[1] + 1));
        ASSERT_LE(first + count, dots.size());
        const Dot a = dots[first];
        const Dot b = dots[first + count - 1];
        // One scale: the cell side is the same across and down, and for every problem.
        const double cell = (b.x - a.x) / shape[0];
        EXPECT_NEAR((b.y - a.y) / shape[1], cell, 0.02);
        EXPECT_NEAR(cell, (dots[1].x - dots[0].x), 0.02);
        EXPECT_GE(a.x, SHEET_MARGIN_MM);
        EXPECT_GE(a.y, SHEET_MARGIN_MM);
        EXPECT_LE(b.x, SHEET_WIDTH_MM - SHEET_MARGIN_MM);
        EXPECT_LE(b.y, SHEET_HEIGHT_MM - SHEET_MARGIN_MM);
        low.push_back(a);
        high.push_back(b);
        first += count;
    }
    EXPECT_EQ(first, dots.size());
    EXPECT_EQ(countOf(svg, ">1</text>"), 16 * 12 + 10 * 10 + 2 * 36 * 20 + 7 * 7 + 25 * 15);
    for (size_t i = 0; i < low.size(); ++i) {
        for (size_t j = i + 1; j < low.size(); ++j) {
            const bool apart = high[i].x < low[j].x || high[j].x < low[i].x ||
                               high[i].y < low[j].y || high[j].y < low[i].y;
            EXPECT_TRUE(apart) << "problems " << i << " and " << j << " overlap";
        }
    }

    // Far too many problems for one page: refused, nothing appended.
    const std::vector<SvgProblem> crowd(400, problems[0]);
    std::string refused;
    EXPECT_FALSE(appendSvgSheet(crowd, "", refused));
    EXPECT_EQ(refused, "");
}

}  // namespace
}  // namespace varnel
