#include <cstdint>

#include "flow/game_state.h"
#include "hero/actor.h"
#include "hero/chest.h"
#include "hero/chest_schema.h"
#include "menus_test_support.h"

namespace veloria {
namespace {

class MenusChestTest : public MenusTest {
  protected:
    MenusChestTest() {
        WriteDialogs();
        g.hero.attr[PurseLevel] = 1;  // a 200 GP purse
        g.level.chestIds[0] = 4;
        g.level.chestIds[1] = 79;
        g.level.chestIds[2] = 0;
    }
    void WriteChest(int number, int record, int kind, int slot, int value,
                    const std::string& text) {
        char name[64];
        std::snprintf(name, sizeof(name), "data/chests/chest%02d.txt", number);
        t.Write(name, SchemaFile(kChestSchema)
                          .Set("record", record)
                          .Set("kind", kind)
                          .Set("slot", slot)
                          .Set("value", value)
                          .Line("text", text)
                          .Text());
    }
    void Open(int32_t code) {
        g.flow.gameState = StateMap;
        OpenChest(g, code);
    }
};

TEST_F(MenusChestTest, GoldIsCutToThePurseAndAFullPurseKeepsTheChestClosed) {
    WriteChest(4, 4, 3, 0, 100, "100 GP");
    g.hero.attr[GP] = 150;
    Open(16);
    EXPECT_EQ(200, g.hero.attr[GP]);
    EXPECT_EQ(1, g.chests[4].opened);
    EXPECT_EQ(StateDialog, g.flow.gameState);
    EXPECT_STREQ("'100 GP'", g.dialog.lines[1]);
    EXPECT_EQ(2, g.dialog.lineCount);
    EXPECT_STREQ("sound/win.wav", t.audio.lastWave);

    WriteChest(79, 79, 3, 0, 100, "gold\n");
    Open(17);
    EXPECT_EQ(0, g.chests[79].opened) << "the purse is full";
    EXPECT_EQ(78, ShownDialog());
    EXPECT_STREQ("sound/nomag.wav", t.audio.lastWave);
    g.hero.attr[GP] = 199;
    Open(17);
    EXPECT_EQ(200, g.hero.attr[GP]) << "only 1 GP fits; the rest is lost";
    EXPECT_EQ(1, g.chests[79].opened);
    EXPECT_STREQ("'gold\n'", g.dialog.lines[1]) << "the line keeps its end-of-line";
}

TEST_F(MenusChestTest, ItemsSpellsPiecesAndPursesAreGiven) {
    g.hero.itemCount[2] = 3;
    WriteChest(4, 4, 1, 0, 2, "Elixir");
    Open(16);
    EXPECT_EQ(4, g.hero.itemCount[2]) << "one more, whatever she carries";

    WriteChest(79, 79, 2, 0, 3, "Spell");
    Open(17);
    EXPECT_EQ(1, g.hero.spellOwned[3]);

    WriteChest(0, 0, 4, 0, 1, "Purse");
    Open(18);
    EXPECT_EQ(2, g.hero.attr[PurseLevel]);
    EXPECT_EQ(400, PurseLimit(g));
}

TEST_F(MenusChestTest, AnOpenedChestOrAPieceAlreadyOwnedGivesNothing) {
    WriteChest(79, 79, 1, 0, 2, "potion");
    g.chests[79].opened = 1;
    Open(17);
    EXPECT_EQ(9, ShownDialog());
    EXPECT_EQ(0, g.hero.itemCount[2]);
    EXPECT_STREQ("sound/nomag.wav", t.audio.lastWave);

    WriteChest(4, 4, 0, 2, 5, "Robe");
    g.hero.equip[2].items[5].owned = 1;
    Open(16);
    EXPECT_EQ(10, ShownDialog());
    EXPECT_EQ(0, g.chests[4].opened);

    g.hero.equip[2].items[5].owned = 0;
    g.hero.equip[2].items[0].owned = 1;
    Open(16);
    EXPECT_EQ(1, g.hero.equip[2].items[5].owned);
    EXPECT_EQ(1, g.chests[4].opened);
}

TEST_F(MenusChestTest, BadNumbersInLevelsAndChestFilesNeverReachATable) {
    // A chest number outside the table: nothing happens.
    g.level.chestIds[0] = 80;
    Open(16);
    EXPECT_EQ(StateMap, g.flow.gameState);
    g.level.chestIds[0] = -1;
    Open(16);
    EXPECT_EQ(StateMap, g.flow.gameState);
    OpenChest(g, 19);  // not a chest code
    EXPECT_EQ(StateMap, g.flow.gameState);

    // A piece or item number outside its table: one warning, the chest opens empty-handed.
    g.level.chestIds[0] = 4;
    WriteChest(4, 4, 0, 6, 3, "bad slot");
    int32_t before = t.warnings.Count();
    Open(16);
    EXPECT_EQ(1, t.warnings.Count() - before);
    EXPECT_EQ(1, g.chests[4].opened);
    EXPECT_EQ(StateDialog, g.flow.gameState);

    WriteChest(79, 79, 1, 0, 14, "bad item");
    before = t.warnings.Count();
    Open(17);
    EXPECT_EQ(1, t.warnings.Count() - before);
    EXPECT_EQ(1, g.chests[79].opened);
    for (int32_t i = 0; i < kItems; ++i) EXPECT_EQ(0, g.hero.itemCount[i]);
}

TEST_F(MenusChestTest, ARecordNumberOutsideTheTableIsSkippedAndAMismatchIsReported) {
    g.chests[5].kind = 3;
    WriteChest(5, 80, 1, 0, 1, "x");
    int32_t before = t.warnings.Count();
    LoadChest(g, "data/chests/chest05.txt");
    EXPECT_EQ(1, t.warnings.Count() - before);
    EXPECT_EQ(3, g.chests[5].kind);

    WriteChest(6, 7, 1, 0, 1, "seven");
    before = t.warnings.Count();
    LoadChest(g, "data/chests/chest06.txt");
    EXPECT_EQ(1, t.warnings.Count() - before) << "the file names another record";
    EXPECT_STREQ("seven", g.chests[7].text);

    before = t.warnings.Count();
    LoadChest(g, "data/chests/chest42.txt");  // missing: nothing read, nothing said
    EXPECT_EQ(0, t.warnings.Count() - before);
}

}  // namespace
}  // namespace veloria
