#pragma once
// The layout of a chest file "data/chests/chestNN.txt": four integers, then the text line the
// find message quotes. LoadChest reads it through this schema, veloria-check holds it to the
// strict ranges, the chest tests build their files from it and docs/content.md shows it.
#include <cstdint>

#include "content/schema.h"
#include "hero/chest_record.h"
#include "hero/goods_schema.h"

namespace veloria {

inline constexpr FieldSchema kChestFields[] = {
    {"record", 1, nullptr, 1, 0, kChests - 1, nullptr,
     "the chest it fills; must be the file's own NN"},
    {"kind", 1, nullptr, 1, kAnyLo, kAnyHi, nullptr,
     "what it gives (another kind gives nothing, but the chest opens)", GoodsPiece, GoodsPurse},
    {"slot", 1, nullptr, 1, kAnyLo, kAnyHi, nullptr, "by kind"},
    {"value", 1, nullptr, 1, kAnyLo, kAnyHi, nullptr, "by kind"},
    {"text", 1, nullptr, 0, 0, static_cast<int32_t>(sizeof(Chest::text)) - 1, nullptr,
     "quoted after \"In the chest, you've found\""},
};
inline constexpr RecordSchema kChestSchema = {"chest file", kChestFields, 5};

inline constexpr KindSchema kChestKinds[] = {
    {GoodsPiece, "an equipment piece (refused with dialog 10 if owned)", &kPieceGoodsSchema},
    {GoodsItem, "one inventory item", &kItemGoodsSchema},
    {GoodsSpell, "a spell", &kSpellGoodsSchema},
    {GoodsGold, "gold, cut to the purse (refused with dialog 78 when full)", &kGoldGoodsSchema},
    {GoodsPurse, "a bigger purse", &kPurseGoodsSchema},
};
constexpr int32_t kChestKindCount = sizeof(kChestKinds) / sizeof(kChestKinds[0]);

constexpr int32_t kChestFileIntegers = RecordIntegers(kChestSchema);
static_assert(kChestFileIntegers == 4);

constexpr int32_t ChestFieldAt(const char* name) {
    return FieldOffset(kChestSchema, name);
}
constexpr const FieldSchema& ChestField(const char* name) {
    return *FindField(kChestSchema, name);
}
static_assert(ChestFieldAt("slot") + 1 == ChestFieldAt("value"), "goods follow their kind");

}  // namespace veloria
