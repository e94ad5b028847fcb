// Map features: plants, buildings, doors, chests, stairs, gates and the dialog box frame.
#include <cmath>
#include <cstdint>

#include "cells.h"
#include "presentation/tiles.h"

namespace gen {

namespace {

constexpr Color kShadow = Rgb(24, 30, 26);

// A dithered ground shadow: lets the ground show through while reading as shade.
void Shadow(Img& img, float cx, float cy, float rx, float ry) {
    img.DitherEllipse(cx, cy, rx, ry, kShadow, 0);
}

void LeafCluster(Img& img, float cx, float cy, float rx, float ry, uint32_t seed, const Ramp& r,
                 int count) {
    img.Ellipse(cx, cy, rx, ry, r.c[0]);
    for (int i = 0; i < count; ++i) {
        float a = Hash01(i, 0, seed) * 6.283f, d = std::sqrt(Hash01(i, 1, seed));
        float x = cx + std::cos(a) * d * (rx - 3), y = cy + std::sin(a) * d * (ry - 3);
        // Leaves higher up and to the left catch more light.
        float lum = 0.62f - (x - cx) / rx * 0.25f - (y - cy) / ry * 0.35f +
                    (Hash01(i, 2, seed) - 0.5f) * 0.3f;
        img.Ellipse(x, y, 3.2f, 2.6f, Pick(r, lum));
        img.Set(int(x) - 1, int(y) - 1, Pick(r, lum + 0.25f));
    }
}

Ramp LeafRamp() {
    return MakeRamp(Rgb(22, 62, 34), Rgb(38, 94, 42), Rgb(60, 128, 52), Rgb(104, 168, 72));
}
Ramp BarkRamp() {
    return MakeRamp(Rgb(54, 34, 22), Rgb(78, 50, 30), Rgb(104, 70, 42), Rgb(132, 94, 58));
}
Ramp WoodRamp() {
    return MakeRamp(Rgb(82, 48, 24), Rgb(116, 72, 36), Rgb(148, 98, 52), Rgb(182, 130, 76));
}
Ramp GreyStone() {
    return MakeRamp(Rgb(72, 72, 82), Rgb(104, 104, 112), Rgb(136, 134, 140), Rgb(174, 172, 176));
}
Ramp GoldRamp() {
    return MakeRamp(Rgb(122, 78, 20), Rgb(178, 124, 30), Rgb(226, 178, 52), Rgb(252, 230, 130));
}

// The tree spans two cells: the crown (top layer, over sprites) above the trunk cell.
void Tree(Library& lib) {
    Img tall(64, 128);
    Ramp bark = BarkRamp();
    tall.ShadedTrapezoid(32, 68, 118, 5, 6, bark);
    // Roots.
    tall.ThickLine(27, 116, 20, 121, 3, bark.c[1]);
    tall.ThickLine(37, 116, 44, 121, 3, bark.c[0]);
    for (int y = 80; y < 116; y += 5) tall.Set(30 + (y / 5) % 3, y, bark.c[0]);
    Ramp leaf = LeafRamp();
    LeafCluster(tall, 32, 42, 29, 28, 1717, leaf, 150);
    LeafCluster(tall, 17, 62, 13, 10, 1718, leaf, 34);
    LeafCluster(tall, 47, 62, 13, 10, 1719, leaf, 34);
    tall.Outline(kInk);
    Img shadow(64, 128);
    Shadow(shadow, 32, 119, 22, 6);
    shadow.Draw(tall, 0, 0);
    Img top(64, 64), bottom(64, 64);
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 64; ++x) {
            top.Set(x, y, shadow.Get(x, y));
            bottom.Set(x, y, shadow.Get(x, y + 64));
        }
    lib.Put(33, top);
    lib.Put(17, bottom);
}

Img Bush() {
    Img img(kArt, kArt);
    Shadow(img, 32, 52, 22, 7);
    LeafCluster(img, 32, 38, 22, 16, 1818, LeafRamp(), 70);
    for (int i = 0; i < 7; ++i) {
        int x = 16 + int(Hash(i, 0, 1819) % 32), y = 28 + int(Hash(i, 1, 1819) % 16);
        img.Set(x, y, Rgb(200, 40, 50));
        img.Set(x, y - 1, Rgb(250, 120, 120));
    }
    img.Outline(kInk);
    return img;
}

Img Boulder() {
    Img img(kArt, kArt);
    Shadow(img, 34, 50, 24, 8);
    img.ShadedEllipse(32, 36, 22, 17, GreyStone());
    img.ShadedEllipse(44, 42, 10, 8, GreyStone());
    img.Line(24, 30, 30, 38, Rgb(70, 70, 80));
    img.Line(30, 38, 29, 46, Rgb(70, 70, 80));
    for (int i = 0; i < 14; ++i)  // moss on the top
        img.Set(20 + int(Hash(i, 0, 1919) % 22), 21 + int(Hash(i, 1, 1919) % 5),
                Hash(i, 2, 1919) % 2 ? Rgb(90, 130, 60) : Rgb(70, 108, 50));
    img.Outline(kInk);
    return img;
}

Img Fence() {
    Img img(kArt, kArt);
    Ramp w = WoodRamp();
    // Rails span the whole cell so fences join side by side.
    for (int x = 0; x < 64; ++x) {
        for (int y = 28; y < 32; ++y) img.Set(x, y, w.c[y == 28 ? 3 : (y == 31 ? 0 : 2)]);
        for (int y = 42; y < 46; ++y) img.Set(x, y, w.c[y == 42 ? 3 : (y == 45 ? 0 : 2)]);
        img.Set(x, 50, (x / 2) % 2 ? kShadow : kClear);
    }
    for (int p : {10, 42}) {
        img.Rect(p, 20, 6, 32, w.c[2]);
        img.Rect(p, 20, 1, 32, w.c[3]);
        img.Rect(p + 5, 20, 1, 32, w.c[0]);
        img.Rect(p + 1, 19, 4, 1, w.c[3]);
        img.Set(p + 2, 30, Rgb(60, 60, 70));
        img.Set(p + 2, 44, Rgb(60, 60, 70));
    }
    Img outlined = img;
    outlined.Outline(kInk);
    // Keep the rail ends open at the cell edges (no outline across the joint).
    for (int y = 0; y < 64; ++y) {
        for (int x : {0, 63}) outlined.Set(x, y, img.Get(x, y));
    }
    return outlined;
}

Img Signpost() {
    Img img(kArt, kArt);
    Shadow(img, 32, 56, 10, 3);
    Ramp w = WoodRamp();
    img.ShadedTrapezoid(32, 30, 56, 2.5f, 2.5f, w);
    img.Rect(14, 18, 36, 16, w.c[2]);
    img.Rect(14, 18, 36, 1, w.c[3]);
    img.Rect(14, 33, 36, 1, w.c[0]);
    img.Rect(49, 18, 1, 16, w.c[1]);
    for (int row = 0; row < 3; ++row)  // carved lettering
        for (int x = 18; x < 46; ++x)
            if (Hash(x / 3, row, 2121) % 4 != 0 && x % 3 != 2) img.Set(x, 22 + row * 4, w.c[0]);
    img.Outline(kInk);
    return img;
}

Img Window(Img img) {
    Ramp w = WoodRamp();
    img.Rect(20, 16, 24, 26, w.c[0]);
    img.Rect(22, 18, 20, 22, Rgb(60, 90, 130));
    for (int y = 18; y < 40; ++y)
        for (int x = 22; x < 42; ++x)
            if (x - 22 + (y - 18) < 10 && x - 22 + (y - 18) > 4) img.Set(x, y, Rgb(150, 190, 220));
    img.Rect(31, 18, 2, 22, w.c[1]);
    img.Rect(22, 28, 20, 2, w.c[1]);
    img.Rect(18, 42, 28, 3, w.c[3]);  // sill
    img.Rect(18, 44, 28, 1, w.c[0]);
    // Shutters.
    Ramp green = MakeRamp(Rgb(40, 80, 60));
    for (int s : {12, 44}) {
        img.Rect(s, 16, 8, 26, green.c[2]);
        for (int y = 18; y < 42; y += 3) img.Rect(s + 1, y, 6, 1, green.c[1]);
        img.Rect(s, 16, 1, 26, green.c[3]);
    }
    // Flower box.
    img.Rect(20, 45, 24, 4, w.c[1]);
    for (int x = 21; x < 43; x += 3) img.Set(x, 44, x % 2 ? Rgb(230, 80, 90) : Rgb(250, 220, 80));
    return img;
}

Img Roof() {
    // Rounded slate shingles, each row overlapping the one below.
    Img img(kArt, kArt);
    Ramp r = MakeRamp(Rgb(40, 44, 66), Rgb(58, 64, 92), Rgb(78, 86, 118), Rgb(110, 120, 150));
    for (int y = 0; y < 64; ++y) {
        int row = y / 8, yin = y % 8;
        for (int x = 0; x < 64; ++x) {
            int xs = (x + (row % 2) * 4) % 8;
            int rim = 7 - (xs == 0 || xs == 7 ? 2 : (xs == 1 || xs == 6 ? 1 : 0));
            float v = 0.7f - float(yin) * 0.06f +
                      (Hash01((x + (row % 2) * 4) / 8, row, 2323) - 0.5f) * 0.3f;
            if (yin >= rim) v = 0.05f;
            if (yin == 0) v = 0.9f;
            img.Set(x, y, Pick(r, v));
        }
    }
    return img;
}

Img ShopDoor() {
    Img img = PlasterWallTexture();
    Ramp w = WoodRamp();
    // Door in the lower middle, with an arch.
    img.Rect(20, 22, 24, 34, w.c[0]);
    img.Ellipse(32, 24, 12, 8, w.c[0]);
    img.Rect(22, 24, 20, 32, w.c[2]);
    img.Ellipse(32, 25, 10, 7, w.c[2]);
    for (int x = 26; x < 42; x += 5) img.Rect(x, 20, 1, 36, w.c[1]);
    img.Rect(22, 24, 1, 32, w.c[3]);
    img.Rect(36, 38, 2, 2, GoldRamp().c[3]);
    img.Rect(18, 55, 28, 1, Rgb(70, 60, 50));
    // Hanging sign with a coin on it.
    img.Rect(44, 10, 14, 2, Rgb(50, 40, 36));
    img.Set(47, 12, Rgb(50, 40, 36));
    img.Set(55, 12, Rgb(50, 40, 36));
    img.Rect(44, 13, 14, 11, w.c[1]);
    img.Frame(44, 13, 14, 11, w.c[0]);
    img.ShadedEllipse(51, 18.5f, 3.5f, 3.5f, GoldRamp());
    return img;
}

// The dialog box: a parchment panel 256 x 64 art pixels, cut into four cells.
void DialogBox(Library& lib) {
    Img box(256, 64);
    Ramp paper =
        MakeRamp(Rgb(214, 190, 140), Rgb(232, 214, 170), Rgb(244, 232, 196), Rgb(250, 242, 214));
    for (int y = 4; y < 60; ++y) {
        for (int x = 4; x < 252; ++x) {
            float n = TiledFbm(float(x % 64), float(y), 16, 2, 2525) - 0.5f;
            int edge = std::min(std::min(x - 4, 251 - x), std::min(y - 4, 59 - y));
            // Light and calm where the text goes; browned towards the rim.
            float v = 0.66f + n * 0.16f - (edge < 3 ? 0.4f : edge < 6 ? 0.2f : 0.0f);
            box.Set(x, y, Pick(paper, v));
        }
    }
    Ramp gold = GoldRamp();
    Ramp wood = MakeRamp(Rgb(70, 38, 20), Rgb(100, 58, 30), Rgb(130, 80, 42), Rgb(160, 108, 62));
    for (int x = 0; x < 256; ++x) {  // top and bottom rails
        for (int k = 0; k < 4; ++k) {
            box.Set(x, k, wood.c[k == 0 ? 3 : (k == 3 ? 0 : 2)]);
            box.Set(x, 63 - k, wood.c[k == 0 ? 0 : (k == 3 ? 1 : 2)]);
        }
        box.Set(x, 4, gold.c[1]);
        box.Set(x, 59, gold.c[2]);
    }
    for (int y = 0; y < 64; ++y) {  // end posts
        for (int k = 0; k < 4; ++k) {
            box.Set(k, y, wood.c[k == 0 ? 3 : (k == 3 ? 0 : 2)]);
            box.Set(255 - k, y, wood.c[k == 0 ? 0 : (k == 3 ? 1 : 2)]);
        }
        if (y >= 4 && y < 60) {
            box.Set(4, y, gold.c[1]);
            box.Set(251, y, gold.c[2]);
        }
    }
    for (int cx : {4, 251}) {  // corner studs
        for (int cy : {4, 59})
            box.ShadedEllipse(float(cx) + 0.5f, float(cy) + 0.5f, 3.5f, 3.5f, gold);
    }
    // A small quill-and-ink emblem in the left end, clear of the text that starts at 40 art px.
    Ramp ink = MakeRamp(Rgb(90, 30, 30));
    box.ShadedEllipse(18, 44, 7, 5, MakeRamp(Rgb(60, 60, 80)));
    box.Rect(13, 38, 10, 2, Rgb(40, 40, 56));
    box.ThickLine(20, 40, 30, 14, 2, Rgb(236, 236, 226));
    box.ThickLine(22, 36, 31, 16, 1, Rgb(196, 196, 186));
    box.Line(20, 40, 18, 44, ink.c[0]);
    for (int i = 0; i < veloria::kTileDialogFrameCells; ++i) {
        Img cell(64, 64);
        for (int y = 0; y < 64; ++y)
            for (int x = 0; x < 64; ++x) cell.Set(x, y, box.Get(i * 64 + x, y));
        lib.Put(static_cast<int>(veloria::kTileDialogFrame) + i, cell);
    }
}

Img Chest(bool open) {
    Img img(kArt, kArt);
    Shadow(img, 32, 52, 22, 5);
    Ramp wood = WoodRamp();
    Ramp iron = MakeRamp(Rgb(60, 60, 70), Rgb(90, 90, 100), Rgb(120, 120, 130), Rgb(170, 170, 180));
    Ramp gold = GoldRamp();
    img.Rect(12, 32, 40, 20, wood.c[2]);  // body
    for (int y = 32; y < 52; y += 5) img.Rect(13, y, 38, 1, wood.c[1]);
    img.Rect(12, 32, 1, 20, wood.c[3]);
    img.Rect(51, 32, 1, 20, wood.c[0]);
    img.Rect(12, 51, 40, 1, wood.c[0]);
    for (int x : {16, 45}) img.Rect(x, 32, 3, 20, iron.c[2]);
    if (!open) {
        img.Rect(12, 20, 40, 12, wood.c[2]);  // lid, rounded top
        img.Ellipse(32, 21, 20, 4, wood.c[3]);
        img.Rect(12, 22, 40, 1, wood.c[3]);
        img.Rect(12, 31, 40, 1, wood.c[0]);
        for (int x : {16, 45}) {
            img.Rect(x, 18, 3, 14, iron.c[2]);
            img.Rect(x, 18, 1, 14, iron.c[3]);
        }
        img.Rect(29, 28, 6, 7, gold.c[2]);  // lock
        img.Rect(29, 28, 6, 1, gold.c[3]);
        img.Rect(31, 31, 2, 2, Rgb(30, 20, 10));
    } else {
        img.Rect(12, 8, 40, 14, wood.c[1]);  // lid swung back, its inside showing
        img.Rect(14, 10, 36, 10, wood.c[0]);
        for (int x : {16, 45}) img.Rect(x, 8, 3, 14, iron.c[1]);
        img.Rect(13, 22, 38, 10, Rgb(30, 18, 12));  // the dark inside
        for (int i = 0; i < 14; ++i) {              // coins
            int x = 16 + int(Hash(i, 0, 3030) % 30), y = 25 + int(Hash(i, 1, 3030) % 6);
            img.Ellipse(float(x), float(y), 2.2f, 1.5f, gold.c[i % 3 + 1]);
        }
        img.Sparkle(24, 24, gold.c[3], Rgb(255, 255, 240));
        img.Sparkle(40, 26, gold.c[3], Rgb(255, 255, 240));
        img.Rect(29, 32, 6, 5, gold.c[2]);
    }
    img.Outline(kInk);
    return img;
}

Img Door(bool iron) {
    Img img = StoneWallTexture(1313);
    Ramp frame = GreyStone();
    img.Rect(14, 8, 36, 56, frame.c[0]);
    img.Ellipse(32, 14, 18, 10, frame.c[0]);
    Ramp body =
        iron ? MakeRamp(Rgb(58, 62, 72), Rgb(84, 88, 100), Rgb(112, 116, 128), Rgb(156, 160, 172))
             : WoodRamp();
    img.Rect(17, 14, 30, 50, body.c[2]);
    img.Ellipse(32, 15, 15, 8, body.c[2]);
    if (iron) {
        for (int y = 20; y < 64; y += 14) {
            img.Rect(17, y, 30, 1, body.c[3]);
            img.Rect(17, y + 1, 30, 1, body.c[0]);
            for (int x = 20; x < 46; x += 6) img.Set(x, y + 4, body.c[3]);
        }
        img.Rect(31, 12, 2, 52, body.c[0]);
    } else {
        for (int x = 22; x < 46; x += 6) img.Rect(x, 9, 1, 55, body.c[0]);
        Ramp metal = MakeRamp(Rgb(50, 50, 56));
        for (int y : {22, 48}) img.Rect(17, y, 30, 3, metal.c[2]);
    }
    img.Rect(17, 14, 1, 50, body.c[3]);
    // Keyhole plate.
    Ramp plate = iron ? GreyStone() : GoldRamp();
    img.Rect(38, 34, 6, 9, plate.c[2]);
    img.Rect(38, 34, 6, 1, plate.c[3]);
    img.Rect(40, 36, 2, 2, Rgb(10, 8, 8));
    img.Rect(40, 38, 1, 3, Rgb(10, 8, 8));
    return img;
}

Img Stairs(bool down) {
    Img img = StoneWallTexture(1313);
    Ramp stone = GreyStone();
    img.Rect(6, 4, 52, 60, stone.c[0]);
    for (int i = 0; i < 7; ++i) {
        int y = 6 + i * 8;
        // Down: the steps narrow and sink into darkness below. Up: they narrow towards the
        // light at the top.
        float depth = down ? float(i) / 6.0f : 1.0f - float(i) / 6.0f;
        int inset = int(depth * 10.0f);
        Color tread = down ? Scale(stone.c[2], 1.1f - 0.9f * depth)
                           : Lighten(stone.c[2], 0.35f * (1.0f - depth));
        img.Rect(8 + inset, y, 48 - 2 * inset, 6, tread);
        img.Rect(8 + inset, y, 48 - 2 * inset, 1, Lighten(tread, 0.3f));
        img.Rect(8 + inset, y + 6, 48 - 2 * inset, 2, Scale(tread, 0.4f));
    }
    Color mark = Rgb(236, 204, 90);  // carved arrow showing the way
    for (int k = 0; k < 5; ++k) {
        int y = down ? 56 + k : 12 - k;
        int half = down ? 5 - k : 5 - (4 - k) - 0;
        img.Rect(32 - half, down ? y : y, 2 * half, 1, mark);
    }
    return img;
}

Img CaveMouth() {
    Img img = CaveRockTexture(1515);
    img.Ellipse(32, 40, 22, 26, Rgb(40, 30, 26));
    img.Ellipse(32, 42, 19, 24, Rgb(14, 10, 12));
    img.Rect(13, 42, 38, 22, Rgb(14, 10, 12));
    img.Ellipse(32, 48, 14, 18, Rgb(4, 2, 6));
    for (int x = 13; x < 51; x += 4) img.Set(x, 63, Rgb(60, 50, 40));
    return img;
}

Img EndGate() {
    Img img = StoneWallTexture(1313);
    Ramp gold = GoldRamp();
    img.Rect(8, 10, 48, 54, gold.c[0]);
    img.Ellipse(32, 14, 24, 12, gold.c[0]);
    // Light spills through the open way.
    for (int y = 6; y < 64; ++y)
        for (int x = 12; x < 52; ++x) {
            float nx = (float(x) - 32) / 20, ny = (float(y) - 14) / 10;
            if (y >= 14 || nx * nx + ny * ny <= 1)
                img.Set(x, y, Mix(Rgb(255, 250, 220), Rgb(160, 210, 255), float(y) / 80.0f));
        }
    for (int x = 14; x < 52; x += 6) {  // bars drawn up
        img.Rect(x, 6, 2, 8, gold.c[2]);
        img.Rect(x, 6, 1, 8, gold.c[3]);
    }
    img.ShadedEllipse(32, 4, 5, 4, gold);
    img.Rect(8, 10, 4, 54, gold.c[2]);
    img.Rect(52, 10, 4, 54, gold.c[1]);
    img.Rect(8, 10, 1, 54, gold.c[3]);
    for (int i = 0; i < 6; ++i)
        img.Sparkle(16 + int(Hash(i, 0, 3737) % 32), 18 + int(Hash(i, 1, 3737) % 40),
                    Rgb(255, 240, 160), Rgb(255, 255, 255));
    return img;
}

Img Portal(int frame) {
    Img img(kArt, kArt);
    Shadow(img, 32, 54, 20, 5);
    const Ramp swirl =
        MakeRamp(Rgb(60, 20, 110), Rgb(110, 40, 180), Rgb(170, 90, 240), Rgb(220, 190, 255));
    for (int y = 0; y < 64; ++y) {
        for (int x = 0; x < 64; ++x) {
            float dx = (float(x) + 0.5f - 32) / 20, dy = (float(y) + 0.5f - 32) / 24;
            float d = std::sqrt(dx * dx + dy * dy);
            if (d > 1.0f) continue;
            float a = std::atan2(dy, dx);
            float s = std::sin(a * 3 + d * 9 + float(frame) * 1.05f);
            float v = d > 0.82f ? 0.95f : 0.35f + 0.45f * s * d;
            if (d < 0.25f) v = 0.95f;
            img.Set(x, y, Pick(swirl, v));
        }
    }
    img.EllipseRing(32, 32, 21, 25, 2, Rgb(40, 14, 70));
    for (int i = 0; i < 5; ++i) {
        float a = float(i) * 1.256f + float(frame) * 0.6f;
        img.Sparkle(32 + int(std::cos(a) * 24), 32 + int(std::sin(a) * 28), Rgb(200, 160, 255),
                    Rgb(255, 255, 255));
    }
    return img;
}

Img Torch(int frame) {
    Img img(kArt, kArt);
    Shadow(img, 32, 58, 7, 2);
    Ramp iron = MakeRamp(Rgb(56, 52, 56));
    img.ShadedTrapezoid(32, 30, 58, 2, 3, iron);
    img.ShadedTrapezoid(32, 24, 30, 7, 4, iron);
    Img flame(kArt, kArt);
    float sway = frame ? 1.5f : -1.5f;
    flame.Ellipse(32 + sway * 0.3f, 18, 7, 9, Rgb(220, 70, 20));
    flame.Ellipse(32 + sway * 0.7f, 14, 5, 8, Rgb(250, 150, 30));
    flame.Ellipse(32 + sway, 10, 3, 6, Rgb(255, 220, 90));
    flame.Ellipse(32 + sway * 0.5f, 17, 2.5f, 3, Rgb(255, 250, 210));
    flame.Set(int(32 - sway * 2), frame ? 4 : 6, Rgb(250, 150, 30));
    img.Draw(flame, 0, 0);
    img.Outline(Rgb(60, 20, 10));
    return img;
}

Img WindFlowers(int frame) {
    Img img(kArt, kArt);
    const Color petals[4] = {Rgb(250, 250, 240), Rgb(250, 214, 70), Rgb(240, 110, 150),
                             Rgb(160, 150, 250)};
    for (int i = 0; i < 6; ++i) {
        int x = 10 + int(Hash(i, 0, 4242) % 44), y = 18 + int(Hash(i, 1, 4242) % 38);
        int lean = (frame ? 3 : -2) + int(Hash(i, 2, 4242) % 2);
        img.ThickLine(float(x), float(y), float(x + lean), float(y - 8), 1, Rgb(50, 110, 40));
        img.Set(x + 1, y - 3, Rgb(80, 150, 50));
        Color p = petals[Hash(i, 3, 4242) % 4];
        int fx = x + lean, fy = y - 10;
        for (int dy = -2; dy <= 2; ++dy)
            for (int dx = -2; dx <= 2; ++dx)
                if (dx * dx + dy * dy <= 4 && (dx != 0 || dy != 0)) img.Set(fx + dx, fy + dy, p);
        img.Set(fx, fy, Rgb(250, 170, 40));
    }
    img.Outline(Rgb(30, 60, 26));
    return img;
}

Img Barrier(int frame) {
    Img img(kArt, kArt);
    // A shimmering wall of force: dithered, so what lies behind still shows.
    for (int y = 0; y < 64; ++y) {
        for (int x = 0; x < 64; ++x) {
            float wave = std::sin(float(x) * 0.4f + float(y) * 0.2f + float(frame) * 2.0f);
            if (((x + y + frame) & 1) == 0 && wave > -0.3f)
                img.Set(x, y, wave > 0.6f ? Rgb(170, 220, 255) : Rgb(80, 130, 230));
        }
    }
    for (int bolt = 0; bolt < 3; ++bolt) {  // crackles
        int x = 8 + int(Hash(bolt, frame, 4444) % 48);
        for (int y = 0; y < 64; ++y) {
            x += int(Hash(bolt, y + frame * 64, 4445) % 3) - 1;
            img.Set(x, y, Rgb(240, 250, 255));
            img.Set(x + 1, y, Rgb(140, 200, 255));
        }
    }
    return img;
}

Img Lair(bool open) {
    Img img = CaveRockTexture(4646);
    img.Rect(14, 16, 36, 48, Rgb(36, 28, 24));
    img.Ellipse(32, 18, 18, 12, Rgb(36, 28, 24));
    if (open) {
        img.Rect(17, 18, 30, 46, Rgb(8, 6, 10));
        img.Ellipse(32, 19, 15, 10, Rgb(8, 6, 10));
        for (int i = 0; i < 5; ++i) {  // steps down into the lair
            Color step = Scale(Rgb(110, 96, 90), 1.0f - float(i) * 0.18f);
            img.Rect(19, 40 + i * 5, 26, 2, step);
        }
    } else {
        Ramp slab =
            MakeRamp(Rgb(70, 60, 80), Rgb(96, 84, 108), Rgb(120, 108, 130), Rgb(150, 140, 160));
        img.Rect(17, 18, 30, 46, slab.c[2]);
        img.Ellipse(32, 19, 15, 10, slab.c[2]);
        img.Rect(17, 18, 1, 46, slab.c[3]);
        img.Rect(46, 18, 1, 46, slab.c[0]);
        // A glowing seal rune.
        Color rune = Rgb(220, 120, 255);
        img.EllipseRing(32, 36, 10, 10, 1.5f, rune);
        img.Line(32, 26, 32, 46, rune);
        img.Line(23, 36, 41, 36, rune);
        img.Line(26, 29, 38, 43, rune);
        img.Line(38, 29, 26, 43, rune);
        img.Sparkle(32, 36, Rgb(250, 200, 255), Rgb(255, 255, 255));
    }
    return img;
}

Img Bridge(bool across) {
    Img img(64, 64);
    Ramp w = WoodRamp();
    // Boards laid across the way; rails along both sides.
    for (int y = 0; y < 64; ++y) {
        int board = y / 8, yin = y % 8;
        for (int x = 6; x < 58; ++x) {
            float v = 0.6f + (Hash01(board, x / 13, 4747) - 0.5f) * 0.35f +
                      (TiledNoise(float(x) / 8, float(y) / 2, 8, 4748) - 0.5f) * 0.3f;
            if (yin == 0) v = 0.85f;
            if (yin == 7) v = 0.1f;
            img.Set(x, y, Pick(w, v));
        }
        img.Set(9, y, yin == 3 ? Rgb(60, 60, 70) : img.Get(9, y));
        img.Set(54, y, yin == 3 ? Rgb(60, 60, 70) : img.Get(54, y));
    }
    for (int y = 0; y < 64; ++y) {
        for (int k = 0; k < 5; ++k) {
            img.Set(k + 1, y, w.c[k == 0 ? 0 : (k == 1 ? 3 : 2)]);
            img.Set(58 + k, y, w.c[k == 4 ? 0 : (k == 0 ? 3 : 1)]);
        }
        img.Set(0, y, kInk);
        img.Set(63, y, kInk);
    }
    for (int p : {0, 32}) {
        img.Rect(0, p + 2, 7, 5, w.c[1]);
        img.Rect(57, p + 2, 7, 5, w.c[0]);
    }
    return across ? img.Rotated() : img;
}

Img Well() {
    Img img(kArt, kArt);
    Shadow(img, 34, 54, 24, 6);
    img.ShadedEllipse(32, 40, 22, 15, GreyStone());
    img.Ellipse(32, 38, 15, 9, Rgb(30, 30, 38));
    img.Ellipse(32, 40, 12, 6, Rgb(30, 60, 100));
    img.Set(28, 39, Rgb(140, 190, 230));
    img.Set(29, 39, Rgb(140, 190, 230));
    for (int k = 0; k < 8; ++k) {  // stones of the rim
        float a = float(k) * 0.785f;
        img.Set(32 + int(std::cos(a) * 19), 40 + int(std::sin(a) * 12), Rgb(80, 80, 90));
    }
    Ramp w = WoodRamp();
    img.Rect(12, 14, 3, 28, w.c[2]);
    img.Rect(49, 14, 3, 28, w.c[1]);
    img.Rect(10, 12, 44, 3, w.c[2]);
    img.Rect(10, 12, 44, 1, w.c[3]);
    img.Line(32, 15, 32, 32, Rgb(160, 140, 100));
    img.Rect(30, 32, 5, 4, w.c[1]);
    img.Outline(kInk);
    return img;
}

Img Statue() {
    Img img(kArt, kArt);
    Shadow(img, 32, 58, 18, 4);
    Ramp s =
        MakeRamp(Rgb(96, 100, 104), Rgb(130, 134, 136), Rgb(164, 166, 166), Rgb(200, 202, 198));
    img.ShadedTrapezoid(32, 46, 58, 14, 16, s);  // pedestal
    img.Rect(16, 46, 32, 1, s.c[3]);
    img.ShadedTrapezoid(32, 22, 46, 6, 11, s);  // robed figure
    img.ShadedEllipse(32, 16, 6, 6, s);
    img.ThickLine(40, 30, 46, 8, 2, s.c[1]);  // raised sword
    img.Rect(42, 26, 6, 2, s.c[2]);
    img.Ellipse(24, 32, 4, 6, s.c[1]);  // shield arm
    for (int i = 0; i < 8; ++i)
        img.Set(18 + int(Hash(i, 0, 4949) % 28), 48 + int(Hash(i, 1, 4949) % 10), Rgb(90, 120, 70));
    img.Outline(kInk);
    return img;
}

Img Grave() {
    Img img(kArt, kArt);
    Shadow(img, 32, 52, 16, 4);
    Ramp s = GreyStone();
    img.ShadedTrapezoid(32, 22, 50, 11, 12, s);
    img.ShadedEllipse(32, 22, 11, 9, s);
    img.Rect(31, 20, 2, 14, s.c[0]);
    img.Rect(27, 24, 10, 2, s.c[0]);
    for (int x = 24; x < 40; x += 3) img.Set(x, 40, s.c[1]);
    for (int i = 0; i < 10; ++i) {
        int x = 18 + int(Hash(i, 0, 5050) % 28);
        img.Set(x, 50, Rgb(60, 120, 50));
        img.Set(x, 49, Rgb(90, 150, 60));
    }
    img.Outline(kInk);
    return img;
}

Img Slab(bool open) {
    Img img = StoneWallTexture(5151);
    if (open) {
        img.Rect(10, 4, 44, 60, Rgb(24, 22, 30));
        img.Rect(12, 6, 40, 58, Rgb(10, 10, 14));
        for (int i = 0; i < 6; ++i) img.Rect(14, 8 + i * 10, 36, 1, Rgb(30, 28, 36));
    } else {
        Ramp s =
            MakeRamp(Rgb(80, 76, 70), Rgb(110, 104, 96), Rgb(140, 134, 122), Rgb(172, 166, 150));
        img.Rect(10, 4, 44, 60, Rgb(30, 28, 34));
        img.ShadedTrapezoid(32, 6, 63, 20, 20, s);
        img.Line(20, 14, 28, 30, s.c[0]);
        img.Line(28, 30, 24, 44, s.c[0]);
        img.Line(40, 40, 46, 56, s.c[0]);
        for (int x = 22; x < 44; x += 4) img.Set(x, 10, s.c[0]);
    }
    return img;
}

Img Hole() {
    Img img(kArt, kArt);
    Ramp dirt = MakeRamp(Rgb(92, 62, 38), Rgb(118, 82, 50), Rgb(142, 102, 64), Rgb(170, 130, 88));
    img.ShadedEllipse(32, 38, 22, 14, dirt);
    img.Ellipse(32, 39, 14, 8, Rgb(40, 26, 16));
    img.Ellipse(32, 40, 10, 5, Rgb(20, 12, 8));
    img.ShadedEllipse(50, 26, 8, 6, dirt);  // the heap beside it
    img.Outline(Rgb(60, 40, 24));
    return img;
}

Img Carpet() {
    Img img(kArt, kArt);
    Ramp red = MakeRamp(Rgb(70, 10, 20), Rgb(100, 18, 30), Rgb(128, 26, 40), Rgb(150, 44, 56));
    Ramp gold = GoldRamp();
    for (int y = 0; y < 64; ++y) {
        for (int x = 0; x < 64; ++x) {
            int dx = std::abs((x % 32) - 16), dy = std::abs((y % 32) - 16);
            float v = 0.55f + (Hash01(x, y, 6262) - 0.5f) * 0.25f;
            Color c = Pick(red, v);
            if (dx + dy == 12) c = gold.c[1];  // diamond lattice
            if (dx + dy < 3) c = gold.c[2];    // medallion
            if (dx + dy == 7 && (x + y) % 2) c = red.c[0];
            img.Set(x, y, c);
        }
    }
    return img;
}

Img ThroneFloor() {
    Img img(kArt, kArt);
    for (int y = 0; y < 64; ++y) {
        for (int x = 0; x < 64; ++x) {
            bool dark = ((x / 16) + (y / 16)) % 2;
            Color base = dark ? Rgb(52, 44, 64) : Rgb(208, 200, 190);
            float vein = TiledFbm(float(x), float(y), 16, 3, 6363);
            Color c = Mix(base, dark ? Rgb(90, 70, 110) : Rgb(170, 160, 160),
                          std::fabs(vein - 0.5f) < 0.03f ? 0.8f : 0.0f);
            if (x % 16 == 0 || y % 16 == 0) c = Rgb(196, 150, 60);
            if (x % 16 == 1 && !dark) c = Lighten(c, 0.3f);
            img.Set(x, y, c);
        }
    }
    return img;
}

// Extra decoration in 64..95.
Img Crate() {
    Img img(kArt, kArt);
    Shadow(img, 33, 54, 20, 4);
    Ramp w = WoodRamp();
    img.Rect(14, 20, 36, 34, w.c[2]);
    for (int y = 20; y < 54; y += 8) img.Rect(14, y, 36, 1, w.c[1]);
    img.Frame(14, 20, 36, 34, w.c[0]);
    img.Line(16, 22, 47, 51, w.c[3]);
    img.Line(16, 23, 47, 52, w.c[0]);
    img.Rect(14, 20, 36, 1, w.c[3]);
    img.Outline(kInk);
    return img;
}

Img Barrel() {
    Img img(kArt, kArt);
    Shadow(img, 33, 54, 16, 4);
    Ramp w = WoodRamp();
    img.ShadedTrapezoid(32, 20, 54, 12, 12, w);
    img.Ellipse(32, 20, 12, 4, w.c[1]);
    img.Ellipse(32, 20, 9, 2.5f, w.c[0]);
    Ramp iron = MakeRamp(Rgb(60, 60, 70));
    for (int y : {26, 46}) img.Rect(20, y, 24, 2, iron.c[2]);
    img.Outline(kInk);
    return img;
}

Img Mushrooms() {
    Img img(kArt, kArt);
    for (int i = 0; i < 4; ++i) {
        int x = 16 + int(Hash(i, 0, 6767) % 32), y = 24 + int(Hash(i, 1, 6767) % 28);
        img.Rect(x - 1, y, 3, 5, Rgb(230, 220, 200));
        img.ShadedEllipse(float(x) + 0.5f, float(y), 5, 3.5f, MakeRamp(Rgb(200, 40, 40)));
        img.Set(x - 2, y - 1, Rgb(255, 255, 255));
        img.Set(x + 2, y, Rgb(255, 255, 255));
    }
    img.Outline(kInk);
    return img;
}

Img TallGrass() {
    Img img(kArt, kArt);
    Ramp r = MakeRamp(Rgb(40, 96, 40), Rgb(56, 124, 48), Rgb(74, 148, 56), Rgb(108, 176, 70));
    for (int i = 0; i < 40; ++i) {
        int x = 6 + int(Hash(i, 0, 6868) % 52), y = 30 + int(Hash(i, 1, 6868) % 30);
        int lean = int(Hash(i, 2, 6868) % 5) - 2;
        img.ThickLine(float(x), float(y), float(x + lean), float(y - 12), 1, r.c[1 + i % 3]);
    }
    img.Outline(Rgb(30, 70, 30));
    return img;
}

}  // namespace

void PaintObjects(Library& lib) {
    Tree(lib);
    lib.Put(18, Bush());
    lib.Put(19, Boulder());
    lib.Put(20, Fence());
    lib.Put(21, Signpost());
    lib.Put(22, Window(PlasterWallTexture()));
    lib.Put(23, Roof());
    lib.Put(24, ShopDoor());
    DialogBox(lib);
    lib.Put(29, Chest(false));
    lib.Put(veloria::kTileOpenChest, Chest(true));
    lib.Put(31, Door(false));
    lib.Put(32, Door(true));
    lib.Put(34, Stairs(true));
    lib.Put(35, Stairs(false));
    lib.Put(36, CaveMouth());
    lib.Put(37, EndGate());
    lib.Put(38, Portal(0));
    lib.Put(39, Portal(1));
    lib.Put(40, Torch(0));
    lib.Put(41, Torch(1));
    lib.Put(42, WindFlowers(0));
    lib.Put(43, WindFlowers(1));
    lib.Put(44, Barrier(0));
    lib.Put(45, Barrier(1));
    lib.Put(46, Lair(false));
    lib.Put(veloria::kTileOpenLair, Lair(true));
    lib.Put(47, Bridge(false));
    lib.Put(48, Well());
    lib.Put(49, Statue());
    lib.Put(50, Grave());
    lib.Put(51, Slab(false));
    lib.Put(veloria::kTileDugHole, Hole());
    lib.Put(53, Slab(true));
    lib.Put(62, Carpet());
    lib.Put(63, ThroneFloor());
    lib.Put(64, Bridge(true));
    lib.Put(65, Crate());
    lib.Put(66, Barrel());
    lib.Put(67, Mushrooms());
    lib.Put(68, TallGrass());
}

}  // namespace gen
