#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "flow/game.h"
#include "hero/actor.h"
#include "hero/actor_schema.h"
#include "hero/catalogue.h"
#include "hero/catalogue_schema.h"
#include "world_support.h"

namespace veloria {
namespace {

// Facing f has tiles 100f+0..5 and the given state; period 150; attr[i] = i + 1; reserved 7 8 9;
// then the name line.
std::string ActorText(int state, const std::string& name) {
    ActorFile a;
    for (int f = 0; f < 4; ++f) {
        for (int k = 0; k < kActorAnimStates; ++k) a.Tile(f, k, 100 * f + k);
        a.Set(ActorFile::kRow * f + kActorAnimStates, state);
    }
    a.Set(ActorFile::kPeriod, 150);
    for (int i = 0; i < kAttributes; ++i) a.Attr(i, i + 1);
    for (int i = 0; i < 3; ++i) a.Set(ActorFile::kReserved + i, 7 + i);
    a.name = name;
    return a.Text();
}

// A catalogue piece file: slot, price, piece, protect, mojo, cast and the name line.
std::string PieceText(int slot, int price, int piece, int protect, int mojo, int cast,
                      const std::string& name) {
    return SchemaFile(kPieceFileSchema)
        .Set("slot", slot)
        .Set("price", price)
        .Set("piece", piece)
        .Set("protect", protect)
        .Set("mojo", mojo)
        .Set("cast", cast)
        .Line("name", name)
        .Text();
}

std::string ItemText(int item, int value, const std::string& info, const std::string& name) {
    return SchemaFile(kItemFileSchema)
        .Set("item", item)
        .Set("value", value)
        .Line("info", info)
        .Line("name", name)
        .Text();
}

TEST(WorldActor, LoadActorFillsTheRecordButNotItsPlaceCutsTheNameAndKeepsUnreachedFields) {
    TestGame t;
    Game& g = t.g();
    t.Write("data/cast00.txt", ActorText(0, "Fire Bolt\n"));
    g.heroSpell.x = 320;
    g.heroSpell.facing = 3;
    g.heroSpell.kind = 1;
    g.heroSpell.active = 1;
    LoadActor(g, g.heroSpell, "data/cast00.txt");
    EXPECT_EQ(203, g.heroSpell.anim[2].tiles[3]);
    EXPECT_EQ(150, g.heroSpell.stepPeriod);
    EXPECT_EQ(1, g.heroSpell.attr[Strength]);
    EXPECT_EQ(20, g.heroSpell.attr[PurseLevel]);
    EXPECT_EQ(9, g.heroSpell.reserved[2]);
    EXPECT_STREQ("Fire Bolt\n", g.heroSpell.name);
    EXPECT_EQ(320, g.heroSpell.x);
    EXPECT_EQ(3, g.heroSpell.facing);
    EXPECT_EQ(1, g.heroSpell.kind);
    EXPECT_EQ(1, g.heroSpell.active);

    t.Write("data/long.txt", ActorText(1, "A name far longer than seventeen characters\n"));
    LoadActor(g, g.hero, "data/long.txt");
    EXPECT_STREQ("A name far longer", g.hero.name);

    g.hero.attr[GP] = 55;
    t.Write("data/short.txt", "1 2 3 4 5 6 0\n");
    LoadActor(g, g.hero, "data/short.txt");
    EXPECT_EQ(1, g.hero.anim[0].tiles[0]);
    EXPECT_EQ(100, g.hero.anim[1].tiles[0]) << "not reached: kept";
    EXPECT_EQ(55, g.hero.attr[GP]);

    LoadActor(g, g.hero, "data/missing.txt");
    EXPECT_EQ(1, g.hero.anim[0].tiles[0]);
}

TEST(WorldActor, AnAnimationStateOutsideItsRowIsRefusedAndNeverIndexesOutside) {
    TestGame t;
    Game& g = t.g();
    t.Write("data/bad.txt", ActorText(9, "x\n"));
    int before = t.warnings.Count();
    testing::internal::CaptureStderr();
    LoadActor(g, g.hero, "data/bad.txt");
    std::string err = testing::internal::GetCapturedStderr();
    EXPECT_EQ(before + 4, t.warnings.Count()) << "one warning per bad state";
    EXPECT_NE(std::string::npos, err.find("data/bad.txt:1:"));
    EXPECT_EQ(0, g.hero.anim[0].state);

    // States or facings that reach the record some other way draw tile 0.
    g.hero.quadSlot = 242;
    g.hero.facing = 1;
    g.hero.anim[1].state = 77;
    Animate(g, g.hero);
    EXPECT_EQ(0, Quad(g, 242).tile);
    g.hero.facing = -5;
    g.hero.x = 64;
    Animate(g, g.hero);
    EXPECT_EQ(0, Quad(g, 242).tile);
    EXPECT_EQ(64.0f, Quad(g, 242).left);
    ToggleStepFrame(g.hero);  // nothing to toggle, nothing touched
}

TEST(WorldActor, TimedStatesReturnToTheirWalkingFrame) {
    TestGame t;
    Game& g = t.g();
    Actor& a = g.hero;
    for (int f = 0; f < 4; ++f) {
        for (int s = 0; s < 6; ++s) a.anim[f].tiles[s] = 160 + 6 * f + s;
    }
    a.quadSlot = 242;
    a.x = 256;
    a.y = 384;
    a.facing = 3;

    // The hit pose returns to frame 0 after 100 ms; the others to frame 1.
    const struct {
        int state, period, back;
    } cases[] = {{2, 100, 0}, {3, 200, 1}, {4, 150, 1}, {5, 150, 1}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.state);
        a.anim[3].state = c.state;
        Animate(g, a);  // starts that state's timer
        EXPECT_EQ(160 + 18 + c.state, Quad(g, 242).tile);
        t.clock.Advance(static_cast<uint32_t>(c.period - 1));
        Animate(g, a);
        EXPECT_EQ(c.state, a.anim[3].state);
        t.clock.Advance(1);
        Animate(g, a);
        EXPECT_EQ(c.back, a.anim[3].state);
        EXPECT_EQ(160 + 18 + c.back, Quad(g, 242).tile) << "the quad shows the state after it";
    }
    PlacedQuad q = Quad(g, 242);
    EXPECT_EQ(256.0f, q.left);
    EXPECT_EQ(384.0f + 128.0f, q.bottom);
}

TEST(WorldActor, StepFrameTogglesOnlyTheWalkingFrames) {
    Actor a{};
    a.facing = 1;
    ToggleStepFrame(a);
    EXPECT_EQ(1, a.anim[1].state);
    ToggleStepFrame(a);
    EXPECT_EQ(0, a.anim[1].state);
    for (int s = 2; s <= 5; ++s) {
        a.anim[1].state = s;
        ToggleStepFrame(a);
        EXPECT_EQ(s, a.anim[1].state);
    }
    EXPECT_EQ(0, a.anim[0].state) << "other facings untouched";
}

TEST(WorldActor, RecomputeStatsFromAttributesAndWornPieces) {
    TestGame t;
    Game& g = t.g();
    Actor& h = g.hero;
    h.attr[Power] = 8;
    h.attr[MagicLevel] = 2;
    h.attr[Stealth] = 5;
    RecomputeStats(g);
    EXPECT_EQ(4, h.attr[Cast]);
    EXPECT_EQ(0, h.attr[Protect]) << "Stealth 5 adds nothing";
    h.attr[Stealth] = 6;
    h.equip[0].equipped = 2;
    h.equip[0].items[2] = {3, 1, 2, 1, 0, ""};
    h.equip[4].equipped = 1;
    h.equip[4].items[1] = {1, 4, 0, 1, 0, ""};
    RecomputeStats(g);
    EXPECT_EQ(6, h.attr[Cast]);
    EXPECT_EQ(3 + 1 + 1, h.attr[Protect]);
    EXPECT_EQ(5, h.attr[Mojo]);

    // A worn index from a damaged save counts for nothing; absurd attributes do not overflow.
    h.equip[0].equipped = 10;
    h.equip[4].equipped = -1;
    h.attr[MagicLevel] = 2147483647;
    RecomputeStats(g);
    EXPECT_EQ(0, h.attr[Mojo]);
    EXPECT_EQ(1, h.attr[Protect]);
    EXPECT_EQ(2147483647, h.attr[Cast]);
}

TEST(WorldActor, PurseLimitDoublesPerLevelAndGoldIsCutToIt) {
    TestGame t;
    Game& g = t.g();
    g.hero.attr[PurseLevel] = 1;
    EXPECT_EQ(200, PurseLimit(g));
    g.hero.attr[PurseLevel] = 3;
    EXPECT_EQ(800, PurseLimit(g));
    g.hero.attr[PurseLevel] = 0;
    EXPECT_EQ(100, PurseLimit(g));
    g.hero.attr[PurseLevel] = 1000000;
    EXPECT_EQ(1677721600, PurseLimit(g)) << "capped where one more doubling would overflow";

    g.hero.attr[PurseLevel] = 1;
    g.hero.attr[GP] = 150;
    AddGold(g, 30);
    EXPECT_EQ(180, g.hero.attr[GP]);
    AddGold(g, 100);
    EXPECT_EQ(200, g.hero.attr[GP]);
    g.hero.attr[GP] = 2147483647;
    AddGold(g, 2147483647);
    EXPECT_EQ(200, g.hero.attr[GP]);
}

TEST(WorldActor, CursorsFollowTheSelectedEntry) {
    TestGame t;
    Game& g = t.g();
    Actor& h = g.hero;
    h.itemCount[0] = 2;
    h.itemCount[3] = 1;
    h.itemCount[6] = 1;
    h.selectedItem = 6;
    SyncItemCursor(g, 0, 0);
    EXPECT_EQ(2, g.cursors.itemMenuCursor);
    h.itemCount[6] = 0;
    SyncItemCursor(g, 6, 1);
    EXPECT_EQ(kNoItem, h.selectedItem);
    EXPECT_EQ(0, g.cursors.itemMenuCursor);
    g.cursors.itemMenuCursor = 1;
    h.selectedItem = 5;  // not carried: the cursor stays
    SyncItemCursor(g, 0, 0);
    EXPECT_EQ(1, g.cursors.itemMenuCursor);

    h.spellOwned[0] = h.spellOwned[2] = h.spellOwned[3] = 1;
    h.selectedSpell = 3;
    SyncSpellCursor(g);
    EXPECT_EQ(2, g.cursors.spellMenuCursor);
    h.selectedSpell = 9;
    SyncSpellCursor(g);
    EXPECT_EQ(2, g.cursors.spellMenuCursor);

    h.equip[2].items[0].owned = 1;
    h.equip[2].items[4].owned = 1;
    h.equip[2].items[7].owned = 1;
    h.equip[2].equipped = 7;
    SyncEquipCursor(g, 2);
    EXPECT_EQ(2, h.equip[2].listCursor);
    h.equip[2].equipped = 12;
    SyncEquipCursor(g, 2);
    SyncEquipCursor(g, 6);
    EXPECT_EQ(2, h.equip[2].listCursor);
}

TEST(WorldActor, CatalogueFilesNameTheirOwnRecordAndBadIndicesAreSkipped) {
    TestGame t;
    Game& g = t.g();
    // staff00 fills the head slot's piece 4: the file names its destination.
    t.Write("data/portal/staff00.txt", PieceText(3, 120, 4, 2, 1, 0, "Iron Circlet\n"));
    t.Write("data/portal/staff01.txt", PieceText(9, 10, 1, 1, 1, 1, "Nowhere\n"));
    t.Write("data/portal/lhand00.txt",
            PieceText(1, 50, 0, 0, 0, 0, "A ring whose name is far too long to fit in\n"));
    t.Write("data/portal/item00.txt", ItemText(6, 25, "Digs up hidden gold.", "Shovel"));
    t.Write("data/portal/item01.txt", ItemText(14, 25, "No such item", "Ghost\n"));
    t.Write("data/portal/spell02.txt",
            SchemaFile(kSpellFileSchema).Set("spell", 1).Line("name", "Frost Needle\n").Text());
    g.hero.itemValue[13] = 7;
    int before = t.warnings.Count();
    testing::internal::CaptureStderr();
    LoadCatalogue(g);
    std::string err = testing::internal::GetCapturedStderr();
    EXPECT_EQ(before + 2, t.warnings.Count());
    EXPECT_NE(std::string::npos, err.find("data/portal/staff01.txt:1:"));
    EXPECT_NE(std::string::npos, err.find("data/portal/item01.txt:1:"));

    const EquipItem& circlet = g.hero.equip[3].items[4];
    EXPECT_EQ(120, circlet.price);
    EXPECT_EQ(1, circlet.mojo);
    EXPECT_STREQ("Iron Circlet\n", circlet.name);
    EXPECT_STREQ("A ring whose name is far too long to fi", g.hero.equip[1].items[0].name);
    EXPECT_EQ(25, g.hero.itemValue[6]);
    EXPECT_STREQ("Digs up hidden gold.\n", g.hero.itemInfo[6]);
    EXPECT_STREQ("Shovel", g.hero.itemName[6]);
    EXPECT_EQ(7, g.hero.itemValue[13]);
    EXPECT_STREQ("Frost Needle\n", g.hero.spellName[1]);
}

}  // namespace
}  // namespace veloria
