#pragma once
// The layout of the level tables that follow the five layers of a Small or Large level file, and
// of the LevelExit record they and the lair files hold. The loader, veloria-check, the tests'
// level builder and docs/content.md all take the order, counts and ranges from here.
#include <cstdint>

#include "content/schema.h"
#include "hero/actor_record.h"
#include "hero/chest_record.h"
#include "world/level_map_record.h"

namespace veloria {

inline constexpr FieldSchema kLevelExitFields[] = {
    {"destLevel", 1, nullptr, 1, kAnyLo, kAnyHi, nullptr, "NN of the level it leads to"},
    {"heroX", 1, nullptr, 1, kAnyLo, kAnyHi, nullptr, "the heroine's screen x on arrival"},
    {"heroY", 1, nullptr, 1, kAnyLo, kAnyHi, nullptr, "the heroine's screen y on arrival"},
    {"mapMode", 1, nullptr, 1, kAnyLo, kAnyHi, nullptr, "2 Small or 3 Large"},
    {"viewCol", 1, nullptr, 1, kAnyLo, kAnyHi, nullptr, "first map column shown"},
    {"viewRow", 1, nullptr, 1, kAnyLo, kAnyHi, nullptr, "first map row shown"},
    {"encounterVillains", 1, nullptr, 1, kAnyLo, kAnyHi, nullptr,
     "villain file of random encounters"},
    {"battleMap", 1, nullptr, 1, kAnyLo, kAnyHi, nullptr, "NN of the arena for battles"},
    {"encounterRate", 1, nullptr, 1, kAnyLo, kAnyHi, nullptr, "encounter chance per step, of 700"},
    {"scrollX", 1, nullptr, 1, kAnyLo, kAnyHi, nullptr, "pixel scroll of the view"},
    {"scrollY", 1, nullptr, 1, kAnyLo, kAnyHi, nullptr, "pixel scroll of the view"},
    {"music", 1, nullptr, 1, kAnyLo, kAnyHi, nullptr, "NN of music/levelNN.mid"},
};
inline constexpr RecordSchema kLevelExitSchema = {"LevelExit", kLevelExitFields, 12};

// The same order as kLevelExitFields.
inline constexpr int32_t LevelExit::*kLevelExitMembers[12] = {
    &LevelExit::destLevel,         &LevelExit::heroX,     &LevelExit::heroY,
    &LevelExit::mapMode,           &LevelExit::viewCol,   &LevelExit::viewRow,
    &LevelExit::encounterVillains, &LevelExit::battleMap, &LevelExit::encounterRate,
    &LevelExit::scrollX,           &LevelExit::scrollY,   &LevelExit::music,
};

inline constexpr FieldSchema kGuardianSpotFields[] = {
    {"guardian", 1, nullptr, 1, 0, kGuardians - 1, "guardianDefeated", "the flag its fall sets"},
    {"villainFile", 1, nullptr, 1, kAnyLo, kAnyHi, nullptr, "NN of data/villains/vNN.txt"},
    {"battleMusic", 1, nullptr, 1, kAnyLo, kAnyHi, nullptr, "NN of music/battleNN.mid"},
};
inline constexpr RecordSchema kGuardianSpotSchema = {"GuardianSpot", kGuardianSpotFields, 3};

inline constexpr FieldSchema kLevelTableFields[] = {
    {"exits", 5, &kLevelExitSchema, RecordIntegers(kLevelExitSchema), kAnyLo, kAnyHi, nullptr,
     "event codes 2..6 (code c: c - 2)"},
    {"dialogIds", 8, nullptr, 1, kAnyLo, kAnyHi, nullptr, "dialog NN of event codes 7..14"},
    {"shopId", 1, nullptr, 1, kAnyLo, kAnyHi, nullptr, "shop NN of event code 15"},
    {"chestIds", 3, nullptr, 1, 0, kChests - 1, "chests", "chest of event codes 16..18"},
    {"lockIds", 13, nullptr, 1, 0, kDoors - 1, "doorUnlocked",
     "door of event codes 19..21 (entries 0..2) and 49..58 (entries 3..12)"},
    {"treasureIds", 2, nullptr, 1, 0, kTreasures - 1, "hiddenTreasures",
     "hidden treasure of event codes 22, 23"},
    {"guardianSpots", 20, &kGuardianSpotSchema, RecordIntegers(kGuardianSpotSchema), kAnyLo, kAnyHi,
     nullptr, "guardian of event codes 24..43"},
    {"lairIds", 2, nullptr, 1, 0, kLairs - 1, "lairs", "lair of event codes 44, 45"},
    {"barrierIds", 2, nullptr, 1, 0, kBarriers - 1, "barrierBroken",
     "barrier of event codes 46, 47"},
};
inline constexpr RecordSchema kLevelTablesSchema = {"LevelMap tables", kLevelTableFields, 9};

// Integers of the tables and of whole level files by mode.
inline constexpr int32_t kLevelTableIntegers = RecordIntegers(kLevelTablesSchema);
static_assert(kLevelTableIntegers == 151);
static_assert(RecordIntegers(kLevelExitSchema) == 12);

// Walks the twelve integers of a LevelExit in file order: visit(field, value).
template <class Visit>
void VisitLevelExit(LevelExit& e, Visit&& visit) {
    for (int32_t i = 0; i < kLevelExitSchema.fieldCount; ++i) {
        visit(kLevelExitFields[i], e.*kLevelExitMembers[i]);
    }
}

// Walks the 151 integers of the level tables in file order: visit(field, value), where field is
// the innermost field the value belongs to (a record's own field for exits and guardian spots).
template <class Visit>
void VisitLevelTables(LevelMap& m, Visit&& visit) {
    static_assert(sizeof(m.exits) / sizeof(m.exits[0]) == 5);
    for (LevelExit& e : m.exits) VisitLevelExit(e, visit);
    auto table = [&](int32_t index, int32_t* values, int32_t count) {
        const FieldSchema& f = kLevelTableFields[index];
        for (int32_t k = 0; k < count && k < f.count; ++k) visit(f, values[k]);
    };
    table(1, m.dialogIds, 8);
    table(2, &m.shopId, 1);
    table(3, m.chestIds, 3);
    table(4, m.lockIds, 13);
    table(5, m.treasureIds, 2);
    for (GuardianSpot& s : m.guardianSpots) {
        visit(kGuardianSpotFields[0], s.guardian);
        visit(kGuardianSpotFields[1], s.villainFile);
        visit(kGuardianSpotFields[2], s.battleMusic);
    }
    table(7, m.lairIds, 2);
    table(8, m.barrierIds, 2);
}

// The storage and the schema agree on every count.
static_assert(sizeof(LevelMap::dialogIds) / sizeof(int32_t) == kLevelTableFields[1].count);
static_assert(sizeof(LevelMap::chestIds) / sizeof(int32_t) == kLevelTableFields[3].count);
static_assert(sizeof(LevelMap::lockIds) / sizeof(int32_t) == kLevelTableFields[4].count);
static_assert(sizeof(LevelMap::treasureIds) / sizeof(int32_t) == kLevelTableFields[5].count);
static_assert(sizeof(LevelMap::guardianSpots) / sizeof(GuardianSpot) == kLevelTableFields[6].count);
static_assert(sizeof(LevelMap::lairIds) / sizeof(int32_t) == kLevelTableFields[7].count);
static_assert(sizeof(LevelMap::barrierIds) / sizeof(int32_t) == kLevelTableFields[8].count);
static_assert(sizeof(LevelMap::exits) / sizeof(LevelExit) == kLevelTableFields[0].count);

}  // namespace veloria
