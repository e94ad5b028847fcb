#include "canvas.h"

#include <SDL.h>
#include <SDL_ttf.h>

#include <algorithm>
#include <cstdint>
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
    const int drawn = s->w;
    SDL_FreeSurface(s);
    return drawn;
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

}  // namespace veloria::media
