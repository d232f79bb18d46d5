#include "checker/loop_cuts.h"

namespace varnel {
namespace {

// Calls visit(n) for each grid cell beside cell c (its side neighbours within the grid).
template <typename Visit>
void forEachNeighbour(int32_t c, int32_t width, int32_t height, Visit visit) {
    const int32_t x = c % width;
    const int32_t y = c / width;
    if (x > 0) visit(c - 1);
    if (x + 1 < width) visit(c + 1);
    if (y > 0) visit(c - width);
    if (y + 1 < height) visit(c + width);
}

// Numbers the pieces of one colour joined through cell sides, in row-major order of their first
// cells, and notes each piece's colour and whether it reaches the grid's edge.
void findPieces(LoopCutter& cutter, const CellColours& colours, int32_t width, int32_t height) {
    const int32_t cells = width * height;
    cutter.pieceOf.assign(cells, -1);
    cutter.firstCell.clear();
    cutter.inside.clear();
    cutter.atEdge.clear();
    for (int32_t start = 0; start < cells; ++start) {
        if (cutter.pieceOf[start] >= 0) continue;
        const int32_t piece = static_cast<int32_t>(cutter.firstCell.size());
        const uint8_t colour = colours[start];
        uint8_t edge = 0;
        cutter.pieceOf[start] = piece;
        cutter.stack.assign(1, start);
        while (!cutter.stack.empty()) {
            const int32_t c = cutter.stack.back();
            cutter.stack.pop_back();
            const int32_t x = c % width;
            const int32_t y = c / width;
            if (x == 0 || y == 0 || x + 1 == width || y + 1 == height) edge = 1;
            forEachNeighbour(c, width, height, [&](int32_t n) {
                if (cutter.pieceOf[n] >= 0 || colours[n] != colour) return;
                cutter.pieceOf[n] = piece;
                cutter.stack.push_back(n);
            });
        }
        cutter.firstCell.push_back(start);
        cutter.inside.push_back(colour ? 1 : 0);
        cutter.atEdge.push_back(edge);
    }
}

// Fills cutter.beside with the cells beside piece that a flood from starts over the cells of
// other pieces reaches. No start lies in piece.
void findBeside(LoopCutter& cutter, int32_t piece, const std::vector<int32_t>& starts,
                int32_t width, int32_t height) {
    const int32_t flood = ++cutter.floodCount;
    cutter.beside.clear();
    cutter.stack.clear();
    for (const int32_t s : starts) {
        if (cutter.reachedBy[s] == flood) continue;
        cutter.reachedBy[s] = flood;
        cutter.stack.push_back(s);
    }
    while (!cutter.stack.empty()) {
        const int32_t c = cutter.stack.back();
        cutter.stack.pop_back();
        bool touches = false;
        forEachNeighbour(c, width, height, [&](int32_t n) {
            if (cutter.pieceOf[n] == piece) {
                touches = true;
                return;
            }
            if (cutter.reachedBy[n] == flood) return;
            cutter.reachedBy[n] = flood;
            cutter.stack.push_back(n);
        });
        if (touches) cutter.beside.push_back(c);
    }
}

}  // namespace

int32_t LoopCutter::cut(const CellColours& colours, int32_t width, int32_t height,
                        ClauseList& clauses) {
    findPieces(*this, colours, width, height);
    const int32_t pieces = static_cast<int32_t>(firstCell.size());
    std::vector<int32_t> insidePieces;
    std::vector<int32_t> pockets;
    for (int32_t p = 0; p < pieces; ++p) {
        if (inside[p]) {
            insidePieces.push_back(p);
        } else if (!atEdge[p]) {
            pockets.push_back(p);
        }
    }
    const int32_t insideCount = static_cast<int32_t>(insidePieces.size());
    if (insideCount <= 1 && pockets.empty()) return 0;

    const int32_t cells = width * height;
    if (static_cast<int32_t>(reachedBy.size()) != cells) {
        reachedBy.assign(cells, 0);
        floodCount = 0;
    }
    int32_t cuts = 0;
    std::vector<int32_t> starts;
    if (insideCount >= 2) {
        for (int32_t k = 0; k < insideCount; ++k) {
            // The other piece is the next one, so every piece is cut against some other.
            const int32_t piece = insidePieces[k];
            const int32_t other = firstCell[insidePieces[(k + 1) % insideCount]];
            starts.assign(1, other);
            findBeside(*this, piece, starts, width, height);
            clauses.add(-cellVariable(firstCell[piece]));
            clauses.add(-cellVariable(other));
            for (const int32_t c : beside)
                clauses.add(cellVariable(c));
            clauses.close();
            ++cuts;
        }
    }
    if (!pockets.empty()) {
        // The ring beyond the grid is reached through the cells on the grid's edge, none of
        // which lies in a pocket.
        starts.clear();
        for (int32_t c = 0; c < cells; ++c) {
            const int32_t x = c % width;
            const int32_t y = c / width;
            if (x == 0 || y == 0 || x + 1 == width || y + 1 == height) starts.push_back(c);
        }
        for (const int32_t piece : pockets) {
            findBeside(*this, piece, starts, width, height);
            clauses.add(cellVariable(firstCell[piece]));
            for (const int32_t c : beside)
                clauses.add(-cellVariable(c));
            clauses.close();
            ++cuts;
        }
    }
    return cuts;
}

}  // namespace varnel
