#pragma once
// The soak mode of veloria-play: seeded random input across every state, with the game's
// invariants checked after every frame. The checks and the input choice live here, without SDL,
// so the tests can run them on a game put into a broken state on purpose.
#include <cstdint>
#include <string>
#include <unordered_map>

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
// restless: the game has gone on long, and escape is as likely as any other input where it quits
// (the soak then starts again from the title and loads a saved game or begins a new one).
int8_t MonkeyInput(MonkeyRandom& random, int32_t gameState, int8_t previous, bool restless = false);

// Where the heroine has stood and tried to go on each level, counted in half-cells of the
// screen, so that a fresh direction on the map can lean toward ground she has not walked yet.
class MonkeyMemory {
  public:
    // After an input's passes: she stands here once more.
    void Visit(const Game& g);
    // How often the spot one half-cell that way (a direction code) was stood on or tried.
    int32_t Count(const Game& g, int8_t direction) const;
    // The least known of the four ways (ties broken by random), and counted as tried.
    int8_t LeastKnown(MonkeyRandom& random, const Game& g);
    size_t Spots() const { return counts_.size(); }

  private:
    static uint64_t Key(const Game& g, int32_t dx, int32_t dy);
    std::unordered_map<uint64_t, int32_t> counts_;
};

// In battle: the input that lines the heroine up with the villain (within a shot's reach across
// its path; acrossFirst: by a vertical step while neither gap is closed) and casts the selected
// spell at him once she faces him, or uses the selected item when the spell needs more magic
// than she has. InputNone without a villain.
int8_t AimAtVillain(const Game& g, bool acrossFirst);

// The soak's choice with the game in view: in battle one input in two aims (a win needs spells
// that meet the villain, which blind input all but never lines up), on the map one fresh
// direction in two goes the least known way and a spell is cast one time in eight it is drawn
// (magic is scarce), and a save goes into slot 1 only (slots 2 and 3 hold the saved games the
// soak loads from the title); otherwise MonkeyInput.
int8_t MonkeyChoose(MonkeyRandom& random, const Game& g, int8_t previous, MonkeyMemory& memory,
                    bool restless);

// The inputs after which a game counts as long: the soak then leaves it at the next chance.
constexpr int64_t kMonkeyLongGame = 2000;

// A state's name for the soak's report ("map", "shop buy"); "" for a number that is no state.
const char* MonkeyStateName(int32_t gameState);

// How many passes follow an input: on the map as many as one step takes (26 frames, over the
// 400 ms walking delay), elsewhere 1..8, and 60 one time in 16.
uint32_t MonkeyPasses(MonkeyRandom& random, int32_t gameState);

}  // namespace veloria::play
