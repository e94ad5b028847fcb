#pragma once
// The one graphics record: 328 quad slots cut from the 32 x 32-cell tile library, the background
// picture name, 40 text slots and the error record.
#include <cstdint>

namespace veloria {

constexpr int32_t kQuadSlots = 328;
constexpr int32_t kTextSlots = 40;
constexpr int32_t kTextLength = 40;          // 39 characters and the terminating zero
constexpr int32_t kBackgroundNameSize = 25;  // 24 characters of name
constexpr int32_t kTileLibrarySize = 4096;
constexpr int32_t kMapQuads = 324;
constexpr int32_t kMapQuadsWithBox = 328;

// The fixed allocation of the quad slots on a map frame: four layers of 80 view cells, with the
// four sprites between the animated layer (160..239) and the top layer (244..323), which covers
// them, and the dialog box's four cells last.
constexpr int32_t kQuadVillainSpell = 240;
constexpr int32_t kQuadVillain = 241;
constexpr int32_t kQuadHero = 242;
constexpr int32_t kQuadHeroSpell = 243;
constexpr int32_t kQuadDialogBox = 323;  // 323 + k for cell k of the box's four

// Pre-transformed vertex: screen x, y, z (0), reciprocal w (1), texture u, v.
struct Vertex {
    float x, y, z, rhw, u, v;
};

// Two triangles: (L,T) (R,T) (L,B) (R,T) (R,B) (L,B).
struct QuadSlot {
    Vertex v[6];
};

struct TextSlot {
    int32_t left, top, right, bottom;
    uint32_t colour;
    char text[kTextLength];
    uint8_t pending;
};

// What the last presented frame showed (for the runner's dump and for tests).
struct PresentedFrame {
    char background[kBackgroundNameSize];
    int32_t quads;
    int32_t textCount;
    int32_t textSlot[kTextSlots];  // slot numbers of the texts drawn, in drawing order
    TextSlot texts[kTextSlots];    // copies of those slots
    uint32_t frameNumber;          // presented frames since start-up
};

struct Renderer {
    int32_t lastResult;
    char errorText[256];
    TextSlot texts[kTextSlots];
    char backgroundFile[kBackgroundNameSize];
    QuadSlot quads[kQuadSlots];
    uint8_t inverted;     // colour-negative quads
    uint8_t tileLibrary;  // tile library loaded
    uint8_t quadBuffer;   // quad buffer created
    uint8_t font;         // font created
    char textureSizeMessage[256];
    char textureSizeCaption[256];
    PresentedFrame presented;
};

}  // namespace veloria
