#pragma once
// The tile library and what its painters add to the painting kit. Every cell is painted at
// 64 x 64 "art pixels" and written into the library at twice that size, which gives the chunky
// look and halves the work. Everything is deterministic: noise comes from an integer hash,
// never from the clock.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "paint/paint.h"

namespace gen {

using std::size_t;
using Color = veloria::paint::Packed;  // 0xRRGGBB
using Img = veloria::paint::PixelImage;
using veloria::paint::Blue;
using veloria::paint::Darken;
using veloria::paint::Green;
using veloria::paint::kClear;
using veloria::paint::Lighten;
using veloria::paint::MakeRamp;
using veloria::paint::Mix;
using veloria::paint::Pick;
using veloria::paint::Ramp;
using veloria::paint::Red;
using veloria::paint::Rgb;
using veloria::paint::Scale;
using veloria::paint::TiledFbm;
using veloria::paint::TiledNoise;

constexpr int kArt = 64;              // art pixels per cell side
constexpr int kCell = 128;            // library pixels per cell side
constexpr int kCells = 32;            // cells per library row
constexpr int kLib = kCell * kCells;  // library side in pixels

inline uint32_t Hash(int32_t x, int32_t y, uint32_t seed) {
    return veloria::paint::HashCell(x, y, seed);
}
inline float Hash01(int32_t x, int32_t y, uint32_t seed) {
    return veloria::paint::Unit(Hash(x, y, seed));
}

// Periodic Voronoi over a 64 x 64 tile: n x n jittered points.
struct Voronoi {
    int n;
    float px[64], py[64];
    void Build(int grid, float jitter, uint32_t seed);
    // Index of the nearest point, distance to it, and distance to the second nearest.
    int Nearest(float x, float y, float* d1, float* d2) const;
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
