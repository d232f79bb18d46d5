#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "solver/side_grid.h"

namespace varnel {

// Problems drawn as SVG in a print style: a small dot at every grid point, clue digits centred in
// their cells, and, when an answer is given, the loop as thick lines. Lengths are in millimetres
// (the documents carry width and height in mm), so a page prints at its true size. Every document
// is standalone UTF-8 XML with a white background.

// One problem of a sheet.
struct SvgProblem {
    const uint8_t* grid = nullptr;    // W x H bytes, row-major, 0..3 a clue, anything else none
    int32_t width = 0;                // W, at least 1
    int32_t height = 0;               // H, at least 1
    const uint8_t* inside = nullptr;  // the answer as CellColours (nonzero inside), or null
    std::string_view title;           // caption above the problem, plain UTF-8; empty for none
};

// A board being solved, such as one stage of a walkthrough: the problem with the state of each
// side instead of an answer, and a note under it.
struct SvgStage {
    SvgProblem problem;                // the clues and the caption; its inside is not drawn
    const SideState* sides = nullptr;  // sideCount(W, H) states: a line for each side ON, a small
                                       // cross for each side OFF
    const uint8_t* marked = nullptr;   // nonzero for a side drawn in a second colour (one just
                                       // decided); null for none
    std::string_view note;             // text set small under the board, wrapped to its width (at
                                       // most 6 lines); empty for none
};

// Side of a cell in a standalone picture, in mm.
inline constexpr double PICTURE_CELL_MM = 8.0;

// An A4 page in portrait, in mm, and the margin kept free on every side.
inline constexpr double SHEET_WIDTH_MM = 210.0;
inline constexpr double SHEET_HEIGHT_MM = 297.0;
inline constexpr double SHEET_MARGIN_MM = 15.0;

// Problems on one sheet unless the caller asks for another count.
inline constexpr int32_t SHEET_PROBLEMS = 6;

// Appends one SVG document holding one problem, with title (when not empty) as a caption above
// it and as the document's <title>. A side is on the loop exactly when the cells beside it
// differ, cells beyond the grid counting as outside. Nothing is appended when W or H is not
// positive.
void appendSvgPicture(const SvgProblem& problem, std::string& out);

// Appends one SVG document holding the given problems side by side, left to right, each as
// appendSvgPicture draws it with its caption above it (all at the top when any has one), such as
// two answers of one problem; title, when not empty, is the document's <title>. Problems whose W
// or H is not positive are left out; nothing is appended when none is left.
void appendSvgPictures(std::span<const SvgProblem> problems, std::string_view title,
                       std::string& out);

// Appends one SVG document of one A4 page holding the given problems, each with its caption. The
// problems are laid out in the arrangement of columns and rows that gives the largest cells, all
// problems of the page at the same scale (cells at most 10 mm). footer, when not empty, is set
// small at the bottom of the page. Problems whose W or H is not positive are left out. Meant for
// a handful of problems (SHEET_PROBLEMS by default): false, with nothing appended, when so many
// are given that no arrangement leaves room for them.
bool appendSvgSheet(std::span<const SvgProblem> problems, std::string_view footer,
                    std::string& out);

// appendSvgPicture and appendSvgSheet for boards being solved.
void appendSvgStagePicture(const SvgStage& stage, std::string& out);
bool appendSvgStageSheet(std::span<const SvgStage> stages, std::string_view footer,
                         std::string& out);

// Appends text with the XML special characters escaped, control characters other than tab and
// newline left out and bytes that are not valid UTF-8 replaced by '?', so that the result is
// always well-formed character data.
void appendXmlText(std::string_view text, std::string& out);

}  // namespace varnel
