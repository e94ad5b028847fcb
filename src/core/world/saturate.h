#pragma once
// Screen geometry is computed from positions and scrolls that content files and saved games
// supply; 64-bit intermediates cut back into 32 bits keep absurd values from overflowing.
#include <cstdint>

namespace veloria {

inline int32_t Saturate(int64_t v) {
    if (v > INT32_MAX) return INT32_MAX;
    if (v < INT32_MIN) return INT32_MIN;
    return static_cast<int32_t>(v);
}

inline int32_t AddSat(int32_t a, int64_t b) {
    return Saturate(static_cast<int64_t>(a) + b);
}

}  // namespace veloria
