// What the villain decides to do: heal, teleport or cast.
#include "world/villain_actions.h"

#include <cstdint>

#include "flow/bounded_text.h"
#include "flow/game.h"
#include "hero/actor.h"
#include "hero/spells.h"
#include "presentation/random.h"
#include "presentation/sound.h"
#include "presentation/timer.h"
#include "world/facing.h"
#include "world/villain.h"
#include "world/villain_moves.h"
#include "world/villain_parts.h"
#include "world/villain_schema.h"

namespace veloria {

using namespace villain_parts;

void Decide(Game& g) {
    Villain& v = g.villain;
    // Each timer restarts when it fires, whether or not its action is taken.
    if (TimerElapsed(g, v.healTimer, static_cast<uint32_t>(v.healPeriod)) && v.heals != 0) {
        Heal(g);
        return;
    }
    if (TimerElapsed(g, v.teleportTimer, static_cast<uint32_t>(v.teleportPeriod)) &&
        v.teleports != 0) {
        StartTeleport(g);
        return;
    }
    for (int32_t slot = 1; slot <= 3; ++slot) {
        if (TimerElapsed(g, v.spellTimer[slot - 1],
                         static_cast<uint32_t>(v.spells[slot - 1].period)) &&
            v.spellCount >= slot) {
            CastSpell(g, slot);
            return;
        }
    }
    MoveVillain(g);
}

void Heal(Game& g) {
    Villain& v = g.villain;
    if (v.healPercent == 0 || v.maxHp == v.hp) return;
    // Single precision on purpose: the heal amounts of the content were tuned with it.
    const float missing = static_cast<float>(static_cast<int64_t>(v.maxHp) - v.hp);
    const float product = missing * (static_cast<float>(v.healPercent) / 100.0f);
    int64_t amount;
    if (!(product > -2147483648.0f)) {  // also catches NaN
        amount = 1;
    } else if (product >= 2147483648.0f) {
        amount = INT32_MAX;
    } else {
        amount = static_cast<int64_t>(static_cast<int32_t>(product));
    }
    if (amount < 1) amount = 1;
    int64_t hp = static_cast<int64_t>(v.hp) + amount;
    if (hp > INT32_MAX) hp = INT32_MAX;
    v.hp = static_cast<int32_t>(hp);
    TimerReset(v.healAnimTimer);
    SetVillainState(v, kHealing);
    PlayWave(g, "sound/win.wav");
}

void StartTeleport(Game& g) {
    Villain& v = g.villain;
    char wave[40];
    FormatText(wave, sizeof(wave), "sound/tele%02d.wav", v.teleportSound);
    PlayWave(g, wave);
    SetVillainState(v, kVanished);
    TimerReset(v.vanishTimer);
    v.teleporting = 1;
}

void LandTeleport(Game& g) {
    Villain& v = g.villain;
    const int32_t oldX = v.x;
    const int32_t oldY = v.y;
    // Bounded: an arena without a free place must not hang the game; the villain then
    // reappears where it vanished.
    for (int32_t tries = 0; tries < kLandTeleportTries; ++tries) {
        v.x = Random(g, 64) * kStep;
        v.y = Random(g, 48) * kStep;
        if (!HitsAnyEvent(g)) {
            v.teleporting = 0;
            return;
        }
        v.x = oldX;
        v.y = oldY;
    }
    v.teleporting = 0;
}

void CastSpell(Game& g, int32_t slot) {
    Villain& v = g.villain;
    v.castSlot = slot;
    if (slot < 1 || slot > 3) return;

    Projectile& shot = g.villainSpell;
    // The shot is free when the tile of its current frame is 0 (the cleared shot has no tiles).
    bool idle = true;
    if (ValidFacing(shot.facing)) {
        const AnimRow& row = shot.anim[shot.facing];
        if (row.state >= 0 && row.state < kVillainAnimStates) idle = row.tiles[row.state] == 0;
    }
    if (!idle) return;

    const int32_t file = v.spells[slot - 1].file;
    if (file < 0 || file >= kVillainSpellFiles) return;
    char path[40];
    FormatText(path, sizeof(path), "data/spells/cast%02d.txt", file);
    LoadActor(g, shot, path);
    v.castFile = file;
    LaunchVillainSpell(g);
    SetVillainState(v, kCasting);
}

}  // namespace veloria
