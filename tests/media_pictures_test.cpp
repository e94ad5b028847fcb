// The full-screen pictures that the build paints: their format, and a calm, contrasting ground
// wherever the game writes its own texts over them.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "media_test_support.h"

namespace {

using veloria::media_test::Bitmap;
using veloria::media_test::ReadBmp;

std::string Picture(const std::string& name) {
    return std::string(VELORIA_GAME_DIR) + "/art/bg/" + name + ".bmp";
}

bool Painted() {
    return std::filesystem::is_directory(std::string(VELORIA_GAME_DIR) + "/art/bg");
}

const char* const kPictures[] = {
    "title1",     "title2",     "title3",     "title4",      "scroll1",     "attributes",
    "main_menu1", "main_menu2", "main_menu3", "equip_menu1", "equip_menu2", "item_menu",
    "spell_menu", "shop_menu1", "battle1",    "battle2",     "battle3",     "battle4",
    "herodead",   "end_story1", "end_story2", "end_story3",  "end_story4",
};

// A box where the game writes a line: (x, y) as the game gives it, the width the longest
// expected text needs, and the 24-pixel line height of the game's font.
struct TextBox {
    int x, y, width;
};

// The darkest (or lightest) luminance found in the box, ignoring the most extreme 1 percent so
// that a speck of paper texture does not decide.
double Percentile(const Bitmap& b, const TextBox& box, double q) {
    std::vector<double> v;
    for (int y = box.y; y < box.y + 24; ++y) {
        for (int x = box.x; x < box.x + box.width; ++x) v.push_back(b.Luma(x, y));
    }
    std::sort(v.begin(), v.end());
    return v[static_cast<size_t>(q * static_cast<double>(v.size() - 1))];
}

std::vector<TextBox> Column(int x, int y0, int step, int count, int width) {
    std::vector<TextBox> boxes;
    for (int k = 0; k < count; ++k) boxes.push_back({x, y0 + step * k, width});
    return boxes;
}

TEST(MediaPictures, EveryPictureIsAFullScreenBitmapWithRealArtwork) {
    if (!Painted()) GTEST_SKIP() << "the game directory has not been built";
    for (const char* name : kPictures) {
        SCOPED_TRACE(name);
        const Bitmap b = ReadBmp(Picture(name));
        ASSERT_TRUE(b.ok);
        EXPECT_EQ(b.width, 1024);
        EXPECT_EQ(b.height, 768);
        // Painted, not filled: many colours and both light and shade.
        std::set<uint32_t> colours;
        double lo = 1, hi = 0;
        for (int y = 0; y < b.height; y += 4) {
            for (int x = 0; x < b.width; x += 4) {
                colours.insert(b.Rgb(x, y));
                lo = std::min(lo, b.Luma(x, y));
                hi = std::max(hi, b.Luma(x, y));
            }
        }
        EXPECT_GT(colours.size(), 1500u);
        EXPECT_GT(hi - lo, 0.5);
    }
}

// How two frames differ: the mean change of luminance, and the share of pixels that change
// visibly (by more than a tenth).
struct FrameChange {
    double mean = 0, visible = 0;
};

FrameChange Compare(const char* a, const char* b) {
    const Bitmap x = ReadBmp(Picture(a)), y = ReadBmp(Picture(b));
    FrameChange c;
    if (!x.ok || !y.ok) return c;
    int n = 0;
    for (int j = 0; j < 768; j += 2) {
        for (int i = 0; i < 1024; i += 2) {
            const double d = std::abs(x.Luma(i, j) - y.Luma(i, j));
            c.mean += d;
            c.visible += d > 0.1 ? 1 : 0;
            ++n;
        }
    }
    c.mean /= n;
    c.visible /= n;
    return c;
}

TEST(MediaPictures, AnimationFramesDifferButOnlyAsFramesShould) {
    if (!Painted()) GTEST_SKIP() << "the game directory has not been built";
    // The menu's two frames flicker: flames move, the layout stays where the numbers go.
    const FrameChange menu = Compare("main_menu1", "main_menu2");
    EXPECT_GT(menu.visible, 0.0005);
    EXPECT_LT(menu.visible, 0.05);
    EXPECT_LT(menu.mean, 0.02);
    // The victory pictures build up visibly from frame to frame.
    EXPECT_GT(Compare("battle1", "battle2").visible, 0.05);
    EXPECT_GT(Compare("battle2", "battle3").visible, 0.01);
    EXPECT_GT(Compare("battle3", "battle4").visible, 0.05);
}

// Dark red, dark green, navy and olive texts need light ground under every part of the line;
// white texts need dark ground.
TEST(MediaPictures, TextsHaveContrastWhereverTheGameWritesThem) {
    if (!Painted()) GTEST_SKIP() << "the game directory has not been built";
    const std::vector<TextBox> numbers = {
        {445, 211, 40}, {620, 211, 40},  {402, 241, 40}, {634, 241, 40}, {465, 271, 40},
        {610, 271, 40}, {514, 355, 40},  {545, 386, 40}, {517, 416, 40}, {390, 515, 100},
        {658, 515, 40}, {393, 545, 100}, {673, 545, 40}, {393, 575, 70}, {673, 575, 70},
        {391, 605, 70}, {660, 605, 40}};
    const auto with = [](std::vector<TextBox> a, const std::vector<TextBox>& b) {
        a.insert(a.end(), b.begin(), b.end());
        return a;
    };
    const struct {
        const char* name;
        bool dark;
        std::vector<TextBox> boxes;
    } pictures[] = {
        {"title3", true, {{860, 730, 90}}},  // the credit, white, lower right
        {"title4", false,
         with(with(Column(400, 320, 100, 3, 380), Column(400, 345, 100, 3, 300)),
              {{400, 620, 230}, {500, 270, 110}})},
        {"scroll1", false, {{400, 730, 290}}},
        {"attributes", false, Column(475, 230, 40, 6, 150)},
        {"main_menu1", true, numbers},
        {"main_menu2", true, numbers},
        {"main_menu3", false,
         with(Column(445, 380, 30, 3, 110), {{365, 300, 330}, {430, 350, 120}, {365, 460, 300}})},
        {"battle4", false, Column(440, 280, 40, 4, 180)},
        {"equip_menu1", false, with(Column(490, 260, 25, 6, 220), {{310, 700, 390}})},
        {"equip_menu2", false,
         with(Column(470, 270, 25, 10, 240),
              {{260, 575, 110}, {500, 575, 110}, {735, 575, 110}, {310, 700, 390}})},
        {"item_menu", false, with(Column(440, 270, 25, 14, 260), {{290, 655, 400}})},
        {"spell_menu", false, Column(470, 200, 25, 4, 220)},
        {"shop_menu1", false,
         with(with(Column(650, 230, 25, 10, 340), Column(735, 230, 40, 3, 120)),
              {{650, 220, 290}, {600, 620, 130}, {600, 650, 390}})},
    };
    for (const auto& p : pictures) {
        const Bitmap b = ReadBmp(Picture(p.name));
        ASSERT_TRUE(b.ok) << p.name;
        for (const TextBox& box : p.boxes) {
            SCOPED_TRACE(std::string(p.name) + " at (" + std::to_string(box.x) + ", " +
                         std::to_string(box.y) + ")");
            if (p.dark) {
                EXPECT_LT(Percentile(b, box, 0.99), 0.3);
            } else {
                EXPECT_GT(Percentile(b, box, 0.01), 0.55);
            }
        }
    }
}

}  // namespace
