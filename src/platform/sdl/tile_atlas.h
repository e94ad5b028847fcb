#pragma once
// The tile library as the display keeps it. Most of the library's 1024 cells are pure key green
// (nothing to draw), so only the cells that show anything are kept, packed row by row into an
// atlas 32 cells wide; each library cell knows its place in the atlas and whether it is fully
// opaque (then it can be copied without blending). Built from the file off the main thread.
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

struct TileAtlas {
    // ARGB8888 rows of kAtlasColumns cells, 4096 x 128 pixels each; key green already transparent.
    SDL_Surface* rows[kAtlasRowCapacity] = {};
    int32_t rowCount = 0;
    int32_t cellCount = 0;
    int16_t slot[kLibraryCells] = {};  // atlas slot of each library cell; -1 when Empty
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

// The colour negative of every kept pixel: RGB complemented, alpha kept.
void InvertTileAtlas(TileAtlas* atlas);

}  // namespace veloria
