#pragma once

#include <cstdint>
#include <vector>

namespace varnel {

// The relation that relate records between two cells: same colour or different colours. It is
// also the xor of the two cells' tags when they are known to have the opposite relation, which is
// how relate detects a contradiction.
inline constexpr int SAME = 1;
inline constexpr int DIFFERENT = 0;

// Colour relations between the cells of a padded board: a union-find whose sets are cells of known
// relative colour, with a parity bit per cell giving its colour relative to the rest of its set.
//
// A cell's set label and parity are stored together in one 16-bit tag, 2 x root + parity, so that
// knownSame is one compare of two tags and knownDifferent one xor and compare. The label of a set
// is always its smallest cell index, so a cell is a label exactly when root(i) == i, and cell 0
// (the outside) is always the label of its own set. Labels are signed 16-bit cell indices: at
// most 32767 cells.
//
// The members of each set form a circular list through nextMember, so a merge relabels exactly
// the members of the absorbed set; a scan over the set's index span visits the same cells plus
// every cell of other sets inside the span, which on the creator's boards was several times more.
//
// On boards of at most 64 rows and columns the structure also notes which cells a merge may have
// changed for the local rules (touched): a merge changes the relation between two cells only when
// one is in each of the two sets, and the rules of a cell read cells at most two rows and two
// columns away, so only cells within two rows and columns of both sets' bounding boxes are
// affected. (Reads that wrap from one row end to the next land on border cells, which are all in
// the outside set from the start, whose box is the whole board.) The sweep skips cells that
// nothing touched since their last visit recorded nothing.
//
// The tag array carries a row of sentinel tags before cell 0 and one after the last cell. The
// corner rule reads positions -1 and cellCount at the first and the last swept cell, and the
// flood of the border region looks one row beyond the board; the sentinel (0xFFFF, a label no
// board can have) makes every test against them false, as for a cell in no set, without reading
// outside the array.
struct ParityUnionFind {
    static constexpr uint16_t SENTINEL_TAG = 0xFFFF;
    static constexpr int32_t MAX_TRACKED = 64;  // rows and columns of a tracked board

    std::vector<uint16_t> tagStore;    // [0, cellCount + 2 x pad): pad sentinels, the tag of
                                       // cell i at pad + i, pad sentinels
    std::vector<uint16_t> nextMember;  // [0, cellCount): next cell of the same set, circular
    std::vector<uint32_t> setBox;      // [0, cellCount): at a label, the bounding box of its set:
                                       // first row, last row, first column, last column, one
                                       // byte each from the low byte up; used when tracked
    std::vector<uint64_t> touched;     // [0, rows): bit x of row y: a merge may have changed
                                       // relations the rules of cell (y, x) read, since the sweep
                                       // last cleared the bit; used when tracked
    int32_t cellCount = 0;             // padded cells of the board
    int32_t setCount = 0;              // number of sets; 1 means solved
    int32_t rowLength = 0;             // cells per row (the board's stride)
    int32_t pad = 1;                   // sentinels on each side of the tags: rowLength
    uint8_t tracked = 0;               // 1 when the board has at most 64 rows and columns
    uint8_t contradiction = 0;  // 1 once an opposite relation was asked; never cleared by relate

    // Every cell its own set with parity 1, for cells in rows of cellsPerRow cells (one row when
    // cellsPerRow is 0); arrays are allocated on first use and reused after.
    void init(int32_t cells, int32_t cellsPerRow = 0);

    // Tags of cells -pad .. cellCount + pad - 1: tags()[i] is the tag of cell i.
    const uint16_t* tags() const { return tagStore.data() + pad; }
    uint16_t* tags() { return tagStore.data() + pad; }

    int root(int i) const { return tags()[i] >> 1; }
    int parity(int i) const { return tags()[i] & 1; }
    bool sameSet(int a, int b) const { return (tags()[a] ^ tags()[b]) < 2; }
    bool knownSame(int a, int b) const { return tags()[a] == tags()[b]; }
    bool knownDifferent(int a, int b) const { return (tags()[a] ^ tags()[b]) == 1; }

    // Records that a and b have the same colour (same = SAME) or different colours (DIFFERENT).
    // Merges two sets into the one with the smaller label; asking the opposite of a known relation
    // sets contradiction and changes nothing else. Most calls from the rules ask for a relation
    // that is already known, so that case is inline and the merge is not.
    void relate(int a, int b, int same) {
        const unsigned x = tags()[a] ^ tags()[b];
        if (x < 2) {
            // x is 0 when the cells are known to have the same colour.
            if (static_cast<int>(x) == same) contradiction = 1;
            return;
        }
        merge(a, b, same);
    }

    // Merges the different sets of a and b with the relation `same` between a and b: the set with
    // the larger label takes the smaller label, and its parities follow the relation.
    void merge(int a, int b, int same);

    // Notes that the rules of the cells in rows firstRow to lastRow and columns firstColumn to
    // lastColumn (clamped to the board) may act differently.
    void touchArea(int32_t firstRow, int32_t lastRow, int32_t firstColumn, int32_t lastColumn);

    // Makes this structure an exact copy of source, reusing its arrays.
    void copyFrom(const ParityUnionFind& source);

    // Rebuilds the member lists and, when tracked, the set boxes from the tags alone, for tags
    // written directly (a board put together from another board and its differences). The order
    // of members in a list changes nothing a merge does.
    void rebuildSets();
};

}  // namespace varnel
