#pragma once
// The frame: device-loss test, music keep-alive, first-frame set-up, one screen by GameState.
#include <cstdint>

#include "flow/frame_loop_record.h"

namespace veloria {

struct Game;

constexpr const char* kWebPage = "web/vx.html";

void RunFrame(Game& g);
// One pass of the main loop after the window's events were handled: the joystick poll (unless
// none is present) handed to HandleInput, then one RunFrame. False, doing nothing more, once the
// quit message is posted: the loop then ends. The game and veloria-play both run exactly this.
//
// Input always arrives between frames, but some handlers present frames of their own before
// they return, so a frame count is not a count of passes: a blocking sound keeps the last
// picture on screen (PlayWaveWait), entering a battle draws the level in negative colours while
// its sound plays (battle.cpp, EnterBattle), an accepted step draws a map frame at once
// (movement.cpp, AfterStepUpdate) and a level exit presents a black frame between levels
// (exits.cpp, PresentBlackFrame).
bool LoopPass(Game& g);
// Draws the screen selected by GameState (nothing for values not in the table).
void DrawByState(Game& g);
void QuitGame(Game& g);
void OpenWebPage(Game& g);
// Posts the quit message; the loop ends at its next pass.
void PostQuit(Game& g, int32_t code);
// Shut-down: stops the music, closes the joystick and releases textures and font. The exit
// report of the last graphics error is the program's to print (Renderer::lastResult).
void Shutdown(Game& g);

}  // namespace veloria
