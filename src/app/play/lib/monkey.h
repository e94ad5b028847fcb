#pragma once
// The soak mode of veloria-play: seeded random input across every state, with the game's
// invariants checked after every frame. The checks and the input choice live here, without SDL,
// so the tests can run them on a game put into a broken state on purpose.
#include <cstdint>
#include <string>

#include "flow/game.h"

namespace veloria::play {

// What must hold after every frame; "" when it does, otherwise the first broken rule.
std::string CheckInvariants(const Game& g);

// The states a quit may come from (the title, the quit confirmation, the last end-story page).
bool IsQuitState(int32_t gameState);

// A small, fast, seeded generator (splitmix64), so a seed replays the same soak anywhere.
class MonkeyRandom {
  public:
    explicit MonkeyRandom(uint64_t seed) : state_(seed) {}
    uint64_t Next();
    // 0 .. n-1
    uint32_t Below(uint32_t n) { return static_cast<uint32_t>(Next() % n); }

  private:
    uint64_t state_;
};

// The next input code for a game in `gameState` after `previous`: a direction, a button or
// escape. On the map three in four inputs after a direction repeat it, so the hero walks on
// (to shops, exits and encounters) instead of shuffling on the spot. Escape in a state that may
// quit is sent rarely (1 in 64 of the times it is picked), so a soak spends its time playing
// rather than starting over.
int8_t MonkeyInput(MonkeyRandom& random, int32_t gameState, int8_t previous);

// How many passes follow an input: on the map as many as one step takes (26 frames, over the
// 400 ms walking delay), elsewhere 1..8, and 60 one time in 16.
uint32_t MonkeyPasses(MonkeyRandom& random, int32_t gameState);

}  // namespace veloria::play
