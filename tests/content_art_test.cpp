// The shipped actor, spell, villain and animation files: each is read whole by the game's own
// loaders without a warning, names only tiles of the library, and the villains together give
// the battles all their kinds of behaviour.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <string>

#include "content/reader.h"
#include "flow/game.h"
#include "test_support.h"

namespace veloria {
namespace {

constexpr int32_t kLibraryTiles = 1024;

// A game whose working directory holds a copy of the source tree's content/data.
struct ShippedContent : TestGame {
    ShippedContent() {
        std::filesystem::copy(std::string(VELORIA_SOURCE_DIR) + "/content/data", dir.path + "/data",
                              std::filesystem::copy_options::recursive);
    }
};

// Counts the integers at the head of a file and takes the line after them as the name; a file
// holding more or fewer numbers than its format would misalign every field after the gap.
struct FileShape {
    int32_t integers = 0;
    std::string name;
    bool endsAfterName = false;
};

FileShape Shape(const std::string& path) {
    FileShape s;
    std::ifstream in(path, std::ios::binary);
    std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    size_t i = 0;
    auto skipSpace = [&] {
        while (i < text.size() && std::isspace(static_cast<unsigned char>(text[i]))) ++i;
    };
    for (;;) {
        skipSpace();
        size_t j = i;
        if (j < text.size() && (text[j] == '-' || text[j] == '+')) ++j;
        if (j >= text.size() || !std::isdigit(static_cast<unsigned char>(text[j]))) break;
        while (j < text.size() && std::isdigit(static_cast<unsigned char>(text[j]))) ++j;
        ++s.integers;
        i = j;
    }
    size_t end = text.find('\n', i);
    s.name = text.substr(i, end == std::string::npos ? std::string::npos : end - i);
    i = end == std::string::npos ? text.size() : end + 1;
    skipSpace();
    s.endsAfterName = i == text.size();
    return s;
}

void ExpectTiles(const AnimRow (&rows)[4], const std::string& what, bool allowZero) {
    for (int32_t f = 0; f < 4; ++f) {
        for (int32_t s = 0; s < 6; ++s) {
            int32_t t = rows[f].tiles[s];
            EXPECT_GE(t, allowZero ? 0 : 1) << what << " facing " << f << " state " << s;
            EXPECT_LT(t, kLibraryTiles) << what << " facing " << f << " state " << s;
        }
        EXPECT_EQ(0, rows[f].state) << what << " starts walking in facing " << f;
    }
}

TEST(ContentArt, HeroineAndEmptyActorReadWhole) {
    ShippedContent c;
    Game& g = c.g();
    int32_t warnings = ContentWarningCount();
    LoadActor(g, g.hero, kHeroActorFile);
    EXPECT_EQ(warnings, ContentWarningCount());
    EXPECT_STREQ("Avela\n", g.hero.name);
    EXPECT_EQ(150, g.hero.stepPeriod);
    ExpectTiles(g.hero.anim, "heroine", false);
    std::set<int32_t> tiles;
    for (const AnimRow& row : g.hero.anim)
        for (int32_t t : row.tiles) tiles.insert(t);
    EXPECT_EQ(24u, tiles.size()) << "every facing and state has its own drawing";
    for (int32_t a : g.hero.attr) EXPECT_EQ(0, a) << "a new game rolls the attributes";

    // The empty actor clears a shot completely, whatever was loaded before.
    LoadActor(g, g.heroSpell, "data/spells/cast03.txt");
    LoadActor(g, g.heroSpell, kDummyActorFile);
    EXPECT_EQ(warnings, ContentWarningCount());
    for (const AnimRow& row : g.heroSpell.anim)
        for (int32_t t : row.tiles) EXPECT_EQ(0, t);
    EXPECT_EQ(0, g.heroSpell.stepPeriod);
    for (int32_t a : g.heroSpell.attr) EXPECT_EQ(0, a);

    FileShape hero = Shape("data/avela.txt"), dummy = Shape("data/dummy.txt");
    EXPECT_EQ(52, hero.integers);
    EXPECT_TRUE(hero.endsAfterName);
    EXPECT_EQ(52, dummy.integers);
    EXPECT_EQ("", dummy.name);
}

TEST(ContentArt, SpellFilesGrowInCostPowerAndLevel) {
    ShippedContent c;
    Game& g = c.g();
    int32_t warnings = ContentWarningCount();
    int32_t lastCost = 0, lastPower = 0, lastLevel = 0;
    for (int32_t k = 0; k < 10; ++k) {
        char path[64];
        FormatText(path, sizeof(path), "data/spells/cast%02d.txt", k);
        FileShape shape = Shape(path);
        EXPECT_EQ(52, shape.integers) << path;
        EXPECT_TRUE(shape.endsAfterName) << path;
        EXPECT_FALSE(shape.name.empty()) << path;
        EXPECT_LE(shape.name.size(), 17u) << path;

        LoadActor(g, g.heroSpell, path);
        ExpectTiles(g.heroSpell.anim, path, false);
        // Flight speed: slow enough to see and dodge, fast enough to matter.
        EXPECT_GE(g.heroSpell.stepPeriod, 15) << path;
        EXPECT_LE(g.heroSpell.stepPeriod, 50) << path;
        if (k < 4) {
            // The heroine's own spells: the two frames of each facing alternate in flight.
            for (const AnimRow& row : g.heroSpell.anim) EXPECT_NE(row.tiles[0], row.tiles[1]);
            EXPECT_GT(g.heroSpell.attr[MP], lastCost) << path;
            EXPECT_GT(g.heroSpell.attr[MagicXP], lastPower) << path;
            EXPECT_GE(g.heroSpell.attr[MagicLevel], lastLevel) << path;
            lastCost = g.heroSpell.attr[MP];
            lastPower = g.heroSpell.attr[MagicXP];
            lastLevel = g.heroSpell.attr[MagicLevel];
        }
        if (k == 0) {
            EXPECT_EQ(1, g.heroSpell.attr[MagicLevel])
                << "the first spell opens lairs from the start";
            EXPECT_EQ(1, g.heroSpell.attr[MP]);
        }
    }
    EXPECT_GE(lastLevel, 5) << "the strongest spell needs magic level 5 or more";
    EXPECT_EQ(warnings, ContentWarningCount());
}

TEST(ContentArt, VillainsCoverEveryBehaviour) {
    ShippedContent c;
    Game& g = c.g();
    int32_t warnings = ContentWarningCount();

    LoadVillain(g, 0);
    EXPECT_EQ(0, g.villain.alive);
    EXPECT_EQ(0, g.villain.spellCount);
    ExpectTiles(g.villain.anim, "empty villain", true);
    FileShape empty = Shape("data/villains/v00.txt");
    EXPECT_EQ(61, empty.integers);
    EXPECT_EQ("", empty.name);

    std::set<int32_t> modes, teleportSounds, spellCounts;
    int32_t healers = 0, bossHp = 0, strongestOther = 0;
    for (int32_t v = 1; v <= 6; ++v) {
        char path[64];
        FormatText(path, sizeof(path), "data/villains/v%02d.txt", v);
        FileShape shape = Shape(path);
        EXPECT_EQ(61, shape.integers) << path;
        EXPECT_TRUE(shape.endsAfterName) << path;
        EXPECT_FALSE(shape.name.empty()) << path;
        EXPECT_LE(shape.name.size(), 19u) << path;

        LoadVillain(g, v);
        const Villain& vl = g.villain;
        ExpectTiles(vl.anim, path, false);
        EXPECT_EQ(224 + 24 * (v - 1), vl.anim[0].tiles[0]) << path;
        EXPECT_NE(0, vl.alive) << path;
        EXPECT_GT(vl.thinkPeriod, 0) << path;
        EXPECT_GT(vl.touchDamage, 0) << path;
        EXPECT_GT(vl.hp, 0) << path;
        EXPECT_EQ(vl.hp, vl.maxHp) << path;
        EXPECT_GT(vl.rewardXp, 0) << path;
        ASSERT_GE(vl.spellCount, 1) << path;
        ASSERT_LE(vl.spellCount, 3) << path;
        spellCounts.insert(vl.spellCount);
        for (int32_t s = 0; s < vl.spellCount; ++s) {
            EXPECT_GT(vl.spells[s].period, 0) << path << " slot " << s + 1;
            EXPECT_GT(vl.spells[s].damage, 0) << path << " slot " << s + 1;
            EXPECT_GE(vl.spells[s].file, 4) << path << " casts the villains' spells";
            EXPECT_LE(vl.spells[s].file, 9) << path;
        }
        if (vl.heals) {
            ++healers;
            EXPECT_GT(vl.healPeriod, 0) << path;
            EXPECT_GT(vl.healPercent, 0) << path;
        }
        if (vl.teleports) {
            EXPECT_GT(vl.teleportPeriod, 0) << path;
            teleportSounds.insert(vl.teleportSound);
        }
        modes.insert(vl.moveMode);
        // The touch box must stay a real box inside the sprite in every facing.
        EXPECT_TRUE(vl.boxTurns == 0 || vl.boxTurns == 1) << path;
        for (int32_t m : {vl.boxLeft, vl.boxRight, vl.boxTop, vl.boxBottom}) {
            EXPECT_GE(m, 0) << path;
        }
        EXPECT_LT(vl.boxLeft + vl.boxRight, 100) << path;
        EXPECT_LT(vl.boxTop + vl.boxBottom, 100) << path;
        if (v <= 2) {
            EXPECT_GE(vl.hp, 20) << path << " is an early foe";
            EXPECT_LE(vl.hp, 40) << path << " is an early foe";
        }
        if (v == 6)
            bossHp = vl.hp;
        else
            strongestOther = std::max(strongestOther, vl.hp);
    }
    EXPECT_EQ((std::set<int32_t>{0, 1, 2, 3}), modes);
    EXPECT_GE(healers, 1);
    EXPECT_EQ((std::set<int32_t>{1, 2}), teleportSounds);
    EXPECT_EQ((std::set<int32_t>{1, 2, 3}), spellCounts);
    EXPECT_GT(bossHp, strongestOther) << "the last villain is the boss";
    EXPECT_EQ(warnings, ContentWarningCount());
}

TEST(ContentArt, AnimationFilesFillTheirOwnEntries) {
    ShippedContent c;
    Game& g = c.g();
    int32_t warnings = ContentWarningCount();
    for (int32_t i = 0; i < kAnimTiles; ++i) {
        char path[64];
        FormatText(path, sizeof(path), "data/anims/anim%02d.txt", i);
        EXPECT_EQ(5, Shape(path).integers) << path;
        LoadAnimFile(g, path);
        EXPECT_EQ(i, g.anims.last) << path << " names its own entry";
    }
    EXPECT_EQ(warnings, ContentWarningCount());
    EXPECT_EQ(kAnimTiles, g.anims.count);
    for (int32_t i = 0; i < kAnimTiles; ++i) {
        const AnimTile& a = g.anims.entries[i];
        EXPECT_GT(a.period, 0) << i;
        EXPECT_EQ(0, a.frame) << i;
        for (int32_t t : a.tiles) {
            EXPECT_GE(t, 0) << i;
            EXPECT_LT(t, kLibraryTiles) << i;
        }
    }
    // Spot checks against the tile layout.
    EXPECT_EQ(9, g.anims.entries[1].tiles[0]);
    EXPECT_EQ(10, g.anims.entries[1].tiles[1]);
    EXPECT_EQ(44, g.anims.entries[6].tiles[0]);
    EXPECT_EQ(150, g.anims.entries[6].period);
    for (int32_t look = 0; look < 8; ++look) {
        EXPECT_EQ(368 + 2 * look, g.anims.entries[7 + look].tiles[0]);
        EXPECT_EQ(369 + 2 * look, g.anims.entries[7 + look].tiles[1]);
    }
    EXPECT_EQ(53, g.anims.entries[53].tiles[0]);
    EXPECT_EQ(53, g.anims.entries[53].tiles[1]);
}

}  // namespace
}  // namespace veloria
