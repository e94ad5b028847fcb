#pragma once
// Work the first title frame needs that does not need a window: decoding the first picture and
// the window's icon, and opening the font (fontconfig's set-up is most of that). It runs on a
// thread of its own while SDL starts video and makes the window and renderer, and the display takes
// the results instead of making them itself.
#include <SDL2/SDL.h>
#include <SDL2/SDL_ttf.h>

#include <cstddef>

#include "content/content_files.h"

namespace veloria {

// The window's icon, below the game directory; a game directory without one shows none.
constexpr const char* kWindowIconFile = "art/icon.png";
// Larger icons are refused: a desktop shows them at 64 pixels at most.
constexpr int kMaxWindowIconSide = 512;

// Text is drawn in lines of this height.
constexpr int kFontCellHeight = 24;

// The game's font at the point size whose line height is the 24-pixel text cell. On failure,
// returns nullptr and says why in why. TTF must be initialised.
TTF_Font* OpenCellFont(char* why, size_t whySize);

class StartAhead {
  public:
    StartAhead() = default;
    StartAhead(const StartAhead&) = delete;
    StartAhead& operator=(const StartAhead&) = delete;
    // Waits for the thread and frees whatever nobody took.
    ~StartAhead();

    // Starts the thread: decode picture (a name below root) and the icon, and open the font.
    // Call once, on the main thread; false when no thread could be made (the display then does
    // all but the icon).
    bool Start(const char* root, const char* picture);
    // The decoded picture, once, when name is the one started with and it decoded; the caller
    // owns it. Anything else gets nullptr and the caller decodes as usual.
    SDL_Surface* TakePicture(const char* name);
    // The window's icon, once, or nullptr when there is none that can be used; the caller owns
    // it.
    SDL_Surface* TakeIcon();
    // The opened font, once; the caller owns it and one TTF_Init reference with it.
    TTF_Font* TakeFont();

  private:
    static int Run(void* self);
    void Join();

    SDL_Thread* thread_ = nullptr;
    char root_[kContentPathSize] = {};
    char picture_[256] = {};
    SDL_Surface* surface_ = nullptr;
    SDL_Surface* icon_ = nullptr;
    TTF_Font* font_ = nullptr;
    bool ttfInit_ = false;
    bool pictureTaken_ = false;
};

}  // namespace veloria
