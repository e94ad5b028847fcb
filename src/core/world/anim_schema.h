#pragma once
// The layout of an animated-tile file "data/anims/animNN.txt": five integers. LoadAnimFile
// takes its ranges from here, veloria-check its positions and strict ranges and docs/content.md
// its table.
#include <cstdint>

#include "content/schema.h"
#include "presentation/tiles.h"
#include "world/anim_table_record.h"

namespace veloria {

inline constexpr FieldSchema kAnimFileFields[] = {
    {"entry", 1, nullptr, 1, 0, kAnimTiles - 1, "animation entry",
     "the entry it fills; must be the file's NN"},
    {"period", 1, nullptr, 1, kAnyLo, kAnyHi, nullptr, "ms between frames", 1, INT32_MAX},
    {"frame", 1, nullptr, 1, kAnyLo, kAnyHi, nullptr,
     "frame at the start, kept in one byte (only 0 and 1 flip)", 0, 1},
    {"tiles", 2, nullptr, 1, kAnyLo, kAnyHi, nullptr, "tile of frame 0 and of frame 1", 0,
     kTileCells - 1},
};
inline constexpr RecordSchema kAnimFileSchema = {"animation file", kAnimFileFields, 4};

constexpr int32_t kAnimFileIntegers = RecordIntegers(kAnimFileSchema);
static_assert(kAnimFileIntegers == 5);
static_assert(sizeof(AnimTile::tiles) / sizeof(int32_t) == kAnimFileFields[3].count);

constexpr int32_t AnimFieldAt(const char* name) {
    return FieldOffset(kAnimFileSchema, name);
}

}  // namespace veloria
