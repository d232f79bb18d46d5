#pragma once

#include <algorithm>
#include <cstdint>
#include <vector>

namespace varnel {

// Rows of bits over the padded columns of a board of any width: bit q of a row is padded column
// q, kept in 64-bit words (bit q in word q / 64 at bit q % 64). On boards up to 62 columns a row
// is one word, and every operation is the plain shift and mask on it.
struct PaddedRowMasks {
    std::vector<uint64_t> words;  // [0, rows x wordsPerRow): row r is words [r x wordsPerRow, ...)
    int32_t wordsPerRow = 0;      // 64-bit words per row, enough for bits 0 to bitsPerRow - 1
    int32_t rows = 0;             // rows held

    // Shapes the masks for rowCount rows of bitCount bits and clears them; the vector keeps its
    // capacity, so a reshape to the same size allocates nothing.
    void reshape(int32_t rowCount, int32_t bitCount) {
        rows = rowCount;
        wordsPerRow = (bitCount + 63) / 64;
        words.assign(static_cast<size_t>(rows) * static_cast<size_t>(wordsPerRow), 0);
    }

    void clear() { std::fill(words.begin(), words.end(), 0); }

    void set(int32_t row, int32_t bit) {
        words[static_cast<size_t>(row) * wordsPerRow + bit / 64] |= uint64_t{1} << (bit % 64);
    }

    // Sets bits 0 to bitCount - 1 of a row.
    void fillRow(int32_t row, int32_t bitCount) {
        for (int32_t bit = 0; bit < bitCount; bit += 64) {
            const int32_t n = std::min(64, bitCount - bit);
            words[static_cast<size_t>(row) * wordsPerRow + bit / 64] =
                n == 64 ? ~uint64_t{0} : (uint64_t{1} << n) - 1;
        }
    }

    // Bits q, q + 1 and q + 2 of a row as a number 0 to 7 (bit 0 = position q). Bit q + 2 must
    // lie within the row's words.
    uint32_t window3(int32_t row, int32_t q) const {
        const uint64_t* w = words.data() + static_cast<size_t>(row) * wordsPerRow + q / 64;
        const int32_t shift = q % 64;
        uint64_t bits = w[0] >> shift;
        if (shift > 61) bits |= w[1] << (64 - shift);
        return static_cast<uint32_t>(bits & 7);
    }
};

}  // namespace varnel
