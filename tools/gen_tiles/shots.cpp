// Spell shots. Each is drawn flying right, centred in the cell, and turned for the other
// facings; two frames each so the flight flickers.
#include <cmath>
#include <cstdint>

#include "cells.h"

namespace gen {

namespace {

struct Flame {
    Color core, mid, outer, spark;
};

// A ball with a flickering tail: fire bolt, poison spit, shadow bolt, hellfire.
Img Bolt(const Flame& f, int frame, uint32_t seed) {
    Img img(kArt, kArt);
    for (int i = 0; i < 9; ++i) {
        float t = float(i) / 8.0f;
        float x = 38 - t * 24, r = 6.5f - t * 5.0f;
        float wobble = std::sin(float(i) * 1.7f + float(frame) * 2.4f) * 2.0f * t;
        img.Ellipse(x, 32 + wobble, r + 1.5f, r + 1.0f, f.outer);
    }
    for (int i = 0; i < 7; ++i) {
        float t = float(i) / 6.0f;
        float x = 39 - t * 18, r = 4.5f - t * 3.5f;
        float wobble = std::sin(float(i) * 1.7f + float(frame) * 2.4f + 1.0f) * 1.5f * t;
        img.Ellipse(x, 32 + wobble, r, r * 0.8f, f.mid);
    }
    img.Ellipse(40, 32, 5, 4.5f, f.mid);
    img.Ellipse(41, 31.5f, 3, 2.6f, f.core);
    img.Set(42, 30, Rgb(255, 255, 255));
    for (int i = 0; i < 5; ++i) {
        int x = 10 + int(Hash(i, frame, seed) % 26), y = 25 + int(Hash(i, frame + 3, seed) % 14);
        img.Set(x, y, f.spark);
    }
    img.Outline(Darken(f.outer, 0.55f));
    return img;
}

Img IceShard(int frame) {
    Img img(kArt, kArt);
    Color edge = Rgb(60, 120, 200), body = Rgb(150, 220, 250), light = Rgb(230, 250, 255);
    // A long diamond pointing right, lit on its upper facet.
    for (int x = 18; x <= 48; ++x) {
        float t = float(x - 18) / 30.0f;
        float half = t < 0.7f ? t / 0.7f * 5.0f : (1.0f - t) / 0.3f * 5.0f;
        for (int y = int(32 - half); y <= int(32 + half); ++y) {
            Color c = y < 32 ? light : (y == 32 ? body : Mix(body, edge, 0.4f));
            img.Set(x, y, c);
        }
    }
    img.Line(20, 32, 47, 32, Rgb(255, 255, 255));
    for (int i = 0; i < 6; ++i) {  // frost left behind
        int x = 6 + int(Hash(i, frame, 6060) % 14), y = 26 + int(Hash(i, frame + 2, 6060) % 12);
        img.Sparkle(x, y, Rgb(160, 220, 255), Rgb(255, 255, 255));
    }
    img.Outline(Rgb(20, 50, 110));
    return img;
}

Img Lightning(int frame) {
    Img img(kArt, kArt);
    int y = 32;
    int prevX = 12, prevY = 32;
    for (int x = 16; x <= 52; x += 4) {
        y = 32 + int(Hash(x, frame, 7070) % 11) - 5;
        if (x == 52) y = 32;
        img.ThickLine(float(prevX), float(prevY), float(x), float(y), 3, Rgb(250, 230, 80));
        prevX = x;
        prevY = y;
    }
    prevX = 12;
    prevY = 32;
    for (int x = 16; x <= 52; x += 4) {
        y = 32 + int(Hash(x, frame, 7070) % 11) - 5;
        if (x == 52) y = 32;
        img.Line(prevX, prevY, x, y, Rgb(255, 255, 235));
        prevX = x;
        prevY = y;
    }
    // A fork.
    int fx = 28 + frame * 8;
    img.Line(fx, 32, fx + 6, 32 + (frame ? -7 : 7), Rgb(250, 230, 80));
    img.Ellipse(52, 32, 3, 3, Rgb(255, 255, 220));
    img.Outline(Rgb(90, 90, 200));
    return img;
}

Img ArcaneOrb(int frame) {
    Img img(kArt, kArt);
    Ramp r = MakeRamp(Rgb(80, 20, 120), Rgb(140, 50, 200), Rgb(200, 100, 250), Rgb(250, 210, 255));
    img.ShadedEllipse(36, 32, 8, 8, r);
    img.Ellipse(33, 29, 2, 2, Rgb(255, 240, 255));
    // Motes circling the orb; they move on between the frames.
    for (int i = 0; i < 4; ++i) {
        float a = float(i) * 1.571f + float(frame) * 0.785f;
        int x = 36 + int(std::cos(a) * 13), y = 32 + int(std::sin(a) * 6);
        img.Sparkle(x, y, Rgb(240, 120, 255), Rgb(255, 255, 255));
    }
    for (int i = 0; i < 4; ++i)  // a short trail
        img.Set(20 - i * 3, 32 + (i % 2 ? 1 : -1) * (frame ? 1 : 2), Rgb(200, 120, 250));
    img.Outline(Rgb(40, 10, 70));
    return img;
}

Img BoneDart(int frame) {
    Img img(kArt, kArt);
    Color bone = Rgb(236, 230, 206), shade = Rgb(190, 180, 150);
    // A spinning bone: flat on one frame, tilted on the other.
    float tilt = frame ? 6.0f : 0.0f;
    img.ThickLine(22, 32 + tilt, 44, 32 - tilt, 2.5f, bone);
    for (float end : {22.0f, 44.0f}) {
        float y = end < 30 ? 32 + tilt : 32 - tilt;
        img.Ellipse(end, y - 2, 2.5f, 2.5f, bone);
        img.Ellipse(end, y + 2, 2.5f, 2.5f, shade);
    }
    for (int i = 0; i < 3; ++i) img.Set(12 + i * 3, 32, Rgb(200, 190, 170));
    img.Outline(Rgb(60, 50, 40));
    return img;
}

// Flying right is drawn; the others are turned from it.
void Directions(Library& lib, int base, Img (*draw)(int)) {
    for (int a = 0; a < 2; ++a) {
        Img right = draw(a);
        Img down = right.Rotated();
        Img up = down.Rotated().Rotated();
        lib.Put(base + 0 + a, right.Mirrored());
        lib.Put(base + 2 + a, right);
        lib.Put(base + 4 + a, up);
        lib.Put(base + 6 + a, down);
    }
}

Img FireBolt(int frame) {
    return Bolt({Rgb(255, 250, 200), Rgb(255, 190, 50), Rgb(236, 80, 20), Rgb(255, 220, 90)}, frame,
                1901);
}
Img PoisonSpit(int frame) {
    return Bolt({Rgb(230, 255, 180), Rgb(140, 220, 60), Rgb(60, 140, 40), Rgb(180, 250, 90)}, frame,
                3841);
}
Img ShadowBolt(int frame) {
    return Bolt({Rgb(230, 170, 255), Rgb(110, 40, 150), Rgb(40, 16, 60), Rgb(170, 80, 230)}, frame,
                3921);
}
Img Hellfire(int frame) {
    return Bolt({Rgb(255, 230, 160), Rgb(220, 30, 30), Rgb(90, 10, 20), Rgb(255, 120, 40)}, frame,
                4081);
}

}  // namespace

void PaintShots(Library& lib) {
    // The heroine's four spells: 192 + 8 k + 2 f + a.
    Directions(lib, 192, FireBolt);
    Directions(lib, 200, IceShard);
    Directions(lib, 208, Lightning);
    Directions(lib, 216, ArcaneOrb);
    // The villains' own shots: 384 + 8 j + 2 f + a.
    Directions(lib, 384, PoisonSpit);
    Directions(lib, 392, ShadowBolt);
    Directions(lib, 400, BoneDart);
    Directions(lib, 408, Hellfire);
}

}  // namespace gen
