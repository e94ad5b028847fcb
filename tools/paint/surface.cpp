#include <SDL.h>

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "paint.h"

namespace veloria::paint {

void Surface::Blend(int x, int y, Color c, float alpha) {
    if (!In(x, y) || alpha <= 0) return;
    Color& p = At(x, y);
    p = Mix(p, c, std::min(alpha, 1.0f));
}

void Surface::Add(int x, int y, Color c, float amount) {
    if (!In(x, y) || amount <= 0) return;
    Color& p = At(x, y);
    p.r += c.r * amount;
    p.g += c.g * amount;
    p.b += c.b * amount;
}

void Surface::Shade(const std::function<Color(int, int, Color)>& f) {
    Shade(0, 0, w, h, f);
}

void Surface::Shade(int x0, int y0, int x1, int y1,
                    const std::function<Color(int, int, Color)>& f) {
    ForEach(x0, y0, x1, y1, [&](int x, int y, Color& p) { p = f(x, y, p); });
}

void Surface::VerticalGradient(Color top, Color bottom, int y0, int y1) {
    Shade(0, y0, w, y1, [&](int, int y, Color) {
        return Mix(top, bottom,
                   static_cast<float>(y - y0) / static_cast<float>(std::max(1, y1 - y0 - 1)));
    });
}

void Surface::FillShape(int x0, int y0, int x1, int y1, const std::function<float(float, float)>& d,
                        Color c, float alpha, float feather) {
    ForEach(x0, y0, x1, y1, [&](int x, int y, Color&) {
        const float dist = d(static_cast<float>(x) + 0.5f, static_cast<float>(y) + 0.5f);
        const float cover = Clamp01(0.5f - dist / feather);
        if (cover > 0) Blend(x, y, c, cover * alpha);
    });
}

void Surface::FillRect(float x0, float y0, float x1, float y1, Color c, float alpha) {
    RoundRect(x0, y0, x1, y1, 0, c, alpha);
}

namespace {
float RoundRectDistance(float px, float py, float x0, float y0, float x1, float y1, float r) {
    const float cx = (x0 + x1) / 2, cy = (y0 + y1) / 2;
    const float hx = (x1 - x0) / 2 - r, hy = (y1 - y0) / 2 - r;
    const float qx = std::abs(px - cx) - hx, qy = std::abs(py - cy) - hy;
    const float ox = std::max(qx, 0.0f), oy = std::max(qy, 0.0f);
    return std::sqrt(ox * ox + oy * oy) + std::min(std::max(qx, qy), 0.0f) - r;
}
}  // namespace

void Surface::RoundRect(float x0, float y0, float x1, float y1, float radius, Color c, float alpha,
                        float feather) {
    const int m = static_cast<int>(feather) + 2;
    FillShape(
        static_cast<int>(x0) - m, static_cast<int>(y0) - m, static_cast<int>(x1) + m,
        static_cast<int>(y1) + m,
        [&](float px, float py) { return RoundRectDistance(px, py, x0, y0, x1, y1, radius); }, c,
        alpha, feather);
}

void Surface::RoundRectOutline(float x0, float y0, float x1, float y1, float radius, float width,
                               Color c, float alpha) {
    FillShape(
        static_cast<int>(x0) - 3, static_cast<int>(y0) - 3, static_cast<int>(x1) + 3,
        static_cast<int>(y1) + 3,
        [&](float px, float py) {
            return std::abs(RoundRectDistance(px, py, x0, y0, x1, y1, radius)) - width / 2;
        },
        c, alpha);
}

void Surface::Ellipse(float cx, float cy, float rx, float ry, Color c, float alpha, float feather) {
    const int m = static_cast<int>(feather) + 2;
    FillShape(
        static_cast<int>(cx - rx) - m, static_cast<int>(cy - ry) - m, static_cast<int>(cx + rx) + m,
        static_cast<int>(cy + ry) + m,
        [&](float px, float py) {
            const float nx = (px - cx) / rx, ny = (py - cy) / ry;
            const float k = std::sqrt(nx * nx + ny * ny);
            return (k - 1) * std::min(rx, ry);
        },
        c, alpha, feather);
}

void Surface::Line(float x0, float y0, float x1, float y1, float width, Color c, float alpha) {
    const float dx = x1 - x0, dy = y1 - y0;
    const float len2 = std::max(dx * dx + dy * dy, 1e-6f);
    const int m = static_cast<int>(width) + 2;
    FillShape(
        static_cast<int>(std::min(x0, x1)) - m, static_cast<int>(std::min(y0, y1)) - m,
        static_cast<int>(std::max(x0, x1)) + m, static_cast<int>(std::max(y0, y1)) + m,
        [&](float px, float py) {
            const float t = std::clamp(((px - x0) * dx + (py - y0) * dy) / len2, 0.0f, 1.0f);
            const float ex = px - (x0 + t * dx), ey = py - (y0 + t * dy);
            return std::sqrt(ex * ex + ey * ey) - width / 2;
        },
        c, alpha);
}

void Surface::Polygon(const std::vector<float>& xy, Color c, float alpha) {
    const size_t n = xy.size() / 2;
    if (n < 3) return;
    float minX = xy[0], maxX = xy[0], minY = xy[1], maxY = xy[1];
    for (size_t i = 0; i < n; ++i) {
        minX = std::min(minX, xy[2 * i]);
        maxX = std::max(maxX, xy[2 * i]);
        minY = std::min(minY, xy[2 * i + 1]);
        maxY = std::max(maxY, xy[2 * i + 1]);
    }
    FillShape(
        static_cast<int>(minX) - 2, static_cast<int>(minY) - 2, static_cast<int>(maxX) + 3,
        static_cast<int>(maxY) + 3,
        [&](float px, float py) {
            float best = 1e9f;
            bool inside = false;
            for (size_t i = 0, j = n - 1; i < n; j = i++) {
                const float ax = xy[2 * j], ay = xy[2 * j + 1];
                const float bx = xy[2 * i], by = xy[2 * i + 1];
                const float ex = bx - ax, ey = by - ay;
                const float t = std::clamp(
                    ((px - ax) * ex + (py - ay) * ey) / std::max(ex * ex + ey * ey, 1e-6f), 0.0f,
                    1.0f);
                const float qx = px - (ax + t * ex), qy = py - (ay + t * ey);
                best = std::min(best, qx * qx + qy * qy);
                if ((ay > py) != (by > py) && px < ax + (py - ay) * ex / ey) inside = !inside;
            }
            const float d = std::sqrt(best);
            return inside ? -d : d;
        },
        c, alpha);
}

void Surface::Glow(float cx, float cy, float radius, Color c, float intensity) {
    const int x0 = static_cast<int>(cx - radius), x1 = static_cast<int>(cx + radius) + 1;
    const int y0 = static_cast<int>(cy - radius), y1 = static_cast<int>(cy + radius) + 1;
    ForEach(x0, y0, x1, y1, [&](int x, int y, Color&) {
        const float dx = (static_cast<float>(x) - cx) / radius,
                    dy = (static_cast<float>(y) - cy) / radius;
        const float d2 = dx * dx + dy * dy;
        if (d2 >= 1) return;
        const float k = (1 - d2) * (1 - d2);
        Add(x, y, c, intensity * k);
    });
}

void Surface::Ridge(const std::function<float(float)>& height, Color c, float alpha, int x0,
                    int x1) {
    for (int x = std::max(x0, 0); x < std::min(x1, w); ++x) {
        const float top = height(static_cast<float>(x) + 0.5f);
        const int start = std::max(0, static_cast<int>(std::floor(top)));
        if (start < h) Blend(x, start, c, alpha * (1 - (top - std::floor(top))));
        for (int y = start + 1; y < h; ++y) Blend(x, y, c, alpha);
    }
}

void Surface::Vignette(float strength, float radius) {
    const float halfW = static_cast<float>(w) / 2.0f, halfH = static_cast<float>(h) / 2.0f;
    Shade([&](int x, int y, Color p) {
        const float dx = (static_cast<float>(x) - halfW) / halfW;
        const float dy = (static_cast<float>(y) - halfH) / halfH;
        const float d = std::sqrt(dx * dx + dy * dy);
        const float k = 1 - strength * Clamp01((d - radius) / (1.42f - radius));
        return Scale(p, k);
    });
}

void Surface::Grain(float amount, uint32_t seed) {
    Shade([&](int x, int y, Color p) {
        const float n =
            (Unit(HashPair(static_cast<uint32_t>(x), static_cast<uint32_t>(y), seed)) - 0.5f) *
            amount;
        return Color{p.r + n, p.g + n, p.b + n};
    });
}

bool Surface::SaveBmp(const std::string& path) const {
    return paint::SaveBmp(path, w, h, SDL_PIXELFORMAT_BGR24, [&](int y, uint8_t* row) {
        for (int x = 0; x < w; ++x) {
            const Color c = At(x, y);
            const float d = (static_cast<float>(((x & 1) << 1) | ((y ^ x) & 1)) - 1.5f) / 4.0f;
            auto q = [&](float v) {
                return static_cast<uint8_t>(
                    std::clamp(std::lround(Clamp01(v) * 255.0f + d), 0L, 255L));
            };
            row[3 * x + 0] = q(c.b);
            row[3 * x + 1] = q(c.g);
            row[3 * x + 2] = q(c.r);
        }
    });
}

}  // namespace veloria::paint
