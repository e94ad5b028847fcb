#include "library.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace gen {

void Voronoi::Build(int grid, float jitter, uint32_t seed) {
    n = grid * grid;
    float step = float(kArt) / float(grid);
    for (int j = 0; j < grid; ++j) {
        for (int i = 0; i < grid; ++i) {
            int k = j * grid + i;
            px[k] = (float(i) + 0.5f + (Hash01(i, j, seed) - 0.5f) * jitter) * step;
            py[k] = (float(j) + 0.5f + (Hash01(i, j, seed + 1) - 0.5f) * jitter) * step;
        }
    }
}

int Voronoi::Nearest(float x, float y, float* d1, float* d2) const {
    float best = 1e9f, second = 1e9f;
    int index = 0;
    for (int k = 0; k < n; ++k) {
        float dx = std::fabs(x - px[k]), dy = std::fabs(y - py[k]);
        // Distances wrap so the pattern tiles.
        dx = std::min(dx, float(kArt) - dx);
        dy = std::min(dy, float(kArt) - dy);
        float d = std::sqrt(dx * dx + dy * dy);
        if (d < best) {
            second = best;
            best = d;
            index = k;
        } else if (d < second) {
            second = d;
        }
    }
    if (d1) *d1 = best;
    if (d2) *d2 = second;
    return index;
}

void Flash(Img& img, Color toward, float amount) {
    for (Color& c : img.px)
        if (c != kClear) c = Mix(c, toward, amount);
}

void Tint(Img& img, Color toward, float amount) {
    for (Color& c : img.px) {
        if (c == kClear) continue;
        // Keep the brightness, move the hue.
        float lum =
            (0.3f * float(Red(c)) + 0.59f * float(Green(c)) + 0.11f * float(Blue(c))) / 255.0f;
        c = Mix(c, Scale(toward, 0.4f + lum), amount);
    }
}

Img Shimmer(const Img& img, uint32_t seed) {
    Img out(img.w, img.h);
    for (int y = 0; y < img.h; ++y) {
        for (int x = 0; x < img.w; ++x) {
            Color c = img.Get(x, y);
            if (c == kClear) continue;
            float r = Hash01(x, y, seed);
            bool edge = !img.Opaque(x - 1, y) || !img.Opaque(x + 1, y) || !img.Opaque(x, y - 1) ||
                        !img.Opaque(x, y + 1);
            if ((edge && r < 0.45f) || r < 0.07f)
                out.Set(x, y, Mix(Lighten(c, 0.6f), Rgb(170, 220, 255), 0.5f));
        }
    }
    for (int i = 0; i < 6; ++i) {
        int x = 12 + int(Hash(i, 1, seed) % 40), y = 10 + int(Hash(i, 2, seed) % 46);
        if (img.Opaque(x, y)) out.Sparkle(x, y, Rgb(190, 230, 255), Rgb(255, 255, 255));
    }
    return out;
}

Library::Library()
    : pixels_(size_t(kLib) * size_t(kLib), kKey), used_(size_t(kCells * kCells), false) {}

void Library::Put(int tile, const Img& art) {
    if (tile < 0 || tile >= kCells * kCells) return;
    used_[size_t(tile)] = true;
    int ox = (tile % kCells) * kCell, oy = (tile / kCells) * kCell;
    for (int y = 0; y < kCell; ++y) {
        for (int x = 0; x < kCell; ++x) {
            Color c = art.Get(x * art.w / kCell, y * art.h / kCell);
            if (c == kClear) {
                c = kKey;
            } else if (c == kKey) {
                c = Rgb(0, 254, 0);
            }
            pixels_[size_t(oy + y) * size_t(kLib) + size_t(ox + x)] = c;
        }
    }
}

}  // namespace gen
