#pragma once
// Stopwatches, the play clock and the pseudo-random generator. Everything timed in the game is a
// Timer checked once per frame against the injected millisecond clock.
#include <cstdint>

#include "presentation/timer_record.h"

namespace veloria {

struct Game;

// Clock reading through the injected clock (0 without one).
uint32_t Now(Game& g);

void TimerReset(Timer& t);
void TimerUpdate(Game& g, Timer& t);
void TimerMeasure(Timer& t);
// Updates, measures; when period has passed resets the timer and answers true.
bool TimerElapsed(Game& g, Timer& t, uint32_t period);

// x doubled n times; x itself when n <= 0.
int32_t TimesPowerOfTwo(int32_t x, int32_t n);

// Total play time in ms: the play clock's elapsed time plus the hero's saved playTime.
int32_t PlayTimeTotal(Game& g);

}  // namespace veloria
