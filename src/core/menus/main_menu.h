#pragma once
// The in-game menu with its status panel, the attribute roll and the start of a new game.
#include <cstdint>

#include "presentation/timer.h"

namespace veloria {

struct Game;

struct MenuState {
    int32_t menuPictureFrame;  // 1 or 2
    Timer menuPictureTimer;
    int32_t rerollFlag;
    int32_t loadScreenDrawn;  // the load screen's draw-once flag
    int32_t saveFailed;       // the last SaveGame could not write its slot
};

void MainMenuScreen(Game& g);
void AttributeScreen(Game& g);
void RollAttributes(Game& g);
void StartNewGame(Game& g);

}  // namespace veloria
