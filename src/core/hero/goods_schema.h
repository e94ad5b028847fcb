#pragma once
// What a chest or a shop ware names after its kind number: the slot and index of a piece, an item
// or a spell, and for chests also gold and a bigger purse. Both files read, check and give their
// goods through this one description (hero/goods.h).
#include <cstdint>

#include "content/schema.h"
#include "hero/actor_record.h"

namespace veloria {

enum GoodsKind : int32_t {
    GoodsPiece = 0,
    GoodsItem = 1,
    GoodsSpell = 2,
    GoodsGold = 3,
    GoodsPurse = 4,
};

// Slot and index of each kind; piece 0 of every slot and spell 0 are the heroine's from the
// start, so the checker wants the others.
inline constexpr FieldSchema kPieceGoodsFields[] = {
    {"slot", 1, nullptr, 1, 0, kEquipSlots - 1, "equipment slot",
     "0 staff, 1 left hand, 2 body, 3 head, 4 neck, 5 feet"},
    {"index", 1, nullptr, 1, 0, kPiecesPerSlot - 1, "piece",
     "the piece of the slot (piece 0 is owned from the start)", 1, kPiecesPerSlot - 1},
};
inline constexpr FieldSchema kItemGoodsFields[] = {
    {"slot", 1, nullptr, 1, kAnyLo, kAnyHi, nullptr, "unused (0)"},
    {"index", 1, nullptr, 1, 0, kItems - 1, "item", "the inventory item"},
};
inline constexpr FieldSchema kSpellGoodsFields[] = {
    {"slot", 1, nullptr, 1, kAnyLo, kAnyHi, nullptr, "unused (0)"},
    {"index", 1, nullptr, 1, 0, kSpells - 1, "spell", "the spell (spell 0 is known from the start)",
     1, kSpells - 1},
};
inline constexpr FieldSchema kGoldGoodsFields[] = {
    {"slot", 1, nullptr, 1, kAnyLo, kAnyHi, nullptr, "unused (0)"},
    {"index", 1, nullptr, 1, kAnyLo, kAnyHi, nullptr, "GP, cut to the purse", 1, INT32_MAX},
};
inline constexpr FieldSchema kPurseGoodsFields[] = {
    {"slot", 1, nullptr, 1, kAnyLo, kAnyHi, nullptr, "unused (0)"},
    {"index", 1, nullptr, 1, kAnyLo, kAnyHi, nullptr,
     "purse levels: each doubles the limit (200 GP at the start)", 1, INT32_MAX},
};
inline constexpr RecordSchema kPieceGoodsSchema = {"piece", kPieceGoodsFields, 2};
inline constexpr RecordSchema kItemGoodsSchema = {"item", kItemGoodsFields, 2};
inline constexpr RecordSchema kSpellGoodsSchema = {"spell", kSpellGoodsFields, 2};
inline constexpr RecordSchema kGoldGoodsSchema = {"gold", kGoldGoodsFields, 2};
inline constexpr RecordSchema kPurseGoodsSchema = {"purse", kPurseGoodsFields, 2};

constexpr int32_t kGoodsIntegers = 2;  // slot, index
static_assert(RecordIntegers(kPieceGoodsSchema) == kGoodsIntegers);

}  // namespace veloria
