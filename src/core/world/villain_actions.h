#pragma once
// The villain's decisions: healing, teleporting and casting.
#include <cstdint>

namespace veloria {

struct Game;

void Decide(Game& g);
void Heal(Game& g);
void StartTeleport(Game& g);
void LandTeleport(Game& g);
void CastSpell(Game& g, int32_t slot);

}  // namespace veloria
