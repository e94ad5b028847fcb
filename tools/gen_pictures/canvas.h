#pragma once
// The pictures' painting surface: the kit's smooth float surface at the game's screen size, with
// lettering in TrueType faces on top.
#include <cstdint>
#include <string>

#include "paint/paint.h"

namespace veloria::media {

using paint::Color;
using paint::Fbm;
using paint::Hex;
using paint::Mix;
using paint::Scale;

inline float Hash01(uint32_t a, uint32_t b, uint32_t seed) {
    return paint::Unit(paint::HashPair(a, b, seed));
}

enum class Align { kLeft, kCenter, kRight };

class Canvas : public paint::Surface {
  public:
    static constexpr int kWidth = 1024;
    static constexpr int kHeight = 768;

    Canvas() : Surface(kWidth, kHeight) {}

    // Lettering with a TrueType face; `size` in points. Returns the width drawn. `y` is the top of
    // the line box, as the game places its own texts.
    int Text(const std::string& text, int x, int y, const std::string& face, int size, Color c,
             Align align = Align::kLeft, float alpha = 1.0f);
    int TextWidth(const std::string& text, const std::string& face, int size);
    // Text with a soft dark shadow beneath, for lettering over busy pictures.
    int ShadowText(const std::string& text, int x, int y, const std::string& face, int size,
                   Color c, Align align = Align::kLeft, Color shadow = Color{0, 0, 0},
                   float shadowAlpha = 0.7f);

    // The point size at which `face` gives the game's 24-pixel text line.
    static int GameTextSize(const std::string& face);
};

// Font faces by role.
extern const char* const kSerif;  // the game's own text face
extern const char* const kSerifBold;
extern const char* const kSerifItalic;
extern const char* const kSans;
extern const char* const kSansBold;

void ShutdownFonts();

}  // namespace veloria::media
