// The SDL display off screen (dummy video driver, software renderer), driven through the core's
// renderer operations so the two agree on quads, texts and backgrounds.
#include <SDL2/SDL_image.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

#include "flow/game.h"
#include "platform/sdl/sdl_display.h"
#include "platform/sdl/start_ahead.h"
#include "presentation/platform.h"
#include "presentation/renderer.h"
#include "presentation/text.h"
#include "test_support.h"

namespace veloria {
namespace {

constexpr int kLib = 4096;  // the size the game requires: 32 x 32 cells of 128 pixels
constexpr int kCell = kLib / 32;

struct Rgba {
    Uint8 r, g, b, a;
};

void FillCell(SDL_Surface* s, int tile, Uint32 argb) {
    SDL_Rect cell{(tile % 32) * kCell, (tile / 32) * kCell, kCell, kCell};
    SDL_FillRect(s, &cell, argb);
}

class PlatformDisplay : public ::testing::Test {
  protected:
    void SetUp() override {
        setenv("SDL_VIDEODRIVER", "dummy", 1);
        ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_VIDEO), 0) << SDL_GetError();
        display_.reset(SdlDisplay::Create(true, tg_.dir.path.c_str()));
        ASSERT_NE(display_, nullptr);
        tg_.g().platform.display = display_.get();
    }
    void TearDown() override {
        tg_.g().platform.display = nullptr;
        display_.reset();
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
    }

    // Tile 0 pure green, tile 1 opaque red, tile 33 half-transparent blue, tile 1023 white;
    // saved as PNG under the game's odd file name.
    void WriteTileLibrary() {
        SDL_Surface* s =
            SDL_CreateRGBSurfaceWithFormat(0, kLib, kLib, 32, SDL_PIXELFORMAT_ARGB8888);
        ASSERT_NE(s, nullptr);
        SDL_FillRect(s, nullptr, 0xFF404040u);
        FillCell(s, 0, 0xFF00FF00u);
        FillCell(s, 1, 0xFFFF0000u);
        FillCell(s, 33, 0x800000FFu);
        FillCell(s, 1023, 0xFFFFFFFFu);
        tg_.Write("art/tilelib1.mpt", "");
        ASSERT_EQ(IMG_SavePNG(s, tg_.Path("art/tilelib1.mpt").c_str()), 0) << IMG_GetError();
        SDL_FreeSurface(s);
    }
    // A 1024 x 768 picture of one colour, as BMP.
    void WriteBackground(const char* name, Uint32 argb) {
        SDL_Surface* s = SDL_CreateRGBSurfaceWithFormat(0, 1024, 768, 32, SDL_PIXELFORMAT_ARGB8888);
        SDL_FillRect(s, nullptr, argb);
        tg_.Write(name, "");
        ASSERT_EQ(SDL_SaveBMP(s, tg_.Path(name).c_str()), 0);
        SDL_FreeSurface(s);
    }
    // Reads the last frame back through the PNG the runner would write, in this test's own
    // folder: tests run side by side, and a shared file would be read while another writes it.
    void Capture() {
        const std::string png = tg_.Path("frame.png");
        ASSERT_TRUE(display_->SaveLastFrame(png.c_str()));
        SDL_Surface* loaded = IMG_Load(png.c_str());
        ASSERT_NE(loaded, nullptr);
        frame_.reset(SDL_ConvertSurfaceFormat(loaded, SDL_PIXELFORMAT_ARGB8888, 0));
        SDL_FreeSurface(loaded);
        ASSERT_NE(frame_, nullptr);
    }
    Rgba Pixel(int x, int y) const {
        Uint32 p = static_cast<const Uint32*>(static_cast<const void*>(
            static_cast<const Uint8*>(frame_->pixels) + y * frame_->pitch))[x];
        return Rgba{Uint8(p >> 16), Uint8(p >> 8), Uint8(p), Uint8(p >> 24)};
    }
    Game& g() { return tg_.g(); }

    struct SurfaceFree {
        void operator()(SDL_Surface* s) const { SDL_FreeSurface(s); }
    };
    TestGame tg_;
    std::unique_ptr<SdlDisplay> display_;
    std::unique_ptr<SDL_Surface, SurfaceFree> frame_;
};

#define EXPECT_RGB(p, R, G, B) \
    do {                       \
        Rgba px_ = (p);        \
        EXPECT_EQ(px_.r, R);   \
        EXPECT_EQ(px_.g, G);   \
        EXPECT_EQ(px_.b, B);   \
    } while (0)

TEST_F(PlatformDisplay, GreenIsTransparentOverTheBackgroundAndQuadsKeepTheirColour) {
    WriteTileLibrary();
    WriteBackground("art/bg/grey.bmp", 0xFF102030u);
    int32_t w = 0, h = 0;
    display_->MaxTextureSize(&w, &h);
    EXPECT_GE(w, kTileLibrarySize);
    ASSERT_NE(TileLibraryLoad::CardTooSmall, LoadTileLibrary(g(), "art/tilelib1.mpt"));
    ASSERT_EQ(g().renderer.tileLibrary, 1);

    SetQuad(g(), 0, 0, 128, 0, 128, 0);          // green cell
    SetQuad(g(), 1, 128, 256, 0, 128, 1);        // red cell
    SetQuad(g(), 2, 256, 384, 0, 128, 33);       // half-transparent blue
    SetQuad(g(), 3, 896, 1024, 640, 768, 1023);  // bottom-right cell of the library
    SetBackground(g(), "art/bg/grey.bmp");
    DrawFrame(g(), 4, 1);
    EXPECT_EQ(g().flow.quitPosted, 0);
    ASSERT_NO_FATAL_FAILURE(Capture());
    EXPECT_RGB(Pixel(64, 64), 0x10, 0x20, 0x30);  // background shows through the green
    EXPECT_RGB(Pixel(1, 1), 0x10, 0x20, 0x30);
    EXPECT_RGB(Pixel(200, 64), 0xFF, 0, 0);
    Rgba blend = Pixel(320, 64);  // blue at half alpha over the background
    EXPECT_NEAR(blend.b, (0xFF + 0x30) / 2, 2);
    EXPECT_NEAR(blend.r, 0x10 / 2, 2);
    EXPECT_RGB(Pixel(1000, 760), 0xFF, 0xFF, 0xFF);
    EXPECT_RGB(Pixel(600, 400), 0x10, 0x20, 0x30);  // untouched background
    EXPECT_EQ(frame_->w, 1024);
    EXPECT_EQ(frame_->h, 768);

    // The colour-negative switch: red turns cyan, green stays transparent.
    SetInvertedColours(g());
    DrawFrame(g(), 4, 1);
    ASSERT_NO_FATAL_FAILURE(Capture());
    EXPECT_RGB(Pixel(200, 64), 0, 0xFF, 0xFF);
    EXPECT_RGB(Pixel(64, 64), 0x10, 0x20, 0x30);
    SetNormalColours(g());
}

TEST_F(PlatformDisplay, EmptyDegenerateAndOutOfLibraryQuadsDrawNothing) {
    WriteTileLibrary();
    ASSERT_NE(TileLibraryLoad::CardTooSmall, LoadTileLibrary(g(), "art/tilelib1.mpt"));
    // Slots never written are empty; a zero-width quad and a hand-made cell below the
    // library's bottom edge must not draw either.
    SetQuad(g(), 10, 300, 300, 0, 128, 1);
    QuadSlot& q = g().renderer.quads[11];
    SetQuad(g(), 11, 0, 128, 0, 128, 1);
    for (Vertex& v : q.v) v.v += 1.0f;  // row 32: outside the texture
    QuadSlot& huge = g().renderer.quads[12];
    SetQuad(g(), 12, 0, 128, 0, 128, 1);
    huge.v[4].x = 1e30f;  // absurd coordinates are clamped, not overflowed
    huge.v[0].x = huge.v[4].x;
    DrawFrame(g(), kQuadSlots, 0);
    ASSERT_NO_FATAL_FAILURE(Capture());
    for (int y = 0; y < 768; y += 37)
        for (int x = 0; x < 1024; x += 41) ASSERT_EQ(Pixel(x, y).r, 0) << x << "," << y;
}

TEST_F(PlatformDisplay, BackgroundIsDecodedOnceAndMissingOneFails) {
    WriteBackground("art/bg/a.bmp", 0xFF00FF00u);  // a green picture stays green
    SetBackground(g(), "art/bg/a.bmp");
    EXPECT_EQ(display_->Present(g().renderer, 0, true), PresentResult::Ok);
    // Kept after the first decode: removing the file does not matter any more.
    std::filesystem::remove(tg_.dir.path + "/art/bg/a.bmp");
    EXPECT_EQ(display_->Present(g().renderer, 0, true), PresentResult::Ok);
    ASSERT_NO_FATAL_FAILURE(Capture());
    EXPECT_RGB(Pixel(512, 384), 0, 0xFF, 0);

    SetBackground(g(), "art/bg/missing.bmp");
    DrawFrame(g(), 0, 1);
    EXPECT_EQ(g().flow.quitPosted, 1);
    EXPECT_STREQ(g().renderer.errorText, "Couldn't load bitmap file.");
    EXPECT_NE(g().renderer.lastResult, 0);

    tg_.Write("art/bg/junk.bmp", "this is not a picture");
    SetBackground(g(), "art/bg/junk.bmp");
    EXPECT_EQ(display_->Present(g().renderer, 0, true), PresentResult::BackgroundLoadFailed);
}

TEST_F(PlatformDisplay, TextIsMeasuredAtTheCellHeightAndDrawnWhereAndOnlyWhenPlaced) {
    CreateFont(g());
    ASSERT_EQ(g().renderer.font, 1) << g().renderer.errorText;
    int32_t w = 0, h = 0;
    ASSERT_TRUE(display_->MeasureText("Quit Game?", &w, &h));
    EXPECT_GE(h, 22);
    EXPECT_LE(h, 24);
    EXPECT_GT(w, 40);
    EXPECT_LT(w, 200);
    // Line breaks kept from content files take no room, and what follows one is still drawn
    // (a sell line is "name\n: 10 GP"); an empty line measures without failing.
    int32_t w2 = 0, h2 = 0;
    ASSERT_TRUE(display_->MeasureText("Quit Game?\n", &w2, &h2));
    EXPECT_EQ(w2, w);
    int32_t joined = 0, broken = 0;
    ASSERT_TRUE(display_->MeasureText("Oak Staff: 30 GP", &joined, &h2));
    ASSERT_TRUE(display_->MeasureText("Oak Staff\n: 30 GP", &broken, &h2));
    EXPECT_EQ(broken, joined);
    ASSERT_TRUE(display_->MeasureText("", &w2, &h2));
    EXPECT_EQ(w2, 0);
    // Latin-1 bytes from old files do not break measuring.
    EXPECT_TRUE(display_->MeasureText("Caf\xE9", &w2, &h2));

    DrawText(g(), 5, "WWWWWWWW", 444, 300, kColourWhite);
    DrawText(g(), 6, "second\rshown", 100, 100, kColourRed);
    const TextSlot& slot = g().renderer.texts[5];
    DrawFrame(g(), 0, 0);
    ASSERT_NO_FATAL_FAILURE(Capture());
    int white = 0, outside = 0, red = 0, beyond = 0;
    for (int y = 280; y < 340; ++y) {
        for (int x = 420; x < 700; ++x) {
            Rgba p = Pixel(x, y);
            bool lit = p.r > 128 && p.g > 128 && p.b > 128;
            bool inside = x >= slot.left && x < slot.right && y >= slot.top && y < slot.bottom;
            (inside ? white : outside) += lit ? 1 : 0;
        }
    }
    const TextSlot& second = g().renderer.texts[6];
    for (int y = 90; y < 140; ++y) {
        for (int x = 90; x < 400; ++x) {
            Rgba p = Pixel(x, y);
            if (p.r > 128 && p.g < 64) (x < second.right ? red : beyond) += 1;
        }
    }
    EXPECT_GT(white, 50);
    EXPECT_EQ(outside, 0);
    EXPECT_GT(red, 20);
    EXPECT_EQ(beyond, 0);
    int32_t shownWidth = 0;
    ASSERT_TRUE(display_->MeasureText("secondshown", &shownWidth, &h2));
    EXPECT_EQ(second.right - second.left, shownWidth);

    // A text lasts one frame.
    DrawFrame(g(), 0, 0);
    ASSERT_NO_FATAL_FAILURE(Capture());
    int lit = 0;
    for (int y = 300; y < 324; ++y)
        for (int x = 444; x < 600; ++x) lit += Pixel(x, y).r > 0 ? 1 : 0;
    EXPECT_EQ(lit, 0);
    ReleaseFont(g());
}

TEST_F(PlatformDisplay, MissingTileLibraryIsReportedNotFatal) {
    EXPECT_NE(TileLibraryLoad::CardTooSmall, LoadTileLibrary(g(), "art/tilelib1.mpt"));
    EXPECT_STREQ(g().renderer.errorText, "Couldn't create texture.");
    SetQuad(g(), 0, 0, 128, 0, 128, 1);
    display_->Present(g().renderer, 1, false);  // nothing to draw with, nothing breaks
    ASSERT_NO_FATAL_FAILURE(Capture());
    EXPECT_RGB(Pixel(64, 64), 0, 0, 0);
}

TEST_F(PlatformDisplay, PictureAndFontMadeAheadAreTheOnesTheDisplayMakes) {
    // A 24-bit picture with every channel varying, so a conversion that lost or swapped
    // anything would show.
    SDL_Surface* art = SDL_CreateRGBSurfaceWithFormat(0, 1024, 768, 24, SDL_PIXELFORMAT_RGB24);
    ASSERT_NE(art, nullptr);
    for (int y = 0; y < 768; ++y) {
        Uint8* row = static_cast<Uint8*>(art->pixels) + y * art->pitch;
        for (int x = 0; x < 1024; ++x) {
            row[3 * x] = Uint8(x);
            row[3 * x + 1] = Uint8(y);
            row[3 * x + 2] = Uint8(x ^ y);
        }
    }
    tg_.Write("art/bg/first.bmp", "");
    ASSERT_EQ(SDL_SaveBMP(art, tg_.Path("art/bg/first.bmp").c_str()), 0);
    SDL_FreeSurface(art);
    tg_.Write("art/bg/junk.bmp", "this is not a picture");

    // What the display makes on its own.
    CreateFont(g());
    ASSERT_EQ(g().renderer.font, 1) << g().renderer.errorText;
    const char* samples[] = {"Quit Game?", "Oak Staff: 30 GP", "WWWWiiii"};
    int32_t plainWidth[3] = {}, h = 0;
    for (int i = 0; i < 3; ++i) ASSERT_TRUE(display_->MeasureText(samples[i], &plainWidth[i], &h));
    ReleaseFont(g());
    SetBackground(g(), "art/bg/first.bmp");
    DrawFrame(g(), 0, 1);
    ASSERT_NO_FATAL_FAILURE(Capture());
    std::unique_ptr<SDL_Surface, SurfaceFree> plain(std::move(frame_));

    {
        StartAhead ahead;
        ASSERT_TRUE(ahead.Start(tg_.dir.path.c_str(), "art/bg/first.bmp"));
        std::unique_ptr<SdlDisplay> early(SdlDisplay::Create(true, tg_.dir.path.c_str()));
        ASSERT_NE(early, nullptr);
        early->UseStartAhead(&ahead);
        std::swap(display_, early);
        g().platform.display = display_.get();
        CreateFont(g());
        ASSERT_EQ(g().renderer.font, 1) << g().renderer.errorText;
        EXPECT_EQ(ahead.TakeFont(), nullptr) << "the display opened its own font";
        for (int i = 0; i < 3; ++i) {
            int32_t w = 0;
            ASSERT_TRUE(display_->MeasureText(samples[i], &w, &h));
            EXPECT_EQ(w, plainWidth[i]) << samples[i];
        }
        DrawFrame(g(), 0, 1);
        EXPECT_EQ(g().flow.quitPosted, 0);
        EXPECT_EQ(ahead.TakePicture("art/bg/first.bmp"), nullptr)
            << "the display decoded the picture again";
        ASSERT_NO_FATAL_FAILURE(Capture());
        ASSERT_EQ(frame_->h, plain->h);
        EXPECT_EQ(std::memcmp(frame_->pixels, plain->pixels, size_t(plain->pitch) * plain->h), 0);
        ReleaseFont(g());
        std::swap(display_, early);
        g().platform.display = display_.get();
    }

    // A picture that fails its checks is not decoded ahead; the display still refuses it, once.
    {
        StartAhead ahead;
        ASSERT_TRUE(ahead.Start(tg_.dir.path.c_str(), "art/bg/junk.bmp"));
        display_->UseStartAhead(&ahead);
        SetBackground(g(), "art/bg/junk.bmp");
        testing::internal::CaptureStderr();
        EXPECT_EQ(display_->Present(g().renderer, 0, true), PresentResult::BackgroundLoadFailed);
        std::string said = testing::internal::GetCapturedStderr();
        EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), 1) << said;
        display_->UseStartAhead(nullptr);
    }
}

// The window's icon comes with the start-ahead work: a usable one is handed over once, a missing
// one is no fault, and one too large to be an icon is refused with one line.
TEST(StartAheadIcon, UsableIconOnceMissingIsQuietOversizedIsRefused) {
    auto iconOf = [](TestGame& tg, std::string* said) {
        StartAhead ahead;
        testing::internal::CaptureStderr();
        EXPECT_TRUE(ahead.Start(tg.dir.path.c_str(), "art/bg/none.bmp"));
        SDL_Surface* icon = ahead.TakeIcon();
        EXPECT_EQ(ahead.TakeIcon(), nullptr) << "the icon was handed over twice";
        *said = testing::internal::GetCapturedStderr();
        return std::unique_ptr<SDL_Surface, void (*)(SDL_Surface*)>(icon, SDL_FreeSurface);
    };
    auto writeIcon = [](TestGame& tg, int w, int h) {
        SDL_Surface* s = SDL_CreateRGBSurfaceWithFormat(0, w, h, 32, SDL_PIXELFORMAT_ARGB8888);
        SDL_FillRect(s, nullptr, 0x80C0A020u);
        tg.Write(kWindowIconFile, "");
        ASSERT_EQ(IMG_SavePNG(s, tg.Path(kWindowIconFile).c_str()), 0);
        SDL_FreeSurface(s);
    };
    std::string said;
    {
        TestGame tg;
        EXPECT_EQ(iconOf(tg, &said), nullptr);
        EXPECT_EQ(said, "");
    }
    {
        TestGame tg;
        writeIcon(tg, 64, 64);
        auto icon = iconOf(tg, &said);
        ASSERT_NE(icon, nullptr);
        EXPECT_EQ(icon->w, 64);
        EXPECT_EQ(icon->h, 64);
        EXPECT_EQ(said, "");
    }
    {
        TestGame tg;
        writeIcon(tg, kMaxWindowIconSide + 1, 8);
        EXPECT_EQ(iconOf(tg, &said), nullptr);
        EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), 1) << said;
    }
}

TEST(PlatformDisplayOnScreen, UnchangedFrameIsNotDrawnAgainUntilSomethingChanges) {
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_VIDEO), 0) << SDL_GetError();
    {
        TestGame tg;
        std::unique_ptr<SdlDisplay> display(SdlDisplay::Create(false, tg.dir.path.c_str()));
        ASSERT_NE(display, nullptr);
        Game& g = tg.g();
        g.platform.display = display.get();
        CreateFont(g);
        auto frame = [&](const char* text, int32_t x) {
            DrawText(g, 2, text, x, 10, kColourWhite);
            DrawFrame(g, 0, 0);
            return display->DrawnFrames();
        };
        uint32_t first = frame("Quit Game?", 10);
        EXPECT_EQ(frame("Quit Game?", 10), first);  // same picture: kept on screen
        EXPECT_EQ(frame("Quit Game?", 11), first + 1);
        EXPECT_EQ(frame("Quit Game!", 11), first + 2);
        DrawFrame(g, 0, 0);  // the text is gone: that is a change too
        EXPECT_EQ(display->DrawnFrames(), first + 3);
        display->Invalidate();  // e.g. the window was uncovered
        DrawFrame(g, 0, 0);
        EXPECT_EQ(display->DrawnFrames(), first + 4);
        SetQuad(g, 0, 0, 128, 0, 128, 5);
        DrawFrame(g, 1, 0);
        EXPECT_EQ(display->DrawnFrames(), first + 5);
        SetInvertedColours(g);
        DrawFrame(g, 1, 0);
        EXPECT_EQ(display->DrawnFrames(), first + 6);
        g.platform.display = nullptr;
    }
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
}

}  // namespace
}  // namespace veloria
