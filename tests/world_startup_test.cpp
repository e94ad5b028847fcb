#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "flow/game.h"
#include "flow/game_state.h"
#include "hero/actor_record.h"
#include "hero/catalogue_schema.h"
#include "input/input_device_record.h"
#include "menus/save_schema.h"
#include "presentation/sound.h"
#include "world/level_map_record.h"
#include "world/startup.h"
#include "world_support.h"

namespace veloria {
namespace {

std::string Numbers(const std::vector<int>& v) {
    std::string s;
    for (int n : v) s += std::to_string(n) + " ";
    return s;
}

// The fresh-game file: 635 numbers in the saved-game order.
std::vector<int> FreshGame() {
    std::vector<int> v(kSaveFileIntegers, 0);
    v[SaveFieldAt("attr") + GP] = 100;
    v[SaveFieldAt("attr") + PurseLevel] = 1;
    v[SaveFieldAt("itemCount") + 0] = 2;  // two healing potions
    v[SaveFieldAt("facing")] = 2;
    v[SaveFieldAt("x")] = 256;
    v[SaveFieldAt("y")] = 384;
    v[SaveFieldAt("stepPeriod")] = 150;
    v[SaveFieldAt("levelNumber")] = 1;  // view 0 0, rate 0
    v[SaveFieldAt("battleMap")] = 1;
    v[SaveFieldAt("encounterVillains")] = 1;
    v[SaveFieldAt("mode")] = Small;
    v[SaveFieldAt("levelMusic")] = 1;
    v[SaveFieldAt("playTime")] = 5000;
    return v;
}

struct StartWorld : TestGame {
    StartWorld() {
        ActorFile hero;
        hero.Tile(2, 0, 172).Set(ActorFile::kPeriod, 150).name = "Avela\n";  // facing up, frame 0
        Write("data/avela.txt", hero.Text());
        Write("data/dummy.txt", ActorFile().Text());
        Write("data/anims/anim00.txt", "1 600 0 9 10\n");
        SmallLevelText level;
        level.Cell(Ground, 2, 3, 1);
        level.tables[SmallLevelText::kShop] = 2;
        Write("levels/level01.txt", level.Text());
        Write("data/villains/v48.txt", Numbers(FreshGame()));
        Write("data/portal/staff00.txt",
              SchemaFile(kPieceFileSchema).Set("cast", 1).Line("name", "Willow Staff\n").Text());
    }
};

TEST(WorldStartup, PutsTheGameOnTheTitleScreenWithLevelOneAndTheFreshGame) {
    StartWorld t;
    Game& g = t.g();
    StartupLoad(g);
    const Actor& h = g.hero;
    EXPECT_EQ(256, h.x);
    EXPECT_EQ(242, h.quadSlot);
    EXPECT_EQ(172, h.anim[2].tiles[0]);
    EXPECT_STREQ("Avela\n", h.name);
    EXPECT_EQ(2, h.itemCount[0]);
    EXPECT_EQ(0, h.playTime) << "the fresh game's play time is replaced by 0";
    for (const EquipSlot& slot : h.equip) EXPECT_EQ(1, slot.items[0].owned);
    EXPECT_EQ(1, h.spellOwned[0]);
    EXPECT_STREQ("Willow Staff\n", h.equip[0].items[0].name);
    EXPECT_STREQ("Heels, Boots, etc.", h.slotHint[5]);
    EXPECT_STREQ("Come back soon!", g.shop.menuHint[2]);

    EXPECT_EQ(243, g.heroSpell.quadSlot);
    EXPECT_EQ(2, g.villainSpell.kind);
    EXPECT_EQ(1, g.villainSpell.facing);
    EXPECT_EQ(10, g.anims.entries[1].tiles[1]);
    EXPECT_EQ(500u, g.input.repeatDelay[KeyButtons]);
    EXPECT_EQ(0u, g.input.repeatDelay[KeyLeftRight]);

    EXPECT_EQ(2, g.level.shopId) << "level 1 was loaded";
    EXPECT_EQ(1, g.level.battleMap) << "the fresh game's value wins over the default 2";
    EXPECT_EQ(1, g.view.cells[Ground][3 + 4 * 10]);
    EXPECT_EQ(StateTitle, g.flow.gameState);
    EXPECT_STREQ("music/title.mid", g.musicFile);
    EXPECT_NE(0u, g.playClock.start) << "the play clock runs";
}

TEST(WorldStartup, WithoutAFreshGameTheStartValuesStand) {
    StartWorld t;
    Game& g = t.g();
    std::remove(t.Path("data/villains/v48.txt").c_str());
    StartupLoad(g);
    EXPECT_EQ(256, g.hero.x);
    EXPECT_EQ(2, g.hero.facing);
    EXPECT_EQ(2, g.level.battleMap);
    EXPECT_EQ(1, g.level.levelNumber);
}

TEST(WorldStartup, ARestartBringsBackWhatTheContentFilesGive) {
    StartWorld t;
    Game& g = t.g();
    StartupLoad(g);
    // A game played and lost.
    g.doorUnlocked[10] = 1;
    g.chests[5].opened = 1;
    g.hiddenTreasures[3] = {400, 1};
    g.hero.guardianDefeated[7] = 1;
    g.hero.lairs[2].opened = 1;
    g.hero.barrierBroken[4] = 1;
    g.hero.x = 600;
    g.hero.selectedItem = 3;
    g.level.levelNumber = 2;
    g.level.mode = Large;
    g.level.exits[0].destLevel = 9;
    g.heroSpell.active = 1;
    g.heroSpell.x = 300;
    g.battle.currentGuardian = 12;
    g.cursors.itemMenuCursor = 4;
    g.cursors.itemMenuCount = 5;
    g.cursors.spellMenuCursor = 2;
    g.cursors.equipMenuCursor = 5;
    g.screens.titleStep = 3;
    g.flow.gameState = StateHeroDead;
    ChangeMusic(g, "music/battle02.mid");

    StartupLoad(g);
    EXPECT_EQ(0, g.doorUnlocked[10]);
    EXPECT_EQ(0, g.chests[5].opened);
    EXPECT_EQ(0, g.hiddenTreasures[3].dug);
    EXPECT_EQ(0, g.hero.guardianDefeated[7]);
    EXPECT_EQ(0, g.hero.lairs[2].opened);
    EXPECT_EQ(0, g.hero.barrierBroken[4]);
    EXPECT_EQ(256, g.hero.x);
    EXPECT_EQ(0, g.hero.selectedItem);
    EXPECT_EQ(Small, g.level.mode);
    EXPECT_EQ(0, g.level.exits[0].destLevel);
    EXPECT_EQ(0, g.heroSpell.active);
    EXPECT_EQ(0, g.battle.currentGuardian);
    // The menu cursors start over as on the first start, not on the lost game's lists.
    EXPECT_EQ(0, g.cursors.itemMenuCursor);
    EXPECT_EQ(0, g.cursors.itemMenuCount);
    EXPECT_EQ(0, g.cursors.spellMenuCursor);
    EXPECT_EQ(0, g.cursors.equipMenuCursor);
    EXPECT_EQ(3, g.screens.titleStep) << "the title sequence is not shown again";
    EXPECT_EQ(StateTitle, g.flow.gameState);
    EXPECT_STREQ("music/title.mid", g.musicFile);
}

}  // namespace
}  // namespace veloria
