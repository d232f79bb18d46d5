#pragma once

// Checks of a colouring of the padded board (1 = inside the loop) against the shape of one loop,
// shared by the property tests and the fuzz target.

#include <cstdint>
#include <vector>

namespace varnel::testing_support {

// Cells of start's colour reachable from start through side neighbours of that colour. Steps of
// one off the ends of a row wrap to the next row's border cell, which only the outside's flood
// can reach, as the border ring is outside throughout.
inline int32_t floodCount(const std::vector<uint8_t>& inside, int32_t start, int32_t stride) {
    std::vector<uint8_t> seen(inside.size(), 0);
    std::vector<int32_t> stack{start};
    seen[start] = 1;
    int32_t count = 0;
    const int32_t cells = static_cast<int32_t>(inside.size());
    while (!stack.empty()) {
        const int32_t c = stack.back();
        stack.pop_back();
        ++count;
        for (const int32_t d : {1, -1, stride, -stride}) {
            const int32_t n = c + d;
            if (n < 0 || n >= cells || seen[n] || inside[n] != inside[start]) continue;
            seen[n] = 1;
            stack.push_back(n);
        }
    }
    return count;
}

// The first inside cell, or -1 when nothing is inside.
inline int32_t firstInside(const std::vector<uint8_t>& inside) {
    for (size_t i = 0; i < inside.size(); ++i) {
        if (inside[i]) return static_cast<int32_t>(i);
    }
    return -1;
}

}  // namespace varnel::testing_support
