#include "presentation/screens.h"

#include "flow/game.h"
#include "presentation/renderer.h"
#include "presentation/sound.h"
#include "presentation/text.h"

namespace veloria {

namespace {
// Every fixed screen shows one full-screen picture with its texts over it and no quads.
void ShowBackground(Game& g, const char* file) {
    SetBackgroundFile(g, "%s", file);
    SetBackground(g, g.backgroundFile);
}

void Present(Game& g) {
    DrawFrame(g, 0, 1);
}
}  // namespace

void QuitConfirmScreen(Game& g) {
    MusicKeepAlive(g);
    ShowBackground(g, "art/bg/main_menu3.bmp");
    DrawText(g, 0, "Quit Game?", 445, 300, kColourDarkRed);
    DrawText(g, 1, "ESC: Yes", 445, 350, kColourDarkGreen);
    DrawText(g, 2, "2: Cancel", 445, 380, kColourDarkGreen);
    Present(g);
}

void GameSavedScreen(Game& g) {
    MusicKeepAlive(g);
    ShowBackground(g, "art/bg/main_menu3.bmp");
    // A save that could not be written must not be announced as done.
    const char* text = g.menus.saveFailed ? "Game could not be saved..." : "Game is saved...";
    DrawText(g, 0, text, 430, 300, kColourDarkRed);
    DrawText(g, 1, "1: Continue", 430, 350, kColourDarkGreen);
    Present(g);
}

void CannotSaveScreen(Game& g) {
    MusicKeepAlive(g);
    ShowBackground(g, "art/bg/main_menu3.bmp");
    DrawText(g, 0, "You cannot Save while in battle...", 365, 300, kColourDarkRed);
    DrawText(g, 1, "Press Button 2 for main menu...", 365, 460, kColourDarkGreen);
    Present(g);
}

void HeroDeadScreen(Game& g) {
    MusicKeepAlive(g);
    ShowBackground(g, "art/bg/herodead.bmp");
    Present(g);
}

// The first two pictures hold for their intro sounds once per run; afterwards the third picture
// shows at once and the title takes input.
void TitleScreen(Game& g) {
    MusicKeepAlive(g);
    ScreenProgress& s = g.screens;
    if (s.titleStep <= 1) {
        ShowBackground(g, kFirstTitlePicture);
        Present(g);
        PlayWaveWait(g, "sound/intro1.wav");
        s.titleStep = 2;
    } else if (s.titleStep == 2) {
        ShowBackground(g, "art/bg/title2.bmp");
        Present(g);
        PlayWaveWait(g, "sound/intro2.wav");
        s.titleStep = 3;
    } else {
        ShowBackground(g, "art/bg/title3.bmp");
        DrawText(g, 0, "Zandric", 860, 730, kColourWhite);
        Present(g);
    }
}

void StoryScrollScreen(Game& g) {
    MusicKeepAlive(g);
    if (g.screens.storyDrawn != 0) return;  // the picture already presented stays
    ShowBackground(g, "art/bg/scroll1.bmp");
    DrawText(g, 0, "Press any Button to continue...", 400, 730, kColourGreen);
    Present(g);
    ChangeMusic(g, "music/level06.mid");
    g.screens.storyDrawn = 1;
}

void EndStoryScreen(Game& g) {
    MusicKeepAlive(g);
    ScreenProgress& s = g.screens;
    if (s.endWaiting != 0 || s.endPage < 0 || s.endPage > 3) return;
    SetBackgroundFile(g, "art/bg/end_story%d.bmp", s.endPage + 1);
    SetBackground(g, g.backgroundFile);
    Present(g);
    if (s.endPage == 0) ChangeMusic(g, "music/game_end.mid");
    s.endPage = s.endPage + 1;
    s.endWaiting = 1;
}

}  // namespace veloria
