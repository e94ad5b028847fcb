#pragma once
// The villain of a battle.
#include <cstdint>

#include "world/villain_record.h"

namespace veloria {

struct Game;

constexpr int32_t kLandTeleportTries = 1000;

void LoadVillain(Game& g, int32_t number);
void UpdateVillain(Game& g);
void DrawVillain(Game& g);

}  // namespace veloria
