#include "hero/actor.h"

#include <cstdint>

#include "content/reader.h"
#include "content/schema.h"
#include "flow/game.h"
#include "hero/actor_schema.h"
#include "presentation/renderer.h"
#include "presentation/timer.h"
#include "world/saturate.h"

namespace veloria {

namespace {

constexpr int32_t kAnimStates = kActorAnimStates;
// PurseLevel 24 gives 1 677 721 600 GP; one more doubling would not fit in 32 bits.
constexpr int32_t kMaxPurseLevel = 24;

}  // namespace

void LoadActor(Game& g, Actor& a, const char* path) {
    ContentReader r(g.platform, path);
    if (!r.IsOpen()) return;
    VisitActorFile(a, [&](const FieldSchema& f, int32_t& value) {
        // The state picks a tile of the row: a bad one must never index outside it.
        if (IsChecked(f)) {
            r.ReadIndex(&value, f.lo, f.hi, WarningWord(f));
        } else {
            r.ReadInt(&value);
        }
    });
    r.ReadLine(a.name, kActorNameSize);
}

void Animate(Game& g, Actor& a) {
    uint32_t tile = 0;
    if (a.facing >= 0 && a.facing < 4) {
        int32_t& state = a.anim[a.facing].state;
        // Each timed state has its own shared timer; a state changes at most once per call.
        if (state == 2) {
            if (TimerElapsed(g, g.animTimers[0], 100)) state = 0;
        } else if (state == 4) {
            if (TimerElapsed(g, g.animTimers[1], 150)) state = 1;
        } else if (state == 5) {
            if (TimerElapsed(g, g.animTimers[2], 150)) state = 1;
        } else if (state == 3) {
            if (TimerElapsed(g, g.animTimers[3], 200)) state = 1;
        }
        if (state >= 0 && state < kAnimStates) {
            tile = static_cast<uint32_t>(a.anim[a.facing].tiles[state]);
        }
    }
    SetQuad(g, a.quadSlot, a.x, AddSat(a.x, 128), a.y, AddSat(a.y, 128), tile);
}

void ToggleStepFrame(Actor& a) {
    if (a.facing < 0 || a.facing > 3) return;
    int32_t& state = a.anim[a.facing].state;
    if (state == 0) {
        state = 1;
    } else if (state == 1) {
        state = 0;
    }
}

void RecomputeStats(Game& g) {
    Actor& h = g.hero;
    int64_t cast = 0, protect = 0, mojo = 0;
    for (const EquipSlot& slot : h.equip) {
        // A worn index from a damaged save adds nothing rather than reading past the slot.
        if (slot.equipped < 0 || slot.equipped >= kPiecesPerSlot) continue;
        const EquipItem& piece = slot.items[slot.equipped];
        cast += piece.cast;
        protect += piece.protect;
        mojo += piece.mojo;
    }
    int64_t base = (static_cast<int64_t>(h.attr[Power]) + 3LL * h.attr[MagicLevel]) / 3;
    h.attr[Cast] = Saturate(base + cast);
    h.attr[Protect] = Saturate(protect + h.attr[Stealth] / 6);
    h.attr[Mojo] = Saturate(mojo);
}

int32_t PurseLimit(const Game& g) {
    int32_t level = g.hero.attr[PurseLevel];
    if (level > kMaxPurseLevel) level = kMaxPurseLevel;
    return TimesPowerOfTwo(100, level);
}

void AddGold(Game& g, int32_t amount) {
    int64_t gold = static_cast<int64_t>(g.hero.attr[GP]) + amount;
    int32_t limit = PurseLimit(g);
    if (gold > limit) gold = limit;
    g.hero.attr[GP] = Saturate(gold);
}

void SyncItemCursor(Game& g, int32_t item, int32_t removed) {
    Actor& h = g.hero;
    if (h.selectedItem == item && removed != 0) {
        h.selectedItem = kNoItem;
        g.cursors.itemMenuCursor = 0;
        return;
    }
    if (h.selectedItem < 0 || h.selectedItem >= kItems) return;
    if (h.itemCount[h.selectedItem] == 0) return;
    int32_t position = 0;
    for (int32_t k = 0; k < h.selectedItem; ++k) {
        if (h.itemCount[k] != 0) ++position;
    }
    g.cursors.itemMenuCursor = position;
}

void SyncSpellCursor(Game& g) {
    Actor& h = g.hero;
    if (h.selectedSpell < 0 || h.selectedSpell >= kSpells) return;
    if (h.spellOwned[h.selectedSpell] == 0) return;
    int32_t position = 0;
    for (int32_t k = 0; k < h.selectedSpell; ++k) {
        if (h.spellOwned[k] != 0) ++position;
    }
    g.cursors.spellMenuCursor = position;
}

void SyncEquipCursor(Game& g, int32_t slot) {
    if (slot < 0 || slot >= kEquipSlots) return;
    EquipSlot& s = g.hero.equip[slot];
    if (s.equipped < 0 || s.equipped >= kPiecesPerSlot) return;
    if (s.items[s.equipped].owned != 1) return;
    int32_t position = 0;
    for (int32_t k = 0; k < s.equipped; ++k) {
        if (s.items[k].owned == 1) ++position;
    }
    s.listCursor = position;
}

}  // namespace veloria
