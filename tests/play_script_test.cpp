#include <gtest/gtest.h>

#include <algorithm>

#include "lib/dump.h"
#include "lib/script.h"
#include "test_support.h"

namespace veloria::play {
namespace {

TEST(PlayScript, CommandsArgumentsAndComments) {
    EXPECT_EQ(Command::None, ParseScriptLine("   # only a comment").command);
    EXPECT_EQ(Command::None, ParseScriptLine("").command);

    ScriptLine frame = ParseScriptLine("frame   # one pass");
    EXPECT_EQ(Command::Frame, frame.command);
    EXPECT_EQ(1, frame.number);
    EXPECT_EQ(30, ParseScriptLine("frame 30").number);

    ScriptLine keys = ParseScriptLine("keys left 1 esc");
    EXPECT_EQ(Command::Keys, keys.command);
    ASSERT_EQ(3u, keys.args.size());
    EXPECT_EQ("esc", keys.args[2]);

    EXPECT_EQ(11, ParseScriptLine("pad 11").number);
    EXPECT_EQ(Command::Bad, ParseScriptLine("pad 12").command);
    EXPECT_EQ(Command::Bad, ParseScriptLine("joystick maybe").command);
    EXPECT_EQ(Command::Bad, ParseScriptLine("wait soon").command);
    EXPECT_EQ(Command::Bad, ParseScriptLine("jump 3").command);
    EXPECT_EQ(Command::Bad, ParseScriptLine("frame 2 3").command);
}

TEST(PlayScript, ExpectValuesKeepHashesInsideQuotesAndJoinWithSingleSpaces) {
    ScriptLine e = ParseScriptLine("expect dialog.line0 \"Door #3   is shut\"  # note");
    ASSERT_EQ(Command::Expect, e.command);
    EXPECT_EQ("\"Door #3 is shut\"", JoinWords(e.args, 1));
    EXPECT_EQ("a b c", NormaliseSpaces("  a   b\tc "));
}

TEST(PlayDump, QuotesEscapesAndListsTheSetFlags) {
    EXPECT_EQ("\"say \\\"hi\\\"\\n\"", Quote("say \"hi\"\n"));
    EXPECT_EQ("\"a\\\\b\"", Quote("a\\b"));

    TestGame t;
    Game& g = t.g();
    g.flow.gameState = StateMap;
    g.hero.guardianDefeated[3] = 1;
    g.hero.guardianDefeated[150] = 1;
    g.chests[7].opened = 1;
    CopyText(g.dialog.lines[0], 40, "Hello\n");
    g.renderer.presented.textCount = 1;
    g.renderer.presented.textSlot[0] = 5;
    g.renderer.presented.texts[0] = TextSlot{444, 300, 500, 324, 0xFF800000u, "Hi", 1};
    DumpFields f = CollectDump(g, t.audio);
    std::string v;
    ASSERT_TRUE(FindField(f, "flags.guardianDefeated", &v));
    EXPECT_EQ("3 150", v);
    ASSERT_TRUE(FindField(f, "flags.chestOpened", &v));
    EXPECT_EQ("7", v);
    ASSERT_TRUE(FindField(f, "flags.doorUnlocked", &v));
    EXPECT_EQ("", v);
    ASSERT_TRUE(FindField(f, "dialog.line0", &v));
    EXPECT_EQ("\"Hello\\n\"", v);
    ASSERT_TRUE(FindField(f, "frame.text5", &v));
    EXPECT_EQ("\"Hi\" 444 300 FF800000", v);
    EXPECT_FALSE(FindField(f, "frame.text0", &v)) << "only the slots drawn are listed";
    ASSERT_TRUE(FindField(f, "clock", &v));
    EXPECT_EQ("100000", v);

    std::string text = FormatDump(f);
    EXPECT_EQ(0u, text.find("gameState 1\nreturnState 0\nquit 0\n"));
    EXPECT_NE(std::string::npos, text.find("\nflags.doorUnlocked\n"))
        << "an empty list prints the name alone";
}

TEST(PlayDump, EveryContractFieldIsPresentInOrder) {
    TestGame t;
    DumpFields f = CollectDump(t.g(), t.audio);
    const char* required[] = {"gameState",
                              "returnState",
                              "quit",
                              "hero.x",
                              "hero.y",
                              "hero.facing",
                              "hero.stepPeriod",
                              "hero.anim",
                              "hero.attr",
                              "hero.spellOwned",
                              "hero.selectedSpell",
                              "hero.itemCount",
                              "hero.selectedItem",
                              "hero.equipped",
                              "hero.owned",
                              "hero.playTime",
                              "heroSpell.active",
                              "heroSpell.x",
                              "heroSpell.y",
                              "heroSpell.facing",
                              "villainSpell.active",
                              "villainSpell.x",
                              "villainSpell.y",
                              "villainSpell.facing",
                              "villain.alive",
                              "villain.hp",
                              "villain.maxHp",
                              "villain.x",
                              "villain.y",
                              "villain.facing",
                              "villain.name",
                              "level.number",
                              "level.mode",
                              "level.viewCol",
                              "level.viewRow",
                              "level.scrollX",
                              "level.scrollY",
                              "level.inArena",
                              "level.levelMusic",
                              "level.battleMusic",
                              "level.battleMap",
                              "level.encounterVillains",
                              "level.encounterRate",
                              "flags.guardianDefeated",
                              "flags.barrierBroken",
                              "flags.lairOpened",
                              "flags.chestOpened",
                              "flags.doorUnlocked",
                              "flags.treasureDug",
                              "dialog.lineCount",
                              "dialog.line0",
                              "dialog.line1",
                              "dialog.line2",
                              "shop.menuCursor",
                              "shop.buyCursor",
                              "shop.sellCursor",
                              "shop.wareCount",
                              "shop.sellCount",
                              "shop.shopMessage",
                              "cursor.item",
                              "cursor.spell",
                              "cursor.equip",
                              "music",
                              "musicPlaying",
                              "waves",
                              "lastWave",
                              "webPageOpened",
                              "frame.background",
                              "frame.quads",
                              "frame.texts",
                              "renderer.error",
                              "random.count",
                              "clock"};
    size_t at = 0;
    for (const char* name : required) {
        while (at < f.size() && f[at].first != name) ++at;
        ASSERT_LT(at, f.size()) << name << " missing or out of order";
    }
    std::string v;
    ASSERT_TRUE(FindField(f, "hero.owned", &v));
    EXPECT_EQ(60u, std::count(v.begin(), v.end(), ' ') + 1u);
}

}  // namespace
}  // namespace veloria::play
