#pragma once
// The game's main loop on a real window: drain the window's events (keys through KeyToInputCode,
// Alt+Enter, the window's close), run one pass (joystick poll and frame), pace to the display.
// The game runs it bare; veloria-play's recorder runs the very same loop with hooks that write
// down what the game was given.
#include <cstdint>

#include "flow/game.h"
#include "platform/sdl/sdl_display.h"

namespace veloria {

class WindowLoopHooks {
  public:
    virtual ~WindowLoopHooks() = default;
    // A pass begins: before the window's events are taken.
    virtual void PassBegins() {}
    // A key-down gave the game this input code; called just before the game handles it.
    virtual void KeyGiven(int8_t code) { (void)code; }
    virtual void FullscreenToggled() {}
    // The window is closed (or the process told to end): the game is told to quit next.
    virtual void WindowClosing() {}
    virtual void DeviceReset() {}
    // The pass is over; ran is false when the game had quit and the loop ends.
    virtual void PassEnded(bool ran) { (void)ran; }
};

// Runs until the game posts its quit or the window is closed. hooks may be null.
void RunWindowLoop(Game& g, SdlDisplay* display, WindowLoopHooks* hooks);

}  // namespace veloria
