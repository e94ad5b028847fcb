#include "platform/sdl/window_loop.h"

#include <SDL2/SDL.h>

#include <cstdint>

#include "flow/frame_loop.h"
#include "flow/game.h"
#include "input/handle_input.h"
#include "input/input_codes.h"
#include "platform/sdl/keys.h"

namespace veloria {

namespace {

// Sleeps to the next frame deadline when presenting did not wait for the display: without
// vsync, or when vsync is not honoured (some virtual displays), the loop would spin a core.
class FramePacer {
  public:
    FramePacer(bool vsync, int refreshHz)
        : vsync_(vsync),
          period_(SDL_GetPerformanceFrequency() /
                  static_cast<Uint64>(refreshHz > 0 ? refreshHz : 60)) {}

    void FrameDone() {
        const Uint64 frequency = SDL_GetPerformanceFrequency();
        Uint64 now = SDL_GetPerformanceCounter();
        Uint64 elapsed = now - frameStart_;
        if (frameStart_ != 0 && (!vsync_ || elapsed < period_ / 2) && elapsed < period_) {
            Uint32 ms = static_cast<Uint32>((period_ - elapsed) * 1000 / frequency);
            if (ms > 0) SDL_Delay(ms);
            now = SDL_GetPerformanceCounter();
        }
        frameStart_ = now;
    }

  private:
    bool vsync_;
    Uint64 period_;
    Uint64 frameStart_ = 0;
};

WindowLoopHooks noHooks;

void HandleKey(Game& g, SdlDisplay* display, const SDL_KeyboardEvent& key, WindowLoopHooks* h) {
    if (key.keysym.sym == SDLK_RETURN && (key.keysym.mod & KMOD_ALT) != 0) {
        if (!key.repeat) {
            display->ToggleFullscreen();
            h->FullscreenToggled();
        }
        return;
    }
    int8_t code = KeyToInputCode(key.keysym.sym);
    // Auto-repeat counts: the game's repeat gate thins held keys out.
    if (code != 0) {
        h->KeyGiven(code);
        HandleInput(g, SourceKeyboard, code);
    }
}

}  // namespace

void RunWindowLoop(Game& g, SdlDisplay* display, WindowLoopHooks* hooks) {
    WindowLoopHooks* h = hooks ? hooks : &noHooks;
    FramePacer pacer(display->HasVsync(), display->RefreshRate());
    for (;;) {
        h->PassBegins();
        SDL_Event e;
        while (SDL_PollEvent(&e)) {
            switch (e.type) {
                case SDL_QUIT:
                    // Closing the window ends the game at once; the orderly quit path is not run.
                    h->WindowClosing();
                    PostQuit(g, 0);
                    break;
                case SDL_KEYDOWN:
                    HandleKey(g, display, e.key, h);
                    break;
                case SDL_RENDER_DEVICE_RESET:
                    display->MarkDeviceLost();
                    h->DeviceReset();
                    break;
                case SDL_RENDER_TARGETS_RESET:
                case SDL_WINDOWEVENT:
                    // The window may show nothing useful now: draw the next frame whole.
                    display->Invalidate();
                    break;
                default:
                    break;
            }
        }
        const bool ran = LoopPass(g);
        h->PassEnded(ran);
        if (!ran) return;
        pacer.FrameDone();
    }
}

}  // namespace veloria
