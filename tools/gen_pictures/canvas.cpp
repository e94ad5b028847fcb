#include "canvas.h"

#include <SDL.h>
#include <SDL_ttf.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <map>
#include <utility>

#include "platform/sdl/font_file.h"

namespace veloria::media {

const char* const kSerif = "Liberation Serif";
const char* const kSerifBold = "Liberation Serif:bold";
const char* const kSerifItalic = "Liberation Serif:italic";
const char* const kSans = "Liberation Sans";
const char* const kSansBold = "Liberation Sans:bold";

Color Mix(Color a, Color b, float t) {
    return Color{a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}
Color Scale(Color c, float k) {
    return Color{c.r * k, c.g * k, c.b * k};
}

namespace {

uint32_t HashInts(uint32_t a, uint32_t b, uint32_t seed) {
    uint32_t h = a * 0x27d4eb2dU ^ (b + 0x9e3779b9U + (seed << 6) + (seed >> 2));
    h ^= h >> 15;
    h *= 0x85ebca6bU;
    h ^= h >> 13;
    h *= 0xc2b2ae35U;
    h ^= h >> 16;
    return h;
}

float Smooth(float t) {
    return t * t * (3 - 2 * t);
}
float Clamp01(float v) {
    return std::clamp(v, 0.0f, 1.0f);
}

}  // namespace

float Hash01(uint32_t a, uint32_t b, uint32_t seed) {
    return static_cast<float>(HashInts(a, b, seed) & 0xFFFFFF) / 16777216.0f;
}

float ValueNoise(float x, float y, uint32_t seed) {
    const float fx = std::floor(x), fy = std::floor(y);
    const auto ix = static_cast<uint32_t>(static_cast<int32_t>(fx));
    const auto iy = static_cast<uint32_t>(static_cast<int32_t>(fy));
    const float tx = Smooth(x - fx), ty = Smooth(y - fy);
    const float a = Hash01(ix, iy, seed), b = Hash01(ix + 1, iy, seed);
    const float c = Hash01(ix, iy + 1, seed), d = Hash01(ix + 1, iy + 1, seed);
    return (a + (b - a) * tx) + ((c + (d - c) * tx) - (a + (b - a) * tx)) * ty;
}

float Fbm(float x, float y, uint32_t seed, int octaves) {
    float sum = 0, amp = 0.5f, norm = 0;
    for (int i = 0; i < octaves; ++i) {
        sum += amp * ValueNoise(x, y, seed + static_cast<uint32_t>(i) * 101);
        norm += amp;
        x *= 2.03f;
        y *= 2.03f;
        amp *= 0.5f;
    }
    return sum / norm;
}

Canvas::Canvas() : pixels_(static_cast<size_t>(kWidth) * kHeight, Color{0, 0, 0}) {}

Color Canvas::Get(int x, int y) const {
    x = std::clamp(x, 0, kWidth - 1);
    y = std::clamp(y, 0, kHeight - 1);
    return pixels_[static_cast<size_t>(y) * kWidth + x];
}

void Canvas::Set(int x, int y, Color c) {
    if (x < 0 || y < 0 || x >= kWidth || y >= kHeight) return;
    pixels_[static_cast<size_t>(y) * kWidth + x] = c;
}

void Canvas::Blend(int x, int y, Color c, float alpha) {
    if (x < 0 || y < 0 || x >= kWidth || y >= kHeight || alpha <= 0) return;
    Color& p = pixels_[static_cast<size_t>(y) * kWidth + x];
    p = Mix(p, c, std::min(alpha, 1.0f));
}

void Canvas::Add(int x, int y, Color c, float amount) {
    if (x < 0 || y < 0 || x >= kWidth || y >= kHeight || amount <= 0) return;
    Color& p = pixels_[static_cast<size_t>(y) * kWidth + x];
    p.r += c.r * amount;
    p.g += c.g * amount;
    p.b += c.b * amount;
}

void Canvas::Shade(const std::function<Color(int, int, Color)>& f) {
    Shade(0, 0, kWidth, kHeight, f);
}

void Canvas::Shade(int x0, int y0, int x1, int y1, const std::function<Color(int, int, Color)>& f) {
    x0 = std::max(x0, 0);
    y0 = std::max(y0, 0);
    x1 = std::min(x1, kWidth);
    y1 = std::min(y1, kHeight);
    for (int y = y0; y < y1; ++y) {
        for (int x = x0; x < x1; ++x) {
            Color& p = pixels_[static_cast<size_t>(y) * kWidth + x];
            p = f(x, y, p);
        }
    }
}

void Canvas::VerticalGradient(Color top, Color bottom, int y0, int y1) {
    Shade(0, y0, kWidth, y1, [&](int, int y, Color) {
        return Mix(top, bottom,
                   static_cast<float>(y - y0) / static_cast<float>(std::max(1, y1 - y0 - 1)));
    });
}

void Canvas::FillShape(int x0, int y0, int x1, int y1, const std::function<float(float, float)>& d,
                       Color c, float alpha, float feather) {
    x0 = std::max(x0, 0);
    y0 = std::max(y0, 0);
    x1 = std::min(x1, kWidth);
    y1 = std::min(y1, kHeight);
    for (int y = y0; y < y1; ++y) {
        for (int x = x0; x < x1; ++x) {
            const float dist = d(static_cast<float>(x) + 0.5f, static_cast<float>(y) + 0.5f);
            const float cover = Clamp01(0.5f - dist / feather);
            if (cover > 0) Blend(x, y, c, cover * alpha);
        }
    }
}

void Canvas::FillRect(float x0, float y0, float x1, float y1, Color c, float alpha) {
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

void Canvas::RoundRect(float x0, float y0, float x1, float y1, float radius, Color c, float alpha,
                       float feather) {
    const int m = static_cast<int>(feather) + 2;
    FillShape(
        static_cast<int>(x0) - m, static_cast<int>(y0) - m, static_cast<int>(x1) + m,
        static_cast<int>(y1) + m,
        [&](float px, float py) { return RoundRectDistance(px, py, x0, y0, x1, y1, radius); }, c,
        alpha, feather);
}

void Canvas::RoundRectOutline(float x0, float y0, float x1, float y1, float radius, float width,
                              Color c, float alpha) {
    FillShape(
        static_cast<int>(x0) - 3, static_cast<int>(y0) - 3, static_cast<int>(x1) + 3,
        static_cast<int>(y1) + 3,
        [&](float px, float py) {
            return std::abs(RoundRectDistance(px, py, x0, y0, x1, y1, radius)) - width / 2;
        },
        c, alpha);
}

void Canvas::Ellipse(float cx, float cy, float rx, float ry, Color c, float alpha, float feather) {
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

void Canvas::Line(float x0, float y0, float x1, float y1, float width, Color c, float alpha) {
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

void Canvas::Polygon(const std::vector<float>& xy, Color c, float alpha) {
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

void Canvas::Glow(float cx, float cy, float radius, Color c, float intensity) {
    const int x0 = static_cast<int>(cx - radius), x1 = static_cast<int>(cx + radius) + 1;
    const int y0 = static_cast<int>(cy - radius), y1 = static_cast<int>(cy + radius) + 1;
    for (int y = std::max(y0, 0); y < std::min(y1, kHeight); ++y) {
        for (int x = std::max(x0, 0); x < std::min(x1, kWidth); ++x) {
            const float dx = (static_cast<float>(x) - cx) / radius,
                        dy = (static_cast<float>(y) - cy) / radius;
            const float d2 = dx * dx + dy * dy;
            if (d2 >= 1) continue;
            const float k = (1 - d2) * (1 - d2);
            Add(x, y, c, intensity * k);
        }
    }
}

void Canvas::Ridge(const std::function<float(float)>& height, Color c, float alpha, int x0,
                   int x1) {
    for (int x = std::max(x0, 0); x < std::min(x1, kWidth); ++x) {
        const float h = height(static_cast<float>(x) + 0.5f);
        const int start = std::max(0, static_cast<int>(std::floor(h)));
        if (start < kHeight) Blend(x, start, c, alpha * (1 - (h - std::floor(h))));
        for (int y = start + 1; y < kHeight; ++y) Blend(x, y, c, alpha);
    }
}

void Canvas::Vignette(float strength, float radius) {
    Shade([&](int x, int y, Color p) {
        const float dx = (static_cast<float>(x) - kWidth / 2.0f) / (kWidth / 2.0f);
        const float dy = (static_cast<float>(y) - kHeight / 2.0f) / (kHeight / 2.0f);
        const float d = std::sqrt(dx * dx + dy * dy);
        const float k = 1 - strength * Clamp01((d - radius) / (1.42f - radius));
        return Scale(p, k);
    });
}

void Canvas::Grain(float amount, uint32_t seed) {
    Shade([&](int x, int y, Color p) {
        const float n =
            (Hash01(static_cast<uint32_t>(x), static_cast<uint32_t>(y), seed) - 0.5f) * amount;
        return Color{p.r + n, p.g + n, p.b + n};
    });
}

// --- lettering -------------------------------------------------------------------------------

namespace {

std::string FindFace(const std::string& name) {
    static std::map<std::string, std::string> cache;
    auto it = cache.find(name);
    if (it != cache.end()) return it->second;
    std::string path;
    char file[1024];
    int index = 0;
    if (veloria::FindFontFile(name.c_str(), file, sizeof(file), &index)) path = file;
    if (path.empty()) {  // the usual Debian location, should fontconfig be unavailable
        std::string file = name;
        std::replace(file.begin(), file.end(), ' ', '-');
        file = file.substr(0, file.find(':'));
        const bool bold = name.find("bold") != std::string::npos;
        const bool italic = name.find("italic") != std::string::npos;
        const std::string style = bold ? "Bold" : italic ? "Italic" : "Regular";
        file.erase(std::remove(file.begin(), file.end(), '-'), file.end());
        path = "/usr/share/fonts/truetype/liberation/" + file + "-" + style + ".ttf";
    }
    cache[name] = path;
    return path;
}

std::map<std::pair<std::string, int>, TTF_Font*>& Fonts() {
    static std::map<std::pair<std::string, int>, TTF_Font*> fonts;
    return fonts;
}

TTF_Font* OpenFace(const std::string& face, int size) {
    if (!TTF_WasInit() && TTF_Init() != 0) return nullptr;
    auto key = std::make_pair(face, size);
    auto it = Fonts().find(key);
    if (it != Fonts().end()) return it->second;
    TTF_Font* font = TTF_OpenFont(FindFace(face).c_str(), size);
    if (font == nullptr)
        std::fprintf(stderr, "gen_pictures: no font %s: %s\n", face.c_str(), TTF_GetError());
    Fonts()[key] = font;
    return font;
}

}  // namespace

void ShutdownFonts() {
    for (auto& entry : Fonts()) {
        if (entry.second != nullptr) TTF_CloseFont(entry.second);
    }
    Fonts().clear();
    if (TTF_WasInit()) TTF_Quit();
}

int Canvas::GameTextSize(const std::string& face) {
    int best = 16, bestHeight = 0;
    for (int pt = 8; pt <= 48; ++pt) {
        TTF_Font* font = OpenFace(face, pt);
        if (font == nullptr) continue;
        const int h = TTF_FontHeight(font);
        if (h <= 24 && h > bestHeight) {
            best = pt;
            bestHeight = h;
        }
    }
    return best;
}

int Canvas::TextWidth(const std::string& text, const std::string& face, int size) {
    TTF_Font* font = OpenFace(face, size);
    int w = 0, h = 0;
    if (font == nullptr || TTF_SizeUTF8(font, text.c_str(), &w, &h) != 0) return 0;
    return w;
}

int Canvas::Text(const std::string& text, int x, int y, const std::string& face, int size, Color c,
                 Align align, float alpha) {
    TTF_Font* font = OpenFace(face, size);
    if (font == nullptr || text.empty()) return 0;
    SDL_Surface* rendered =
        TTF_RenderUTF8_Blended(font, text.c_str(), SDL_Color{255, 255, 255, 255});
    if (rendered == nullptr) return 0;
    SDL_Surface* s = SDL_ConvertSurfaceFormat(rendered, SDL_PIXELFORMAT_ARGB8888, 0);
    SDL_FreeSurface(rendered);
    if (s == nullptr) return 0;
    if (align == Align::kCenter) x -= s->w / 2;
    if (align == Align::kRight) x -= s->w;
    SDL_LockSurface(s);
    for (int j = 0; j < s->h; ++j) {
        const auto* row = reinterpret_cast<const uint32_t*>(static_cast<const uint8_t*>(s->pixels) +
                                                            j * s->pitch);
        for (int i = 0; i < s->w; ++i) {
            const float a = static_cast<float>(row[i] >> 24) / 255.0f;
            Blend(x + i, y + j, c, a * alpha);
        }
    }
    SDL_UnlockSurface(s);
    const int w = s->w;
    SDL_FreeSurface(s);
    return w;
}

int Canvas::ShadowText(const std::string& text, int x, int y, const std::string& face, int size,
                       Color c, Align align, Color shadow, float shadowAlpha) {
    for (int dy = -1; dy <= 3; ++dy) {
        for (int dx = -1; dx <= 3; ++dx) {
            if (dx * dx + dy * dy > 9) continue;
            Text(text, x + dx, y + dy, face, size, shadow, align, shadowAlpha * 0.22f);
        }
    }
    return Text(text, x, y, face, size, c, align);
}

bool Canvas::SaveBmp(const std::string& path) const {
    SDL_Surface* s = SDL_CreateRGBSurfaceWithFormat(0, kWidth, kHeight, 24, SDL_PIXELFORMAT_BGR24);
    if (s == nullptr) return false;
    SDL_LockSurface(s);
    for (int y = 0; y < kHeight; ++y) {
        uint8_t* row = static_cast<uint8_t*>(s->pixels) + y * s->pitch;
        for (int x = 0; x < kWidth; ++x) {
            const Color c = pixels_[static_cast<size_t>(y) * kWidth + x];
            // A tiny ordered dither hides banding in the long dark gradients.
            const float d = (static_cast<float>(((x & 1) << 1) | ((y ^ x) & 1)) - 1.5f) / 4.0f;
            auto q = [&](float v) {
                return static_cast<uint8_t>(
                    std::clamp(std::lround(Clamp01(v) * 255.0f + d), 0L, 255L));
            };
            row[3 * x + 0] = q(c.b);
            row[3 * x + 1] = q(c.g);
            row[3 * x + 2] = q(c.r);
        }
    }
    SDL_UnlockSurface(s);
    const bool ok = SDL_SaveBMP(s, path.c_str()) == 0;
    SDL_FreeSurface(s);
    return ok;
}

}  // namespace veloria::media
