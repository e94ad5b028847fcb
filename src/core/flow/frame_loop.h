#pragma once
// The frame: device-loss test, music keep-alive, first-frame set-up, one screen by GameState.
#include <cstdint>

namespace veloria {

struct Game;

struct FlowState {
    int32_t gameState;
    int32_t returnState;
    int32_t firstFrame;
    int32_t webPageSwitch;  // 1; OpenWebPage does nothing at 0
    int32_t quitPosted;     // the quit message is waiting
    int32_t quitCode;
    int32_t webPageOpened;  // times the web page was opened (for the runner's dump)
};

constexpr const char* kWebPage = "web/vx.html";

void RunFrame(Game& g);
// Draws the screen selected by GameState (nothing for values not in the table).
void DrawByState(Game& g);
void QuitGame(Game& g);
void OpenWebPage(Game& g);
// Posts the quit message; the loop ends at its next pass.
void PostQuit(Game& g, int32_t code);
// Shut-down: joystick, device; returns the exit report text or nullptr.
void Shutdown(Game& g);

}  // namespace veloria
