// The packed tile library: only cells that show anything are kept, each marked opaque or not,
// with exactly the pixels the whole picture converts to; and a library that cannot be decoded
// still ends the game with the loading error, when tiles are first drawn.
#include <SDL2/SDL_image.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>

#include "platform/sdl/sdl_display.h"
#include "platform/sdl/tile_atlas.h"
#include "presentation/renderer.h"
#include "test_support.h"

namespace veloria {
namespace {

constexpr int kSide = kAtlasCell * kAtlasColumns;

SDL_Rect Cell(int tile) {
    return SDL_Rect{(tile % kAtlasColumns) * kAtlasCell, (tile / kAtlasColumns) * kAtlasCell,
                    kAtlasCell, kAtlasCell};
}

uint32_t At(SDL_Surface* s, int x, int y) {
    return static_cast<const uint32_t*>(
        static_cast<const void*>(static_cast<const uint8_t*>(s->pixels) + y * s->pitch))[x];
}

struct SurfaceFree {
    void operator()(SDL_Surface* s) const { SDL_FreeSurface(s); }
};
using Surface = std::unique_ptr<SDL_Surface, SurfaceFree>;

class TileAtlasTest : public ::testing::Test {
  protected:
    // All green but: 5 opaque red, 40 opaque with one key-green pixel, 41 half-transparent,
    // 700 fully transparent (alpha 0, not green), 1023 opaque white.
    Surface Library() {
        Surface s(SDL_CreateRGBSurfaceWithFormat(0, kSide, kSide, 32, SDL_PIXELFORMAT_ARGB8888));
        SDL_FillRect(s.get(), nullptr, 0xFF00FF00u);
        SDL_Rect c = Cell(5);
        SDL_FillRect(s.get(), &c, 0xFFFF0000u);
        c = Cell(40);
        SDL_FillRect(s.get(), &c, 0xFF123456u);
        SDL_Rect dot{c.x + 7, c.y + 9, 1, 1};
        SDL_FillRect(s.get(), &dot, 0xFF00FF00u);
        c = Cell(41);
        SDL_FillRect(s.get(), &c, 0x800000FFu);
        c = Cell(700);
        SDL_FillRect(s.get(), &c, 0x00FFFFFFu);
        c = Cell(1023);
        SDL_FillRect(s.get(), &c, 0xFFFFFFFFu);
        return s;
    }
    std::string Save(SDL_Surface* s, const char* name) {
        std::string path = dir_.path + "/" + name;
        EXPECT_EQ(IMG_SavePNG(s, path.c_str()), 0) << IMG_GetError();
        return path;
    }
    TempDir dir_;
    TileAtlas atlas_;
    void TearDown() override { FreeTileAtlas(&atlas_); }
};

TEST_F(TileAtlasTest, KeepsOnlyVisibleCellsInLibraryOrderOnTheSheetOfTheirLook) {
    Surface lib = Library();
    ASSERT_TRUE(BuildTileAtlas(Save(lib.get(), "lib.png").c_str(), &atlas_)) << atlas_.error;
    const AtlasRows& opaque = atlas_.sheets[kOpaqueSheet];
    const AtlasRows& blended = atlas_.sheets[kBlendedSheet];
    EXPECT_EQ(opaque.cellCount, 2);
    EXPECT_EQ(blended.cellCount, 2);
    EXPECT_EQ(opaque.rowCount, 1);
    EXPECT_EQ(atlas_.slot[0], -1);
    EXPECT_EQ(atlas_.slot[700], -1);  // transparent without being green: nothing to draw
    EXPECT_EQ(atlas_.look[700], CellLook::Empty);
    EXPECT_EQ(atlas_.look[5], CellLook::Opaque);
    EXPECT_EQ(atlas_.look[40], CellLook::Mixed);  // one keyed pixel is enough
    EXPECT_EQ(atlas_.look[41], CellLook::Mixed);
    EXPECT_EQ(atlas_.look[1023], CellLook::Opaque);
    EXPECT_EQ(atlas_.slot[5], 0);
    EXPECT_EQ(atlas_.slot[1023], 1);
    EXPECT_EQ(atlas_.slot[40], 0);
    EXPECT_EQ(atlas_.slot[41], 1);
    SDL_Surface* solid = opaque.rows[0];
    SDL_Surface* mixed = blended.rows[0];
    EXPECT_EQ(At(solid, 3, 3), 0xFFFF0000u);
    EXPECT_EQ(At(solid, kAtlasCell + 127, 127), 0xFFFFFFFFu);
    EXPECT_EQ(At(mixed, 7, 9), 0u);  // key green became transparent
    EXPECT_EQ(At(mixed, 8, 9), 0xFF123456u);
    EXPECT_EQ(At(mixed, kAtlasCell, 0) >> 24, 0x80u);

    ReleaseAtlasPixels(&atlas_);
    EXPECT_EQ(atlas_.sheets[kOpaqueSheet].rows[0], nullptr);
    EXPECT_EQ(atlas_.slot[1023], 1);  // the tables outlive the pixels
}

TEST_F(TileAtlasTest, ManyCellsFillSeveralRowsAndPalettedPicturesConvertAsAWhole) {
    // A library in 256 colours where every cell differs: all 1024 kept, 32 rows.
    Surface lib(SDL_CreateRGBSurfaceWithFormat(0, kSide, kSide, 8, SDL_PIXELFORMAT_INDEX8));
    ASSERT_NE(lib, nullptr);
    SDL_Color colours[256];
    for (int i = 0; i < 256; ++i)
        colours[i] = SDL_Color{static_cast<Uint8>(i), static_cast<Uint8>(i / 2),
                               static_cast<Uint8>(i * 7), 255};
    SDL_SetPaletteColors(lib->format->palette, colours, 0, 256);
    for (int t = 0; t < kLibraryCells; ++t) {
        SDL_Rect c = Cell(t);
        SDL_FillRect(lib.get(), &c, static_cast<Uint32>(t % 251));
    }
    // The PNG is read row by row, the BMP decoded whole: both as the whole picture converts.
    std::string bmp = dir_.path + "/paletted.bmp";
    ASSERT_EQ(SDL_SaveBMP(lib.get(), bmp.c_str()), 0);
    for (const std::string& path : {Save(lib.get(), "paletted.png"), bmp}) {
        ASSERT_TRUE(BuildTileAtlas(path.c_str(), &atlas_)) << atlas_.error;
        const AtlasRows& sheet = atlas_.sheets[kOpaqueSheet];
        EXPECT_EQ(sheet.cellCount, kLibraryCells);
        EXPECT_EQ(sheet.rowCount, kAtlasRowCapacity);
        Surface loaded(IMG_Load(path.c_str()));
        Surface whole(SDL_ConvertSurfaceFormat(loaded.get(), SDL_PIXELFORMAT_ARGB8888, 0));
        for (int t : {0, 31, 32, 500, 1023}) {
            const SDL_Rect c = Cell(t);
            const int slot = atlas_.slot[t];
            ASSERT_GE(slot, 0);
            EXPECT_EQ(
                At(sheet.rows[slot / kAtlasColumns], (slot % kAtlasColumns) * kAtlasCell + 5, 6),
                At(whole.get(), c.x + 5, c.y + 6))
                << path << " cell " << t;
        }
    }
}

TEST_F(TileAtlasTest, WrongSizeAndUndecodableFilesAreRefusedWithTheReason) {
    Surface small(SDL_CreateRGBSurfaceWithFormat(0, 64, 64, 32, SDL_PIXELFORMAT_ARGB8888));
    EXPECT_FALSE(BuildTileAtlas(Save(small.get(), "small.png").c_str(), &atlas_));
    EXPECT_NE(std::string(atlas_.error).find("64 x 64"), std::string::npos) << atlas_.error;
    EXPECT_EQ(atlas_.sheets[kOpaqueSheet].cellCount + atlas_.sheets[kBlendedSheet].cellCount, 0);
    std::string junk = dir_.Write("junk.png", "not a picture at all");
    EXPECT_FALSE(BuildTileAtlas(junk.c_str(), &atlas_));
    EXPECT_NE(std::string(atlas_.error).find("junk.png"), std::string::npos) << atlas_.error;
}

// A library whose header is right but whose pixels cannot be decoded: the title still shows
// (it needs no tiles), and the first frame with tiles ends the game on the loading error.
TEST(TileLibraryLoading, BrokenPixelsEndTheGameWhenTilesAreFirstDrawn) {
    TestGame t;
    Surface lib(SDL_CreateRGBSurfaceWithFormat(0, kSide, kSide, 24, SDL_PIXELFORMAT_RGB24));
    for (int y = 0; y < kSide; ++y)  // noise, so the compressed data is long enough to cut
        for (int x = 0; x < kSide; x += 64) {
            SDL_Rect r{x, y, 64, 1};
            SDL_FillRect(lib.get(), &r, static_cast<Uint32>((x * 2654435761u) ^ (y * 40503u)));
        }
    t.Write("art/tilelib1.mpt", "");
    ASSERT_EQ(IMG_SavePNG(lib.get(), t.Path("art/tilelib1.mpt").c_str()), 0);
    ASSERT_EQ(truncate(t.Path("art/tilelib1.mpt").c_str(), 4096),
              0);  // the header and a little data

    setenv("SDL_VIDEODRIVER", "dummy", 1);
    ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_VIDEO), 0) << SDL_GetError();
    std::unique_ptr<SdlDisplay> display(SdlDisplay::Create(true, t.dir.path.c_str()));
    ASSERT_NE(display, nullptr);
    t.g().platform.display = display.get();
    EXPECT_EQ(LoadTileLibrary(t.g(), "art/tilelib1.mpt"), TileLibraryLoad::Loaded);
    DrawFrame(t.g(), 0, 0);
    EXPECT_EQ(t.g().flow.quitPosted, 0);
    SetQuad(t.g(), 0, 0, 128, 0, 128, 5);
    DrawFrame(t.g(), 1, 0);
    EXPECT_EQ(t.g().flow.quitPosted, 1);
    EXPECT_STREQ(t.g().renderer.errorText, "Couldn't create texture.");
    t.g().platform.display = nullptr;
    display.reset();
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
}

}  // namespace
}  // namespace veloria
