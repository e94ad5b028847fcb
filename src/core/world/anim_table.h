#pragma once
// The 56 animated tiles.
#include <cstdint>

#include "presentation/timer.h"

namespace veloria {

struct Game;

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

void LoadAnimFile(Game& g, const char* path);
void AnimateTiles(Game& g);
// Tile shown by an animation entry now (0 for an index outside the table).
int32_t AnimTileNow(const Game& g, int32_t index);

}  // namespace veloria
