#include <gtest/gtest.h>

#include <string>

#include "flow/game.h"
#include "flow/game_state.h"
#include "hero/dialog.h"
#include "presentation/renderer.h"
#include "presentation/timer.h"
#include "world/level_map_record.h"
#include "world/map_frame.h"
#include "world_support.h"

namespace veloria {
namespace {

TEST(WorldFrame, LayersArePlacedInTheirSlotsUnderTheScroll) {
    WorldGame w;
    Game& g = w.g();
    g.level.viewCol = 3;
    g.level.scrollX = 16;
    for (int row = 0; row < 12; ++row) {
        g.level.smallLayers[Ground][3 + row * 16] = 5;
        g.level.smallLayers[Ground][11 + row * 16] = 6;
    }
    g.level.smallLayers[Top][4 + 2 * 16] = 33;
    g.level.smallLayers[Animated][5 + 2 * 16] = 7;
    g.anims.entries[7].tiles[0] = 368;
    g.anims.entries[7].tiles[1] = 369;
    g.anims.entries[7].frame = 1;
    MapFrame(g);

    // Map column 3 is view column 1, drawn from -16 to 111; column 11 from 1008 to 1135.
    PlacedQuad a = Quad(g, 1 + 3 * 10);
    EXPECT_EQ(-16.0f, a.left);
    EXPECT_EQ(111.0f + 1.0f, a.right);
    EXPECT_EQ(256.0f, a.top) << "map row 2";
    EXPECT_EQ(5, a.tile);
    PlacedQuad b = Quad(g, 9 + 3 * 10);
    EXPECT_EQ(1008.0f, b.left);
    EXPECT_EQ(6, b.tile);
    EXPECT_EQ(33, Quad(g, 244 + 2 + 3 * 10).tile) << "top layer after the sprite slots";
    EXPECT_EQ(369, Quad(g, 160 + 3 + 3 * 10).tile) << "animated entry's current frame";
    EXPECT_EQ(256.0f, Quad(g, 242).left) << "hero at her screen position, whatever the scroll";
    EXPECT_EQ(324, g.renderer.presented.quads);
    EXPECT_EQ(0, g.renderer.presented.background[0]);
}

TEST(WorldFrame, DialogAndPlayTimeStatesDrawTheBox) {
    WorldGame w;
    Game& g = w.g();
    w.Write("data/dialog/dialog05.txt", "2\nFirst line\nSecond line\nnot announced\n");
    LoadDialogNumber(g, 5);
    g.flow.gameState = StateDialog;
    g.level.scrollX = 16;
    MapFrame(g);
    const PresentedFrame& p = g.renderer.presented;
    EXPECT_EQ(328, p.quads);
    for (int k = 0; k < 4; ++k) {
        PlacedQuad q = Quad(g, 323 + k);
        EXPECT_EQ(240.0f + 128.0f * k, q.left);
        EXPECT_EQ(128.0f, q.top);
        EXPECT_EQ(25 + k, q.tile);
    }
    ASSERT_EQ(2, p.textCount);
    EXPECT_STREQ("First line\n", p.texts[0].text);
    EXPECT_EQ(320, p.texts[0].left);
    EXPECT_EQ(148, p.texts[0].top);
    EXPECT_EQ(173, p.texts[1].top);
    EXPECT_EQ(kColourDarkRed, p.texts[1].colour);

    g.flow.gameState = StatePlayTime;
    g.hero.playTime = 3723456;
    TimerReset(g.playClock);
    MapFrame(g);
    EXPECT_EQ(328, p.quads);
    ASSERT_EQ(1, p.textCount);
    EXPECT_STREQ("   Current Play Time: 1:02:03:45", p.texts[0].text);

    g.flow.gameState = StateBattle;
    MapFrame(g);
    EXPECT_EQ(324, p.quads);
}

TEST(WorldFrame, PlayTimeCountsTheClockSinceTheStart) {
    WorldGame w;
    Game& g = w.g();
    g.hero.playTime = 1000;
    TimerReset(g.playClock);
    TimerUpdate(g, g.playClock);
    w.clock.Advance(3600000 + 59999);
    PlayTimeText(g);
    EXPECT_STREQ("   Current Play Time: 1:01:00:99", g.dialog.lines[0]);
    g.hero.playTime = -2000000000;  // a damaged save
    PlayTimeText(g);
    EXPECT_STREQ("   Current Play Time: 0:00:00:00", g.dialog.lines[0]);
}

TEST(WorldFrame, FrameRateRestartsWhenTheMapIsEnteredAndSurvivesNoElapsedTime) {
    WorldGame w;
    Game& g = w.g();
    g.mapFrame.frameCount = 500;
    MapFrame(g);
    EXPECT_EQ(1, g.mapFrame.mapEntered);
    EXPECT_EQ(1, g.mapFrame.frameCount);
    g.mapFrame.frameCount = 0;
    FrameRateText(g);
    EXPECT_STREQ("Rendering speed is: 0.000 fps", g.dialog.lines[0]);
    EXPECT_EQ(StateDialog, g.flow.gameState);

    g.flow.gameState = StateMap;
    g.mapFrame.mapEntered = 0;
    MapFrame(g);  // re-entered: counts from here
    for (int i = 0; i < 3; ++i) MapFrame(g);
    w.clock.Advance(500);
    FrameRateText(g);
    EXPECT_STREQ("Rendering speed is: 8.000 fps", g.dialog.lines[0]);
}

TEST(WorldFrame, DialogFilesShowAtMostThreeLinesCutToTheBox) {
    TestGame t;
    Game& g = t.g();
    t.Write("data/dialog/dialog40.txt",
            "5\none\ntwo\nthis third line is much longer than the box can hold\nfour\n");
    int before = t.warnings.Count();
    testing::internal::CaptureStderr();
    LoadDialogNumber(g, 40);
    std::string err = testing::internal::GetCapturedStderr();
    EXPECT_EQ(before + 1, t.warnings.Count());
    EXPECT_NE(std::string::npos, err.find("data/dialog/dialog40.txt"));
    EXPECT_EQ(3, g.dialog.lineCount);
    EXPECT_STREQ("two\n", g.dialog.lines[1]);
    EXPECT_STREQ("this third line is much longer than the", g.dialog.lines[2]);

    t.Write("data/dialog/dialog41.txt", "-4\nnothing\n");
    LoadDialogNumber(g, 41);
    EXPECT_EQ(0, g.dialog.lineCount);

    LoadDialogNumber(g, 42);  // missing: the box keeps what it had
    EXPECT_EQ(0, g.dialog.lineCount);
    EXPECT_STREQ("one\n", g.dialog.lines[0]);

    g.level.dialogIds[7] = 40;
    g.dialog.lineCount = 0;
    SignDialog(g, 14);
    EXPECT_EQ(3, g.dialog.lineCount);
    g.dialog.lineCount = 0;
    SignDialog(g, 15);  // not a sign
    SignDialog(g, 6);
    EXPECT_EQ(0, g.dialog.lineCount);

    SetDialogText(g, "%s", "a text written straight into the box, far too long");
    EXPECT_EQ(1, g.dialog.lineCount);
    EXPECT_EQ(39u, std::string(g.dialog.lines[0]).size());
}

}  // namespace
}  // namespace veloria
