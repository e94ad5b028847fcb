#include "lib/monkey.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "flow/game.h"
#include "flow/game_state.h"
#include "hero/actor_record.h"
#include "hero/equip_screens_record.h"
#include "hero/shop_record.h"
#include "input/input_codes.h"
#include "world/level_map_record.h"
#include "world/villain_record.h"

namespace veloria::play {

namespace {

constexpr int32_t kScreenWidth = 1024;
constexpr int32_t kScreenHeight = 768;
constexpr int32_t kGrid = 16;

bool KnownState(int32_t s) {
    return (s >= StateMap && s <= StateStoryScroll) || (s >= StatePlayTime && s <= StateEndStory);
}

// A cursor over a list of `count` entries: on an entry, or at 0 when the list is empty.
bool CursorInList(int32_t cursor, int32_t count) {
    return cursor >= 0 && cursor < (count > 0 ? count : 1);
}

std::string Broken(const char* format, int32_t a, int32_t b = 0, int32_t c = 0) {
    char text[160];
    std::snprintf(text, sizeof(text), format, a, b, c);
    return text;
}

bool OnMap(int32_t s) {
    return s == StateMap || s == StateDialog;
}

}  // namespace

bool IsQuitState(int32_t gameState) {
    return gameState == StateTitle || gameState == StateQuitConfirm || gameState == StateEndStory;
}

std::string CheckInvariants(const Game& g) {
    const int32_t state = g.flow.gameState;
    if (!KnownState(state)) return Broken("gameState %d is no state", state);
    if (g.renderer.errorText[0] != '\0')
        return "renderer error: " + std::string(g.renderer.errorText);

    const Actor& h = g.hero;
    // A spell's hit may take HP below 0 as it ends the battle (only a touch stops at 0); the
    // defeat screen is the one place that shows it, and the restart from there resets it.
    const int32_t lowestHp = state == StateHeroDead ? INT32_MIN : 0;
    if (h.attr[HP] < lowestHp || h.attr[HP] > h.attr[MaxHP]) {
        return Broken("HP %d outside 0..%d", h.attr[HP], h.attr[MaxHP]);
    }
    if (h.attr[MP] < 0 || h.attr[MP] > h.attr[MaxMP]) {
        return Broken("MP %d outside 0..%d", h.attr[MP], h.attr[MaxMP]);
    }
    if (h.selectedSpell < 0 || h.selectedSpell >= kSpells) {
        return Broken("selected spell %d outside 0..%d", h.selectedSpell, kSpells - 1);
    }
    if (h.selectedItem < 0 || h.selectedItem > kNoItem) {
        return Broken("selected item %d outside 0..%d", h.selectedItem, kNoItem);
    }
    if (h.equipCursor < 0 || h.equipCursor >= kEquipSlots) {
        return Broken("equipment slot cursor %d outside 0..%d", h.equipCursor, kEquipSlots - 1);
    }
    for (int32_t s = 0; s < kEquipSlots; ++s) {
        const EquipSlot& slot = h.equip[s];
        if (slot.listCount < 0 || slot.listCount > kPiecesPerSlot) {
            return Broken("slot %d lists %d pieces", s, slot.listCount);
        }
        if (slot.equipped < 0 || slot.equipped >= kPiecesPerSlot) {
            return Broken("slot %d wears piece %d", s, slot.equipped);
        }
    }
    // The list screens count their entries when they draw; the lists themselves are the items
    // carried and the spells known, counted here so a cursor is checked on every screen.
    int32_t items = 0;
    for (int32_t count : h.itemCount) items += count != 0;
    int32_t spells = 0;
    for (int32_t owned : h.spellOwned) spells += owned == 1;
    const MenuCursors& c = g.cursors;
    if (!CursorInList(c.itemMenuCursor, items)) {
        return Broken("item cursor %d outside the %d items carried", c.itemMenuCursor, items);
    }
    if (!CursorInList(c.spellMenuCursor, spells)) {
        return Broken("spell cursor %d outside the %d spells known", c.spellMenuCursor, spells);
    }
    if (!CursorInList(c.equipMenuCursor, kEquipSlots)) {
        return Broken("equipment cursor %d outside the %d slots", c.equipMenuCursor, kEquipSlots);
    }
    if (state == StateEquipList) {
        const EquipSlot& slot = h.equip[h.equipCursor];
        if (!CursorInList(slot.listCursor, slot.listCount)) {
            return Broken("slot %d cursor %d outside its %d pieces", h.equipCursor, slot.listCursor,
                          slot.listCount);
        }
    }

    const Shop& shop = g.shop;
    if (shop.wareCount < 0 || shop.wareCount > kWares) {
        return Broken("shop lists %d wares", shop.wareCount);
    }
    if (shop.sellCount < 0 || shop.sellCount > kSellEntries) {
        return Broken("shop lists %d things to sell", shop.sellCount);
    }
    if (state >= StateShop && state <= StateShopSell) {
        if (shop.menuCursor < 0 || shop.menuCursor > 2) {
            return Broken("shop menu cursor %d outside 0..2", shop.menuCursor);
        }
        if (!CursorInList(shop.buyCursor, shop.wareCount)) {
            return Broken("buy cursor %d outside its %d wares", shop.buyCursor, shop.wareCount);
        }
        if (!CursorInList(shop.sellCursor, shop.sellCount)) {
            return Broken("sell cursor %d outside its %d entries", shop.sellCursor, shop.sellCount);
        }
    }
    if (g.dialog.lineCount < 0 || g.dialog.lineCount > 3) {
        return Broken("dialog of %d lines", g.dialog.lineCount);
    }

    if (OnMap(state) && !g.level.inArena) {
        if (h.x % kGrid != 0 || h.y % kGrid != 0)
            return Broken("hero at %d,%d off the grid", h.x, h.y);
        if (h.x < 0 || h.x >= kScreenWidth || h.y < 0 || h.y >= kScreenHeight) {
            return Broken("hero at %d,%d off the screen", h.x, h.y);
        }
        if (h.facing < 0 || h.facing > 3) return Broken("hero faces %d", h.facing);
        const LevelMap& m = g.level;
        if (m.viewCol < m.minCol || m.viewCol > m.maxCol) {
            return Broken("view column %d outside %d..%d", m.viewCol, m.minCol, m.maxCol);
        }
        if (m.viewRow < m.minRow || m.viewRow > m.maxRow) {
            return Broken("view row %d outside %d..%d", m.viewRow, m.minRow, m.maxRow);
        }
    }
    return "";
}

uint64_t MonkeyRandom::Next() {
    uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
}

int8_t MonkeyInput(MonkeyRandom& random, int32_t gameState, int8_t previous, bool restless) {
    const bool walking = previous >= InputLeft && previous <= InputDown;
    const bool playing = gameState == StateMap || gameState == StateBattle;
    if (playing && walking && random.Below(4) != 0) return previous;
    // Directions and buttons alike; escape as often as one button.
    for (;;) {
        const int8_t code = static_cast<int8_t>(InputLeft + random.Below(InputEscape));
        if (code == InputButton7) continue;  // no key gives it
        if (code == InputEscape && IsQuitState(gameState) && random.Below(restless ? 1 : 64) != 0)
            continue;
        return code;
    }
}

uint32_t MonkeyPasses(MonkeyRandom& random, int32_t gameState) {
    if (gameState == StateMap || gameState == StateBattle) return 26;
    return random.Below(16) == 0 ? 60 : 1 + random.Below(8);
}

uint64_t MonkeyMemory::Key(const Game& g, int32_t dx, int32_t dy) {
    constexpr int32_t kHalfCell = 64;
    const int32_t x = (g.hero.x + dx) / kHalfCell;
    const int32_t y = (g.hero.y + dy) / kHalfCell;
    auto part = [](int32_t v, int bits) { return static_cast<uint64_t>(v) & ((1ull << bits) - 1); };
    return part(g.level.levelNumber, 12) << 52 | part(g.level.viewCol, 12) << 40 |
           part(g.level.viewRow, 12) << 28 | part(g.hero.x + dx < 0 ? -1 : x, 14) << 14 |
           part(g.hero.y + dy < 0 ? -1 : y, 14);
}

void MonkeyMemory::Visit(const Game& g) {
    ++counts_[Key(g, 0, 0)];
}

namespace {
constexpr int32_t kWayX[4] = {-64, 64, 0, 0};
constexpr int32_t kWayY[4] = {0, 0, -64, 64};
}  // namespace

int32_t MonkeyMemory::Count(const Game& g, int8_t direction) const {
    const int32_t i = direction - InputLeft;
    const auto it = counts_.find(Key(g, kWayX[i], kWayY[i]));
    return it == counts_.end() ? 0 : it->second;
}

int8_t MonkeyMemory::LeastKnown(MonkeyRandom& random, const Game& g) {
    const uint32_t first = random.Below(4);
    int8_t best = InputNone;
    int32_t fewest = 0;
    for (uint32_t k = 0; k < 4; ++k) {
        const int8_t way = static_cast<int8_t>(InputLeft + (first + k) % 4);
        const int32_t n = Count(g, way);
        if (best == InputNone || n < fewest) {
            best = way;
            fewest = n;
        }
    }
    // A wall is never stood on: counting the try keeps her from pressing against it for ever.
    const int32_t i = best - InputLeft;
    ++counts_[Key(g, kWayX[i], kWayY[i])];
    return best;
}

int8_t AimAtVillain(const Game& g, bool acrossFirst) {
    // A shot meets the villain when it passes within 63 pixels of him across its path.
    constexpr int32_t kReach = 48;
    const Villain& v = g.villain;
    const Actor& h = g.hero;
    if (v.alive == 0) return InputNone;
    const int32_t dx = v.x - h.x;
    const int32_t dy = v.y - h.y;
    int8_t toward;
    if (std::abs(dy) < kReach) {
        toward = dx >= 0 ? InputRight : InputLeft;
    } else if (std::abs(dx) < kReach) {
        toward = dy >= 0 ? InputDown : InputUp;
    } else if (acrossFirst) {
        // Either gap may be the one to close: the arena's edge can keep her from his row.
        return dy > 0 ? InputDown : InputUp;
    } else {
        return dx > 0 ? InputRight : InputLeft;
    }
    if (h.facing != toward - InputLeft) return toward;
    // Without the magic for the spell, the selected item (a potion, with luck) instead.
    return h.attr[MP] < g.heroSpell.attr[MP] ? static_cast<int8_t>(InputButton2)
                                             : static_cast<int8_t>(InputButton3);
}

int8_t MonkeyChoose(MonkeyRandom& random, const Game& g, int8_t previous, MonkeyMemory& memory,
                    bool restless) {
    const int32_t state = g.flow.gameState;
    if (state == StateBattle && random.Below(2) == 0) {
        const int8_t aim = AimAtVillain(g, random.Below(2) == 0);
        if (aim != InputNone) return aim;
    }
    int8_t code = MonkeyInput(random, state, previous, restless);
    // Its own games go into slot 1; slots 2 and 3 keep the saved games the soak starts from.
    if (state == StateSaveMenu && (code == InputButton2 || code == InputButton3)) {
        code = InputButton1;
    }
    // Magic comes back only with potions and levels: on the map a spell is mostly wasted.
    while (state == StateMap && code == InputButton3 && random.Below(8) != 0) {
        code = MonkeyInput(random, state, previous, restless);
    }
    const bool fresh = code != previous && code >= InputLeft && code <= InputDown;
    if (state == StateMap && fresh && !g.level.inArena && random.Below(2) == 0) {
        return memory.LeastKnown(random, g);
    }
    return code;
}

const char* MonkeyStateName(int32_t s) {
    switch (s) {
        case StateMap:
            return "map";
        case StateBattle:
            return "battle";
        case StateMainMenu:
            return "menu";
        case StateSpellMenu:
            return "spells";
        case StateItemMenu:
            return "items";
        case StateEquipMenu:
            return "equipment";
        case StateEquipList:
            return "pieces";
        case StateQuitConfirm:
            return "quit?";
        case StateSaveMenu:
            return "save";
        case StateGameSaved:
            return "saved";
        case StateVictory:
            return "victory";
        case StateHeroDead:
            return "defeat";
        case StateDialog:
            return "dialog";
        case StateShop:
            return "shop";
        case StateShopBuy:
            return "shop-buy";
        case StateShopMessage:
            return "shop-message";
        case StateShopSell:
            return "shop-sell";
        case StateTitle:
            return "title";
        case StateAttributes:
            return "attributes";
        case StateStoryScroll:
            return "story";
        case StatePlayTime:
            return "play-time";
        case StateLoadMenu:
            return "load";
        case StateEndStory:
            return "end-story";
        default:
            return "";
    }
}

}  // namespace veloria::play
