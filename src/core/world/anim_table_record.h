#pragma once
// The 56 animated tiles.
#include <cstdint>

#include "presentation/timer_record.h"

namespace veloria {

constexpr int32_t kAnimTiles = 56;

struct AnimTile {
    Timer timer;
    int32_t tiles[2];
    uint8_t frame;
    int32_t period;
};

struct AnimTable {
    AnimTile entries[kAnimTiles];
    int32_t count;
    int32_t last;
};

}  // namespace veloria
