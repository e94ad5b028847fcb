#pragma once
// The layout of the saved-game file (the three slots and the fresh-game file): 635 integers in
// this order. The loader and the writer walk it through VisitSaveFields, veloria-check finds its
// positions here, and docs/content.md's table of the format is generated from it.
#include <cstdint>

#include "content/schema.h"
#include "hero/actor_record.h"
#include "hero/chest_record.h"
#include "world/level_map_record.h"

namespace veloria {

inline constexpr FieldSchema kSaveFields[] = {
    {"attr", kAttributes, nullptr, 1, kAnyLo, kAnyHi, nullptr,
     "attributes 0..19: Strength, Power, Wits, Stealth, Endurance, Speed, (unused), Cast, "
     "Protect, Mojo, HP, MaxHP, MP, MaxMP, XP, MagicXP, Level, MagicLevel, GP, PurseLevel"},
    {"spellOwned", kSpells, nullptr, 1, kAnyLo, kAnyHi, nullptr, "spells known (1 known)"},
    {"itemCount", kItems, nullptr, 1, kAnyLo, kAnyHi, nullptr, "items carried"},
    {"owned", kEquipSlots* kPiecesPerSlot, nullptr, 1, kAnyLo, kAnyHi, nullptr,
     "pieces owned: slot 0 pieces 0..9, then slot 1, ..."},
    {"lairs.opened", kLairs, nullptr, 1, kAnyLo, kAnyHi, nullptr, "lairs opened"},
    {"guardianDefeated", kGuardians, nullptr, 1, kAnyLo, kAnyHi, nullptr, "guardians beaten"},
    {"facing", 1, nullptr, 1, 0, 3, nullptr, "0 left, 1 right, 2 up, 3 down"},
    {"x", 1, nullptr, 1, kAnyLo, kAnyHi, nullptr, "the heroine's screen x"},
    {"y", 1, nullptr, 1, kAnyLo, kAnyHi, nullptr, "the heroine's screen y"},
    {"stepPeriod", 1, nullptr, 1, kAnyLo, kAnyHi, nullptr, "walking animation period in ms"},
    {"chests.opened", kChests, nullptr, 1, kAnyLo, kAnyHi, nullptr, "chests opened"},
    {"doorUnlocked", kDoors, nullptr, 1, kAnyLo, kAnyHi, nullptr, "doors unlocked"},
    {"hiddenTreasures.dug", kTreasures, nullptr, 1, kAnyLo, kAnyHi, nullptr, "treasures dug"},
    {"levelNumber", 1, nullptr, 1, 1, 99, nullptr, "NN of levels/levelNN.txt"},
    {"viewCol", 1, nullptr, 1, kAnyLo, kAnyHi, nullptr, "first map column shown"},
    {"viewRow", 1, nullptr, 1, kAnyLo, kAnyHi, nullptr, "first map row shown"},
    {"encounterRate", 1, nullptr, 1, kAnyLo, kAnyHi, nullptr, "encounter chance per step, of 700"},
    {"battleMap", 1, nullptr, 1, kAnyLo, kAnyHi, nullptr, "NN of the level's arena"},
    {"encounterVillains", 1, nullptr, 1, kAnyLo, kAnyHi, nullptr, "villain of random encounters"},
    {"mode", 1, nullptr, 1, Arena, Large, nullptr, "map mode: 2 Small, 3 Large"},
    {"scrollX", 1, nullptr, 1, kAnyLo, kAnyHi, nullptr, "pixel scroll of the view"},
    {"scrollY", 1, nullptr, 1, kAnyLo, kAnyHi, nullptr, "pixel scroll of the view"},
    {"levelMusic", 1, nullptr, 1, kAnyLo, kAnyHi, nullptr, "NN of music/levelNN.mid"},
    {"equipped", kEquipSlots, nullptr, 1, 0, kPiecesPerSlot - 1, nullptr,
     "piece worn in each slot"},
    {"listCursor", kEquipSlots, nullptr, 1, 0, kPiecesPerSlot - 1, nullptr,
     "cursor of each slot's list"},
    {"barrierBroken", kBarriers, nullptr, 1, kAnyLo, kAnyHi, nullptr, "barriers broken"},
    {"playTime", 1, nullptr, 1, kAnyLo, kAnyHi, nullptr, "total play time in ms"},
};
inline constexpr RecordSchema kSaveSchema = {"saved game", kSaveFields,
                                             sizeof(kSaveFields) / sizeof(kSaveFields[0])};

constexpr int32_t kSaveFileIntegers = RecordIntegers(kSaveSchema);
static_assert(kSaveFileIntegers == 635);

constexpr int32_t SaveFieldAt(const char* name) {
    return FieldOffset(kSaveSchema, name);
}
constexpr const FieldSchema& SaveField(const char* name) {
    return *FindField(kSaveSchema, name);
}

}  // namespace veloria
