// The runner's soak mode: the invariants it checks after every frame, and its input choice.
#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <set>
#include <string>
#include <utility>

#include "flow/bounded_text.h"
#include "flow/game.h"
#include "flow/game_state.h"
#include "hero/actor_record.h"
#include "hero/shop_record.h"
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

TEST(PlayMonkey, InBattleSheLinesUpWithTheVillainAndCastsOnceSheFacesHim) {
    TestGame t;
    Game& g = t.g();
    SoundMapState(g);
    g.flow.gameState = StateBattle;
    g.villain.alive = 1;
    g.villain.x = 640;
    g.villain.y = 400;  // 16 pixels off her row: a shot still meets him
    g.hero.attr[MP] = 3;
    g.heroSpell.attr[MP] = 2;
    g.hero.facing = 0;  // away from him
    EXPECT_EQ(InputRight, AimAtVillain(g, true));
    g.hero.facing = 1;
    EXPECT_EQ(InputButton3, AimAtVillain(g, true));
    g.hero.attr[MP] = 1;
    EXPECT_EQ(InputButton2, AimAtVillain(g, false)) << "no magic: the selected item";
    // Neither row nor column shared: either gap is closed, as asked.
    g.villain.y = 128;
    EXPECT_EQ(InputUp, AimAtVillain(g, true));
    EXPECT_EQ(InputRight, AimAtVillain(g, false));
    g.villain.x = 272;  // his column now
    g.hero.facing = 2;
    g.hero.attr[MP] = 3;
    EXPECT_EQ(InputButton3, AimAtVillain(g, false));
    g.villain.alive = 0;
    EXPECT_EQ(InputNone, AimAtVillain(g, true));

    // Half the inputs aim; a live villain in line with her draws the cast far above blind odds.
    g.villain.alive = 1;
    MonkeyRandom r(5);
    MonkeyMemory memory;
    int casts = 0;
    for (int i = 0; i < 2000; ++i) casts += MonkeyChoose(r, g, 0, memory, false) == InputButton3;
    EXPECT_NEAR(casts, 1000 + 1000 / 11, 80);
}

TEST(PlayMonkey, OnTheMapFreshWaysLeanTowardGroundNotWalkedAndWallsWearOff) {
    TestGame t;
    Game& g = t.g();
    SoundMapState(g);
    g.level.levelNumber = 2;
    MonkeyMemory memory;
    // She has stood left of, above and below here, twice each.
    for (auto [dx, dy] : {std::pair{-64, 0}, {0, -64}, {0, 64}}) {
        g.hero.x = 256 + dx;
        g.hero.y = 384 + dy;
        memory.Visit(g);
        memory.Visit(g);
    }
    g.hero.x = 256;
    g.hero.y = 384;
    EXPECT_EQ(2, memory.Count(g, InputLeft));
    EXPECT_EQ(0, memory.Count(g, InputRight));
    MonkeyRandom r(9);
    EXPECT_EQ(InputRight, memory.LeastKnown(r, g));
    EXPECT_EQ(InputRight, memory.LeastKnown(r, g));  // tried once: still the least known
    // A wall on the right never lets her stand there; the tries count, so she turns at last.
    int right = 0;
    for (int i = 0; i < 12; ++i) right += memory.LeastKnown(r, g) == InputRight;
    EXPECT_LT(right, 12);
    EXPECT_GT(memory.Count(g, InputRight), 2);
    // Another level is other ground.
    g.level.levelNumber = 3;
    EXPECT_EQ(0, memory.Count(g, InputLeft));
}

TEST(PlayMonkey, SpellsAreSparedOnTheMapAndOwnSavesGoToSlotOne) {
    TestGame t;
    Game& g = t.g();
    SoundMapState(g);
    MonkeyRandom r(11);
    MonkeyMemory memory;
    int casts = 0;
    for (int i = 0; i < 22000; ++i) casts += MonkeyChoose(r, g, InputButton1, memory, false) == 7;
    EXPECT_NEAR(casts, 22000 / 11 / 8, 90) << "one cast in eight of blind input's";
    g.flow.gameState = StateSaveMenu;
    int slots[4] = {};
    for (int i = 0; i < 3000; ++i) {
        const int8_t code = MonkeyChoose(r, g, 0, memory, false);
        if (code >= InputButton1 && code <= InputButton3) ++slots[code - InputButton1 + 1];
    }
    EXPECT_GT(slots[1], 400);
    EXPECT_EQ(0, slots[2]);
    EXPECT_EQ(0, slots[3]);
    // A long game is left at the next quit: escape as likely as any input there.
    g.flow.gameState = StateQuitConfirm;
    int escapes = 0;
    for (int i = 0; i < 11000; ++i) escapes += MonkeyChoose(r, g, 0, memory, true) == InputEscape;
    EXPECT_NEAR(escapes, 1000, 100);
}

TEST(PlayMonkey, EveryStateHasItsNameInTheReport) {
    std::set<std::string> names;
    for (int32_t s = 0; s < 32; ++s) {
        const std::string name = MonkeyStateName(s);
        const bool known =
            (s >= StateMap && s <= StateStoryScroll) || (s >= StatePlayTime && s <= StateEndStory);
        EXPECT_EQ(known, !name.empty()) << s;
        if (known) {
            EXPECT_TRUE(names.insert(name).second) << name;
        }
    }
    EXPECT_EQ(23u, names.size());
}

}  // namespace
}  // namespace veloria::play
