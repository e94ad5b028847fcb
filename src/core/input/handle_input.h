#pragma once
// The one entry from input codes to game actions.
#include <cstdint>

namespace veloria {

struct Game;

void HandleInput(Game& g, int32_t source, int32_t code);

// Per-state handlers, called by HandleInput after the repeat gate.
void HandleMapInput(Game& g, int8_t code);   // StateMap and StateBattle
void HandleMenuInput(Game& g, int8_t code);  // every other state

// Sequences shared by the handlers.
void EnterMainMenu(Game& g);
void ResumePlay(Game& g);
void BackToMainMenu(Game& g, const char* sound);
void ShowDialogFile(Game& g, int32_t number);
void MoveCursor(Game& g, int8_t code, int32_t* cursor, int32_t count);
// Event code of the cell ahead of the hero; her position ends where it began.
int8_t LookAhead(Game& g);
void StepHero(Game& g, int8_t code);

}  // namespace veloria
