// gen_tiles GAMEDIR [--sheet|--tiled OUT.png FIRST LAST CELLPX]...
// Draws the tile library into GAMEDIR/art/tilelib1.mpt (a PNG whatever the extension says).
// --sheet also writes a contact sheet of the drawn cells FIRST..LAST, CELLPX pixels each, with
// the transparent key shown as a grey checkerboard (for looking at the art).
// --map OUT.png LEVEL COLS ROWS CELLPX draws a whole level file (ground, overlay, the first
// frame of each animated cell from GAMEDIR/data/anims, top) at CELLPX pixels a cell, for docs.
#include <SDL.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "cells.h"

namespace {

bool SavePng(const std::vector<uint32_t>& pixels, int w, int h, const std::string& path) {
    const bool ok =
        veloria::paint::SavePng(path, w, h, SDL_PIXELFORMAT_RGB888, [&](int y, uint8_t* row) {
            std::memcpy(row, pixels.data() + size_t(y) * size_t(w), size_t(w) * 4);
        });
    if (!ok) std::fprintf(stderr, "gen_tiles: cannot write %s: %s\n", path.c_str(), SDL_GetError());
    return ok;
}

bool SaveSheet(const gen::Library& lib, const std::string& path, int first, int last, int cellPx,
               int repeat) {
    std::vector<int> tiles;
    for (int t = first; t <= last && t < gen::kCells * gen::kCells; ++t)
        if (t >= 0 && lib.Used(t)) tiles.push_back(t);
    if (tiles.empty()) return false;
    const int perRow = std::min(16, int(tiles.size())), gap = 2;
    int rows = (int(tiles.size()) + perRow - 1) / perRow;
    int block = cellPx * repeat;
    int w = perRow * (block + gap) + gap, h = rows * (block + gap) + gap;
    std::vector<uint32_t> out(size_t(w) * size_t(h), 0x202028);
    const auto& px = lib.Pixels();
    for (size_t i = 0; i < tiles.size(); ++i) {
        int t = tiles[i];
        int ox = gap + int(i % perRow) * (block + gap), oy = gap + int(i / perRow) * (block + gap);
        for (int y = 0; y < block; ++y) {
            for (int x = 0; x < block; ++x) {
                int sx = (t % gen::kCells) * gen::kCell + (x % cellPx) * gen::kCell / cellPx;
                int sy = (t / gen::kCells) * gen::kCell + (y % cellPx) * gen::kCell / cellPx;
                uint32_t c = px[size_t(sy) * gen::kLib + size_t(sx)];
                if (c == gen::kKey) c = ((x / 8 + y / 8) & 1) ? 0x9a9aa2 : 0xc4c4cc;
                out[size_t(oy + y) * size_t(w) + size_t(ox + x)] = c;
            }
        }
    }
    return SavePng(out, w, h, path);
}

// The four drawn layers of a level, in drawing order; animated cells show their first frame.
bool SaveMap(const gen::Library& lib, const std::filesystem::path& game, const std::string& path,
             const std::string& level, int cols, int rows, int cellPx) {
    if (cols < 1 || rows < 1 || cols > 64 || rows > 64 || cellPx < 4 || cellPx > 128) return false;
    std::ifstream in(level);
    std::vector<int> cells;
    int v = 0;
    while (cells.size() < size_t(4 * cols * rows) && in >> v) cells.push_back(v);
    if (cells.size() < size_t(4 * cols * rows)) {
        std::fprintf(stderr, "gen_tiles: %s is short for %d x %d\n", level.c_str(), cols, rows);
        return false;
    }
    std::vector<int> animTile(56, 0);
    for (int e = 0; e < 56; ++e) {
        char name[32];
        std::snprintf(name, sizeof(name), "data/anims/anim%02d.txt", e);
        std::ifstream a(game / name);
        int entry = 0, period = 0, first = 0, tile = 0;
        if (a >> entry >> period >> first >> tile) animTile[size_t(e)] = tile;
    }
    const int w = cols * cellPx, h = rows * cellPx;
    std::vector<uint32_t> out(size_t(w) * size_t(h), 0x000000);
    const auto& px = lib.Pixels();
    for (int layer = 0; layer < 4; ++layer) {
        for (int cy = 0; cy < rows; ++cy) {
            for (int cx = 0; cx < cols; ++cx) {
                int t = cells[size_t(layer * cols * rows + cy * cols + cx)];
                if (layer == 2) t = t >= 0 && t < 56 ? animTile[size_t(t)] : 0;
                if (t <= 0 || t >= gen::kCells * gen::kCells) continue;
                for (int y = 0; y < cellPx; ++y) {
                    for (int x = 0; x < cellPx; ++x) {
                        int sx = (t % gen::kCells) * gen::kCell + x * gen::kCell / cellPx;
                        int sy = (t / gen::kCells) * gen::kCell + y * gen::kCell / cellPx;
                        uint32_t c = px[size_t(sy) * gen::kLib + size_t(sx)];
                        if (c == gen::kKey) continue;
                        out[size_t(cy * cellPx + y) * size_t(w) + size_t(cx * cellPx + x)] = c;
                    }
                }
            }
        }
    }
    return SavePng(out, w, h, path);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr,
                     "usage: gen_tiles GAMEDIR [--sheet|--tiled OUT.png FIRST LAST CELLPX]"
                     " [--map OUT.png LEVEL COLS ROWS CELLPX]\n");
        return 2;
    }
    gen::Library lib;
    gen::PaintGround(lib);
    gen::PaintObjects(lib);
    gen::PaintFigures(lib);
    gen::PaintShots(lib);

    std::filesystem::path art = std::filesystem::path(argv[1]) / "art";
    std::error_code ec;
    std::filesystem::create_directories(art, ec);
    if (!SavePng(lib.Pixels(), gen::kLib, gen::kLib, (art / "tilelib1.mpt").string())) return 1;

    // --sheet shows each cell once, --tiled shows it 2 x 2 to check that it repeats cleanly.
    for (int i = 2; i + 4 < argc; i += 5) {
        std::string opt = argv[i];
        if (opt == "--map" && i + 5 < argc) {
            if (!SaveMap(lib, argv[1], argv[i + 1], argv[i + 2], std::atoi(argv[i + 3]),
                         std::atoi(argv[i + 4]), std::atoi(argv[i + 5])))
                return 1;
            ++i;
            continue;
        }
        int repeat = opt == "--tiled" ? 2 : 1;
        if (opt != "--sheet" && opt != "--tiled") break;
        if (!SaveSheet(lib, argv[i + 1], std::atoi(argv[i + 2]), std::atoi(argv[i + 3]),
                       std::atoi(argv[i + 4]), repeat))
            return 1;
    }
    return 0;
}
