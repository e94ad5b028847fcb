#pragma once
// Reusable pieces of scenery and furniture for the pictures: skies, mountains, water, castles,
// the heroine's silhouette, candles and the panels that carry the game's texts.
#include <cstdint>

#include "canvas.h"

namespace veloria::media {

// Palette shared by all pictures.
constexpr Color kInk = Hex(0x3A2412);
constexpr Color kGold = Hex(0xE6C470);
constexpr Color kPaleGold = Hex(0xF2E3B3);
constexpr Color kParchment = Hex(0xEEE0BA);
constexpr Color kNight = Hex(0x0B1026);

void StarrySky(Canvas& c, Color top, Color bottom, int horizon, uint32_t seed, float density);
void Moon(Canvas& c, float x, float y, float r, Color tint);
// A mountain range whose ridge sits around `base`, `amp` pixels high.
void Mountains(Canvas& c, float base, float amp, float scale, uint32_t seed, Color color,
               Color light = Color{-1, 0, 0});
void PineForest(Canvas& c, float base, int count, float minH, float maxH, Color color,
                uint32_t seed, int x0 = 0, int x1 = Canvas::kWidth);
// A castle silhouette; `lantern` > 0 lights the tall tower's lantern with that strength.
void Castle(Canvas& c, float cx, float base, float s, Color color, Color windows, float lantern);
// Water from `horizon` down, mirroring what is above it with ripples.
void Lake(Canvas& c, int horizon, Color tint, float darkness, uint32_t seed);
// The heroine, standing (angle 0) or lying (angle about 1.57); feet at (x, y); h is her height.
void Heroine(Canvas& c, float x, float y, float h, Color color, Color orb, float orbGlow,
             float angle = 0, bool flip = false);
void Candle(Canvas& c, float x, float base, float height, float flicker);
void StoneWall(Canvas& c, Color tint, uint32_t seed, int y0 = 0, int y1 = Canvas::kHeight);
void WoodPlanks(Canvas& c, Color tint, uint32_t seed);
void LightRays(Canvas& c, float cx, float cy, int count, Color color, float intensity,
               uint32_t seed);
// Light paper for dark text: stained, darker at the edges, with a soft drop shadow.
void Parchment(Canvas& c, float x0, float y0, float x1, float y1, uint32_t seed, bool ruled = true);
// A translucent dark panel with a gold double border, for white text.
void DarkPanel(Canvas& c, float x0, float y0, float x1, float y1, float opacity = 0.82f);
void GoldDivider(Canvas& c, float x0, float x1, float y, Color color = kGold);
void Potion(Canvas& c, float x, float base, float size, Color liquid);
// Lettering that names a screen: gold, centred, with a shadow and a faint glow.
void ScreenTitle(Canvas& c, const char* text, int y, int size = 52);
// A key-hint line in pale gold on a dark band, centred on cx.
void HintBand(Canvas& c, const char* text, int cx, int y);

}  // namespace veloria::media
