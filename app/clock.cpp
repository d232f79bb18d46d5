#include "app/clock.h"

#include <chrono>

namespace varnel {

uint32_t tickCount() {
    const auto sinceEpoch = std::chrono::steady_clock::now().time_since_epoch();
    const auto millis = std::chrono::duration_cast<std::chrono::milliseconds>(sinceEpoch).count();
    // Truncation is intended: only differences modulo 2^32 are ever used.
    return static_cast<uint32_t>(millis);
}

}  // namespace varnel
