#include "input/handle_input.h"

#include <cstdint>

#include "flow/bounded_text.h"
#include "flow/game.h"
#include "flow/game_state.h"
#include "hero/dialog.h"
#include "input/input_codes.h"
#include "input/input_device.h"
#include "input/map_input.h"
#include "input/menu_input.h"
#include "presentation/renderer.h"
#include "presentation/sound.h"

namespace veloria {

void HandleInput(Game& g, int32_t source, int32_t code) {
    const int8_t c = static_cast<int8_t>(code & 0xFF);  // only the low byte is a code
    if (c == InputNone) return;
    if (!AcceptInput(g, source, c, g.lastInputCode)) return;
    g.lastInputCode = c;
    if (g.flow.gameState == StateMap || g.flow.gameState == StateBattle) {
        HandleMapInput(g, c);
    } else {
        HandleMenuInput(g, c);
    }
}

void EnterMainMenu(Game& g) {
    g.flow.returnState = g.flow.gameState;
    g.flow.gameState = StateMainMenu;
    InstallMenuDelays(g);
    PlayWave(g, "sound/button2.wav");
    SetBackgroundFile(g, "art/bg/main_menu1.bmp");
    g.menus.menuPictureFrame = 1;
    ChangeMusic(g, "music/menu.mid");
    g.mapFrame.mapEntered = 0;
}

void ResumePlay(Game& g) {
    g.flow.gameState = g.flow.returnState;
    InstallWalkingDelays(g);
    PlayWave(g, "sound/button3.wav");
    // The battle name uses the same two-digit format as the battle start, so battle music
    // numbers from 10 up resume the piece that was playing.
    if (g.level.inArena != 0) {
        ChangeMusic(g, "music/battle%02d.mid", g.level.battleMusic);
    } else {
        ChangeMusic(g, "music/level%02d.mid", g.level.levelMusic);
    }
    g.mapFrame.mapEntered = 0;
}

void BackToMainMenu(Game& g, const char* sound) {
    g.flow.gameState = StateMainMenu;
    SetBackgroundFile(g, "art/bg/main_menu1.bmp");
    g.menus.menuPictureFrame = 1;
    PlayWave(g, sound);
}

void ShowDialogFile(Game& g, int32_t number) {
    PlayWave(g, "sound/nomag.wav");
    char path[64];
    FormatText(path, sizeof(path), "data/dialog/dialog%02d.txt", number);
    LoadDialog(g, path);
    g.flow.returnState = g.flow.gameState;
    g.flow.gameState = StateDialog;
}

void MoveCursor(Game& g, int8_t code, int32_t* cursor, int32_t count) {
    if (!cursor) return;
    if (code == InputUp) {
        if (*cursor > 0) {
            --*cursor;
            PlayWave(g, "sound/click.wav");
        }
    } else if (code == InputDown) {
        // Widened: a count read from content may be anything.
        if (static_cast<int64_t>(*cursor) < static_cast<int64_t>(count) - 1) {
            ++*cursor;
            PlayWave(g, "sound/click.wav");
        }
    }
}

}  // namespace veloria
