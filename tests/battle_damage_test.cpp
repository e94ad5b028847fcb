#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>

#include "battle/damage.h"
#include "battle_support.h"
#include "flow/game_state.h"
#include "hero/actor.h"
#include "presentation/renderer_record.h"
#include "world/level_map_record.h"

namespace veloria {
namespace {

struct DamageGame : BattleGame {
    DamageGame()
        : BattleGame(VillainFile()
                         .Set(VfHp, 100)
                         .Set(VfMaxHp, 100)
                         .Set(VfMojo, 3)
                         .Set(VfRewardXp, 120)
                         .Set(VfRewardGp, 35)) {
        Write("data/villains/v00.txt", VillainFile().Set(VfAlive, 0).Set(VfHp, 0).Text());
        g().heroSpell.active = 1;
        g().heroSpell.castFacing = 1;
        hero().attr[Power] = 9;
        hero().attr[MagicLevel] = 2;
        hero().attr[MaxHP] = 30;
        hero().attr[HP] = 30;
        hero().attr[PurseLevel] = 1;
    }
};

TEST(BattleDamage, AHeroHitCostsTheVillainAndPushesItAlongTheFlight) {
    DamageGame d;
    DamageVillain(d.g(), d.g().heroSpell);
    // Cast = (9 + 2 x 3) / 3 = 5; 5 + 10 x 2 - 3 = 22.
    EXPECT_EQ(78, d.v().hp);
    EXPECT_EQ(10, d.hero().attr[MagicXP]);
    EXPECT_EQ(0, d.g().heroSpell.attr[MagicXP]) << "the spell is spent";
    EXPECT_EQ(256, d.v().x);
    EXPECT_EQ(StateBattle, d.g().flow.gameState);

    // Pushed into a map feature it goes back where it was.
    d.g().view.cells[Events][4 * kViewColumns + 4] = 30;  // x 384..511, y 384..511
    LoadActor(d.g(), d.g().heroSpell, "data/spells/cast01.txt");
    DamageVillain(d.g(), d.g().heroSpell);
    EXPECT_EQ(256, d.v().x);
    EXPECT_EQ(56, d.v().hp);
}

TEST(BattleDamage, EveryHitCostsAtLeastOne) {
    DamageGame d;
    d.hero().attr[Power] = 0;
    d.hero().attr[MagicLevel] = 0;
    d.v().mojo = 50;
    DamageVillain(d.g(), d.g().heroSpell);
    EXPECT_EQ(99, d.v().hp);

    // The villain's spell weaker than her protection still costs 1.
    d.hero().equip[2].items[0].mojo = 10;
    d.v().castSlot = 2;
    d.v().spells[1].damage = 3;
    DamageHero(d.g());
    EXPECT_EQ(29, d.hero().attr[HP]);
    d.v().spells[1].damage = 14;
    DamageHero(d.g());
    EXPECT_EQ(25, d.hero().attr[HP]);
}

TEST(BattleDamage, ACastSlotOutsideTheThreeSlotsDoesOnlyTheFloor) {
    DamageGame d;
    d.v().spells[0].damage = 100;
    d.v().spells[2].damage = 100;
    for (int32_t slot : {0, 4, -1, 1000000}) {
        d.v().castSlot = slot;
        DamageHero(d.g());
    }
    EXPECT_EQ(26, d.hero().attr[HP]);
}

TEST(BattleDamage, TheLastHitWinsAndEmptiesTheArena) {
    DamageGame d;
    d.v().hp = 5;
    d.g().villainSpell.active = 1;
    int waits = d.audio.waitWaves;
    DamageVillain(d.g(), d.g().heroSpell);
    EXPECT_EQ(StateVictory, d.g().flow.gameState);
    EXPECT_EQ(120, d.g().battle.earnedXP);
    EXPECT_EQ(35, d.g().battle.earnedGP);
    EXPECT_EQ(10, d.hero().attr[MagicXP]) << "the last hit still teaches magic";
    EXPECT_EQ(0, d.v().alive);
    EXPECT_EQ(0, d.g().villainSpell.active);
    EXPECT_EQ(waits + 1, d.audio.waitWaves);

    DamageGame e;  // the empty villain file is gone: the beaten villain stops all the same
    std::remove(e.Path("data/villains/v00.txt").c_str());
    e.v().hp = 1;
    DamageVillain(e.g(), e.g().heroSpell);
    EXPECT_EQ(0, e.v().alive);
}

TEST(BattleDamage, AVictoryRaisesEachLevelByOneAtMost) {
    DamageGame d;
    d.hero().attr[Level] = 3;
    d.hero().attr[XP] = 9880;
    d.hero().attr[MaxHP] = 25;
    d.hero().attr[HP] = 4;
    d.hero().attr[Endurance] = 5;
    d.hero().attr[MagicLevel] = 1;
    d.hero().attr[MagicXP] = 9000;
    d.hero().attr[MaxMP] = 5;
    d.hero().attr[MP] = 0;
    d.hero().attr[Wits] = 2;
    d.g().battle.earnedXP = 120;
    GrantRewards(d.g());
    EXPECT_EQ(10000, d.hero().attr[XP]);
    EXPECT_EQ(4, d.hero().attr[Level]);
    EXPECT_EQ(27, d.hero().attr[MaxHP]) << "2 + 5 / 6";
    EXPECT_EQ(27, d.hero().attr[HP]);
    EXPECT_EQ(2, d.hero().attr[MagicLevel]);
    EXPECT_EQ(6, d.hero().attr[MaxMP]) << "0 + 2 / 6 is raised to 1";
    EXPECT_EQ(6, d.hero().attr[MP]);
    const TextSlot* t = d.g().renderer.texts;
    EXPECT_STREQ("Earned 120 XP", t[0].text);
    EXPECT_STREQ("Hero Level Up!", t[2].text);
    EXPECT_STREQ("Magic Level Up!", t[3].text);
    EXPECT_EQ(1, d.g().battle.rewardsShown);
}

TEST(BattleDamage, GoldBeyondThePurseIsLost) {
    DamageGame d;
    d.hero().attr[GP] = 190;
    d.g().battle.earnedGP = 50;
    GrantRewards(d.g());
    EXPECT_EQ(200, d.hero().attr[GP]);
    d.hero().attr[GP] = 200;
    GrantRewards(d.g());
    EXPECT_EQ(200, d.hero().attr[GP]);
    EXPECT_STREQ("Earned 50 GP", d.g().renderer.texts[1].text) << "what was earned, not kept";
}

}  // namespace
}  // namespace veloria
