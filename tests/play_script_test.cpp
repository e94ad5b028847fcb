// The headless runner's script lines, shot names and state dump.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <sstream>

#include "content/schema.h"
#include "flow/bounded_text.h"
#include "flow/game.h"
#include "flow/game_state.h"
#include "lib/dump.h"
#include "lib/script.h"
#include "presentation/renderer_record.h"
#include "test_support.h"

namespace veloria::play {
namespace {

TEST(PlayScript, CommandsArgumentsAndComments) {
    const struct {
        const char* line;
        Command command;
        int64_t number;
        size_t args;
    } cases[] = {
        {"   # only a comment", Command::None, 0, 0},
        {"", Command::None, 0, 0},
        {"frame   # one pass", Command::Frame, 1, 0},
        {"frame 30", Command::Frame, 30, 1},
        {"keys left 1 esc", Command::Keys, 0, 3},
        {"pad 11", Command::Pad, 11, 1},
        {"shots-during flash.png  # the battle start", Command::ShotsDuring, 0, 1},
        {"shot a.png", Command::Shot, 0, 1},
        {"pad 12", Command::Bad, 0, 0},
        {"joystick maybe", Command::Bad, 0, 0},
        {"wait soon", Command::Bad, 0, 0},
        {"jump 3", Command::Bad, 0, 0},
        {"frame 2 3", Command::Bad, 0, 0},
        {"shots-during", Command::Bad, 0, 0},
        {"shots-during a.png b.png", Command::Bad, 0, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line);
        const ScriptLine s = ParseScriptLine(c.line);
        EXPECT_EQ(c.command, s.command);
        if (c.command == Command::Bad) continue;
        EXPECT_EQ(c.number, s.number);
        EXPECT_EQ(c.args, s.args.size());
    }
    ScriptLine e = ParseScriptLine("expect dialog.line0 \"Door #3   is shut\"  # note");
    ASSERT_EQ(Command::Expect, e.command);
    EXPECT_EQ("\"Door #3 is shut\"", JoinWords(e.args, 1)) << "a quoted # is no comment";
    EXPECT_EQ("a b c", NormaliseSpaces("  a   b\tc "));
}

TEST(PlayScript, ShotNumbersGoBeforeTheExtension) {
    EXPECT_EQ("flash-12.png", NumberedShotName("flash.png", 12));
    EXPECT_EQ("/tmp/a.b/flash-2.png", NumberedShotName("/tmp/a.b/flash.png", 2));
    // No extension, or a dot only in a directory name or at the start of the file name.
    EXPECT_EQ("flash-3", NumberedShotName("flash", 3));
    EXPECT_EQ("out.d/flash-4", NumberedShotName("out.d/flash", 4));
    EXPECT_EQ("shots/.hidden-5", NumberedShotName("shots/.hidden", 5));
}

TEST(PlayDump, QuotesEscapesAndListsTheSetFlags) {
    EXPECT_EQ("\"say \\\"hi\\\"\\n\"", Quote("say \"hi\"\n"));
    EXPECT_EQ("\"a\\\\b\"", Quote("a\\b"));

    TestGame t;
    Game& g = t.g();
    g.flow.gameState = StateMap;
    g.hero.guardianDefeated[3] = 1;
    g.hero.guardianDefeated[150] = 1;
    CopyText(g.dialog.lines[0], 40, "Hello\n");
    g.renderer.presented.textCount = 1;
    g.renderer.presented.textSlot[0] = 5;
    g.renderer.presented.texts[0] = TextSlot{444, 300, 500, 324, 0xFF800000u, "Hi", 1};
    DumpFields f = CollectDump(g, t.audio);
    const struct {
        const char* name;
        const char* value;
    } fields[] = {{"flags.guardianDefeated", "3 150"},
                  {"flags.doorUnlocked", ""},
                  {"dialog.line0", "\"Hello\\n\""},
                  {"frame.text5", "\"Hi\" 444 300 FF800000"},
                  {"clock", "100000"}};
    for (const auto& field : fields) {
        std::string v;
        ASSERT_TRUE(FindField(f, field.name, &v)) << field.name;
        EXPECT_EQ(field.value, v) << field.name;
    }
    std::string v;
    EXPECT_FALSE(FindField(f, "frame.text0", &v)) << "only the slots drawn are listed";
    ASSERT_TRUE(FindField(f, "hero.owned", &v));
    EXPECT_EQ(60u, std::count(v.begin(), v.end(), ' ') + 1u);

    std::string text = FormatDump(f);
    EXPECT_EQ(0u, text.find("gameState 1\nreturnState 0\nquit 0\n"));
    EXPECT_NE(std::string::npos, text.find("\nflags.doorUnlocked\n"))
        << "an empty list prints the name alone";
}

TEST(PlayDump, EveryContractFieldIsPresentInOrder) {
    TestGame t;
    DumpFields f = CollectDump(t.g(), t.audio);
    std::istringstream required(
        "gameState returnState quit hero.x hero.y hero.facing hero.stepPeriod hero.anim "
        "hero.attr hero.spellOwned hero.selectedSpell hero.itemCount hero.selectedItem "
        "hero.equipped hero.owned hero.playTime heroSpell.active heroSpell.x heroSpell.y "
        "heroSpell.facing villainSpell.active villainSpell.x villainSpell.y villainSpell.facing "
        "villain.alive villain.hp villain.maxHp villain.x villain.y villain.facing villain.name "
        "level.number level.mode level.viewCol level.viewRow level.scrollX level.scrollY "
        "level.inArena level.levelMusic level.battleMusic level.battleMap "
        "level.encounterVillains level.encounterRate flags.guardianDefeated "
        "flags.barrierBroken flags.lairOpened flags.chestOpened flags.doorUnlocked "
        "flags.treasureDug dialog.lineCount dialog.line0 dialog.line1 dialog.line2 "
        "shop.menuCursor shop.buyCursor shop.sellCursor shop.wareCount shop.sellCount "
        "shop.shopMessage cursor.item cursor.spell cursor.equip music musicPlaying waves "
        "lastWave webPageOpened frame.background frame.quads frame.texts renderer.error "
        "random.count clock");
    size_t at = 0;
    std::string name;
    while (required >> name) {
        while (at < f.size() && f[at].first != name) ++at;
        ASSERT_LT(at, f.size()) << name << " missing or out of order";
    }
}

}  // namespace
}  // namespace veloria::play
