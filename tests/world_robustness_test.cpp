// Damaged content must never take the world outside its tables: random level files, exits and
// positions, walked on and acted upon. Run under the sanitizers to make this test bite.
// Positions and scrolls from content files and saved games may reach the edges of the number
// range: the geometry built from them saturates instead of overflowing.
#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <random>
#include <string>

#include "flow/game.h"
#include "flow/game_state.h"
#include "hero/actor_record.h"
#include "hero/spells.h"
#include "input/map_input.h"
#include "presentation/renderer.h"
#include "presentation/text.h"
#include "world/level_map.h"
#include "world/map_frame.h"
#include "world_support.h"

namespace veloria {
namespace {

int32_t Wild(std::mt19937& rng) {
    switch (rng() % 6) {
        case 0:
            return static_cast<int32_t>(rng() % 70);  // plausible event codes and tiles
        case 1:
            return static_cast<int32_t>(rng() % 8);
        case 2:
            return static_cast<int32_t>(rng() % 700) - 200;
        case 3:
            return rng() % 2 ? 2147483647 : -2147483647 - 1;
        default:
            return static_cast<int32_t>(rng() % 4);
    }
}

int32_t Near(std::mt19937& rng) {
    return static_cast<int32_t>(rng() % 5000) - 2000;
}

TEST(WorldRobustness, RandomLevelsExitsAndPositionsStayInsideEveryTable) {
    int32_t warnings = 0;
    for (uint32_t seed = 1; seed <= 12; ++seed) {
        WorldGame w;
        w.warnings.SetQuiet(true);
        Game& g = w.g();
        std::mt19937 rng(seed);
        for (int n = 1; n <= 3; ++n) {
            std::string text;
            int count = n == 3 ? 3031 : 1111;
            const int tables = n == 3 ? 2880 : 960;
            for (int i = 0; i < count; ++i) {
                // Arrival positions and scrolls stay within a few screens: the arithmetic of
                // shots and text rectangles is not this test's subject.
                int k = i - tables;
                int field = k % 12;
                bool position = k >= 0 && k < 60 && (field == 1 || field == 2 || field >= 9);
                text += std::to_string(position ? Near(rng) : Wild(rng)) + " ";
            }
            w.Write("levels/level0" + std::to_string(n) + ".txt", text);
        }
        w.Write("data/lair/hlair00.txt", "1 2000 -16 3 99 -99 1 1 700 -1000 5 1");
        w.Write("data/hidden/ht00.txt", "0 2147483647");
        LoadLevel(g, seed % 2 ? Small : Large,
                  seed % 2 ? "levels/level01.txt" : "levels/level03.txt");
        g.hero.selectedItem = static_cast<int32_t>(rng() % 16);
        for (int step = 0; step < 150; ++step) {
            g.flow.gameState = rng() % 4 ? StateMap : StateBattle;
            if (rng() % 25 == 0) {
                g.hero.x = Near(rng);
                g.hero.y = Near(rng);
                g.level.scrollX = Near(rng);
                g.level.viewCol = Wild(rng);
            }
            HandleMapInput(g, static_cast<int8_t>(1 + rng() % 12));
            MapScreen(g);
            // Exits into map modes that do not exist are refused, so a map is always loaded.
            ASSERT_TRUE(g.level.mode >= Arena && g.level.mode <= Large) << "seed " << seed;
        }
        warnings += w.warnings.Count();
    }
    EXPECT_GT(warnings, 0) << "the bad table numbers were reported";
}

TEST(Extremes, AShotCastFromTheEdgeOfTheNumberRangeStaysThere) {
    TestGame t;
    Game& g = t.g();
    g.hero.y = INT32_MIN;
    g.hero.x = INT32_MAX;
    g.hero.facing = 2;
    g.hero.attr[MP] = 10;
    g.heroSpell.kind = 1;
    CastHeroSpell(g);
    EXPECT_EQ(1, g.heroSpell.active);
    EXPECT_EQ(INT32_MIN, g.heroSpell.y);

    g.hero.facing = 1;
    CastHeroSpell(g);
    EXPECT_EQ(INT32_MAX, g.heroSpell.x);
    g.heroSpell.stepPeriod = 0;
    StepProjectile(g, g.heroSpell);
    EXPECT_EQ(INT32_MAX, g.heroSpell.x);
}

TEST(Extremes, TextPlacedAtTheFarEdgeKeepsAnOrderedRectangle) {
    TestGame t;
    Game& g = t.g();
    DrawText(g, 3, "far away", INT32_MAX - 5, INT32_MAX, kColourWhite);
    const TextSlot& s = g.renderer.texts[3];
    EXPECT_EQ(INT32_MAX, s.right);
    EXPECT_GE(s.right, s.left);
    EXPECT_GE(s.bottom, s.top);
}

}  // namespace
}  // namespace veloria
