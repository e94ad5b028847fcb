#pragma once
// The fixed picture screens: title sequence, story scroll, end pictures, hero dead, and the quit,
// saved and cannot-save messages.
#include <cstdint>

namespace veloria {

struct Game;

// The title sequence's first picture: the start-up decodes it ahead, while the window is made.
constexpr const char* kFirstTitlePicture = "art/bg/title1.bmp";

struct ScreenProgress {
    int32_t titleStep;   // 1, 2, 3; never reset
    int32_t storyDrawn;  // never reset
    int32_t endPage;     // 0..4
    int32_t endWaiting;
};

void QuitConfirmScreen(Game& g);
void GameSavedScreen(Game& g);
void CannotSaveScreen(Game& g);
void HeroDeadScreen(Game& g);
void TitleScreen(Game& g);
void StoryScrollScreen(Game& g);
void EndStoryScreen(Game& g);

}  // namespace veloria
