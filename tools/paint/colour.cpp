#include <algorithm>
#include <cmath>

#include "paint.h"

namespace veloria::paint {

Color Mix(Color a, Color b, float t) {
    return Color{Lerp(a.r, b.r, t), Lerp(a.g, b.g, t), Lerp(a.b, b.b, t)};
}
Color Scale(Color c, float k) {
    return Color{c.r * k, c.g * k, c.b * k};
}

namespace {
int Clamp255(float v) {
    return int(std::lround(std::clamp(v, 0.0f, 255.0f)));
}
}  // namespace

Packed Mix(Packed a, Packed b, float t) {
    return Rgb(Clamp255(Lerp(float(Red(a)), float(Red(b)), t)),
               Clamp255(Lerp(float(Green(a)), float(Green(b)), t)),
               Clamp255(Lerp(float(Blue(a)), float(Blue(b)), t)));
}

Packed Scale(Packed c, float f) {
    return Rgb(Clamp255(float(Red(c)) * f), Clamp255(float(Green(c)) * f),
               Clamp255(float(Blue(c)) * f));
}

Packed Lighten(Packed c, float t) {
    return Mix(c, Rgb(255, 255, 255), t);
}
Packed Darken(Packed c, float t) {
    return Mix(c, Rgb(0, 0, 0), t);
}

Ramp MakeRamp(Packed base) {
    Packed dark = Mix(Scale(base, 0.5f), Rgb(30, 20, 60), 0.25f);
    Packed shade = Mix(Scale(base, 0.75f), Rgb(40, 30, 80), 0.12f);
    Packed light = Mix(Lighten(base, 0.28f), Rgb(255, 240, 190), 0.12f);
    return Ramp{{dark, shade, base, light}};
}

Ramp MakeRamp(Packed dark, Packed shade, Packed base, Packed light) {
    return Ramp{{dark, shade, base, light}};
}

Packed Pick(const Ramp& r, float v) {
    if (v < 0.22f) return r.c[0];
    if (v < 0.45f) return r.c[1];
    if (v < 0.78f) return r.c[2];
    return r.c[3];
}

}  // namespace veloria::paint
