#pragma once

// Writing a puzzle in every form `varnel convert` writes, byte for byte as it writes one
// puzzle: compact lines, the grid form, puzz.link URLs, Loopy game IDs, ASCII drawings and SVG
// pictures, with answers drawn when given, and A4 sheets of several puzzles.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "varnel/answer.h"
#include "varnel/export.h"
#include "varnel/puzzle.h"

namespace varnel::api {

enum class Form : uint8_t {
    COMPACT,  // "LEVEL/H/W/rows.../" and a line end
    GRID,     // one row per line, '.' or the clue
    URL,      // "https://puzz.link/p?slither/W/H/BODY" and a line end
    LOOPY,    // "WxHt0:DESC" and a line end
    ASCII,    // a drawing with '+' grid points, followed by an empty line; once per answer drawn
    SVG,      // a standalone SVG document
};

// "compact", "grid", "url", "loopy", "ascii", "svg".
VARNEL_API const char* formName(Form form);

// The form of a name formName gives; false when name is none of them.
VARNEL_API bool formFromName(std::string_view name, Form& form);

struct WriteOptions {
    Form form = Form::COMPACT;
    int32_t level = 0;            // compact: the level written, 1..5; 0 for the puzzle's own, or
                                  // when it has none its grade (which can take long on a
                                  // puzzle with few clues)
    std::vector<Answer> answers;  // ascii, svg: the loops to draw: none for the clues alone,
                                  // one, or two (the puzzle drawn once with each)
    std::string title;            // svg: caption above the picture and the document's title;
                                  // empty for none
    std::vector<std::string> captions;  // svg with two answers: the caption of each picture
};

struct WriteResult {
    std::string text;   // the puzzle in the form asked for
    std::string error;  // why nothing was written; empty on success
};

// Writes one puzzle. To draw its answer, find it with check() (varnel/check.h) and pass it in
// options.answers.
VARNEL_API WriteResult writePuzzle(const Puzzle& puzzle, const WriteOptions& options);

// One place of an SVG sheet: a puzzle, the loops drawn in it and its caption.
struct SheetPlace {
    Puzzle puzzle;                      // the puzzle
    std::vector<Answer> answers;        // none, one, or two (the puzzle takes two places)
    std::string title;                  // its caption
    std::vector<std::string> captions;  // with two answers, the caption of each
};

// One A4 page in SVG holding the given puzzles (a handful: 6 by default in the tools, at most
// 12), laid out in the arrangement that gives the largest cells; footer, when not empty, set
// small at the bottom. An error when they do not fit on one page.
VARNEL_API WriteResult writeSvgSheet(const std::vector<SheetPlace>& places,
                                     std::string_view footer);

}  // namespace varnel::api
