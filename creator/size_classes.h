#pragma once

#include <array>
#include <cstdint>

namespace varnel {

// Board sizes of create mode, indexed by size class 0 to 4 (commands c1 to c5).
inline constexpr int32_t SIZE_CLASS_COUNT = 5;
inline constexpr std::array<int32_t, SIZE_CLASS_COUNT> CLASS_WIDTHS = {16, 20, 24, 32, 36};
inline constexpr std::array<int32_t, SIZE_CLASS_COUNT> CLASS_HEIGHTS = {12, 12, 16, 16, 20};

}  // namespace varnel
