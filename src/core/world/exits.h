#pragma once
// Level exits, lairs and hidden treasure.
#include <cstdint>

namespace veloria {

struct Game;

void TakeExit(Game& g, int32_t code);
void EnterLair(Game& g, int32_t code);
void DigTreasure(Game& g, int32_t code);
void TreasureHint(Game& g, int32_t code);

}  // namespace veloria
