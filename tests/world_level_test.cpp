#include <gtest/gtest.h>

#include <string>

#include "flow/game.h"
#include "hero/chest_record.h"
#include "world/anim_table.h"
#include "world/level_map.h"
#include "world_support.h"

namespace veloria {
namespace {

TEST(WorldLevel, SmallLevelLoadsLayersAndTablesAndResetsTheView) {
    TestGame t;
    Game& g = t.g();
    SmallLevelText level;
    level.Cell(Ground, 0, 0, 5);
    level.Cell(Ground, 15, 11, 6);
    level.Cell(Events, 3, 2, 16);
    level.tables[SmallLevelText::kExits + 0] = 2;    // exit 0 leads to level 2
    level.tables[SmallLevelText::kExits + 11] = 3;   // with music 3
    level.tables[SmallLevelText::kChests + 1] = 79;  // the last chest
    level.tables[SmallLevelText::kGuardians + 3] = 136;
    level.tables[SmallLevelText::kBarriers + 1] = 99;
    t.Write("levels/level05.txt", level.Text());
    g.level.viewCol = 4;
    g.level.scrollX = 48;
    LoadLevel(g, Small, "levels/level05.txt");

    const LevelMap& m = g.level;
    EXPECT_EQ(0, m.viewCol);
    EXPECT_EQ(0, m.scrollX);
    EXPECT_EQ(8, m.maxCol);
    EXPECT_EQ(6, m.maxRow);
    EXPECT_EQ(5, m.smallLayers[Ground][0]);
    EXPECT_EQ(6, m.smallLayers[Ground][191]);
    EXPECT_EQ(2, m.exits[0].destLevel);
    EXPECT_EQ(3, m.exits[0].music);
    EXPECT_EQ(79, m.chestIds[1]);
    EXPECT_EQ(136, m.guardianSpots[1].guardian);
    EXPECT_EQ(99, m.barrierIds[1]);
    // The view shows map columns -1..8 and rows -1..6; map cell (0, 0) is view cell 11.
    EXPECT_EQ(5, g.view.cells[Ground][11]);
    EXPECT_EQ(16, g.view.cells[Events][(3 + 1) + (2 + 1) * 10]);
}

TEST(WorldLevel, ShortFileKeepsThePreviousValuesAndMissingFileKeepsTheMap) {
    TestGame t;
    Game& g = t.g();
    g.level.shopId = 4;
    g.level.chestIds[2] = 11;
    g.level.smallLayers[Top][191] = 33;
    SmallLevelText level;
    level.layers[Ground][0] = 7;
    std::string text = level.Text();
    text = text.substr(0, text.find('\n') + 1);  // the ground layer only
    t.Write("levels/level02.txt", text);
    LoadLevel(g, Small, "levels/level02.txt");
    EXPECT_EQ(7, g.level.smallLayers[Ground][0]);
    EXPECT_EQ(33, g.level.smallLayers[Top][191]);
    EXPECT_EQ(4, g.level.shopId);
    EXPECT_EQ(11, g.level.chestIds[2]);

    LoadLevel(g, Small, "levels/level99.txt");
    EXPECT_EQ(7, g.level.smallLayers[Ground][0]);
}

// The frame draws nothing for such a cell; the author still hears of it, on the cell's line.
TEST(WorldLevel, ACellOutsideTheTileLibraryOrAnimationTableIsWarnedAbout) {
    TestGame t;
    Game& g = t.g();
    SmallLevelText level;
    level.Cell(Overlay, 3, 0, 5000);
    level.Cell(Animated, 0, 0, 56);
    level.Cell(Top, 15, 11, -1);
    level.Cell(Events, 1, 1, 9999);  // event codes are the checker's to judge
    t.Write("levels/level04.txt", level.Text());
    int before = t.warnings.Count();
    testing::internal::CaptureStderr();
    LoadLevel(g, Small, "levels/level04.txt");
    std::string err = testing::internal::GetCapturedStderr();
    EXPECT_EQ(before + 3, t.warnings.Count()) << err;
    EXPECT_NE(std::string::npos, err.find("levels/level04.txt:2: Overlay cell 5000 (column 3, "
                                          "row 0) is outside 0..1023"))
        << err;
    EXPECT_NE(std::string::npos, err.find("levels/level04.txt:3: Animated cell 56")) << err;
    EXPECT_NE(std::string::npos, err.find("levels/level04.txt:4: Top cell -1 (column 15, row 11)"))
        << err;
    EXPECT_EQ(5000, g.level.smallLayers[Overlay][3]) << "kept as read: the frame draws nothing";
}

TEST(WorldLevel, TableNumbersOutsideTheirTablesAreWarnedAndReadAsNone) {
    TestGame t;
    Game& g = t.g();
    SmallLevelText level;
    level.tables[SmallLevelText::kChests] = 80;
    level.tables[SmallLevelText::kLocks + 12] = -3;
    level.tables[SmallLevelText::kTreasures] = 50;
    level.tables[SmallLevelText::kGuardians] = 200;
    level.tables[SmallLevelText::kLairs + 1] = 30;
    level.tables[SmallLevelText::kBarriers] = 100;
    level.tables[SmallLevelText::kDialogs] = 1234;  // a file number, not a table index
    t.Write("levels/level03.txt", level.Text());
    g.level.chestIds[0] = 5;  // an old level's value must not survive
    int before = t.warnings.Count();
    testing::internal::CaptureStderr();
    LoadLevel(g, Small, "levels/level03.txt");
    std::string err = testing::internal::GetCapturedStderr();
    EXPECT_EQ(before + 6, t.warnings.Count());
    EXPECT_NE(std::string::npos, err.find("levels/level03.txt:6:"));
    EXPECT_EQ(-1, g.level.chestIds[0]);
    EXPECT_EQ(-1, g.level.lockIds[12]);
    EXPECT_EQ(-1, g.level.treasureIds[0]);
    EXPECT_EQ(-1, g.level.guardianSpots[0].guardian);
    EXPECT_EQ(-1, g.level.lairIds[1]);
    EXPECT_EQ(-1, g.level.barrierIds[0]);
    EXPECT_EQ(1234, g.level.dialogIds[0]);

    // Cells that use those numbers read as "not set" on every frame.
    g.level.smallLayers[Events][2 + 2 * 16] = 16;
    g.level.smallLayers[Events][3 + 2 * 16] = 58;
    g.level.smallLayers[Events][4 + 2 * 16] = 24;
    g.level.smallLayers[Overlay][2 + 2 * 16] = 29;
    for (int& flag : g.doorUnlocked) flag = 1;
    for (Chest& c : g.chests) c.opened = 1;
    ClearView(g);
    BuildView(g);
    ApplyWorldState(g);
    EXPECT_EQ(29, g.view.cells[Overlay][3 + 3 * 10]);
    EXPECT_EQ(58, g.view.cells[Events][4 + 3 * 10]);
    EXPECT_EQ(24, g.view.cells[Events][5 + 3 * 10]);
}

TEST(WorldLevel, WindowCellsBeyondTheMapAreWalls) {
    TestGame t;
    Game& g = t.g();
    g.level.mode = Large;
    for (int& c : g.level.largeLayers[Ground]) c = 3;
    g.level.largeLayers[Ground][31] = 9;
    g.level.viewCol = 24;  // the right edge: columns 24..31 on screen, 32 beyond
    g.level.viewRow = 0;
    BuildView(g);
    EXPECT_EQ(9, g.view.cells[Ground][8 + 1 * 10]) << "map column 31 is view column 8";
    EXPECT_EQ(0, g.view.cells[Ground][9 + 1 * 10]);
    EXPECT_EQ(1, g.view.cells[Events][9 + 1 * 10]);
    EXPECT_EQ(1, g.view.cells[Events][5]) << "row -1";
    EXPECT_EQ(0, g.view.cells[Events][5 + 10]);

    g.level.viewCol = 2147483647;  // from a damaged save: every cell is beyond the map
    g.level.viewRow = -2147483647 - 1;
    BuildView(g);
    for (int i = 0; i < kViewCells; ++i) ASSERT_EQ(1, g.view.cells[Events][i]);

    g.level.mode = 7;
    BuildView(g);
    EXPECT_EQ(0, g.level.inArena);
    EXPECT_EQ(1, g.view.cells[Events][44]);
}

TEST(WorldLevel, ArenaCopiesItsWholeMapAndKeepsTheLevelTables) {
    TestGame t;
    Game& g = t.g();
    std::string arena;
    for (int layer = 0; layer < 5; ++layer) {
        for (int i = 0; i < 80; ++i) arena += std::to_string(layer * 100 + i) + " ";
    }
    t.Write("levels/battle02.txt", arena);
    g.level.exits[1].destLevel = 4;
    g.level.smallLayers[Ground][0] = 8;
    LoadLevel(g, Arena, "levels/battle02.txt");
    EXPECT_EQ(1, g.level.inArena);
    EXPECT_EQ(-192, g.level.scrollX);
    EXPECT_EQ(-192, g.level.scrollY);
    EXPECT_EQ(2, g.level.maxCol);
    EXPECT_EQ(0, g.view.cells[Ground][0]);
    EXPECT_EQ(479, g.view.cells[Events][79]);
    EXPECT_EQ(4, g.level.exits[1].destLevel);
    EXPECT_EQ(8, g.level.smallLayers[Ground][0]);

    char name[32];
    BattleFileName(name, sizeof(name), 2);
    EXPECT_STREQ("levels/battle02.txt", name);
}

TEST(WorldLevel, WorldStateRewritesTheView) {
    WorldGame w;
    Game& g = w.g();
    g.level.chestIds[0] = 12;
    g.level.lockIds[1] = 7;
    g.level.lockIds[3] = 8;
    g.level.treasureIds[1] = 40;
    g.level.lairIds[0] = 29;
    g.level.barrierIds[1] = 99;
    g.level.guardianSpots[2].guardian = 150;
    g.level.dialogIds[1] = 70;
    g.level.dialogIds[2] = 33;
    struct {
        int col, code, overlay, animated;
    } cells[] = {{0, 16, 29, 0}, {1, 20, 31, 0}, {2, 23, 0, 0},  {3, 44, 46, 0}, {4, 47, 44, 6},
                 {5, 49, 32, 0}, {6, 26, 0, 7},  {7, 61, 51, 0}, {0, 8, 0, 0},   {1, 9, 0, 0}};
    for (auto& c : cells) {
        int row = c.code == 8 || c.code == 9 ? 4 : 2;
        g.level.smallLayers[Events][c.col + row * 16] = c.code;
        g.level.smallLayers[Overlay][c.col + row * 16] = c.overlay;
        g.level.smallLayers[Animated][c.col + row * 16] = c.animated;
    }
    w.Refresh();
    EXPECT_EQ(29, w.ViewCell(Overlay, 0, 2)) << "closed chest";
    EXPECT_EQ(1, w.ViewCell(Events, 7, 2)) << "sealed passage is a wall";
    EXPECT_EQ(20, w.ViewCell(Events, 1, 2));

    g.chests[12].opened = 1;
    g.doorUnlocked[7] = 1;
    g.doorUnlocked[8] = 1;
    g.hiddenTreasures[40].dug = 1;
    g.hero.lairs[29].opened = 1;
    g.hero.barrierBroken[99] = 1;
    g.hero.guardianDefeated[150] = 1;
    g.hero.guardianDefeated[135] = 1;
    g.hero.guardianDefeated[136] = 1;
    w.Refresh();
    EXPECT_EQ(30, w.ViewCell(Overlay, 0, 2)) << "opened chest";
    EXPECT_EQ(0, w.ViewCell(Overlay, 1, 2));
    EXPECT_EQ(0, w.ViewCell(Events, 1, 2)) << "unlocked door";
    EXPECT_EQ(52, w.ViewCell(Overlay, 2, 2)) << "dug hole";
    EXPECT_EQ(23, w.ViewCell(Events, 2, 2));
    EXPECT_EQ(139, w.ViewCell(Overlay, 3, 2)) << "open lair";
    EXPECT_EQ(44, w.ViewCell(Events, 3, 2));
    EXPECT_EQ(0, w.ViewCell(Overlay, 4, 2));
    EXPECT_EQ(0, w.ViewCell(Animated, 4, 2)) << "broken barrier";
    EXPECT_EQ(47, w.ViewCell(Events, 4, 2));
    EXPECT_EQ(0, w.ViewCell(Events, 5, 2)) << "iron door";
    EXPECT_EQ(0, w.ViewCell(Animated, 6, 2));
    EXPECT_EQ(0, w.ViewCell(Events, 6, 2)) << "beaten guardian";
    EXPECT_EQ(3, w.ViewCell(Events, 7, 2)) << "open passage";
    EXPECT_EQ(53, w.ViewCell(Animated, 7, 2));
    EXPECT_EQ(0, w.ViewCell(Overlay, 7, 2));
    EXPECT_EQ(73, g.level.dialogIds[1]) << "the level's own table is rewritten";
    EXPECT_EQ(33, g.level.dialogIds[2]);
    EXPECT_EQ(31, g.level.smallLayers[Overlay][1 + 2 * 16]) << "the level's layers are not";
}

TEST(WorldLevel, AnimationFilesFillTheEntryTheyName) {
    TestGame t;
    Game& g = t.g();
    t.Write("data/anims/anim00.txt", "7 300 1 40 41\n");
    t.Write("data/anims/anim01.txt", "56 300 0 1 2\n");
    t.Write("data/anims/anim02.txt", "3 100 2 11 12\n");
    testing::internal::CaptureStderr();
    LoadAnimFile(g, "data/anims/anim00.txt");
    LoadAnimFile(g, "data/anims/anim01.txt");
    LoadAnimFile(g, "data/anims/anim02.txt");
    std::string err = testing::internal::GetCapturedStderr();
    EXPECT_NE(std::string::npos, err.find("data/anims/anim01.txt:1:"));
    EXPECT_EQ(41, AnimTileNow(g, 7));
    EXPECT_EQ(0, AnimTileNow(g, 0)) << "no file named entry 0";
    EXPECT_EQ(0, AnimTileNow(g, 56));
    EXPECT_EQ(0, AnimTileNow(g, -1));
    EXPECT_EQ(3, g.anims.last);
    EXPECT_EQ(2, g.anims.count);

    AnimateTiles(g);  // starts the timers
    t.clock.Advance(300);
    AnimateTiles(g);
    EXPECT_EQ(40, AnimTileNow(g, 7));
    EXPECT_EQ(2, g.anims.entries[3].frame) << "frame 2 never animates";
    EXPECT_EQ(11, AnimTileNow(g, 3)) << "and shows its first tile";
}

}  // namespace
}  // namespace veloria
