#include "scenery.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

namespace veloria::media {
namespace {
constexpr float kPi = 3.14159265f;
}  // namespace

void StarrySky(Canvas& c, Color top, Color bottom, int horizon, uint32_t seed, float density) {
    c.VerticalGradient(top, bottom, 0, horizon);
    // Faint clouds of the milky way, then the stars themselves.
    c.Shade(0, 0, Canvas::kWidth, horizon, [&](int x, int y, Color p) {
        const float n =
            Fbm(static_cast<float>(x) / 180.0f, static_cast<float>(y) / 120.0f, seed, 5);
        const float band = std::exp(
            -std::pow((static_cast<float>(y) - 0.25f * static_cast<float>(x) - 60) / 140.0f, 2));
        return Mix(p, Color{0.5f, 0.45f, 0.7f}, std::max(0.0f, n - 0.45f) * 0.5f * band * density);
    });
    const int stars = static_cast<int>(900 * density);
    for (int i = 0; i < stars; ++i) {
        const float x = Hash01(static_cast<uint32_t>(i), 1, seed) * Canvas::kWidth;
        const float y = Hash01(static_cast<uint32_t>(i), 2, seed) * static_cast<float>(horizon);
        const float b = Hash01(static_cast<uint32_t>(i), 3, seed);
        const float fade = 1 - y / static_cast<float>(horizon);
        const Color tint = Mix(Color{0.8f, 0.85f, 1}, Color{1, 0.9f, 0.75f},
                               Hash01(static_cast<uint32_t>(i), 4, seed));
        if (b > 0.97f) {
            c.Glow(x, y, 7, tint, 0.8f * fade);
            c.Line(x - 6, y, x + 6, y, 0.8f, tint, 0.5f * fade);
            c.Line(x, y - 6, x, y + 6, 0.8f, tint, 0.5f * fade);
        } else {
            c.Add(static_cast<int>(x), static_cast<int>(y), tint, (0.25f + 0.75f * b) * fade);
        }
    }
}

void Moon(Canvas& c, float x, float y, float r, Color tint) {
    c.Glow(x, y, r * 5, Scale(tint, 0.5f), 0.35f);
    c.Glow(x, y, r * 2.2f, tint, 0.35f);
    c.FillShape(
        static_cast<int>(x - r) - 2, static_cast<int>(y - r) - 2, static_cast<int>(x + r) + 3,
        static_cast<int>(y + r) + 3,
        [&](float px, float py) { return std::hypot(px - x, py - y) - r; }, Hex(0xF4F0DC));
    c.Shade(static_cast<int>(x - r), static_cast<int>(y - r), static_cast<int>(x + r) + 1,
            static_cast<int>(y + r) + 1, [&](int px, int py, Color p) {
                const float d = std::hypot(static_cast<float>(px) - x, static_cast<float>(py) - y);
                if (d > r - 1) return p;
                const float n =
                    Fbm(static_cast<float>(px) / 14.0f, static_cast<float>(py) / 14.0f, 77, 4);
                return Scale(p, 0.82f + 0.25f * n - 0.12f * (d / r));
            });
}

void Mountains(Canvas& c, float base, float amp, float scale, uint32_t seed, Color color,
               Color light) {
    auto height = [=](float x) {
        const float n = Fbm(x / scale, 0.5f, seed, 6);
        const float peaks = std::abs(std::sin(x / scale * 2.1f + static_cast<float>(seed)));
        return base - amp * (0.55f * n + 0.45f * peaks * n * 1.6f);
    };
    c.Ridge(height, color);
    if (light.r >= 0) {  // rim light on the slopes facing the sky's glow
        for (int x = 0; x < Canvas::kWidth; ++x) {
            const float h = height(static_cast<float>(x) + 0.5f);
            const float slope =
                height(static_cast<float>(x) + 3) - height(static_cast<float>(x) - 3);
            const float k = std::clamp(slope / 8.0f, 0.0f, 1.0f);
            for (int y = static_cast<int>(h); y < static_cast<int>(h) + 14 && y < Canvas::kHeight;
                 ++y) {
                c.Blend(x, y, light,
                        0.45f * k * (1 - static_cast<float>(y - static_cast<int>(h)) / 14.0f));
            }
        }
    }
}

void PineForest(Canvas& c, float base, int count, float minH, float maxH, Color color,
                uint32_t seed, int x0, int x1) {
    for (int i = 0; i < count; ++i) {
        const float x = static_cast<float>(x0) +
                        Hash01(static_cast<uint32_t>(i), 11, seed) * static_cast<float>(x1 - x0);
        const float h = minH + (maxH - minH) * Hash01(static_cast<uint32_t>(i), 12, seed);
        const float y = base + 10 * Hash01(static_cast<uint32_t>(i), 13, seed);
        const float w = h * 0.32f;
        for (int tier = 0; tier < 3; ++tier) {
            const float top = y - h + static_cast<float>(tier) * h * 0.22f;
            const float bottom = y - h * 0.25f + static_cast<float>(tier) * h * 0.12f;
            const float half = w * (0.55f + 0.25f * static_cast<float>(tier));
            c.Polygon({x, top, x + half, bottom, x - half, bottom}, color);
        }
        c.FillRect(x - w * 0.06f, y - h * 0.15f, x + w * 0.06f, y + 2, color);
    }
}

void Castle(Canvas& c, float cx, float base, float s, Color color, Color windows, float lantern) {
    auto rect = [&](float x0, float y0, float x1, float y1) {
        c.FillRect(cx + x0 * s, base - y1 * s, cx + x1 * s, base - y0 * s, color);
    };
    auto battlements = [&](float x0, float x1, float y) {
        for (float x = x0; x < x1 - 0.01f; x += 0.08f) rect(x, y, x + 0.045f, y + 0.06f);
    };
    auto roof = [&](float x0, float x1, float y, float tip) {
        c.Polygon({cx + x0 * s, base - y * s, cx + x1 * s, base - y * s, cx + (x0 + x1) / 2 * s,
                   base - tip * s},
                  color);
    };
    rect(-0.9f, 0, 0.9f, 0.55f);  // curtain wall
    battlements(-0.9f, 0.9f, 0.55f);
    rect(-0.35f, 0, 0.35f, 0.95f);  // keep
    battlements(-0.35f, 0.35f, 0.95f);
    rect(-1.05f, 0, -0.8f, 0.8f);  // corner towers
    roof(-1.1f, -0.75f, 0.8f, 1.15f);
    rect(0.8f, 0, 1.05f, 0.8f);
    roof(0.75f, 1.1f, 0.8f, 1.15f);
    rect(0.12f, 0.9f, 0.3f, 1.55f);  // the lantern tower
    roof(0.08f, 0.34f, 1.55f, 1.95f);
    rect(-0.28f, 0.9f, -0.12f, 1.25f);
    roof(-0.32f, -0.08f, 1.25f, 1.55f);
    // Lit windows.
    const float wins[][2] = {{-0.2f, 0.7f}, {0.0f, 0.7f},    {0.2f, 0.7f},   {-0.6f, 0.35f},
                             {0.6f, 0.35f}, {-0.93f, 0.55f}, {0.93f, 0.55f}, {-0.2f, 1.1f}};
    for (const auto& w : wins) {
        c.FillRect(cx + (w[0] - 0.018f) * s, base - (w[1] + 0.06f) * s, cx + (w[0] + 0.018f) * s,
                   base - w[1] * s, windows);
        c.Glow(cx + w[0] * s, base - (w[1] + 0.03f) * s, 0.08f * s, windows, 0.25f);
    }
    if (lantern > 0) {
        const float lx = cx + 0.21f * s, ly = base - 1.45f * s;
        c.Glow(lx, ly, 1.6f * s, Hex(0xFFD27A), 0.35f * lantern);
        c.Glow(lx, ly, 0.45f * s, Hex(0xFFE9B0), 0.9f * lantern);
        c.Ellipse(lx, ly, 0.04f * s, 0.06f * s, Hex(0xFFF6D8), std::min(1.0f, lantern));
    }
}

void Lake(Canvas& c, int horizon, Color tint, float darkness, uint32_t seed) {
    for (int y = horizon; y < Canvas::kHeight; ++y) {
        const float depth =
            static_cast<float>(y - horizon) / static_cast<float>(Canvas::kHeight - horizon);
        for (int x = 0; x < Canvas::kWidth; ++x) {
            const float ripple =
                (Fbm(static_cast<float>(x) / 90.0f, static_cast<float>(y) / 3.0f, seed, 3) - 0.5f) *
                (6 + 30 * depth);
            const int sy = 2 * horizon - y - 1;
            Color mirrored = c.Get(x + static_cast<int>(ripple), std::max(0, sy));
            mirrored = Mix(mirrored, tint, 0.25f + 0.5f * depth);
            const float streak =
                Fbm(static_cast<float>(x) / 260.0f, static_cast<float>(y) / 2.0f, seed + 5, 2);
            c.Set(
                x, y,
                Scale(mirrored, (1 - darkness * (0.4f + 0.6f * depth)) * (0.85f + 0.3f * streak)));
        }
    }
}

void Heroine(Canvas& c, float x, float y, float h, Color color, Color orb, float orbGlow,
             float angle, bool flip) {
    const float ca = std::cos(angle), sa = std::sin(angle);
    const float dir = flip ? -1.0f : 1.0f;
    // Local coordinates: u to her front, v up from her feet, both in heights.
    auto px = [&](float u, float v) { return x + (dir * u * ca + v * sa) * h; };
    auto py = [&](float u, float v) { return y - (v * ca - dir * u * sa) * h; };
    auto poly = [&](std::initializer_list<float> uv) {
        std::vector<float> xy;
        const float* p = uv.begin();
        for (size_t i = 0; i + 1 < uv.size(); i += 2) {
            xy.push_back(px(p[i], p[i + 1]));
            xy.push_back(py(p[i], p[i + 1]));
        }
        c.Polygon(xy, color);
    };
    // Cloak and robe, flaring to the hem and streaming behind her.
    poly({-0.09f, 0.80f, 0.08f, 0.80f, 0.13f, 0.45f, 0.17f, 0.0f, -0.20f, 0.0f, -0.30f, 0.08f,
          -0.16f, 0.45f});
    // Hood and head.
    poly({-0.085f, 0.80f, 0.075f, 0.80f, 0.08f, 0.90f, 0.03f, 0.985f, -0.05f, 0.99f, -0.12f, 0.9f});
    c.Ellipse(px(0.02f, 0.89f), py(0.02f, 0.89f), 0.055f * h, 0.06f * h, color);
    // Hair escaping the hood.
    poly({-0.08f, 0.9f, -0.16f, 0.74f, -0.21f, 0.6f, -0.12f, 0.72f, -0.07f, 0.82f});
    // Staff and the arm that holds it.
    const float su = 0.2f;
    c.Line(px(su, -0.01f), py(su, -0.01f), px(su + 0.03f, 1.08f), py(su + 0.03f, 1.08f), 0.022f * h,
           color);
    c.Line(px(0.04f, 0.74f), py(0.04f, 0.74f), px(su, 0.62f), py(su, 0.62f), 0.045f * h, color);
    const float ox = px(su + 0.03f, 1.1f), oy = py(su + 0.03f, 1.1f);
    if (orbGlow > 0) {
        c.Glow(ox, oy, 0.5f * h, orb, 0.35f * orbGlow);
        c.Glow(ox, oy, 0.12f * h, orb, 0.9f * orbGlow);
    }
    c.Ellipse(ox, oy, 0.03f * h, 0.03f * h, Mix(color, orb, std::min(1.0f, 0.3f + orbGlow)));
}

void Candle(Canvas& c, float x, float base, float height, float flicker) {
    const float w = height * 0.16f;
    c.Glow(x, base - height - w * 1.6f, height * 3.2f, Hex(0xFF9A3C), 0.16f + 0.05f * flicker);
    c.Glow(x, base - height - w * 1.6f, height * 1.1f, Hex(0xFFC46A), 0.22f + 0.08f * flicker);
    // Wax: cream with a lit left side, drips at the top.
    c.Shade(static_cast<int>(x - w), static_cast<int>(base - height), static_cast<int>(x + w) + 1,
            static_cast<int>(base), [&](int px, int, Color) {
                const float t = (static_cast<float>(px) - (x - w)) / (2 * w);
                return Mix(Hex(0xF4E6C4), Hex(0x8C7752), std::clamp(t * 1.1f - 0.1f, 0.0f, 1.0f));
            });
    c.Ellipse(x, base - height, w, w * 0.3f, Hex(0xFBF1D8));
    c.Ellipse(x - w * 0.5f, base - height + w * 0.9f, w * 0.18f, w * 0.7f, Hex(0xF6EAD0));
    c.Line(x, base - height, x + 0.3f * flicker, base - height - w * 0.7f, 1.5f, Hex(0x2A1A10));
    // The flame leans and stretches with the flicker.
    const float fx = x + flicker * w * 0.25f, fy = base - height - w * 1.7f;
    const float fh = w * (1.5f + 0.25f * flicker);
    c.Ellipse(fx, fy, w * 0.55f, fh, Hex(0xFF8A2A), 0.85f, 2.0f);
    c.Ellipse(fx, fy + fh * 0.2f, w * 0.38f, fh * 0.7f, Hex(0xFFD36B), 0.95f, 1.5f);
    c.Ellipse(fx, fy + fh * 0.35f, w * 0.18f, fh * 0.38f, Hex(0xFFFBEA), 1.0f, 1.0f);
}

void StoneWall(Canvas& c, Color tint, uint32_t seed, int y0, int y1) {
    c.Shade(0, y0, Canvas::kWidth, y1, [&](int x, int y, Color) {
        const int row = y / 48;
        const int offset = (row % 2) * 48;
        const int bx = (x + offset) % 96, by = y % 48;
        const float mortar = (bx < 3 || by < 3) ? 0.45f : 1.0f;
        const auto brick = static_cast<uint32_t>((x + offset) / 96);
        const float shade = 0.75f + 0.35f * Hash01(brick, static_cast<uint32_t>(row), seed);
        const float n = Fbm(static_cast<float>(x) / 25.0f, static_cast<float>(y) / 25.0f, seed, 4);
        const float bevel = (bx < 7 || by < 7) ? 1.12f : (bx > 90 || by > 42) ? 0.8f : 1.0f;
        return Scale(tint, mortar * shade * bevel * (0.7f + 0.6f * n));
    });
}

void WoodPlanks(Canvas& c, Color tint, uint32_t seed) {
    c.Shade([&](int x, int y, Color) {
        const int plank = x / 86;
        const float grain =
            Fbm(static_cast<float>(x) / 6.0f,
                static_cast<float>(y) / 140.0f + static_cast<float>(plank) * 7, seed, 5);
        const float rings = 0.5f + 0.5f * std::sin(grain * 18.0f);
        const float shade = 0.75f + 0.3f * Hash01(static_cast<uint32_t>(plank), 0, seed);
        const float gap = (x % 86) < 3 ? 0.35f : 1.0f;
        return Scale(tint, gap * shade * (0.75f + 0.2f * rings + 0.2f * grain));
    });
}

void LightRays(Canvas& c, float cx, float cy, int count, Color color, float intensity,
               uint32_t seed) {
    c.Shade([&](int x, int y, Color p) {
        const float dx = static_cast<float>(x) - cx, dy = static_cast<float>(y) - cy;
        const float a = std::atan2(dy, dx) / (2 * kPi) * static_cast<float>(count);
        const float idx = std::floor(a);
        const float width =
            0.25f + 0.3f * Hash01(static_cast<uint32_t>(static_cast<int>(idx) + 1000), 0, seed);
        const float t = std::abs(a - idx - 0.5f);
        const float ray = std::clamp((width - t) / 0.08f, 0.0f, 1.0f);
        const float d = std::sqrt(dx * dx + dy * dy);
        const float fall = 1.0f / (1.0f + d / 260.0f);
        return Color{p.r + color.r * ray * fall * intensity, p.g + color.g * ray * fall * intensity,
                     p.b + color.b * ray * fall * intensity};
    });
}

void Parchment(Canvas& c, float x0, float y0, float x1, float y1, uint32_t seed, bool ruled) {
    for (int i = 6; i >= 1; --i) {  // soft shadow
        const float g = static_cast<float>(i) * 3;
        c.RoundRect(x0 - g * 0.3f + 6, y0 - g * 0.3f + 8, x1 + g + 6, y1 + g + 8, 10 + g,
                    Color{0, 0, 0}, 0.09f);
    }
    c.Shade(static_cast<int>(x0), static_cast<int>(y0), static_cast<int>(x1), static_cast<int>(y1),
            [&](int x, int y, Color) {
                const float fx = static_cast<float>(x), fy = static_cast<float>(y);
                const float edge = std::min(std::min(fx - x0, x1 - fx), std::min(fy - y0, y1 - fy));
                const float n = Fbm(fx / 70.0f, fy / 70.0f, seed, 5);
                const float fine = Fbm(fx / 6.0f, fy / 6.0f, seed + 9, 2);
                Color p = Mix(kParchment, Hex(0xE3CD9A), n);
                p = Scale(p, 0.97f + 0.05f * fine);
                // Burnished, browner edges.
                const float burn = std::clamp(1 - edge / 26.0f, 0.0f, 1.0f);
                const float ragged =
                    burn * (0.6f + 0.8f * Fbm(fx / 12.0f, fy / 12.0f, seed + 3, 3));
                return Mix(p, Hex(0xA9814A), std::clamp(ragged * ragged, 0.0f, 0.85f));
            });
    if (!ruled) return;
    c.RoundRectOutline(x0 + 12, y0 + 12, x1 - 12, y1 - 12, 4, 1.4f, Hex(0x8A6234), 0.55f);
    c.RoundRectOutline(x0 + 16, y0 + 16, x1 - 16, y1 - 16, 3, 0.8f, Hex(0x8A6234), 0.35f);
}

void DarkPanel(Canvas& c, float x0, float y0, float x1, float y1, float opacity) {
    for (int i = 5; i >= 1; --i) {
        const float g = static_cast<float>(i) * 4;
        c.RoundRect(x0 - g, y0 - g, x1 + g, y1 + g, 14 + g, Color{0, 0, 0}, 0.08f);
    }
    c.RoundRect(x0, y0, x1, y1, 14, Hex(0x0A0E1E), opacity);
    c.RoundRectOutline(x0 + 5, y0 + 5, x1 - 5, y1 - 5, 10, 2.0f, kGold, 0.9f);
    c.RoundRectOutline(x0 + 10, y0 + 10, x1 - 10, y1 - 10, 7, 0.8f, kGold, 0.55f);
    const float corners[4][2] = {
        {x0 + 5, y0 + 5}, {x1 - 5, y0 + 5}, {x0 + 5, y1 - 5}, {x1 - 5, y1 - 5}};
    for (const auto& k : corners) {
        c.Polygon({k[0], k[1] - 9, k[0] + 9, k[1], k[0], k[1] + 9, k[0] - 9, k[1]}, kGold);
        c.Ellipse(k[0], k[1], 2.5f, 2.5f, Hex(0x0A0E1E));
    }
}

void GoldDivider(Canvas& c, float x0, float x1, float y, Color color) {
    const float mid = (x0 + x1) / 2;
    c.Line(x0, y, mid - 12, y, 1.3f, color, 0.8f);
    c.Line(mid + 12, y, x1, y, 1.3f, color, 0.8f);
    c.Polygon({mid, y - 6, mid + 7, y, mid, y + 6, mid - 7, y}, color);
}

void Potion(Canvas& c, float x, float base, float size, Color liquid) {
    const float r = size * 0.5f;
    const float cy = base - r;
    c.Glow(x, cy, size * 1.4f, liquid, 0.18f);
    c.Ellipse(x, cy, r, r, Hex(0x223040), 0.6f);
    c.FillShape(
        static_cast<int>(x - r) - 2, static_cast<int>(cy - r) - 2, static_cast<int>(x + r) + 3,
        static_cast<int>(cy + r) + 3,
        [&](float px, float py) {
            const float d = std::hypot(px - x, py - cy) - (r - 2);
            return std::max(d, (cy - r * 0.1f) - py);
        },
        liquid, 0.9f);
    c.FillRect(x - r * 0.28f, cy - r * 1.6f, x + r * 0.28f, cy - r * 0.8f, Hex(0x2A3A48), 0.75f);
    c.FillRect(x - r * 0.34f, cy - r * 1.85f, x + r * 0.34f, cy - r * 1.55f, Hex(0x6B4A2A));
    c.Ellipse(x - r * 0.4f, cy - r * 0.35f, r * 0.14f, r * 0.3f, Hex(0xFFFFFF), 0.5f);
}

void ScreenTitle(Canvas& c, const char* text, int y, int size) {
    const int w = c.TextWidth(text, kSerifBold, size);
    c.Glow(Canvas::kWidth / 2.0f, static_cast<float>(y) + static_cast<float>(size) * 0.6f,
           static_cast<float>(w) * 0.7f, Hex(0x6A4A10), 0.35f);
    c.ShadowText(text, Canvas::kWidth / 2, y, kSerifBold, size, kGold, Align::kCenter);
    GoldDivider(c, Canvas::kWidth / 2.0f - static_cast<float>(w) * 0.6f,
                Canvas::kWidth / 2.0f + static_cast<float>(w) * 0.6f,
                static_cast<float>(y) + static_cast<float>(size) * 1.25f);
}

void HintBand(Canvas& c, const char* text, int cx, int y) {
    const int w = c.TextWidth(text, kSerifBold, 22);
    c.RoundRect(static_cast<float>(cx - w / 2 - 24), static_cast<float>(y - 6),
                static_cast<float>(cx + w / 2 + 24), static_cast<float>(y + 32), 16, Hex(0x05070F),
                0.72f, 2.0f);
    c.Text(text, cx, y, kSerifBold, 22, kPaleGold, Align::kCenter);
}

}  // namespace veloria::media
