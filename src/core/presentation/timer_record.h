#pragma once
// The stopwatch record: a Timer is checked once per frame against the injected millisecond clock
// (presentation/timer.h).
#include <cstdint>

namespace veloria {

// now: last clock reading; start: reading when the timer began (0 = not started);
// elapsed: now - start as last measured. All differences are unsigned 32-bit.
struct Timer {
    uint32_t now = 0;
    uint32_t start = 0;
    uint32_t elapsed = 0;
};

}  // namespace veloria
