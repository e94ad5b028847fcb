#include <gtest/gtest.h>

#include <cstdint>

#include "battle/battle.h"
#include "battle/damage.h"
#include "battle_support.h"
#include "flow/game.h"
#include "flow/game_state.h"
#include "hero/actor_record.h"
#include "world/level_map_record.h"

namespace veloria {
namespace {

// A heroine standing somewhere on level 4, with guardian spot 25 (guardian 9, villain 3,
// music 2) and random encounters with villain 6.
struct LevelGame : TestGame {
    LevelGame() {
        Write("data/dummy.txt", SpellFileText(0, 0, 0, 0, 0));
        VillainFile guardian;
        guardian.name = "Warden\n";
        Write("data/villains/v03.txt", guardian.Text());
        VillainFile wild;
        wild.name = "Marsh Rat\n";
        wild.Set(VfRewardXp, 10).Set(VfRewardGp, 5);
        Write("data/villains/v06.txt", wild.Text());
        Write("data/villains/v00.txt", VillainFile().Set(VfAlive, 0).Text());
        Game& game = g();
        game.flow.gameState = StateMap;
        game.hero.x = 320;
        game.hero.y = 256;
        game.hero.facing = 2;
        game.hero.attr[Power] = 9;
        game.hero.attr[MagicLevel] = 2;
        game.level.mode = Small;
        game.level.viewCol = 3;
        game.level.viewRow = 2;
        game.level.scrollX = -16;
        game.level.scrollY = 32;
        game.level.levelNumber = 4;
        game.level.levelMusic = 4;
        game.level.battleMap = 2;
        game.level.encounterVillains = 6;
        game.level.guardianSpots[1] = GuardianSpot{9, 3, 2};
    }
};

TEST(BattleSetup, AGuardianSpotStartsItsBattleOnTheRightOfTheArena) {
    LevelGame t;
    Game& g = t.g();
    int waits = t.audio.waitWaves;
    StartGuardianBattle(g, 25);
    EXPECT_EQ(StateBattle, g.flow.gameState);
    EXPECT_EQ(9, g.battle.currentGuardian);
    EXPECT_STREQ("Warden\n", g.villain.name);
    EXPECT_STREQ("music/battle02.mid", g.musicFile) << "the spot's music, two digits";
    EXPECT_EQ(waits + 1, t.audio.waitWaves) << "the battle sound holds the game";
    EXPECT_EQ(5, g.hero.attr[Cast]) << "stats recomputed for the battle";
}

TEST(BattleSetup, ADefeatedGuardianOrAnUnknownSpotStartsNothingAndABadNumberIsNeverMarked) {
    LevelGame t;
    Game& g = t.g();
    g.hero.guardianDefeated[9] = 1;
    StartGuardianBattle(g, 25);
    StartGuardianBattle(g, 23);
    StartGuardianBattle(g, 44);
    EXPECT_EQ(StateMap, g.flow.gameState);
    EXPECT_EQ(320, g.hero.x);

    // A guardian number beyond the flags is fought but never marked.
    g.level.guardianSpots[0] = GuardianSpot{250, 3, 1};
    StartGuardianBattle(g, 24);
    EXPECT_EQ(StateBattle, g.flow.gameState);
    EXPECT_EQ(0, g.battle.currentGuardian);
}

TEST(BattleSetup, EncounterChanceComparesUnsigned) {
    LevelGame t;
    Game& g = t.g();
    g.level.encounterRate = 0;
    for (int i = 0; i < 200; ++i) EncounterCheck(g);
    EXPECT_EQ(StateMap, g.flow.gameState);

    g.level.encounterRate = 10;
    ForceNextDraw(g, 11, 700);
    EncounterCheck(g);
    EXPECT_EQ(StateMap, g.flow.gameState);
    ForceNextDraw(g, 10, 700);
    EncounterCheck(g);
    EXPECT_EQ(StateBattle, g.flow.gameState);
    EXPECT_STREQ("Marsh Rat\n", g.villain.name);
    EXPECT_STREQ("music/battle01.mid", g.musicFile);
}

TEST(BattleSetup, ARandomEncounterNeverMarksAGuardian) {
    LevelGame t;
    Game& g = t.g();
    g.battle.currentGuardian = 9;  // left over from a guardian battle that was lost
    g.level.encounterRate = 700;
    EncounterCheck(g);
    ASSERT_EQ(StateBattle, g.flow.gameState);
    EXPECT_EQ(0, g.battle.currentGuardian);
    GrantRewards(g);
    EXPECT_EQ(0, g.hero.guardianDefeated[9]);
}

TEST(BattleSetup, VictoryPicturesFollowAt300ThenAt60Ms) {
    LevelGame t;
    Game& g = t.g();
    t.display.checkBackgroundFiles = false;
    g.flow.gameState = StateVictory;
    g.battle.earnedXP = 10;
    VictorySequence(g);
    EXPECT_STREQ("art/bg/battle1.bmp", g.renderer.backgroundFile);
    EXPECT_STREQ("music/level06.mid", g.musicFile);
    const uint32_t waits[] = {300, 60, 60};
    for (int step = 2; step <= 4; ++step) {
        SCOPED_TRACE(step);
        EXPECT_EQ(step, g.battle.victoryStep);
        VictorySequence(g);  // starts the step's clock
        t.clock.Advance(waits[step - 2] - 1);
        VictorySequence(g);
        EXPECT_EQ(step, g.battle.victoryStep) << "nothing new before its time";
        EXPECT_EQ(0, g.battle.rewardsShown);
        t.clock.Advance(1);
        VictorySequence(g);
        EXPECT_EQ("art/bg/battle" + std::to_string(step) + ".bmp",
                  std::string(g.renderer.backgroundFile));
    }
    EXPECT_EQ(5, g.battle.victoryStep);
    EXPECT_EQ(1, g.battle.rewardsShown);
    EXPECT_EQ(10, g.hero.attr[XP]);
}

TEST(BattleSetup, TheReturnPutsHerBackExactlyWhereSheStood) {
    LevelGame t;
    Game& g = t.g();
    StartGuardianBattle(g, 25);
    g.hero.x = 100;
    g.hero.y = 500;
    g.hero.facing = 3;
    g.flow.gameState = StateVictory;
    g.battle.victoryStep = 5;
    g.battle.rewardsShown = 1;
    g.mapFrame.mapEntered = 1;
    ReturnFromBattle(g);
    EXPECT_EQ(StateMap, g.flow.gameState);
    EXPECT_EQ(320, g.hero.x);
    EXPECT_EQ(256, g.hero.y);
    EXPECT_EQ(2, g.hero.facing);
    EXPECT_EQ(3, g.level.viewCol);
    EXPECT_EQ(2, g.level.viewRow);
    EXPECT_EQ(-16, g.level.scrollX);
    EXPECT_EQ(32, g.level.scrollY);
    EXPECT_EQ(Small, g.level.mode);
    EXPECT_EQ(1, g.battle.victoryStep) << "ready for the next victory";
    EXPECT_EQ(0, g.battle.rewardsShown);
}

}  // namespace
}  // namespace veloria
