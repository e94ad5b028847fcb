#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "flow/game.h"
#include "flow/game_state.h"
#include "hero/actor_record.h"
#include "input/input_codes.h"
#include "input/map_input.h"
#include "world_support.h"

namespace veloria {
namespace {

// A world whose dialog files say which number they are.
struct ButtonWorld : WorldGame {
    ButtonWorld() { WriteDialogs({2, 3, 8, 13, 15, 16, 17, 31}); }
    int Shown() { return ShownDialog(g()); }
};

TEST(WorldButtons, ActionButtonActsOnTheCellAhead) {
    ButtonWorld w;
    Game& g = w.g();
    g.hero.y = 320;  // one step up reaches row 2
    g.level.dialogIds[3] = 31;
    w.SetEvent(2, 2, 10);
    HandleMapInput(g, InputButton1);
    EXPECT_EQ(StateDialog, g.flow.gameState);
    EXPECT_EQ(StateMap, g.flow.returnState);
    EXPECT_EQ(31, w.Shown());
    EXPECT_STREQ("sound/button.wav", w.audio.lastWave);
    EXPECT_EQ(320, g.hero.y) << "the probe moves her back";

    // A chest seen from the side is nothing to act on.
    g.flow.gameState = StateMap;
    g.hero.x = 272;
    g.hero.y = 384;
    g.hero.facing = 1;
    w.SetEvent(3, 3, 16);
    HandleMapInput(g, InputButton1);
    EXPECT_EQ(StateDialog, g.flow.gameState);
    EXPECT_EQ(3, w.Shown());
    EXPECT_STREQ("sound/nomag.wav", w.audio.lastWave);
    EXPECT_EQ(272, g.hero.x);

    // Nothing happens with button 1 in a battle.
    g.flow.gameState = StateBattle;
    HandleMapInput(g, InputButton1);
    EXPECT_EQ(StateBattle, g.flow.gameState);
}

TEST(WorldButtons, ItemButtonByTheSelectedItem) {
    ButtonWorld w;
    Game& g = w.g();
    g.hero.selectedItem = kNoItem;
    HandleMapInput(g, InputButton2);
    EXPECT_EQ(8, w.Shown());

    g.flow.gameState = StateMap;
    g.hero.selectedItem = 13;  // a key with no door ahead
    HandleMapInput(g, InputButton2);
    EXPECT_EQ(13, w.Shown());

    g.flow.gameState = StateBattle;
    g.hero.selectedItem = 6;  // the shovel
    HandleMapInput(g, InputButton2);
    EXPECT_EQ(15, w.Shown());
    EXPECT_EQ(StateBattle, g.flow.returnState);

    // On the map the shovel digs where she stands, not ahead.
    g.flow.gameState = StateMap;
    g.hero.facing = 1;
    g.hero.x = 272;
    w.SetEvent(3, 3, 22);  // ahead of her, not under her
    HandleMapInput(g, InputButton2);
    EXPECT_EQ(16, w.Shown());

    g.flow.gameState = StateMap;
    g.hero.selectedItem = 15;
    g.dialog.lineCount = 0;
    HandleMapInput(g, InputButton2);
    EXPECT_EQ(StateMap, g.flow.gameState);
    EXPECT_EQ(0, g.dialog.lineCount);
}

TEST(WorldButtons, SpellAboveTheHerosMagicLevelIsRefusedAndTheShotCleared) {
    ButtonWorld w;
    Game& g = w.g();
    ActorFile spell;
    for (int32_t& v : spell.v) v = 5;
    spell.Attr(MagicLevel, 3);  // needs level 3
    w.Write("data/spells/cast01.txt", spell.Text());
    w.Write("data/dummy.txt", ActorFile().Text());
    g.hero.selectedSpell = 1;
    g.hero.attr[MagicLevel] = 2;
    HandleMapInput(g, InputButton3);
    EXPECT_EQ(StateDialog, g.flow.gameState);
    EXPECT_EQ(2, w.Shown());
    EXPECT_STREQ("sound/nomag.wav", w.audio.lastWave);
    EXPECT_EQ(0, g.heroSpell.anim[0].tiles[0]) << "the dummy actor clears the shot";
    EXPECT_EQ(0, g.heroSpell.attr[MagicLevel]);
    EXPECT_EQ(0, g.heroSpell.active);
}

TEST(WorldButtons, PlayTimeAndMenuButtonsWaitForTheEndOfABattle) {
    ButtonWorld w;
    Game& g = w.g();
    g.flow.gameState = StateBattle;
    for (int8_t code : {InputButton4, InputEscape, InputButton7}) HandleMapInput(g, code);
    EXPECT_EQ(StateBattle, g.flow.gameState);

    g.mapFrame.mapEntered = 1;  // the frame rate may be asked for: it counts anew afterwards
    HandleMapInput(g, InputButton6);
    EXPECT_EQ(StateDialog, g.flow.gameState);
    EXPECT_EQ(StateBattle, g.flow.returnState);
    EXPECT_EQ(0, g.mapFrame.mapEntered);
}

}  // namespace
}  // namespace veloria
