#pragma once

// The names players read for the places of a board, as puzzle books count them: rows and
// columns from 1 at the top left.
//   - a cell: "r3c5" (row 3, column 5);
//   - a side: a cell and one of its sides, "r3c5 top" (top, right, bottom or left); a side
//     between two cells has two names, "r3c5 top" and "r2c5 bottom", and both are read;
//   - a grid point: a cell and one of its corners, "r3c5 top-left" (top-left, top-right,
//     bottom-right or bottom-left); a point has up to four names, all read.
// Sides and points are numbered as in solver/side_grid.h.

#include <cstdint>
#include <string>
#include <string_view>

namespace varnel {

// "r3c5" for cell (x, y) = (4, 2).
std::string cellName(int32_t x, int32_t y);

// The usual name of a side: by the cell below it or right of it, except on the bottom and right
// edges of the board, where there is none ("r3c5 top", "r10c5 bottom").
std::string sideName(int32_t width, int32_t height, int32_t side);

// The name of a side as a side of cell (x, y), when it is one ("r2c5 bottom" rather than
// "r3c5 top" in a sentence about r2c5); otherwise its usual name.
std::string sideNameFrom(int32_t width, int32_t height, int32_t side, int32_t x, int32_t y);

// The usual name of point (px, py): as the top-left corner of the cell right below it, or, on
// the bottom and right edges, as a corner of the nearest cell ("r3c5 top-left").
std::string pointName(int32_t width, int32_t height, int32_t px, int32_t py);

// What a name names.
enum class PlaceKind : uint8_t { CELL, SIDE, POINT };

struct NamedPlace {
    PlaceKind kind = PlaceKind::CELL;
    int32_t x = 0;     // CELL: the cell's column; POINT: the point's column 0..W
    int32_t y = 0;     // CELL: the cell's row; POINT: the point's row 0..H
    int32_t side = 0;  // SIDE: the side's number
};

// Reads a cell, side or point name for a W x H board: "r3c5", "r3c5 top", "r3c5 top-left";
// letters in either case, any run of spaces or tabs between the cell and the rest. False, with
// error saying why ("row 12 is past the board's 10 rows"), when text names nothing on the board.
bool readPlaceName(std::string_view text, int32_t width, int32_t height, NamedPlace& place,
                   std::string& error);

}  // namespace varnel
