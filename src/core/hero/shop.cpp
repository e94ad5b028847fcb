// Shops: the wares are read from the level's shop file whenever the buy list opens; the sell
// list is built from the heroine's belongings.
#include "hero/shop.h"

#include <cstdint>
#include <cstring>

#include "content/reader.h"
#include "flow/bounded_text.h"
#include "flow/game.h"
#include "flow/game_state.h"
#include "hero/actor.h"
#include "hero/goods.h"
#include "hero/goods_schema.h"
#include "hero/shop_schema.h"
#include "presentation/menu_list.h"
#include "presentation/renderer.h"
#include "presentation/sound.h"
#include "presentation/text.h"

namespace veloria {

namespace {

constexpr const char* kShopPicture = "art/bg/shop_menu1.bmp";

// True when the ware names an existing piece, item or spell.
bool WareIndicesValid(const Ware& w) {
    return GoodsFit(kWareKinds, kWareKindCount, w.kind, w.slot, w.index, false);
}

void EnterMessage(Game& g, int32_t message) {
    g.shop.shopMessage = message;
    g.flow.returnState = g.flow.gameState;
    g.flow.gameState = StateShopMessage;
}

// The buy and sell lists show the heroine's gold below them, in the slot after the list.
void DrawPurse(Game& g, MenuList& list) {
    char text[kTextLength];
    FormatText(text, sizeof(text), "GP: %d", g.hero.attr[GP]);
    list.Text(text, 600, 620, kColourDarkGreen);
}

}  // namespace

void LoadShop(Game& g, const char* path) {
    ContentReader reader(g.platform, path);
    if (!reader.IsOpen()) return;
    Shop& s = g.shop;
    int32_t count = s.wareCount;
    if (reader.ReadInt(&count)) {
        if (count > kWares) {
            reader.Warn("%d wares; only the first %d are kept", count, kWares);
            count = kWares;
        } else if (count < 0) {
            reader.Warn("ware count %d is negative; the shop is empty", count);
            count = 0;
        }
        s.wareCount = count;
    }
    if (s.wareCount < 0 || s.wareCount > kWares) s.wareCount = 0;
    for (int32_t k = 0; k < s.wareCount; ++k) {
        Ware& w = s.wares[k];
        reader.ReadInt(&w.price);
        reader.ReadLine(w.name, sizeof(w.name));
        reader.ReadLine(w.text, sizeof(w.text));
        // Indices that name nothing are kept as read, with a warning; Buy tests them again and
        // never sells such a ware.
        ReadGoods(reader, WareField("kind"), kWareKinds, kWareKindCount, "ware", &w.kind, &w.slot,
                  &w.index);
    }
}

void BuildSellList(Game& g) {
    Shop& s = g.shop;
    const Actor& h = g.hero;
    std::memset(s.sellList, 0, sizeof(s.sellList));
    int32_t n = 0;
    for (int32_t k = 0; k < kItems && n < kSellEntries; ++k) {
        if (h.itemCount[k] > 0 && h.itemValue[k] > 0) {
            Ware& e = s.sellList[n++];
            e.value = h.itemValue[k];
            e.kind = GoodsItem;
            e.slot = 0;
            e.index = k;
            CopyText(e.name, sizeof(e.name), h.itemName[k]);
        }
    }
    for (int32_t slot = 0; slot < kEquipSlots && n < kSellEntries; ++slot) {
        const EquipSlot& es = h.equip[slot];
        for (int32_t p = 0; p < kPiecesPerSlot && n < kSellEntries; ++p) {
            const EquipItem& piece = es.items[p];
            if (piece.owned == 1 && piece.price > 0 && p != es.equipped) {
                Ware& e = s.sellList[n++];
                e.value = piece.price;
                e.kind = GoodsPiece;
                e.slot = slot;
                e.index = p;
                CopyText(e.name, sizeof(e.name), piece.name);
            }
        }
    }
    s.sellCount = n;
}

void Buy(Game& g) {
    Shop& s = g.shop;
    // No ware under the cursor (an empty shop) or one that names nothing: only the refusal.
    if (s.wareCount <= 0 || s.wareCount > kWares || s.buyRow < 0 || s.buyRow >= s.wareCount ||
        !WareIndicesValid(s.wares[s.buyRow])) {
        PlayWave(g, "sound/nomag.wav");
        return;
    }
    const Ware& w = s.wares[s.buyRow];
    Actor& h = g.hero;
    const bool alreadyHeld = (w.kind == GoodsPiece && h.equip[w.slot].items[w.index].owned) ||
                             (w.kind == GoodsSpell && h.spellOwned[w.index]);
    if (alreadyHeld) {
        PlayWave(g, "sound/nomag.wav");
        EnterMessage(g, 2);
        return;
    }
    if (h.attr[GP] < w.price) {
        PlayWave(g, "sound/nomag.wav");
        EnterMessage(g, 1);
        return;
    }
    h.attr[GP] -= w.price;
    GiveGoods(g, w.kind, w.slot, w.index);
    PlayWave(g, "sound/register.wav");
    EnterMessage(g, 3);
}

void Sell(Game& g) {
    Shop& s = g.shop;
    if (s.sellCount <= 0 || s.sellCount > kSellEntries || s.sellRow < 0 ||
        s.sellRow >= s.sellCount) {
        PlayWave(g, "sound/nomag.wav");
        return;
    }
    const Ware e = s.sellList[s.sellRow];
    Actor& h = g.hero;
    if (h.attr[GP] >= PurseLimit(g)) {
        PlayWave(g, "sound/nomag.wav");
        EnterMessage(g, 5);
        return;
    }
    AddGold(g, e.value);
    const bool fits = GoodsFit(kWareKinds, kWareKindCount, e.kind, e.slot, e.index, false);
    if (fits && e.kind == GoodsPiece) {
        h.equip[e.slot].items[e.index].owned = 0;
        SyncEquipCursor(g, e.slot);
    } else if (fits && e.kind == GoodsItem) {
        --h.itemCount[e.index];
        if (h.itemCount[e.index] == 0) SyncItemCursor(g, e.index, 1);
    }
    PlayWave(g, "sound/register.wav");
    EnterMessage(g, 4);
    BuildSellList(g);
    s.sellCursor = 0;
}

void DrawShopMenu(Game& g) {
    Shop& s = g.shop;
    MusicKeepAlive(g);
    SetBackground(g, kShopPicture);
    MenuList list(g, {735, 230, 40}, s.menuCursor);
    for (int32_t k = 0; k < 3; ++k) {
        if (list.Line(s.menuTitle[k])) {
            s.menuChoice = k;
            list.Text(s.menuHint[k], 600, 650);
        }
    }
    DrawFrame(g, 0, 1);
}

void DrawBuyList(Game& g) {
    Shop& s = g.shop;
    MusicKeepAlive(g);
    SetBackground(g, kShopPicture);
    char text[kTextLength];
    MenuList list(g, {650, 230, 25}, s.buyCursor);
    const int32_t count = (s.wareCount < 0) ? 0 : (s.wareCount > kWares ? kWares : s.wareCount);
    for (int32_t k = 0; k < count; ++k) {
        FormatText(text, sizeof(text), "%s ", s.wares[k].name);
        if (list.Line(text)) {
            s.buyRow = k;
            list.Text(s.wares[k].text, 600, 650);
        }
    }
    DrawPurse(g, list);
    DrawFrame(g, 0, 1);
}

void DrawSellList(Game& g) {
    Shop& s = g.shop;
    MusicKeepAlive(g);
    SetBackground(g, kShopPicture);
    char text[kTextLength];
    MenuList list(g, {650, 230, 25}, s.sellCursor);
    const int32_t count =
        (s.sellCount < 0) ? 0 : (s.sellCount > kSellEntries ? kSellEntries : s.sellCount);
    for (int32_t k = 0; k < count; ++k) {
        FormatText(text, sizeof(text), "%s: %d GP", s.sellList[k].name, s.sellList[k].value);
        if (list.Line(text)) s.sellRow = k;
    }
    DrawPurse(g, list);
    DrawFrame(g, 0, 1);
}

void DrawShopMessage(Game& g) {
    static constexpr const char* kMessages[5] = {
        " Not enough GP for this item.", "Only one of this item allowed.",
        " Item purchased successfully!", "   Item sold successfully!",
        "  Your purse is full of GP's!",
    };
    SetBackground(g, kShopPicture);
    const int32_t m = g.shop.shopMessage;
    if (m >= 1 && m <= 5) DrawText(g, 0, kMessages[m - 1], 650, 220, kColourDarkRed);
    DrawFrame(g, 0, 1);
}

}  // namespace veloria
