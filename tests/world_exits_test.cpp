#include <gtest/gtest.h>

#include <string>

#include "flow/game.h"
#include "flow/game_state.h"
#include "hero/actor_record.h"
#include "presentation/sound.h"
#include "world/exits.h"
#include "world/level_map_record.h"
#include "world_support.h"

namespace veloria {
namespace {

struct ExitWorld : WorldGame {
    ExitWorld() {
        SmallLevelText next;
        next.Cell(Ground, 0, 0, 4);
        Write("levels/level02.txt", next.Text());
        LevelExit& e = g().level.exits[1];
        e = {2, 512, 256, Small, 1, 2, 5, 3, 9, 0, -16, 4};
        WriteDialogs({16, 17});
    }
};

TEST(WorldExits, TakeExitLoadsTheDestinationAndPutsTheHeroThere) {
    ExitWorld w;
    Game& g = w.g();
    TakeExit(g, 3);
    const LevelMap& m = g.level;
    EXPECT_EQ(2, m.levelNumber);
    EXPECT_EQ(4, m.smallLayers[Ground][0]);
    EXPECT_EQ(512, g.hero.x);
    EXPECT_EQ(256, g.hero.y);
    EXPECT_EQ(1, m.viewCol) << "the exit's view, not the load's reset";
    EXPECT_EQ(-16, m.scrollY);
    EXPECT_EQ(5, m.encounterVillains);
    EXPECT_EQ(9, m.encounterRate);
    EXPECT_EQ(1, w.display.blackFrames);
    EXPECT_STREQ("music/level04.mid", g.musicFile);
    EXPECT_EQ(324, g.renderer.presented.quads) << "the new place is drawn at once";
}

TEST(WorldExits, SameMusicPlaysOnThroughAnExitButALairAlwaysRestartsIt) {
    ExitWorld w;
    Game& g = w.g();
    ChangeMusic(g, "music/level04.mid");
    int opens = w.audio.opens;
    int seeks = w.audio.seeks;
    TakeExit(g, 3);
    EXPECT_EQ(opens, w.audio.opens);
    EXPECT_EQ(seeks, w.audio.seeks);

    g.level.exits[0] = {2, 512, 256, Small, 0, 0, 1, 1, 0, 0, 0, 5};
    TakeExit(g, 2);
    EXPECT_EQ(opens + 1, w.audio.opens);
    EXPECT_STREQ("music/level05.mid", w.audio.openFile);

    g.level.lairIds[0] = 3;
    w.Write("data/lair/hlair03.txt", "2 256 384 2 0 0 1 1 0 0 0 5\n");
    opens = w.audio.opens;
    EnterLair(g, 44);
    EXPECT_EQ(opens + 1, w.audio.opens) << "same piece, restarted";
    EXPECT_EQ(2, g.hero.lairs[3].exit.destLevel);
    EXPECT_EQ(5, g.level.levelMusic);
}

TEST(WorldExits, ExitsAndLairsOutsideTheMapStatesOrIntoNoMapDoNotMoveHer) {
    ExitWorld w;
    Game& g = w.g();
    g.flow.gameState = StateBattle;
    TakeExit(g, 3);
    EXPECT_EQ(0, g.level.levelNumber);
    EXPECT_EQ(0, w.display.blackFrames);

    g.flow.gameState = StateMap;
    g.level.exits[1].mapMode = 9;
    testing::internal::CaptureStderr();
    TakeExit(g, 3);
    EXPECT_NE(std::string::npos, testing::internal::GetCapturedStderr().find("map mode 9"));
    EXPECT_EQ(0, g.level.levelNumber);
    EXPECT_EQ(Small, g.level.mode);

    TakeExit(g, 7);  // not an exit code
    EnterLair(g, 46);
    g.level.lairIds[1] = 30;
    EnterLair(g, 45);
    EXPECT_EQ(0, g.level.levelNumber);

    // A lair in battle is read, but she stays in the arena.
    g.flow.gameState = StateBattle;
    g.level.lairIds[1] = 0;
    w.Write("data/lair/hlair00.txt", "2 256 384 2 0 0 1 1 0 0 0 3\n");
    g.hero.x = 704;
    EnterLair(g, 45);
    EXPECT_EQ(2, g.hero.lairs[0].exit.destLevel);
    EXPECT_EQ(704, g.hero.x);
    EXPECT_EQ(0, g.level.levelNumber);
}

TEST(WorldExits, DiggingCutsTheFindToThePurseAndNamesTheFullAmount) {
    ExitWorld w;
    Game& g = w.g();
    g.hero.attr[PurseLevel] = 1;
    g.hero.attr[GP] = 150;
    g.level.treasureIds[1] = 12;
    w.Write("data/hidden/ht12.txt", "12 100\n");
    DigTreasure(g, 23);
    EXPECT_EQ(200, g.hero.attr[GP]);
    EXPECT_EQ(1, g.hiddenTreasures[12].dug);
    EXPECT_STREQ("You've dug up 100 GP!", g.dialog.lines[0]) << "the full amount";
    EXPECT_EQ(StateDialog, g.flow.gameState);

    g.flow.gameState = StateMap;
    DigTreasure(g, 23);
    EXPECT_EQ(17, ShownDialog(g));
    EXPECT_STREQ("sound/nomag.wav", w.audio.lastWave);
    for (int code : {0, 59, 60, 1}) {
        g.flow.gameState = StateMap;
        DigTreasure(g, code);
        EXPECT_EQ(16, ShownDialog(g)) << code;
    }
    EXPECT_EQ(200, g.hero.attr[GP]);
}

TEST(WorldExits, TreasureFileRecordsAreChecked) {
    ExitWorld w;
    Game& g = w.g();
    g.hero.attr[PurseLevel] = 10;
    g.level.treasureIds[0] = 4;
    w.Write("data/hidden/ht04.txt", "77 500\n");
    int before = w.warnings.Count();
    testing::internal::CaptureStderr();
    DigTreasure(g, 22);
    std::string err = testing::internal::GetCapturedStderr();
    EXPECT_EQ(before + 1, w.warnings.Count());
    EXPECT_NE(std::string::npos, err.find("data/hidden/ht04.txt:1:"));
    EXPECT_EQ(0, g.hero.attr[GP]) << "nothing was read for treasure 4";
    EXPECT_STREQ("You've dug up 0 GP!", g.dialog.lines[0]);

    // A spot naming no treasure holds nothing.
    g.flow.gameState = StateMap;
    g.level.treasureIds[1] = -1;
    DigTreasure(g, 23);
    EXPECT_EQ(16, ShownDialog(g));
    TreasureHint(g, 23);  // and gives no hint, and reads nothing
}

}  // namespace
}  // namespace veloria
