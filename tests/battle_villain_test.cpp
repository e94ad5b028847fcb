#include <gtest/gtest.h>

#include "battle_support.h"
#include "content/reader.h"
#include "world/villain.h"

namespace veloria {
namespace {

// A game in battle with a villain loaded from v05 and an empty arena.
struct Arena : TestGame {
    explicit Arena(const VillainSpec& spec = VillainSpec()) {
        Write("data/villains/v05.txt", spec.Text());
        g().flow.gameState = StateBattle;
        LoadVillain(g(), 5);
    }
    Villain& v() { return g().villain; }
    Actor& hero() { return g().hero; }
    void Wall(int32_t col, int32_t row) { g().view.cells[Events][row * kViewColumns + col] = 1; }
};

TEST(BattleVillain, LoadReadsFieldsResetsTimersAndPlacesTheVillain) {
    VillainSpec spec;
    spec.Set(VfSpell1 + 3, 700).Set(VfSpell1 + 4, 12).Set(VfSpell1 + 5, 9).Set(VfBoxTurns, 1);
    spec.name = "Abcdefghijklmnopqrstuvwxyz\n";
    TestGame t;
    t.Write("data/villains/v07.txt", spec.Text());
    Villain& v = t.g().villain;
    v.thinkTimer.start = 5;
    v.spellTimer[2].start = 5;
    v.touchTimer.start = 5;
    v.castSlot = 3;
    v.facing = 2;
    LoadVillain(t.g(), 7);
    EXPECT_EQ(500, v.thinkPeriod);
    EXPECT_EQ(1, v.alive);
    EXPECT_EQ(700, v.spells[1].period);
    EXPECT_EQ(12, v.spells[1].file);
    EXPECT_EQ(9, v.spells[1].damage);
    EXPECT_EQ(1, v.boxTurns);
    EXPECT_EQ(115, v.anim[1].tiles[5]);
    EXPECT_STREQ("Abcdefghijklmnopqrs", v.name);
    EXPECT_EQ(192, v.x);
    EXPECT_EQ(384, v.y);
    EXPECT_EQ(1, v.facing);
    EXPECT_EQ(0u, v.thinkTimer.start);
    EXPECT_EQ(0u, v.spellTimer[2].start);
    EXPECT_EQ(5u, v.touchTimer.start) << "only the decision timers are reset";
    EXPECT_EQ(3, v.castSlot);
}

TEST(BattleVillain, BadIndicesInTheFileAreSkippedAndDrawingStaysInsideTheFrames) {
    VillainSpec spec;
    spec.Set(3, 5000).Set(7 + 6, 9).Set(VfSpell1 + 1, 250);
    TestGame t;
    t.Write("data/villains/v08.txt", spec.Text());
    Villain& v = t.g().villain;
    int before = ContentWarningCount();
    testing::internal::CaptureStderr();
    LoadVillain(t.g(), 8);
    std::string err = testing::internal::GetCapturedStderr();
    EXPECT_EQ(before + 3, ContentWarningCount());
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

TEST(BattleVillain, AMissingVillainFileKeepsThePreviousRecord) {
    Arena a;
    LoadVillain(a.g(), 42);
    EXPECT_EQ(1, a.v().alive);
    EXPECT_STREQ("Grimthorn\n", a.v().name);
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
    // Level with her, 48 to her left: the vertical distance is the smaller one.
    Push p = TouchFrom(a, 352, 384, 1);
    EXPECT_EQ(400, p.x);
    EXPECT_EQ(288, p.y) << "pushed up";
    p = TouchFrom(a, 352, 384, 2);
    EXPECT_EQ(480, p.y) << "pushed down when she faces up";
    // Nearer horizontally: pushed away from the villain on that axis.
    p = TouchFrom(a, 384, 336, 3);
    EXPECT_EQ(496, p.x);
    EXPECT_EQ(384, p.y);
    p = TouchFrom(a, 416, 336, 3);
    EXPECT_EQ(304, p.x);
    // Equal distances: her facing picks the axis.
    p = TouchFrom(a, 368, 352, 1);
    EXPECT_EQ(496, p.x);
    EXPECT_EQ(384, p.y);
    p = TouchFrom(a, 368, 352, 3);
    EXPECT_EQ(400, p.x);
    EXPECT_EQ(480, p.y);
    // On her very spot: away from where she faces.
    p = TouchFrom(a, 400, 384, 0);
    EXPECT_EQ(496, p.x);
    p = TouchFrom(a, 400, 384, 1);
    EXPECT_EQ(304, p.x);
    EXPECT_EQ(2, a.hero().anim[1].state) << "hit pose in her facing";
    // No overlap, no push.
    p = TouchFrom(a, 100, 100, 1);
    EXPECT_EQ(400, p.x);
    EXPECT_EQ(384, p.y);
}

TEST(BattleVillain, KnockBackIntoAWallBouncesToTheOtherSide) {
    Arena a;
    a.Wall(4, 3);  // screen 384..511 x 256..383: her foot box after a push up
    a.Wall(4, 5);  // the far side is blocked too; it is not tested again
    Push p = TouchFrom(a, 352, 384, 1);
    EXPECT_EQ(400, p.x);
    EXPECT_EQ(480, p.y);
}

TEST(BattleVillain, TouchMarginsTurnWithTheFacing) {
    VillainSpec spec;
    spec.Set(VfBox, 100).Set(VfBoxTurns, 1);  // left margin 100 when facing right
    Arena a(spec);
    // Villain at her height, 88 to her left: with the margin on its far side the box still
    // reaches her foot box; turned left, the margin moves to the side facing her.
    a.v().facing = 1;
    EXPECT_NE(384, TouchFrom(a, 312, 384, 1).y);
    a.v().facing = 0;
    EXPECT_EQ(384, TouchFrom(a, 312, 384, 1).y);
    a.v().boxTurns = 5;  // undefined turning: margins of 0
    EXPECT_NE(384, TouchFrom(a, 312, 384, 1).y);
}

TEST(BattleVillain, TouchDamageAtMostEvery250Ms) {
    VillainSpec spec;
    spec.Set(VfTouch, 5);
    Arena a(spec);
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
    EXPECT_EQ(0, touch());
    a.clock.Advance(249);
    EXPECT_EQ(0, touch());
    a.clock.Advance(1);
    EXPECT_EQ(1, touch());
    EXPECT_EQ(10, a.hero().attr[HP]);

    // Protection above the touch damage still costs 1; the floor is 0 and the battle is lost.
    a.hero().attr[Stealth] = 60;
    EXPECT_EQ(0, touch());
    a.clock.Advance(250);
    EXPECT_EQ(1, touch());
    EXPECT_EQ(9, a.hero().attr[HP]);
    a.hero().attr[Stealth] = 0;
    a.v().touchDamage = 50;
    EXPECT_EQ(0, touch());
    a.clock.Advance(250);
    EXPECT_EQ(1, touch());
    EXPECT_EQ(0, a.hero().attr[HP]);
    EXPECT_EQ(StateHeroDead, a.g().flow.gameState);
}

TEST(BattleVillain, NoDecisionOnAFrameThatHurtsAndNoneOutsideTheBattle) {
    VillainSpec spec;
    spec.Set(VfThink, 0).Set(VfMoveMode, 1).Set(VfTouch, 3);
    Arena a(spec);
    a.v().touchTimer.start = 1;  // long since started: this touch hurts
    a.hero().attr[HP] = 50;
    a.hero().x = 400;
    a.hero().y = 384;
    a.v().x = 352;
    a.v().y = 384;
    UpdateVillain(a.g());
    EXPECT_EQ(352, a.v().x) << "no step on the frame it dealt damage";
    a.hero().x = 800;
    UpdateVillain(a.g());
    EXPECT_EQ(368, a.v().x) << "chases her one step";
    a.g().flow.gameState = StateDialog;
    UpdateVillain(a.g());
    EXPECT_EQ(368, a.v().x);
}

TEST(BattleVillain, DecideTakesTheFirstFiredTimerWhoseActionIsEnabled) {
    VillainSpec spec;
    spec.Set(VfHeals, 1).Set(VfHealPeriod, 0).Set(VfHealPercent, 50);
    spec.Set(VfTeleports, 1).Set(VfTeleportPeriod, 0).Set(VfMoveMode, 1);
    Arena a(spec);
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
    VillainSpec spec;
    spec.Set(VfHealPeriod, 100).Set(VfHealPercent, 50);
    Arena a(spec);
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

TEST(BattleVillain, SpellSlotsCastInOrderWithinTheSpellCount) {
    VillainSpec spec;
    spec.Set(VfSpellCount, 1).Set(VfSpell1 + 3, 0).Set(VfSpell1 + 4, 3).Set(VfMoveMode, 1);
    spec.Set(VfSpell1, 1000);
    Arena a(spec);
    a.Write("data/spells/cast03.txt", SpellFileText(77, 40, 0, 5));
    a.hero().x = 800;
    a.hero().y = 384;
    Decide(a.g());  // slot 1 timer starts, slot 2 fires but the count is 1: it moves
    EXPECT_EQ(0, a.g().villainSpell.active);
    EXPECT_EQ(208, a.v().x);
    a.v().spellCount = 2;
    Decide(a.g());
    EXPECT_EQ(2, a.v().castSlot);
    EXPECT_EQ(3, a.v().castFile);
    EXPECT_EQ(1, a.g().villainSpell.active);
    EXPECT_EQ(3, a.v().anim[1].state);
    EXPECT_STREQ("sound/spell03.wav", a.audio.lastWave);
    EXPECT_EQ(208, a.v().x);
}

TEST(BattleVillain, CastingWhileTheShotFliesOnlyRecordsTheSlot) {
    VillainSpec spec;
    spec.Set(VfSpellCount, 3).Set(VfSpell1 + 1, 4).Set(VfSpell1 + 7, 6);
    Arena a(spec);
    a.Write("data/spells/cast04.txt", SpellFileText(77, 40, 0, 5));
    CastSpell(a.g(), 1);
    ASSERT_EQ(1, a.g().villainSpell.active);
    a.g().villainSpell.x = 555;
    a.v().anim[1].state = 0;
    CastSpell(a.g(), 3);
    EXPECT_EQ(3, a.v().castSlot);
    EXPECT_EQ(4, a.v().castFile);
    EXPECT_EQ(555, a.g().villainSpell.x);
    EXPECT_EQ(0, a.v().anim[1].state);
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
    VillainSpec spec;
    spec.Set(VfHeals, 1).Set(VfHealPercent, 10).Set(VfHp, 45).Set(VfMaxHp, 50);
    Arena a(spec);
    Heal(a.g());
    EXPECT_EQ(46, a.v().hp) << "10% of 5 is 0.5: at least 1";
    EXPECT_STREQ("sound/win.wav", a.audio.lastWave);
    a.v().hp = 100;
    a.v().maxHp = 200;
    a.v().healPercent = 29;
    Heal(a.g());
    EXPECT_EQ(129, a.v().hp) << "in single precision 100 x 0.29 truncates to 29, not 28";
    a.v().hp = 200;
    int waves = a.audio.waves;
    Heal(a.g());
    a.v().hp = 10;
    a.v().healPercent = 0;
    Heal(a.g());
    EXPECT_EQ(10, a.v().hp);
    EXPECT_EQ(waves, a.audio.waves) << "nothing missing or nothing to heal: no heal at all";
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
    // Mixed: below 500 of 1000 a random turn, otherwise the chase.
    a.hero().x = 192;
    a.hero().y = 800;
    a.v().facing = 1;
    ForceNextDraw(a.g(), 500, 1000);
    MixedTurn(a.g());
    EXPECT_EQ(3, a.v().facing) << "chases her downwards";
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

TEST(BattleVillain, MovesAreStoppedByAnyMapFeatureAndStandStillKeepsItsFrame) {
    VillainSpec spec;
    spec.Set(VfMoveMode, 1);
    Arena a(spec);
    a.hero().x = 800;
    a.hero().y = 384;
    a.g().view.cells[Events][5 * kViewColumns + 3] = -4;  // x 256..383 y 512..639
    a.v().y = 400;
    MoveVillain(a.g());
    EXPECT_EQ(192, a.v().x) << "a negative event code blocks it too";
    EXPECT_EQ(1, a.v().anim[1].state) << "the frame flips even when the step is undone";
    a.v().moveMode = 3;
    MoveVillain(a.g());
    MoveVillain(a.g());
    EXPECT_EQ(1, a.v().anim[1].state);
    EXPECT_EQ(192, a.v().x);
}

TEST(BattleVillain, TeleportLandsOnTheGridAfterItsVanishTime) {
    Arena a;
    StartTeleport(a.g());
    DrawVillain(a.g());
    EXPECT_EQ(192, a.v().x);
    EXPECT_EQ(1, a.v().teleporting);
    a.clock.Advance(100);
    ForceNextDraw(a.g(), 10, 64);
    DrawVillain(a.g());
    EXPECT_EQ(0, a.v().teleporting);
    EXPECT_EQ(0, a.v().anim[1].state);
    EXPECT_EQ(160, a.v().x);
    EXPECT_EQ(0, a.v().y % 16);
    EXPECT_LE(a.v().y, 752);
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

TEST(BattleVillain, DrawEndsTimedStatesAndPlacesSlot241) {
    Arena a;
    a.v().anim[1].state = 3;
    DrawVillain(a.g());
    EXPECT_EQ(3, a.v().anim[1].state);
    a.clock.Advance(200);
    DrawVillain(a.g());
    EXPECT_EQ(1, a.v().anim[1].state) << "casting ends in walking frame 1";
    a.v().anim[1].state = 2;
    DrawVillain(a.g());
    a.clock.Advance(100);
    DrawVillain(a.g());
    EXPECT_EQ(0, a.v().anim[1].state) << "the hit pose ends in frame 0";
    const QuadSlot& q = a.g().renderer.quads[241];
    EXPECT_FLOAT_EQ(192.0f, q.v[0].x);
    EXPECT_FLOAT_EQ(384.0f, q.v[0].y);
    EXPECT_FLOAT_EQ(320.0f, q.v[4].x);
    EXPECT_FLOAT_EQ(512.0f, q.v[4].y);
    // Tile 110 lies in column 14, row 3.
    EXPECT_FLOAT_EQ(14 * 0.03125f, q.v[0].u);
    EXPECT_FLOAT_EQ(3 * 0.03125f, q.v[0].v);
}

}  // namespace
}  // namespace veloria
