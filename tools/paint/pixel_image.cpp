#include <algorithm>
#include <cmath>

#include "paint.h"

namespace veloria::paint {

void PixelImage::Rect(int x, int y, int rw, int rh, Packed c) {
    ForEach(x, y, x + rw, y + rh, [c](int, int, Packed& p) { p = c; });
}

void PixelImage::Frame(int x, int y, int rw, int rh, Packed c) {
    for (int i = x; i < x + rw; ++i) {
        Set(i, y, c);
        Set(i, y + rh - 1, c);
    }
    for (int j = y; j < y + rh; ++j) {
        Set(x, j, c);
        Set(x + rw - 1, j, c);
    }
}

template <class F>
void PixelImage::ForEllipseBox(float cx, float cy, float rx, float ry, F&& f) {
    for (int y = int(std::floor(cy - ry)); y <= int(std::ceil(cy + ry)); ++y) {
        for (int x = int(std::floor(cx - rx)); x <= int(std::ceil(cx + rx)); ++x) {
            f(x, y, (float(x) + 0.5f - cx) / rx, (float(y) + 0.5f - cy) / ry);
        }
    }
}

void PixelImage::Ellipse(float cx, float cy, float rx, float ry, Packed c) {
    ForEllipseBox(cx, cy, rx, ry, [&](int x, int y, float nx, float ny) {
        if (nx * nx + ny * ny <= 1.0f) Set(x, y, c);
    });
}

void PixelImage::EllipseRing(float cx, float cy, float rx, float ry, float thick, Packed c) {
    const float inner = 1.0f - thick / std::min(rx, ry);
    ForEllipseBox(cx, cy, rx, ry, [&](int x, int y, float nx, float ny) {
        const float d = nx * nx + ny * ny;
        if (d <= 1.0f && d >= inner * inner) Set(x, y, c);
    });
}

void PixelImage::ShadedEllipse(float cx, float cy, float rx, float ry, const Ramp& r) {
    ForEllipseBox(cx, cy, rx, ry, [&](int x, int y, float nx, float ny) {
        const float d = nx * nx + ny * ny;
        if (d > 1.0f) return;
        const float v = 0.55f - 0.32f * nx - 0.38f * ny - 0.25f * d;
        Set(x, y, Pick(r, v));
    });
}

void PixelImage::DitherEllipse(float cx, float cy, float rx, float ry, Packed c, int parity) {
    ForEllipseBox(cx, cy, rx, ry, [&](int x, int y, float nx, float ny) {
        if (nx * nx + ny * ny <= 1.0f && ((x + y) & 1) == parity) Set(x, y, c);
    });
}

void PixelImage::ShadedTrapezoid(float cx, int y0, int y1, float topHalf, float bottomHalf,
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

void PixelImage::Line(int x0, int y0, int x1, int y1, Packed c) {
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

void PixelImage::ThickLine(float x0, float y0, float x1, float y1, float width, Packed c) {
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

void PixelImage::Sparkle(int x, int y, Packed c, Packed core) {
    Set(x - 1, y, c);
    Set(x + 1, y, c);
    Set(x, y - 1, c);
    Set(x, y + 1, c);
    Set(x, y, core);
}

void PixelImage::Outline(Packed c) {
    std::vector<Packed> out = px;
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            if (Get(x, y) != kClear) continue;
            if (Opaque(x - 1, y) || Opaque(x + 1, y) || Opaque(x, y - 1) || Opaque(x, y + 1))
                out[size_t(y * w + x)] = c;
        }
    }
    px.swap(out);
}

void PixelImage::Draw(const PixelImage& src, int dx, int dy) {
    for (int y = 0; y < src.h; ++y)
        for (int x = 0; x < src.w; ++x)
            if (src.Get(x, y) != kClear) Set(x + dx, y + dy, src.Get(x, y));
}

PixelImage PixelImage::Mirrored() const {
    PixelImage out(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) out.Set(w - 1 - x, y, Get(x, y));
    return out;
}

PixelImage PixelImage::Rotated() const {
    PixelImage out(h, w);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) out.Set(h - 1 - y, x, Get(x, y));
    return out;
}

PixelImage PixelImage::Shifted(int dx, int dy) const {
    PixelImage out(w, h);
    out.Draw(*this, dx, dy);
    return out;
}

}  // namespace veloria::paint
