// Positions and scrolls come from content files and saved games; the geometry built from them
// must saturate instead of overflowing.
#include <gtest/gtest.h>

#include <climits>

#include "hero/spells.h"
#include "test_support.h"

namespace veloria {
namespace {

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
