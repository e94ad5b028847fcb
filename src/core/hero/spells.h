#pragma once
// Spell shots: launch, flight and hits.
#include <cstdint>

namespace veloria {

struct Game;
struct Projectile;

void CastHeroSpell(Game& g);
void LaunchVillainSpell(Game& g);
void StepProjectile(Game& g, Projectile& p);
void HeroSpellHits(Game& g);
void VillainSpellHits(Game& g);

}  // namespace veloria
