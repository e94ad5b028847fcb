#pragma once
// Entering and leaving battles, the battle panel, the victory pictures, damage and rewards.
#include <cstdint>

#include "presentation/timer.h"

namespace veloria {

struct Game;
struct Projectile;

struct MapContext {
    int32_t viewCol, viewRow;
    int32_t heroX, heroY, heroFacing;
    uint8_t mode;
    int32_t scrollX, scrollY;
};

struct BattleState {
    MapContext context;
    int32_t currentGuardian;
    int32_t victoryStep;  // 1..5
    int32_t rewardsShown;
    Timer victoryTimer;
    int32_t earnedXP;
    int32_t earnedGP;
};

constexpr int32_t kHeroLevels = 25;
constexpr int32_t kMagicLevels = 12;
extern const int32_t kHeroLevelTable[kHeroLevels];
extern const int32_t kMagicLevelTable[kMagicLevels];

void StartGuardianBattle(Game& g, int32_t code);
void EncounterCheck(Game& g);
void EnterBattle(Game& g, int32_t guardian, int32_t villainFile, int32_t musicNumber,
                 const char* musicFile);
void DrawBattlePanel(Game& g);
void VictorySequence(Game& g);
void ReturnFromBattle(Game& g);

void DamageVillain(Game& g, Projectile& spell);
void DamageHero(Game& g);
bool HeroLevelDue(const Game& g);
bool MagicLevelDue(const Game& g);
void GrantRewards(Game& g);

}  // namespace veloria
