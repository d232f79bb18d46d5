#include "explain/place_words.h"

#include "textio/side_names.h"

namespace varnel {

namespace {

const char* const SIDE_WORDS[4] = {"top", "right", "bottom", "left"};
const char* const CORNER_WORDS[4] = {"top-left", "top-right", "bottom-right", "bottom-left"};

}  // namespace

std::string cellWord(const BoardLayout& layout, int32_t cell) {
    return cellName(layout.cellX(cell), layout.cellY(cell));
}

std::string sideWord(const BoardLayout& layout, int32_t side) {
    return sideName(layout.width, layout.height, side);
}

std::string pointWord(const BoardLayout& layout, int32_t point) {
    return pointName(layout.width, layout.height, layout.pointX(point), layout.pointY(point));
}

std::vector<std::string> sideWords(const BoardLayout& layout, const std::vector<int32_t>& sides) {
    std::vector<std::string> words;
    words.reserve(sides.size());
    for (const int32_t s : sides)
        words.push_back(sideWord(layout, s));
    return words;
}

std::string sideOfCell(const BoardLayout& layout, int32_t side, int32_t cell) {
    for (int d = 0; d < 4; ++d) {
        if (layout.cellSides[cell][d] == side) return SIDE_WORDS[d];
    }
    return "";
}

const char* cornerWord(int corner) {
    return CORNER_WORDS[corner & 3];
}

std::string clueWord(const BoardLayout& layout, int32_t cell) {
    std::string word = "a ";
    word += static_cast<char>('0' + layout.clue[cell]);
    return word;
}

std::string joinedList(const std::vector<std::string>& words) {
    std::string text;
    for (size_t i = 0; i < words.size(); ++i) {
        if (i > 0) text += i + 1 == words.size() ? " and " : ", ";
        text += words[i];
    }
    return text;
}

std::string shortList(const std::vector<std::string>& words, size_t limit) {
    if (words.size() <= limit) return joinedList(words);
    std::string text;
    for (size_t i = 0; i < limit; ++i) {
        if (i > 0) text += ", ";
        text += words[i];
    }
    return text + " and " + std::to_string(words.size() - limit) + " more";
}

std::string counted(size_t count, const char* noun) {
    std::string text = std::to_string(count) + " " + noun;
    if (count == 1) return text;
    // Nouns ending in a hiss take "es": crosses.
    const char last = text.back();
    return text + (last == 's' || last == 'x' ? "es" : "s");
}

}  // namespace varnel
