#pragma once
// The 56 animated tiles.
#include <cstdint>

#include "world/anim_table_record.h"

namespace veloria {

struct Game;

void LoadAnimFile(Game& g, const char* path);
void AnimateTiles(Game& g);
// Tile shown by an animation entry now (0 for an index outside the table).
int32_t AnimTileNow(const Game& g, int32_t index);

}  // namespace veloria
