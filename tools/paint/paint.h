#pragma once
// The painting kit the content generators share (gen_pictures and gen_tiles link it):
//
//   colour    Color, float RGB for smooth painting, and Packed 0xRRGGBB for pixel art, with
//             mixing and scaling for each (the packed forms round to whole steps every time).
//   noise     two integer hashes, value noise on an endless lattice and on a repeating one,
//             and their fractal sums. Everything is deterministic; nothing reads the clock.
//   Raster    the pixel buffer both surfaces are: bounds-checked, clamped and wrapped access.
//   Surface   float RGB with anti-aliased shapes drawn from distance functions, gradients,
//             blending, additive glows, skylines, vignette and grain (the full-screen pictures).
//   PixelImage packed pixels with hard-edged shapes, a four-step shading ramp, outlines and
//             flips (the 64 x 64 tile art).
//   files     PNG and BMP writing from rows the caller fills in.
//
// Where the two generators did a thing differently (hash, noise lattice, rounding of colours,
// anti-aliased or hard edges), both ways are kept under their own names: each generator's art
// depends on its own, pixel for pixel.
#include <algorithm>
#include <climits>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace veloria::paint {

// --- colour ----------------------------------------------------------------------------------

inline float Lerp(float a, float b, float t) {
    return a + (b - a) * t;
}
inline float Clamp01(float v) {
    return std::clamp(v, 0.0f, 1.0f);
}
// Smoothstep on 0..1.
inline float Smooth(float t) {
    return t * t * (3 - 2 * t);
}

// Light in 0..1 a channel; added light may go past 1 until the picture is written.
struct Color {
    float r, g, b;
};

constexpr Color Hex(uint32_t rgb) {
    return Color{static_cast<float>((rgb >> 16) & 0xFF) / 255.0f,
                 static_cast<float>((rgb >> 8) & 0xFF) / 255.0f,
                 static_cast<float>(rgb & 0xFF) / 255.0f};
}
Color Mix(Color a, Color b, float t);
Color Scale(Color c, float k);

// 0xRRGGBB; kClear (outside that range) marks a transparent pixel of a working image.
using Packed = uint32_t;
constexpr Packed kClear = 0xFF000000u;

constexpr Packed Rgb(int r, int g, int b) {
    return (Packed(r & 255) << 16) | (Packed(g & 255) << 8) | Packed(b & 255);
}
inline int Red(Packed c) {
    return int((c >> 16) & 255);
}
inline int Green(Packed c) {
    return int((c >> 8) & 255);
}
inline int Blue(Packed c) {
    return int(c & 255);
}
Packed Mix(Packed a, Packed b, float t);
Packed Scale(Packed c, float f);
Packed Lighten(Packed c, float t);  // towards white
Packed Darken(Packed c, float t);   // towards black

// --- noise -----------------------------------------------------------------------------------

// Two unrelated integer hashes: the pictures' (HashPair) and the tiles' (HashCell).
uint32_t HashPair(uint32_t a, uint32_t b, uint32_t seed);
uint32_t HashCell(int32_t x, int32_t y, uint32_t seed);
// The low 24 bits of a hash as a number in [0, 1).
inline float Unit(uint32_t hash) {
    return static_cast<float>(hash & 0xFFFFFF) / 16777216.0f;
}

// Bilinear value noise with smoothstep weights; corner(ix, iy) gives the lattice values.
template <class Corner>
float LatticeNoise(float x, float y, Corner corner) {
    const float fx = std::floor(x), fy = std::floor(y);
    const int ix = static_cast<int>(fx), iy = static_cast<int>(fy);
    const float tx = Smooth(x - fx), ty = Smooth(y - fy);
    const float a = corner(ix, iy), b = corner(ix + 1, iy);
    const float c = corner(ix, iy + 1), d = corner(ix + 1, iy + 1);
    const float top = a + (b - a) * tx, bottom = c + (d - c) * tx;
    return top + (bottom - top) * ty;
}

// On an endless lattice (HashPair), in [0, 1]; Fbm sums octaves at 2.03 times the frequency.
float ValueNoise(float x, float y, uint32_t seed);
float Fbm(float x, float y, uint32_t seed, int octaves = 5);
// On a lattice of `period` cells that repeats (HashCell), so a texture built from it tiles.
// TiledFbm: x, y in pixels of a 64-pixel tile, `size` the feature size (divides 64), halved
// each octave.
float TiledNoise(float x, float y, int period, uint32_t seed);
float TiledFbm(float x, float y, int size, int octaves, uint32_t seed);

// --- the pixel buffer ------------------------------------------------------------------------

template <class T>
struct Raster {
    int w, h;
    std::vector<T> px;

    Raster(int width, int height, T fill)
        : w(width), h(height), px(static_cast<size_t>(width) * static_cast<size_t>(height), fill) {}

    bool In(int x, int y) const { return x >= 0 && y >= 0 && x < w && y < h; }
    T& At(int x, int y) { return px[static_cast<size_t>(y) * static_cast<size_t>(w) + x]; }
    const T& At(int x, int y) const {
        return px[static_cast<size_t>(y) * static_cast<size_t>(w) + x];
    }
    void Set(int x, int y, T c) {
        if (In(x, y)) At(x, y) = c;
    }
    // The nearest edge pixel for a point outside.
    T Clamped(int x, int y) const { return At(std::clamp(x, 0, w - 1), std::clamp(y, 0, h - 1)); }
    // Coordinates wrap around, for seamless textures.
    T& Wrapped(int x, int y) { return At(((x % w) + w) % w, ((y % h) + h) % h); }
    const T& Wrapped(int x, int y) const { return At(((x % w) + w) % w, ((y % h) + h) % h); }
    void Fill(T c) { std::fill(px.begin(), px.end(), c); }
    // f(x, y, pixel&) for every pixel of [x0, x1) x [y0, y1) inside the raster, row by row.
    template <class F>
    void ForEach(int x0, int y0, int x1, int y1, F&& f) {
        x0 = std::max(x0, 0);
        y0 = std::max(y0, 0);
        x1 = std::min(x1, w);
        y1 = std::min(y1, h);
        for (int y = y0; y < y1; ++y)
            for (int x = x0; x < x1; ++x) f(x, y, At(x, y));
    }
};

// --- smooth painting -------------------------------------------------------------------------

class Surface : public Raster<Color> {
  public:
    Surface(int width, int height) : Raster(width, height, Color{0, 0, 0}) {}

    Color Get(int x, int y) const { return Clamped(x, y); }
    void Blend(int x, int y, Color c, float alpha);
    void Add(int x, int y, Color c, float amount);

    // Paints every pixel from a function of its position (and its current colour).
    void Shade(const std::function<Color(int x, int y, Color old)>& f);
    void Shade(int x0, int y0, int x1, int y1,
               const std::function<Color(int x, int y, Color old)>& f);
    void VerticalGradient(Color top, Color bottom) { VerticalGradient(top, bottom, 0, h); }
    void VerticalGradient(Color top, Color bottom, int y0, int y1);

    // Anti-aliased fill of the region where `distance` (in pixels, negative inside) is below 0,
    // tested within the box [x0, x1) x [y0, y1).
    void FillShape(int x0, int y0, int x1, int y1,
                   const std::function<float(float, float)>& distance, Color c, float alpha = 1.0f,
                   float feather = 1.0f);
    void FillRect(float x0, float y0, float x1, float y1, Color c, float alpha = 1.0f);
    void RoundRect(float x0, float y0, float x1, float y1, float radius, Color c,
                   float alpha = 1.0f, float feather = 1.0f);
    void RoundRectOutline(float x0, float y0, float x1, float y1, float radius, float width,
                          Color c, float alpha = 1.0f);
    void Ellipse(float cx, float cy, float rx, float ry, Color c, float alpha = 1.0f,
                 float feather = 1.0f);
    void Line(float x0, float y0, float x1, float y1, float width, Color c, float alpha = 1.0f);
    void Polygon(const std::vector<float>& xy, Color c, float alpha = 1.0f);
    // Additive soft light: intensity falls off smoothly to zero at `radius`.
    void Glow(float cx, float cy, float radius, Color c, float intensity);
    // Fills below a skyline: for each column x the ground starts at height(x).
    void Ridge(const std::function<float(float)>& height, Color c, float alpha = 1.0f, int x0 = 0,
               int x1 = INT_MAX);
    void Vignette(float strength, float radius = 0.75f);
    void Grain(float amount, uint32_t seed);

    // 24-bit, with a tiny ordered dither that hides banding in long dark gradients.
    bool SaveBmp(const std::string& path) const;
};

// --- pixel art -------------------------------------------------------------------------------

// A four-step shading ramp: dark, shade, base, light.
struct Ramp {
    Packed c[4];
};
// Shadows lean cool and lights warm, which reads better than plain brightness steps.
Ramp MakeRamp(Packed base);
Ramp MakeRamp(Packed dark, Packed shade, Packed base, Packed light);
// v in 0..1 picks a ramp step.
Packed Pick(const Ramp& r, float v);

// Outside the image Get answers kClear, and Set does nothing.
struct PixelImage : Raster<Packed> {
    explicit PixelImage(int width, int height, Packed fill = kClear)
        : Raster(width, height, fill) {}

    Packed Get(int x, int y) const { return In(x, y) ? At(x, y) : kClear; }
    Packed GetWrap(int x, int y) const { return Wrapped(x, y); }
    bool Opaque(int x, int y) const { return Get(x, y) != kClear; }
    void SetWrap(int x, int y, Packed c) { Wrapped(x, y) = c; }
    // Only where something is already drawn.
    void SetOver(int x, int y, Packed c) {
        if (Opaque(x, y)) Set(x, y, c);
    }

    void Rect(int x, int y, int rw, int rh, Packed c);
    void Frame(int x, int y, int rw, int rh, Packed c);
    // A pixel belongs to an ellipse when its centre does.
    void Ellipse(float cx, float cy, float rx, float ry, Packed c);
    void EllipseRing(float cx, float cy, float rx, float ry, float thick, Packed c);
    // Light from the upper left: a rounded body shaded through the ramp.
    void ShadedEllipse(float cx, float cy, float rx, float ry, const Ramp& r);
    // A body whose half width goes from topHalf at y0 to bottomHalf at y1, shaded left to right.
    void ShadedTrapezoid(float cx, int y0, int y1, float topHalf, float bottomHalf, const Ramp& r);
    void Line(int x0, int y0, int x1, int y1, Packed c);
    void ThickLine(float x0, float y0, float x1, float y1, float width, Packed c);
    // Dithered: only the pixels of a checkerboard (parity 0 or 1).
    void DitherEllipse(float cx, float cy, float rx, float ry, Packed c, int parity);
    // Sparkle: a small plus with a bright centre.
    void Sparkle(int x, int y, Packed c, Packed core);

    // A one-pixel rim in colour c around everything drawn (transparent pixels that touch a
    // drawn one on a side).
    void Outline(Packed c);
    void Draw(const PixelImage& src, int dx, int dy);
    PixelImage Mirrored() const;
    PixelImage Rotated() const;  // 90 degrees clockwise
    // Moves the whole image by (dx, dy), dropping what leaves it.
    PixelImage Shifted(int dx, int dy) const;

  private:
    // f(x, y, nx, ny) for the pixels of the ellipse's box, (nx, ny) the pixel centre in radii.
    template <class F>
    void ForEllipseBox(float cx, float cy, float rx, float ry, F&& f);
};

// --- files -----------------------------------------------------------------------------------

// Fills a width x height image in an SDL pixel format, row(y, bytes) a row at a time, and writes
// it; false (SDL_GetError tells why) when it could not.
using RowFiller = std::function<void(int y, uint8_t* row)>;
bool SavePng(const std::string& path, int width, int height, uint32_t format, const RowFiller& row);
bool SaveBmp(const std::string& path, int width, int height, uint32_t format, const RowFiller& row);

}  // namespace veloria::paint
