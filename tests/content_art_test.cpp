// The actor, spell, villain and animation checks of the content checker fire on broken copies;
// the media it expects are the ones the program names; and the shipped villains and spells keep
// the variety and progression the battles are built on.
#include <algorithm>
#include <cstdint>
#include <set>
#include <string>
#include <vector>

#include "content_check_support.h"
#include "flow/bounded_text.h"
#include "flow/game.h"
#include "hero/actor.h"
#include "hero/actor_schema.h"
#include "world/anim_schema.h"
#include "world/villain.h"
#include "world/villain_schema.h"

namespace veloria {
namespace {

TEST(ContentArt, ActorVillainAndAnimationChecksFire) {
    BrokenCopy c;
    c.SetWord("data/avela.txt", kActorFileIntegers - 1, "0 0");  // 53 numbers before the name
    c.SetWord("data/spells/cast02.txt", 0, "0");                 // tile 0 marks a free shot
    c.SetWord("data/spells/cast00.txt", ActorAttrAt(MP), "5");
    c.SetWord("data/villains/v02.txt", VillainFieldAt("spellCount"), "4");  // four spell slots
    c.SetWord("data/villains/v03.txt", VillainFieldAt("boxLeft"), "70");
    c.SetWord("data/villains/v03.txt", VillainFieldAt("boxRight"), "70");
    c.SetWord("data/villains/v03.txt", kVillainFileIntegers, "Grey Wolf With A Name Too Long");
    // Dark Mage casts a spell file that is gone.
    c.SetWord("data/villains/v05.txt", VillainFieldAt("spells") + 1, "8");
    c.Remove("data/spells/cast08.txt");
    c.SetWord("data/anims/anim04.txt", AnimFieldAt("entry"), "3");
    c.SetWord("data/anims/anim05.txt", AnimFieldAt("tiles") + 1, "1024");
    check::CheckResult r = c.Check();
    for (const char* want :
         {"data/avela.txt:8: expected a name line after 52 numbers, found more numbers",
          "data/spells/cast02.txt:1: expected a tile (facing 0, state 0) 1..1023, found 0",
          "data/spells/cast00.txt:7: expected a cost of at most 3 MP, found 5",
          "data/villains/v02.txt:5: expected a spell count 0..3, found 4",
          "data/villains/v03.txt:13: expected a touch box inside the 128 x 128 sprite",
          "expected at most 19 characters (a name line after 61 numbers)",
          "expected data/spells/cast08.txt (the spell file of slot 1)",
          "data/anims/anim04.txt:1: expected entry 4 (the file's own number), found 3",
          "data/anims/anim05.txt:1: expected a tile 0..1023, found 1024"}) {
        EXPECT_TRUE(r.Has(want)) << want << "\n" << Describe(r);
    }
}

// The string literals of a source text that name a fixed media file: "art/...", "sound/..." or
// "music/..." with no format directive. (A plain scan: std::regex trips GCC's
// maybe-uninitialized warning inside the standard library under the sanitizers.)
std::vector<std::string> MediaLiterals(const std::string& text) {
    std::vector<std::string> names;
    for (size_t at = text.find('"'); at != std::string::npos;) {
        const size_t end = text.find('"', at + 1);
        if (end == std::string::npos) break;
        const std::string inner = text.substr(at + 1, end - at - 1);
        const bool media = inner.rfind("art/", 0) == 0 || inner.rfind("sound/", 0) == 0 ||
                           inner.rfind("music/", 0) == 0;
        if (media && inner.find('%') == std::string::npos && inner.find('/') + 1 < inner.size()) {
            names.push_back(inner);
            at = text.find('"', end + 1);
        } else {
            at = end;  // a closing quote may open the next literal
        }
    }
    return names;
}

TEST(ContentArt, MediaAreTheOnesTheProgramNames) {
    // Every fixed media name in the game's code is one the checker looks for.
    const std::set<std::string> fixed(check::FixedMediaFiles().begin(),
                                      check::FixedMediaFiles().end());
    int found = 0;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(
             std::string(VELORIA_SOURCE_DIR) + "/src/core")) {
        if (!entry.is_regular_file()) continue;
        std::ifstream in(entry.path());
        std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        for (const std::string& name : MediaLiterals(text)) {
            ++found;
            EXPECT_TRUE(fixed.count(name)) << name << " in " << entry.path();
        }
    }
    EXPECT_GT(found, 30);

    // With the media laid beside the shipped content, only what is taken away is missed.
    BrokenCopy c;
    for (const std::string& f : check::FixedMediaFiles()) c.Write(f, "");
    for (int n = 0; n < 10; ++n) c.Write("sound/spell0" + std::to_string(n) + ".wav", "");
    for (const char* f : {"music/level02.mid", "music/level03.mid", "music/battle02.mid",
                          "music/battle03.mid", "sound/tele01.wav", "sound/tele02.wav"}) {
        c.Write(f, "");
    }
    check::CheckResult r = c.Check(true);
    EXPECT_EQ(r.Total(), 0) << Describe(r);
    for (const char* f : {"art/bg/title4.bmp", "art/tilelib1.mpt", "sound/tele02.wav",
                          "music/battle03.mid", "music/level02.mid", "sound/spell07.wav"}) {
        c.Remove(f);
    }
    r = c.Check(true);
    EXPECT_EQ(r.problems.size(), 18u) << Describe(r);  // several levels name the same music
    EXPECT_TRUE(r.Has("art/bg/title4.bmp: expected art/bg/title4.bmp (the program opens it)"));
    EXPECT_TRUE(r.Has("data/villains/v06.txt:7: expected sound/tele02.wav")) << Describe(r);
    EXPECT_TRUE(r.Has("expected music/battle03.mid (the battle music of event code 25)"));
    EXPECT_TRUE(r.Has("expected music/level02.mid (its level music)")) << Describe(r);
    EXPECT_TRUE(r.Has("data/spells/cast07.txt: expected sound/spell07.wav (its sound)"));
}

// What no general check can know: the default roster gives the battles every kind of
// behaviour, the heroine's spells grow in cost and power, and the last villain is the boss.
TEST(ContentArt, ShippedRosterAndSpellsKeepTheirDesign) {
    TestGame t;
    std::filesystem::copy(kShippedContent + "/data", t.dir.path + "/data",
                          std::filesystem::copy_options::recursive);
    Game& g = t.g();
    std::set<int32_t> modes, teleportSounds, spellCounts;
    int32_t healers = 0, bossHp = 0, strongestOther = 0;
    for (int32_t v = 1; v <= 6; ++v) {
        LoadVillain(g, v);
        modes.insert(g.villain.moveMode);
        spellCounts.insert(g.villain.spellCount);
        if (g.villain.teleports) teleportSounds.insert(g.villain.teleportSound);
        healers += g.villain.heals != 0;
        if (v == 6) bossHp = g.villain.hp;
        if (v < 6) strongestOther = std::max(strongestOther, g.villain.hp);
    }
    EXPECT_EQ((std::set<int32_t>{0, 1, 2, 3}), modes);
    EXPECT_EQ((std::set<int32_t>{1, 2}), teleportSounds);
    EXPECT_EQ((std::set<int32_t>{1, 2, 3}), spellCounts);
    EXPECT_GE(healers, 1);
    EXPECT_GT(bossHp, strongestOther);
    int32_t lastCost = 0, lastPower = 0;
    for (int32_t k = 0; k < kSpells; ++k) {
        char path[64];
        FormatText(path, sizeof(path), "data/spells/cast%02d.txt", k);
        LoadActor(g, g.heroSpell, path);
        EXPECT_GT(g.heroSpell.attr[MP], lastCost) << path;
        EXPECT_GT(g.heroSpell.attr[MagicXP], lastPower) << path;
        lastCost = g.heroSpell.attr[MP];
        lastPower = g.heroSpell.attr[MagicXP];
    }
    EXPECT_EQ(g.heroSpell.attr[MagicLevel], 4) << "the strongest spell needs magic level 4";
}

}  // namespace
}  // namespace veloria
