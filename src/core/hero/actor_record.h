#pragma once
// The heroine and the two spell shots: frames, position, attributes and, for the heroine, every
// belonging and progress table the saved game keeps, plus the catalogue texts.
#include <cstdint>

#include "presentation/timer_record.h"

namespace veloria {

enum Attribute : int32_t {
    Strength = 0,
    Power = 1,
    Wits = 2,
    Stealth = 3,
    Endurance = 4,
    Speed = 5,
    Unused6 = 6,
    Cast = 7,
    Protect = 8,
    Mojo = 9,
    HP = 10,
    MaxHP = 11,
    MP = 12,
    MaxMP = 13,
    XP = 14,
    MagicXP = 15,
    Level = 16,
    MagicLevel = 17,
    GP = 18,
    PurseLevel = 19,
};

constexpr int32_t kAttributes = 20;
constexpr int32_t kSpells = 4;
constexpr int32_t kItems = 14;
constexpr int32_t kNoItem = 14;
constexpr int32_t kEquipSlots = 6;
constexpr int32_t kPiecesPerSlot = 10;
constexpr int32_t kLairs = 30;
constexpr int32_t kGuardians = 200;
constexpr int32_t kBarriers = 100;
constexpr int32_t kNameSize = 40;
constexpr int32_t kActorNameSize = 18;

struct AnimRow {
    int32_t tiles[6];
    int32_t state;  // current animation state 0..5
};

struct Box {
    int32_t left, right, top, bottom;  // inclusive
};

struct EquipItem {
    int32_t protect;
    int32_t mojo;
    int32_t cast;
    int32_t owned;
    int32_t price;
    char name[kNameSize];
};

struct EquipSlot {
    EquipItem items[kPiecesPerSlot];
    int32_t listCount;
    int32_t listCursor;
    int32_t equipped;
};

struct LevelExit {
    int32_t destLevel, heroX, heroY, mapMode, viewCol, viewRow, encounterVillains, battleMap,
        encounterRate, scrollX, scrollY, music;
};

struct Lair {
    int32_t opened;
    LevelExit exit;
};

struct Actor {
    AnimRow anim[4];
    Box box;
    int32_t attr[kAttributes];
    int32_t spellOwned[kSpells];
    int32_t selectedSpell;
    char spellName[kSpells][kNameSize];
    int32_t itemCount[kItems];
    int32_t selectedItem;
    int32_t itemValue[kItems];
    char itemName[kItems][kNameSize];
    char itemInfo[kItems][kNameSize];
    EquipSlot equip[kEquipSlots];
    int32_t equipCursor;
    char slotTitle[kEquipSlots][kNameSize];
    char slotHint[kEquipSlots][kNameSize];
    Lair lairs[kLairs];
    int32_t guardianDefeated[kGuardians];
    int32_t reserved[3];
    int32_t quadSlot;
    int32_t facing;
    int32_t x, y;
    int32_t barrierBroken[kBarriers];
    int32_t playTime;
    char name[kActorNameSize];
    int32_t active;
    int32_t stepPeriod;
};

struct Projectile : Actor {
    Timer stepTimer;
    int32_t kind;  // 1 heroine's shot, 2 villain's shot
    int32_t castFacing;
};

}  // namespace veloria
