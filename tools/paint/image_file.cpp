#include <SDL.h>
#include <SDL_image.h>

#include <cstdint>

#include "paint.h"

namespace veloria::paint {

namespace {

bool Save(const std::string& path, int width, int height, uint32_t format, const RowFiller& row,
          bool png) {
    SDL_Surface* s =
        SDL_CreateRGBSurfaceWithFormat(0, width, height, SDL_BITSPERPIXEL(format), format);
    if (s == nullptr) return false;
    SDL_LockSurface(s);
    for (int y = 0; y < height; ++y) row(y, static_cast<uint8_t*>(s->pixels) + y * s->pitch);
    SDL_UnlockSurface(s);
    const bool ok = (png ? IMG_SavePNG(s, path.c_str()) : SDL_SaveBMP(s, path.c_str())) == 0;
    SDL_FreeSurface(s);
    return ok;
}

}  // namespace

bool SavePng(const std::string& path, int width, int height, uint32_t format,
             const RowFiller& row) {
    return Save(path, width, height, format, row, true);
}

bool SaveBmp(const std::string& path, int width, int height, uint32_t format,
             const RowFiller& row) {
    return Save(path, width, height, format, row, false);
}

}  // namespace veloria::paint
