#include "presentation/renderer.h"

#include <cstdarg>
#include <cstdint>
#include <cstdio>
#include <cstring>

#include "flow/bounded_text.h"
#include "flow/frame_loop.h"
#include "flow/game.h"
#include "presentation/platform.h"
#include "presentation/tiles.h"

namespace veloria {

namespace {
constexpr int32_t kTileColumns = 32;
constexpr uint32_t kTileCount = kTileCells;
constexpr float kCellSize = 0.03125f;  // 1/32 of the texture in each direction

void SetVertex(Vertex& v, int32_t x, int32_t y, float u, float tv) {
    v.x = static_cast<float>(x);
    v.y = static_cast<float>(y);
    v.z = 0.0f;
    v.rhw = 1.0f;
    v.u = u;
    v.v = tv;
}

const char* PresentFailureText(PresentResult result) {
    switch (result) {
        case PresentResult::BackgroundSurfaceFailed:
            return "Error creating bitmap surface.";
        case PresentResult::BackgroundLoadFailed:
            return "Couldn't load bitmap file.";
        case PresentResult::BackgroundCopyFailed:
            return "Error copying image buffer.";
        case PresentResult::TileLibraryFailed:
            return "Couldn't create texture.";
        case PresentResult::Ok:
            break;
    }
    return nullptr;
}
}  // namespace

void RecordError(Game& g, const char* message) {
    CopyText(g.renderer.errorText, sizeof(g.renderer.errorText), message);
    PostQuit(g, 18);
}

TileLibraryLoad LoadTileLibrary(Game& g, const char* file) {
    Renderer& r = g.renderer;
    Display* display = g.platform.display;
    if (!display) return TileLibraryLoad::Failed;
    int32_t width = 0;
    int32_t height = 0;
    display->MaxTextureSize(&width, &height);
    if (width < kTileLibrarySize || height < kTileLibrarySize) {
        CopyText(r.textureSizeCaption, sizeof(r.textureSizeCaption),
                 "DirectX Video Card Texture error");
        FormatText(r.textureSizeMessage, sizeof(r.textureSizeMessage),
                   "Your Video Card's max texture size is too small to run this game.\n"
                   "You need %d x %d texture size and your card is only\n"
                   "%d x %d. A list of approved cards is in 'cards.doc'.",
                   kTileLibrarySize, kTileLibrarySize, width, height);
        return TileLibraryLoad::CardTooSmall;
    }
    if (!display->LoadTileLibrary(file)) {
        RecordError(g, "Couldn't create texture.");
        return TileLibraryLoad::Failed;
    }
    r.tileLibrary = 1;
    return TileLibraryLoad::Loaded;
}

// The quads live in the renderer; the display copies the ones it is asked to draw at present
// time, so creating the buffer only has to note that drawing may begin.
void CreateQuadBuffer(Game& g, int32_t count) {
    if (count > 0) g.renderer.quadBuffer = 1;
}

void SetQuad(Game& g, int32_t slot, int32_t left, int32_t right, int32_t top, int32_t bottom,
             uint32_t tile) {
    if (slot < 0 || slot >= kQuadSlots) return;
    QuadSlot& q = g.renderer.quads[slot];
    if (tile >= kTileCount) {
        // No such cell: the slot becomes an empty quad, which draws nothing, rather than
        // pointing below the bottom of the tile library.
        std::memset(static_cast<void*>(&q), 0, sizeof(q));
        return;
    }
    const uint32_t row = tile / kTileColumns;
    const uint32_t column = tile - row * kTileColumns;
    const float uL = static_cast<float>(column) * kCellSize;
    const float vT = static_cast<float>(row) * kCellSize;
    const float uR = uL + kCellSize;
    const float vB = vT + kCellSize;
    SetVertex(q.v[0], left, top, uL, vT);
    SetVertex(q.v[1], right, top, uR, vT);
    SetVertex(q.v[2], left, bottom, uL, vB);
    SetVertex(q.v[3], right, top, uR, vT);
    SetVertex(q.v[4], right, bottom, uR, vB);
    SetVertex(q.v[5], left, bottom, uL, vB);
}

void SetBackground(Game& g, const char* file) {
    CopyText(g.renderer.backgroundFile, sizeof(g.renderer.backgroundFile), file);
}

void DrawFrame(Game& g, int32_t count, uint8_t withBackground) {
    Renderer& r = g.renderer;
    if (count < 0) count = 0;
    if (count > kQuadSlots) count = kQuadSlots;
    const bool background = withBackground != 0;

    if (Display* display = g.platform.display) {
        const PresentResult result = display->Present(r, count, background);
        if (background) {
            r.lastResult = static_cast<int32_t>(result);
            if (const char* text = PresentFailureText(result)) RecordError(g, text);
        } else if (result == PresentResult::TileLibraryFailed) {
            // A library the display decodes late fails on a map frame, not a picture frame.
            RecordError(g, PresentFailureText(result));
        }
    }

    // Remember what was shown, then empty the text slots: a text lasts one frame.
    PresentedFrame& p = r.presented;
    CopyText(p.background, sizeof(p.background), background ? r.backgroundFile : "");
    p.quads = count;
    p.textCount = 0;
    for (int32_t i = 0; i < kTextSlots; ++i) {
        TextSlot& slot = r.texts[i];
        if (!slot.pending) continue;
        p.textSlot[p.textCount] = i;
        p.texts[p.textCount] = slot;
        ++p.textCount;
        slot.pending = 0;
    }
    ++p.frameNumber;
}

void PresentBlackFrame(Game& g) {
    if (g.platform.display) g.platform.display->PresentBlack();
    PresentedFrame& p = g.renderer.presented;
    p.background[0] = '\0';
    p.quads = 0;
    p.textCount = 0;
    ++p.frameNumber;
}

void SetInvertedColours(Game& g) {
    g.renderer.inverted = 1;
}

void SetNormalColours(Game& g) {
    g.renderer.inverted = 0;
}

void ReleaseTextures(Game& g) {
    Renderer& r = g.renderer;
    if (!r.tileLibrary && !r.quadBuffer) return;
    if (g.platform.display) g.platform.display->ReleaseTextures();
    r.tileLibrary = 0;
    r.quadBuffer = 0;
}

void SetBackgroundFile(Game& g, const char* format, ...) {
    va_list args;
    va_start(args, format);
    std::vsnprintf(g.backgroundFile, sizeof(g.backgroundFile), format, args);
    va_end(args);
}

}  // namespace veloria
