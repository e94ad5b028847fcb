#include <cstdint>

#include "flow/bounded_text.h"
#include "flow/game_state.h"
#include "hero/actor_record.h"
#include "hero/equip_screens.h"
#include "input/input_device_record.h"
#include "menus_test_support.h"
#include "presentation/renderer.h"
#include "world/level_map_record.h"

namespace veloria {
namespace {

class MenusItemsTest : public MenusTest {
  protected:
    MenusItemsTest() {
        WriteDialogs();
        g.hero.selectedItem = kNoItem;
        g.hero.facing = 3;
        g.input.joystickStatus = 1;  // a pad with rumble
    }
    void Use(int32_t item) {
        g.flow.gameState = StateMap;
        g.hero.selectedItem = item;
        if (item <= 2) {
            UsePotion(g);
        } else {
            UseTonic(g);
        }
    }
};

TEST_F(MenusItemsTest, PotionsRestoreUpToTheMaximaAndAreRefusedWhenNothingIsMissing) {
    g.hero.attr[MaxHP] = 100;
    g.hero.attr[MaxMP] = 30;
    const struct {
        int32_t item, hp, mp, count, hpAfter, mpAfter, countAfter, dialog;
    } cases[] = {
        {0, 90, 0, 2, 100, 0, 1, -1},     // 25 HP, up to the maximum
        {0, 100, 0, 1, 100, 0, 1, 4},     // HP is full
        {0, 10, 0, 0, 10, 0, 0, 8},       // none left
        {0, 10, 0, -3, 10, 0, -3, 8},     // a count from a damaged save
        {1, 100, 15, 1, 100, 30, 0, -1},  // 20 MP, up to the maximum
        {2, 100, 30, 1, 100, 30, 1, 6},   // everything is full
        {2, 100, 5, 1, 100, 30, 0, -1},   // HP full, MP not: still drunk
        {2, 1, 2, 1, 100, 30, 0, -1},     // both restored
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "item " << c.item << " at " << c.hp << "/" << c.mp);
        g.hero.attr[HP] = c.hp;
        g.hero.attr[MP] = c.mp;
        g.hero.itemCount[c.item] = c.count;
        g.dialog.lineCount = 0;
        Use(c.item);
        EXPECT_EQ(c.hpAfter, g.hero.attr[HP]);
        EXPECT_EQ(c.mpAfter, g.hero.attr[MP]);
        EXPECT_EQ(c.countAfter, g.hero.itemCount[c.item]);
        EXPECT_EQ(c.dialog, ShownDialog());
    }
    g.hero.attr[HP] = 10;
    g.hero.itemCount[0] = 1;
    Use(0);
    EXPECT_EQ(35, g.hero.attr[HP]);
    EXPECT_EQ(5, g.hero.anim[3].state) << "drinking pose";
    EXPECT_EQ(10000, t.joystick.lastMagnitude);
    EXPECT_EQ(kNoItem, g.hero.selectedItem) << "the last one clears the selection";
}

TEST_F(MenusItemsTest, TonicRaisesItsAttributeAndRebuildsBothMaxima) {
    g.hero.attr[Strength] = 10;
    g.hero.attr[Endurance] = 12;
    g.hero.attr[Wits] = 7;
    g.hero.attr[Level] = 1;
    g.hero.attr[MagicLevel] = 2;
    g.hero.attr[HP] = 1;
    g.hero.itemCount[7] = 2;
    Use(7);
    EXPECT_EQ(11, g.hero.attr[Strength]);
    EXPECT_EQ(1, g.hero.itemCount[7]);
    EXPECT_EQ(9, g.hero.attr[MaxHP]) << "7 + max(1, 0 + 2)";
    EXPECT_EQ(9, g.hero.attr[HP]);
    EXPECT_EQ(7, g.hero.attr[MaxMP]) << "5 + 1 + 1";
    EXPECT_EQ(7, g.hero.attr[MP]);
    EXPECT_EQ(19, ShownDialog());
}

TEST_F(MenusItemsTest, SpeedTonicSetsTheStepPeriodAndTheWalkingDelays) {
    g.hero.attr[Speed] = 10;
    g.hero.itemCount[12] = 1;
    g.input.repeatDelay[KeyButtons] = 500;
    Use(12);
    EXPECT_EQ(11, g.hero.attr[Speed]);
    EXPECT_EQ(143, g.hero.stepPeriod);
    EXPECT_EQ(143u, g.input.repeatDelay[JoyUpDown]);
    EXPECT_EQ(500u, g.input.repeatDelay[KeyButtons]) << "button delays are left alone";
    EXPECT_EQ(kNoItem, g.hero.selectedItem) << "that was the last one";
}

TEST_F(MenusItemsTest, ATonicIsRefusedAtEighteenOrWhenNoneIsCarried) {
    g.hero.attr[Wits] = 18;
    g.hero.itemCount[9] = 1;
    Use(9);
    EXPECT_EQ(18, ShownDialog());
    EXPECT_EQ(1, g.hero.itemCount[9]) << "the tonic is kept";
    EXPECT_EQ(18, g.hero.attr[Wits]);

    // A selection left over from another game names a tonic this one does not carry.
    g.hero.attr[Power] = 5;
    g.hero.itemCount[8] = 0;
    Use(8);
    EXPECT_EQ(8, ShownDialog());
    EXPECT_EQ(5, g.hero.attr[Power]);
    EXPECT_EQ(0, g.hero.itemCount[8]);
}

TEST_F(MenusItemsTest, TonicRebuildStaysBoundedForDamagedLevels) {
    g.hero.attr[Level] = 2000000000;
    g.hero.attr[MagicLevel] = 2000000000;
    g.hero.attr[Endurance] = 17;
    g.hero.itemCount[11] = 1;
    Use(11);
    EXPECT_GT(g.hero.attr[MaxHP], 0);
    EXPECT_EQ(g.hero.attr[MaxHP], g.hero.attr[HP]);
}

class MenusKeyTest : public MenusItemsTest {
  protected:
    MenusKeyTest() {
        g.level.lockIds[0] = 7;    // cell 19
        g.level.lockIds[3] = 40;   // cell 49
        g.level.lockIds[12] = 50;  // cell 58: outside the door table
        g.level.lockIds[1] = -2;   // cell 20: outside the door table
    }
};

TEST_F(MenusKeyTest, KeysOpenTheirOwnDoorsOnly) {
    g.hero.itemCount[3] = 1;
    g.hero.selectedItem = 4;
    UseKey(g, 19);
    EXPECT_EQ(12, ShownDialog()) << "the wrong key";

    g.hero.selectedItem = 3;
    UseKey(g, 19);
    EXPECT_EQ(1, g.doorUnlocked[7]);
    EXPECT_TRUE(DoorOpen(g, 19));
    EXPECT_EQ(0, g.hero.itemCount[3]);
    EXPECT_EQ(kNoItem, g.hero.selectedItem);
    EXPECT_EQ(1, t.audio.waitWaves) << "the unlock sound is waited for";

    g.hero.selectedItem = 0;
    UseKey(g, 19);
    EXPECT_EQ(11, ShownDialog()) << "already unlocked, whatever is selected";

    g.hero.selectedItem = 13;
    UseKey(g, 49);
    EXPECT_EQ(8, ShownDialog()) << "the right key, but none left";
    EXPECT_FALSE(DoorOpen(g, 49));
    g.hero.itemCount[13] = 2;
    UseKey(g, 49);
    EXPECT_EQ(1, g.doorUnlocked[40]);
    EXPECT_EQ(1, g.hero.itemCount[13]);
    EXPECT_TRUE(DoorOpen(g, 49));
}

TEST_F(MenusKeyTest, DoorNumbersOutsideTheTableNeverOpenAndKeepTheKey) {
    g.hero.selectedItem = 13;
    g.hero.itemCount[13] = 1;
    UseKey(g, 58);
    EXPECT_EQ(1, g.hero.itemCount[13]);
    EXPECT_FALSE(DoorOpen(g, 58));
    g.hero.selectedItem = 4;
    g.hero.itemCount[4] = 1;
    UseKey(g, 20);
    EXPECT_EQ(1, g.hero.itemCount[4]);
    EXPECT_FALSE(DoorOpen(g, 20));
    EXPECT_FALSE(DoorOpen(g, 22)) << "not a door cell";
    EXPECT_FALSE(DoorOpen(g, 59));
    for (int32_t d = 0; d < kDoors; ++d) EXPECT_EQ(0, g.doorUnlocked[d]);
}

using MenusScreensTest = MenusItemsTest;

TEST_F(MenusScreensTest, ItemScreenListsCarriedItemsAndSelectsTheOneUnderTheCursor) {
    g.hero.selectedItem = 6;
    DrawItemMenu(g);
    EXPECT_EQ(0, g.cursors.itemMenuCount);
    EXPECT_EQ(6, g.hero.selectedItem) << "an empty list selects nothing";
    EXPECT_STREQ("art/bg/item_menu.bmp", g.renderer.presented.background);

    CopyText(g.hero.itemName[2], 40, "Elixir");
    CopyText(g.hero.itemInfo[2], 40, "Restores all");
    CopyText(g.hero.itemName[9], 40, "Wits Tonic");
    g.hero.itemCount[2] = 3;
    g.hero.itemCount[9] = 1;
    g.cursors.itemMenuCursor = 1;
    DrawItemMenu(g);
    EXPECT_EQ(2, g.cursors.itemMenuCount);
    EXPECT_EQ(9, g.hero.selectedItem);
    EXPECT_EQ("Elixir: 3", ShownText(0));
    EXPECT_EQ("Wits Tonic: 1", ShownText(1));
    EXPECT_EQ(kColourOlive, Shown(1)->colour) << "the line under the cursor";
    EXPECT_EQ("", ShownText(2)) << "the info line of the item under the cursor";
}

TEST_F(MenusScreensTest, MovingThePieceCursorWearsThePiece) {
    EquipSlot& body = g.hero.equip[2];
    for (int32_t p : {0, 3, 7}) {
        body.items[p].owned = 1;
        std::snprintf(body.items[p].name, 40, "Robe %d", p);
    }
    body.items[7].protect = 4;
    body.items[7].cast = 2;
    body.items[7].mojo = 1;
    g.cursors.equipMenuCursor = 2;
    CopyText(g.hero.slotHint[2], 40, "Robes, Cloaks, etc.");
    DrawEquipMenu(g);
    EXPECT_EQ(2, g.hero.equipCursor);
    EXPECT_EQ(6, g.cursors.equipMenuCount);
    EXPECT_EQ("Robes, Cloaks, etc.", ShownText(3)) << "the hint of the slot under the cursor";

    body.listCursor = 2;
    DrawEquipList(g);
    EXPECT_EQ(3, body.listCount);
    EXPECT_EQ(7, body.equipped);
    EXPECT_EQ("Robe 7", ShownText(2));
    EXPECT_EQ("Protect: 4", ShownText(3));
    EXPECT_EQ("Mojo: 1", ShownText(5));

    body.listCursor = 1;
    DrawEquipList(g);
    EXPECT_EQ(3, body.equipped) << "the new piece stays worn after leaving";

    g.hero.equipCursor = 6;  // outside the six slots: nothing is listed or worn
    DrawEquipList(g);
    EXPECT_EQ(0, g.renderer.presented.textCount);
    g.hero.equipCursor = -1;
    DrawEquipList(g);
    EXPECT_EQ(3, body.equipped);
}

TEST_F(MenusScreensTest, SpellScreenSelectsTheKnownSpellUnderTheCursor) {
    g.hero.spellOwned[0] = 1;
    g.hero.spellOwned[2] = 1;
    CopyText(g.hero.spellName[2], 40, "Frost");
    g.cursors.spellMenuCursor = 1;
    DrawSpellMenu(g);
    EXPECT_EQ(2, g.cursors.spellMenuCount);
    EXPECT_EQ(2, g.hero.selectedSpell);
    EXPECT_EQ("Frost", ShownText(1));
}

}  // namespace
}  // namespace veloria
