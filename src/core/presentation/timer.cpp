#include "presentation/timer.h"

#include <cstdint>

#include "flow/game.h"
#include "presentation/platform.h"

namespace veloria {

uint32_t Now(Game& g) {
    return g.platform.clock ? g.platform.clock->Now() : 0;
}

void TimerReset(Timer& t) {
    t.now = 0;
    t.start = 0;
    t.elapsed = 0;
}

// A timer begins at its first update after a reset, not at the reset itself.
void TimerUpdate(Game& g, Timer& t) {
    t.now = Now(g);
    if (t.start == 0) t.start = t.now;
}

// Unsigned subtraction keeps the difference right across the clock's wrap.
void TimerMeasure(Timer& t) {
    t.elapsed = t.now - t.start;
}

bool TimerElapsed(Game& g, Timer& t, uint32_t period) {
    TimerUpdate(g, t);
    TimerMeasure(t);
    if (t.elapsed >= period) {
        TimerReset(t);
        return true;
    }
    return false;
}

int32_t TimesPowerOfTwo(int32_t x, int32_t n) {
    // The exponent can come from a saved game; saturate instead of overflowing, and stop as
    // soon as the value cannot change any more so a huge n costs nothing.
    int32_t value = x;
    for (int32_t i = 0; i < n && value != 0; ++i) {
        if (value > INT32_MAX / 2) return INT32_MAX;
        if (value < INT32_MIN / 2) return INT32_MIN;
        value *= 2;
    }
    return value;
}

int32_t PlayTimeTotal(Game& g) {
    TimerUpdate(g, g.playClock);
    TimerMeasure(g.playClock);
    // Wrapping addition: a corrupt saved playTime must not overflow a signed sum.
    return static_cast<int32_t>(g.playClock.elapsed + static_cast<uint32_t>(g.hero.playTime));
}

}  // namespace veloria
