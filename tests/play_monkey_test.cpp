// The runner's soak mode: the invariants it checks after every frame, and its input choice.
#include <gtest/gtest.h>

#include <functional>

#include "input/input_codes.h"
#include "lib/monkey.h"
#include "lib/script.h"
#include "test_support.h"

namespace veloria::play {
namespace {

// A game on the map that breaks no rule: the hero on the grid inside the screen, within her
// maxima, every cursor on its list.
void SoundMapState(Game& g) {
    g.flow.gameState = StateMap;
    g.hero.x = 256;
    g.hero.y = 384;
    g.hero.facing = 3;
    g.hero.attr[HP] = 7;
    g.hero.attr[MaxHP] = 10;
    g.hero.attr[MP] = 0;
    g.hero.attr[MaxMP] = 4;
    g.hero.selectedItem = kNoItem;
    g.hero.itemCount[0] = 2;
    g.hero.itemCount[4] = 1;
    g.hero.itemCount[13] = -1;    // a count from a damaged save is still listed
    g.cursors.itemMenuCount = 1;  // as the item screen counted them long ago
    g.cursors.itemMenuCursor = 2;
    g.level.minCol = 0;
    g.level.maxCol = 20;
    g.level.minRow = 0;
    g.level.maxRow = 9;
    g.level.viewCol = 20;
    g.level.viewRow = 0;
}

TEST(PlayMonkey, EachBrokenRuleIsNamedAndASoundGamePasses) {
    TestGame t;
    SoundMapState(t.g());
    ASSERT_EQ("", CheckInvariants(t.g()));

    const struct {
        const char* rule;
        std::function<void(Game&)> breakIt;
        const char* named;
    } cases[] = {
        {"unknown state", [](Game& g) { g.flow.gameState = 21; }, "gameState 21 is no state"},
        {"renderer error", [](Game& g) { CopyText(g.renderer.errorText, 256, "no bitmap"); },
         "renderer error: no bitmap"},
        {"HP over the maximum", [](Game& g) { g.hero.attr[HP] = 11; }, "HP 11 outside 0..10"},
        {"negative HP", [](Game& g) { g.hero.attr[HP] = -1; }, "HP -1 outside 0..10"},
        {"MP over the maximum", [](Game& g) { g.hero.attr[MP] = 5; }, "MP 5 outside 0..4"},
        {"selected spell", [](Game& g) { g.hero.selectedSpell = kSpells; },
         "selected spell 4 outside 0..3"},
        {"selected item", [](Game& g) { g.hero.selectedItem = kNoItem + 1; },
         "selected item 15 outside 0..14"},
        {"worn piece", [](Game& g) { g.hero.equip[2].equipped = kPiecesPerSlot; },
         "slot 2 wears piece 10"},
        {"slot list cursor",
         [](Game& g) {
             g.flow.gameState = StateEquipList;
             g.hero.equipCursor = 1;
             g.hero.equip[1].listCount = 2;
             g.hero.equip[1].listCursor = 2;
         },
         "slot 1 cursor 2 outside its 2 pieces"},
        {"item cursor", [](Game& g) { g.cursors.itemMenuCursor = 3; },
         "item cursor 3 outside the 3 items carried"},
        {"spell cursor", [](Game& g) { g.cursors.spellMenuCursor = -1; },
         "spell cursor -1 outside the 0 spells known"},
        {"equipment cursor", [](Game& g) { g.cursors.equipMenuCursor = kEquipSlots; },
         "equipment cursor 6 outside the 6 slots"},
        {"ware count", [](Game& g) { g.shop.wareCount = kWares + 1; }, "shop lists 11 wares"},
        {"dialog lines", [](Game& g) { g.dialog.lineCount = 4; }, "dialog of 4 lines"},
        {"hero off the grid", [](Game& g) { g.hero.x = 260; }, "hero at 260,384 off the grid"},
        {"hero off the screen", [](Game& g) { g.hero.y = 768; }, "hero at 256,768 off the screen"},
        {"view past the map", [](Game& g) { g.level.viewCol = 21; },
         "view column 21 outside 0..20"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.rule);
        TestGame broken;
        SoundMapState(broken.g());
        c.breakIt(broken.g());
        EXPECT_EQ(c.named, CheckInvariants(broken.g()));
    }
}

TEST(PlayMonkey, BelowZeroHitPointsAreAllowedOnlyOnTheDefeatScreen) {
    TestGame t;
    SoundMapState(t.g());
    t.g().hero.attr[HP] = -3;  // a spell's hit that ended the battle
    EXPECT_EQ("HP -3 outside 0..10", CheckInvariants(t.g()));
    t.g().flow.gameState = StateHeroDead;
    EXPECT_EQ("", CheckInvariants(t.g()));
    t.g().hero.attr[HP] = 11;
    EXPECT_EQ("HP 11 outside 0..10", CheckInvariants(t.g()));
}

TEST(PlayMonkey, ShopCursorsAreCheckedInTheShopAndTheHeroOnlyOnTheMap) {
    TestGame t;
    SoundMapState(t.g());
    t.g().shop.wareCount = 4;
    t.g().shop.buyCursor = 4;  // a stale cursor outside the shop is no fault
    EXPECT_EQ("", CheckInvariants(t.g()));
    t.g().flow.gameState = StateShopBuy;
    EXPECT_EQ("buy cursor 4 outside its 4 wares", CheckInvariants(t.g()));
    t.g().shop.buyCursor = 3;
    t.g().shop.menuCursor = 3;
    EXPECT_EQ("shop menu cursor 3 outside 0..2", CheckInvariants(t.g()));
    t.g().shop.menuCursor = 0;
    t.g().hero.x = 3;  // in a shop the hero's map position is not drawn
    EXPECT_EQ("", CheckInvariants(t.g()));
    t.g().flow.gameState = StateDialog;
    EXPECT_EQ("hero at 3,384 off the grid", CheckInvariants(t.g()));
}

TEST(PlayMonkey, InputIsSeededAndQuitsAreRareWhereTheyCanEndTheGame) {
    MonkeyRandom a(42), b(42), c(43);
    int differ = 0;
    for (int i = 0; i < 100; ++i) {
        const int8_t x = MonkeyInput(a, StateMainMenu, 0);
        EXPECT_EQ(x, MonkeyInput(b, StateMainMenu, 0));
        differ += x != MonkeyInput(c, StateMainMenu, 0);
    }
    EXPECT_GT(differ, 50) << "another seed gives other input";

    MonkeyRandom r(7);
    int counts[InputEscape + 1] = {};
    int titleEscapes = 0;
    for (int i = 0; i < 110000; ++i) {
        ++counts[MonkeyInput(r, StateMainMenu, InputLeft)];
        titleEscapes += MonkeyInput(r, StateTitle, 0) == InputEscape;
    }
    EXPECT_EQ(0, counts[InputNone]);
    EXPECT_EQ(0, counts[InputButton7]) << "no key gives it";
    for (int code = InputLeft; code <= InputEscape; ++code) {
        if (code != InputButton7) {
            EXPECT_NEAR(counts[code], 10000, 600) << code;
        }
    }
    EXPECT_GT(titleEscapes, 60);
    EXPECT_LT(titleEscapes, 260);  // about 1 in 64 of the 1 in 11 picks
    EXPECT_TRUE(IsQuitState(StateTitle) && IsQuitState(StateQuitConfirm) &&
                IsQuitState(StateEndStory));
    EXPECT_FALSE(IsQuitState(StateMap) || IsQuitState(StateMainMenu) || IsQuitState(StateShop));
}

TEST(PlayMonkey, InPlayTheHeroWalksOnAndEachStepGetsItsFrames) {
    MonkeyRandom r(3);
    int repeats = 0;
    int walksAfterButton = 0;
    for (int i = 0; i < 4000; ++i) {
        repeats += MonkeyInput(r, StateMap, InputUp) == InputUp;
        walksAfterButton += MonkeyInput(r, StateMap, InputButton1) == InputButton1;
    }
    EXPECT_NEAR(repeats, 3000 + 1000 / 11, 150);  // 3 in 4 repeat, the rest draw afresh
    EXPECT_NEAR(walksAfterButton, 4000 / 11, 100) << "a button is not repeated";
    EXPECT_EQ(26u, MonkeyPasses(r, StateMap));
    EXPECT_EQ(26u, MonkeyPasses(r, StateBattle));
    for (int i = 0; i < 200; ++i) {
        const uint32_t n = MonkeyPasses(r, StateShop);
        EXPECT_TRUE((n >= 1 && n <= 8) || n == 60) << n;
    }
}

TEST(PlayMonkey, TheScriptCommandTakesASeedAndACount) {
    const ScriptLine m = ParseScriptLine("monkey 17 5000  # a short soak");
    ASSERT_EQ(Command::Monkey, m.command);
    EXPECT_EQ(17, m.number);
    EXPECT_EQ(5000, m.count);
    EXPECT_EQ(Command::Bad, ParseScriptLine("monkey 17").command);
    EXPECT_EQ(Command::Bad, ParseScriptLine("monkey 17 0").command);
    EXPECT_EQ(Command::Bad, ParseScriptLine("monkey -1 10").command);
    EXPECT_EQ(Command::Bad, ParseScriptLine("monkey x 10").command);
}

}  // namespace
}  // namespace veloria::play
