// Menu, shop and screen input, and the sequences shared with the map handler.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "flow/game.h"
#include "flow/game_state.h"
#include "hero/shop_record.h"
#include "input/handle_input.h"
#include "input/input_codes.h"
#include "input/input_device_record.h"
#include "test_support.h"

namespace veloria {
namespace {

struct MenuGame : TestGame {
    explicit MenuGame(int32_t state) { g().flow.gameState = state; }
    void Press(int8_t code) { HandleInput(g(), SourceKeyboard, code); }
    int32_t State() { return g().flow.gameState; }
};

TEST(FlowMenuInput, EnterMainMenuAndResumeBattleMusic) {
    MenuGame t(StateBattle);
    Game& g = t.g();
    g.level.inArena = 1;
    g.level.battleMusic = 12;
    g.hero.stepPeriod = 140;
    g.mapFrame.mapEntered = 1;
    EnterMainMenu(g);
    EXPECT_EQ(g.flow.returnState, StateBattle);
    EXPECT_EQ(t.State(), StateMainMenu);
    EXPECT_EQ(g.input.repeatDelay[KeyUpDown], 250u);
    EXPECT_STREQ(t.audio.openFile, "music/menu.mid");
    EXPECT_EQ(g.mapFrame.mapEntered, 0);

    g.mapFrame.mapEntered = 1;
    t.Press(InputButton5);
    EXPECT_EQ(t.State(), StateBattle);
    EXPECT_EQ(g.input.repeatDelay[KeyUpDown], 140u);
    // Two digits, as the battle start names it.
    EXPECT_STREQ(t.audio.openFile, "music/battle12.mid");
    EXPECT_STREQ(t.audio.lastWave, "sound/button3.wav");
    EXPECT_EQ(g.mapFrame.mapEntered, 0);
}

TEST(FlowMenuInput, CursorsStopAtTheEndsAndClickOnlyOnRealMoves) {
    MenuGame t(StateShop);
    Shop& shop = t.g().shop;
    t.Press(InputUp);
    EXPECT_EQ(shop.menuCursor, 0);
    EXPECT_EQ(t.audio.waves, 0);
    t.Press(InputDown);
    t.Press(InputDown);
    t.Press(InputDown);
    EXPECT_EQ(shop.menuCursor, 2);
    EXPECT_EQ(t.audio.waves, 2);
    EXPECT_STREQ(t.audio.lastWave, "sound/click.wav");

    // Counts come from content: a bad one must not move a cursor or crash.
    MenuGame s(StateShopSell);
    s.g().shop.sellCount = INT32_MIN;
    s.Press(InputDown);
    EXPECT_EQ(s.g().shop.sellCursor, 0);
}

TEST(FlowMenuInput, ShopEntranceChoices) {
    MenuGame t(StateShop);
    t.g().shop.menuChoice = 2;
    t.Press(InputButton3);
    EXPECT_EQ(t.State(), StateMap);
    EXPECT_EQ(t.audio.waves, 0);

    MenuGame b(StateShop);
    b.g().shop.menuChoice = 0;
    b.g().shop.buyCursor = 4;
    b.Press(InputButton3);
    EXPECT_EQ(b.State(), StateShopBuy);
    EXPECT_EQ(b.g().shop.buyCursor, 0);
    b.Press(InputButton2);
    EXPECT_EQ(b.State(), StateShop);
    EXPECT_STREQ(b.audio.lastWave, "sound/button3.wav");
}

TEST(FlowMenuInput, EquipListMovesTheChosenSlotsCursorOnly) {
    MenuGame t(StateEquipMenu);
    t.Press(InputButton3);
    EXPECT_EQ(t.State(), StateEquipList);
    EXPECT_STREQ(t.g().backgroundFile, "art/bg/equip_menu2.bmp");
    t.g().hero.equipCursor = 2;
    t.g().hero.equip[2].listCount = 3;
    t.Press(InputDown);
    EXPECT_EQ(t.g().hero.equip[2].listCursor, 1);
    t.Press(InputButton1);  // no way back to play from here
    t.Press(InputButton5);
    EXPECT_EQ(t.State(), StateEquipList);
    t.g().hero.equipCursor = 6;  // out of range: ignored
    t.Press(InputUp);
    t.g().hero.equipCursor = -1;
    t.Press(InputDown);
    t.Press(InputButton2);
    EXPECT_EQ(t.State(), StateEquipMenu);
    EXPECT_STREQ(t.g().backgroundFile, "art/bg/equip_menu1.bmp");
}

TEST(FlowMenuInput, SaveScreenDuringBattleNeverSaves) {
    MenuGame t(StateSaveMenu);
    t.g().level.inArena = 1;
    t.Press(InputButton1);
    t.Press(InputButton3);
    EXPECT_EQ(t.State(), StateSaveMenu);
    EXPECT_EQ(t.audio.waves, 0);
    t.Press(InputButton2);
    EXPECT_EQ(t.State(), StateMainMenu);
    EXPECT_STREQ(t.audio.lastWave, "sound/button3.wav");
    EXPECT_STREQ(t.g().backgroundFile, "art/bg/main_menu1.bmp");
}

TEST(FlowMenuInput, SavedScreenReportsAFailedSave) {
    // The slot's folder does not exist, so nothing can be written.
    MenuGame t(StateSaveMenu);
    t.Press(InputButton2);
    EXPECT_EQ(t.State(), StateGameSaved);
    EXPECT_EQ(t.g().menus.saveFailed, 1);
    t.Press(InputButton1);
    EXPECT_EQ(t.State(), StateMainMenu);
}

TEST(FlowMenuInput, ReturningScreens) {
    MenuGame d(StateBattle);
    ShowDialogFile(d.g(), 15);
    EXPECT_STREQ(d.audio.lastWave, "sound/nomag.wav");
    const int32_t waves = d.audio.waves;
    d.Press(InputButton7);  // not a button of the dialog
    EXPECT_EQ(d.State(), StateDialog);
    d.Press(InputButton4);
    EXPECT_EQ(d.State(), StateBattle) << "back where the dialog came from";
    EXPECT_EQ(d.audio.waves, waves);

    MenuGame m(StateShopMessage);
    m.g().flow.returnState = StateShopBuy;
    m.Press(InputButton1);
    EXPECT_EQ(m.State(), StateShopBuy);
    EXPECT_STREQ(m.audio.lastWave, "sound/button3.wav");

    MenuGame p(StatePlayTime);
    p.Press(InputEscape);
    EXPECT_EQ(p.State(), StatePlayTime);
    p.Press(InputButton6);
    EXPECT_EQ(p.State(), StateMap);

    MenuGame v(StateVictory);
    v.g().battle.victoryStep = 4;
    v.Press(InputButton5);
    EXPECT_EQ(v.State(), StateVictory);
}

TEST(FlowMenuInput, EmptyLoadSlotStartsTheStoryWithTheFreshGame) {
    MenuGame t(StateLoadMenu);
    t.g().menus.loadScreenDrawn = 1;
    t.Press(InputButton2);
    EXPECT_EQ(t.State(), StateStoryScroll);
    EXPECT_EQ(t.g().menus.loadScreenDrawn, 0);
    EXPECT_STREQ(t.audio.lastWave, "sound/button.wav");
}

}  // namespace
}  // namespace veloria
