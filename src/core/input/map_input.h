#pragma once
// Walking and the six action buttons in StateMap and StateBattle.
#include <cstdint>

namespace veloria {

struct Game;

// The handler of StateMap and StateBattle, called by HandleInput after the repeat gate.
void HandleMapInput(Game& g, int8_t code);
// Event code of the cell ahead of the hero; her position ends where it began.
int8_t LookAhead(Game& g);
void StepHero(Game& g, int8_t code);

}  // namespace veloria
