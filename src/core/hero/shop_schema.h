#pragma once
// The layout of a shop file "data/shops/shopNN.txt": the number of wares, then each ware as a
// price, a name line, a hint line and its kind, slot and index. LoadShop reads it through this
// schema, veloria-check holds it to the strict ranges, the shop tests build their files from it
// and docs/content.md shows it.
#include <cstdint>

#include "content/schema.h"
#include "hero/goods_schema.h"
#include "hero/shop_record.h"

namespace veloria {

inline constexpr FieldSchema kWareFields[] = {
    {"price", 1, nullptr, 1, kAnyLo, kAnyHi, nullptr, "GP it costs", 1, INT32_MAX},
    {"name", 1, nullptr, 0, 0, static_cast<int32_t>(sizeof(Ware::name)) - 1, nullptr,
     "listed in the buy list"},
    {"text", 1, nullptr, 0, 0, static_cast<int32_t>(sizeof(Ware::text)) - 1, nullptr,
     "the hint under the list"},
    {"kind", 1, nullptr, 1, GoodsPiece, GoodsSpell, nullptr, "what it sells"},
    {"slot", 1, nullptr, 1, kAnyLo, kAnyHi, nullptr, "by kind"},
    {"index", 1, nullptr, 1, kAnyLo, kAnyHi, nullptr, "by kind"},
};
inline constexpr RecordSchema kWareSchema = {"Ware", kWareFields, 6};

inline constexpr FieldSchema kShopFields[] = {
    {"wareCount", 1, nullptr, 1, kAnyLo, kAnyHi, nullptr,
     "wares that follow; more than 10 are cut to 10, fewer than 0 leave the shop empty", 1, kWares},
    {"wares", kWares, &kWareSchema, RecordIntegers(kWareSchema), kAnyLo, kAnyHi, nullptr,
     "as many as wareCount says"},
};
inline constexpr RecordSchema kShopSchema = {"shop file", kShopFields, 2, true};

// Pieces and spells can be bought once, items any number of times.
inline constexpr KindSchema kWareKinds[] = {
    {GoodsPiece, "an equipment piece (once)", &kPieceGoodsSchema},
    {GoodsItem, "one inventory item", &kItemGoodsSchema},
    {GoodsSpell, "a spell (once)", &kSpellGoodsSchema},
};
constexpr int32_t kWareKindCount = sizeof(kWareKinds) / sizeof(kWareKinds[0]);

constexpr int32_t WareFieldAt(const char* name) {
    return FieldOffset(kWareSchema, name);
}
constexpr const FieldSchema& WareField(const char* name) {
    return *FindField(kWareSchema, name);
}
static_assert(RecordIntegers(kWareSchema) == 4);
static_assert(WareFieldAt("slot") + 1 == WareFieldAt("index"), "goods follow their kind");

}  // namespace veloria
