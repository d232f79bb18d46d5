#pragma once

// The words a walkthrough uses for the places of a board, as players read them (rows and columns
// from 1 at the top left, textio/side_names.h): cells "r3c5", sides "r3c5 top", points "r3c5
// top-left", and lists of them joined as a sentence joins them.

#include <cstdint>
#include <string>
#include <vector>

#include "ladder/board_layout.h"

namespace varnel {

// "r3c5".
std::string cellWord(const BoardLayout& layout, int32_t cell);

// "r3c5 top": the side's usual name, by the cell below or right of it.
std::string sideWord(const BoardLayout& layout, int32_t side);

// "r3c5 top-left": the point's usual name.
std::string pointWord(const BoardLayout& layout, int32_t point);

// Names of the given sides, "r3c5 top".
std::vector<std::string> sideWords(const BoardLayout& layout, const std::vector<int32_t>& sides);

// "top", "right", "bottom" or "left" when side is one of cell's sides; else empty.
std::string sideOfCell(const BoardLayout& layout, int32_t side, int32_t cell);

// "top-left", "top-right", "bottom-right", "bottom-left" for corner 0..3.
const char* cornerWord(int corner);

// "a 3", "a 0".
std::string clueWord(const BoardLayout& layout, int32_t cell);

// "a, b and c"; "a and b"; "a"; empty for none.
std::string joinedList(const std::vector<std::string>& words);

// Like joinedList, but with at most limit words: "a, b, c and 5 more".
std::string shortList(const std::vector<std::string>& words, size_t limit);

// "1 line", "3 lines", "2 crosses": count and the noun, plural when count is not 1.
std::string counted(size_t count, const char* noun);

}  // namespace varnel
