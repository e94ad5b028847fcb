#pragma once
// Entering and leaving battles, the battle panel, the victory pictures.
#include <cstdint>

#include "battle/battle_record.h"

namespace veloria {

struct Game;

void StartGuardianBattle(Game& g, int32_t code);
void EncounterCheck(Game& g);
void EnterBattle(Game& g, int32_t guardian, int32_t villainFile, int32_t musicNumber,
                 const char* musicFile);
void DrawBattlePanel(Game& g);
void VictorySequence(Game& g);
void ReturnFromBattle(Game& g);

}  // namespace veloria
