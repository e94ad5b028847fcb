#include "paint.h"

#include <algorithm>
#include <cmath>

namespace gen {

namespace {
int Clamp255(float v) {
    return int(std::lround(std::clamp(v, 0.0f, 255.0f)));
}
float Smooth(float t) {
    return t * t * (3.0f - 2.0f * t);
}
}  // namespace

Color Mix(Color a, Color b, float t) {
    return Rgb(Clamp255(float(Red(a)) + (float(Red(b)) - float(Red(a))) * t),
               Clamp255(float(Green(a)) + (float(Green(b)) - float(Green(a))) * t),
               Clamp255(float(Blue(a)) + (float(Blue(b)) - float(Blue(a))) * t));
}

Color Scale(Color c, float f) {
    return Rgb(Clamp255(float(Red(c)) * f), Clamp255(float(Green(c)) * f),
               Clamp255(float(Blue(c)) * f));
}

Color Lighten(Color c, float t) {
    return Mix(c, Rgb(255, 255, 255), t);
}
Color Darken(Color c, float t) {
    return Mix(c, Rgb(0, 0, 0), t);
}

Ramp MakeRamp(Color base) {
    // Shadows lean cool, lights lean warm: reads better than plain brightness steps.
    Color dark = Mix(Scale(base, 0.5f), Rgb(30, 20, 60), 0.25f);
    Color shade = Mix(Scale(base, 0.75f), Rgb(40, 30, 80), 0.12f);
    Color light = Mix(Lighten(base, 0.28f), Rgb(255, 240, 190), 0.12f);
    return Ramp{{dark, shade, base, light}};
}

Ramp MakeRamp(Color dark, Color shade, Color base, Color light) {
    return Ramp{{dark, shade, base, light}};
}

Color Pick(const Ramp& r, float v) {
    if (v < 0.22f) return r.c[0];
    if (v < 0.45f) return r.c[1];
    if (v < 0.78f) return r.c[2];
    return r.c[3];
}

uint32_t Hash(int32_t x, int32_t y, uint32_t seed) {
    uint32_t h = uint32_t(x) * 0x8da6b343u ^ uint32_t(y) * 0xd8163841u ^ seed * 0xcb1ab31fu;
    h ^= h >> 15;
    h *= 0x2c1b3c6du;
    h ^= h >> 12;
    h *= 0x297a2d39u;
    h ^= h >> 15;
    return h;
}

float Hash01(int32_t x, int32_t y, uint32_t seed) {
    return float(Hash(x, y, seed) & 0xFFFFFF) / float(0x1000000);
}

float Noise(float x, float y, int period, uint32_t seed) {
    float fx = std::floor(x), fy = std::floor(y);
    int ix = int(fx), iy = int(fy);
    float tx = Smooth(x - fx), ty = Smooth(y - fy);
    auto at = [&](int cx, int cy) {
        int wx = ((cx % period) + period) % period;
        int wy = ((cy % period) + period) % period;
        return Hash01(wx, wy, seed);
    };
    float a = at(ix, iy), b = at(ix + 1, iy), c = at(ix, iy + 1), d = at(ix + 1, iy + 1);
    float top = a + (b - a) * tx, bottom = c + (d - c) * tx;
    return top + (bottom - top) * ty;
}

float Fbm(float x, float y, int size, int octaves, uint32_t seed) {
    float sum = 0, amp = 1, total = 0;
    for (int o = 0; o < octaves && size >= 1; ++o) {
        int period = kArt / size;
        sum += Noise(x / float(size), y / float(size), period, seed + uint32_t(o) * 977u) * amp;
        total += amp;
        amp *= 0.5f;
        size /= 2;
    }
    return sum / total;
}

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

Img::Img(int width, int height, Color fill) : w(width), h(height), px(size_t(w * h), fill) {}

Color Img::GetWrap(int x, int y) const {
    x = ((x % w) + w) % w;
    y = ((y % h) + h) % h;
    return px[size_t(y * w + x)];
}

void Img::SetWrap(int x, int y, Color c) {
    x = ((x % w) + w) % w;
    y = ((y % h) + h) % h;
    px[size_t(y * w + x)] = c;
}

void Img::Fill(Color c) {
    std::fill(px.begin(), px.end(), c);
}

void Img::Rect(int x, int y, int rw, int rh, Color c) {
    for (int j = y; j < y + rh; ++j)
        for (int i = x; i < x + rw; ++i) Set(i, j, c);
}

void Img::Frame(int x, int y, int rw, int rh, Color c) {
    for (int i = x; i < x + rw; ++i) {
        Set(i, y, c);
        Set(i, y + rh - 1, c);
    }
    for (int j = y; j < y + rh; ++j) {
        Set(x, j, c);
        Set(x + rw - 1, j, c);
    }
}

void Img::Ellipse(float cx, float cy, float rx, float ry, Color c) {
    for (int y = int(std::floor(cy - ry)); y <= int(std::ceil(cy + ry)); ++y) {
        for (int x = int(std::floor(cx - rx)); x <= int(std::ceil(cx + rx)); ++x) {
            float nx = (float(x) + 0.5f - cx) / rx, ny = (float(y) + 0.5f - cy) / ry;
            if (nx * nx + ny * ny <= 1.0f) Set(x, y, c);
        }
    }
}

void Img::EllipseRing(float cx, float cy, float rx, float ry, float thick, Color c) {
    for (int y = int(std::floor(cy - ry)); y <= int(std::ceil(cy + ry)); ++y) {
        for (int x = int(std::floor(cx - rx)); x <= int(std::ceil(cx + rx)); ++x) {
            float nx = (float(x) + 0.5f - cx) / rx, ny = (float(y) + 0.5f - cy) / ry;
            float d = nx * nx + ny * ny;
            float inner = 1.0f - thick / std::min(rx, ry);
            if (d <= 1.0f && d >= inner * inner) Set(x, y, c);
        }
    }
}

void Img::ShadedEllipse(float cx, float cy, float rx, float ry, const Ramp& r) {
    for (int y = int(std::floor(cy - ry)); y <= int(std::ceil(cy + ry)); ++y) {
        for (int x = int(std::floor(cx - rx)); x <= int(std::ceil(cx + rx)); ++x) {
            float nx = (float(x) + 0.5f - cx) / rx, ny = (float(y) + 0.5f - cy) / ry;
            float d = nx * nx + ny * ny;
            if (d > 1.0f) continue;
            float v = 0.55f - 0.32f * nx - 0.38f * ny - 0.25f * d;
            Set(x, y, Pick(r, v));
        }
    }
}

void Img::ShadedTrapezoid(float cx, int y0, int y1, float topHalf, float bottomHalf,
                          const Ramp& r) {
    for (int y = y0; y <= y1; ++y) {
        float t = y1 > y0 ? float(y - y0) / float(y1 - y0) : 0.0f;
        float half = topHalf + (bottomHalf - topHalf) * t;
        int left = int(std::lround(cx - half)), right = int(std::lround(cx + half)) - 1;
        for (int x = left; x <= right; ++x) {
            float u = right > left ? float(x - left) / float(right - left) : 0.5f;
            float v = 0.86f - 0.85f * u * u - 0.1f * t;
            if (x == left) v = 0.5f;
            Set(x, y, Pick(r, v));
        }
    }
}

void Img::Line(int x0, int y0, int x1, int y1, Color c) {
    int dx = std::abs(x1 - x0), dy = -std::abs(y1 - y0);
    int sx = x0 < x1 ? 1 : -1, sy = y0 < y1 ? 1 : -1;
    int err = dx + dy;
    for (int guard = 0; guard < 4096; ++guard) {
        Set(x0, y0, c);
        if (x0 == x1 && y0 == y1) break;
        int e2 = 2 * err;
        if (e2 >= dy) {
            err += dy;
            x0 += sx;
        }
        if (e2 <= dx) {
            err += dx;
            y0 += sy;
        }
    }
}

void Img::ThickLine(float x0, float y0, float x1, float y1, float width, Color c) {
    float len = std::max(std::fabs(x1 - x0), std::fabs(y1 - y0));
    int steps = int(len * 2) + 1;
    float r = width * 0.5f;
    for (int i = 0; i <= steps; ++i) {
        float t = float(i) / float(steps);
        float x = x0 + (x1 - x0) * t, y = y0 + (y1 - y0) * t;
        if (width <= 1.0f) {
            Set(int(std::floor(x)), int(std::floor(y)), c);
        } else {
            Ellipse(x, y, r, r, c);
        }
    }
}

void Img::DitherEllipse(float cx, float cy, float rx, float ry, Color c, int parity) {
    for (int y = int(std::floor(cy - ry)); y <= int(std::ceil(cy + ry)); ++y) {
        for (int x = int(std::floor(cx - rx)); x <= int(std::ceil(cx + rx)); ++x) {
            float nx = (float(x) + 0.5f - cx) / rx, ny = (float(y) + 0.5f - cy) / ry;
            if (nx * nx + ny * ny <= 1.0f && ((x + y) & 1) == parity) Set(x, y, c);
        }
    }
}

void Img::Sparkle(int x, int y, Color c, Color core) {
    Set(x - 1, y, c);
    Set(x + 1, y, c);
    Set(x, y - 1, c);
    Set(x, y + 1, c);
    Set(x, y, core);
}

void Img::Outline(Color c) {
    std::vector<Color> out = px;
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            if (Get(x, y) != kClear) continue;
            if (Opaque(x - 1, y) || Opaque(x + 1, y) || Opaque(x, y - 1) || Opaque(x, y + 1))
                out[size_t(y * w + x)] = c;
        }
    }
    px.swap(out);
}

void Img::Draw(const Img& src, int dx, int dy) {
    for (int y = 0; y < src.h; ++y)
        for (int x = 0; x < src.w; ++x)
            if (src.Get(x, y) != kClear) Set(x + dx, y + dy, src.Get(x, y));
}

Img Img::Mirrored() const {
    Img out(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) out.Set(w - 1 - x, y, Get(x, y));
    return out;
}

Img Img::Rotated() const {
    Img out(h, w);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) out.Set(h - 1 - y, x, Get(x, y));
    return out;
}

Img Img::Shifted(int dx, int dy) const {
    Img out(w, h);
    out.Draw(*this, dx, dy);
    return out;
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
