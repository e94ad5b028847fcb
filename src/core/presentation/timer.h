#pragma once
// Stopwatches, the play clock and the pseudo-random generator. Everything timed in the game is a
// Timer checked once per frame against the injected millisecond clock.
#include <cstdint>

namespace veloria {

struct Game;

// now: last clock reading; start: reading when the timer began (0 = not started);
// elapsed: now - start as last measured. All differences are unsigned 32-bit.
struct Timer {
    uint32_t now = 0;
    uint32_t start = 0;
    uint32_t elapsed = 0;
};

void TimerReset(Timer& t);
void TimerUpdate(Game& g, Timer& t);
void TimerMeasure(Timer& t);
// Updates, measures; when period has passed resets the timer and answers true.
bool TimerElapsed(Game& g, Timer& t, uint32_t period);

struct RandomState {
    int32_t seed = 0;
    int32_t count = 0;
};

void SeedRandom(Game& g);
// 0..n (n itself only in the rare top slice), reseeding from the clock every 51st draw.
int32_t Random(Game& g, int32_t n);
// x doubled n times; x itself when n <= 0.
int32_t TimesPowerOfTwo(int32_t x, int32_t n);

// Total play time in ms: the play clock's elapsed time plus the hero's saved playTime.
int32_t PlayTimeTotal(Game& g);

}  // namespace veloria
