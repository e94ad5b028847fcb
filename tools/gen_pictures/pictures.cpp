// The full-screen pictures. Wherever the game writes its own text (positions noted beside each
// panel), the picture gives it a calm ground: light paper under dark text, dark glass under
// white text.
#include "pictures.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "scenery.h"

namespace veloria::media {
namespace {

// The evening valley with the lake, the castle and its lantern; shared by the title pictures.
void Valley(Canvas& c, float lantern, float dread) {
    const Color top = Mix(Hex(0x0A1030), Hex(0x12040C), dread);
    const Color low = Mix(Hex(0x3A3A78), Hex(0x5A1A22), dread);
    StarrySky(c, top, low, 500, 5, 1.0f - 0.6f * dread);
    Moon(c, 790, 150, 46, Mix(Hex(0xC8D4FF), Hex(0xFF6A50), dread));
    if (dread > 0) {  // heavy clouds rolling over the moon
        c.Shade(0, 0, Canvas::kWidth, 500, [&](int x, int y, Color p) {
            const float n =
                Fbm(static_cast<float>(x) / 160.0f, static_cast<float>(y) / 60.0f, 91, 6);
            const float k = std::clamp((n - 0.42f) * 3.0f, 0.0f, 1.0f) * dread;
            return Mix(p, Hex(0x1A0A10), k * 0.9f);
        });
    }
    Mountains(c, 430, 170, 260, 3, Mix(Hex(0x1C2348), Hex(0x2A1018), dread), Hex(0x8890C0));
    Mountains(c, 470, 90, 150, 8, Mix(Hex(0x111634), Hex(0x1A0A10), dread));
    Castle(c, 640, 480, 70, Hex(0x080A18), Hex(0xFFC86A), lantern);
    PineForest(c, 488, 70, 18, 46, Hex(0x05070F), 4);
    c.FillRect(0, 488, Canvas::kWidth, 500, Hex(0x05070F));
    Lake(c, 500, Mix(Hex(0x1A2A5A), Hex(0x2A0A14), dread), 0.3f, 12);
    c.Vignette(0.55f);
}

void Caption(Canvas& c, const char* text, int y) {
    c.ShadowText(text, Canvas::kWidth / 2, y, kSerifItalic, 34, kPaleGold, Align::kCenter);
}

void Title1(Canvas& c) {
    Valley(c, 1.0f, 0.0f);
    Caption(c, "Long ago, the valley of Veloria lived", 630);
    Caption(c, "in the light of the Lantern of Dawn...", 675);
}

void Title2(Canvas& c) {
    Valley(c, 0.0f, 1.0f);
    Caption(c, "...until the night it went dark.", 650);
}

void Title3(Canvas& c) {
    // Dusk: the sky still glows above the mountains; the heroine looks out from a cliff.
    c.VerticalGradient(Hex(0x0B0E2C), Hex(0x2C1E4E), 0, 260);
    c.VerticalGradient(Hex(0x2C1E4E), Hex(0xC0604A), 260, 520);
    StarrySky(c, Hex(0x0B0E2C), Hex(0x0B0E2C), 0, 6, 0);  // no-op sky; stars painted below
    for (int i = 0; i < 260; ++i) {
        const float x = Hash01(static_cast<uint32_t>(i), 1, 6) * Canvas::kWidth;
        const float y = Hash01(static_cast<uint32_t>(i), 2, 6) * 300;
        c.Add(static_cast<int>(x), static_cast<int>(y), Hex(0xDDE4FF), 0.8f * (1 - y / 300));
    }
    c.Glow(700, 520, 520, Hex(0xFF8A4A), 0.35f);
    Mountains(c, 430, 200, 280, 21, Hex(0x3A2A5A), Hex(0xFFB070));
    Mountains(c, 500, 120, 170, 22, Hex(0x241A3C), Hex(0xE08A60));
    Castle(c, 720, 520, 95, Hex(0x120C20), Hex(0xFFC86A), 0.6f);
    PineForest(c, 560, 60, 30, 70, Hex(0x0E0A18), 23);
    Mountains(c, 610, 40, 120, 24, Hex(0x0C0814));
    // The cliff in the foreground, dark all along the bottom so the credit line reads.
    c.Polygon({0,   520, 120, 505, 260,  520, 360,  560, 430, 640,
               520, 690, 760, 700, 1024, 690, 1024, 768, 0,   768},
              Hex(0x06040A));
    Heroine(c, 215, 512, 150, Hex(0x06040A), Hex(0x9AD8FF), 1.0f);
    c.Vignette(0.5f);
    // The name of the game.
    c.Glow(512, 150, 420, Hex(0x402A60), 0.5f);
    c.ShadowText("Veloria", 512, 60, kSerifBold, 150, kGold, Align::kCenter, Hex(0x000000), 0.9f);
    c.Text("Veloria", 512, 60, kSerifBold, 150, Hex(0xFFF0C0), Align::kCenter, 0.25f);
    c.ShadowText("The Lantern of Dawn", 512, 245, kSerifItalic, 36, kPaleGold, Align::kCenter);
    HintBand(c, "1: Load Game     2: New Game     ESC: Quit", 512, 600);
    // The game writes its credit at (860, 730) in white: keep that corner deep dark.
    c.RoundRect(830, 715, 1024, 768, 0, Hex(0x000000), 0.6f, 8.0f);
}

void Title4(Canvas& c) {
    // A study by candlelight; the slots are listed on the paper (x 400.., y 270..645).
    StoneWall(c, Hex(0x4A4458), 31);
    c.Vignette(0.6f, 0.4f);
    Candle(c, 200, 560, 150, 0.3f);
    Candle(c, 935, 560, 120, -0.4f);
    c.FillRect(0, 560, Canvas::kWidth, Canvas::kHeight, Hex(0x2A1A10));
    c.Shade(0, 560, Canvas::kWidth, Canvas::kHeight, [](int x, int y, Color p) {
        return Scale(p, 0.7f + 0.5f * Fbm(static_cast<float>(x) / 5.0f,
                                          static_cast<float>(y) / 90.0f, 33, 3));
    });
    ScreenTitle(c, "Load a Saved Game", 120, 48);
    Parchment(c, 350, 235, 860, 690, 34);
    for (float y : {398.0f, 498.0f, 598.0f}) GoldDivider(c, 420, 790, y, Hex(0x8A6234));
}

void Scroll1(Canvas& c) {
    WoodPlanks(c, Hex(0x5A3A22), 41);
    c.Vignette(0.7f, 0.3f);
    // The scroll with its rolled ends.
    Parchment(c, 150, 40, 874, 690, 42);
    for (float y : {40.0f, 690.0f}) {
        c.Shade(130, static_cast<int>(y) - 18, 895, static_cast<int>(y) + 18,
                [&](int, int py, Color) {
                    const float t = (static_cast<float>(py) - (y - 18)) / 36.0f;
                    return Mix(Hex(0x8A6A40), Hex(0xF2E4C0), 1 - std::abs(t - 0.35f) * 1.6f);
                });
        for (float x : {122.0f, 902.0f}) c.Ellipse(x, y, 12, 20, Hex(0x4A2E18));
    }
    c.Text("The Tale of Veloria", 512, 78, kSerifBold, 40, Hex(0x6A1A10), Align::kCenter);
    GoldDivider(c, 330, 694, 134, Hex(0x8A6234));
    const char* lines[] = {
        "For a thousand years the valley of Veloria slept in peace,",
        "watched over by the Lantern of Dawn in the tower by the lake.",
        "Then, on a moonless night, the Lantern went dark.",
        "",
        "From the caves beneath the forest came the servants of the",
        "Hollow King: wolves, wraiths and worse. The roads emptied,",
        "the shops barred their doors and the old songs fell silent.",
        "",
        "Only one young mage of the lake village still studies the",
        "forgotten spells. With a worn staff, a little gold and a",
        "potion or two, she sets out to find the Hollow King's lair",
        "and light the Lantern once more.",
    };
    int y = 160;
    for (const char* line : lines) {
        if (*line != '\0') c.Text(line, 512, y, kSerif, 25, kInk, Align::kCenter);
        y += *line != '\0' ? 36 : 20;
    }
    c.Text("Choose her gifts well. The valley is counting on her.", 512, y + 14, kSerifItalic, 25,
           Hex(0x6A1A10), Align::kCenter);
    // The game's prompt goes at (400, 730) in green: a ribbon of paper under it.
    const int size = Canvas::GameTextSize(kSerif);
    const int w = c.TextWidth("Press any Button to continue...", kSerif, size);
    Parchment(c, 372, 716, static_cast<float>(400 + w + 28), 762, 43, false);
}

// The portrait and sheet on which the new heroine's gifts are written.
void Attributes(Canvas& c) {
    WoodPlanks(c, Hex(0x3E2A1C), 51);
    c.Vignette(0.6f, 0.35f);
    ScreenTitle(c, "A Heroine Is Born", 60, 48);
    // Portrait in an oval frame.
    c.Ellipse(230, 360, 118, 158, kGold);
    c.Ellipse(230, 360, 110, 150, Hex(0x1A2A4A));
    c.Shade(120, 210, 341, 511, [](int x, int y, Color p) {
        const float d = std::hypot((static_cast<float>(x) - 230) / 110.0f,
                                   (static_cast<float>(y) - 360) / 150.0f);
        if (d > 1) return p;
        return Mix(Hex(0x4A6AA0), Hex(0x101830),
                   std::min(1.0f, d * 0.9f + static_cast<float>(y - 210) / 600.0f));
    });
    Canvas portrait = c;
    portrait.Glow(230, 300, 140, Hex(0x8AB8FF), 0.25f);
    Heroine(portrait, 222, 540, 290, Hex(0x080A14), Hex(0x9AD8FF), 1.0f);
    c.Shade(100, 190, 361, 531, [&](int x, int y, Color p) {  // only what the oval frames
        const float d = std::hypot((static_cast<float>(x) - 230) / 110.0f,
                                   (static_cast<float>(y) - 360) / 150.0f);
        return d < 1 ? Mix(p, portrait.Get(x, y), std::clamp((1 - d) * 110.0f, 0.0f, 1.0f)) : p;
    });
    // The sheet: lines "Strength: %d" .. "Speed: %d" at x 475, y 230..430 in dark red.
    Parchment(c, 410, 175, 790, 520, 52);
    c.Text("Her Gifts", 600, 186, kSerifBold, 26, kInk, Align::kCenter);
    GoldDivider(c, 470, 730, 221, Hex(0x8A6234));
    // A small emblem at the end of each line: sword, flame, star, moon, heart, wing.
    const Color ink = Hex(0x7A5A3A);
    for (int k = 0; k < 6; ++k) {
        const float cx = 730, cy = 230.0f + 40.0f * static_cast<float>(k) + 12;
        switch (k) {
            case 0:
                c.Line(cx - 10, cy + 10, cx + 10, cy - 10, 3, ink);
                c.Line(cx - 9, cy + 2, cx - 2, cy + 9, 3, ink);
                break;
            case 1:
                c.Ellipse(cx, cy + 2, 7, 10, ink);
                c.Polygon({cx - 6, cy, cx, cy - 14, cx + 6, cy}, ink);
                break;
            case 2: {
                std::vector<float> star;
                for (int i = 0; i < 10; ++i) {
                    const float a = static_cast<float>(i) * 3.14159f / 5 - 1.5708f;
                    const float r = i % 2 == 0 ? 11.0f : 4.5f;
                    star.push_back(cx + r * std::cos(a));
                    star.push_back(cy + r * std::sin(a));
                }
                c.Polygon(star, ink);
                break;
            }
            case 3:
                c.Ellipse(cx, cy, 10, 10, ink);
                c.Ellipse(cx + 5, cy - 3, 9, 9, kParchment);
                break;
            case 4:
                c.Ellipse(cx - 5, cy - 3, 6, 6, ink);
                c.Ellipse(cx + 5, cy - 3, 6, 6, ink);
                c.Polygon({cx - 10.5f, cy - 1, cx + 10.5f, cy - 1, cx, cy + 11}, ink);
                break;
            default:
                for (int i = 0; i < 4; ++i) {
                    c.Line(cx - 10 + 4.0f * static_cast<float>(i), cy + 8, cx + 10,
                           cy - 10 + 3.0f * static_cast<float>(i), 2, ink);
                }
                break;
        }
    }
    c.Text("Seventy points, dealt by fate.", 600, 474, kSerifItalic, 20, Hex(0x6A4A2A),
           Align::kCenter);
    HintBand(c, "1: Accept     2: Roll again", 512, 580);
}

// The castle hall behind the in-game menu; `flicker` moves the candle flames between frames.
void Hall(Canvas& c, float flicker) {
    StoneWall(c, Hex(0x3E3A4E), 61);
    // Two tall windows with moonlight.
    for (float wx : {90.0f, 934.0f}) {
        c.RoundRect(wx - 45, 120, wx + 45, 420, 45, Hex(0x101838));
        c.Shade(static_cast<int>(wx) - 44, 121, static_cast<int>(wx) + 45, 420,
                [&](int x, int y, Color p) {
                    const float d =
                        std::hypot((static_cast<float>(x) - wx) / 44.0f,
                                   std::max(0.0f, (165.0f - static_cast<float>(y)) / 44.0f));
                    if (d > 1) return p;
                    const float shimmer =
                        0.06f * flicker *
                        std::sin(static_cast<float>(y) / 9.0f + static_cast<float>(x) / 13.0f);
                    return Mix(Hex(0x1C2C5C), Hex(0x6A80C0),
                               std::clamp(0.35f + shimmer +
                                              0.3f * Fbm(static_cast<float>(x) / 20.0f,
                                                         static_cast<float>(y) / 30.0f, 62, 3),
                                          0.0f, 1.0f));
                });
        c.Line(wx, 120, wx, 420, 5, Hex(0x1A1420));
        c.Line(wx - 45, 270, wx + 45, 270, 5, Hex(0x1A1420));
        c.Glow(wx, 300, 200, Hex(0x5A70B0), 0.12f + 0.03f * flicker);
    }
    c.FillRect(0, 640, Canvas::kWidth, Canvas::kHeight, Hex(0x24160E));
    c.Shade(0, 640, Canvas::kWidth, Canvas::kHeight, [](int x, int y, Color p) {
        return Scale(p, 0.6f + 0.6f * Fbm(static_cast<float>(x) / 4.0f,
                                          static_cast<float>(y) / 60.0f, 63, 3));
    });
    c.Vignette(0.55f, 0.45f);
    Candle(c, 200, 640, 110, flicker);
    Candle(c, 245, 640, 70, -flicker * 0.7f);
    Candle(c, 824, 640, 110, -flicker);
    Candle(c, 779, 640, 70, flicker * 0.6f);
}

struct Label {
    const char* text;
    int x, y;  // where the game writes the number
};

void MainMenu(Canvas& c, float flicker) {
    Hall(c, flicker);
    ScreenTitle(c, "Veloria", 40, 54);
    // The game writes the status numbers in white at these places; the labels sit to their left.
    DarkPanel(c, 285, 150, 795, 650, 0.86f);
    const int size = Canvas::GameTextSize(kSerif);
    c.Text("Attributes", 540, 168, kSerifBold, 22, kGold, Align::kCenter);
    GoldDivider(c, 330, 750, 312);
    c.Text("Equipment", 540, 318, kSerifBold, 22, kGold, Align::kCenter);
    GoldDivider(c, 330, 750, 452);
    c.Text("Progress", 540, 466, kSerifBold, 22, kGold, Align::kCenter);
    const Label labels[] = {
        {"Strength:", 445, 211},    {"Power:", 620, 211},     {"Wits:", 402, 241},
        {"Stealth:", 634, 241},     {"Endurance:", 465, 271}, {"Speed:", 610, 271},
        {"Cast:", 514, 355},        {"Protect:", 545, 386},   {"Mojo:", 517, 416},
        {"HP:", 390, 515},          {"Level:", 658, 515},     {"MP:", 393, 545},
        {"Magic Level:", 673, 545}, {"XP:", 393, 575},        {"Magic XP:", 673, 575},
        {"GP:", 391, 605},          {"Purse:", 660, 605},
    };
    for (const Label& l : labels)
        c.Text(l.text, l.x - 7, l.y, kSerif, size, Hex(0xC9B98A), Align::kRight);
    HintBand(c, "1: Equipment   2: Items   3: Spells   4: Save   5: Return   ESC: Quit", 512, 690);
}

void MainMenu1(Canvas& c) {
    MainMenu(c, 0.8f);
}
void MainMenu2(Canvas& c) {
    MainMenu(c, -0.8f);
}

void MainMenu3(Canvas& c) {
    // Behind the quit, save and saved messages (dark red and green at x 365.., y 300..484).
    Hall(c, 0.3f);
    ScreenTitle(c, "Veloria", 40, 54);
    Parchment(c, 320, 262, 770, 520, 71);
    // A wax seal in the corner, clear of the message lines.
    c.Ellipse(735, 490, 26, 26, Hex(0x7A1010));
    c.Ellipse(735, 490, 18, 18, Hex(0x9A2020));
    c.Text("V", 735, 475, kSerifBold, 24, Hex(0x5A0808), Align::kCenter);
}

void Armory(Canvas& c) {
    StoneWall(c, Hex(0x4A4440), 81);
    c.Vignette(0.6f, 0.4f);
    // Crossed swords over a shield on each side.
    for (float sx : {120.0f, 944.0f}) {
        c.Glow(sx, 380, 150, Hex(0xFFB060), 0.12f);
        c.Line(sx - 55, 520, sx + 55, 270, 7, Hex(0xB8BCC8));
        c.Line(sx + 55, 520, sx - 55, 270, 7, Hex(0xB8BCC8));
        c.Line(sx - 68, 478, sx - 28, 500, 6, Hex(0x6A4A2A));
        c.Line(sx + 68, 478, sx + 28, 500, 6, Hex(0x6A4A2A));
        c.Polygon({sx - 46, 310, sx + 46, 310, sx + 42, 390, sx, 450, sx - 42, 390}, Hex(0x6A1818));
        c.Line(sx, 315, sx, 440, 5, kGold);
        c.Line(sx - 42, 350, sx + 42, 350, 5, kGold);
    }
    c.FillRect(0, 700, Canvas::kWidth, Canvas::kHeight, Hex(0x1E140E), 0.6f);
}

void EquipMenu(Canvas& c, const char* title, const char* hints) {
    Armory(c);
    ScreenTitle(c, title, 30, 50);
    HintBand(c, hints, 512, 154);
    // Slots at x 490 y 260.., pieces at x 470 y 270.., values at y 575, hint at (310, 700).
    Parchment(c, 236, 222, 868, 742, 82);
    GoldDivider(c, 290, 814, 556, Hex(0x8A6234));
    GoldDivider(c, 290, 814, 684, Hex(0x8A6234));
}

void EquipMenu1(Canvas& c) {
    EquipMenu(c, "Equipment", "3: Choose   2: Back   1: Return to game");
}
void EquipMenu2(Canvas& c) {
    EquipMenu(c, "Choose a Piece", "Up/Down: Wear it   2: Back");
}

void ItemMenu(Canvas& c) {
    WoodPlanks(c, Hex(0x4A3020), 91);
    c.Vignette(0.6f, 0.35f);
    ScreenTitle(c, "Items", 40, 54);
    const Color colours[] = {Hex(0xD02030), Hex(0x3050E0), Hex(0xC040D0), Hex(0x30C060),
                             Hex(0xE0A020)};
    for (int i = 0; i < 5; ++i) {
        const float y = 270 + 100.0f * static_cast<float>(i);
        for (float x : {125.0f, 899.0f}) {
            c.FillRect(x - 70, y, x + 70, y + 10, Hex(0x2A1A0E));
            c.FillRect(x - 70, y + 10, x + 70, y + 16, Hex(0x000000), 0.35f);
        }
        Potion(c, 105, y, 54, colours[i]);
        Potion(c, 158, y, 36, colours[(i + 2) % 5]);
        Potion(c, 919, y, 54, colours[4 - i]);
        Potion(c, 866, y, 36, colours[(i + 4) % 5]);
    }
    // List at x 440 y 270.., the item's description at (290, 655).
    Parchment(c, 250, 212, 838, 700, 92);
    c.Text("The item under the cursor is the one you use", 544, 234, kSerifItalic, 20,
           Hex(0x6A4A2A), Align::kCenter);
    GoldDivider(c, 300, 790, 640, Hex(0x8A6234));
    HintBand(c, "Up/Down: Select   1: Return to game   2: Back", 512, 716);
}

void SpellMenu(Canvas& c) {
    c.VerticalGradient(Hex(0x120A26), Hex(0x2A1040));
    c.Shade([](int x, int y, Color p) {
        const float n = Fbm(static_cast<float>(x) / 200.0f, static_cast<float>(y) / 200.0f, 101, 5);
        return Mix(p, Hex(0x402070), std::max(0.0f, n - 0.5f));
    });
    // A glowing circle of runes below the list.
    const float cx = 512, cy = 540;
    c.Glow(cx, cy, 260, Hex(0x7A50FF), 0.3f);
    for (float r : {175.0f, 160.0f, 110.0f}) {
        c.FillShape(
            static_cast<int>(cx - r) - 3, static_cast<int>(cy - r) - 3,
            static_cast<int>(cx + r) + 3, static_cast<int>(cy + r) + 3,
            [&](float px, float py) { return std::abs(std::hypot(px - cx, py - cy) - r) - 1.2f; },
            Hex(0xB8A0FF), 0.85f);
    }
    std::vector<float> star;
    for (int i = 0; i < 6; ++i) {
        const float a0 = static_cast<float>(i) * 3.14159f / 3 - 1.5708f;
        const float a1 = a0 + 2 * 3.14159f / 3;
        c.Line(cx + 160 * std::cos(a0), cy + 160 * std::sin(a0), cx + 160 * std::cos(a1),
               cy + 160 * std::sin(a1), 1.5f, Hex(0xB8A0FF), 0.8f);
    }
    for (int i = 0; i < 24; ++i) {  // runes between the rings
        const float a = static_cast<float>(i) * 3.14159f / 12;
        const float rx = cx + 167 * std::cos(a), ry = cy + 167 * std::sin(a);
        const float h = 4 + 3 * Hash01(static_cast<uint32_t>(i), 0, 7);
        c.Line(rx - h * std::sin(a), ry + h * std::cos(a), rx + h * std::sin(a),
               ry - h * std::cos(a), 1.5f, Hex(0xE0D0FF));
        c.Line(rx, ry, rx + 3 * std::cos(a + 1), ry + 3 * std::sin(a + 1), 1.2f, Hex(0xE0D0FF));
    }
    c.Glow(cx, cy, 40, Hex(0xFFFFFF), 0.6f);
    c.Vignette(0.5f);
    ScreenTitle(c, "Spells", 40, 54);
    // The list at x 470 y 200..
    Parchment(c, 400, 170, 800, 332, 102);
    HintBand(c, "Up/Down: Select   1: Return to game   2: Back", 512, 716);
}

void ShopMenu(Canvas& c) {
    WoodPlanks(c, Hex(0x6A4428), 111);
    c.Vignette(0.5f, 0.4f);
    // Shelves of wares on the left.
    for (int s = 0; s < 3; ++s) {
        const float y = 250 + 150.0f * static_cast<float>(s);
        c.FillRect(40, y, 540, y + 16, Hex(0x3A2414));
        c.FillRect(40, y + 16, 540, y + 22, Hex(0x000000), 0.4f);
        for (int i = 0; i < 6; ++i) {
            const float x = 80 + 80.0f * static_cast<float>(i);
            const uint32_t k = static_cast<uint32_t>(s * 6 + i);
            const Color liquid = Mix(Hex(0xD03040), Hex(0x3060E0), Hash01(k, 1, 5));
            if (k % 3 == 1) {  // a jar
                c.RoundRect(x - 22, y - 62, x + 22, y, 8, Hex(0xA88A5A));
                c.FillRect(x - 24, y - 70, x + 24, y - 58, Hex(0x5A3A22));
            } else {
                Potion(c, x, y, 46 + 14 * Hash01(k, 2, 5),
                       Mix(liquid, Hex(0x40D070), Hash01(k, 3, 5) * 0.6f));
            }
        }
    }
    // The counter with a heap of coins and a lamp.
    c.FillRect(0, 650, 560, Canvas::kHeight, Hex(0x3A2212));
    c.FillRect(0, 640, 570, 656, Hex(0x5A3A1E));
    for (int i = 0; i < 14; ++i) {
        const float x = 380 + 9.0f * static_cast<float>(i % 5) + 3.0f * static_cast<float>(i / 5);
        const float y = 636 - 5.0f * static_cast<float>(i / 5);
        c.Ellipse(x, y, 12, 4, Hex(0xE8B840));
        c.Ellipse(x, y - 1, 10, 2.5f, Hex(0xFFE080));
    }
    c.Glow(150, 600, 220, Hex(0xFFB060), 0.35f);
    c.FillShape(
        120, 520, 181, 566,
        [](float px, float py) {
            return std::abs(std::hypot(px - 150, py - 560) - 18) - 2.5f + std::max(0.0f, py - 560);
        },
        Hex(0x2A1A10));
    c.Polygon({128, 560, 172, 560, 178, 640, 122, 640}, Hex(0x2A1A10));
    c.Polygon({134, 568, 166, 568, 170, 632, 130, 632}, Hex(0xFFD080));
    c.Line(150, 568, 150, 632, 3, Hex(0x2A1A10));
    c.Ellipse(150, 606, 6, 12, Hex(0xFFFBEA));
    ScreenTitle(c, "The Lakeside Shop", 50, 48);
    // Wares and messages at x 650..735 y 220.., GP at (600, 620), description at (600, 650).
    Parchment(c, 578, 192, 1016, 692, 112);
    GoldDivider(c, 620, 980, 605, Hex(0x8A6234));
    HintBand(c, "3: Choose     2: Back from a list", 797, 712);
}

// The victory sequence: a flash that grows into rays, then the panel of rewards.
void Battlefield(Canvas& c) {
    c.VerticalGradient(Hex(0x1A0A12), Hex(0x4A1A14), 0, 520);
    Mountains(c, 470, 120, 200, 121, Hex(0x24101A));
    c.FillRect(0, 500, Canvas::kWidth, Canvas::kHeight, Hex(0x2A1A12));
    c.Shade(0, 480, Canvas::kWidth, Canvas::kHeight, [](int x, int y, Color p) {
        if (y < 500) return p;
        return Scale(p, 0.6f + 0.7f * Fbm(static_cast<float>(x) / 40.0f,
                                          static_cast<float>(y) / 12.0f, 122, 4));
    });
}

void Battle(Canvas& c, int step) {
    Battlefield(c);
    const float k = static_cast<float>(step) / 4.0f;
    if (step >= 2) LightRays(c, 512, 380, 24, Hex(0xFFC060), 0.22f * k, 123);
    c.Glow(512, 380, 120 + 300 * k, Hex(0xFFD090), 0.35f + 0.25f * k);
    c.Glow(512, 380, 50 + 60 * k, Hex(0xFFFFFF), 0.9f);
    if (step >= 3) {  // a crest rising out of the light
        const float a = step == 3 ? 0.55f : 1.0f;
        c.Polygon({452, 150, 572, 150, 566, 210, 512, 250, 458, 210}, Hex(0x8A1A18), a);
        c.Line(512, 156, 512, 240, 6, kGold, a);
        c.Line(462, 185, 562, 185, 6, kGold, a);
    }
    c.Vignette(0.45f);
    if (step == 4) {
        c.ShadowText("Victory!", 512, 40, kSerifBold, 86, kGold, Align::kCenter, Hex(0x000000),
                     0.9f);
        // Rewards at x 440, y 280..464 in navy, olive and green.
        Parchment(c, 395, 262, 735, 498, 124);
        HintBand(c, "5: Continue", 512, 560);
    }
}

void Battle1(Canvas& c) {
    Battle(c, 1);
}
void Battle2(Canvas& c) {
    Battle(c, 2);
}
void Battle3(Canvas& c) {
    Battle(c, 3);
}
void Battle4(Canvas& c) {
    Battle(c, 4);
}

// The heroine lying on her side, her hair spread out, her staff fallen from her hand.
void FallenHeroine(Canvas& c, Color ink) {
    c.Line(250, 634, 500, 650, 6, ink);  // the staff
    c.Glow(238, 632, 30, Hex(0x506878), 0.5f);
    c.Ellipse(238, 632, 9, 9, Hex(0x2A3A48));
    // Robe from the shoulders to the hem, one knee drawn up.
    c.Polygon({350, 596, 420, 584, 480, 590, 520, 578, 575, 596, 640,
               612, 648, 630, 560, 634, 470, 632, 380, 628, 345, 620},
              ink);
    c.Polygon({560, 600, 600, 590, 652, 606, 660, 632, 610, 634}, ink);  // cloak's hem
    c.Ellipse(322, 606, 24, 20, ink);                                    // head
    c.Polygon({300, 598, 270, 606, 248, 626, 292, 622, 318, 626}, ink);  // hair
    c.Polygon({305, 614, 282, 640, 330, 630}, ink);
    c.Line(360, 608, 300, 634, 9, ink);  // the arm reaching for the staff
    c.Ellipse(296, 636, 7, 5, ink);
}

void HeroDead(Canvas& c) {
    c.VerticalGradient(Hex(0x120408), Hex(0x3A0A10), 0, 520);
    c.Shade(0, 0, Canvas::kWidth, 520, [](int x, int y, Color p) {
        const float n = Fbm(static_cast<float>(x) / 150.0f, static_cast<float>(y) / 50.0f, 131, 6);
        return Mix(p, Hex(0x050104), std::clamp((n - 0.45f) * 2.5f, 0.0f, 0.9f));
    });
    Mountains(c, 480, 110, 210, 132, Hex(0x1A0608));
    c.FillRect(0, 520, Canvas::kWidth, Canvas::kHeight, Hex(0x160608));
    c.Shade(0, 470, Canvas::kWidth, Canvas::kHeight, [](int x, int y, Color p) {
        if (y < 520) return p;
        return Scale(p, 0.6f + 0.8f * Fbm(static_cast<float>(x) / 60.0f,
                                          static_cast<float>(y) / 10.0f, 133, 4));
    });
    // A pale shaft of light on the fallen heroine; her staff lies beside her, its orb gone dim.
    c.Shade([](int x, int y, Color p) {
        const float centre = 512 + (static_cast<float>(y) - 560) * 0.25f;
        const float k = std::exp(-std::pow((static_cast<float>(x) - centre) / 110.0f, 2)) *
                        std::min(1.0f, static_cast<float>(y) / 560.0f);
        return Mix(p, Hex(0xB0A0B0), 0.28f * k);
    });
    c.Shade(150, 520, 800, 720, [](int x, int y, Color p) {  // a pale pool of light
        const float dx = (static_cast<float>(x) - 470) / 260.0f,
                    dy = (static_cast<float>(y) - 615) / 50.0f;
        return Mix(p, Hex(0x8A6A78), 0.4f * std::exp(-(dx * dx + dy * dy) * 1.5f));
    });
    FallenHeroine(c, Hex(0x070305));
    for (int i = 0; i < 40; ++i) {  // drifting motes
        const float x = 300 + 420 * Hash01(static_cast<uint32_t>(i), 1, 134);
        const float y = 200 + 380 * Hash01(static_cast<uint32_t>(i), 2, 134);
        c.Glow(x, y, 4, Hex(0xFFD0D0), 0.4f);
    }
    c.Vignette(0.65f);
    c.ShadowText("You have fallen...", 512, 150, kSerifItalic, 64, Hex(0xE8C0B8), Align::kCenter);
    c.ShadowText("but the Lantern still waits for a hero.", 512, 240, kSerifItalic, 30,
                 Hex(0xC8A8A0), Align::kCenter);
    HintBand(c, "5: Start over", 512, 690);
}

void StoryBand(Canvas& c, std::initializer_list<const char*> lines, const char* hint) {
    c.FillRect(0, 580, Canvas::kWidth, Canvas::kHeight, Hex(0x05060C), 0.72f);
    GoldDivider(c, 160, 864, 580);
    int y = 600;
    for (const char* line : lines) {
        c.ShadowText(line, 512, y, kSerif, 28, kPaleGold, Align::kCenter);
        y += 38;
    }
    c.Text(hint, 990, 730, kSerifItalic, 22, kGold, Align::kRight);
}

void EndStory1(Canvas& c) {
    // Dawn breaks as the heroine steps out of the lair.
    c.VerticalGradient(Hex(0x2A2A5A), Hex(0xF0A060), 0, 470);
    c.Glow(760, 470, 500, Hex(0xFFC070), 0.6f);
    c.Glow(760, 470, 90, Hex(0xFFF0C0), 1.0f);
    LightRays(c, 760, 470, 30, Hex(0xFFD090), 0.18f, 141);
    Mountains(c, 440, 150, 240, 142, Hex(0x5A3A5A), Hex(0xFFC080));
    Mountains(c, 520, 90, 150, 143, Hex(0x2A1A2A), Hex(0xFFA060));
    // The mouth of the cave behind her.
    c.Polygon({0, 300, 180, 330, 330, 440, 380, 600, 0, 600}, Hex(0x140C14));
    c.Ellipse(120, 470, 80, 110, Hex(0x000000));
    c.FillRect(0, 540, Canvas::kWidth, 600, Hex(0x140C14));
    Heroine(c, 420, 560, 170, Hex(0x140C14), Hex(0xBDE8FF), 0.8f);
    StoryBand(c,
              {"The Hollow King has fallen. As his lair crumbles,",
               "a cold wind sighs out of the caves, and is gone."},
              "Press a button...");
}

void EndStory2(Canvas& c) {
    // The village by the lake, every window lit again.
    StarrySky(c, Hex(0x0A1030), Hex(0x2A3060), 420, 151, 0.8f);
    Moon(c, 200, 120, 36, Hex(0xD0D8FF));
    Mountains(c, 380, 90, 200, 152, Hex(0x161C3A));
    for (int i = 0; i < 9; ++i) {  // cottages along the shore
        const float x =
            60 + 112.0f * static_cast<float>(i) + 20 * Hash01(static_cast<uint32_t>(i), 1, 153);
        const float w = 70 + 20 * Hash01(static_cast<uint32_t>(i), 2, 153);
        const float h = 60 + 30 * Hash01(static_cast<uint32_t>(i), 3, 153);
        c.FillRect(x - w / 2, 420 - h, x + w / 2, 420, Hex(0x0A0A16));
        c.Polygon({x - w / 2 - 8, 420 - h, x + w / 2 + 8, 420 - h, x, 420 - h - 45}, Hex(0x0A0A16));
        c.FillRect(x - 12, 420 - h * 0.6f, x + 4, 420 - h * 0.6f + 16, Hex(0xFFC060));
        c.Glow(x - 4, 420 - h * 0.6f + 8, 40, Hex(0xFFB050), 0.4f);
    }
    for (int i = 0; i < 14; ++i) {  // lanterns on a string
        const float x = 40 + 70.0f * static_cast<float>(i);
        const float y = 250 + 18 * std::sin(static_cast<float>(i) * 0.9f);
        c.Glow(x, y, 26,
               Mix(Hex(0xFF6040), Hex(0xFFD060), Hash01(static_cast<uint32_t>(i), 4, 154)), 0.7f);
        c.Ellipse(x, y, 6, 8, Hex(0xFFE0A0));
    }
    c.FillRect(0, 420, Canvas::kWidth, 430, Hex(0x0A0A16));
    Lake(c, 430, Hex(0x1A2040), 0.25f, 155);
    c.Vignette(0.45f);
    StoryBand(c,
              {"In the lake village, lanterns burn in every window.",
               "The shops open their doors, and the old songs return."},
              "Press a button...");
}

void EndStory3(Canvas& c) {
    Valley(c, 2.2f, 0.0f);
    LightRays(c, 640 + 0.21f * 70, 480 - 1.45f * 70, 36, Hex(0xFFD890), 0.09f, 161);
    StoryBand(c,
              {"High in the tower, the Lantern of Dawn burns again,",
               "and its light reaches every corner of Veloria."},
              "Press a button...");
}

void EndStory4(Canvas& c) {
    StarrySky(c, Hex(0x05081A), Hex(0x1A2050), Canvas::kHeight, 171, 1.3f);
    Mountains(c, 700, 90, 220, 172, Hex(0x05060E));
    c.Glow(512, 300, 380, Hex(0x403060), 0.4f);
    c.ShadowText("The End", 512, 190, kSerifBold, 120, kGold, Align::kCenter, Hex(0x000000), 0.9f);
    GoldDivider(c, 300, 724, 350);
    c.ShadowText("Thank you for playing Veloria.", 512, 380, kSerifItalic, 36, kPaleGold,
                 Align::kCenter);
    HintBand(c, "ESC: Quit", 512, 690);
}

}  // namespace

std::vector<Picture> AllPictures() {
    return {
        {"title1.bmp", Title1},          {"title2.bmp", Title2},
        {"title3.bmp", Title3},          {"title4.bmp", Title4},
        {"scroll1.bmp", Scroll1},        {"attributes.bmp", Attributes},
        {"main_menu1.bmp", MainMenu1},   {"main_menu2.bmp", MainMenu2},
        {"main_menu3.bmp", MainMenu3},   {"equip_menu1.bmp", EquipMenu1},
        {"equip_menu2.bmp", EquipMenu2}, {"item_menu.bmp", ItemMenu},
        {"spell_menu.bmp", SpellMenu},   {"shop_menu1.bmp", ShopMenu},
        {"battle1.bmp", Battle1},        {"battle2.bmp", Battle2},
        {"battle3.bmp", Battle3},        {"battle4.bmp", Battle4},
        {"herodead.bmp", HeroDead},      {"end_story1.bmp", EndStory1},
        {"end_story2.bmp", EndStory2},   {"end_story3.bmp", EndStory3},
        {"end_story4.bmp", EndStory4},
    };
}

}  // namespace veloria::media
