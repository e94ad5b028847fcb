#include "icon.h"

#include <SDL.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <filesystem>

#include "canvas.h"

namespace veloria::media {

namespace {

// The emblem in a 16-unit square; u pixels a unit.
void PaintIcon(Canvas& c, int size) {
    const float u = static_cast<float>(size) / 16.0f;
    // Small sizes get relatively bolder strokes so the sword does not dissolve.
    const float bold = size <= 24 ? 1.25f : 1.0f;
    c.RoundRect(0.4f * u, 0.4f * u, 15.6f * u, 15.6f * u, 3.2f * u, Hex(0xc99a2e));
    c.RoundRect(1.3f * u, 1.3f * u, 14.7f * u, 14.7f * u, 2.5f * u, Hex(0x1b2550));
    if (size >= 48) c.Glow(8.0f * u, 6.5f * u, 6.5f * u, Hex(0x5a78c8), 0.45f);
    // Blade with its point, then the guard, the grip and the pommel.
    const float half = 0.95f * u * bold;
    c.Polygon({8.0f * u, 2.4f * u, 8.0f * u + half, 3.9f * u, 8.0f * u + half, 10.2f * u,
               8.0f * u - half, 10.2f * u, 8.0f * u - half, 3.9f * u},
              Hex(0xe6edf6));
    if (size >= 32) c.Line(8.0f * u, 3.6f * u, 8.0f * u, 10.0f * u, 0.35f * u, Hex(0x9aa9bd));
    c.Line(4.3f * u, 10.6f * u, 11.7f * u, 10.6f * u, 1.5f * u * bold, Hex(0xe8b840));
    c.Line(8.0f * u, 11.2f * u, 8.0f * u, 12.9f * u, 1.3f * u * bold, Hex(0x7a4a22));
    c.Ellipse(8.0f * u, 13.5f * u, 1.05f * u * bold, 1.05f * u * bold, Hex(0xe8b840));
    if (size >= 32) c.Ellipse(8.0f * u, 10.6f * u, 0.55f * u, 0.55f * u, Hex(0xc0283a));
}

// The icon painted over black and over white tells each pixel's coverage: alpha is one minus
// the difference the background makes, the colour is what is left over black.
bool SaveIcon(const Canvas& onBlack, const Canvas& onWhite, int size, const std::string& path) {
    return paint::SavePng(path, size, size, SDL_PIXELFORMAT_RGBA32, [&](int y, uint8_t* row) {
        for (int x = 0; x < size; ++x) {
            const Color b = onBlack.Get(x, y);
            const Color w = onWhite.Get(x, y);
            const float alpha =
                std::clamp(1.0f - ((w.r - b.r) + (w.g - b.g) + (w.b - b.b)) / 3.0f, 0.0f, 1.0f);
            auto q = [&](float v) {
                const float straight = alpha > 0.0f ? v / alpha : 0.0f;
                return static_cast<uint8_t>(std::clamp(std::lround(straight * 255.0f), 0L, 255L));
            };
            row[4 * x + 0] = q(b.r);
            row[4 * x + 1] = q(b.g);
            row[4 * x + 2] = q(b.b);
            row[4 * x + 3] = static_cast<uint8_t>(std::lround(alpha * 255.0f));
        }
    });
}

}  // namespace

bool WriteIcons(const std::string& dir) {
    bool ok = true;
    for (int size : kIconSizes) {
        Canvas onBlack;
        Canvas onWhite;
        onWhite.FillRect(0, 0, static_cast<float>(size), static_cast<float>(size), Hex(0xffffff));
        PaintIcon(onBlack, size);
        PaintIcon(onWhite, size);
        const std::string name = std::to_string(size) + "x" + std::to_string(size);
        const std::filesystem::path folder = std::filesystem::path(dir) / "hicolor" / name / "apps";
        std::error_code ec;
        std::filesystem::create_directories(folder, ec);
        const std::string path = (folder / "veloria.png").string();
        if (!SaveIcon(onBlack, onWhite, size, path)) {
            std::fprintf(stderr, "gen_pictures: cannot write %s: %s\n", path.c_str(),
                         SDL_GetError());
            ok = false;
        }
    }
    return ok;
}

}  // namespace veloria::media
