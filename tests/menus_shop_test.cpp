#include <cstdint>
#include <cstring>

#include "flow/bounded_text.h"
#include "flow/game_state.h"
#include "hero/actor_record.h"
#include "hero/shop.h"
#include "hero/shop_schema.h"
#include "menus_test_support.h"
#include "presentation/renderer.h"

namespace veloria {
namespace {

class MenusShopTest : public MenusTest {
  protected:
    MenusShopTest() {
        g.hero.attr[PurseLevel] = 1;  // a 200 GP purse
        g.hero.selectedItem = kNoItem;
        for (int32_t s = 0; s < kEquipSlots; ++s) g.hero.equip[s].items[0].owned = 1;
        CopyText(g.shop.menuTitle[0], 40, "Buy Items");
        CopyText(g.shop.menuTitle[1], 40, "Sell Items");
        CopyText(g.shop.menuTitle[2], 40, "Leave Shop");
        CopyText(g.shop.menuHint[1], 40, "Sell back your inventory...");
    }
    static std::string Ware(int price, const std::string& name, int kind, int slot, int index) {
        return SchemaFile(kWareSchema)
            .Set("price", price)
            .Line("name", name)
            .Line("text", "about " + name)
            .Set("kind", kind)
            .Set("slot", slot)
            .Set("index", index)
            .Text();
    }
    void BuyRow(int32_t row) {
        g.flow.gameState = StateShopBuy;
        g.shop.buyRow = row;
        Buy(g);
    }
    void SellRow(int32_t row) {
        g.flow.gameState = StateShopSell;
        g.shop.sellRow = row;
        Sell(g);
    }
    void CarryItem(int32_t item, int32_t count, int32_t value) {
        g.hero.itemCount[item] = count;
        g.hero.itemValue[item] = value;
        std::snprintf(g.hero.itemName[item], 40, "Item %d", item);
    }
};

TEST_F(MenusShopTest, LoadShopReadsWaresAndCapsTheirNumberAtTen) {
    std::string text = "12\n";
    for (int i = 0; i < 12; ++i) text += Ware(10 + i, "Ware " + std::to_string(i), 1, 0, i % 14);
    t.Write("data/shops/shop03.txt", text);
    const int32_t before = t.warnings.Count();
    LoadShop(g, "data/shops/shop03.txt");
    EXPECT_EQ(1, t.warnings.Count() - before);
    EXPECT_EQ(10, g.shop.wareCount);
    EXPECT_EQ(19, g.shop.wares[9].price);
    EXPECT_STREQ("Ware 9\n", g.shop.wares[9].name);
    EXPECT_STREQ("about Ware 9\n", g.shop.wares[9].text);
    EXPECT_EQ(9, g.shop.wares[9].index);
}

TEST_F(MenusShopTest, AWareThatNamesNothingIsListedButNeverSold) {
    t.Write("data/shops/shop01.txt", "3\n" + Ware(5, "Bad piece", 0, 6, 1) +
                                         Ware(5, "Bad item", 1, 0, 14) +
                                         Ware(5, "Bad kind", 7, 0, 0));
    const int32_t before = t.warnings.Count();
    LoadShop(g, "data/shops/shop01.txt");
    EXPECT_EQ(3, t.warnings.Count() - before);
    EXPECT_EQ(3, g.shop.wareCount);
    g.hero.attr[GP] = 100;
    for (int32_t row = 0; row < 3; ++row) {
        const int32_t waves = t.audio.waves;
        BuyRow(row);
        EXPECT_EQ(waves + 1, t.audio.waves);
        EXPECT_STREQ("sound/nomag.wav", t.audio.lastWave);
        EXPECT_EQ(StateShopBuy, g.flow.gameState);
        EXPECT_EQ(100, g.hero.attr[GP]);
    }
    for (int32_t i = 0; i < kItems; ++i) EXPECT_EQ(0, g.hero.itemCount[i]);
}

TEST_F(MenusShopTest, BuyingRefusesWhatIsHeldBeforeLookingAtThePrice) {
    t.Write("data/shops/shop02.txt", "3\n" + Ware(500, "Sword", 0, 0, 3) +
                                         Ware(40, "Bolt", 2, 0, 1) + Ware(40, "Potion", 1, 0, 0));
    LoadShop(g, "data/shops/shop02.txt");
    g.hero.equip[0].items[3].owned = 1;
    g.hero.attr[GP] = 10;
    BuyRow(0);
    EXPECT_EQ(2, g.shop.shopMessage);
    EXPECT_EQ(StateShopMessage, g.flow.gameState);
    EXPECT_EQ(StateShopBuy, g.flow.returnState);
    EXPECT_STREQ("sound/nomag.wav", t.audio.lastWave);

    g.hero.spellOwned[1] = 1;
    BuyRow(1);
    EXPECT_EQ(2, g.shop.shopMessage);

    BuyRow(2);
    EXPECT_EQ(1, g.shop.shopMessage) << "not enough GP";
    EXPECT_EQ(10, g.hero.attr[GP]);

    g.hero.attr[GP] = 40;
    g.hero.itemCount[0] = 5;
    BuyRow(2);
    EXPECT_EQ(3, g.shop.shopMessage);
    EXPECT_EQ(0, g.hero.attr[GP]) << "exactly the price leaves nothing";
    EXPECT_EQ(6, g.hero.itemCount[0]);
    EXPECT_STREQ("sound/register.wav", t.audio.lastWave);
}

TEST_F(MenusShopTest, ABoughtPieceIsOwnedAndABoughtSpellKnown) {
    t.Write("data/shops/shop02.txt", "2\n" + Ware(50, "Helm", 0, 3, 4) + Ware(30, "Bolt", 2, 0, 2));
    LoadShop(g, "data/shops/shop02.txt");
    g.hero.attr[GP] = 100;
    BuyRow(0);
    BuyRow(1);
    EXPECT_EQ(1, g.hero.equip[3].items[4].owned);
    EXPECT_EQ(1, g.hero.spellOwned[2]);
    EXPECT_EQ(20, g.hero.attr[GP]);
}

TEST_F(MenusShopTest, AnEmptyShopOrSellListOnlySoundsTheRefusal) {
    g.shop.wareCount = 0;
    g.shop.buyRow = 3;  // left over from another shop
    BuyRow(3);
    EXPECT_STREQ("sound/nomag.wav", t.audio.lastWave);
    EXPECT_EQ(StateShopBuy, g.flow.gameState);

    BuildSellList(g);
    ASSERT_EQ(0, g.shop.sellCount) << "pieces that are worn or worth nothing are not offered";
    g.hero.attr[GP] = 50;
    SellRow(0);
    EXPECT_STREQ("sound/nomag.wav", t.audio.lastWave);
    EXPECT_EQ(StateShopSell, g.flow.gameState);
    EXPECT_EQ(50, g.hero.attr[GP]);
}

TEST_F(MenusShopTest, SellingIsCutToThePurseAndRefusedWhenItIsFull) {
    CarryItem(4, 2, 50);
    BuildSellList(g);
    ASSERT_EQ(1, g.shop.sellCount);
    g.hero.attr[GP] = 200;
    SellRow(0);
    EXPECT_EQ(5, g.shop.shopMessage);
    EXPECT_EQ(StateShopMessage, g.flow.gameState);
    EXPECT_EQ(2, g.hero.itemCount[4]) << "nothing is sold";

    g.hero.attr[GP] = 180;
    g.shop.sellCursor = 3;
    SellRow(0);
    EXPECT_EQ(200, g.hero.attr[GP]);
    EXPECT_EQ(1, g.hero.itemCount[4]);
    EXPECT_EQ(4, g.shop.shopMessage);
    EXPECT_EQ(0, g.shop.sellCursor);
    EXPECT_STREQ("sound/register.wav", t.audio.lastWave);
}

TEST_F(MenusShopTest, SellingTakesTheItemOrPieceAndTheLastUnitClearsTheSelection) {
    CarryItem(1, 1, 30);
    g.hero.selectedItem = 1;
    EquipItem& ring = g.hero.equip[1].items[6];
    ring.owned = 1;
    ring.price = 75;
    CopyText(ring.name, 40, "Ring");
    g.hero.attr[GP] = 10;
    BuildSellList(g);
    ASSERT_EQ(2, g.shop.sellCount);
    EXPECT_STREQ("Ring", g.shop.sellList[1].name);
    SellRow(0);
    EXPECT_EQ(0, g.hero.itemCount[1]);
    EXPECT_EQ(kNoItem, g.hero.selectedItem);
    ASSERT_EQ(1, g.shop.sellCount) << "the list is rebuilt after the sale";
    SellRow(0);
    EXPECT_EQ(115, g.hero.attr[GP]);
    EXPECT_EQ(0, ring.owned);
}

TEST_F(MenusShopTest, SellListHoldsItemsFirstAndStopsAtFifteen) {
    for (int32_t i = 0; i < kItems; ++i) CarryItem(i, 1, 5);
    g.hero.itemValue[6] = 0;  // worth nothing: not offered
    for (int32_t s = 0; s < kEquipSlots; ++s) {
        for (int32_t p = 1; p < kPiecesPerSlot; ++p) {
            g.hero.equip[s].items[p].owned = 1;
            g.hero.equip[s].items[p].price = 10 * p;
        }
    }
    g.hero.equip[0].equipped = 1;  // the worn piece is never offered
    BuildSellList(g);
    EXPECT_EQ(15, g.shop.sellCount);
    EXPECT_EQ(13, g.shop.sellList[12].index);
    EXPECT_EQ(0, g.shop.sellList[13].kind);
    EXPECT_EQ(2, g.shop.sellList[13].index);
    EXPECT_EQ(3, g.shop.sellList[14].index);

    CarryItem(6, 1, 5);
    BuildSellList(g);
    EXPECT_EQ(15, g.shop.sellCount);
    EXPECT_EQ(1, g.shop.sellList[13].kind);
    EXPECT_EQ(0, g.shop.sellList[14].kind) << "with 14 items only one piece fits";
    EXPECT_EQ(2, g.shop.sellList[14].index);
}

TEST_F(MenusShopTest, ScreensShowTheirLinesAndRememberTheRowUnderTheCursor) {
    g.shop.menuCursor = 1;
    DrawShopMenu(g);
    EXPECT_EQ(1, g.shop.menuChoice);
    EXPECT_EQ("Buy Items", ShownText(0));
    ASSERT_NE(nullptr, Shown(1));
    EXPECT_EQ(kColourOlive, Shown(1)->colour) << "the line under the cursor";
    EXPECT_EQ("Sell back your inventory...", ShownText(2));

    t.Write("data/shops/shop02.txt", "2\n" + Ware(50, "Helm", 0, 3, 4) + Ware(30, "Bolt", 2, 0, 2));
    LoadShop(g, "data/shops/shop02.txt");
    g.hero.attr[GP] = 77;
    g.shop.buyCursor = 1;
    DrawBuyList(g);
    EXPECT_EQ(1, g.shop.buyRow);
    EXPECT_EQ("Helm\n ", ShownText(0));
    EXPECT_EQ("about Bolt\n", ShownText(2));
    EXPECT_EQ("GP: 77", ShownText(3));

    CarryItem(3, 2, 12);
    CarryItem(5, 1, 9);
    BuildSellList(g);
    g.shop.sellCursor = 1;
    DrawSellList(g);
    EXPECT_EQ(1, g.shop.sellRow);
    EXPECT_EQ("Item 5: 9 GP", ShownText(1));

    g.shop.shopMessage = 4;
    DrawShopMessage(g);
    EXPECT_EQ("   Item sold successfully!", ShownText(0));
    g.shop.shopMessage = 9;  // no such message
    DrawShopMessage(g);
    EXPECT_EQ(0, g.renderer.presented.textCount);
}

}  // namespace
}  // namespace veloria
