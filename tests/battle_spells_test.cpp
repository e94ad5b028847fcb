#include <gtest/gtest.h>

#include <cstdint>

#include "battle_support.h"
#include "hero/actor.h"
#include "hero/spells.h"
#include "world/villain_record.h"

namespace veloria {
namespace {

struct SpellGame : BattleGame {
    SpellGame() : BattleGame(VillainFile().Set(VfHp, 100).Set(VfMaxHp, 100)) {
        g().villainSpell.facing = 1;
        hero().x = 400;
        hero().y = 384;
        hero().attr[MP] = 20;
        hero().selectedSpell = 1;
    }
    // Puts the heroine's shot at (400, 384) flying right, ready to step: its foot box lies in
    // view cell (4, 4).
    void ReadyShot() {
        LoadActor(g(), shot(), "data/spells/cast01.txt");
        shot().x = 400;
        shot().y = 384;
        shot().facing = 1;
        shot().active = 1;
        shot().stepTimer.start = 1;
    }
};

TEST(BattleSpells, HeroShotsStartBesideHerAndCostMagic) {
    SpellGame s;
    struct Case {
        int32_t facing, x, y;
    } cases[] = {{0, 342, 384}, {1, 430, 384}, {2, 400, 304}, {3, 400, 448}};
    int32_t mp = 20;
    for (const Case& c : cases) {
        s.hero().facing = c.facing;
        CastHeroSpell(s.g());
        mp -= 4;
        EXPECT_EQ(c.x, s.shot().x) << "facing " << c.facing;
        EXPECT_EQ(c.y, s.shot().y) << "facing " << c.facing;
        EXPECT_EQ(c.facing, s.shot().castFacing);
        EXPECT_EQ(mp, s.hero().attr[MP]);
    }
    EXPECT_STREQ("sound/spell01.wav", s.audio.lastWave);
}

TEST(BattleSpells, ASelectedSpellOutsideTheFourNeverFlies) {
    SpellGame s;
    s.hero().selectedSpell = 9;
    CastHeroSpell(s.g());
    EXPECT_EQ(0, s.shot().active);
    EXPECT_EQ(20, s.hero().attr[MP]);
}

TEST(BattleSpells, VillainShotsStartNearerBelow) {
    SpellGame s;
    Villain& v = s.g().villain;
    v.x = 192;
    v.y = 384;
    v.castFile = 7;
    s.g().villainSpell.castFacing = 2;
    struct Case {
        int32_t facing, x, y;
    } cases[] = {{0, 134, 384}, {1, 222, 384}, {2, 192, 304}, {3, 192, 408}};
    for (const Case& c : cases) {
        v.facing = c.facing;
        LaunchVillainSpell(s.g());
        EXPECT_EQ(c.x, s.g().villainSpell.x) << "facing " << c.facing;
        EXPECT_EQ(c.y, s.g().villainSpell.y) << "facing " << c.facing;
    }
    EXPECT_EQ(2, s.g().villainSpell.castFacing) << "only the heroine's cast sets it";
}

TEST(BattleSpells, OnlyTheFirstSpellOpensLairsAndBreaksBarriers) {
    SpellGame s;
    s.g().level.lairIds[1] = 3;
    s.g().level.barrierIds[0] = 7;

    s.Event(4, 4, 45);
    s.ReadyShot();
    StepProjectile(s.g(), s.shot());
    EXPECT_EQ(0, s.shot().active) << "any spell stops at a closed lair";
    EXPECT_EQ(0, s.hero().lairs[3].opened);

    s.hero().selectedSpell = 0;
    s.ReadyShot();
    StepProjectile(s.g(), s.shot());
    EXPECT_EQ(0, s.shot().active);
    EXPECT_EQ(1, s.hero().lairs[3].opened);
    EXPECT_STREQ("sound/win.wav", s.audio.lastWave);

    s.ReadyShot();
    StepProjectile(s.g(), s.shot());
    EXPECT_EQ(1, s.shot().active) << "an open lair lets shots through";

    s.Event(4, 4, 46);
    s.ReadyShot();
    StepProjectile(s.g(), s.shot());
    EXPECT_EQ(0, s.shot().active);
    EXPECT_EQ(1, s.hero().barrierBroken[7]);
}

TEST(BattleSpells, LairAndBarrierNumbersOutsideTheirTablesAreNoObstacle) {
    SpellGame s;
    s.hero().selectedSpell = 0;
    s.g().level.lairIds[0] = 30;
    s.g().level.barrierIds[1] = -1;
    s.Event(4, 4, 44);
    s.ReadyShot();
    StepProjectile(s.g(), s.shot());
    EXPECT_EQ(1, s.shot().active);
    s.Event(4, 4, 47);
    s.ReadyShot();
    StepProjectile(s.g(), s.shot());
    EXPECT_EQ(1, s.shot().active);
}

TEST(BattleSpells, TheHeroShotHitsWithin63PixelsOnBothAxes) {
    SpellGame s;
    Villain& v = s.g().villain;
    struct Case {
        int32_t dx, dy;
        bool hit;
    } cases[] = {{63, 63, true},   {64, 0, false},   {0, 64, false}, {-63, -63, true},
                 {-64, 10, false}, {10, -64, false}, {0, 0, true}};
    for (const Case& c : cases) {
        v.x = 400;
        v.y = 256;
        v.hp = 100;
        v.anim[1].state = 0;
        s.ReadyShot();
        s.shot().x = 400 + c.dx;
        s.shot().y = 256 + c.dy;
        HeroSpellHits(s.g());
        EXPECT_EQ(c.hit, v.hp < 100) << c.dx << "," << c.dy;
        EXPECT_EQ(c.hit ? 2 : 0, v.anim[1].state) << c.dx << "," << c.dy;
    }
}

}  // namespace
}  // namespace veloria
