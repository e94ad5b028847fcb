#pragma once
// The villain of a battle.
#include <cstdint>

#include "hero/actor_record.h"
#include "presentation/timer_record.h"

namespace veloria {

struct VillainSpellSlot {
    int32_t period;
    int32_t file;
    int32_t damage;
};

struct Villain {
    // The 61 numbers of the villain file, in file order.
    AnimRow anim[4];
    int32_t thinkPeriod;
    int32_t touchDamage;
    int32_t alive;
    int32_t spellCount;
    int32_t heals;
    int32_t healPeriod;
    int32_t healPercent;
    int32_t teleports;
    int32_t teleportPeriod;
    int32_t teleportSound;
    VillainSpellSlot spells[3];
    int32_t hp, maxHp, mp, maxMp;
    int32_t spare;
    int32_t mojo;
    int32_t rewardXp, rewardGp;
    int32_t moveMode;
    int32_t boxLeft, boxRight, boxTop, boxBottom;
    int32_t boxTurns;
    // Run-time fields.
    int32_t x, y, facing;
    int32_t castFile;
    int32_t castSlot;
    int32_t teleporting;
    char name[20];
    Timer thinkTimer, healTimer, teleportTimer, spellTimer[3], hurtTimer, vanishTimer,
        castAnimTimer, healAnimTimer, touchTimer;
};

}  // namespace veloria
