#pragma once
// Filling the graphics record's slots and presenting them: screens fill slots and call DrawFrame
// once.
#include <cstdint>

#include "presentation/renderer_record.h"

namespace veloria {

struct Game;

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

// Writes the background file name buffer (80 characters) with printf-style formatting.
void SetBackgroundFile(Game& g, const char* format, ...) __attribute__((format(printf, 2, 3)));

}  // namespace veloria
