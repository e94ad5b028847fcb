#include "platform/sdl/sdl_display.h"

#include <SDL2/SDL_image.h>
#include <SDL2/SDL_ttf.h>
#include <dirent.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <initializer_list>

#include "content/content_files.h"
#include "content/media_check.h"
#include "platform/sdl/start_ahead.h"
#include "platform/sdl/tile_atlas.h"
#include "presentation/platform.h"
#include "presentation/renderer_record.h"

namespace veloria {

namespace {

constexpr int kScreenWidth = 1024;
constexpr int kScreenHeight = 768;
constexpr int kBackgroundCacheSize = 4;
constexpr int kTextCacheSize = 96;
constexpr int kTileLibraryPathSize = kContentPathSize;
// A cached text unused for this many frames is dropped.
constexpr uint32_t kTextIdleFrames = 8;
// A background picture not shown for this long is dropped: in play none is shown, and the title's
// and menus' pictures would hold 3 MiB each. Longer than kRedrawIntervalMs, so the picture of a
// screen that stays up is kept.
constexpr uint32_t kBackgroundIdleMs = 3000;
// A frame equal to the one on screen is not drawn again, but at least this often anyway.
constexpr uint32_t kRedrawIntervalMs = 1000;
static_assert(kBackgroundIdleMs > 2 * kRedrawIntervalMs, "a static screen keeps its picture");
// Pixel coordinates far outside the screen are clamped before conversion.
constexpr float kCoordLimit = 1.0e6f;

using TileTextures = SDL_Texture* [kAtlasSheets][kAtlasRowCapacity];

// Library pixels of a quad's source (whole cells for all the game draws), or false when it
// draws nothing.
bool QuadSource(const QuadSlot& q, SDL_Rect* src, SDL_Rect* dst);

struct BackgroundEntry {
    char name[kBackgroundNameSize];
    SDL_Texture* texture;
    uint32_t lastUse;
    uint32_t lastUseMs;
};

struct TextEntry {
    char text[kTextLength];
    uint32_t colour;
    SDL_Texture* texture;
    int w, h;
    uint32_t lastUse;
};

int ToPixel(float f) {
    if (!(f > -kCoordLimit)) f = -kCoordLimit;  // also catches NaN
    if (f > kCoordLimit) f = kCoordLimit;
    return static_cast<int>(std::lround(f));
}

// Texts are drawn as a single line: names and lines read from content keep their line break,
// often with more text formatted after it (": 10 GP", a closing quote), so the breaks are left
// out rather than ending the text. Copies at most size characters into out (size + 1 bytes)
// and returns the length.
size_t SingleLine(const char* text, size_t size, char* out) {
    size_t n = 0;
    for (size_t i = 0; i < size && text[i] != '\0'; ++i) {
        if (text[i] != '\n' && text[i] != '\r') out[n++] = text[i];
    }
    out[n] = '\0';
    return n;
}

bool IsUtf8(const char* s, size_t n) {
    size_t i = 0;
    while (i < n) {
        unsigned char c = static_cast<unsigned char>(s[i]);
        size_t extra = 0;
        if (c >= 0x80) {
            if ((c & 0xE0) == 0xC0) {
                extra = 1;
            } else if ((c & 0xF0) == 0xE0) {
                extra = 2;
            } else if ((c & 0xF8) == 0xF0) {
                extra = 3;
            } else {
                return false;
            }
        }
        if (i + extra >= n && extra > 0) return false;
        for (size_t k = 1; k <= extra; ++k)
            if ((static_cast<unsigned char>(s[i + k]) & 0xC0) != 0x80) return false;
        i += extra + 1;
    }
    return true;
}

// Text files from older tools may be Latin-1: such lines are widened to UTF-8 for the font.
void ToUtf8(const char* text, size_t n, char* out, size_t outSize) {
    if (IsUtf8(text, n)) {
        size_t m = n < outSize - 1 ? n : outSize - 1;
        std::memcpy(out, text, m);
        out[m] = '\0';
        return;
    }
    size_t o = 0;
    for (size_t i = 0; i < n && o + 2 < outSize; ++i) {
        unsigned char c = static_cast<unsigned char>(text[i]);
        if (c < 0x80) {
            out[o++] = static_cast<char>(c);
        } else {
            out[o++] = static_cast<char>(0xC0 | (c >> 6));
            out[o++] = static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    out[o] = '\0';
}

// A GPU render node means OpenGL runs on the hardware. Without one, OpenGL is Mesa drawing in
// software: hundreds of milliseconds to set up and tens of MiB for its compiler, and no faster
// than SDL's own blitter for a game of 2D tiles.
bool HaveRenderNode() {
    DIR* dir = opendir("/dev/dri");
    if (dir == nullptr) return false;
    bool found = false;
    while (dirent* e = readdir(dir)) found = found || e->d_name[0] != '.';
    closedir(dir);
    return found;
}

// SDL's software renderer unless OpenGL has hardware behind it or the player chose a renderer
// (SDL_RENDER_DRIVER) or software OpenGL on purpose.
bool PreferSoftwareRenderer() {
    const char* chosen = SDL_getenv("SDL_RENDER_DRIVER");
    if (chosen != nullptr && chosen[0] != '\0') return false;
    const char* forced = SDL_getenv("LIBGL_ALWAYS_SOFTWARE");
    if (forced != nullptr && forced[0] == '1') return true;
    return !HaveRenderNode();
}

void UseNearest(SDL_Texture* t) {
    if (t != nullptr) SDL_SetTextureScaleMode(t, SDL_ScaleModeNearest);
}

// Checks a picture before any decoder sees it; a refusal is said on stderr ("veloria: NAME:
// reason"). path is name below the content root.
bool PictureUsable(const char* root, const char* name, PictureRole role) {
    char why[kMediaWhySize + 128];
    if (CheckPictureFile(root, name, role, why, sizeof(why))) return true;
    std::fprintf(stderr, "veloria: %s\n", why);
    return false;
}

}  // namespace

struct SdlDisplay::Impl {
    SDL_Renderer* renderer = nullptr;
    SDL_Texture* target = nullptr;  // off screen: every frame is drawn here
    bool offscreen = false;
    // Every frame is drawn into target, then copied to the window (off screen, and with the
    // software renderer, whose letterbox scaling is then one opaque copy instead of every quad).
    bool viaTarget = false;
    bool initImage = false;
    bool initTtf = false;
    StartAhead* ahead = nullptr;  // what was made before the window, taken once

    // The tile library is decoded on a loader thread while the title plays and joined when a
    // frame first draws quads; the colour negative is made when a frame first asks for it.
    TileAtlas atlas;
    SDL_Thread* loader = nullptr;
    bool loaderWanted = false;  // started once the first frame is on screen
    bool loaderOk = false;
    char tilePath[kTileLibraryPathSize] = {};
    char contentRoot[kContentPathSize] = {};
    // One texture per atlas row (4096 x 128) of each sheet: each row is uploaded and let go
    // before the next, and the negative is made only for the rows a flash draws.
    TileTextures tiles = {};
    TileTextures tilesInverted = {};

    BackgroundEntry backgrounds[kBackgroundCacheSize] = {};
    TTF_Font* font = nullptr;
    TextEntry texts[kTextCacheSize] = {};
    uint32_t frame = 0;

    // What the window shows now, so an unchanged static screen is not redrawn every refresh.
    bool shownValid = false;
    uint32_t shownAt = 0;
    int32_t shownCount = 0;
    bool shownWithBackground = false;
    uint8_t shownInverted = 0;
    char shownBackground[kBackgroundNameSize] = {};
    QuadSlot shownQuads[kQuadSlots] = {};
    TextSlot shownTexts[kTextSlots] = {};

    bool SameAsShown(const Renderer& r, int32_t count, bool withBackground) const;
    void RememberShown(const Renderer& r, int32_t count, bool withBackground);
    SDL_Texture* Background(const char* name);
    TextEntry* FindText(const char* text, size_t n, uint32_t colour);
    TextEntry* Text(const char* text, size_t n, uint32_t colour);
    void DropIdleTexts();
    void DropIdleBackgrounds();
    void ClearTexts();
    void ClearBackgrounds();
    void BeginFrame();
    void EndFrame();
    static int LoadTiles(void* data);
    void StartLoader();
    bool JoinLoader();
    bool MakeTextures();
    void PrepareNegatives(const Renderer& r, int32_t quadCount);
    void DropNegatives();
    SDL_Texture* NegativeOf(SDL_Texture* normal);
    void DestroyTileTextures();
    void DrawQuad(const TileTextures& sheets, const SDL_Rect& src, const SDL_Rect& dst);
    void DrawCellPart(const TileTextures& sheets, int cell, const SDL_Rect& part,
                      const SDL_Rect& dst);
};

int SdlDisplay::Impl::LoadTiles(void* data) {
    auto* m = static_cast<SdlDisplay::Impl*>(data);
    m->loaderOk = BuildTileAtlas(m->tilePath, &m->atlas);
    return 0;
}

// The first frame is not kept waiting: with two cores the decoder would take one from it.
void SdlDisplay::Impl::StartLoader() {
    if (!loaderWanted) return;
    loaderWanted = false;
    loader = SDL_CreateThread(LoadTiles, "tile library", this);
    if (loader == nullptr) LoadTiles(this);  // no thread to be had: load it here
}

// Waits for a running loader and makes the tile texture. True when this join found the library
// unusable (said on stderr).
bool SdlDisplay::Impl::JoinLoader() {
    StartLoader();
    if (loader == nullptr) return false;
    SDL_WaitThread(loader, nullptr);
    loader = nullptr;
    if (!loaderOk) {
        std::fprintf(stderr, "veloria: %s\n", atlas.error);
        return true;
    }
    const bool made = MakeTextures();
    // The pixels live on in the textures (the negative is read back from them when needed).
    ReleaseAtlasPixels(&atlas);
    if (!made) {
        std::fprintf(stderr, "veloria: cannot make the tile texture: %s\n", SDL_GetError());
        loaderOk = false;
        DestroyTileTextures();
        FreeTileAtlas(&atlas);
        return true;
    }
    return false;
}

// One texture per atlas row, each row's pixels let go once uploaded. They are render targets only
// so that their pixels can be read back for the negative.
bool SdlDisplay::Impl::MakeTextures() {
    for (int k = 0; k < kAtlasSheets; ++k) {
        AtlasRows& rows = atlas.sheets[k];
        for (int r = 0; r < rows.rowCount; ++r) {
            if (rows.rows[r] == nullptr) return false;  // the pixels are gone already
            SDL_Texture* t =
                SDL_CreateTexture(renderer, SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_TARGET,
                                  kAtlasColumns * kAtlasCell, kAtlasCell);
            if (t == nullptr) return false;
            tiles[k][r] = t;
            if (SDL_UpdateTexture(t, nullptr, rows.rows[r]->pixels, rows.rows[r]->pitch) != 0)
                return false;
            SDL_FreeSurface(rows.rows[r]);
            rows.rows[r] = nullptr;
            SDL_SetTextureBlendMode(t,
                                    k == kOpaqueSheet ? SDL_BLENDMODE_NONE : SDL_BLENDMODE_BLEND);
            UseNearest(t);
        }
    }
    return true;
}

// The colour negative of one atlas row, read back from the normal one: RGB complemented, alpha
// kept.
SDL_Texture* SdlDisplay::Impl::NegativeOf(SDL_Texture* normal) {
    int w = 0, h = 0;
    Uint32 format = 0;
    SDL_BlendMode blend = SDL_BLENDMODE_BLEND;
    if (SDL_QueryTexture(normal, &format, nullptr, &w, &h) != 0) return nullptr;
    SDL_GetTextureBlendMode(normal, &blend);
    SDL_Texture* t =
        SDL_CreateTexture(renderer, SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_STATIC, w, h);
    SDL_Surface* band =
        SDL_CreateRGBSurfaceWithFormat(0, w, kAtlasCell, 32, SDL_PIXELFORMAT_ARGB8888);
    bool ok = t != nullptr && band != nullptr && SDL_SetRenderTarget(renderer, normal) == 0;
    for (int y = 0; ok && y < h; y += kAtlasCell) {
        SDL_Rect rows{0, y, w, kAtlasCell};
        ok = SDL_RenderReadPixels(renderer, &rows, SDL_PIXELFORMAT_ARGB8888, band->pixels,
                                  band->pitch) == 0;
        for (int r = 0; ok && r < kAtlasCell; ++r) {
            auto* p =
                reinterpret_cast<Uint32*>(static_cast<Uint8*>(band->pixels) + r * band->pitch);
            for (int x = 0; x < w; ++x) p[x] ^= 0x00FFFFFFu;
        }
        ok = ok && SDL_UpdateTexture(t, &rows, band->pixels, band->pitch) == 0;
    }
    SDL_SetRenderTarget(renderer, nullptr);
    if (band != nullptr) SDL_FreeSurface(band);
    if (!ok) {
        if (t != nullptr) SDL_DestroyTexture(t);
        return nullptr;
    }
    SDL_SetTextureBlendMode(t, blend);
    UseNearest(t);
    return t;
}

void SdlDisplay::Impl::DestroyTileTextures() {
    DropNegatives();
    for (auto& sheet : tiles) {
        for (SDL_Texture*& t : sheet) {
            if (t != nullptr) SDL_DestroyTexture(t);
            t = nullptr;
        }
    }
}

void SdlDisplay::Impl::DropNegatives() {
    for (auto& sheet : tilesInverted) {
        for (SDL_Texture*& t : sheet) {
            if (t != nullptr) SDL_DestroyTexture(t);
            t = nullptr;
        }
    }
}

// Before a negative frame begins (reading back switches the render target): the negative of
// every atlas row the frame's quads use and that has none yet.
void SdlDisplay::Impl::PrepareNegatives(const Renderer& r, int32_t quadCount) {
    for (int32_t i = 0; i < quadCount; ++i) {
        SDL_Rect src, dst;
        if (!QuadSource(r.quads[i], &src, &dst)) continue;
        for (int y = src.y / kAtlasCell; y <= (src.y + src.h - 1) / kAtlasCell; ++y) {
            for (int x = src.x / kAtlasCell; x <= (src.x + src.w - 1) / kAtlasCell; ++x) {
                const int cell = y * kAtlasColumns + x;
                const int slot = atlas.slot[cell];
                if (slot < 0) continue;
                const int sheet = SheetOf(atlas.look[cell]);
                const int row = slot / kAtlasColumns;
                if (tilesInverted[sheet][row] != nullptr || tiles[sheet][row] == nullptr) continue;
                tilesInverted[sheet][row] = NegativeOf(tiles[sheet][row]);
                if (tilesInverted[sheet][row] == nullptr)
                    std::fprintf(stderr, "veloria: cannot make the negative tiles: %s\n",
                                 SDL_GetError());
            }
        }
    }
}

// src is in library pixels. Whole cells (all the game draws) come straight from the atlas;
// anything else is cut along the cells it covers.
void SdlDisplay::Impl::DrawQuad(const TileTextures& sheets, const SDL_Rect& src,
                                const SDL_Rect& dst) {
    const int firstColumn = src.x / kAtlasCell, lastColumn = (src.x + src.w - 1) / kAtlasCell;
    const int firstRow = src.y / kAtlasCell, lastRow = (src.y + src.h - 1) / kAtlasCell;
    if (firstColumn == lastColumn && firstRow == lastRow && src.w == kAtlasCell &&
        src.h == kAtlasCell) {
        SDL_Rect part{0, 0, kAtlasCell, kAtlasCell};
        DrawCellPart(sheets, firstRow * kAtlasColumns + firstColumn, part, dst);
        return;
    }
    for (int row = firstRow; row <= lastRow; ++row) {
        for (int column = firstColumn; column <= lastColumn; ++column) {
            const int x0 = SDL_max(src.x, column * kAtlasCell);
            const int x1 = SDL_min(src.x + src.w, (column + 1) * kAtlasCell);
            const int y0 = SDL_max(src.y, row * kAtlasCell);
            const int y1 = SDL_min(src.y + src.h, (row + 1) * kAtlasCell);
            SDL_Rect part{x0 - column * kAtlasCell, y0 - row * kAtlasCell, x1 - x0, y1 - y0};
            // The same share of the destination, in 64-bit so huge rectangles cannot overflow.
            const auto scale = [](int from, int offset, int size, int length) {
                return from + static_cast<int>(static_cast<int64_t>(offset) * size / length);
            };
            const int dx0 = scale(dst.x, x0 - src.x, dst.w, src.w);
            const int dx1 = scale(dst.x, x1 - src.x, dst.w, src.w);
            const int dy0 = scale(dst.y, y0 - src.y, dst.h, src.h);
            const int dy1 = scale(dst.y, y1 - src.y, dst.h, src.h);
            SDL_Rect to{dx0, dy0, dx1 - dx0, dy1 - dy0};
            if (to.w > 0 && to.h > 0) DrawCellPart(sheets, row * kAtlasColumns + column, part, to);
        }
    }
}

void SdlDisplay::Impl::DrawCellPart(const TileTextures& sheets, int cell, const SDL_Rect& part,
                                    const SDL_Rect& dst) {
    const int slot = atlas.slot[cell];
    if (slot < 0) return;  // nothing in it to draw
    SDL_Texture* texture = sheets[SheetOf(atlas.look[cell])][slot / kAtlasColumns];
    if (texture == nullptr) return;
    SDL_Rect src{(slot % kAtlasColumns) * kAtlasCell + part.x, part.y, part.w, part.h};
    SDL_RenderCopy(renderer, texture, &src, &dst);
}

SDL_Texture* SdlDisplay::Impl::Background(const char* name) {
    size_t n = strnlen(name, kBackgroundNameSize - 1);
    BackgroundEntry* slot = nullptr;
    for (BackgroundEntry& b : backgrounds) {
        if (b.texture != nullptr && std::strncmp(b.name, name, n) == 0 && b.name[n] == '\0') {
            b.lastUse = frame;
            b.lastUseMs = SDL_GetTicks();
            return b.texture;
        }
        // A free entry, else the one shown longest ago.
        if (slot == nullptr ||
            (slot->texture != nullptr && (b.texture == nullptr || b.lastUse < slot->lastUse)))
            slot = &b;
    }
    char file[kBackgroundNameSize];
    std::memcpy(file, name, n);
    file[n] = '\0';
    if (!PictureUsable(contentRoot, file, PictureRole::Background)) return nullptr;
    SDL_Surface* surface = ahead != nullptr ? ahead->TakePicture(file) : nullptr;
    if (surface == nullptr) {
        char path[kContentPathSize];
        if (!ContentPath(contentRoot, file, path, sizeof(path))) return nullptr;
        surface = IMG_Load(path);
    }
    if (surface == nullptr) return nullptr;
    SDL_Texture* texture = SDL_CreateTextureFromSurface(renderer, surface);
    SDL_FreeSurface(surface);
    if (texture == nullptr) return nullptr;
    UseNearest(texture);
    if (slot->texture != nullptr) SDL_DestroyTexture(slot->texture);
    std::memcpy(slot->name, file, n + 1);
    slot->texture = texture;
    slot->lastUse = frame;
    slot->lastUseMs = SDL_GetTicks();
    return texture;
}

TextEntry* SdlDisplay::Impl::FindText(const char* text, size_t n, uint32_t colour) {
    for (TextEntry& e : texts) {
        if (e.texture != nullptr && e.colour == colour && std::strncmp(e.text, text, n) == 0 &&
            e.text[n] == '\0')
            return &e;
    }
    return nullptr;
}

TextEntry* SdlDisplay::Impl::Text(const char* text, size_t n, uint32_t colour) {
    TextEntry* found = FindText(text, n, colour);
    if (found != nullptr) {
        found->lastUse = frame;
        return found;
    }
    if (font == nullptr || n == 0) return nullptr;
    TextEntry* slot = nullptr;
    for (TextEntry& e : texts) {
        if (e.texture == nullptr) {
            slot = &e;
            break;
        }
        if (slot == nullptr || e.lastUse < slot->lastUse) slot = &e;
    }
    char utf8[kTextLength * 2];
    ToUtf8(text, n, utf8, sizeof(utf8));
    SDL_Color c{static_cast<Uint8>(colour >> 16), static_cast<Uint8>(colour >> 8),
                static_cast<Uint8>(colour), static_cast<Uint8>(colour >> 24)};
    SDL_Surface* surface = TTF_RenderUTF8_Blended(font, utf8, c);
    if (surface == nullptr) return nullptr;
    SDL_Texture* texture = SDL_CreateTextureFromSurface(renderer, surface);
    int w = surface->w, h = surface->h;
    SDL_FreeSurface(surface);
    if (texture == nullptr) return nullptr;
    UseNearest(texture);
    if (slot->texture != nullptr) SDL_DestroyTexture(slot->texture);
    std::memcpy(slot->text, text, n);
    slot->text[n] = '\0';
    slot->colour = colour;
    slot->texture = texture;
    slot->w = w;
    slot->h = h;
    slot->lastUse = frame;
    return slot;
}

void SdlDisplay::Impl::DropIdleTexts() {
    for (TextEntry& e : texts) {
        if (e.texture != nullptr && frame - e.lastUse > kTextIdleFrames) {
            SDL_DestroyTexture(e.texture);
            e.texture = nullptr;
        }
    }
}

void SdlDisplay::Impl::DropIdleBackgrounds() {
    const uint32_t now = SDL_GetTicks();
    for (BackgroundEntry& b : backgrounds) {
        if (b.texture != nullptr && now - b.lastUseMs > kBackgroundIdleMs) {
            SDL_DestroyTexture(b.texture);
            b.texture = nullptr;
        }
    }
}

void SdlDisplay::Impl::ClearTexts() {
    for (TextEntry& e : texts) {
        if (e.texture != nullptr) SDL_DestroyTexture(e.texture);
        e.texture = nullptr;
    }
}

void SdlDisplay::Impl::ClearBackgrounds() {
    for (BackgroundEntry& b : backgrounds) {
        if (b.texture != nullptr) SDL_DestroyTexture(b.texture);
        b.texture = nullptr;
    }
}

bool SdlDisplay::Impl::SameAsShown(const Renderer& r, int32_t count, bool withBackground) const {
    if (!shownValid || offscreen || SDL_GetTicks() - shownAt >= kRedrawIntervalMs) return false;
    if (count != shownCount || withBackground != shownWithBackground || r.inverted != shownInverted)
        return false;
    if (withBackground && std::strncmp(r.backgroundFile, shownBackground, kBackgroundNameSize) != 0)
        return false;
    if (count > 0 && std::memcmp(r.quads, shownQuads, sizeof(QuadSlot) * count) != 0) return false;
    for (int32_t i = 0; i < kTextSlots; ++i) {
        const TextSlot& a = r.texts[i];
        const TextSlot& b = shownTexts[i];
        if ((a.pending != 0) != (b.pending != 0)) return false;
        if (!a.pending) continue;
        if (a.left != b.left || a.top != b.top || a.right != b.right || a.bottom != b.bottom ||
            a.colour != b.colour || std::strncmp(a.text, b.text, kTextLength) != 0)
            return false;
    }
    return true;
}

void SdlDisplay::Impl::RememberShown(const Renderer& r, int32_t count, bool withBackground) {
    shownValid = true;
    shownAt = SDL_GetTicks();
    shownCount = count;
    shownWithBackground = withBackground;
    shownInverted = r.inverted;
    std::memcpy(shownBackground, r.backgroundFile, kBackgroundNameSize);
    if (count > 0) std::memcpy(shownQuads, r.quads, sizeof(QuadSlot) * count);
    for (int32_t i = 0; i < kTextSlots; ++i) {
        shownTexts[i] = r.texts[i];
        shownTexts[i].pending = r.texts[i].pending ? 1 : 0;
    }
}

void SdlDisplay::Impl::BeginFrame() {
    if (viaTarget) SDL_SetRenderTarget(renderer, target);
    SDL_SetRenderDrawColor(renderer, 0, 0, 0, 255);
    SDL_RenderClear(renderer);
}

void SdlDisplay::Impl::EndFrame() {
    if (viaTarget) {
        SDL_SetRenderTarget(renderer, nullptr);
        if (!offscreen) SDL_RenderClear(renderer);  // the letterbox bars
        SDL_RenderCopy(renderer, target, nullptr, nullptr);
    }
    SDL_RenderPresent(renderer);
    StartLoader();
    ++frame;
    DropIdleTexts();
    DropIdleBackgrounds();
}

SdlDisplay* SdlDisplay::Create(bool offscreen, const char* contentRoot) {
    SdlDisplay* d = new SdlDisplay();
    d->impl_ = new Impl();
    Impl& m = *d->impl_;
    m.offscreen = offscreen;
    // A root too long for the buffer would name another place: refuse it as no root at all,
    // and every file is then missing rather than wrong.
    if (contentRoot && std::strlen(contentRoot) < sizeof(m.contentRoot))
        std::memcpy(m.contentRoot, contentRoot, std::strlen(contentRoot) + 1);
    SDL_SetHint(SDL_HINT_RENDER_SCALE_QUALITY, "nearest");
    const bool software = offscreen || PreferSoftwareRenderer();
    if (software && !offscreen) {
        // The window's pixels go straight to the X server, not through an OpenGL context
        // (a normal hint: the player's environment still wins).
        SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
    }
    Uint32 windowFlags = offscreen ? SDL_WINDOW_HIDDEN : SDL_WINDOW_FULLSCREEN_DESKTOP;
    // A window made for OpenGL from the start: SDL would otherwise destroy it and make another
    // when the renderer is created, and the desktop would show both for a moment.
    if (!software) windowFlags |= SDL_WINDOW_OPENGL;
    d->window_ = SDL_CreateWindow("Veloria", SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED,
                                  kScreenWidth, kScreenHeight, windowFlags);
    if (d->window_ == nullptr) {
        std::fprintf(stderr, "veloria: cannot create the window: %s\n", SDL_GetError());
        delete d;
        return nullptr;
    }
    if (software) {
        m.renderer =
            SDL_CreateRenderer(d->window_, -1, SDL_RENDERER_SOFTWARE | SDL_RENDERER_TARGETTEXTURE);
    }
    if (m.renderer == nullptr && !offscreen) {
        m.renderer = SDL_CreateRenderer(d->window_, -1, SDL_RENDERER_PRESENTVSYNC);
        if (m.renderer == nullptr) m.renderer = SDL_CreateRenderer(d->window_, -1, 0);
    }
    if (m.renderer == nullptr) {
        std::fprintf(stderr, "veloria: cannot create the renderer: %s\n", SDL_GetError());
        delete d;
        return nullptr;
    }
    SDL_RendererInfo info{};
    if (SDL_GetRendererInfo(m.renderer, &info) == 0)
        d->vsync_ = (info.flags & SDL_RENDERER_PRESENTVSYNC) != 0;
    m.viaTarget = offscreen || (info.flags & SDL_RENDERER_SOFTWARE) != 0;
    if (m.viaTarget) {
        m.target = SDL_CreateTexture(m.renderer, SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_TARGET,
                                     kScreenWidth, kScreenHeight);
        if (m.target == nullptr) {
            std::fprintf(stderr, "veloria: cannot create the frame texture: %s\n", SDL_GetError());
            delete d;
            return nullptr;
        }
        UseNearest(m.target);
        SDL_SetTextureBlendMode(m.target, SDL_BLENDMODE_NONE);  // every pixel is opaque
    }
    if (!offscreen) {
        SDL_RenderSetLogicalSize(m.renderer, kScreenWidth, kScreenHeight);
        SDL_ShowCursor(SDL_DISABLE);
    }
    SDL_SetRenderDrawBlendMode(m.renderer, SDL_BLENDMODE_NONE);
    int imgFlags = IMG_INIT_PNG | IMG_INIT_JPG;
    m.initImage = (IMG_Init(imgFlags) & imgFlags) != 0;
    return d;
}

SdlDisplay::~SdlDisplay() {
    if (impl_ != nullptr) {
        ReleaseFont();
        ReleaseTextures();
        if (impl_->target != nullptr) SDL_DestroyTexture(impl_->target);
        if (impl_->renderer != nullptr) SDL_DestroyRenderer(impl_->renderer);
        if (impl_->initTtf) TTF_Quit();
        if (impl_->initImage) IMG_Quit();
        delete impl_;
    }
    if (window_ != nullptr) SDL_DestroyWindow(window_);
}

bool SdlDisplay::SaveLastFrame(const char* pngPath) {
    if (!impl_->offscreen) return false;
    SDL_Surface* surface = SDL_CreateRGBSurfaceWithFormat(0, kScreenWidth, kScreenHeight, 32,
                                                          SDL_PIXELFORMAT_ARGB8888);
    if (surface == nullptr) return false;
    SDL_SetRenderTarget(impl_->renderer, impl_->target);
    bool ok = SDL_RenderReadPixels(impl_->renderer, nullptr, SDL_PIXELFORMAT_ARGB8888,
                                   surface->pixels, surface->pitch) == 0;
    SDL_SetRenderTarget(impl_->renderer, nullptr);
    ok = ok && IMG_SavePNG(surface, pngPath) == 0;
    SDL_FreeSurface(surface);
    return ok;
}

void SdlDisplay::ToggleFullscreen() {
    if (impl_->offscreen) return;
    bool full = (SDL_GetWindowFlags(window_) & SDL_WINDOW_FULLSCREEN_DESKTOP) != 0;
    SDL_SetWindowFullscreen(window_, full ? 0 : SDL_WINDOW_FULLSCREEN_DESKTOP);
    Invalidate();
    if (full) SDL_SetWindowSize(window_, kScreenWidth, kScreenHeight);
}

int SdlDisplay::RefreshRate() const {
    SDL_DisplayMode mode;
    int index = SDL_GetWindowDisplayIndex(window_);
    if (index >= 0 && SDL_GetCurrentDisplayMode(index, &mode) == 0 && mode.refresh_rate > 0)
        return mode.refresh_rate;
    return 60;
}

void SdlDisplay::MaxTextureSize(int32_t* width, int32_t* height) {
    SDL_RendererInfo info;
    *width = *height = 0;
    if (SDL_GetRendererInfo(impl_->renderer, &info) != 0) return;
    // The software renderer has no limit and says 0.
    *width = info.max_texture_width > 0 ? info.max_texture_width : 65536;
    *height = info.max_texture_height > 0 ? info.max_texture_height : 65536;
}

bool SdlDisplay::LoadTileLibrary(const char* path) {
    ReleaseTextures();
    Invalidate();
    // The header is read now, so a library of the wrong size ends the game at once; decoding
    // it waits on the loader thread until a frame first draws tiles.
    Impl& m = *impl_;
    if (!PictureUsable(m.contentRoot, path, PictureRole::TileLibrary)) return false;
    if (!ContentPath(m.contentRoot, path, m.tilePath, sizeof(m.tilePath))) return false;
    m.loaderOk = false;
    m.loaderWanted = true;
    return true;
}

void SdlDisplay::UseStartAhead(StartAhead* ahead) {
    impl_->ahead = ahead;
}

void SdlDisplay::ReleaseTextures() {
    // A loader still running (or done but never joined) is waited for; no texture is made.
    impl_->loaderWanted = false;
    if (impl_->loader != nullptr) SDL_WaitThread(impl_->loader, nullptr);
    impl_->loader = nullptr;
    impl_->DestroyTileTextures();
    FreeTileAtlas(&impl_->atlas);
    impl_->loaderOk = false;
    Invalidate();
    impl_->ClearBackgrounds();
}

bool SdlDisplay::CreateFont() {
    ReleaseFont();
    if (impl_->ahead != nullptr) {
        // Opened ahead, with a TTF_Init reference of its own that is now this display's.
        if (TTF_Font* font = impl_->ahead->TakeFont()) {
            impl_->font = font;
            impl_->initTtf = true;
            return true;
        }
    }
    if (!TTF_WasInit()) {
        if (TTF_Init() != 0) return false;
        impl_->initTtf = true;
    }
    char why[1200];
    TTF_Font* font = OpenCellFont(why, sizeof(why));
    if (font == nullptr) {
        std::fprintf(stderr, "veloria: %s\n", why);
        return false;
    }
    impl_->font = font;
    return true;
}

void SdlDisplay::ReleaseFont() {
    Invalidate();
    impl_->ClearTexts();
    if (impl_->font != nullptr) TTF_CloseFont(impl_->font);
    impl_->font = nullptr;
}

bool SdlDisplay::MeasureText(const char* text, int32_t* width, int32_t* height) {
    if (impl_->font == nullptr) return false;
    char line[kTextLength];
    size_t n = SingleLine(text, kTextLength - 1, line);
    text = line;
    if (n == 0) {
        *width = 0;
        *height = TTF_FontHeight(impl_->font);
        return true;
    }
    // A text already on screen in any colour has the same size: no font work per frame.
    for (const TextEntry& e : impl_->texts) {
        if (e.texture != nullptr && std::strncmp(e.text, text, n) == 0 && e.text[n] == '\0') {
            *width = e.w;
            *height = e.h;
            return true;
        }
    }
    char utf8[kTextLength * 2];
    ToUtf8(text, n, utf8, sizeof(utf8));
    int w = 0, h = 0;
    if (TTF_SizeUTF8(impl_->font, utf8, &w, &h) != 0) return false;
    *width = w;
    *height = h;
    return true;
}

namespace {
bool QuadSource(const QuadSlot& q, SDL_Rect* src, SDL_Rect* dst) {
    const float library = static_cast<float>(kTileLibrarySize);
    const Vertex& a = q.v[0];  // left, top
    const Vertex& b = q.v[4];  // right, bottom
    *dst = SDL_Rect{ToPixel(a.x), ToPixel(a.y), 0, 0};
    dst->w = ToPixel(b.x) - dst->x;
    dst->h = ToPixel(b.y) - dst->y;
    *src = SDL_Rect{ToPixel(a.u * library), ToPixel(a.v * library), 0, 0};
    src->w = ToPixel(b.u * library) - src->x;
    src->h = ToPixel(b.v * library) - src->y;
    // Empty slots and cells outside the library draw nothing.
    if (dst->w <= 0 || dst->h <= 0 || src->w <= 0 || src->h <= 0) return false;
    return src->x >= 0 && src->y >= 0 && src->x + src->w <= kTileLibrarySize &&
           src->y + src->h <= kTileLibrarySize;
}
}  // namespace

PresentResult SdlDisplay::Present(const Renderer& r, int32_t quadCount, bool withBackground) {
    Impl& m = *impl_;
    SDL_Renderer* sr = m.renderer;
    PresentResult result = PresentResult::Ok;
    if (quadCount < 0) quadCount = 0;
    if (quadCount > kQuadSlots) quadCount = kQuadSlots;
    // Menus and title pictures repeat the same frame for seconds: keep what is on screen.
    if (m.SameAsShown(r, quadCount, withBackground)) return PresentResult::Ok;
    // The first frame with tiles waits for the loader; a library it could not use ends the game
    // as one that failed to load would.
    if (quadCount > 0 && m.JoinLoader()) result = PresentResult::TileLibraryFailed;
    const TileTextures* tiles = nullptr;
    if (quadCount > 0 && m.loader == nullptr && m.loaderOk) {
        // The negative is wanted only for a battle's flash: made for it, let go after it.
        if (r.inverted) {
            m.PrepareNegatives(r, quadCount);
        } else {
            m.DropNegatives();
        }
        tiles = r.inverted ? &m.tilesInverted : &m.tiles;
    }
    m.BeginFrame();
    if (withBackground) {
        SDL_Texture* bg = m.Background(r.backgroundFile);
        if (bg == nullptr) {
            result = PresentResult::BackgroundLoadFailed;
        } else {
            SDL_Rect screen{0, 0, kScreenWidth, kScreenHeight};
            SDL_RenderCopy(sr, bg, nullptr, &screen);
        }
    }
    if (tiles != nullptr) {
        for (int32_t i = 0; i < quadCount; ++i) {
            SDL_Rect src, dst;
            if (QuadSource(r.quads[i], &src, &dst)) m.DrawQuad(*tiles, src, dst);
        }
    }
    for (int32_t i = 0; i < kTextSlots; ++i) {
        const TextSlot& slot = r.texts[i];
        if (!slot.pending) continue;
        char line[kTextLength];
        size_t n = SingleLine(slot.text, kTextLength - 1, line);
        TextEntry* e = m.Text(line, n, slot.colour);
        if (e == nullptr) continue;
        // Clipped to the measured rectangle, like the placement promised.
        int w = e->w, h = e->h;
        if (slot.right > slot.left && slot.right - slot.left < w) w = slot.right - slot.left;
        if (slot.bottom > slot.top && slot.bottom - slot.top < h) h = slot.bottom - slot.top;
        SDL_Rect src{0, 0, w, h};
        SDL_Rect dst{slot.left, slot.top, w, h};
        SDL_RenderCopy(sr, e->texture, &src, &dst);
    }
    m.EndFrame();
    if (result == PresentResult::Ok) {
        m.RememberShown(r, quadCount, withBackground);
    } else {
        m.shownValid = false;
    }
    return result;
}

void SdlDisplay::PresentBlack() {
    impl_->BeginFrame();
    impl_->EndFrame();
    impl_->shownValid = false;
}

void SdlDisplay::Invalidate() {
    impl_->shownValid = false;
}

uint32_t SdlDisplay::DrawnFrames() const {
    return impl_->frame;
}

}  // namespace veloria
