#pragma once
// The layout of a villain file "data/villains/vNN.txt": 61 integers, then the name line. The
// loader walks it through VisitVillainFile, veloria-check names positions from it, the battle
// tests build their villain files from it and docs/content.md's table is generated from it.
#include <cstdint>

#include "content/schema.h"
#include "hero/actor_record.h"
#include "presentation/tiles.h"
#include "world/villain_record.h"

namespace veloria {

constexpr int32_t kVillainAnimStates = 6;
constexpr int32_t kVillainSpellFiles = 100;  // data/spells/cast00..99

inline constexpr FieldSchema kAnimRowFields[] = {
    {"tiles", kVillainAnimStates, nullptr, 1, 0, kTileCells - 1, "tile library",
     "tile of each animation state: 0, 1 walking, 2 hit, 3 casting, 4 healing, 5 vanished"},
    {"state", 1, nullptr, 1, 0, kVillainAnimStates - 1, nullptr, "animation state at the start"},
};
inline constexpr RecordSchema kAnimRowSchema = {"AnimRow", kAnimRowFields, 2};

inline constexpr FieldSchema kVillainSpellSlotFields[] = {
    {"period", 1, nullptr, 1, kAnyLo, kAnyHi, nullptr, "ms between casts"},
    {"file", 1, nullptr, 1, 0, kVillainSpellFiles - 1, "data/spells/castNN.txt", "spell it casts"},
    {"damage", 1, nullptr, 1, kAnyLo, kAnyHi, nullptr, "hit points a hit takes"},
};
inline constexpr RecordSchema kVillainSpellSlotSchema = {"VillainSpellSlot",
                                                         kVillainSpellSlotFields, 3};

inline constexpr FieldSchema kVillainFields[] = {
    {"anim", 4, &kAnimRowSchema, RecordIntegers(kAnimRowSchema), kAnyLo, kAnyHi, nullptr,
     "facing left, right, up, down"},
    {"thinkPeriod", 1, nullptr, 1, kAnyLo, kAnyHi, nullptr, "ms between decisions"},
    {"touchDamage", 1, nullptr, 1, kAnyLo, kAnyHi, nullptr, "hit points a touch takes"},
    {"alive", 1, nullptr, 1, kAnyLo, kAnyHi, nullptr, "0: no villain (no battle)"},
    {"spellCount", 1, nullptr, 1, kAnyLo, kAnyHi, nullptr, "spell slots in use, 0..3"},
    {"heals", 1, nullptr, 1, kAnyLo, kAnyHi, nullptr, "1: heals itself"},
    {"healPeriod", 1, nullptr, 1, kAnyLo, kAnyHi, nullptr, "ms between heals"},
    {"healPercent", 1, nullptr, 1, kAnyLo, kAnyHi, nullptr, "percent of maxHp a heal gives"},
    {"teleports", 1, nullptr, 1, kAnyLo, kAnyHi, nullptr, "1: teleports"},
    {"teleportPeriod", 1, nullptr, 1, kAnyLo, kAnyHi, nullptr, "ms between teleports"},
    {"teleportSound", 1, nullptr, 1, kAnyLo, kAnyHi, nullptr, "NN of sound/teleNN.wav"},
    {"spells", 3, &kVillainSpellSlotSchema, RecordIntegers(kVillainSpellSlotSchema), kAnyLo, kAnyHi,
     nullptr, "the spell slots"},
    {"hp", 1, nullptr, 1, kAnyLo, kAnyHi, nullptr, "hit points at the start"},
    {"maxHp", 1, nullptr, 1, kAnyLo, kAnyHi, nullptr, "most hit points"},
    {"mp", 1, nullptr, 1, kAnyLo, kAnyHi, nullptr, "magic points"},
    {"maxMp", 1, nullptr, 1, kAnyLo, kAnyHi, nullptr, "most magic points"},
    {"spare", 1, nullptr, 1, kAnyLo, kAnyHi, nullptr, "unused"},
    {"mojo", 1, nullptr, 1, kAnyLo, kAnyHi, nullptr, "defence against her spells"},
    {"rewardXp", 1, nullptr, 1, kAnyLo, kAnyHi, nullptr, "experience for beating it"},
    {"rewardGp", 1, nullptr, 1, kAnyLo, kAnyHi, nullptr, "gold for beating it"},
    {"moveMode", 1, nullptr, 1, kAnyLo, kAnyHi, nullptr,
     "0 wander, 1 chase, 2 mixed, 3 stand still"},
    {"boxLeft", 1, nullptr, 1, kAnyLo, kAnyHi, nullptr, "touch-box margin inside the sprite"},
    {"boxRight", 1, nullptr, 1, kAnyLo, kAnyHi, nullptr, "touch-box margin inside the sprite"},
    {"boxTop", 1, nullptr, 1, kAnyLo, kAnyHi, nullptr, "touch-box margin inside the sprite"},
    {"boxBottom", 1, nullptr, 1, kAnyLo, kAnyHi, nullptr, "touch-box margin inside the sprite"},
    {"boxTurns", 1, nullptr, 1, kAnyLo, kAnyHi, nullptr,
     "1: the margins (given facing right) turn with the villain"},
};
inline constexpr RecordSchema kVillainSchema = {"villain file", kVillainFields,
                                                sizeof(kVillainFields) / sizeof(kVillainFields[0])};

constexpr int32_t kVillainFileIntegers = RecordIntegers(kVillainSchema);
static_assert(kVillainFileIntegers == 61);

constexpr int32_t VillainFieldAt(const char* name) {
    return FieldOffset(kVillainSchema, name);
}

// Walks the 61 integers of a villain file in file order: visit(field, value), field being the
// innermost schema field the value belongs to. The name line follows them.
template <class Visit>
void VisitVillainFile(Villain& v, Visit&& visit) {
    for (AnimRow& row : v.anim) {
        for (int32_t& t : row.tiles) visit(kAnimRowFields[0], t);
        visit(kAnimRowFields[1], row.state);
    }
    int32_t* const head[] = {&v.thinkPeriod,    &v.touchDamage,  &v.alive,       &v.spellCount,
                             &v.heals,          &v.healPeriod,   &v.healPercent, &v.teleports,
                             &v.teleportPeriod, &v.teleportSound};
    for (int32_t i = 0; i < 10; ++i) visit(kVillainFields[1 + i], *head[i]);
    for (VillainSpellSlot& s : v.spells) {
        visit(kVillainSpellSlotFields[0], s.period);
        visit(kVillainSpellSlotFields[1], s.file);
        visit(kVillainSpellSlotFields[2], s.damage);
    }
    int32_t* const tail[] = {&v.hp,       &v.maxHp,    &v.mp,        &v.maxMp,    &v.spare,
                             &v.mojo,     &v.rewardXp, &v.rewardGp,  &v.moveMode, &v.boxLeft,
                             &v.boxRight, &v.boxTop,   &v.boxBottom, &v.boxTurns};
    for (int32_t i = 0; i < 14; ++i) visit(kVillainFields[12 + i], *tail[i]);
}

static_assert(sizeof(Villain::anim) / sizeof(AnimRow) == kVillainFields[0].count);
static_assert(sizeof(AnimRow::tiles) / sizeof(int32_t) == kAnimRowFields[0].count);
static_assert(sizeof(Villain::spells) / sizeof(VillainSpellSlot) == kVillainFields[11].count);
static_assert(sizeof(kVillainFields) / sizeof(kVillainFields[0]) == 26);

}  // namespace veloria
