#pragma once
// Damage between the heroine and the villain, level-ups and the rewards of a victory.
#include <cstdint>

namespace veloria {

struct Game;
struct Projectile;

constexpr int32_t kHeroLevels = 25;
constexpr int32_t kMagicLevels = 12;
extern const int32_t kHeroLevelTable[kHeroLevels];
extern const int32_t kMagicLevelTable[kMagicLevels];

void DamageVillain(Game& g, Projectile& spell);
void DamageHero(Game& g);
bool HeroLevelDue(const Game& g);
bool MagicLevelDue(const Game& g);
void GrantRewards(Game& g);

}  // namespace veloria
