#pragma once
// The input of every screen but the map and the battle.
#include <cstdint>

namespace veloria {

struct Game;

// The handler of every other state, called by HandleInput after the repeat gate.
void HandleMenuInput(Game& g, int8_t code);

}  // namespace veloria
