#pragma once
// The one entry from input codes to game actions.
#include <cstdint>

namespace veloria {

struct Game;

void HandleInput(Game& g, int32_t source, int32_t code);

// Sequences shared by the per-state handlers (input/map_input.h, input/menu_input.h).
void EnterMainMenu(Game& g);
void ResumePlay(Game& g);
void BackToMainMenu(Game& g, const char* sound);
void ShowDialogFile(Game& g, int32_t number);
void MoveCursor(Game& g, int8_t code, int32_t* cursor, int32_t count);

}  // namespace veloria
