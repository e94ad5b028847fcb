// Veloria: the game program. Finds the game directory, wires the SDL back ends to the one Game,
// and runs the loop: drain events, poll the joystick, draw one frame, pace to the display.
#include <SDL2/SDL.h>

#include <cstdio>

#include "flow/frame_loop.h"
#include "flow/game.h"
#include "flow/reset.h"
#include "platform/diagnostics/stderr_diagnostics.h"
#include "platform/heap/memory_use.h"
#include "platform/sdl/game_directory.h"
#include "platform/sdl/quit_watchdog.h"
#include "platform/sdl/save_location.h"
#include "platform/sdl/sdl_audio.h"
#include "platform/sdl/sdl_clock.h"
#include "platform/sdl/sdl_display.h"
#include "platform/sdl/sdl_joystick.h"
#include "platform/sdl/sdl_shell.h"
#include "platform/sdl/start_ahead.h"
#include "platform/sdl/window_loop.h"
#include "presentation/platform.h"
#include "presentation/screens.h"
#include "world/startup.h"

namespace {

using namespace veloria;

bool ReportMissingGameDirectory(const GameDirSearch& search) {
    char dirs[kGameDirCandidates * kGameDirPathSize];
    DescribeSearch(search, dirs, sizeof(dirs));
    std::fprintf(stderr,
                 "veloria: no game directory (art/tilelib1.mpt and data/) found; searched:\n%s",
                 dirs);
    char text[512];
    std::snprintf(text, sizeof(text),
                  "The game files (art/tilelib1.mpt and data/) were not found.\n"
                  "Searched:\n%.400s",
                  dirs);
    SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_ERROR, "Veloria", text, nullptr);
    return false;
}

}  // namespace

int main(int, char**) {
    TuneHeapForLoaders();
    // The one Game, far too large for the stack; the helpers above get it passed in.
    static Game game;
    // The game directory first: the first title picture and the font are then made on a thread
    // of their own while SDL starts video and makes the window.
    static GameDirSearch search;
    if (!FindGameDirectory(&search)) {
        if (SDL_Init(SDL_INIT_VIDEO) != 0) std::fprintf(stderr, "veloria: %s\n", SDL_GetError());
        ReportMissingGameDirectory(search);
        SDL_Quit();
        return 1;
    }
    StartAhead ahead;  // outlives the display, which takes from it
    ahead.Start(search.candidates[search.found], kFirstTitlePicture);
    if (SDL_Init(SDL_INIT_VIDEO | SDL_INIT_EVENTS | SDL_INIT_TIMER) != 0) {
        std::fprintf(stderr, "veloria: cannot start SDL: %s\n", SDL_GetError());
        return 1;
    }
    StartQuitWatchdog();
    const char* root = search.candidates[search.found];
    const SaveSlots* saveSlots = ChooseSaveSlots(root);

    static SdlClock clock;
    static SdlAudio audio(root);
    static SdlJoystick joystick;
    static SdlShell shell(root);
    static StderrDiagnostics diagnostics;
    audio.Open();  // no device: the game runs silent
    ResetGame(game,
              Platform{&clock, nullptr, &audio, &joystick, &shell, saveSlots, &diagnostics, root});
    StartupLoad(game);

    SdlDisplay* display = SdlDisplay::Create(false, root);
    if (display == nullptr) {
        char text[512];
        std::snprintf(text, sizeof(text), "Failed to create the display:\n%.400s", SDL_GetError());
        shell.MessageBox(text, "Veloria");
        audio.Close();
        SDL_Quit();
        return 1;
    }
    display->UseStartAhead(&ahead);
    if (SDL_Surface* icon = ahead.TakeIcon()) {
        SDL_SetWindowIcon(display->Window(), icon);  // SDL keeps its own copy
        SDL_FreeSurface(icon);
    }
    shell.SetWindow(display->Window());
    game.platform.display = display;

    RunWindowLoop(game, display, nullptr);

    // Shut-down: joystick, then the display, then the exit report.
    Shutdown(game);
    joystick.Close();
    game.platform.display = nullptr;
    shell.SetWindow(nullptr);
    delete display;
    audio.Close();
    // The game itself ignores the quit message's code, but scripts and desktops read the status:
    // a game ended by a graphics failure says so and does not exit with 0.
    const bool failed = game.renderer.lastResult != 0 || game.renderer.errorText[0] != '\0';
    if (failed) {
        std::fprintf(stderr, "veloria: graphics error %d: %.256s\n", game.renderer.lastResult,
                     game.renderer.errorText);
    }
    SDL_Quit();
    return failed ? 1 : 0;
}
