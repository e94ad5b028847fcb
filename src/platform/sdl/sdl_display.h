#pragma once
// The display on SDL_Renderer: a full-screen desktop window with a 1024 x 768 logical size
// (letterboxed), or, for the headless runner, an off-screen renderer whose frames can be read
// back as PNG.
#include <SDL2/SDL.h>

#include <cstdint>

#include "presentation/platform.h"

namespace veloria {

class StartAhead;

class SdlDisplay : public Display {
  public:
    // SDL's video subsystem must be initialised. Returns nullptr (with the SDL error on stderr)
    // when no window or renderer could be created. offscreen: hidden 1024 x 768 window, software
    // renderer, every frame rendered into a target texture that SaveLastFrame can read.
    // contentRoot: the game directory the names it is given are relative to (null: the working
    // directory); copied.
    static SdlDisplay* Create(bool offscreen, const char* contentRoot = nullptr);
    ~SdlDisplay() override;

    // Writes the last presented 1024 x 768 frame as a PNG file.
    bool SaveLastFrame(const char* pngPath);
    SDL_Window* Window() const { return window_; }
    // The first picture and the font, made while the window was being made, are taken from
    // ahead instead of made again (it must outlive the display).
    void UseStartAhead(StartAhead* ahead);
    // Alt+Enter: between full screen and a 1024 x 768 window.
    void ToggleFullscreen();
    // True when the renderer presents in step with the display's refresh.
    bool HasVsync() const { return vsync_; }
    // The display's refresh rate in Hz (60 when unknown).
    int RefreshRate() const;
    // The render device was reset or lost (SDL_RENDER_DEVICE_RESET).
    void MarkDeviceLost() { lost_ = true; }
    // The window's contents may have been lost (exposed, resized, shown): the next frame is
    // drawn even when it equals the one on screen.
    void Invalidate();
    // Frames actually drawn and presented (an unchanged frame is not drawn again).
    uint32_t DrawnFrames() const;

    void MaxTextureSize(int32_t* width, int32_t* height) override;
    bool LoadTileLibrary(const char* path) override;
    void ReleaseTextures() override;
    bool CreateFont() override;
    void ReleaseFont() override;
    bool MeasureText(const char* text, int32_t* width, int32_t* height) override;
    PresentResult Present(const Renderer& r, int32_t quadCount, bool withBackground) override;
    void PresentBlack() override;
    bool DeviceLost() override { return lost_; }

  private:
    SdlDisplay() = default;
    struct Impl;
    Impl* impl_ = nullptr;
    SDL_Window* window_ = nullptr;
    bool vsync_ = false;
    bool lost_ = false;
};

}  // namespace veloria
