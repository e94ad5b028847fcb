#include <gtest/gtest.h>

#include "flow/game.h"
#include "flow/game_state.h"
#include "hero/actor_record.h"
#include "input/input_codes.h"
#include "input/map_input.h"
#include "world/level_map_record.h"
#include "world/movement.h"
#include "world_support.h"

namespace veloria {
namespace {

TEST(WorldMovement, HitEventSetsTheFootBoxAndTheFirstNonTreasureCellDecides) {
    WorldGame w;
    Game& g = w.g();
    Actor& h = g.hero;
    h.x = 288;  // foot box 312..391 x 448..511: map columns 2 and 3 of row 3
    h.y = 384;
    EXPECT_EQ(0, HitEvent(g, h));
    EXPECT_EQ(312, h.box.left);
    EXPECT_EQ(391, h.box.right);
    EXPECT_EQ(448, h.box.top);
    EXPECT_EQ(511, h.box.bottom);

    w.SetEvent(2, 3, 22);
    w.SetEvent(3, 3, 1);
    EXPECT_EQ(59, HitEvent(g, h)) << "spot before the wall";
    w.SetEvent(2, 3, 1);
    w.SetEvent(3, 3, 23);
    EXPECT_EQ(1, HitEvent(g, h)) << "wall first decides";
    w.SetEvent(2, 3, 23);
    w.SetEvent(3, 3, 0);
    w.SetEvent(2, 4, 1);  // below the box: not touched
    EXPECT_EQ(23, HitEvent(g, h));
    w.SetEvent(3, 3, 22);
    EXPECT_EQ(22, HitEvent(g, h)) << "of two spots the last counts";
    w.SetEvent(3, 2, 7);  // row 2 comes first in row-major order, but is not touched
    EXPECT_EQ(22, HitEvent(g, h));
    w.SetEvent(3, 3, 5);
    EXPECT_EQ(60, HitEvent(g, h));

    w.SetEvent(2, 3, 0);
    w.SetEvent(3, 3, 0);
    w.SetEvent(4, 3, 1);  // map column 4 starts at pixel 512
    h.x = 408;            // foot box right edge 511
    EXPECT_EQ(0, HitEvent(g, h));
    h.x = 409;  // right edge on the wall's first pixel
    EXPECT_EQ(1, HitEvent(g, h));

    w.SetEvent(4, 3, 300);  // no code is that large: plain ground
    EXPECT_EQ(127, HitEvent(g, h));
    w.SetEvent(4, 3, -4);
    EXPECT_EQ(0, HitEvent(g, h));
}

TEST(WorldMovement, HitEventFollowsTheScroll) {
    WorldGame w;
    Game& g = w.g();
    g.level.viewCol = 3;
    g.level.scrollX = 16;
    w.SetEvent(5, 3, 1);  // on screen at x = 128 * 2 - 16 = 240..367
    Actor& h = g.hero;
    h.y = 384;
    h.x = 96;  // box 120..199
    EXPECT_EQ(0, HitEvent(g, h));
    h.x = 112;  // box 136..215: still short of 240
    EXPECT_EQ(0, HitEvent(g, h));
    h.x = 216;  // box 240..
    EXPECT_EQ(1, HitEvent(g, h));
}

TEST(WorldMovement, ScrollLeftMovesTheMapWhileItCan) {
    WorldGame w;
    Game& g = w.g();
    g.level.viewCol = 3;
    g.hero.x = 144;
    g.hero.y = 256;
    for (int i = 1; i <= 8; ++i) {
        StepHero(g, InputLeft);
        EXPECT_EQ(144, g.hero.x);
        if (i < 8) {
            EXPECT_EQ(-16 * i, g.level.scrollX);
        }
    }
    EXPECT_EQ(2, g.level.viewCol);
    EXPECT_EQ(0, g.level.scrollX);
}

TEST(WorldMovement, AtTheMapEdgeTheHeroWalksOn) {
    WorldGame w;
    Game& g = w.g();
    g.hero.x = 144;
    g.hero.y = 256;
    StepHero(g, InputLeft);
    EXPECT_EQ(128, g.hero.x);
    StepHero(g, InputLeft);
    EXPECT_EQ(112, g.hero.x);
    EXPECT_EQ(0, g.level.scrollX);
    EXPECT_EQ(0, g.level.viewCol);

    // Right edge with the scroll not yet back at 0.
    g.level.viewCol = 8;
    g.level.scrollX = -32;
    g.hero.facing = 1;
    g.hero.x = 768;
    ScrollView(g);
    EXPECT_EQ(752, g.hero.x);
    EXPECT_EQ(-16, g.level.scrollX);
    g.hero.x = 768;
    ScrollView(g);
    EXPECT_EQ(752, g.hero.x);
    EXPECT_EQ(0, g.level.scrollX);
    g.hero.x = 768;
    ScrollView(g);
    EXPECT_EQ(768, g.hero.x);
    EXPECT_EQ(8, g.level.viewCol);
}

TEST(WorldMovement, ScrollUpAndDownAndOffGridPositions) {
    WorldGame w;
    Game& g = w.g();
    LevelMap& m = g.level;
    g.hero.facing = 3;  // down
    m.viewRow = 2;
    for (int i = 1; i <= 8; ++i) {
        g.hero.y = 512;
        ScrollView(g);
        EXPECT_EQ(496, g.hero.y);
    }
    EXPECT_EQ(3, m.viewRow);
    EXPECT_EQ(0, m.scrollY);

    g.hero.facing = 2;  // up
    g.hero.y = 128;
    ScrollView(g);
    EXPECT_EQ(144, g.hero.y);
    EXPECT_EQ(-16, m.scrollY);
    m.viewRow = 0;
    m.scrollY = 32;  // at the top, scrolled into the map: scroll back first
    g.hero.y = 128;
    ScrollView(g);
    EXPECT_EQ(144, g.hero.y);
    EXPECT_EQ(16, m.scrollY);

    g.hero.y = 120;  // off the 16-pixel grid: never a trigger
    ScrollView(g);
    EXPECT_EQ(120, g.hero.y);
    EXPECT_EQ(16, m.scrollY);

    // A scroll off the grid from content still wraps once it passes the cell.
    m.viewRow = 3;
    m.scrollY = -120;
    g.hero.y = 128;
    ScrollView(g);
    EXPECT_EQ(0, m.scrollY);
    EXPECT_EQ(2, m.viewRow);
}

TEST(WorldMovement, WallTurnsAndFlipsTheFrameButTheHeroStays) {
    WorldGame w;
    Game& g = w.g();
    g.hero.x = 272;
    g.hero.y = 384;
    g.hero.facing = 2;
    w.SetEvent(3, 3, 1);
    StepHero(g, InputRight);
    EXPECT_EQ(272, g.hero.x);
    EXPECT_EQ(1, g.hero.facing);
    EXPECT_EQ(1, g.hero.anim[1].state);
    StepHero(g, InputRight);
    EXPECT_EQ(0, g.hero.anim[1].state);
    for (int code : {7, 14, 16, 18, 24, 43}) {
        w.SetEvent(3, 3, code);
        StepHero(g, InputRight);
        EXPECT_EQ(272, g.hero.x) << "code " << code;
    }
    w.SetEvent(3, 3, 0);
    StepHero(g, InputRight);
    EXPECT_EQ(288, g.hero.x);
    EXPECT_EQ(1, g.view.cells[Events][0]) << "the accepted step drew a frame";
}

TEST(WorldMovement, ShopDoorUndoesTheStepAndOpensTheShop) {
    WorldGame w;
    Game& g = w.g();
    g.hero.x = 272;
    g.shop.menuCursor = 2;
    w.SetEvent(3, 3, 15);
    StepHero(g, InputRight);
    EXPECT_EQ(272, g.hero.x);
    EXPECT_EQ(StateShop, g.flow.gameState);
    EXPECT_EQ(0, g.shop.menuCursor);
}

TEST(WorldMovement, ClosedLairsAndBarriersAreWallsUntilASpellOpensThem) {
    WorldGame w;
    Game& g = w.g();
    g.hero.x = 272;
    g.level.lairIds[1] = 4;
    g.level.barrierIds[0] = 40;
    w.SetEvent(3, 3, 45);
    StepHero(g, InputRight);
    EXPECT_EQ(272, g.hero.x);

    g.level.lairIds[1] = -1;  // names no lair: stays closed
    g.hero.lairs[4].opened = 1;
    StepHero(g, InputRight);
    EXPECT_EQ(272, g.hero.x);

    // Opened: the lair takes her to the place its file names.
    g.level.lairIds[1] = 4;
    w.Write("data/lair/hlair04.txt", "6 512 256 2 0 0 1 1 0 0 0 2\n");
    StepHero(g, InputRight);
    EXPECT_EQ(6, g.level.levelNumber);
    EXPECT_EQ(512, g.hero.x);
    EXPECT_EQ(256, g.hero.y);

    g.hero.x = 272;
    g.hero.y = 384;
    w.SetEvent(3, 3, 46);
    StepHero(g, InputRight);
    EXPECT_EQ(272, g.hero.x);
    g.hero.barrierBroken[40] = 1;
    StepHero(g, InputRight);
    EXPECT_EQ(288, g.hero.x);
}

TEST(WorldMovement, TheWayOutEndsTheGameOnlyWhenEnteredUpwards) {
    WorldGame w;
    Game& g = w.g();
    g.hero.x = 256;
    g.hero.y = 320;
    w.SetEvent(2, 2, 62);
    g.hero.x = 272;
    w.SetEvent(3, 3, 62);
    StepHero(g, InputRight);  // from the side: plain ground
    EXPECT_EQ(288, g.hero.x);
    EXPECT_EQ(StateMap, g.flow.gameState);

    g.hero.x = 256;
    g.hero.y = 320;  // box rows 3 only; one step up touches row 2
    w.SetEvent(3, 3, 0);
    StepHero(g, InputUp);
    EXPECT_EQ(StateEndStory, g.flow.gameState);
    EXPECT_EQ(304, g.hero.y) << "she stays on the new position";
}

TEST(WorldMovement, TreasureSpotsHintAndMarkersBlock) {
    WorldGame w;
    Game& g = w.g();
    g.input.joystickStatus = 1;  // a pad with force feedback
    g.level.treasureIds[0] = 9;
    w.SetEvent(3, 3, 22);
    w.SetEvent(4, 3, 1);
    g.hero.x = 272;
    StepHero(g, InputRight);  // box 312..391 reaches the spot's column
    EXPECT_EQ(288, g.hero.x) << "the spot itself can be stood on";
    EXPECT_EQ(1, w.joystick.rumbles);
    EXPECT_EQ(4500, w.joystick.lastMagnitude);
    EXPECT_FLOAT_EQ(0.25f, w.joystick.lastSeconds);

    g.hero.x = 400;  // a step to 416 touches the spot and then the wall: 59
    StepHero(g, InputRight);
    EXPECT_EQ(400, g.hero.x) << "the marker blocks";
    EXPECT_EQ(2, w.joystick.rumbles) << "and hints";

    g.hiddenTreasures[9].dug = 1;
    StepHero(g, InputRight);
    EXPECT_EQ(400, g.hero.x);
    g.hero.x = 272;
    StepHero(g, InputRight);
    EXPECT_EQ(288, g.hero.x);
    EXPECT_EQ(2, w.joystick.rumbles) << "a dug spot no longer hints";
}

TEST(WorldMovement, AnExitInBattleDoesNothing) {
    WorldGame w;
    Game& g = w.g();
    g.flow.gameState = StateBattle;
    g.level.exits[0].destLevel = 2;
    g.level.exits[0].mapMode = Small;
    g.hero.x = 272;
    w.SetEvent(3, 3, 2);
    StepHero(g, InputRight);
    EXPECT_EQ(288, g.hero.x) << "the step stays";
    EXPECT_EQ(0, g.level.levelNumber);
    EXPECT_EQ(0, w.display.blackFrames);
}

}  // namespace
}  // namespace veloria
