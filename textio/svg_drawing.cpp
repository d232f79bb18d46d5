#include "textio/svg_drawing.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstddef>
#include <vector>

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
// A board being solved: the half-width of a cross, in cells, and the colours of the crosses and
// of the sides drawn in the second colour.
constexpr double CROSS_SIZE = 0.1;
constexpr const char* CROSS_COLOUR = "#808080";
constexpr const char* MARK_COLOUR = "#d9480f";

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
// Notes under the problems of a sheet, in mm, and under a picture, in cells; at most so many
// lines, the rest cut with an ellipsis.
constexpr double SHEET_NOTE_SIZE = 2.8;
constexpr double PICTURE_NOTE_SIZE = 0.35;
constexpr double NOTE_LINE_HEIGHT = 1.3;  // in font sizes
constexpr size_t NOTE_LINES = 6;
// Average width of a character of the sans-serif font, in font sizes, for wrapping notes.
constexpr double CHARACTER_WIDTH = 0.55;

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

// Appends a subpath from (x1, y1) to (x2, y2).
void appendSegment(double x1, double y1, double x2, double y2, std::string& path) {
    path += 'M';
    appendNumber(x1, path);
    path += ' ';
    appendNumber(y1, path);
    path += 'L';
    appendNumber(x2, path);
    path += ' ';
    appendNumber(y2, path);
}

void appendStroke(const std::string& path, const char* colour, double width, std::string& out) {
    if (path.empty()) return;
    out += "<path fill=\"none\" stroke=\"";
    out += colour;
    out += "\" stroke-linecap=\"round\"";
    appendAttribute("stroke-width", width, out);
    out += " d=\"";
    out += path;
    out += "\"/>\n";
}

// A board being solved: each line as a segment, each cross as a small x at its side's middle;
// marked sides in the second colour.
void appendSides(const SvgStage& stage, double left, double top, double cell, std::string& out) {
    const SvgProblem& p = stage.problem;
    std::string lines[2];    // unmarked, marked
    std::string crosses[2];  // unmarked, marked
    const int32_t count = sideCount(p.width, p.height);
    const double arm = CROSS_SIZE * cell;
    for (int32_t side = 0; side < count; ++side) {
        const SideState state = stage.sides[side];
        if (state == SideState::OPEN) continue;
        const int mark = stage.marked != nullptr && stage.marked[side] != 0 ? 1 : 0;
        const SidePlace place = sidePlace(p.width, p.height, side);
        const double x1 = left + place.x * cell;
        const double y1 = top + place.y * cell;
        const double x2 = place.horizontal ? x1 + cell : x1;
        const double y2 = place.horizontal ? y1 : y1 + cell;
        if (state == SideState::ON) {
            appendSegment(x1, y1, x2, y2, lines[mark]);
            continue;
        }
        const double cx = (x1 + x2) / 2;
        const double cy = (y1 + y2) / 2;
        appendSegment(cx - arm, cy - arm, cx + arm, cy + arm, crosses[mark]);
        appendSegment(cx - arm, cy + arm, cx + arm, cy - arm, crosses[mark]);
    }
    appendStroke(crosses[0], CROSS_COLOUR, LOOP_WIDTH * cell / 3, out);
    appendStroke(crosses[1], MARK_COLOUR, LOOP_WIDTH * cell / 2, out);
    appendStroke(lines[0], "black", LOOP_WIDTH * cell, out);
    appendStroke(lines[1], MARK_COLOUR, LOOP_WIDTH * cell, out);
}

// One problem with grid point (0, 0) at (left, top) and cells of side cell.
void appendProblem(const SvgStage& stage, double left, double top, double cell, std::string& out) {
    const SvgProblem& p = stage.problem;
    if (stage.sides != nullptr) {
        appendSides(stage, left, top, cell, out);
    } else {
        appendLoop(p, left, top, cell, out);
    }

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

// The bytes of text up to its character limit, counting a UTF-8 sequence as one character.
size_t characters(std::string_view text) {
    size_t count = 0;
    for (const char c : text)
        count += (static_cast<uint8_t>(c) & 0xC0u) != 0x80u;
    return count;
}

// A note broken at spaces into lines of at most width characters (a longer word gets a line of
// its own), at most NOTE_LINES of them, the last ending in an ellipsis when text goes on.
std::vector<std::string_view> wrapped(std::string_view text, size_t width) {
    std::vector<std::string_view> lines;
    width = std::max<size_t>(width, 8);
    while (!text.empty()) {
        while (!text.empty() && text.front() == ' ')
            text.remove_prefix(1);
        if (text.empty()) break;
        size_t end = text.size();
        if (characters(text) > width) {
            // The last space that leaves at most width characters on the line.
            size_t cut = std::string_view::npos;
            size_t counted = 0;
            for (size_t i = 0; i < text.size() && counted <= width; ++i) {
                if (text[i] == ' ') cut = i;
                counted += (static_cast<uint8_t>(text[i]) & 0xC0u) != 0x80u;
            }
            end = cut == std::string_view::npos ? text.find(' ') : cut;
            if (end == std::string_view::npos) end = text.size();
        }
        lines.push_back(text.substr(0, end));
        text.remove_prefix(end);
    }
    return lines;
}

// How many lines a note takes at a width of so many mm and a font of size mm.
size_t noteLines(std::string_view note, double width, double size) {
    if (note.empty()) return 0;
    const size_t lines =
        wrapped(note, static_cast<size_t>(width / (CHARACTER_WIDTH * size))).size();
    return std::min(lines, NOTE_LINES);
}

// The note, wrapped to width and centred on x, its first baseline at y.
void appendNote(std::string_view note, double x, double y, double width, double size,
                std::string& out) {
    const std::vector<std::string_view> lines =
        wrapped(note, static_cast<size_t>(width / (CHARACTER_WIDTH * size)));
    for (size_t i = 0; i < lines.size() && i < NOTE_LINES; ++i) {
        std::string line(lines[i]);
        if (i + 1 == NOTE_LINES && lines.size() > NOTE_LINES) line += " \u2026";
        appendCaption(line, x, y + static_cast<double>(i) * NOTE_LINE_HEIGHT * size, size, "black",
                      out);
    }
}

// The side of the cells that lets every problem fit a slot of slotWidth x gridHeight mm.
double fittingCell(std::span<const SvgStage> stages, double slotWidth, double gridHeight) {
    double cell = SHEET_MAX_CELL;
    for (const SvgStage& stage : stages) {
        const SvgProblem& p = stage.problem;
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
    double noteBand = 0;    // mm below each problem for its note; 0 when none has one
};

// The room the longest note of a sheet takes below its problem, in slots of slotWidth mm.
double noteBandOf(std::span<const SvgStage> stages, double slotWidth) {
    size_t lines = 0;
    for (const SvgStage& s : stages) {
        if (drawable(s.problem))
            lines = std::max(lines, noteLines(s.note, slotWidth, SHEET_NOTE_SIZE));
    }
    return static_cast<double>(lines) * NOTE_LINE_HEIGHT * SHEET_NOTE_SIZE;
}

SheetLayout chooseLayout(std::span<const SvgStage> problems, double areaWidth, double areaHeight) {
    const int32_t count = static_cast<int32_t>(problems.size());
    SheetLayout best;
    for (int32_t columns = 1; columns <= count; ++columns) {
        const int32_t rows = (count + columns - 1) / columns;
        const double slotWidth = (areaWidth - (columns - 1) * SHEET_GAP) / columns;
        const double slotHeight = (areaHeight - (rows - 1) * SHEET_GAP) / rows;
        if (slotWidth <= 0) continue;
        const double noteBand = noteBandOf(problems, slotWidth);
        if (slotHeight <= SHEET_CAPTION_BAND + noteBand) continue;
        const double cell =
            fittingCell(problems, slotWidth, slotHeight - SHEET_CAPTION_BAND - noteBand);
        if (cell > best.cell) best = {columns, slotWidth, slotHeight, cell, noteBand};
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

namespace {

// Problems as stages without sides, drawn as the problems they are.
std::vector<SvgStage> stagesOf(std::span<const SvgProblem> problems) {
    std::vector<SvgStage> stages;
    stages.reserve(problems.size());
    for (const SvgProblem& p : problems) {
        SvgStage stage;
        stage.problem = p;
        stages.push_back(stage);
    }
    return stages;
}

void appendPictures(std::span<const SvgStage> stages, std::string_view title, std::string& out) {
    const double cell = PICTURE_CELL_MM;
    bool captioned = false;
    double width = 0;
    double gridHeight = 0;
    for (const SvgStage& stage : stages) {
        const SvgProblem& p = stage.problem;
        if (!drawable(p)) continue;
        captioned = captioned || !p.title.empty();
        width += (p.width + 2 * PICTURE_MARGIN) * cell;
        gridHeight = std::max(gridHeight, (p.height + 2 * PICTURE_MARGIN) * cell);
    }
    if (width == 0) return;
    const double band = captioned ? PICTURE_CAPTION_BAND * cell : 0.0;
    const double noteSize = PICTURE_NOTE_SIZE * cell;
    size_t lines = 0;
    for (const SvgStage& stage : stages) {
        const SvgProblem& p = stage.problem;
        if (!drawable(p)) continue;
        lines =
            std::max(lines, noteLines(stage.note, (p.width + 2 * PICTURE_MARGIN) * cell, noteSize));
    }
    const double noteBand = static_cast<double>(lines) * NOTE_LINE_HEIGHT * noteSize;

    appendDocumentStart(width, gridHeight + band + noteBand, out);
    if (!title.empty()) {
        out += "<title>";
        appendXmlText(title, out);
        out += "</title>\n";
    }
    appendBackground(out);
    double left = 0;
    for (const SvgStage& stage : stages) {
        const SvgProblem& p = stage.problem;
        if (!drawable(p)) continue;
        const double pictureWidth = (p.width + 2 * PICTURE_MARGIN) * cell;
        if (!p.title.empty()) {
            appendCaption(p.title, left + pictureWidth / 2, PICTURE_MARGIN * cell + 0.55 * cell,
                          PICTURE_CAPTION_SIZE * cell, "black", out);
        }
        appendProblem(stage, left + PICTURE_MARGIN * cell, PICTURE_MARGIN * cell + band, cell, out);
        if (!stage.note.empty()) {
            appendNote(stage.note, left + pictureWidth / 2, band + gridHeight + 0.2 * cell,
                       pictureWidth, noteSize, out);
        }
        left += pictureWidth;
    }
    out += "</svg>\n";
}

bool appendSheet(std::span<const SvgStage> problems, std::string_view footer, std::string& out) {
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
    for (const SvgStage& stage : problems) {
        const SvgProblem& p = stage.problem;
        if (!drawable(p)) continue;
        blockHeight = std::max(blockHeight, (p.height + 2 * FRAME_PAD) * layout.cell);
    }
    const double blockDrop =
        (layout.slotHeight - SHEET_CAPTION_BAND - layout.noteBand - blockHeight) / 2;

    appendDocumentStart(SHEET_WIDTH_MM, SHEET_HEIGHT_MM, out);
    appendBackground(out);
    for (size_t i = 0; i < problems.size(); ++i) {
        const SvgProblem& p = problems[i].problem;
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
        appendProblem(problems[i], gridLeft, gridTop, layout.cell, out);
        if (!problems[i].note.empty()) {
            appendNote(problems[i].note, centre,
                       gridTop + (p.height + FRAME_PAD) * layout.cell + SHEET_NOTE_SIZE * 1.2,
                       layout.slotWidth, SHEET_NOTE_SIZE, out);
        }
    }
    if (!footer.empty()) {
        appendCaption(footer, SHEET_WIDTH_MM / 2, SHEET_HEIGHT_MM - SHEET_MARGIN_MM,
                      SHEET_FOOTER_SIZE, "#555555", out);
    }
    out += "</svg>\n";
    return true;
}

}  // namespace

void appendSvgPicture(const SvgProblem& problem, std::string& out) {
    appendSvgPictures({&problem, 1}, problem.title, out);
}

void appendSvgPictures(std::span<const SvgProblem> problems, std::string_view title,
                       std::string& out) {
    appendPictures(stagesOf(problems), title, out);
}

bool appendSvgSheet(std::span<const SvgProblem> problems, std::string_view footer,
                    std::string& out) {
    return appendSheet(stagesOf(problems), footer, out);
}

void appendSvgStagePicture(const SvgStage& stage, std::string& out) {
    appendPictures({&stage, 1}, stage.problem.title, out);
}

bool appendSvgStageSheet(std::span<const SvgStage> stages, std::string_view footer,
                         std::string& out) {
    return appendSheet(stages, footer, out);
}

}  // namespace varnel
