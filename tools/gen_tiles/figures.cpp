// Characters: the heroine, the townsfolk, the six villains and the guardians on the map.
// Figures are seen from above and in front, feet at art row 58, and are drawn for facing right,
// up and down; facing left is the mirror of facing right.
#include <algorithm>
#include <cmath>
#include <cstdint>

#include "cells.h"

namespace gen {

namespace {

enum Facing { kLeft = 0, kRight = 1, kUp = 2, kDown = 3 };
// Sprite states: 0, 1 walking, 2 hit, 3 casting, 4 healing, 5 drinking or vanished.
enum State { kWalk0 = 0, kWalk1 = 1, kHit = 2, kCasting = 3, kHealing = 4, kExtra = 5 };

enum HairStyle { kHairShort, kHairLong, kBald, kHood, kHelmet, kSkull, kHat };
enum BodyStyle { kRobe, kTunic, kBones, kDress, kArmour };
enum Held { kNothing, kStaff, kSpear, kClub, kSword, kRod, kCane, kSack };

struct Look {
    Color skin, hair, cloth, trim, legs, boots, eyes;
    HairStyle head;
    BodyStyle body;
    Held held;
    Color heldColor, gem, glow;
    int height;  // top of the head to the feet, art pixels
    int width;   // half width at the shoulders
    bool ears = false, horns = false, wings = false, beard = false, shadowFace = false;
    bool shield = false;
};

constexpr int kFeet = 58;

struct Point {
    float x, y;
};

struct Pose {
    int facing;
    int step;  // 0 or 1
    bool cast = false;
    bool drink = false;
};

void FillTriangle(Img& img, float x0, float y0, float x1, float y1, float x2, float y2, Color c) {
    int minX = int(std::floor(std::min({x0, x1, x2}))),
        maxX = int(std::ceil(std::max({x0, x1, x2})));
    int minY = int(std::floor(std::min({y0, y1, y2}))),
        maxY = int(std::ceil(std::max({y0, y1, y2})));
    for (int y = minY; y <= maxY; ++y) {
        for (int x = minX; x <= maxX; ++x) {
            float px = float(x) + 0.5f, py = float(y) + 0.5f;
            float d0 = (x1 - x0) * (py - y0) - (y1 - y0) * (px - x0);
            float d1 = (x2 - x1) * (py - y1) - (y2 - y1) * (px - x1);
            float d2 = (x0 - x2) * (py - y2) - (y0 - y2) * (px - x2);
            bool neg = d0 < 0 || d1 < 0 || d2<0, pos = d0> 0 || d1 > 0 || d2 > 0;
            if (!(neg && pos)) img.Set(x, y, c);
        }
    }
}

void Glow(Img& img, float cx, float cy, float r, Color c) {
    img.DitherEllipse(cx, cy, r, r, Lighten(c, 0.2f), 0);
    img.Ellipse(cx, cy, r * 0.55f, r * 0.55f, c);
    img.Ellipse(cx, cy, r * 0.3f, r * 0.3f, Lighten(c, 0.7f));
    img.Sparkle(int(cx - r), int(cy - r * 0.5f), c, Rgb(255, 255, 255));
    img.Sparkle(int(cx + r * 0.8f), int(cy - r), c, Rgb(255, 255, 255));
    img.Sparkle(int(cx + r * 0.5f), int(cy + r), c, Rgb(255, 255, 255));
}

void Arm(Img& img, float sx, float sy, float ex, float ey, const Ramp& sleeve, Color hand) {
    img.ThickLine(sx, sy, ex, ey, 3.2f, sleeve.c[1]);
    img.ThickLine(sx - 0.5f, sy, ex - 0.5f, ey, 1.6f, sleeve.c[2]);
    img.Ellipse(ex, ey + 1, 1.8f, 1.8f, hand);
}

void HeldItem(Img& img, const Look& k, float hx, float hy, bool raised, bool side) {
    Ramp wood = MakeRamp(k.heldColor);
    switch (k.held) {
        case kStaff: {
            float top = hy - (raised ? 14.0f : 16.0f), bottom = hy + (raised ? 10.0f : 15.0f);
            float lean = side && raised ? 6.0f : 0.0f;
            img.ThickLine(hx, bottom, hx + lean, top, 2, wood.c[1]);
            img.Line(int(hx), int(bottom), int(hx + lean), int(top), wood.c[2]);
            img.ShadedEllipse(hx + lean + 0.5f, top - 1, 2.6f, 2.6f, MakeRamp(k.gem));
            break;
        }
        case kSpear:
        case kRod: {
            float top = hy - 24, bottom = hy + 12;
            img.Line(int(hx), int(bottom), int(hx), int(top), wood.c[2]);
            img.Line(int(hx) + 1, int(bottom), int(hx) + 1, int(top), wood.c[1]);
            if (k.held == kSpear) {
                FillTriangle(img, hx - 2, top, hx + 3, top, hx + 0.5f, top - 6, Rgb(200, 204, 214));
            } else {
                img.Line(int(hx) + 1, int(top), int(hx) + 7, int(top) + 3, Rgb(220, 220, 220));
                img.Line(int(hx) + 7, int(top) + 3, int(hx) + 7, int(top) + 14, Rgb(200, 200, 200));
            }
            break;
        }
        case kClub:
            img.ThickLine(hx, hy + 2, hx + (side ? 6 : 0), hy - 10, 2.5f, wood.c[2]);
            img.Ellipse(hx + (side ? 6 : 0), hy - 11, 3, 3.5f, wood.c[1]);
            img.Set(int(hx + (side ? 5 : -1)), int(hy - 13), wood.c[3]);
            break;
        case kSword:
            img.ThickLine(hx, hy, hx + (side ? 5 : 0), hy - 14, 2, Rgb(170, 150, 120));
            img.Line(int(hx) - 2, int(hy) - 1, int(hx) + 2, int(hy) - 1, Rgb(90, 70, 40));
            break;
        case kCane:
            img.ThickLine(hx, hy, hx + 1, hy + 14, 1.6f, wood.c[1]);
            img.Line(int(hx) - 2, int(hy), int(hx), int(hy), wood.c[2]);
            break;
        case kSack:
            img.ShadedEllipse(hx, hy + 4, 5, 5, MakeRamp(Rgb(170, 140, 90)));
            img.Rect(int(hx) - 1, int(hy) - 2, 3, 2, Rgb(120, 90, 50));
            break;
        case kNothing:
            break;
    }
}

void Potion(Img& img, float x, float y) {
    img.Rect(int(x), int(y) - 3, 2, 2, Rgb(200, 180, 140));
    img.Ellipse(x + 1, y + 1, 2.5f, 2.5f, Rgb(210, 40, 60));
    img.Set(int(x), int(y), Rgb(255, 170, 180));
}

struct Geo {
    float cx;
    int headR, headCy, bodyTop, hem, waist;
    float half;
};

Geo Measure(const Look& k) {
    Geo g;
    g.cx = 32;
    // Big heads read better at this size.
    g.headR = k.height >= 48 ? 9 : (k.height <= 34 ? 7 : 8);
    g.headCy = kFeet - k.height + g.headR;
    g.bodyTop = g.headCy + g.headR - 1;
    g.hem =
        (k.body == kRobe || k.body == kDress) ? kFeet - 4 : g.bodyTop + (kFeet - g.bodyTop) / 2 + 2;
    g.waist = g.bodyTop + (kFeet - g.bodyTop) * 2 / 5;
    g.half = float(k.width);
    return g;
}

void Legs(Img& img, const Look& k, const Geo& g, const Pose& p) {
    Ramp legs = MakeRamp(k.legs), boots = MakeRamp(k.boots);
    bool bones = k.body == kBones;
    if (p.facing == kRight) {
        // Stride: the legs swing apart on one step and pass each other on the other.
        float spread = p.step == 0 ? 4.0f : 1.5f;
        for (int leg = 0; leg < 2; ++leg) {
            float dir = (leg == 0) == (p.step == 0) ? 1.0f : -1.0f;
            float fx = g.cx + dir * spread;
            Color c = leg == 0 ? legs.c[1] : legs.c[2];
            img.ThickLine(g.cx, float(g.hem - 2), fx, float(kFeet - 3), bones ? 1.4f : 3.2f, c);
            img.Rect(int(fx) - 1, kFeet - 3, 5, 3, leg == 0 ? boots.c[1] : boots.c[2]);
        }
        return;
    }
    for (int leg = 0; leg < 2; ++leg) {
        float x = g.cx + (leg == 0 ? -3.5f : 2.5f);
        // The stepping foot is lifted: shorter leg, foot higher.
        bool lifted = (leg == 0) == (p.step == 1);
        int footY = kFeet - 3 - (lifted ? 2 : 0);
        if (bones) {
            img.ThickLine(x + 0.5f, float(g.hem - 2), x + 0.5f, float(footY), 1.4f, legs.c[2]);
        } else {
            img.Rect(int(x) - 1, g.hem - 2, 4, footY - g.hem + 2, leg == 0 ? legs.c[2] : legs.c[1]);
        }
        img.Rect(int(x) - 1, footY, 4, 3, boots.c[leg == 0 ? 2 : 1]);
        img.Set(int(x) - 1, footY, boots.c[3]);
    }
}

void Body(Img& img, const Look& k, const Geo& g, const Pose& p) {
    Ramp cloth = MakeRamp(k.cloth);
    Ramp trim = MakeRamp(k.trim);
    bool side = p.facing == kRight;
    float half = side ? g.half * 0.72f : g.half;
    if (k.body == kBones) {
        Color bone = k.skin, dark = Scale(k.skin, 0.6f);
        img.Line(int(g.cx), g.bodyTop, int(g.cx), g.hem, dark);
        for (int y = g.bodyTop + 2; y < g.waist + 2; y += 3) {
            int w = int(half) - (y - g.bodyTop) / 5;
            if (side) {
                img.Line(int(g.cx) - 1, y, int(g.cx) + w - 2, y + 1, bone);
            } else {
                img.Line(int(g.cx) - w, y + 1, int(g.cx) + w, y + 1, bone);
                img.Set(int(g.cx), y + 1, dark);
            }
        }
        img.Ellipse(g.cx, float(g.hem - 2), side ? 3 : 5, 2.5f, bone);  // pelvis
        // A tattered loincloth.
        img.Rect(int(g.cx) - 3, g.hem - 1, 6, 3, cloth.c[1]);
        img.Set(int(g.cx) - 2, g.hem + 2, cloth.c[0]);
        img.Set(int(g.cx) + 1, g.hem + 2, cloth.c[0]);
        return;
    }
    float bottomHalf = (k.body == kRobe || k.body == kDress) ? half * 1.3f : half * 0.95f;
    float sway = (k.body == kRobe || k.body == kDress) && p.step == 1 ? 0.8f : 0.0f;
    img.ShadedTrapezoid(g.cx, g.bodyTop, g.hem, half * 0.8f, bottomHalf + sway, cloth);
    // Trim: hem, belt, collar.
    int hemL = int(std::lround(g.cx - bottomHalf - sway)),
        hemR = int(std::lround(g.cx + bottomHalf + sway));
    for (int x = hemL; x < hemR; ++x) img.SetOver(x, g.hem, trim.c[2]);
    for (int x = hemL; x < hemR; ++x) img.SetOver(x, g.hem - 1, trim.c[x % 2 ? 1 : 2]);
    for (int x = int(g.cx - half); x < int(g.cx + half); ++x) img.SetOver(x, g.waist, trim.c[1]);
    if (p.facing == kDown) {
        img.SetOver(int(g.cx) - 1, g.waist, trim.c[3]);
        img.SetOver(int(g.cx), g.waist, trim.c[3]);
        img.Line(int(g.cx) - 2, g.bodyTop, int(g.cx), g.bodyTop + 3, trim.c[2]);
        img.Line(int(g.cx) + 2, g.bodyTop, int(g.cx), g.bodyTop + 3, trim.c[2]);
        if (k.body == kDress) {  // apron
            img.Rect(int(g.cx) - 4, g.waist + 1, 8, g.hem - g.waist - 3, Rgb(236, 232, 220));
            img.Rect(int(g.cx) + 3, g.waist + 1, 1, g.hem - g.waist - 3, Rgb(200, 196, 190));
        }
        if (k.body == kArmour) {
            img.ShadedEllipse(g.cx, float(g.bodyTop + 5), half * 0.7f, 4,
                              MakeRamp(Lighten(k.cloth, 0.2f)));
        }
    }
    if (k.body == kArmour) {
        for (int y = g.bodyTop + 2; y < g.hem; y += 4)
            img.SetOver(int(g.cx - half * 0.5f), y, cloth.c[3]);
    }
}

void Wings(Img& img, const Look& k, const Geo& g, const Pose& p) {
    if (!k.wings) return;
    Ramp w = MakeRamp(Scale(k.skin, 0.55f));
    float lift = p.step == 1 ? -3.0f : 0.0f;
    float top = float(g.bodyTop) - 10 + lift;
    if (p.facing == kRight) {
        FillTriangle(img, g.cx - 2, float(g.bodyTop + 2), g.cx - 20, top, g.cx - 16,
                     float(g.waist + 6), w.c[1]);
        img.Line(int(g.cx) - 2, g.bodyTop + 2, int(g.cx) - 20, int(top), w.c[0]);
        return;
    }
    for (int s = -1; s <= 1; s += 2) {
        float sx = float(s);
        FillTriangle(img, g.cx, float(g.bodyTop + 3), g.cx + sx * 26, top, g.cx + sx * 22,
                     float(g.waist + 8), p.facing == kUp ? w.c[2] : w.c[1]);
        FillTriangle(img, g.cx, float(g.bodyTop + 3), g.cx + sx * 22, float(g.waist + 8),
                     g.cx + sx * 12, float(g.waist + 6), w.c[0]);
        img.Line(int(g.cx), g.bodyTop + 3, int(g.cx + sx * 26), int(top), w.c[3]);
    }
}

void Head(Img& img, const Look& k, const Geo& g, const Pose& p) {
    // Faces take only a soft shade, or the lower half reads as a beard.
    Ramp skin =
        MakeRamp(Scale(k.skin, 0.82f), Scale(k.skin, 0.92f), k.skin, Lighten(k.skin, 0.15f));
    Ramp hair = MakeRamp(k.hair);
    float hx = g.cx + (p.facing == kRight ? 1.0f : 0.0f);
    float hy = float(g.headCy) + 0.5f;
    float r = float(g.headR);
    bool back = p.facing == kUp, side = p.facing == kRight;

    if (k.head == kSkull) {
        Ramp bone = MakeRamp(k.skin);
        img.ShadedEllipse(hx, hy, r, r, bone);
        img.Rect(int(hx) - 3, int(hy + r) - 2, 6, 3, bone.c[1]);  // jaw
        if (!back) {
            Color socket = Rgb(20, 10, 14);
            if (side) {
                img.Rect(int(hx) + 2, int(hy) - 1, 3, 3, socket);
                img.Set(int(hx) + 3, int(hy), k.eyes);
            } else {
                img.Rect(int(hx) - 4, int(hy) - 1, 3, 3, socket);
                img.Rect(int(hx) + 1, int(hy) - 1, 3, 3, socket);
                img.Set(int(hx) - 3, int(hy), k.eyes);
                img.Set(int(hx) + 2, int(hy), k.eyes);
                for (int x = -2; x <= 2; x += 2) img.Set(int(hx) + x, int(hy + r) - 1, socket);
            }
        }
        return;
    }
    if (k.ears) {  // long pointed ears
        Color ear = skin.c[1];
        if (side) {
            FillTriangle(img, hx - 2, hy - 2, hx - 2, hy + 2, hx - 9, hy - 6, ear);
        } else {
            FillTriangle(img, hx - r + 1, hy - 2, hx - r + 1, hy + 2, hx - r - 7, hy - 6, ear);
            FillTriangle(img, hx + r - 1, hy - 2, hx + r - 1, hy + 2, hx + r + 7, hy - 6, ear);
        }
    }
    img.ShadedEllipse(hx, hy, r, r, skin);
    if (k.horns) {
        Ramp horn = MakeRamp(Rgb(230, 216, 180));
        for (int s = -1; s <= 1; s += 2) {
            if (side && s < 0) continue;
            float bx = side ? hx : hx + float(s) * (r - 2);
            FillTriangle(img, bx - 2, hy - r + 2, bx + 2, hy - r + 2, bx + float(s) * 5, hy - r - 7,
                         horn.c[2]);
            img.Set(int(bx + float(s) * 5), int(hy - r - 7), horn.c[3]);
        }
    }
    // Face.
    if (!back) {
        Color eye = k.eyes;
        if (side) {
            img.Rect(int(hx) + 3, int(hy), 2, 2, eye);
            img.Set(int(hx) + 4, int(hy), Rgb(255, 255, 255));
            img.Set(int(hx + r), int(hy) + 2, skin.c[1]);  // nose
        } else {
            img.Rect(int(hx) - 4, int(hy), 2, 2, eye);
            img.Rect(int(hx) + 2, int(hy), 2, 2, eye);
            img.Set(int(hx) - 4, int(hy), Rgb(255, 255, 255));
            img.Set(int(hx) + 2, int(hy), Rgb(255, 255, 255));
            img.Set(int(hx), int(hy) + 3, skin.c[0]);
            if (k.body != kBones && !k.horns && !k.ears) {
                img.Set(int(hx) - 5, int(hy) + 2, Mix(skin.c[2], Rgb(240, 120, 120), 0.4f));
                img.Set(int(hx) + 4, int(hy) + 2, Mix(skin.c[2], Rgb(240, 120, 120), 0.4f));
            }
        }
    }
    if (k.beard && !back) {
        Ramp b = MakeRamp(k.hair);
        float bx = side ? hx + 3 : hx;
        img.Ellipse(bx, hy + r - 1, side ? 3.5f : 5, 4, b.c[2]);
        img.Set(int(bx), int(hy + r + 1), b.c[1]);
    }
    // Hair and headgear.
    switch (k.head) {
        case kHairShort:
        case kHairLong:
            for (int y = int(hy - r) - 1; y <= int(hy + r); ++y) {
                for (int x = int(hx - r) - 1; x <= int(hx + r) + 1; ++x) {
                    float nx = (float(x) + 0.5f - hx) / (r + 1),
                          ny = (float(y) + 0.5f - hy) / (r + 1);
                    if (nx * nx + ny * ny > 1) continue;
                    bool cover;
                    if (back)
                        cover = true;
                    else if (side)
                        cover = ny < -0.3f || nx < -0.1f;
                    else
                        cover = ny < -0.25f + 0.25f * std::fabs(std::sin(float(x) * 1.3f)) * 0.0f ||
                                (std::fabs(nx) > 0.8f && ny < 0.3f);
                    if (cover) img.Set(x, y, Pick(hair, 0.6f - nx * 0.3f - ny * 0.35f));
                }
            }
            if (!back && !side) {  // fringe
                for (int x = int(hx) - 4; x <= int(hx) + 3; x += 3)
                    img.Set(x, int(hy) - 2, hair.c[1]);
            }
            if (k.head == kHairLong) {  // falls past the shoulders
                int len = int(r) + 8;
                if (back) {
                    img.ShadedTrapezoid(hx, int(hy), int(hy) + len, r, r + 1, hair);
                    for (int y = int(hy) + 2; y < int(hy) + len; y += 3)
                        img.Set(int(hx) - 1 + (y % 2), y, hair.c[1]);
                } else if (side) {
                    img.ShadedTrapezoid(hx - 3, int(hy), int(hy) + len - 2, r * 0.55f, r * 0.6f,
                                        hair);
                } else {
                    img.Rect(int(hx - r) - 1, int(hy) - 1, 3, len - 2, hair.c[1]);
                    img.Rect(int(hx + r) - 1, int(hy) - 1, 3, len - 2, hair.c[2]);
                }
                // A hair ribbon.
                if (!side || true) img.Set(int(hx - r) + (back ? 4 : 0), int(hy - r) + 2, k.trim);
            }
            break;
        case kHood: {
            Ramp hood = MakeRamp(k.cloth);
            img.ShadedEllipse(hx, hy - 0.5f, r + 1.8f, r + 1.8f, hood);
            if (!back) {
                float fx = side ? hx + 3 : hx;
                img.Ellipse(fx, hy + 1, side ? r * 0.55f : r * 0.75f, r * 0.8f,
                            k.shadowFace ? Rgb(16, 10, 22) : skin.c[2]);
                if (k.shadowFace) {
                    if (side) {
                        img.Set(int(fx) + 1, int(hy) + 1, k.eyes);
                    } else {
                        img.Set(int(fx) - 2, int(hy) + 1, k.eyes);
                        img.Set(int(fx) + 2, int(hy) + 1, k.eyes);
                    }
                } else if (side) {
                    img.Set(int(fx) + 1, int(hy) + 1, k.eyes);
                } else {
                    img.Set(int(fx) - 2, int(hy) + 1, k.eyes);
                    img.Set(int(fx) + 2, int(hy) + 1, k.eyes);
                }
            }
            break;
        }
        case kHelmet: {
            Ramp metal = MakeRamp(Rgb(150, 156, 170));
            for (int y = int(hy - r) - 1; y <= int(hy); ++y)
                for (int x = int(hx - r) - 1; x <= int(hx + r) + 1; ++x) {
                    float nx = (float(x) + 0.5f - hx) / (r + 1),
                          ny = (float(y) + 0.5f - hy) / (r + 1);
                    if (nx * nx + ny * ny <= 1)
                        img.Set(x, y, Pick(metal, 0.6f - nx * 0.3f - ny * 0.4f));
                }
            for (int x = int(hx - r) - 1; x <= int(hx + r) + 1; ++x)
                img.SetOver(x, int(hy), metal.c[0]);
            if (!back && !side) img.Rect(int(hx), int(hy) - 1, 1, 4, metal.c[1]);
            img.Set(int(hx), int(hy - r) - 2, Rgb(200, 40, 40));
            img.Set(int(hx), int(hy - r) - 3, Rgb(230, 60, 50));
            break;
        }
        case kHat: {
            Ramp hat = MakeRamp(k.hair);
            img.Ellipse(hx, hy - 2, r + 4, 3, hat.c[1]);
            img.ShadedEllipse(hx, hy - 4, r - 1, 4, hat);
            img.Rect(int(hx - r) + 1, int(hy) - 3, int(2 * r) - 2, 1, k.trim);
            break;
        }
        case kBald:
        case kSkull:
            break;
    }
}

// One figure, unlit by effects; the outline is added here.
Img Figure(const Look& k, const Pose& p) {
    Img img(kArt, kArt);
    Geo g = Measure(k);
    Ramp cloth = MakeRamp(k.cloth);
    Ramp arms = k.body == kBones ? MakeRamp(k.skin) : cloth;
    Color hand = k.skin;
    int shoulder = g.bodyTop + 2;
    float swing = p.step == 0 ? 2.0f : -2.0f;
    float handY = float(g.waist + 5);
    bool raised = p.cast;

    Wings(img, k, g, p);
    if (p.facing == kUp) {
        // From behind, the held item is in the right hand, which is on the viewer's right.
        Legs(img, k, g, p);
        Body(img, k, g, p);
        float rx = g.cx + g.half + 2;
        if (raised) {
            Arm(img, g.cx - g.half + 1, float(shoulder), g.cx - g.half - 3, float(shoulder - 7),
                arms, hand);
            Arm(img, rx - 2, float(shoulder), rx + 1, float(shoulder - 8), arms, hand);
            HeldItem(img, k, rx + 1, float(shoulder - 8), true, false);
        } else {
            Arm(img, g.cx - g.half + 1, float(shoulder), g.cx - g.half - 1, handY + swing * 0.5f,
                arms, hand);
            if (p.drink) {
                Arm(img, rx - 2, float(shoulder), rx - 3, float(g.headCy + 2), arms, hand);
                Potion(img, rx - 4, float(g.headCy - 1));
            } else {
                Arm(img, rx - 2, float(shoulder), rx, handY - swing * 0.5f, arms, hand);
                HeldItem(img, k, rx, handY - swing * 0.5f, false, false);
            }
        }
        Head(img, k, g, p);
        if (k.shield)
            img.ShadedEllipse(g.cx - g.half - 2, float(g.waist), 4, 6, MakeRamp(Rgb(90, 70, 50)));
    } else if (p.facing == kDown) {
        Legs(img, k, g, p);
        float lx = g.cx - g.half - 2;
        if (raised && k.held != kStaff) {
            Body(img, k, g, p);
            Arm(img, g.cx - g.half + 1, float(shoulder), lx - 2, float(g.headCy - 6), arms, hand);
            Arm(img, g.cx + g.half - 1, float(shoulder), g.cx + g.half + 4, float(g.headCy - 6),
                arms, hand);
            Head(img, k, g, p);
        } else {
            Body(img, k, g, p);
            Head(img, k, g, p);
            if (raised) {
                Arm(img, g.cx - g.half + 1, float(shoulder), lx, float(shoulder - 8), arms, hand);
                HeldItem(img, k, lx, float(shoulder - 8), true, false);
            } else {
                Arm(img, g.cx - g.half + 1, float(shoulder), lx, handY + swing * 0.5f, arms, hand);
                HeldItem(img, k, lx, handY + swing * 0.5f, false, false);
            }
            if (p.drink) {
                Arm(img, g.cx + g.half - 1, float(shoulder), g.cx + 2,
                    float(g.headCy + g.headR - 1), arms, hand);
                Potion(img, g.cx, float(g.headCy + g.headR - 3));
            } else {
                Arm(img, g.cx + g.half - 1, float(shoulder), g.cx + g.half + 1,
                    handY - swing * 0.5f, arms, hand);
            }
        }
        if (k.shield) {
            img.ShadedEllipse(g.cx + g.half + 2, float(g.waist), 5, 7, MakeRamp(Rgb(150, 40, 40)));
            img.Rect(int(g.cx + g.half) + 1, g.waist - 4, 2, 8, Rgb(230, 200, 80));
        }
    } else {
        // Facing right: far arm behind the body, near arm and held item in front.
        Arm(img, g.cx - 1, float(shoulder), g.cx - 3 - swing, handY, MakeRamp(Scale(k.cloth, 0.8f)),
            Scale(hand, 0.85f));
        Legs(img, k, g, p);
        Body(img, k, g, p);
        Head(img, k, g, p);
        float hx = g.cx + 2 + swing;
        if (raised) {
            Arm(img, g.cx, float(shoulder), g.cx + 8, float(shoulder - 6), arms, hand);
            HeldItem(img, k, g.cx + 8, float(shoulder - 6), true, true);
        } else if (p.drink) {
            Arm(img, g.cx, float(shoulder), g.cx + 6, float(g.headCy + 3), arms, hand);
            Potion(img, g.cx + 6, float(g.headCy + 1));
        } else {
            Arm(img, g.cx, float(shoulder), hx, handY, arms, hand);
            HeldItem(img, k, hx, handY, false, true);
        }
        if (k.shield) img.ShadedEllipse(g.cx - 3, float(g.waist), 3, 7, MakeRamp(Rgb(150, 40, 40)));
    }
    img.Outline(kInk);
    return img;
}

Img WithShadow(const Img& figure, float rx) {
    Img out(kArt, kArt);
    out.DitherEllipse(32, float(kFeet), rx, 2.8f, Rgb(24, 30, 26), 0);
    out.Draw(figure, 0, 0);
    return out;
}

// The glow of a spell being cast, placed where the hands or staff are.
Point CastPoint(const Look& k, int facing) {
    Geo g = Measure(k);
    int shoulder = g.bodyTop + 2;
    if (k.held == kStaff) {
        if (facing == kUp) return {g.cx + g.half + 3.5f, float(shoulder - 23)};
        if (facing == kDown) return {g.cx - g.half - 1.5f, float(shoulder - 23)};
        return {g.cx + 14.5f, float(shoulder - 21)};
    }
    if (facing == kRight) return {g.cx + 12, float(shoulder - 6)};
    return {g.cx, float(g.headCy - 10)};
}

void HealingSparkles(Img& img, uint32_t seed) {
    for (int i = 0; i < 7; ++i) {
        int x = 14 + int(Hash(i, 0, seed) % 36), y = 10 + int(Hash(i, 1, seed) % 44);
        img.Sparkle(x, y, Rgb(120, 240, 140), Rgb(240, 255, 240));
    }
    for (int i = 0; i < 3; ++i) {  // little crosses rising
        int x = 16 + int(Hash(i, 2, seed) % 32), y = 8 + int(Hash(i, 3, seed) % 20);
        img.Rect(x - 2, y, 5, 1, Rgb(80, 220, 110));
        img.Rect(x, y - 2, 1, 5, Rgb(80, 220, 110));
    }
}

// Builds the six states of a figure in one facing from a drawing function.
template <typename DrawFn>
void SixStates(Library& lib, int base, int facing, float shadowRx, Color castGlow, DrawFn draw,
               bool vanishState, Point castAt, uint32_t seed) {
    auto finish = [&](Img fig, int state) {
        if (facing == kLeft) fig = fig.Mirrored();
        lib.Put(base + state, WithShadow(fig, shadowRx));
    };
    int f = facing == kLeft ? kRight : facing;
    Img walk0 = draw(Pose{f, 0});
    finish(walk0, kWalk0);
    finish(draw(Pose{f, 1}), kWalk1);
    Img hit = walk0;
    Flash(hit, Rgb(255, 246, 240), 0.6f);
    for (int i = 0; i < 4; ++i) {  // impact stars
        int x = 18 + int(Hash(i, f, seed) % 28), y = 14 + int(Hash(i, f + 9, seed) % 30);
        hit.Sparkle(x, y, Rgb(255, 90, 60), Rgb(255, 255, 200));
    }
    finish(hit, kHit);
    Pose castPose{f, 0};
    castPose.cast = true;
    Img cast = draw(castPose);
    Glow(cast, castAt.x, castAt.y, 6, castGlow);
    finish(cast, kCasting);
    Img heal = walk0;
    Tint(heal, Rgb(120, 255, 140), 0.25f);
    HealingSparkles(heal, seed + uint32_t(f));
    finish(heal, kHealing);
    if (vanishState) {
        lib.Put(base + kExtra, Shimmer(facing == kLeft ? walk0.Mirrored() : walk0, seed + 77));
    } else {
        Pose drinkPose{f, 0};
        drinkPose.drink = true;
        finish(draw(drinkPose), kExtra);
    }
}

void HumanoidSet(Library& lib, int base, const Look& k, bool villain, uint32_t seed) {
    for (int f = 0; f < 4; ++f) {
        auto draw = [&](const Pose& p) { return Figure(k, p); };
        SixStates(lib, base + 6 * f, f, float(k.width) + 4, k.glow, draw, villain,
                  CastPoint(k, f == kLeft ? kRight : f), seed);
    }
}

// --- Creatures that are not people --------------------------------------------------------------

Img Slime(const Pose& p, Color body) {
    Img img(kArt, kArt);
    Ramp r = MakeRamp(body);
    bool squash = p.step == 0 && !p.cast;
    float rx = p.cast ? 11 : (squash ? 16 : 13), ry = p.cast ? 17 : (squash ? 11 : 14);
    float cy = float(kFeet) - ry;
    img.ShadedEllipse(32, cy, rx, ry, r);
    img.Rect(int(32 - rx) + 2, kFeet - 2, int(2 * rx) - 4, 2, r.c[1]);
    // Bubbles inside and a shine.
    for (int i = 0; i < 5; ++i)
        img.SetOver(24 + int(Hash(i, 0, 9191) % 16), int(cy) + int(Hash(i, 1, 9191) % 10), r.c[3]);
    img.Ellipse(32 - rx * 0.45f, cy - ry * 0.5f, 2.5f, 1.8f, Lighten(body, 0.75f));
    if (p.facing != kUp) {
        float ex = p.facing == kRight ? 38 : 32;
        float ey = cy - 1;
        for (int s = -1; s <= 1; s += 2) {
            if (p.facing == kRight && s < 0) continue;
            float x = ex + float(s) * 4 - (p.facing == kRight ? 4 : 0);
            img.Ellipse(x, ey, 2.2f, 3, Rgb(250, 250, 250));
            img.Rect(int(x) + (p.facing == kRight ? 0 : 0), int(ey), 2, 2, Rgb(20, 20, 30));
        }
        if (p.facing == kRight) {
            img.Ellipse(ex + 6, ey, 1.8f, 3, Rgb(250, 250, 250));
            img.Rect(int(ex) + 6, int(ey), 1, 2, Rgb(20, 20, 30));
        }
        img.Line(int(ex) - 3, int(cy) + 5, int(ex) + 2, int(cy) + 5, r.c[0]);  // mouth
    }
    img.Outline(Darken(body, 0.75f));
    return img;
}

Img Wolf(const Pose& p) {
    Img img(kArt, kArt);
    Ramp fur = MakeRamp(Rgb(112, 112, 126));
    Ramp belly = MakeRamp(Rgb(170, 168, 176));
    Color dark = Rgb(40, 40, 50);
    Color eye = Rgb(250, 210, 60);
    if (p.facing == kRight) {
        float stride = p.step == 0 ? 3.0f : -3.0f;
        // Far legs first, darker.
        img.ThickLine(22, 44, 22 - stride, 56, 2.5f, fur.c[0]);
        img.ThickLine(40, 44, 40 + stride, 56, 2.5f, fur.c[0]);
        img.ThickLine(16, 38, 8, p.step == 0 ? 30 : 33, 3.5f, fur.c[1]);  // tail
        img.Set(7, p.step == 0 ? 29 : 32, belly.c[3]);
        img.ShadedEllipse(30, 40, 15, 8, fur);
        img.Ellipse(30, 45, 10, 3, belly.c[1]);
        img.ThickLine(25, 44, 25 + stride, 57, 2.8f, fur.c[1]);
        img.ThickLine(37, 44, 37 - stride, 57, 2.8f, fur.c[1]);
        float hy = p.cast ? 28 : 33;
        img.ShadedEllipse(45, hy, 7, 6, fur);
        img.ShadedEllipse(52, hy + 2, 5, 3, fur);  // snout
        img.Set(56, int(hy) + 1, dark);
        FillTriangle(img, 41, hy - 4, 45, hy - 4, 42, hy - 11, fur.c[1]);
        FillTriangle(img, 45, hy - 4, 48, hy - 3, 47, hy - 10, fur.c[2]);
        img.Rect(47, int(hy) - 2, 2, 2, eye);
        if (p.cast) img.Line(50, int(hy) + 4, 55, int(hy) + 5, Rgb(140, 30, 40));
    } else if (p.facing == kDown) {
        bool left = p.step == 0;
        img.ShadedEllipse(32, 44, 12, 9, fur);
        img.ThickLine(27, 46, 27, left ? 57 : 55, 3, fur.c[1]);
        img.ThickLine(37, 46, 37, left ? 55 : 57, 3, fur.c[2]);
        float hy = p.cast ? 30 : 34;
        FillTriangle(img, 24, hy - 3, 29, hy - 6, 25, hy - 13, fur.c[1]);
        FillTriangle(img, 40, hy - 3, 35, hy - 6, 39, hy - 13, fur.c[2]);
        img.ShadedEllipse(32, hy, 9, 8, fur);
        img.ShadedEllipse(32, hy + 5, 4.5f, 3.5f, belly);
        img.Rect(31, int(hy) + 3, 3, 2, dark);
        img.Rect(27, int(hy) - 2, 2, 2, eye);
        img.Rect(36, int(hy) - 2, 2, 2, eye);
        if (p.cast) img.Rect(30, int(hy) + 7, 5, 2, Rgb(140, 30, 40));
    } else {
        bool left = p.step == 0;
        img.ThickLine(25, 48, 25, left ? 57 : 55, 3, fur.c[1]);
        img.ThickLine(39, 48, 39, left ? 55 : 57, 3, fur.c[1]);
        img.ShadedEllipse(32, 42, 11, 13, fur);
        img.ThickLine(32, 54, 32 + (left ? 4.0f : -4.0f), 60, 3.5f, fur.c[2]);  // tail
        float hy = p.cast ? 24 : 28;
        FillTriangle(img, 25, hy - 2, 30, hy - 5, 26, hy - 12, fur.c[1]);
        FillTriangle(img, 39, hy - 2, 34, hy - 5, 38, hy - 12, fur.c[2]);
        img.ShadedEllipse(32, hy, 8, 7, fur);
    }
    img.Outline(kInk);
    return img;
}

Img Ghost(const Pose& p) {
    Img img(kArt, kArt);
    float bob = p.step == 0 ? 0.0f : -2.0f;
    Ramp r =
        MakeRamp(Rgb(120, 130, 170), Rgb(170, 180, 215), Rgb(210, 218, 240), Rgb(245, 248, 255));
    img.ShadedEllipse(32, 26 + bob, 13, 12, r);
    img.ShadedTrapezoid(32, int(26 + bob), int(50 + bob), 13, 15, r);
    for (int x = 17; x < 47; ++x) {  // ragged hem
        int len = int(2 + 2 * std::sin(float(x) * 0.9f + float(p.step) * 2));
        for (int k = 0; k < len; ++k) img.Set(x, int(51 + bob) + k, r.c[k == len - 1 ? 1 : 2]);
    }
    img.Ellipse(27, 26 + bob, 2.5f, 3.5f, Rgb(30, 30, 60));
    img.Ellipse(37, 26 + bob, 2.5f, 3.5f, Rgb(30, 30, 60));
    img.Ellipse(32, 34 + bob, 2, 2.5f, Rgb(30, 30, 60));
    img.Outline(Rgb(60, 60, 100));
    return img;
}

Look Heroine() {
    Look k{};
    k.skin = Rgb(246, 206, 172);
    k.hair = Rgb(176, 62, 40);
    k.cloth = Rgb(78, 64, 176);
    k.trim = Rgb(236, 190, 70);
    k.legs = Rgb(70, 56, 150);
    k.boots = Rgb(110, 70, 40);
    k.eyes = Rgb(40, 90, 60);
    k.head = kHairLong;
    k.body = kRobe;
    k.held = kStaff;
    k.heldColor = Rgb(150, 100, 56);
    k.gem = Rgb(90, 220, 255);
    k.glow = Rgb(120, 220, 255);
    k.height = 46;
    k.width = 9;
    return k;
}

Look Person(Color skin, Color hair, Color cloth, Color trim, HairStyle head, BodyStyle body,
            Held held, int height) {
    Look k{};
    k.skin = skin;
    k.hair = hair;
    k.cloth = cloth;
    k.trim = trim;
    k.legs = Scale(cloth, 0.6f);
    k.boots = Rgb(90, 60, 40);
    k.eyes = Rgb(30, 30, 40);
    k.head = head;
    k.body = body;
    k.held = held;
    k.heldColor = Rgb(140, 100, 60);
    k.gem = Rgb(220, 220, 220);
    k.glow = Rgb(255, 255, 255);
    k.height = height;
    k.width = height <= 34 ? 6 : 8;
    return k;
}

constexpr Color kSkinLight = Rgb(242, 200, 166);
constexpr Color kSkinTan = Rgb(212, 160, 118);
constexpr Color kSkinDark = Rgb(150, 100, 70);

Look Goblin() {
    Look k = Person(Rgb(112, 170, 64), Rgb(0, 0, 0), Rgb(120, 84, 50), Rgb(80, 60, 40), kBald,
                    kTunic, kClub, 36);
    k.ears = true;
    k.eyes = Rgb(230, 40, 30);
    k.legs = Rgb(90, 66, 44);
    k.heldColor = Rgb(120, 80, 44);
    k.glow = Rgb(255, 150, 40);
    k.width = 8;
    return k;
}

Look Skeleton() {
    Look k = Person(Rgb(226, 220, 196), Rgb(0, 0, 0), Rgb(90, 60, 70), Rgb(60, 40, 50), kSkull,
                    kBones, kSword, 44);
    k.legs = Rgb(226, 220, 196);
    k.boots = Rgb(200, 194, 170);
    k.eyes = Rgb(255, 80, 60);
    k.glow = Rgb(230, 230, 210);
    return k;
}

Look DarkMage() {
    Look k = Person(Rgb(190, 170, 200), Rgb(0, 0, 0), Rgb(64, 34, 92), Rgb(190, 40, 60), kHood,
                    kRobe, kStaff, 46);
    k.shadowFace = true;
    k.eyes = Rgb(255, 60, 60);
    k.heldColor = Rgb(60, 50, 60);
    k.gem = Rgb(230, 40, 80);
    k.glow = Rgb(190, 80, 255);
    k.legs = Rgb(40, 20, 60);
    return k;
}

Look Demon() {
    Look k = Person(Rgb(184, 44, 36), Rgb(0, 0, 0), Rgb(46, 30, 34), Rgb(200, 160, 60), kBald,
                    kTunic, kNothing, 52);
    k.horns = true;
    k.wings = true;
    k.eyes = Rgb(255, 220, 40);
    k.legs = Rgb(150, 36, 30);
    k.boots = Rgb(60, 30, 30);
    k.glow = Rgb(255, 90, 30);
    k.width = 11;
    return k;
}

Look Knight() {
    Look k = Person(kSkinTan, Rgb(0, 0, 0), Rgb(150, 156, 170), Rgb(200, 50, 50), kHelmet, kArmour,
                    kSpear, 46);
    k.shield = true;
    k.legs = Rgb(110, 116, 130);
    k.boots = Rgb(80, 84, 96);
    k.glow = Rgb(255, 240, 160);
    k.width = 9;
    return k;
}

void PaintPeople(Library& lib) {
    Pose front{kDown, 0};
    auto put = [&](int tile, const Look& k) {
        lib.Put(tile, WithShadow(Figure(k, front), float(k.width) + 4));
    };
    put(54, Person(kSkinLight, Rgb(110, 70, 40), Rgb(110, 130, 60), Rgb(90, 60, 40), kHairShort,
                   kTunic, kNothing, 42));
    Look woman = Person(kSkinTan, Rgb(236, 200, 100), Rgb(190, 60, 70), Rgb(120, 30, 40), kHairLong,
                        kDress, kNothing, 40);
    put(55, woman);
    put(56, Knight());
    Look elder = Person(kSkinLight, Rgb(230, 230, 236), Rgb(120, 120, 130), Rgb(70, 70, 120), kBald,
                        kRobe, kCane, 40);
    elder.beard = true;
    put(57, elder);
    Look merchant = Person(kSkinDark, Rgb(140, 40, 40), Rgb(60, 130, 90), Rgb(230, 190, 70), kHat,
                           kTunic, kSack, 42);
    put(58, merchant);
    put(59, Person(kSkinLight, Rgb(200, 130, 50), Rgb(230, 190, 60), Rgb(60, 110, 200), kHairShort,
                   kTunic, kNothing, 32));
    put(60, Person(kSkinTan, Rgb(0, 0, 0), Rgb(120, 84, 50), Rgb(200, 170, 90), kHood, kRobe,
                   kNothing, 44));
    Look fisher = Person(kSkinTan, Rgb(210, 180, 100), Rgb(60, 90, 150), Rgb(200, 200, 200), kHat,
                         kTunic, kRod, 42);
    put(61, fisher);
}

// Villain v (1..6) occupies 224 + 24 (v - 1).
int VillainBase(int v) {
    return 224 + 24 * (v - 1);
}

template <typename DrawFn>
void CreatureSet(Library& lib, int base, float shadowRx, Color glow, DrawFn draw, uint32_t seed,
                 float castY) {
    for (int f = 0; f < 4; ++f) {
        Point at = {32, castY};
        if (f == kLeft || f == kRight) at = {50, castY};
        SixStates(lib, base + 6 * f, f, shadowRx, glow, draw, true, at, seed);
    }
}

}  // namespace

void PaintFigures(Library& lib) {
    HumanoidSet(lib, 160, Heroine(), false, 1600);
    PaintPeople(lib);

    HumanoidSet(lib, VillainBase(1), Goblin(), true, 2240);
    HumanoidSet(lib, VillainBase(2), Skeleton(), true, 2480);
    CreatureSet(
        lib, VillainBase(3), 15, Rgb(120, 230, 60),
        [](const Pose& p) { return Slime(p, Rgb(90, 200, 120)); }, 2720, 24);
    HumanoidSet(lib, VillainBase(4), DarkMage(), true, 2960);
    CreatureSet(
        lib, VillainBase(5), 14, Rgb(150, 200, 255), [](const Pose& p) { return Wolf(p); }, 3200,
        20);
    HumanoidSet(lib, VillainBase(6), Demon(), true, 3440);

    // Guardians on the level map: the villains, a knight and a ghost, two idle frames each.
    auto guard = [&](int g, auto draw, float shadowRx) {
        for (int a = 0; a < 2; ++a)
            lib.Put(368 + 2 * g + a, WithShadow(draw(Pose{kDown, a}), shadowRx));
    };
    guard(
        0, [](const Pose& p) { return Figure(Goblin(), p); }, 12);
    guard(
        1, [](const Pose& p) { return Figure(Skeleton(), p); }, 12);
    guard(
        2, [](const Pose& p) { return Slime(p, Rgb(90, 200, 120)); }, 15);
    guard(
        3, [](const Pose& p) { return Figure(DarkMage(), p); }, 12);
    guard(
        4, [](const Pose& p) { return Wolf(p); }, 14);
    guard(
        5, [](const Pose& p) { return Figure(Demon(), p); }, 15);
    guard(
        6, [](const Pose& p) { return Figure(Knight(), p); }, 13);
    guard(
        7, [](const Pose& p) { return Ghost(p); }, 12);
}

}  // namespace gen
