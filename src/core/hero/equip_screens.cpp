// The equipment, item and spell screens of the in-game menu, and what using an item does.
#include "hero/equip_screens.h"

#include <cstdint>

#include "battle/damage.h"
#include "flow/bounded_text.h"
#include "flow/game.h"
#include "flow/game_state.h"
#include "hero/actor.h"
#include "hero/dialog.h"
#include "input/handle_input.h"
#include "input/input_device.h"
#include "presentation/menu_list.h"
#include "presentation/renderer.h"
#include "presentation/sound.h"
#include "world/event_code.h"
#include "world/facing.h"
#include "world/level_map_record.h"
#include "world/map_frame.h"
#include "world/saturate.h"

namespace veloria {

namespace {

enum ItemNumber : int32_t {
    HealingPotion = 0,
    MagicPotion = 1,
    FullRestorePotion = 2,
    FirstTonic = 7,
    LastTonic = 12,
    DoorKey = 13,
};

constexpr int32_t kAttributeCap = 18;

// The level-up rule shared by both maxima: at least one point, otherwise a tenth of the maximum
// (double precision, truncated) plus the attribute's sixth. Computed wide so that no saved value
// can overflow it.
int32_t GrowMaximum(int32_t maximum, int32_t attribute) {
    const int64_t tenth = static_cast<int64_t>(static_cast<double>(maximum) * 0.1);
    int64_t gain = tenth + attribute / 6;
    if (gain < 1) gain = 1;
    return Saturate(static_cast<int64_t>(maximum) + gain);
}

// Levels run 1..25 and magic levels 1..12; a larger count from a damaged save is cut there so
// the rebuild loops stay short.
int32_t LoopCount(int32_t levels, int32_t cap) {
    if (levels < 0) return 0;
    return levels > cap ? cap : levels;
}

void DrinkingPose(Game& g) {
    if (ValidFacing(g.hero.facing)) g.hero.anim[g.hero.facing].state = 5;
}

// Door number and key item of a door cell; false for any other code or a door number outside
// the unlock table.
bool DoorOfCode(const Game& g, int32_t code, int32_t* door, int32_t* key) {
    const int32_t lock = LockSlot(code);
    if (lock < 0) return false;
    // The low doors each take their own key (items 3..5); the high doors all take the door key.
    *key = IsLowDoor(code) ? code - EventLowDoorFirst + 3 : DoorKey;
    *door = g.level.lockIds[lock];
    return *door >= 0 && *door < kDoors;
}

}  // namespace

void DrawEquipMenu(Game& g) {
    MusicKeepAlive(g);
    SetBackgroundFile(g, "art/bg/equip_menu1.bmp");
    Actor& h = g.hero;
    MenuList list(g, {490, 260, 25}, g.cursors.equipMenuCursor);
    for (int32_t s = 0; s < kEquipSlots; ++s) {
        if (list.Line(h.slotTitle[s])) {
            h.equipCursor = s;
            list.Text(h.slotHint[s], 310, 700);
        }
    }
    g.cursors.equipMenuCount = kEquipSlots;
    SetBackground(g, g.backgroundFile);
    DrawFrame(g, 0, 1);
}

void DrawEquipList(Game& g) {
    MusicKeepAlive(g);
    SetBackgroundFile(g, "art/bg/equip_menu2.bmp");
    Actor& h = g.hero;
    if (h.equipCursor >= 0 && h.equipCursor < kEquipSlots) {
        EquipSlot& es = h.equip[h.equipCursor];
        char text[kTextLength];
        MenuList list(g, {470, 270, 25}, es.listCursor);
        for (int32_t p = 0; p < kPiecesPerSlot; ++p) {
            const EquipItem& piece = es.items[p];
            if (piece.owned == 0) continue;
            if (list.Line(piece.name)) {
                // Moving the cursor wears the piece under it.
                es.equipped = p;
                FormatText(text, sizeof(text), "Protect: %d", piece.protect);
                list.Text(text, 260, 575);
                FormatText(text, sizeof(text), "Cast: %d", piece.cast);
                list.Text(text, 500, 575);
                FormatText(text, sizeof(text), "Mojo: %d", piece.mojo);
                list.Text(text, 735, 575);
            }
        }
        es.listCount = list.Lines();
    }
    SetBackground(g, g.backgroundFile);
    DrawFrame(g, 0, 1);
}

void DrawItemMenu(Game& g) {
    MusicKeepAlive(g);
    SetBackgroundFile(g, "art/bg/item_menu.bmp");
    Actor& h = g.hero;
    char text[kTextLength];
    MenuList list(g, {440, 270, 25}, g.cursors.itemMenuCursor);
    for (int32_t i = 0; i < kItems; ++i) {
        if (h.itemCount[i] == 0) continue;
        FormatText(text, sizeof(text), "%s: %d", h.itemName[i], h.itemCount[i]);
        if (list.Line(text)) {
            h.selectedItem = i;
            list.Text(h.itemInfo[i], 290, 655);
        }
    }
    g.cursors.itemMenuCount = list.Lines();
    SetBackground(g, g.backgroundFile);
    DrawFrame(g, 0, 1);
}

void DrawSpellMenu(Game& g) {
    MusicKeepAlive(g);
    SetBackgroundFile(g, "art/bg/spell_menu.bmp");
    Actor& h = g.hero;
    MenuList list(g, {470, 200, 25}, g.cursors.spellMenuCursor);
    for (int32_t j = 0; j < kSpells; ++j) {
        if (h.spellOwned[j] != 1) continue;
        if (list.Line(h.spellName[j])) h.selectedSpell = j;
    }
    g.cursors.spellMenuCount = list.Lines();
    SetBackground(g, g.backgroundFile);
    DrawFrame(g, 0, 1);
}

void UsePotion(Game& g) {
    Actor& h = g.hero;
    int32_t* attr = h.attr;
    const int32_t item = h.selectedItem;
    if (item < HealingPotion || item > FullRestorePotion) return;
    // A count below one (also a negative one from a damaged save) means none left.
    if (h.itemCount[item] < 1) {
        ShowDialogFile(g, 8);
        return;
    }
    switch (item) {
        case HealingPotion:
            if (attr[HP] == attr[MaxHP]) {
                ShowDialogFile(g, 4);
                return;
            }
            attr[HP] = Saturate(static_cast<int64_t>(attr[HP]) + 25);
            if (attr[HP] > attr[MaxHP]) attr[HP] = attr[MaxHP];
            break;
        case MagicPotion:
            if (attr[MP] == attr[MaxMP]) {
                ShowDialogFile(g, 5);
                return;
            }
            attr[MP] = Saturate(static_cast<int64_t>(attr[MP]) + 20);
            if (attr[MP] > attr[MaxMP]) attr[MP] = attr[MaxMP];
            break;
        default:
            if (attr[HP] == attr[MaxHP] && attr[MP] == attr[MaxMP]) {
                ShowDialogFile(g, 6);
                return;
            }
            attr[HP] = attr[MaxHP];
            attr[MP] = attr[MaxMP];
            break;
    }
    --h.itemCount[item];
    if (h.itemCount[item] == 0) SyncItemCursor(g, item, 1);

    DrinkingPose(g);
    PlayWave(g, "sound/win.wav");
    MapFrame(g);
    Rumble(g, 10000, 0.25f);
}

void UseTonic(Game& g) {
    Actor& h = g.hero;
    int32_t* attr = h.attr;
    const int32_t item = h.selectedItem;
    if (item < FirstTonic || item > LastTonic) return;
    const int32_t a = item - FirstTonic;
    if (attr[a] >= kAttributeCap) {
        ShowDialogFile(g, 18);
        return;
    }
    // The selection outlives a loaded game, so it may name a tonic that is no longer carried.
    if (h.itemCount[item] < 1) {
        ShowDialogFile(g, 8);
        return;
    }
    --h.itemCount[item];
    if (h.itemCount[item] == 0) SyncItemCursor(g, item, 1);
    ++attr[a];

    PlayWave(g, "sound/win.wav");
    LoadDialogNumber(g, 19 + a);
    g.flow.returnState = g.flow.gameState;
    g.flow.gameState = StateDialog;

    RecomputeStats(g);

    h.stepPeriod = Saturate(176 - 3 * static_cast<int64_t>(attr[Speed]));
    const uint32_t period = static_cast<uint32_t>(h.stepPeriod);
    g.input.repeatDelay[JoyLeftRight] = period;
    g.input.repeatDelay[JoyUpDown] = period;
    g.input.repeatDelay[KeyLeftRight] = period;
    g.input.repeatDelay[KeyUpDown] = period;

    const int64_t baseHp = (static_cast<int64_t>(attr[Endurance]) + attr[Strength]) / 3;
    attr[MaxHP] = Saturate(baseHp < 6 ? 6 : baseHp);
    for (int32_t i = LoopCount(attr[Level], kHeroLevels); i > 0; --i) {
        attr[MaxHP] = GrowMaximum(attr[MaxHP], attr[Endurance]);
    }
    attr[HP] = attr[MaxHP];

    attr[MaxMP] = attr[Wits] / 3 + 3;
    for (int32_t i = LoopCount(attr[MagicLevel], kMagicLevels); i > 0; --i) {
        attr[MaxMP] = GrowMaximum(attr[MaxMP], attr[Wits]);
    }
    attr[MP] = attr[MaxMP];
}

void UseKey(Game& g, int32_t code) {
    int32_t door = 0;
    int32_t key = 0;
    if (!DoorOfCode(g, code, &door, &key)) {
        if (IsDoor(code)) {
            // A door whose number is outside the table can never be unlocked; the key is kept.
            ShowDialogFile(g, 12);
        }
        return;
    }
    Actor& h = g.hero;
    if (g.doorUnlocked[door]) {
        ShowDialogFile(g, 11);
        return;
    }
    if (h.selectedItem != key) {
        ShowDialogFile(g, 12);
        return;
    }
    if (h.itemCount[key] < 1) {
        ShowDialogFile(g, 8);
        return;
    }
    --h.itemCount[key];
    g.doorUnlocked[door] = 1;
    PlayWaveWait(g, "sound/unlock.wav");
    MapFrame(g);
    Rumble(g, 6500, 0.25f);
    if (h.itemCount[key] == 0) SyncItemCursor(g, key, 1);
}

bool DoorOpen(Game& g, int32_t code) {
    int32_t door = 0;
    int32_t key = 0;
    if (!DoorOfCode(g, code, &door, &key)) return false;
    return g.doorUnlocked[door] != 0;
}

}  // namespace veloria
