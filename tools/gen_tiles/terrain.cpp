// Ground and wall textures. Each one repeats every 64 art pixels in both directions, so a
// field of the same cell shows no seams: noise is periodic and scattered details wrap around.
#include <cmath>
#include <cstdint>

#include "cells.h"

namespace gen {

namespace {

constexpr float kTau = 6.2831853f;

void Speckle(Img& img, int count, uint32_t seed, Color c) {
    for (int i = 0; i < count; ++i)
        img.SetWrap(int(Hash(i, 0, seed) % 64), int(Hash(i, 1, seed) % 64), c);
}

void Blades(Img& img, int count, uint32_t seed, const Ramp& r) {
    for (int i = 0; i < count; ++i) {
        int x = int(Hash(i, 3, seed) % 64), y = int(Hash(i, 4, seed) % 64);
        int len = 2 + int(Hash(i, 5, seed) % 3);
        int lean = int(Hash(i, 6, seed) % 3) - 1;
        for (int k = 0; k < len; ++k) {
            Color c = k == 0 ? r.c[1] : (k == len - 1 ? r.c[3] : r.c[2]);
            img.SetWrap(x + (k == len - 1 ? lean : 0), y - k, c);
        }
        img.SetWrap(x + 1, y, r.c[0]);  // a speck of shadow at the foot
    }
}

Img Dirt(uint32_t seed) {
    Img img(kArt, kArt);
    Ramp r = MakeRamp(Rgb(92, 62, 38), Rgb(118, 82, 50), Rgb(142, 102, 64), Rgb(166, 126, 84));
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 64; ++x)
            img.Set(x, y,
                    Pick(r, TiledFbm(float(x), float(y), 16, 3, seed) * 0.9f +
                                Hash01(x, y, seed + 5) * 0.2f));
    for (int i = 0; i < 14; ++i) {  // pebbles
        int x = int(Hash(i, 0, seed + 9) % 64), y = int(Hash(i, 1, seed + 9) % 64);
        Color stone = Mix(Rgb(150, 140, 128), Rgb(120, 104, 90), Hash01(i, 2, seed));
        img.SetWrap(x, y, Lighten(stone, 0.2f));
        img.SetWrap(x + 1, y, stone);
        img.SetWrap(x, y + 1, stone);
        img.SetWrap(x + 1, y + 1, Scale(stone, 0.6f));
        img.SetWrap(x + 2, y + 1, r.c[0]);
    }
    Speckle(img, 40, seed + 11, r.c[0]);
    return img;
}

Img Sand() {
    Img img(kArt, kArt);
    Ramp r =
        MakeRamp(Rgb(186, 160, 108), Rgb(210, 184, 128), Rgb(228, 204, 146), Rgb(242, 224, 172));
    for (int y = 0; y < 64; ++y) {
        for (int x = 0; x < 64; ++x) {
            float n = TiledFbm(float(x), float(y), 16, 2, 404);
            float s = std::sin(kTau * (float(y) * 4.0f / 64.0f) +
                               1.3f * std::sin(kTau * float(x) * 2.0f / 64.0f) + n * 2.5f);
            float v = 0.55f + (n - 0.5f) * 0.4f + Hash01(x, y, 405) * 0.12f;
            if (s > 0.88f)
                v = 0.3f;
            else if (s < -0.9f)
                v = 0.85f;
            img.Set(x, y, Pick(r, v));
        }
    }
    Speckle(img, 30, 406, Rgb(250, 240, 210));
    Speckle(img, 20, 407, Rgb(170, 140, 96));
    return img;
}

// Rows of rectangular blocks with mortar, each block bevelled: the base of floors and walls.
Img Blocks(int blockW, int blockH, const Ramp& r, Color mortar, uint32_t seed, float roughness,
           int bevel) {
    Img img(kArt, kArt);
    for (int y = 0; y < 64; ++y) {
        int row = y / blockH, yin = y % blockH;
        int offset = (row % 2) * (blockW / 2) + int(Hash(row, 0, seed) % 2) * 2;
        for (int x = 0; x < 64; ++x) {
            int xs = ((x + offset) % 64 + 64) % 64;
            int col = xs / blockW, xin = xs % blockW;
            if (yin == blockH - 1 || xin == blockW - 1) {
                img.Set(x, y, mortar);
                continue;
            }
            float tone = Hash01(col, row, seed) * 0.3f - 0.15f;
            float n = TiledFbm(float(x), float(y), 8, 2, seed + 3) - 0.5f;
            float v = 0.6f + tone + n * roughness + (Hash01(x, y, seed + 7) - 0.5f) * 0.12f;
            if (yin < bevel || xin < bevel) v = 0.9f;
            if (yin >= blockH - 1 - bevel || xin >= blockW - 1 - bevel) v = 0.3f;
            img.Set(x, y, Pick(r, v));
        }
    }
    return img;
}

Img StoneFloor() {
    Ramp r = MakeRamp(Rgb(62, 62, 72), Rgb(86, 86, 96), Rgb(108, 106, 116), Rgb(132, 130, 138));
    Img img = Blocks(16, 16, r, Rgb(40, 38, 46), 505, 0.5f, 1);
    // A few cracks.
    for (int i = 0; i < 4; ++i) {
        int x = int(Hash(i, 0, 506) % 64), y = int(Hash(i, 1, 506) % 64);
        for (int k = 0; k < 6; ++k) {
            img.SetWrap(x, y, Rgb(48, 46, 54));
            x += int(Hash(i, k, 507) % 3) - 1;
            y += 1;
        }
    }
    Speckle(img, 30, 508, Rgb(74, 90, 70));  // moss specks
    return img;
}

Img WoodFloor() {
    Img img(kArt, kArt);
    Ramp r = MakeRamp(Rgb(96, 58, 30), Rgb(124, 78, 42), Rgb(150, 98, 56), Rgb(176, 122, 74));
    for (int y = 0; y < 64; ++y) {
        int plank = y / 8, yin = y % 8;
        int joint = int(Hash(plank, 0, 606) % 32);
        for (int x = 0; x < 64; ++x) {
            if (yin == 7) {
                img.Set(x, y, Rgb(60, 34, 18));
                continue;
            }
            int xs = (x + joint) % 32;
            if (xs == 0) {
                img.Set(x, y, Rgb(72, 42, 22));
                continue;
            }
            float grain = TiledNoise(float(x) / 16.0f, float(y) / 1.5f, 4, 607 + uint32_t(plank));
            float v = 0.55f + (Hash01(plank, x / 32, 608) - 0.5f) * 0.3f + (grain - 0.5f) * 0.5f;
            if (yin == 0) v = 0.85f;
            if (yin == 6) v = 0.3f;
            img.Set(x, y, Pick(r, v));
            if ((xs == 2 || xs == 29) && (yin == 2 || yin == 5)) img.Set(x, y, Rgb(50, 44, 40));
        }
    }
    return img;
}

Img Cobbles() {
    Img img(kArt, kArt);
    Voronoi v;
    v.Build(5, 0.7f, 707);
    for (int y = 0; y < 64; ++y) {
        for (int x = 0; x < 64; ++x) {
            float d1, d2;
            int k = v.Nearest(float(x) + 0.5f, float(y) + 0.5f, &d1, &d2);
            if (d2 - d1 < 1.6f) {
                img.Set(x, y, Rgb(58, 52, 50));
                continue;
            }
            Color base = Mix(Rgb(128, 120, 112), Rgb(150, 136, 118), Hash01(k, 0, 708));
            Ramp r = MakeRamp(base);
            float dx = float(x) + 0.5f - v.px[k], dy = float(y) + 0.5f - v.py[k];
            if (dx > 32) dx -= 64;
            if (dx < -32) dx += 64;
            if (dy > 32) dy -= 64;
            if (dy < -32) dy += 64;
            float edge = (d2 - d1) < 3.2f ? 1.0f : 0.0f;
            float lum =
                0.6f - (dx + dy) * 0.025f - edge * 0.22f + (Hash01(x, y, 709) - 0.5f) * 0.1f;
            img.Set(x, y, Pick(r, lum));
        }
    }
    return img;
}

Img ForestFloor() {
    Img img(kArt, kArt);
    Ramp r = MakeRamp(Rgb(30, 40, 24), Rgb(42, 54, 30), Rgb(54, 68, 36), Rgb(72, 86, 44));
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 64; ++x)
            img.Set(x, y,
                    Pick(r, TiledFbm(float(x), float(y), 16, 3, 808) * 0.95f +
                                Hash01(x, y, 809) * 0.15f));
    const Color leaves[4] = {Rgb(138, 78, 30), Rgb(160, 110, 40), Rgb(96, 70, 30),
                             Rgb(110, 120, 40)};
    for (int i = 0; i < 34; ++i) {
        int x = int(Hash(i, 0, 810) % 64), y = int(Hash(i, 1, 810) % 64);
        Color c = leaves[Hash(i, 2, 810) % 4];
        img.SetWrap(x, y, c);
        img.SetWrap(x + 1, y, Lighten(c, 0.2f));
        img.SetWrap(x, y + 1, Scale(c, 0.7f));
    }
    for (int i = 0; i < 6; ++i) {  // twigs
        int x = int(Hash(i, 3, 811) % 64), y = int(Hash(i, 4, 811) % 64);
        int dir = Hash(i, 5, 811) % 2 ? 1 : -1;
        for (int k = 0; k < 5; ++k) img.SetWrap(x + k, y + dir * (k / 2), Rgb(70, 48, 28));
    }
    return img;
}

Img Lava(int frame) {
    Img img(kArt, kArt);
    Voronoi v;
    v.Build(4, 0.8f, 1111);
    Ramp crust = MakeRamp(Rgb(34, 14, 12), Rgb(58, 22, 16), Rgb(82, 32, 20), Rgb(110, 46, 26));
    for (int y = 0; y < 64; ++y) {
        for (int x = 0; x < 64; ++x) {
            float d1, d2;
            int k = v.Nearest(float(x) + 0.5f, float(y) + 0.5f, &d1, &d2);
            float glow = TiledFbm(float(x), float(y), 16, 2, 1112 + uint32_t(frame) * 31);
            float gap = d2 - d1;
            float width = 1.2f + glow * 2.2f;
            if (gap < width) {
                float t = gap / width;
                Color hot = frame ? Rgb(255, 214, 90) : Rgb(255, 190, 60);
                img.Set(x, y, t < 0.45f ? hot : (t < 0.8f ? Rgb(246, 118, 28) : Rgb(196, 58, 20)));
            } else {
                float lum = 0.55f + (Hash01(k, 0, 1113) - 0.5f) * 0.3f - d1 * 0.012f +
                            (Hash01(x, y, 1114) - 0.5f) * 0.15f;
                img.Set(x, y, Pick(crust, lum));
            }
        }
    }
    // Bubbles that pop between the frames.
    for (int i = 0; i < 5; ++i) {
        int x = int(Hash(i, frame, 1115) % 64), y = int(Hash(i, frame + 7, 1115) % 64);
        img.SetWrap(x, y, Rgb(255, 240, 150));
        img.SetWrap(x + 1, y, Rgb(255, 170, 50));
        img.SetWrap(x - 1, y, Rgb(255, 170, 50));
        img.SetWrap(x, y - 1, Rgb(255, 170, 50));
    }
    return img;
}

Img BrickWall() {
    Ramp r = MakeRamp(Rgb(98, 38, 30), Rgb(132, 52, 38), Rgb(160, 70, 50), Rgb(188, 98, 72));
    return Blocks(16, 8, r, Rgb(176, 164, 146), 1414, 0.35f, 0);
}

Img Hedge() {
    Img img(64, 64, Rgb(22, 54, 26));
    Ramp r = MakeRamp(Rgb(28, 66, 30), Rgb(40, 92, 38), Rgb(56, 120, 46), Rgb(92, 156, 64));
    for (int i = 0; i < 260; ++i) {
        float x = float(Hash(i, 0, 1616) % 64), y = float(Hash(i, 1, 1616) % 64);
        int layer = int(Hash(i, 2, 1616) % 4);
        WrapEllipse(img, x, y, 2.6f, 1.8f, r.c[layer]);
        WrapEllipse(img, x - 0.6f, y - 0.6f, 1.0f, 0.8f, r.c[std::min(3, layer + 1)]);
    }
    Speckle(img, 12, 1617, Rgb(16, 36, 18));
    return img;
}

}  // namespace

void WrapEllipse(Img& img, float cx, float cy, float rx, float ry, Color c) {
    for (int y = int(std::floor(cy - ry)); y <= int(std::ceil(cy + ry)); ++y) {
        for (int x = int(std::floor(cx - rx)); x <= int(std::ceil(cx + rx)); ++x) {
            float nx = (float(x) + 0.5f - cx) / rx, ny = (float(y) + 0.5f - cy) / ry;
            if (nx * nx + ny * ny <= 1.0f) img.SetWrap(x, y, c);
        }
    }
}

Img GrassTexture(uint32_t seed) {
    Img img(kArt, kArt);
    Ramp r = MakeRamp(Rgb(40, 96, 40), Rgb(56, 124, 48), Rgb(74, 148, 56), Rgb(108, 176, 70));
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 64; ++x)
            img.Set(x, y,
                    Pick(r, 0.15f + TiledFbm(float(x), float(y), 16, 3, seed) * 0.75f +
                                Hash01(x, y, seed + 1) * 0.18f));
    Blades(img, 120, seed + 2, r);
    return img;
}

Img StoneWallTexture(uint32_t seed) {
    // Big blocks with a wide bevel: reads as an upright wall, unlike the flat floor slabs.
    Ramp r = MakeRamp(Rgb(70, 72, 86), Rgb(100, 102, 116), Rgb(128, 128, 140), Rgb(162, 160, 168));
    return Blocks(32, 16, r, Rgb(36, 36, 46), seed, 0.45f, 2);
}

Img CaveRockTexture(uint32_t seed) {
    Img img(kArt, kArt);
    Voronoi v;
    v.Build(4, 0.9f, seed);
    for (int y = 0; y < 64; ++y) {
        for (int x = 0; x < 64; ++x) {
            float d1, d2;
            int k = v.Nearest(float(x) + 0.5f, float(y) + 0.5f, &d1, &d2);
            if (d2 - d1 < 1.2f) {
                img.Set(x, y, Rgb(40, 32, 28));
                continue;
            }
            Ramp r = MakeRamp(Mix(Rgb(104, 88, 74), Rgb(120, 108, 96), Hash01(k, 1, seed)));
            float facet = Hash01(k, 2, seed);
            float dx = float(x) + 0.5f - v.px[k], dy = float(y) + 0.5f - v.py[k];
            if (dx > 32) dx -= 64;
            if (dx < -32) dx += 64;
            if (dy > 32) dy -= 64;
            if (dy < -32) dy += 64;
            float lum = 0.3f + facet * 0.5f - (dx * 0.6f + dy) * 0.012f +
                        (TiledFbm(float(x), float(y), 8, 2, seed + 4) - 0.5f) * 0.3f;
            if (d2 - d1 < 2.4f) lum -= 0.25f;
            img.Set(x, y, Pick(r, lum));
        }
    }
    return img;
}

Img WaterTexture(int frame) {
    Img img(kArt, kArt);
    Ramp r = MakeRamp(Rgb(22, 62, 128), Rgb(30, 84, 156), Rgb(40, 108, 180), Rgb(74, 148, 206));
    float phase = frame ? 1.7f : 0.0f;
    for (int y = 0; y < 64; ++y) {
        for (int x = 0; x < 64; ++x) {
            float n = TiledFbm(float(x), float(y), 32, 3, 909);
            float s = std::sin(kTau * float(y) * 4.0f / 64.0f +
                               1.6f * std::sin(kTau * float(x) * 2.0f / 64.0f + phase) + n * 4.0f +
                               phase);
            float v = 0.35f + n * 0.5f;
            if (s > 0.93f)
                v = 0.9f;
            else if (s > 0.7f)
                v = 0.62f;
            img.Set(x, y, Pick(r, v));
        }
    }
    for (int i = 0; i < 7; ++i) {  // glints that move between frames
        int x = int(Hash(i, frame, 910) % 64), y = int(Hash(i, frame + 5, 910) % 64);
        img.SetWrap(x, y, Rgb(220, 240, 255));
        img.SetWrap(x + 1, y, Rgb(150, 200, 240));
        img.SetWrap(x - 1, y, Rgb(150, 200, 240));
    }
    return img;
}

Img PlasterWallTexture() {
    Img img(kArt, kArt);
    Ramp r =
        MakeRamp(Rgb(170, 156, 128), Rgb(196, 182, 150), Rgb(218, 204, 172), Rgb(232, 222, 194));
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 64; ++x)
            img.Set(x, y,
                    Pick(r, 0.55f + (TiledFbm(float(x), float(y), 16, 3, 2222) - 0.5f) * 0.6f +
                                (Hash01(x, y, 2223) - 0.5f) * 0.1f));
    Ramp beam = MakeRamp(Rgb(58, 36, 22), Rgb(78, 50, 30), Rgb(98, 64, 38), Rgb(122, 84, 52));
    // Timber frame: a sill at the bottom and a beam at the top, posts at the edges.
    for (int x = 0; x < 64; ++x) {
        for (int y = 0; y < 6; ++y) img.Set(x, y, beam.c[y == 0 ? 3 : (y == 5 ? 0 : 2)]);
        for (int y = 56; y < 64; ++y) img.Set(x, y, beam.c[y == 56 ? 3 : (y == 63 ? 0 : 1)]);
    }
    for (int y = 6; y < 56; ++y) {
        for (int x = 0; x < 3; ++x) img.Set(x, y, beam.c[x == 0 ? 3 : 2]);
        for (int x = 61; x < 64; ++x) img.Set(x, y, beam.c[x == 63 ? 0 : 1]);
    }
    return img;
}

void PaintGround(Library& lib) {
    lib.Put(1, GrassTexture(101));
    {
        Img flowers = GrassTexture(101);
        const Color petals[4] = {Rgb(250, 250, 240), Rgb(250, 214, 70), Rgb(240, 130, 170),
                                 Rgb(150, 150, 250)};
        for (int i = 0; i < 9; ++i) {
            int x = int(Hash(i, 0, 202) % 64), y = int(Hash(i, 1, 202) % 64);
            Color p = petals[Hash(i, 2, 202) % 4];
            // Four two-pixel petals round an orange heart, with a shadow below right.
            for (int k = 0; k < 3; ++k) flowers.SetWrap(x + k, y + 3, Rgb(36, 80, 34));
            flowers.SetWrap(x + 3, y + 2, Rgb(36, 80, 34));
            for (int dy = -1; dy <= 2; ++dy)
                for (int dx = -1; dx <= 2; ++dx)
                    if ((dx == -1 || dx == 2) != (dy == -1 || dy == 2))
                        flowers.SetWrap(x + dx, y + dy, dy == 2 ? Scale(p, 0.8f) : p);
            flowers.SetWrap(x, y, Rgb(250, 170, 40));
            flowers.SetWrap(x + 1, y, Rgb(250, 200, 60));
            flowers.SetWrap(x, y + 1, Rgb(210, 120, 30));
            flowers.SetWrap(x + 1, y + 1, Rgb(230, 140, 30));
        }
        lib.Put(2, flowers);
    }
    lib.Put(3, Dirt(303));
    lib.Put(4, Sand());
    lib.Put(5, StoneFloor());
    lib.Put(6, WoodFloor());
    lib.Put(7, Cobbles());
    lib.Put(8, ForestFloor());
    lib.Put(9, WaterTexture(0));
    lib.Put(10, WaterTexture(1));
    lib.Put(11, Lava(0));
    lib.Put(12, Lava(1));
    lib.Put(13, StoneWallTexture(1313));
    lib.Put(14, BrickWall());
    lib.Put(15, CaveRockTexture(1515));
    lib.Put(16, Hedge());
}

}  // namespace gen
