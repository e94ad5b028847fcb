#pragma once
// A floating-point RGB painting surface with anti-aliased shapes, noise and lettering, enough to
// paint the game's full-screen pictures procedurally.
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace veloria::media {

struct Color {
    float r, g, b;
};

constexpr Color Hex(uint32_t rgb) {
    return Color{static_cast<float>((rgb >> 16) & 0xFF) / 255.0f,
                 static_cast<float>((rgb >> 8) & 0xFF) / 255.0f,
                 static_cast<float>(rgb & 0xFF) / 255.0f};
}
Color Mix(Color a, Color b, float t);
Color Scale(Color c, float k);

// Deterministic value noise and its fractal sum, in [0, 1].
float ValueNoise(float x, float y, uint32_t seed);
float Fbm(float x, float y, uint32_t seed, int octaves = 5);
float Hash01(uint32_t a, uint32_t b, uint32_t seed);

enum class Align { kLeft, kCenter, kRight };

class Canvas {
  public:
    static constexpr int kWidth = 1024;
    static constexpr int kHeight = 768;

    Canvas();

    Color Get(int x, int y) const;
    void Set(int x, int y, Color c);
    void Blend(int x, int y, Color c, float alpha);
    void Add(int x, int y, Color c, float amount);

    // Paints every pixel from a function of its position (and its current colour).
    void Shade(const std::function<Color(int x, int y, Color old)>& f);
    void Shade(int x0, int y0, int x1, int y1,
               const std::function<Color(int x, int y, Color old)>& f);
    void VerticalGradient(Color top, Color bottom, int y0 = 0, int y1 = kHeight);

    // Anti-aliased fill of the region where `distance` (in pixels, negative inside) is below 0,
    // tested within the box [x0, x1) x [y0, y1).
    void FillShape(int x0, int y0, int x1, int y1,
                   const std::function<float(float, float)>& distance, Color c, float alpha = 1.0f,
                   float feather = 1.0f);
    void FillRect(float x0, float y0, float x1, float y1, Color c, float alpha = 1.0f);
    void RoundRect(float x0, float y0, float x1, float y1, float radius, Color c,
                   float alpha = 1.0f, float feather = 1.0f);
    void RoundRectOutline(float x0, float y0, float x1, float y1, float radius, float width,
                          Color c, float alpha = 1.0f);
    void Ellipse(float cx, float cy, float rx, float ry, Color c, float alpha = 1.0f,
                 float feather = 1.0f);
    void Line(float x0, float y0, float x1, float y1, float width, Color c, float alpha = 1.0f);
    void Polygon(const std::vector<float>& xy, Color c, float alpha = 1.0f);
    // Additive soft light: intensity falls off smoothly to zero at `radius`.
    void Glow(float cx, float cy, float radius, Color c, float intensity);
    // Fills below a skyline: for each column x the ground starts at height(x).
    void Ridge(const std::function<float(float)>& height, Color c, float alpha = 1.0f, int x0 = 0,
               int x1 = kWidth);
    void Vignette(float strength, float radius = 0.75f);
    void Grain(float amount, uint32_t seed);

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

    bool SaveBmp(const std::string& path) const;

  private:
    std::vector<Color> pixels_;
};

// Font faces by role.
extern const char* const kSerif;  // the game's own text face
extern const char* const kSerifBold;
extern const char* const kSerifItalic;
extern const char* const kSans;
extern const char* const kSansBold;

void ShutdownFonts();

}  // namespace veloria::media
