#pragma once
// The built game directory played through the real SDL display off screen (software renderer),
// with the test fakes for the clock, sound, joystick and shell: the frames of real screens for
// the frame benchmarks and the allocation test.
#include <SDL2/SDL.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>

#include "flow/frame_loop.h"
#include "flow/game.h"
#include "flow/reset.h"
#include "input/handle_input.h"
#include "input/input_codes.h"
#include "platform/diagnostics/stderr_diagnostics.h"
#include "platform/fake/fakes.h"
#include "platform/sdl/sdl_display.h"
#include "presentation/platform.h"
#include "world/startup.h"

namespace veloria {

class RealGame {
  public:
    RealGame() : game_(std::make_unique<Game>()) {}
    RealGame(const RealGame&) = delete;
    RealGame& operator=(const RealGame&) = delete;
    ~RealGame() {
        delete display_;
        if (videoUp_) SDL_QuitSubSystem(SDL_INIT_VIDEO);
    }

    // Opens the display on the game directory and runs the first frame (the title).
    bool Start(const char* gameDir) {
        root_ = gameDir;
        setenv("SDL_VIDEODRIVER", "dummy", 1);
        if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) return false;
        videoUp_ = true;
        display_ = SdlDisplay::Create(true, root_.c_str());
        if (display_ == nullptr) return false;
        audio_.contentRoot = root_.c_str();
        ResetGame(g(), Platform{&clock_, display_, &audio_, &joystick_, &shell_, nullptr,
                                &diagnostics_, root_.c_str()});
        StartupLoad(g());
        Frames(1);
        return g().renderer.tileLibrary != 0 && g().renderer.font != 0;
    }

    Game& g() { return *game_; }
    SdlDisplay* Display() { return display_; }

    // One pass of the main loop, then 16 ms, as the headless runner does.
    void Frames(int n) {
        for (int i = 0; i < n; ++i) {
            LoopPass(g());
            clock_.Advance(16);
        }
    }
    void Wait(uint32_t ms) { Frames(static_cast<int>((ms + 15) / 16)); }
    // A key between frames, after the repeat gate's longest delay.
    void Key(int8_t code) {
        Wait(600);
        HandleInput(g(), SourceKeyboard, code);
        Frames(1);
    }

    // Title, story and the first attribute roll: standing on level 1.
    void NewGame() {
        Frames(2);
        HandleInput(g(), SourceKeyboard, InputButton2);  // past the title pictures
        Frames(1);
        Key(InputButton1);  // the story
        Key(InputButton1);  // the roll accepted
    }

  private:
    ManualClock clock_;
    RecordingAudio audio_{&clock_};
    ScriptedJoystick joystick_;
    RecordingShell shell_;
    StderrDiagnostics diagnostics_;
    std::unique_ptr<Game> game_;
    SdlDisplay* display_ = nullptr;
    bool videoUp_ = false;
    std::string root_;
};

}  // namespace veloria
