#pragma once
// The fixed picture screens: title sequence, story scroll, end pictures, hero dead, and the quit,
// saved and cannot-save messages.
#include <cstdint>

#include "presentation/screens_record.h"

namespace veloria {

struct Game;

// The title sequence's first picture: the start-up decodes it ahead, while the window is made.
constexpr const char* kFirstTitlePicture = "art/bg/title1.bmp";

void QuitConfirmScreen(Game& g);
void GameSavedScreen(Game& g);
void CannotSaveScreen(Game& g);
void HeroDeadScreen(Game& g);
void TitleScreen(Game& g);
void StoryScrollScreen(Game& g);
void EndStoryScreen(Game& g);

}  // namespace veloria
