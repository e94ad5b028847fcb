#include <gtest/gtest.h>

#include <cstdint>

#include "battle_support.h"
#include "flow/game_state.h"
#include "hero/actor_record.h"
#include "world/level_map_record.h"
#include "world/villain.h"
#include "world/villain_actions.h"
#include "world/villain_moves.h"
#include "world/villain_touch.h"

namespace veloria {
namespace {

using Arena = BattleGame;

TEST(BattleVillain, LoadReadsTheFileResetsTheDecisionTimersAndPlacesTheVillain) {
    VillainFile villain;
    villain.Set(VfSpell1 + 4, 12).Set(VfRewardGp, 9);
    villain.name = "Abcdefghijklmnopqrstuvwxyz\n";
    TestGame t;
    t.Write("data/villains/v07.txt", villain.Text());
    Villain& v = t.g().villain;
    v.spellTimer[2].start = 5;
    v.touchTimer.start = 5;
    v.facing = 2;
    LoadVillain(t.g(), 7);
    EXPECT_EQ(12, v.spells[1].file);
    EXPECT_EQ(9, v.rewardGp);
    EXPECT_EQ(115, v.anim[1].tiles[5]);
    EXPECT_STREQ("Abcdefghijklmnopqrs", v.name);
    EXPECT_EQ(192, v.x);
    EXPECT_EQ(1, v.facing);
    EXPECT_EQ(0u, v.spellTimer[2].start);
    EXPECT_EQ(5u, v.touchTimer.start) << "only the decision timers are reset";
}

TEST(BattleVillain, BadIndicesInTheFileAreSkippedAndDrawingStaysInsideTheFrames) {
    VillainFile villain;
    villain.Set(3, 5000).Set(7 + 6, 9).Set(VfSpell1 + 1, 250);
    TestGame t;
    t.Write("data/villains/v08.txt", villain.Text());
    Villain& v = t.g().villain;
    int before = t.warnings.Count();
    testing::internal::CaptureStderr();
    LoadVillain(t.g(), 8);
    std::string err = testing::internal::GetCapturedStderr();
    EXPECT_EQ(before + 3, t.warnings.Count());
    EXPECT_NE(std::string::npos, err.find("data/villains/v08.txt:1:")) << err;
    EXPECT_EQ(0, v.anim[0].tiles[3]) << "a tile beyond the library is skipped";
    EXPECT_EQ(0, v.anim[1].state);
    EXPECT_EQ(0, v.spells[0].file);
    EXPECT_EQ(500, v.thinkPeriod) << "later numbers are still read in their places";

    // A corrupt facing or state never indexes the frames: the quad gets tile 0.
    v.facing = 7;
    DrawVillain(t.g());
    v.facing = 1;
    v.anim[1].state = -3;
    DrawVillain(t.g());
    EXPECT_EQ(-3, v.anim[1].state);
    EXPECT_FLOAT_EQ(192.0f, t.g().renderer.quads[241].v[0].x);
    EXPECT_FLOAT_EQ(0.0f, t.g().renderer.quads[241].v[0].u);
}

// Places the hero at (400, 384) and the villain relative to her, touches once and returns where
// she was pushed to.
struct Push {
    int32_t x, y;
};
Push TouchFrom(Arena& a, int32_t vx, int32_t vy, int32_t heroFacing) {
    a.hero().x = 400;
    a.hero().y = 384;
    a.hero().facing = heroFacing;
    a.v().x = vx;
    a.v().y = vy;
    TouchHeroine(a.g());
    return {a.hero().x, a.hero().y};
}

TEST(BattleVillain, KnockBackGoesAlongTheNearerAxis) {
    Arena a;
    struct Case {
        int32_t vx, vy, facing, x, y;
    } cases[] = {
        {352, 384, 1, 400, 288},  // level with her, 48 to her left: up
        {352, 384, 2, 400, 480},  // ... down when she faces up
        {384, 336, 3, 496, 384},  // nearer horizontally: away from the villain
        {416, 336, 3, 304, 384},
        {368, 352, 1, 496, 384},  // equal distances: her facing picks the axis
        {368, 352, 3, 400, 480},
        {400, 384, 0, 496, 384},  // on her very spot: away from where she faces
        {400, 384, 1, 304, 384},
        {100, 100, 1, 400, 384},  // no contact, no push
    };
    for (const Case& c : cases) {
        Push p = TouchFrom(a, c.vx, c.vy, c.facing);
        EXPECT_EQ(c.x, p.x) << c.vx << "," << c.vy << " facing " << c.facing;
        EXPECT_EQ(c.y, p.y) << c.vx << "," << c.vy << " facing " << c.facing;
    }
    EXPECT_EQ(2, a.hero().anim[1].state) << "hit pose in her facing";
}

// Margins near the 32-bit limit push the touch box off the sprite instead of wrapping round
// (which was undefined behaviour, and in practice a box covering half the arena).
TEST(BattleVillain, TouchBoxMarginsNearTheIntegerLimitsNeverWrap) {
    struct Case {
        int32_t left, right, top, bottom;
        bool touches;
    } cases[] = {
        {INT32_MAX - 10, 0, 0, 0, false},  // the box starts beyond the screen
        {0, 0, INT32_MAX, 0, false},
        {0, INT32_MIN + 5, 0, 0, true},  // it reaches past the right edge: she is inside it
        {INT32_MIN, 0, 0, INT32_MIN, true},
        {0, INT32_MAX, 0, 0, false},  // it ends before it starts
    };
    for (const Case& c : cases) {
        VillainFile villain;
        villain.Set(VfBoxLeft, c.left).Set(VfBoxLeft + 1, c.right);
        villain.Set(VfBoxLeft + 2, c.top).Set(VfBoxLeft + 3, c.bottom);
        Arena a(villain);
        Push p = TouchFrom(a, 352, 384, 1);
        EXPECT_EQ(c.touches, p.x != 400 || p.y != 384)
            << c.left << " " << c.right << " " << c.top << " " << c.bottom;
    }
}

TEST(BattleVillain, KnockBackIntoAWallBouncesToTheOtherSide) {
    Arena a;
    a.Event(4, 3, 1);  // screen 384..511 x 256..383: her foot box after a push up
    a.Event(4, 5, 1);  // the far side is blocked too; it is not tested again
    Push p = TouchFrom(a, 352, 384, 1);
    EXPECT_EQ(400, p.x);
    EXPECT_EQ(480, p.y);
}

TEST(BattleVillain, TouchDamageAtMostEvery250Ms) {
    VillainFile villain;
    villain.Set(VfTouch, 5);
    Arena a(villain);
    a.hero().attr[HP] = 20;
    auto touch = [&]() {
        a.hero().x = 400;
        a.hero().y = 384;
        a.v().x = 352;
        a.v().y = 384;
        return TouchHeroine(a.g());
    };
    EXPECT_EQ(0, touch()) << "the first contact starts the clock";
    a.clock.Advance(249);
    EXPECT_EQ(0, touch());
    EXPECT_EQ(20, a.hero().attr[HP]);
    a.clock.Advance(1);
    EXPECT_EQ(1, touch());
    EXPECT_EQ(15, a.hero().attr[HP]);
    a.clock.Advance(10);
    EXPECT_EQ(0, touch()) << "restarted by the hurt";

    // Protection above the touch damage still costs 1; the floor is 0 and the battle is lost.
    a.hero().attr[Stealth] = 60;
    EXPECT_EQ(0, touch());
    a.clock.Advance(250);
    EXPECT_EQ(1, touch());
    EXPECT_EQ(14, a.hero().attr[HP]);
    a.hero().attr[Stealth] = 0;
    a.v().touchDamage = 50;
    EXPECT_EQ(0, touch());
    a.clock.Advance(250);
    EXPECT_EQ(1, touch());
    EXPECT_EQ(0, a.hero().attr[HP]);
    EXPECT_EQ(StateHeroDead, a.g().flow.gameState);
}

TEST(BattleVillain, DecideTakesTheFirstFiredTimerWhoseActionIsEnabled) {
    VillainFile villain;
    villain.Set(VfHeals, 1).Set(VfHealPeriod, 0).Set(VfHealPercent, 50);
    villain.Set(VfTeleports, 1).Set(VfTeleportPeriod, 0).Set(VfMoveMode, 1);
    Arena a(villain);
    a.hero().x = 800;
    a.hero().y = 384;
    Decide(a.g());
    EXPECT_EQ(45, a.v().hp) << "heal first";
    EXPECT_EQ(4, a.v().anim[1].state);
    EXPECT_EQ(0, a.v().teleporting);
    EXPECT_EQ(0u, a.v().teleportTimer.now) << "later timers are not even asked";

    a.v().heals = 0;  // the heal timer fires, its action is off: on to the teleport
    Decide(a.g());
    EXPECT_EQ(1, a.v().teleporting);
    EXPECT_EQ(5, a.v().anim[1].state);
    EXPECT_STREQ("sound/tele00.wav", a.audio.lastWave);
    EXPECT_EQ(192, a.v().x);

    a.v().teleports = 0;
    a.v().anim[1].state = 0;
    Decide(a.g());
    EXPECT_EQ(208, a.v().x) << "with spells off and nothing else enabled it moves";
    EXPECT_EQ(1, a.v().anim[1].state);
}

TEST(BattleVillain, ATimerThatFiresWithItsActionOffStillRestarts) {
    VillainFile villain;
    villain.Set(VfHealPeriod, 100).Set(VfHealPercent, 50);
    Arena a(villain);
    Decide(a.g());  // starts the heal timer
    a.clock.Advance(100);
    Decide(a.g());  // fires with heals off
    a.v().heals = 1;
    a.clock.Advance(50);
    Decide(a.g());
    EXPECT_EQ(40, a.v().hp) << "restarted 50 ms ago: no heal yet";
    a.clock.Advance(100);
    Decide(a.g());
    EXPECT_EQ(45, a.v().hp);
}

TEST(BattleVillain, AnOutOfRangeSpellFileIsNeverCast) {
    Arena a;
    a.v().spells[0].file = 100;
    a.v().castFile = 9;
    CastSpell(a.g(), 1);
    EXPECT_EQ(1, a.v().castSlot);
    EXPECT_EQ(9, a.v().castFile);
    EXPECT_EQ(0, a.g().villainSpell.active);
}

TEST(BattleVillain, HealUsesSinglePrecision) {
    VillainFile villain;
    villain.Set(VfHeals, 1).Set(VfHealPercent, 10).Set(VfHp, 45).Set(VfMaxHp, 50);
    Arena a(villain);
    Heal(a.g());
    EXPECT_EQ(46, a.v().hp) << "10% of 5 is 0.5: at least 1";
    EXPECT_STREQ("sound/win.wav", a.audio.lastWave);
    a.v().hp = 100;
    a.v().maxHp = 200;
    a.v().healPercent = 29;
    Heal(a.g());
    EXPECT_EQ(129, a.v().hp) << "in single precision 100 x 0.29 truncates to 29, not 28";
    a.v().hp = 10;
    a.v().healPercent = 0;
    Heal(a.g());
    EXPECT_EQ(10, a.v().hp);
}

TEST(BattleVillain, RandomTurnThresholds) {
    Arena a;
    struct Case {
        int32_t r, from, to;
    } cases[] = {{399999, 1, 1}, {400000, 1, 0}, {599999, 1, 0}, {600000, 1, 2},
                 {799999, 1, 2}, {800000, 1, 3}, {999999, 1, 3}, {1000000, 1, 3},
                 {500000, 0, 1}, {700000, 0, 2}, {900000, 3, 2}};
    for (const Case& c : cases) {
        a.v().facing = c.from;
        ForceNextDraw(a.g(), c.r, 1000000);
        RandomTurn(a.g());
        EXPECT_EQ(c.to, a.v().facing) << "draw " << c.r << " from facing " << c.from;
    }
}

TEST(BattleVillain, ChaseTurnFacesHerOnTheFartherAxis) {
    Arena a;
    struct Case {
        int32_t hx, hy, to;
    } cases[] = {{192, 600, 3}, {192, 100, 2}, {500, 384, 1}, {0, 384, 0},
                 {292, 484, 1}, {92, 284, 0},  {192, 384, 2}};
    for (const Case& c : cases) {
        a.v().facing = 2;
        a.hero().x = c.hx;
        a.hero().y = c.hy;
        ChaseTurn(a.g());
        EXPECT_EQ(c.to, a.v().facing) << c.hx << "," << c.hy;
    }
}

TEST(BattleVillain, LandTeleportOnAFullyBlockedArenaEndsInPlace) {
    Arena a;
    for (int32_t i = 0; i < kViewCells; ++i) a.g().view.cells[Events][i] = 1;
    a.v().x = 320;
    a.v().y = 208;
    a.v().teleporting = 1;
    LandTeleport(a.g());
    EXPECT_EQ(320, a.v().x);
    EXPECT_EQ(208, a.v().y);
    EXPECT_EQ(0, a.v().teleporting);
}

}  // namespace
}  // namespace veloria
