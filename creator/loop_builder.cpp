#include "creator/loop_builder.h"

#include <algorithm>
#include <cassert>

namespace varnel {

namespace {

inline bool isSet(const LineMasks& m, int32_t line, int32_t position) {
    return ((m[line] >> position) & 1u) != 0;
}

inline void setBit(LineMasks& m, int32_t line, int32_t position) {
    m[line] |= uint64_t{1} << position;
}

// Inside bit of position x of line y as a 0/1 index term.
inline uint32_t bitAt(const LineMasks& m, int32_t line, int32_t position) {
    return static_cast<uint32_t>((m[line] >> position) & 1u);
}

// The SIDE_COUNT index of position x of line y: lines y - 1 and y + 1 are up and down, positions
// x - 1 and x + 1 left and right.
inline uint32_t sideIndex(const LineMasks& m, int32_t y, int32_t x) {
    return 16 * bitAt(m, y - 1, x) + 8 * bitAt(m, y + 1, x) + 4 * bitAt(m, y, x + 1) +
           2 * bitAt(m, y, x) + bitAt(m, y, x - 1);
}

// The cells at position x of lines i and i + 1 are both dead; reads lines i - 1 to i + 2.
inline bool deadPair(const LineMasks& m, int32_t x, int32_t i) {
    return SIDE_COUNT[sideIndex(m, i, x)] == 0 && SIDE_COUNT[sideIndex(m, i + 1, x)] == 0;
}

// Sets positions x, x + step, ... of line until one is already set. The caller guarantees a set
// position in that direction within the line (a strip's spine, or a cell of the strip before).
inline void fillUntilSet(LineMasks& m, int32_t line, int32_t x, int32_t step) {
    while (x >= 0 && x < 64 && !isSet(m, line, x)) {
        setBit(m, line, x);
        x += step;
    }
}

// The spine position of offset p (1 to 3) of the strip with base o.
inline int32_t spine(int32_t o, int32_t p) {
    return o + 1 + p;
}

// Offsets c, (c + d) / 2 and d: together every offset between c and d.
inline void setSpineRun(LineMasks& m, int32_t line, int32_t o, int32_t c, int32_t d) {
    setBit(m, line, spine(o, c));
    setBit(m, line, spine(o, (c + d) / 2));
    setBit(m, line, spine(o, d));
}

}  // namespace

bool loopSizeFits(int64_t width, int64_t height) {
    auto fits = [](int64_t n) { return n >= 4 && n + 2 <= MASK_LINES && n % 4 == 0; };
    return fits(width) && fits(height);
}

void RandomLoopBuilder::bind(uint8_t* clues, int32_t w, int32_t h, SharedRandom* source) {
    fullClues = clues;
    width = w;
    height = h;
    random = source;
}

void RandomLoopBuilder::buildLoop() {
    assert(loopSizeFits(width, height) && fullClues != nullptr && random != nullptr);
    const int32_t w = width;
    const int32_t h = height;

    // Clear both mask arrays (all lines: unused ones stay 0 and are never read).
    rowMasks.fill(0);
    columnMasks.fill(0);

    // The kind of the first band.
    bool horizontal = random->draw(2) == 0;
    int32_t c = 0;  // first grid column of the next band

    // Bands of whole columns from left to right, the kind alternating.
    while (c < w) {
        // Band width; a vertical band takes a remainder of exactly four columns along,
        // so a horizontal band never has to be four columns wide.
        const int32_t k = horizontal ? 2 + random->draw(3) : 1 + random->draw(4);
        int32_t end = std::min(c + 4 * k, w);
        if (!horizontal && w - end == 4) end = w;

        if (horizontal) {
            // A horizontal band is built along the columns, one column right of the lane towards
            // the left band, then copied into the rows.
            const int32_t s0 = c > 0 ? c + 1 : 0;
            buildBand(columnMasks, 0, h, s0, end);
            transposeInto(columnMasks, rowMasks, 0, h, s0, end);
        } else {
            // A vertical band: the first strip's lane is padded column c + 1.
            buildBand(rowMasks, c, end, 0, h);
        }

        if (c > 0) {
            // Join to the band on the left across the lane at padded column c + 1, then
            // bump lane cells next to isolated starts; a bump counts for the next row's test.
            joinStrips(rowMasks, c, 0, h);
            for (int32_t r = 1; r <= h; ++r) {
                if (isSet(rowMasks, r, c + 2) && !isSet(rowMasks, r - 1, c + 1) &&
                    !isSet(rowMasks, r - 1, c) && !isSet(rowMasks, r, c) &&
                    !isSet(rowMasks, r + 1, c)) {
                    if (random->draw(3) > 0) setBit(rowMasks, r, c + 1);
                }
            }
        }

        horizontal = !horizontal;
        c = end;
    }

    // Clue extraction, the border counting as outside.
    for (int32_t i = 0; i < h; ++i) {
        for (int32_t j = 0; j < w; ++j) {
            fullClues[i * w + j] = SIDE_COUNT[sideIndex(rowMasks, i + 1, j + 1)];
        }
    }
}

void RandomLoopBuilder::buildBand(LineMasks& m, int32_t first, int32_t last, int32_t s, int32_t e) {
    // One strip per base position; each may stop one or two lines short.
    for (int32_t o = first; o < last; o += 4) {
        int32_t stripEnd = e;
        if (random->draw(8) == 0) {
            stripEnd = e - 2;
        } else if (random->draw(4) == 0) {
            stripEnd = e - 1;
        }
        growStrip(m, o, s, stripEnd);
    }

    // Join each strip to the one before it.
    for (int32_t a = first + 4; a < last; a += 4)
        joinStrips(m, a, s, e);

    // A lane next to the border: bumps into position 1, each seen by the next line.
    if (first == 0 && s < e) {
        for (int32_t x = s + 1; x <= e; ++x) {
            if (isSet(m, x, 2) && !isSet(m, x - 1, 1)) {
                if (random->draw(3) > 0) setBit(m, x, 1);
            }
        }
    }
}

void RandomLoopBuilder::growStrip(LineMasks& m, int32_t o, int32_t s, int32_t e) {
    // Two spine offsets c and d; line i + 1 is the one being written.
    int32_t c = 1 + random->draw(3);
    int32_t d = 1 + random->draw(3);
    int32_t i = s;

    for (;;) {
        // The spine runs from offset c to offset d in this line.
        setSpineRun(m, i + 1, o, c, d);
        const int32_t p = i;

        if (i != s) fillDeadSpace(m, o, i, i);

        ++i;
        if (i == e) return;

        // The next line holds the spine at d at least.
        setBit(m, i + 1, spine(o, d));

        // Either widen the line back to c, or fill dead space in the line before.
        if (random->draw(5) < 2) {
            setBit(m, i + 1, spine(o, (c + d) / 2));
            setBit(m, i + 1, spine(o, c));
        } else {
            fillDeadSpace(m, o, i, p);
        }

        // Sometimes one more line at offset d.
        if (random->draw(2) == 0) {
            ++i;
            if (i == e) return;
            setBit(m, i + 1, spine(o, d));
            if (random->draw(5) < 2) {
                setBit(m, i + 1, spine(o, (c + d) / 2));
                setBit(m, i + 1, spine(o, c));
            } else {
                fillDeadSpace(m, o, i, i);
            }
        }

        ++i;
        if (i == e) return;

        // A new offset moves the spine.
        const int32_t t = 1 + random->draw(3);
        if (t != d) {
            c = d;
            d = t;
            continue;
        }

        // The spine stays: a tooth into the lane from the strip before, or a short
        // sideways stub of this strip.
        const int32_t k = 1 + random->draw(2);
        const int32_t line = i + 1;
        if (o > 0 && isSet(m, line, o) && d > k) {
            for (int32_t x = o + 1; x <= o + k; ++x)
                setBit(m, line, x);
        } else if (k == 1) {
            setBit(m, line, d == 2 ? o + 2 : o + 3);
        } else {
            setBit(m, line, o + 2);
            setBit(m, line, o + 3);
            setBit(m, line, o + 4);
        }
        c = d;
    }
}

void RandomLoopBuilder::fillDeadSpace(LineMasks& m, int32_t n, int32_t i, int32_t j) {
    const int32_t line = j + 1;

    // Dead space at the last spine position of the strip before: widen that strip
    // towards the lane, but only when it is present in line j + 1 close to the lane.
    if (n > 0 && deadPair(m, n, i)) {
        if (isSet(m, line, n - 2) || isSet(m, line, n - 3)) fillUntilSet(m, line, n - 1, -1);
        return;
    }
    // Dead space in the lane: fill from the first spine position up to the spine cell.
    if (deadPair(m, n + 1, i)) {
        fillUntilSet(m, line, n + 2, +1);
        return;
    }
    // Dead space at the first spine position: fill from the next position up to the spine.
    if (deadPair(m, n + 2, i)) fillUntilSet(m, line, n + 3, +1);
}

void RandomLoopBuilder::joinStrips(LineMasks& m, int32_t a, int32_t s, int32_t e) {
    // Direction of the visit: upwards when h is 1, downwards when 0.
    const int32_t h = random->draw(2);

    // One lane cell where both strips are present; lines that fail the test cost no draw.
    for (int32_t n = 0; n < e - s; ++n) {
        const int32_t x = h == 1 ? s + 1 + n : e - n;
        if (isSet(m, x, a) && isSet(m, x, a + 2) && random->draw(2) == 0) {
            setBit(m, x, a + 1);
            return;
        }
    }

    // No join made: a five-cell crossing of the lane at a random line.
    const int32_t x = s + 1 + random->draw(e - s);
    for (int32_t y = a - 1; y <= a + 3; ++y)
        setBit(m, x, y);
}

void RandomLoopBuilder::transposeInto(const LineMasks& source, LineMasks& target, int32_t start,
                                      int32_t end, int32_t a, int32_t count) {
    for (int32_t x = a + 1; x <= count; ++x) {
        for (int32_t y = start + 1; y <= end; ++y) {
            if (isSet(source, x, y)) setBit(target, y, x);
        }
    }
}

}  // namespace varnel
