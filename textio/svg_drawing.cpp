#include "textio/svg_drawing.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstddef>

namespace varnel {

namespace {

// Proportions of a problem's drawing to its cell side, chosen on printed A4 pages: the dots just
// visible, the loop clearly heavier than anything else, the digits large but clear of the loop.
constexpr double DOT_RADIUS = 0.07;
constexpr double LOOP_WIDTH = 0.15;
constexpr double DIGIT_SIZE = 0.64;
// Baseline of a digit below its cell's centre, in font sizes: half the height of a sans-serif
// digit, so that digits look centred without relying on the renderer's baseline support.
constexpr double DIGIT_DROP = 0.36;
// Room kept around the outer grid lines, in cells, for the loop's round caps and the dots.
constexpr double FRAME_PAD = 0.2;

// A standalone picture: the margin around the grid and the caption band, in cells.
constexpr double PICTURE_MARGIN = 0.5;
constexpr double PICTURE_CAPTION_BAND = 1.0;
constexpr double PICTURE_CAPTION_SIZE = 0.5;

// A sheet, in mm.
constexpr double SHEET_MAX_CELL = 10.0;
constexpr double SHEET_GAP = 8.0;
constexpr double SHEET_CAPTION_BAND = 8.0;
constexpr double SHEET_CAPTION_SIZE = 4.2;
constexpr double SHEET_FOOTER_BAND = 6.0;
constexpr double SHEET_FOOTER_SIZE = 3.0;

constexpr const char* FONT_FAMILY = "DejaVu Sans, Helvetica, Arial, sans-serif";

// A length or coordinate with at most two decimals, trailing zeros dropped; independent of the
// locale.
void appendNumber(double value, std::string& out) {
    const double rounded = std::round(value * 100.0) / 100.0;
    std::array<char, 32> buffer{};
    auto [end, error] = std::to_chars(buffer.data(), buffer.data() + buffer.size(), rounded + 0.0,
                                      std::chars_format::fixed, 2);
    if (error != std::errc()) {
        out += '0';
        return;
    }
    std::string_view text(buffer.data(), static_cast<size_t>(end - buffer.data()));
    while (text.back() == '0')
        text.remove_suffix(1);
    if (text.back() == '.') text.remove_suffix(1);
    if (text == "-0") text = "0";
    out += text;
}

void appendAttribute(const char* name, double value, std::string& out) {
    out += ' ';
    out += name;
    out += "=\"";
    appendNumber(value, out);
    out += '"';
}

// The XML declaration and the opening <svg> tag of a document of width x height mm, with a white
// background.
void appendDocumentStart(double width, double height, std::string& out) {
    out += "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
    out += "<svg xmlns=\"http://www.w3.org/2000/svg\" version=\"1.1\" width=\"";
    appendNumber(width, out);
    out += "mm\" height=\"";
    appendNumber(height, out);
    out += "mm\" viewBox=\"0 0 ";
    appendNumber(width, out);
    out += ' ';
    appendNumber(height, out);
    out += "\">\n";
}

void appendBackground(std::string& out) {
    out += "<rect width=\"100%\" height=\"100%\" fill=\"white\"/>\n";
}

// A line of text centred on x with its baseline at y.
void appendCaption(std::string_view text, double x, double y, double size, const char* colour,
                   std::string& out) {
    out += "<text";
    appendAttribute("x", x, out);
    appendAttribute("y", y, out);
    appendAttribute("font-size", size, out);
    out += " font-family=\"";
    out += FONT_FAMILY;
    out += "\" text-anchor=\"middle\" fill=\"";
    out += colour;
    out += "\">";
    appendXmlText(text, out);
    out += "</text>\n";
}

// Cell (x, y) is inside the loop; cells beyond the grid and every cell without an answer are
// outside.
bool insideAt(const SvgProblem& p, int32_t x, int32_t y) {
    if (p.inside == nullptr || x < 0 || y < 0 || x >= p.width || y >= p.height) return false;
    return p.inside[static_cast<size_t>(y) * p.width + x] != 0;
}

// The loop as one path: each maximal straight run of loop sides is one subpath, so that a corner
// is where two runs meet and their round caps close it.
void appendLoop(const SvgProblem& p, double left, double top, double cell, std::string& out) {
    std::string path;
    for (int32_t y = 0; y <= p.height; ++y) {
        for (int32_t x = 0; x < p.width;) {
            if (insideAt(p, x, y - 1) == insideAt(p, x, y)) {
                ++x;
                continue;
            }
            const int32_t start = x;
            while (x < p.width && insideAt(p, x, y - 1) != insideAt(p, x, y))
                ++x;
            path += 'M';
            appendNumber(left + start * cell, path);
            path += ' ';
            appendNumber(top + y * cell, path);
            path += 'H';
            appendNumber(left + x * cell, path);
        }
    }
    for (int32_t x = 0; x <= p.width; ++x) {
        for (int32_t y = 0; y < p.height;) {
            if (insideAt(p, x - 1, y) == insideAt(p, x, y)) {
                ++y;
                continue;
            }
            const int32_t start = y;
            while (y < p.height && insideAt(p, x - 1, y) != insideAt(p, x, y))
                ++y;
            path += 'M';
            appendNumber(left + x * cell, path);
            path += ' ';
            appendNumber(top + start * cell, path);
            path += 'V';
            appendNumber(top + y * cell, path);
        }
    }
    if (path.empty()) return;
    out +=
        "<path fill=\"none\" stroke=\"black\" stroke-linecap=\"round\" "
        "stroke-linejoin=\"round\"";
    appendAttribute("stroke-width", LOOP_WIDTH * cell, out);
    out += " d=\"";
    out += path;
    out += "\"/>\n";
}

// One problem with grid point (0, 0) at (left, top) and cells of side cell.
void appendProblem(const SvgProblem& p, double left, double top, double cell, std::string& out) {
    appendLoop(p, left, top, cell, out);

    out += "<g fill=\"black\">\n";
    for (int32_t y = 0; y <= p.height; ++y) {
        for (int32_t x = 0; x <= p.width; ++x) {
            out += "<circle";
            appendAttribute("cx", left + x * cell, out);
            appendAttribute("cy", top + y * cell, out);
            appendAttribute("r", DOT_RADIUS * cell, out);
            out += "/>\n";
        }
    }
    out += "</g>\n";

    const double digitSize = DIGIT_SIZE * cell;
    out += "<g font-family=\"";
    out += FONT_FAMILY;
    out += "\" text-anchor=\"middle\" fill=\"black\"";
    appendAttribute("font-size", digitSize, out);
    out += ">\n";
    for (int32_t y = 0; y < p.height; ++y) {
        for (int32_t x = 0; x < p.width; ++x) {
            const uint8_t clue = p.grid[static_cast<size_t>(y) * p.width + x];
            if (clue > 3) continue;
            out += "<text";
            appendAttribute("x", left + (x + 0.5) * cell, out);
            appendAttribute("y", top + (y + 0.5) * cell + DIGIT_DROP * digitSize, out);
            out += '>';
            out += static_cast<char>('0' + clue);
            out += "</text>\n";
        }
    }
    out += "</g>\n";
}

bool drawable(const SvgProblem& p) {
    return p.grid != nullptr && p.width > 0 && p.height > 0;
}

// The side of the cells that lets every problem fit a slot of slotWidth x gridHeight mm.
double fittingCell(std::span<const SvgProblem> problems, double slotWidth, double gridHeight) {
    double cell = SHEET_MAX_CELL;
    for (const SvgProblem& p : problems) {
        if (!drawable(p)) continue;
        cell = std::min(cell, slotWidth / (p.width + 2 * FRAME_PAD));
        cell = std::min(cell, gridHeight / (p.height + 2 * FRAME_PAD));
    }
    return cell;
}

// How the problems of a sheet are arranged.
struct SheetLayout {
    int32_t columns = 1;
    double slotWidth = 0;   // mm
    double slotHeight = 0;  // mm, caption band included
    double cell = 0;        // mm, the same for every problem
};

SheetLayout chooseLayout(std::span<const SvgProblem> problems, double areaWidth,
                         double areaHeight) {
    const int32_t count = static_cast<int32_t>(problems.size());
    SheetLayout best;
    for (int32_t columns = 1; columns <= count; ++columns) {
        const int32_t rows = (count + columns - 1) / columns;
        const double slotWidth = (areaWidth - (columns - 1) * SHEET_GAP) / columns;
        const double slotHeight = (areaHeight - (rows - 1) * SHEET_GAP) / rows;
        if (slotWidth <= 0 || slotHeight <= SHEET_CAPTION_BAND) continue;
        const double cell = fittingCell(problems, slotWidth, slotHeight - SHEET_CAPTION_BAND);
        if (cell > best.cell) best = {columns, slotWidth, slotHeight, cell};
    }
    return best;
}

// Length of the valid UTF-8 sequence at the start of text, or 0 when it is not one.
size_t utf8SequenceLength(std::string_view text) {
    const auto lead = static_cast<uint8_t>(text[0]);
    size_t length = 0;
    uint32_t code = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        code = lead & 0x1Fu;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        code = lead & 0x0Fu;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        code = lead & 0x07u;
    } else {
        return 0;
    }
    if (text.size() < length) return 0;
    for (size_t i = 1; i < length; ++i) {
        const auto next = static_cast<uint8_t>(text[i]);
        if ((next & 0xC0u) != 0x80u) return 0;
        code = (code << 6) | (next & 0x3Fu);
    }
    // Overlong forms, surrogates, values past U+10FFFF and the two non-characters XML forbids.
    const uint32_t smallest[5] = {0, 0, 0x80, 0x800, 0x10000};
    if (code < smallest[length] || (code >= 0xD800 && code <= 0xDFFF) || code > 0x10FFFF ||
        code == 0xFFFE || code == 0xFFFF) {
        return 0;
    }
    return length;
}

}  // namespace

void appendXmlText(std::string_view text, std::string& out) {
    while (!text.empty()) {
        const auto byte = static_cast<uint8_t>(text[0]);
        size_t used = 1;
        if (byte == '&') {
            out += "&amp;";
        } else if (byte == '<') {
            out += "&lt;";
        } else if (byte == '>') {
            out += "&gt;";
        } else if (byte == '"') {
            out += "&quot;";
        } else if (byte == '\'') {
            out += "&apos;";
        } else if (byte < 0x20 || byte == 0x7F) {
            if (byte == '\t' || byte == '\n') out += static_cast<char>(byte);
        } else if (byte < 0x80) {
            out += static_cast<char>(byte);
        } else if (const size_t length = utf8SequenceLength(text); length > 0) {
            out += text.substr(0, length);
            used = length;
        } else {
            out += '?';
        }
        text.remove_prefix(used);
    }
}

void appendSvgPicture(const SvgProblem& problem, std::string& out) {
    appendSvgPictures({&problem, 1}, problem.title, out);
}

void appendSvgPictures(std::span<const SvgProblem> problems, std::string_view title,
                       std::string& out) {
    const double cell = PICTURE_CELL_MM;
    bool captioned = false;
    double width = 0;
    double gridHeight = 0;
    for (const SvgProblem& p : problems) {
        if (!drawable(p)) continue;
        captioned = captioned || !p.title.empty();
        width += (p.width + 2 * PICTURE_MARGIN) * cell;
        gridHeight = std::max(gridHeight, (p.height + 2 * PICTURE_MARGIN) * cell);
    }
    if (width == 0) return;
    const double band = captioned ? PICTURE_CAPTION_BAND * cell : 0.0;

    appendDocumentStart(width, gridHeight + band, out);
    if (!title.empty()) {
        out += "<title>";
        appendXmlText(title, out);
        out += "</title>\n";
    }
    appendBackground(out);
    double left = 0;
    for (const SvgProblem& p : problems) {
        if (!drawable(p)) continue;
        const double pictureWidth = (p.width + 2 * PICTURE_MARGIN) * cell;
        if (!p.title.empty()) {
            appendCaption(p.title, left + pictureWidth / 2, PICTURE_MARGIN * cell + 0.55 * cell,
                          PICTURE_CAPTION_SIZE * cell, "black", out);
        }
        appendProblem(p, left + PICTURE_MARGIN * cell, PICTURE_MARGIN * cell + band, cell, out);
        left += pictureWidth;
    }
    out += "</svg>\n";
}

bool appendSvgSheet(std::span<const SvgProblem> problems, std::string_view footer,
                    std::string& out) {
    const double areaLeft = SHEET_MARGIN_MM;
    const double areaTop = SHEET_MARGIN_MM;
    const double areaWidth = SHEET_WIDTH_MM - 2 * SHEET_MARGIN_MM;
    const double areaHeight =
        SHEET_HEIGHT_MM - 2 * SHEET_MARGIN_MM - (footer.empty() ? 0.0 : SHEET_FOOTER_BAND);

    const SheetLayout layout = chooseLayout(problems, areaWidth, areaHeight);
    if (!problems.empty() && layout.cell <= 0) return false;

    // The tallest problem decides where captions go, so that the captions of a row line up and
    // every block sits in the middle of its slot.
    double blockHeight = 0;
    for (const SvgProblem& p : problems) {
        if (!drawable(p)) continue;
        blockHeight = std::max(blockHeight, (p.height + 2 * FRAME_PAD) * layout.cell);
    }
    const double blockDrop = (layout.slotHeight - SHEET_CAPTION_BAND - blockHeight) / 2;

    appendDocumentStart(SHEET_WIDTH_MM, SHEET_HEIGHT_MM, out);
    appendBackground(out);
    for (size_t i = 0; i < problems.size(); ++i) {
        const SvgProblem& p = problems[i];
        if (!drawable(p)) continue;
        const int32_t column = static_cast<int32_t>(i) % layout.columns;
        const int32_t row = static_cast<int32_t>(i) / layout.columns;
        const double slotLeft = areaLeft + column * (layout.slotWidth + SHEET_GAP);
        const double slotTop = areaTop + row * (layout.slotHeight + SHEET_GAP) + blockDrop;
        const double centre = slotLeft + layout.slotWidth / 2;
        if (!p.title.empty()) {
            appendCaption(p.title, centre, slotTop + SHEET_CAPTION_SIZE, SHEET_CAPTION_SIZE,
                          "black", out);
        }
        const double gridLeft = centre - p.width * layout.cell / 2;
        const double gridTop = slotTop + SHEET_CAPTION_BAND + FRAME_PAD * layout.cell;
        appendProblem(p, gridLeft, gridTop, layout.cell, out);
    }
    if (!footer.empty()) {
        appendCaption(footer, SHEET_WIDTH_MM / 2, SHEET_HEIGHT_MM - SHEET_MARGIN_MM,
                      SHEET_FOOTER_SIZE, "#555555", out);
    }
    out += "</svg>\n";
    return true;
}

}  // namespace varnel
