#include "platform/sdl/tile_atlas.h"

#include <SDL2/SDL_image.h>

#include <cstdio>
#include <cstring>

namespace veloria {

namespace {

constexpr uint32_t kTransparentGreen = 0xFF00FF00u;
constexpr int kLibrarySide = kAtlasCell * kAtlasColumns;

// One band of 128 library rows in ARGB8888, converted exactly as the whole picture would be
// (palette, colour key and blend mode carried over), so a band costs 2 MiB instead of the
// picture's 64.
SDL_Surface* ConvertBand(SDL_Surface* picture, int band) {
    uint8_t* first = static_cast<uint8_t*>(picture->pixels) +
                     static_cast<size_t>(band) * kAtlasCell * static_cast<size_t>(picture->pitch);
    SDL_Surface* view = SDL_CreateRGBSurfaceWithFormatFrom(first, picture->w, kAtlasCell,
                                                           picture->format->BitsPerPixel,
                                                           picture->pitch, picture->format->format);
    if (view == nullptr) return nullptr;
    if (picture->format->palette != nullptr) SDL_SetSurfacePalette(view, picture->format->palette);
    Uint32 key = 0;
    if (SDL_GetColorKey(picture, &key) == 0) SDL_SetColorKey(view, SDL_TRUE, key);
    SDL_BlendMode mode = SDL_BLENDMODE_NONE;
    if (SDL_GetSurfaceBlendMode(picture, &mode) == 0) SDL_SetSurfaceBlendMode(view, mode);
    SDL_Surface* band32 = SDL_ConvertSurfaceFormat(view, SDL_PIXELFORMAT_ARGB8888, 0);
    SDL_FreeSurface(view);
    return band32;
}

uint32_t* Row(SDL_Surface* s, int y) {
    return reinterpret_cast<uint32_t*>(static_cast<uint8_t*>(s->pixels) +
                                       static_cast<size_t>(y) * static_cast<size_t>(s->pitch));
}

// Turns key green transparent in one cell of a band and tells what the cell looks like.
CellLook KeyAndClassify(SDL_Surface* band, int column) {
    bool anyShown = false;
    bool allOpaque = true;
    for (int y = 0; y < kAtlasCell; ++y) {
        uint32_t* p = Row(band, y) + column * kAtlasCell;
        for (int x = 0; x < kAtlasCell; ++x) {
            if (p[x] == kTransparentGreen) p[x] = 0;
            const uint32_t alpha = p[x] >> 24;
            if (alpha != 0) anyShown = true;
            if (alpha != 0xFF) allOpaque = false;
        }
    }
    if (!anyShown) return CellLook::Empty;
    return allOpaque ? CellLook::Opaque : CellLook::Mixed;
}

bool Fail(TileAtlas* atlas, const char* format, const char* path, const char* detail) {
    std::snprintf(atlas->error, sizeof(atlas->error), format, path, detail);
    FreeTileAtlas(atlas);
    return false;
}

}  // namespace

bool BuildTileAtlas(const char* path, TileAtlas* atlas) {
    FreeTileAtlas(atlas);
    atlas->error[0] = '\0';
    SDL_Surface* picture = IMG_Load(path);  // format from the contents, whatever the name
    if (picture == nullptr) return Fail(atlas, "cannot load %s: %s", path, IMG_GetError());
    if (picture->w != kLibrarySide || picture->h != kLibrarySide) {
        char size[64];
        std::snprintf(size, sizeof(size), "%d x %d", picture->w, picture->h);
        SDL_FreeSurface(picture);
        return Fail(atlas, "%s: unusable size %s", path, size);
    }
    bool ok = SDL_LockSurface(picture) == 0;
    for (int band = 0; ok && band < kAtlasColumns; ++band) {
        SDL_Surface* pixels = ConvertBand(picture, band);
        if (pixels == nullptr) {
            ok = false;
            break;
        }
        for (int column = 0; column < kAtlasColumns; ++column) {
            const int cell = band * kAtlasColumns + column;
            atlas->look[cell] = KeyAndClassify(pixels, column);
            atlas->slot[cell] = -1;
            if (atlas->look[cell] == CellLook::Empty) continue;
            const int slot = atlas->cellCount++;
            const int row = slot / kAtlasColumns;
            if (row == atlas->rowCount) {
                atlas->rows[row] = SDL_CreateRGBSurfaceWithFormat(0, kLibrarySide, kAtlasCell, 32,
                                                                  SDL_PIXELFORMAT_ARGB8888);
                if (atlas->rows[row] == nullptr) {
                    ok = false;
                    break;
                }
                ++atlas->rowCount;
            }
            const int x = (slot % kAtlasColumns) * kAtlasCell;
            for (int y = 0; y < kAtlasCell; ++y)
                std::memcpy(Row(atlas->rows[row], y) + x, Row(pixels, y) + column * kAtlasCell,
                            kAtlasCell * sizeof(uint32_t));
            atlas->slot[cell] = static_cast<int16_t>(slot);
        }
        SDL_FreeSurface(pixels);
    }
    if (ok) SDL_UnlockSurface(picture);
    SDL_FreeSurface(picture);
    if (!ok) return Fail(atlas, "cannot convert %s: %s", path, SDL_GetError());
    return true;
}

void ReleaseAtlasPixels(TileAtlas* atlas) {
    for (SDL_Surface*& row : atlas->rows) {
        if (row != nullptr) SDL_FreeSurface(row);
        row = nullptr;
    }
}

void FreeTileAtlas(TileAtlas* atlas) {
    ReleaseAtlasPixels(atlas);
    atlas->rowCount = 0;
    atlas->cellCount = 0;
    for (int i = 0; i < kLibraryCells; ++i) {
        atlas->slot[i] = -1;
        atlas->look[i] = CellLook::Empty;
    }
}

void InvertTileAtlas(TileAtlas* atlas) {
    for (int r = 0; r < atlas->rowCount; ++r) {
        SDL_Surface* s = atlas->rows[r];
        if (s == nullptr) continue;
        for (int y = 0; y < s->h; ++y) {
            uint32_t* p = Row(s, y);
            for (int x = 0; x < s->w; ++x) p[x] ^= 0x00FFFFFFu;
        }
    }
}

}  // namespace veloria
