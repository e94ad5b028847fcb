// The content schemas themselves, the goods that chests and wares share, and the checks the
// loaders and veloria-check now take from the schemas.
#include <gtest/gtest.h>

#include <cstdint>
#include <set>
#include <string>

#include "content/schema.h"
#include "content_check_support.h"
#include "flow/game.h"
#include "hero/actor.h"
#include "hero/actor_schema.h"
#include "hero/catalogue_schema.h"
#include "hero/chest.h"
#include "hero/chest_schema.h"
#include "hero/dialog_schema.h"
#include "hero/goods.h"
#include "hero/goods_schema.h"
#include "hero/shop.h"
#include "hero/shop_schema.h"
#include "presentation/tiles.h"
#include "world/anim_schema.h"
#include "world/anim_table.h"
#include "world/treasure_schema.h"

namespace veloria {
namespace {

// Every flat schema of this change: field names are unique (the builders and the checker find
// fields by name), a strict range is never wider than what the loader takes, and a text line
// keeps at least one character.
TEST(ContentSchema, FieldsAreUniqueAndStrictRangesLieInsideTheLoadersRanges) {
    for (const RecordSchema* r :
         {&kActorSchema, &kActorAnimRowSchema, &kPieceFileSchema, &kItemFileSchema,
          &kSpellFileSchema, &kChestSchema, &kShopSchema, &kWareSchema, &kDialogSchema,
          &kAnimFileSchema, &kTreasureFileSchema, &kPieceGoodsSchema, &kItemGoodsSchema,
          &kSpellGoodsSchema, &kGoldGoodsSchema, &kPurseGoodsSchema}) {
        std::set<std::string> names;
        for (int32_t i = 0; i < r->fieldCount; ++i) {
            const FieldSchema& f = r->fields[i];
            EXPECT_TRUE(names.insert(f.name).second) << r->name << " repeats " << f.name;
            if (IsLine(f)) {
                EXPECT_GT(f.hi, 0) << r->name << "." << f.name;
            }
            if (HasStrictRange(f) && IsChecked(f)) {
                EXPECT_GE(f.strictLo, f.lo) << r->name << "." << f.name;
                EXPECT_LE(f.strictHi, f.hi) << r->name << "." << f.name;
            }
        }
    }
}

// Chests and wares read the same goods: each ware kind is the chest kind of that number, and a
// ware's kind range covers exactly the kinds it lists.
TEST(ContentSchema, WaresNameTheirGoodsAsChestsDo) {
    for (const KindSchema& w : kWareKinds) {
        EXPECT_EQ(w.rest, KindRest(kChestKinds, kChestKindCount, w.kind)) << w.kind;
        EXPECT_EQ(kGoodsIntegers, RecordIntegers(*w.rest));
    }
    const FieldSchema& kind = WareField("kind");
    EXPECT_EQ(kWareKindCount, kind.hi - kind.lo + 1);
    const Range chestKinds = StrictRange(ChestField("kind"));
    EXPECT_EQ(kChestKindCount, chestKinds.hi - chestKinds.lo + 1);
    EXPECT_EQ(nullptr, KindRest(kChestKinds, kChestKindCount, kChestKindCount));
}

TEST(ContentSchema, GoodsFitOnlyTheTablesTheirKindNames) {
    EXPECT_TRUE(GoodsFit(kWareKinds, kWareKindCount, GoodsPiece, 5, 9, false));
    EXPECT_FALSE(GoodsFit(kWareKinds, kWareKindCount, GoodsPiece, 6, 1, false));
    EXPECT_FALSE(GoodsFit(kWareKinds, kWareKindCount, GoodsPiece, 0, -1, false));
    EXPECT_TRUE(GoodsFit(kWareKinds, kWareKindCount, GoodsItem, 77, 13, false)) << "slot unused";
    EXPECT_FALSE(GoodsFit(kWareKinds, kWareKindCount, GoodsItem, 0, kItems, false));
    EXPECT_FALSE(GoodsFit(kWareKinds, kWareKindCount, GoodsSpell, 0, kSpells, false));
    EXPECT_FALSE(GoodsFit(kWareKinds, kWareKindCount, GoodsGold, 0, 5, false)) << "no gold ware";
    EXPECT_TRUE(GoodsFit(kChestKinds, kChestKindCount, GoodsGold, -3, -5, true));
    EXPECT_TRUE(GoodsFit(kChestKinds, kChestKindCount, 9, 0, 0, true)) << "unknown chest kind";
}

class SchemaLoaders : public ::testing::Test {
  protected:
    // Warnings written while f runs, and the stderr text.
    template <class F>
    int32_t Warnings(F f) {
        const int32_t before = t.warnings.Count();
        testing::internal::CaptureStderr();
        f();
        err = testing::internal::GetCapturedStderr();
        return t.warnings.Count() - before;
    }
    TestGame t;
    Game& g = t.g();
    std::string err;
};

TEST_F(SchemaLoaders, AChestKindIsTakenAsItIsAndItsGoodsAreHeldToTheKindsRanges) {
    t.Write("data/chests/chest07.txt", SchemaFile(kChestSchema)
                                           .Set("record", 7)
                                           .Set("kind", 9)
                                           .Set("slot", -4)
                                           .Set("value", 99999)
                                           .Line("text", "odd")
                                           .Text());
    EXPECT_EQ(0, Warnings([&] { LoadChest(g, "data/chests/chest07.txt"); }));
    EXPECT_EQ(9, g.chests[7].kind);
    EXPECT_EQ(-4, g.chests[7].slot);
    EXPECT_EQ(99999, g.chests[7].value);

    t.Write("data/chests/chest08.txt", "8 0\n6 10\nbad piece\n");
    EXPECT_EQ(2, Warnings([&] { LoadChest(g, "data/chests/chest08.txt"); }));
    EXPECT_NE(std::string::npos,
              err.find("data/chests/chest08.txt:2: chest equipment slot 6 is outside 0..5"));
    EXPECT_NE(std::string::npos,
              err.find("data/chests/chest08.txt:2: chest piece 10 is outside 0..9"));
    EXPECT_EQ(6, g.chests[8].slot) << "kept as read; OpenChest gives nothing for it";
}

TEST_F(SchemaLoaders, AWareKindOutsideTheWareKindsIsWarnedAboutAndItsNumbersTakenAsTheyAre) {
    t.Write("data/shops/shop04.txt", "2\n" +
                                         SchemaFile(kWareSchema)
                                             .Set("price", 9)
                                             .Line("name", "Odd")
                                             .Line("text", "?")
                                             .Set("kind", 3)
                                             .Set("slot", 8)
                                             .Set("index", 70)
                                             .Text() +
                                         SchemaFile(kWareSchema)
                                             .Set("price", 9)
                                             .Line("name", "Scroll")
                                             .Line("text", "?")
                                             .Set("kind", GoodsItem)
                                             .Set("slot", 8)
                                             .Set("index", 14)
                                             .Text());
    EXPECT_EQ(2, Warnings([&] { LoadShop(g, "data/shops/shop04.txt"); }));
    EXPECT_NE(std::string::npos, err.find("data/shops/shop04.txt:5: ware kind 3 is outside 0..2"));
    EXPECT_NE(std::string::npos,
              err.find("data/shops/shop04.txt:9: ware item 14 is outside 0..13"));
    EXPECT_EQ(70, g.shop.wares[0].index);
    EXPECT_EQ(8, g.shop.wares[1].slot) << "an item's slot is not checked";
}

TEST_F(SchemaLoaders, ActorTilesAreTakenAsTheyAreWhileAnimationAndTreasureRecordsAreHeld) {
    ActorFile a;
    a.Tile(1, 2, kTileCells + 5);
    t.Write("data/a.txt", a.Text());
    EXPECT_EQ(0, Warnings([&] { LoadActor(g, g.hero, "data/a.txt"); }));
    EXPECT_EQ(kTileCells + 5, g.hero.anim[1].tiles[2]);

    t.Write("data/anims/anim01.txt", std::to_string(kAnimTiles) + " 600 0 9 10\n");
    EXPECT_EQ(1, Warnings([&] { LoadAnimFile(g, "data/anims/anim01.txt"); }));
    EXPECT_NE(std::string::npos, err.find("animation entry 56 is outside 0..55"));
    EXPECT_EQ(0, g.anims.count);
}

// veloria-check takes its strict goods ranges from the schemas: each broken value is one problem
// where it stands, and what the loader already refuses is not reported twice.
TEST(ContentSchemaCheck, StrictGoodsRangesComeFromTheSchemas) {
    BrokenCopy c;
    c.Write("data/chests/chest03.txt", SchemaFile(kChestSchema)
                                           .Set("record", 3)
                                           .Set("kind", GoodsSpell)
                                           .Line("text", "nothing")
                                           .Text());
    c.Write("data/chests/chest04.txt", SchemaFile(kChestSchema)
                                           .Set("record", 4)
                                           .Set("kind", GoodsGold)
                                           .Set("value", -5)
                                           .Line("text", "debt")
                                           .Text());
    c.Write("data/chests/chest05.txt",
            SchemaFile(kChestSchema).Set("record", 5).Set("kind", 5).Line("text", "what").Text());
    c.Write("data/chests/chest06.txt", SchemaFile(kChestSchema)
                                           .Set("record", 6)
                                           .Set("kind", GoodsItem)
                                           .Set("value", 40)
                                           .Line("text", "none")
                                           .Text());
    c.Write("data/shops/shop00.txt", "1\n" + SchemaFile(kWareSchema)
                                                 .Set("price", 5)
                                                 .Line("name", "Stick")
                                                 .Line("text", "a stick")
                                                 .Text());
    check::CheckResult r = c.Check();
    for (const char* want :
         {"chest03.txt:1: expected spell 1..3 (spell 0 is known from the start), found 0",
          "chest04.txt:1: expected an amount above 0, found -5",
          "chest05.txt:1: expected a chest kind 0..4, found 5",
          "shop00.txt:5: expected piece 1..9 (piece 0 is owned from the start), found 0"}) {
        EXPECT_TRUE(r.Has(want)) << want << "\n" << Describe(r);
    }
    EXPECT_FALSE(r.Has("chest06.txt")) << Describe(r);
    EXPECT_GE(r.loaderWarnings, 1) << "the item chest's 40 is the loader's to report";
}

}  // namespace
}  // namespace veloria
