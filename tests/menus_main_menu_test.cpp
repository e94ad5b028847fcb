#include <cstdint>

#include "flow/game_state.h"
#include "hero/actor_record.h"
#include "input/input_device_record.h"
#include "menus/attributes.h"
#include "menus/main_menu.h"
#include "menus_test_support.h"
#include "presentation/random.h"
#include "presentation/renderer.h"

namespace veloria {
namespace {

using MenusMainMenuTest = MenusTest;

TEST_F(MenusMainMenuTest, RollsDealSeventyPointsCappedAtEighteenForManySeeds) {
    for (uint32_t start = 1; start < 400; ++start) {
        t.clock.Set(start * 7919u);
        SeedRandom(g);
        for (int32_t i = 0; i < kAttributes; ++i) g.hero.attr[i] = 99;
        RollAttributes(g);
        int32_t base = 0;
        for (int32_t i = 0; i <= Speed; ++i) {
            ASSERT_GE(g.hero.attr[i], 0);
            ASSERT_LE(g.hero.attr[i], 18) << "attribute " << i << " at start " << start;
            base += g.hero.attr[i];
        }
        ASSERT_LE(g.hero.attr[Unused6], 18);
        ASSERT_EQ(70, base + g.hero.attr[Unused6]) << "start " << start;
        for (int32_t i = Cast; i < kAttributes; ++i) {
            ASSERT_EQ(0, g.hero.attr[i]) << "every other entry is cleared, " << i;
        }
    }
}

TEST_F(MenusMainMenuTest, NewGameDerivesItsValuesFromTheRoll) {
    g.hero.attr[Strength] = 5;
    g.hero.attr[Endurance] = 7;
    g.hero.attr[Wits] = 0;
    g.hero.attr[Speed] = 18;
    g.menus.rerollFlag = 1;
    g.flow.gameState = StateMap;
    StartNewGame(g);
    EXPECT_EQ(6, g.hero.attr[MaxHP]) << "12 / 3 = 4 is raised to the minimum";
    EXPECT_EQ(6, g.hero.attr[HP]);
    EXPECT_EQ(3, g.hero.attr[MaxMP]);
    EXPECT_EQ(3, g.hero.attr[MP]);
    EXPECT_EQ(122, g.hero.stepPeriod);
    EXPECT_EQ(1, g.hero.attr[Level]);
    EXPECT_EQ(1, g.hero.attr[MagicLevel]);
    EXPECT_EQ(100, g.hero.attr[GP]);
    EXPECT_EQ(1, g.hero.attr[PurseLevel]);
    EXPECT_EQ(0, g.menus.rerollFlag);
    EXPECT_EQ(122u, g.input.repeatDelay[JoyLeftRight]);
    EXPECT_STREQ("music/level01.mid", t.audio.openFile);

    g.hero.attr[Strength] = 18;
    g.hero.attr[Endurance] = 18;
    g.hero.attr[Wits] = 18;
    g.hero.attr[Speed] = 0;
    StartNewGame(g);
    EXPECT_EQ(12, g.hero.attr[MaxHP]);
    EXPECT_EQ(9, g.hero.attr[MaxMP]);
    EXPECT_EQ(176, g.hero.stepPeriod);
}

TEST_F(MenusMainMenuTest, StatusPanelShowsNumbersWithTrailingSpacesAndSlashedPairs) {
    for (int32_t i = 0; i < kAttributes; ++i) g.hero.attr[i] = 10 + i;
    g.hero.attr[Power] = 8;
    g.hero.attr[MagicLevel] = 2;
    g.hero.attr[HP] = 17;
    g.hero.attr[MaxHP] = 40;
    MainMenuScreen(g);
    EXPECT_EQ("<none>", ShownText(6)) << "slot 6 is not used";
    EXPECT_EQ("4 ", ShownText(7)) << "Cast is recomputed: (8 + 2 x 3) / 3";
    EXPECT_EQ("17 / 40", ShownText(10));
    EXPECT_EQ("22 / 23", ShownText(12)) << "MP";
    EXPECT_EQ("29 ", ShownText(17));
}

TEST_F(MenusMainMenuTest, MenuPictureFlipsEvery150MillisecondsFromTheFirstFrame) {
    g.menus.menuPictureFrame = 1;
    SetBackgroundFile(g, "art/bg/main_menu1.bmp");
    MainMenuScreen(g);  // starts the timer
    EXPECT_STREQ("art/bg/main_menu1.bmp", g.renderer.presented.background);
    t.clock.Advance(149);
    MainMenuScreen(g);
    EXPECT_STREQ("art/bg/main_menu1.bmp", g.renderer.presented.background);
    t.clock.Advance(1);
    MainMenuScreen(g);
    EXPECT_EQ(2, g.menus.menuPictureFrame);
    EXPECT_STREQ("art/bg/main_menu2.bmp", g.renderer.presented.background);
    MainMenuScreen(g);  // the next frame starts the next period
    t.clock.Advance(150);
    MainMenuScreen(g);
    EXPECT_EQ(1, g.menus.menuPictureFrame);
    EXPECT_STREQ("art/bg/main_menu1.bmp", g.renderer.presented.background);
}

}  // namespace
}  // namespace veloria
