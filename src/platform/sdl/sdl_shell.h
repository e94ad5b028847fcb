#pragma once
// Desktop services: open a game file with the user's default handler, show a message box.
#include <SDL2/SDL.h>

#include <cstdint>

#include "presentation/platform.h"

namespace veloria {

class SdlShell : public Shell {
  public:
    // contentRoot: the game directory the names it is given are relative to (null: the working
    // directory); copied.
    explicit SdlShell(const char* contentRoot = nullptr);

    // The window message boxes belong to (may stay null).
    void SetWindow(SDL_Window* window) { window_ = window; }

    void OpenFile(const char* relativePath) override;
    // Shows the box; the text also goes to stderr, so a run without a desktop still tells.
    void MessageBox(const char* text, const char* caption) override;

    // "file://" URL of a name below root (a relative root is taken from the working
    // directory), percent-encoded; false when it does not fit.
    static bool FileUrl(const char* root, const char* relativePath, char* url, int32_t size);

  private:
    SDL_Window* window_ = nullptr;
    char contentRoot_[4352] = {};
};

}  // namespace veloria
