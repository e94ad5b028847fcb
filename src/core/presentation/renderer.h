#pragma once
// The one graphics record: 328 quad slots cut from the 32 x 32-cell tile library, the background
// picture name, 40 text slots and the error record. Screens fill slots and call DrawFrame once.
#include <cstdint>

namespace veloria {

struct Game;

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

constexpr uint32_t kColourDarkRed = 0xFF800000u;
constexpr uint32_t kColourDarkGreen = 0xFF008000u;
constexpr uint32_t kColourGreen = 0xFF009B00u;
constexpr uint32_t kColourWhite = 0xFFFFFFFFu;
constexpr uint32_t kColourBlue = 0xFF0000FFu;
constexpr uint32_t kColourRed = 0xFFFF0000u;
constexpr uint32_t kColourBrightGreen = 0xFF00FF00u;
constexpr uint32_t kColourNavy = 0xFF000080u;
constexpr uint32_t kColourOlive = 0xFF808000u;

// Records a failure: error text, quit message 18.
void RecordError(Game& g, const char* message);

enum class TileLibraryLoad : int32_t {
    Loaded,
    CardTooSmall,  // the message box text and caption are composed in the renderer
    Failed,        // recorded as the renderer's error; the game ends at the next pass
};
TileLibraryLoad LoadTileLibrary(Game& g, const char* file);
void CreateQuadBuffer(Game& g, int32_t count);
void SetQuad(Game& g, int32_t slot, int32_t left, int32_t right, int32_t top, int32_t bottom,
             uint32_t tile);
// Copies at most 24 characters of the name.
void SetBackground(Game& g, const char* file);
void DrawFrame(Game& g, int32_t count, uint8_t withBackground);
void PresentBlackFrame(Game& g);
void SetInvertedColours(Game& g);
void SetNormalColours(Game& g);
void ReleaseTextures(Game& g);

// Text slots.
void CreateFont(Game& g);
void ReleaseFont(Game& g);
// Places one line (cut to 39 characters) in a slot for the next frame only.
void DrawText(Game& g, int32_t slot, const char* text, int32_t x, int32_t y, uint32_t colour);

// Writes the background file name buffer (80 characters) with printf-style formatting.
void SetBackgroundFile(Game& g, const char* format, ...) __attribute__((format(printf, 2, 3)));

}  // namespace veloria
