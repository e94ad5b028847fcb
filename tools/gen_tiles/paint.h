#pragma once
// Drawing helpers for the tile library generator. Every cell is painted at 64 x 64 "art pixels"
// and written into the library at twice that size, which gives the chunky look and halves the
// work. Everything is deterministic: noise comes from an integer hash, never from the clock.
#include <cstddef>
#include <cstdint>
#include <vector>

namespace gen {

using std::size_t;
using Color = uint32_t;                // 0xRRGGBB
constexpr Color kClear = 0xFF000000u;  // transparent in a working image
constexpr int kArt = 64;               // art pixels per cell side
constexpr int kCell = 128;             // library pixels per cell side
constexpr int kCells = 32;             // cells per library row
constexpr int kLib = kCell * kCells;   // library side in pixels

constexpr Color Rgb(int r, int g, int b) {
    return (Color(r & 255) << 16) | (Color(g & 255) << 8) | Color(b & 255);
}
inline int Red(Color c) {
    return int((c >> 16) & 255);
}
inline int Green(Color c) {
    return int((c >> 8) & 255);
}
inline int Blue(Color c) {
    return int(c & 255);
}
Color Mix(Color a, Color b, float t);
Color Scale(Color c, float f);
Color Lighten(Color c, float t);  // towards white
Color Darken(Color c, float t);   // towards black

// A four-step shading ramp: dark, shade, base, light.
struct Ramp {
    Color c[4];
};
Ramp MakeRamp(Color base);
Ramp MakeRamp(Color dark, Color shade, Color base, Color light);
// v in 0..1 picks a ramp step.
Color Pick(const Ramp& r, float v);

uint32_t Hash(int32_t x, int32_t y, uint32_t seed);
float Hash01(int32_t x, int32_t y, uint32_t seed);
// Value noise on a lattice of `period` cells that repeats every `period` lattice units, so a
// texture built from it tiles seamlessly. Result 0..1.
float Noise(float x, float y, int period, uint32_t seed);
// Sum of octaves; x, y in art pixels, `size` = feature size in art pixels (divides 64).
float Fbm(float x, float y, int size, int octaves, uint32_t seed);

// Periodic Voronoi over a 64 x 64 tile: n x n jittered points.
struct Voronoi {
    int n;
    float px[64], py[64];
    void Build(int grid, float jitter, uint32_t seed);
    // Index of the nearest point, distance to it, and distance to the second nearest.
    int Nearest(float x, float y, float* d1, float* d2) const;
};

struct Img {
    int w, h;
    std::vector<Color> px;
    explicit Img(int width = kArt, int height = kArt, Color fill = kClear);

    bool In(int x, int y) const { return x >= 0 && y >= 0 && x < w && y < h; }
    Color Get(int x, int y) const { return In(x, y) ? px[size_t(y * w + x)] : kClear; }
    Color GetWrap(int x, int y) const;
    bool Opaque(int x, int y) const { return Get(x, y) != kClear; }
    void Set(int x, int y, Color c) {
        if (In(x, y)) px[size_t(y * w + x)] = c;
    }
    void SetWrap(int x, int y, Color c);
    // Only where something is already drawn.
    void SetOver(int x, int y, Color c) {
        if (Opaque(x, y)) Set(x, y, c);
    }

    void Fill(Color c);
    void Rect(int x, int y, int rw, int rh, Color c);
    void Frame(int x, int y, int rw, int rh, Color c);
    void Ellipse(float cx, float cy, float rx, float ry, Color c);
    void EllipseRing(float cx, float cy, float rx, float ry, float thick, Color c);
    // Light from the upper left: a rounded body shaded through the ramp.
    void ShadedEllipse(float cx, float cy, float rx, float ry, const Ramp& r);
    // A body whose half width goes from topHalf at y0 to bottomHalf at y1, shaded left to right.
    void ShadedTrapezoid(float cx, int y0, int y1, float topHalf, float bottomHalf, const Ramp& r);
    void Line(int x0, int y0, int x1, int y1, Color c);
    void ThickLine(float x0, float y0, float x1, float y1, float width, Color c);
    // Dithered: only the pixels of a checkerboard (parity 0 or 1).
    void DitherEllipse(float cx, float cy, float rx, float ry, Color c, int parity);
    // Sparkle: a small plus with a bright centre.
    void Sparkle(int x, int y, Color c, Color core);

    // A one-pixel rim in colour c around everything drawn (transparent pixels that touch a
    // drawn one on a side).
    void Outline(Color c);
    void Draw(const Img& src, int dx, int dy);
    Img Mirrored() const;
    Img Rotated() const;  // 90 degrees clockwise
    // Moves the whole image by (dx, dy), dropping what leaves it.
    Img Shifted(int dx, int dy) const;
};

// Whole-image effects for sprite states.
void Flash(Img& img, Color toward, float amount);
void Tint(Img& img, Color toward, float amount);
// Keeps a sparse, pale scatter of the figure: what is left while it is teleporting.
Img Shimmer(const Img& img, uint32_t seed);

class Library {
  public:
    Library();
    // Writes a 64 x 64 art image into cell `tile` at twice its size; clear pixels become key
    // green, and art that happens to be key green is nudged off it.
    void Put(int tile, const Img& art);
    bool Used(int tile) const { return used_[size_t(tile)]; }
    const std::vector<uint32_t>& Pixels() const { return pixels_; }  // 0xRRGGBB

  private:
    std::vector<uint32_t> pixels_;
    std::vector<bool> used_;
};

constexpr Color kKey = Rgb(0, 255, 0);
constexpr Color kInk = Rgb(26, 18, 24);  // outline colour of sprites

}  // namespace gen
