#pragma once
// What the villain's operations share: its animation states and small helpers. For the files
// that make up the villain (villain*.cpp) only.
#include <cstdint>

#include "hero/actor_record.h"
#include "world/facing.h"
#include "world/villain_record.h"

namespace veloria {
namespace villain_parts {

constexpr int32_t kSprite = 128;
constexpr int32_t kStep = kStepPixels;
constexpr int32_t kKnockBack = 96;
constexpr uint32_t kTouchRepeatMs = 250;

// Animation states of the villain.
constexpr int32_t kWalk0 = 0;
constexpr int32_t kWalk1 = 1;
constexpr int32_t kHit = 2;
constexpr int32_t kCasting = 3;
constexpr int32_t kHealing = 4;
constexpr int32_t kVanished = 5;

// The animation row of the villain's facing, or null when the facing is corrupt.
inline AnimRow* FacingRow(Villain& v) {
    return ValidFacing(v.facing) ? &v.anim[v.facing] : nullptr;
}

inline void SetVillainState(Villain& v, int32_t state) {
    if (AnimRow* row = FacingRow(v)) row->state = state;
}

inline void SetHeroState(Actor& hero, int32_t state) {
    if (ValidFacing(hero.facing)) hero.anim[hero.facing].state = state;
}

inline int32_t Abs(int32_t v) {
    return v < 0 ? -v : v;
}

}  // namespace villain_parts
}  // namespace veloria
