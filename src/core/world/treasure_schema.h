#pragma once
// The layout of a hidden-treasure file "data/hidden/htNN.txt": its record and its gold.
// DigTreasure takes the record's range from here, veloria-check its positions and
// docs/content.md its table.
#include <cstdint>

#include "content/schema.h"
#include "world/level_map_record.h"

namespace veloria {

inline constexpr FieldSchema kTreasureFileFields[] = {
    {"record", 1, nullptr, 1, 0, kTreasures - 1, "treasure record",
     "the treasure it fills; must be the file's NN"},
    {"amount", 1, nullptr, 1, kAnyLo, kAnyHi, nullptr, "GP dug up, cut to the purse", 1, INT32_MAX},
};
inline constexpr RecordSchema kTreasureFileSchema = {"treasure file", kTreasureFileFields, 2};

constexpr int32_t kTreasureFileIntegers = RecordIntegers(kTreasureFileSchema);
static_assert(kTreasureFileIntegers == 2);

}  // namespace veloria
