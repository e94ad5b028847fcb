#pragma once
// The tile library as the display keeps it. Most of the library's 1024 cells are pure key green
// (nothing to draw), so only the cells that show anything are kept, packed row by row into two
// sheets 32 cells wide: fully opaque cells (copied without blending, far cheaper) and the rest
// (blended). Two sheets rather than one texture whose blend mode changes between copies: each
// change would make SDL's software blitter map the texture again, allocating every frame.
// Built from the file off the main thread.
#include <SDL2/SDL.h>

#include <cstdint>

namespace veloria {

constexpr int kAtlasCell = 128;
constexpr int kAtlasColumns = 32;
constexpr int kLibraryCells = kAtlasColumns * kAtlasColumns;
constexpr int kAtlasRowCapacity = kLibraryCells / kAtlasColumns;

enum class CellLook : uint8_t {
    Empty,   // every pixel key green or fully transparent: drawing it changes nothing
    Opaque,  // every pixel fully opaque
    Mixed,
};

enum AtlasSheet : int32_t { kBlendedSheet = 0, kOpaqueSheet = 1, kAtlasSheets = 2 };

struct AtlasRows {
    // ARGB8888 rows of kAtlasColumns cells, 4096 x 128 pixels each; key green already transparent.
    SDL_Surface* rows[kAtlasRowCapacity] = {};
    int32_t rowCount = 0;
    int32_t cellCount = 0;
};

constexpr AtlasSheet SheetOf(CellLook look) {
    return look == CellLook::Opaque ? kOpaqueSheet : kBlendedSheet;
}

struct TileAtlas {
    AtlasRows sheets[kAtlasSheets];
    int16_t slot[kLibraryCells] = {};  // slot of each library cell in its sheet; -1 when Empty
    CellLook look[kLibraryCells] = {};
    char error[320] = {};  // why the file could not be used
};

// Decodes the tile library (format from the file's contents) and packs it. The picture must be
// kLibraryCells cells of kAtlasCell pixels (4096 x 4096). False, with the reason in
// atlas->error, when it could not be decoded or has another size.
bool BuildTileAtlas(const char* path, TileAtlas* atlas);
void FreeTileAtlas(TileAtlas* atlas);
// Lets the pixels go once they are on the GPU; the cell tables stay.
void ReleaseAtlasPixels(TileAtlas* atlas);

}  // namespace veloria
