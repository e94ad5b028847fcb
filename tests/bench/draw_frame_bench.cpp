// The cost of one frame on SDL's software renderer: a full map view of 324 quads cut from a
// 4096 x 4096 tile library, and a menu screen of one background picture with 20 lines of text.
#include <SDL2/SDL.h>
#include <SDL2/SDL_image.h>
#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>

#include "../test_support.h"
#include "flow/game.h"
#include "flow/reset.h"
#include "platform/sdl/sdl_display.h"
#include "presentation/platform_record.h"
#include "presentation/renderer.h"
#include "presentation/text.h"

namespace veloria {
namespace {

struct Fixture {
    TempDir dir;
    std::unique_ptr<Game> game = std::make_unique<Game>();
    SdlDisplay* display = nullptr;
    bool ok = false;

    Fixture() {
        setenv("SDL_VIDEODRIVER", "dummy", 1);
        if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) return;
        display = SdlDisplay::Create(true, dir.path.c_str());
        if (display == nullptr) return;
        // A tile library with varied, partly transparent cells.
        SDL_Surface* lib = SDL_CreateRGBSurfaceWithFormat(0, kTileLibrarySize, kTileLibrarySize, 32,
                                                          SDL_PIXELFORMAT_ARGB8888);
        for (int t = 0; t < 1024; ++t) {
            SDL_Rect cell{(t % 32) * 128, (t / 32) * 128, 128, 128};
            SDL_FillRect(lib, &cell, 0xFF000000u | (t * 2654435761u >> 8));
            SDL_Rect hole{cell.x + 32, cell.y + 32, 64, 64};
            if (t % 3 == 0) SDL_FillRect(lib, &hole, 0xFF00FF00u);
        }
        std::string tiles = dir.path + "/tiles.mpt";
        std::string bg = dir.path + "/menu.bmp";
        bool saved = IMG_SavePNG(lib, tiles.c_str()) == 0;
        SDL_FreeSurface(lib);
        SDL_Surface* pic =
            SDL_CreateRGBSurfaceWithFormat(0, 1024, 768, 32, SDL_PIXELFORMAT_ARGB8888);
        SDL_FillRect(pic, nullptr, 0xFF336699u);
        saved = saved && SDL_SaveBMP(pic, bg.c_str()) == 0;
        SDL_FreeSurface(pic);
        if (!saved) return;

        Game& g = *game;
        ResetGame(g, Platform{});
        g.platform.display = display;
        if (LoadTileLibrary(g, tiles.c_str()) != TileLibraryLoad::Loaded) return;
        CreateFont(g);
        // Four map layers of 10 x 8 cells and the four sprites, as the map frame places them.
        int32_t slot = 0;
        for (int layer = 0; layer < 3; ++layer)
            for (int i = 0; i < 80; ++i, ++slot)
                SetQuad(g, slot, (i % 10) * 128 - 64, (i % 10) * 128 + 64, (i / 10) * 128 - 48,
                        (i / 10) * 128 + 80, static_cast<uint32_t>(slot * 7 % 1024));
        for (int i = 0; i < 4; ++i, ++slot)
            SetQuad(g, slot, 400 + i * 16, 528 + i * 16, 300, 428, static_cast<uint32_t>(900 + i));
        for (int i = 0; i < 80; ++i, ++slot)
            SetQuad(g, slot, (i % 10) * 128 - 64, (i % 10) * 128 + 64, (i / 10) * 128 - 48,
                    (i / 10) * 128 + 80, static_cast<uint32_t>(slot * 13 % 1024));
        std::snprintf(g.renderer.backgroundFile, sizeof(g.renderer.backgroundFile), "%s", "");
        backgroundPath = bg;
        ok = g.renderer.font != 0;
    }
    ~Fixture() {
        delete display;
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
    }
    std::string backgroundPath;
};

Fixture& Shared() {
    static Fixture f;
    return f;
}

void BM_DrawFrameMap324(benchmark::State& state) {
    Fixture& f = Shared();
    if (!f.ok) {
        state.SkipWithError("display set-up failed");
        return;
    }
    for (auto _ : state) DrawFrame(*f.game, kMapQuads, 0);
}
BENCHMARK(BM_DrawFrameMap324)->Unit(benchmark::kMillisecond);

void BM_DrawFrameMenuWithTexts(benchmark::State& state) {
    Fixture& f = Shared();
    if (!f.ok) {
        state.SkipWithError("display set-up failed");
        return;
    }
    Game& g = *f.game;
    // The picture is named relative to the display's content root, as in the game.
    SetBackground(g, "menu.bmp");
    char line[32];
    for (auto _ : state) {
        for (int i = 0; i < 20; ++i) {
            std::snprintf(line, sizeof(line), "Menu line number %d", i);
            DrawText(g, i, line, 300, 100 + i * 28, i == 3 ? kColourOlive : kColourDarkRed);
        }
        DrawFrame(g, 0, 1);
    }
}
BENCHMARK(BM_DrawFrameMenuWithTexts)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace veloria

BENCHMARK_MAIN();
