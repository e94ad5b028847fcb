#include "world/startup.h"

#include <cstdint>

#include "flow/bounded_text.h"
#include "flow/game.h"
#include "flow/game_state.h"
#include "hero/actor.h"
#include "hero/catalogue.h"
#include "hero/chest_record.h"
#include "hero/dialog_record.h"
#include "hero/equip_screens_record.h"
#include "input/input_device_record.h"
#include "menus/saved_game.h"
#include "presentation/random.h"
#include "presentation/renderer_record.h"
#include "presentation/sound.h"
#include "presentation/timer.h"
#include "world/anim_table.h"
#include "world/level_map.h"
#include "world/map_frame_record.h"
#include "world/villain.h"

namespace veloria {

namespace {

constexpr const char* kSlotTitles[kEquipSlots] = {"Right Hand", "Left Hand", "Body",
                                                  "Head",       "Neck",      "Feet"};
constexpr const char* kSlotHints[kEquipSlots] = {"Select Weapon",       "Rings, etc.",
                                                 "Robes, Cloaks, etc.", "Tiara, Helm, etc.",
                                                 "Necklaces",           "Heels, Boots, etc."};
constexpr const char* kShopTitles[3] = {"Buy Items", "Sell Items", "Leave Shop"};
constexpr const char* kShopHints[3] = {"Purchase various wares...", "Sell back your inventory...",
                                       "Come back soon!"};

void ClearShot(Game& g, Projectile& p, int32_t quadSlot, int32_t facing, int32_t kind) {
    LoadActor(g, p, kDummyActorFile);
    p.quadSlot = quadSlot;
    p.x = 0;
    p.y = 0;
    p.facing = facing;
    TimerReset(p.stepTimer);
    p.kind = kind;
    p.active = 0;
}

}  // namespace

void StartupLoad(Game& g) {
    // A restart after the hero's death must bring back exactly what the content files give, as
    // on the first start: the world's records go back to zeros before they are read again.
    // The title sequence, the devices, the music player and the renderer are left alone.
    g.hero = Actor{};
    g.heroSpell = Projectile{};
    g.villainSpell = Projectile{};
    g.level = LevelMap{};
    g.view = ViewLayers{};
    g.anims = AnimTable{};
    g.mapFrame = MapFrameState{};
    for (int32_t& d : g.doorUnlocked) d = 0;
    for (HiddenTreasure& t : g.hiddenTreasures) t = HiddenTreasure{};
    for (Chest& c : g.chests) c = Chest{};
    g.villain = Villain{};
    g.dialog = DialogBox{};
    // The screens' cursors too: one left on the old game's list could stand past the next one's.
    g.cursors = MenuCursors{};

    // The heroine and the two empty shots.
    LoadActor(g, g.hero, kHeroActorFile);
    g.hero.x = 256;
    g.hero.y = 384;
    g.hero.facing = 2;
    g.hero.quadSlot = kQuadHero;
    ClearShot(g, g.heroSpell, kQuadHeroSpell, 0, 1);
    ClearShot(g, g.villainSpell, kQuadVillainSpell, 1, 2);

    // No villain yet; the tile animations.
    LoadVillain(g, 0);
    char path[48];
    for (int32_t n = 0; n < kAnimTiles; ++n) {
        FormatText(path, sizeof(path), "data/anims/anim%02d.txt", n);
        LoadAnimFile(g, path);
    }

    // Buttons only; the walking delays come with the new or loaded game.
    g.input.repeatDelay[JoyButtons] = 500;
    g.input.repeatDelay[KeyButtons] = 500;

    // Level 1 and its defaults.
    LoadLevel(g, Small, "levels/level01.txt");
    g.level.battleMap = 2;
    g.level.encounterVillains = 1;
    g.level.encounterRate = 0;
    g.level.levelNumber = 1;
    g.level.viewCol = 0;
    g.level.viewRow = 0;

    // The fresh game, with the first piece of every slot and the first spell.
    LoadGame(g, kFreshGameFile, 0);
    for (EquipSlot& slot : g.hero.equip) slot.items[0].owned = 1;
    g.hero.spellOwned[0] = 1;

    // The catalogue and the fixed texts.
    LoadCatalogue(g);
    for (int32_t s = 0; s < kEquipSlots; ++s) {
        CopyText(g.hero.slotTitle[s], kNameSize, kSlotTitles[s]);
        CopyText(g.hero.slotHint[s], kNameSize, kSlotHints[s]);
    }
    for (int32_t k = 0; k < 3; ++k) {
        CopyText(g.shop.menuTitle[k], sizeof(g.shop.menuTitle[k]), kShopTitles[k]);
        CopyText(g.shop.menuHint[k], sizeof(g.shop.menuHint[k]), kShopHints[k]);
    }

    // The clocks.
    for (Timer& t : g.animTimers) TimerReset(t);
    TimerReset(g.villain.touchTimer);
    TimerReset(g.playClock);
    TimerUpdate(g, g.playClock);
    g.hero.playTime = 0;

    // The title screen and its music; the random generator seeded from the clock.
    g.flow.gameState = StateTitle;
    SetMusicFile(g, "music/title.mid");
    SeedRandom(g);
    g.battle.currentGuardian = 0;
}

}  // namespace veloria
