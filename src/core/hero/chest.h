#pragma once
// Treasure chests on the level map.
#include <cstdint>

#include "hero/chest_record.h"

namespace veloria {

struct Game;

void OpenChest(Game& g, int32_t code);
void LoadChest(Game& g, const char* path);

}  // namespace veloria
