#include "platform/sdl/tile_atlas.h"

#include <SDL2/SDL_image.h>
#include <png.h>

#include <csetjmp>
#include <cstdint>
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

namespace {

// Keys one ARGB band of 32 cells and keeps the cells that show anything. False when no memory.
bool PackBand(TileAtlas* atlas, SDL_Surface* pixels, int band) {
    for (int column = 0; column < kAtlasColumns; ++column) {
        const int cell = band * kAtlasColumns + column;
        atlas->look[cell] = KeyAndClassify(pixels, column);
        atlas->slot[cell] = -1;
        if (atlas->look[cell] == CellLook::Empty) continue;
        AtlasRows& sheet = atlas->sheets[SheetOf(atlas->look[cell])];
        const int slot = sheet.cellCount;
        const int row = slot / kAtlasColumns;
        if (row == sheet.rowCount) {
            sheet.rows[row] = SDL_CreateRGBSurfaceWithFormat(0, kLibrarySide, kAtlasCell, 32,
                                                             SDL_PIXELFORMAT_ARGB8888);
            if (sheet.rows[row] == nullptr) return false;
            ++sheet.rowCount;
        }
        const int x = (slot % kAtlasColumns) * kAtlasCell;
        for (int y = 0; y < kAtlasCell; ++y)
            std::memcpy(Row(sheet.rows[row], y) + x, Row(pixels, y) + column * kAtlasCell,
                        kAtlasCell * sizeof(uint32_t));
        atlas->slot[cell] = static_cast<int16_t>(slot);
        ++sheet.cellCount;
    }
    return true;
}

// Any picture SDL_image reads, decoded whole (JPEG, BMP, interlaced PNG).
bool PackDecoded(const char* path, TileAtlas* atlas) {
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
        ok = pixels != nullptr && PackBand(atlas, pixels, band);
        if (pixels != nullptr) SDL_FreeSurface(pixels);
    }
    if (ok) SDL_UnlockSurface(picture);
    SDL_FreeSurface(picture);
    if (!ok) return Fail(atlas, "cannot convert %s: %s", path, SDL_GetError());
    return true;
}

struct PngRead {
    png_structp png = nullptr;
    png_infop info = nullptr;
    char why[200] = {};
};

void PngError(png_structp png, png_const_charp message) {
    auto* r = static_cast<PngRead*>(png_get_error_ptr(png));
    std::snprintf(r->why, sizeof(r->why), "%s", message);
    std::longjmp(png_jmpbuf(png), 1);
}

void PngWarning(png_structp, png_const_charp) {}

// A non-interlaced PNG read 128 rows at a time straight into ARGB8888 (libpng does the
// expansion), so the 64 MiB picture never exists in memory at once. 1 packed, 0 failed,
// -1 not a picture this reader takes (the caller decodes it whole).
int PackPng(FILE* file, const char* path, TileAtlas* atlas, SDL_Surface* band) {
    PngRead r;
    r.png = png_create_read_struct(PNG_LIBPNG_VER_STRING, &r, PngError, PngWarning);
    if (r.png == nullptr) return -1;
    r.info = png_create_info_struct(r.png);
    // Only plain data lives between here and the reads below: a longjmp skips no destructor.
    volatile int result = 0;  // read after a longjmp
    if (r.info == nullptr) {
        result = -1;
    } else if (setjmp(png_jmpbuf(r.png)) != 0) {
        result = 0;  // libpng gave up (the reason is in r.why)
    } else {
        png_init_io(r.png, file);
        png_read_info(r.png, r.info);
        const png_uint_32 w = png_get_image_width(r.png, r.info);
        const png_uint_32 h = png_get_image_height(r.png, r.info);
        const int type = png_get_color_type(r.png, r.info);
        if (png_get_interlace_type(r.png, r.info) != PNG_INTERLACE_NONE) {
            result = -1;
        } else if (w != static_cast<png_uint_32>(kLibrarySide) ||
                   h != static_cast<png_uint_32>(kLibrarySide)) {
            std::snprintf(r.why, sizeof(r.why), "unusable size %u x %u", static_cast<unsigned>(w),
                          static_cast<unsigned>(h));
        } else {
            // To 8-bit B, G, R, A bytes: ARGB8888 in memory on this little-endian machine.
            png_set_expand(r.png);  // palette and low grey to 8 bits, tRNS to alpha
            png_set_strip_16(r.png);
            if (type == PNG_COLOR_TYPE_GRAY || type == PNG_COLOR_TYPE_GRAY_ALPHA)
                png_set_gray_to_rgb(r.png);
            png_set_filler(r.png, 0xFF, PNG_FILLER_AFTER);
            png_set_bgr(r.png);
            png_read_update_info(r.png, r.info);
            result = 1;
            for (int b = 0; result == 1 && b < kAtlasColumns; ++b) {
                for (int y = 0; y < kAtlasCell; ++y)
                    png_read_row(r.png, reinterpret_cast<png_bytep>(Row(band, y)), nullptr);
                if (!PackBand(atlas, band, b)) {
                    std::snprintf(r.why, sizeof(r.why), "out of memory");
                    result = 0;
                }
            }
        }
    }
    png_destroy_read_struct(&r.png, r.info != nullptr ? &r.info : nullptr, nullptr);
    if (result == 0) {
        char why[sizeof(r.why)];
        std::memcpy(why, r.why, sizeof(why));
        Fail(atlas, "cannot load %s: %s", path, why);
    }
    return result;
}

static_assert(SDL_BYTEORDER == SDL_LIL_ENDIAN, "the PNG reader writes B, G, R, A bytes");

}  // namespace

bool BuildTileAtlas(const char* path, TileAtlas* atlas) {
    FreeTileAtlas(atlas);
    atlas->error[0] = '\0';
    FILE* file = std::fopen(path, "rb");
    if (file == nullptr) return Fail(atlas, "cannot load %s: %s", path, "cannot open the file");
    unsigned char signature[8] = {};
    const bool png = std::fread(signature, 1, 8, file) == 8 && png_sig_cmp(signature, 0, 8) == 0;
    int packed = -1;
    if (png) {
        std::rewind(file);
        SDL_Surface* band = SDL_CreateRGBSurfaceWithFormat(0, kLibrarySide, kAtlasCell, 32,
                                                           SDL_PIXELFORMAT_ARGB8888);
        if (band != nullptr) {
            packed = PackPng(file, path, atlas, band);
            SDL_FreeSurface(band);
        }
        if (packed < 0) FreeTileAtlas(atlas);  // whatever it began is started over
    }
    std::fclose(file);
    if (packed >= 0) return packed == 1;
    return PackDecoded(path, atlas);
}

void ReleaseAtlasPixels(TileAtlas* atlas) {
    for (AtlasRows& sheet : atlas->sheets) {
        for (SDL_Surface*& row : sheet.rows) {
            if (row != nullptr) SDL_FreeSurface(row);
            row = nullptr;
        }
    }
}

void FreeTileAtlas(TileAtlas* atlas) {
    ReleaseAtlasPixels(atlas);
    for (AtlasRows& sheet : atlas->sheets) {
        sheet.rowCount = 0;
        sheet.cellCount = 0;
    }
    for (int i = 0; i < kLibraryCells; ++i) {
        atlas->slot[i] = -1;
        atlas->look[i] = CellLook::Empty;
    }
}

}  // namespace veloria
