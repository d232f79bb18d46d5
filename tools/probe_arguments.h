#pragma once

#include <cstdint>

namespace varnel::probe {

// A whole argument of decimal digits (no sign, no spaces) no larger than limit.
inline bool parseDecimal(const char* text, uint64_t limit, uint64_t& value) {
    if (text == nullptr || *text == '\0') return false;
    value = 0;
    for (const char* p = text; *p != '\0'; ++p) {
        if (*p < '0' || *p > '9') return false;
        value = value * 10 + static_cast<uint64_t>(*p - '0');
        if (value > limit) return false;
    }
    return true;
}

}  // namespace varnel::probe
