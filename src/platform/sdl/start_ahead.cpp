#include "platform/sdl/start_ahead.h"

#include <SDL2/SDL_image.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>

#include "content/content_files.h"
#include "content/media_check.h"
#include "platform/sdl/font_file.h"

namespace veloria {

TTF_Font* OpenCellFont(char* why, size_t whySize) {
    char path[1024];
    int index = 0;
    // Debian's metric aliases give Liberation Serif.
    if (!FindFontFile("Times New Roman", path, sizeof(path), &index)) {
        std::snprintf(why, whySize, "no font for \"Times New Roman\"");
        return nullptr;
    }
    TTF_Font* font = TTF_OpenFontIndex(path, kFontCellHeight, index);
    if (font == nullptr) {
        std::snprintf(why, whySize, "cannot open %s: %s", path, TTF_GetError());
        return nullptr;
    }
    // The point size whose line height is the 24-pixel cell (else the tallest below it).
    int best = 0, bestHeight = 0;
    for (int pt = 8; pt <= 48; ++pt) {
        if (TTF_SetFontSize(font, pt) != 0) continue;
        int h = TTF_FontHeight(font);
        if (h <= kFontCellHeight && h > bestHeight) {
            best = pt;
            bestHeight = h;
        }
    }
    if (best == 0 || TTF_SetFontSize(font, best) != 0) {
        std::snprintf(why, whySize, "%s has no size that fits a %d-pixel line", path,
                      kFontCellHeight);
        TTF_CloseFont(font);
        return nullptr;
    }
    return font;
}

namespace {

// The icon when the game directory has one that passes the checks and is of a sensible size;
// a broken one is said once on stderr, a missing one is not (the game is whole without it).
SDL_Surface* LoadIcon(const char* root) {
    char path[kContentPathSize];
    if (!ContentPath(root, kWindowIconFile, path, sizeof(path))) return nullptr;
    if (access(path, F_OK) != 0) return nullptr;
    char why[kMediaWhySize + 128];
    if (!CheckPictureFile(root, kWindowIconFile, PictureRole::Background, why, sizeof(why))) {
        std::fprintf(stderr, "veloria: %s\n", why);
        return nullptr;
    }
    SDL_Surface* icon = IMG_Load(path);
    if (icon == nullptr) {
        std::fprintf(stderr, "veloria: %s: %s\n", kWindowIconFile, IMG_GetError());
        return nullptr;
    }
    if (icon->w > kMaxWindowIconSide || icon->h > kMaxWindowIconSide) {
        std::fprintf(stderr, "veloria: %s: an icon of %d x %d pixels is larger than %d x %d\n",
                     kWindowIconFile, icon->w, icon->h, kMaxWindowIconSide, kMaxWindowIconSide);
        SDL_FreeSurface(icon);
        return nullptr;
    }
    return icon;
}

}  // namespace

StartAhead::~StartAhead() {
    Join();
    if (surface_ != nullptr) SDL_FreeSurface(surface_);
    if (icon_ != nullptr) SDL_FreeSurface(icon_);
    if (font_ != nullptr) TTF_CloseFont(font_);
    if (ttfInit_) TTF_Quit();
}

bool StartAhead::Start(const char* root, const char* picture) {
    if (thread_ != nullptr) return false;
    if (std::strlen(root) >= sizeof(root_) || std::strlen(picture) >= sizeof(picture_))
        return false;
    std::memcpy(root_, root, std::strlen(root) + 1);
    std::memcpy(picture_, picture, std::strlen(picture) + 1);
    // The image library's set-up is not safe to race with the display's own; it is done here,
    // on the main thread, and the display's later call finds it done.
    IMG_Init(IMG_INIT_PNG | IMG_INIT_JPG);
    thread_ = SDL_CreateThread(Run, "veloria-ahead", this);
    return thread_ != nullptr;
}

int StartAhead::Run(void* self) {
    StartAhead& a = *static_cast<StartAhead*>(self);
    // A picture the checks refuse is left to the display, which says why once.
    char why[kMediaWhySize + 128];
    char path[kContentPathSize];
    if (CheckPictureFile(a.root_, a.picture_, PictureRole::Background, why, sizeof(why)) &&
        ContentPath(a.root_, a.picture_, path, sizeof(path))) {
        if (SDL_Surface* decoded = IMG_Load(path)) {
            // A picture without alpha goes straight into the format its texture takes, so
            // making the texture is a plain copy.
            if (decoded->format->Amask == 0) {
                a.surface_ = SDL_ConvertSurfaceFormat(decoded, SDL_PIXELFORMAT_RGB888, 0);
                SDL_FreeSurface(decoded);
            } else {
                a.surface_ = decoded;
            }
        }
    }
    a.icon_ = LoadIcon(a.root_);
    if (TTF_Init() == 0) {
        a.ttfInit_ = true;
        a.font_ = OpenCellFont(why, sizeof(why));
    }
    return 0;
}

void StartAhead::Join() {
    if (thread_ == nullptr) return;
    SDL_WaitThread(thread_, nullptr);
    thread_ = nullptr;
}

SDL_Surface* StartAhead::TakePicture(const char* name) {
    if (pictureTaken_ || std::strcmp(name, picture_) != 0) return nullptr;
    Join();
    pictureTaken_ = true;
    SDL_Surface* s = surface_;
    surface_ = nullptr;
    return s;
}

SDL_Surface* StartAhead::TakeIcon() {
    Join();
    SDL_Surface* icon = icon_;
    icon_ = nullptr;
    return icon;
}

TTF_Font* StartAhead::TakeFont() {
    Join();
    if (font_ == nullptr) return nullptr;
    TTF_Font* f = font_;
    font_ = nullptr;
    // The TTF reference goes with the font; the display quits it after closing the font.
    ttfInit_ = false;
    return f;
}

}  // namespace veloria
