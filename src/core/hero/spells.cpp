// Spell shots: the heroine's and the villain's launch, the flight step by step, lairs and
// barriers opened by the first spell, and the hits on the villain and on the heroine.
#include "hero/spells.h"

#include <cstdint>

#include "battle/damage.h"
#include "flow/bounded_text.h"
#include "flow/game.h"
#include "flow/game_state.h"
#include "hero/actor.h"
#include "hero/dialog.h"
#include "input/input_device.h"
#include "presentation/sound.h"
#include "presentation/timer.h"
#include "world/event_code.h"
#include "world/facing.h"
#include "world/movement.h"
#include "world/saturate.h"
#include "world/villain_record.h"

namespace veloria {

namespace {

constexpr int32_t kStep = kStepPixels;
constexpr int32_t kHitPose = 2;
constexpr int32_t kCastPose = 3;

void SetPose(int32_t facing, AnimRow* anim, int32_t state) {
    if (ValidFacing(facing)) anim[facing].state = state;
}

// Where a shot appears relative to its caster; a villain's shot facing down starts nearer to
// the caster's feet than the heroine's.
void StartPosition(int32_t facing, int32_t x, int32_t y, int32_t downOffset, Projectile& shot) {
    switch (facing) {
        case 0:
            shot.x = AddSat(x, -58);
            shot.y = y;
            break;
        case 1:
            shot.x = AddSat(x, 30);
            shot.y = y;
            break;
        case 2:
            shot.x = x;
            shot.y = AddSat(y, -80);
            break;
        case 3:
            shot.x = x;
            shot.y = AddSat(y, downOffset);
            break;
        default:
            shot.x = x;
            shot.y = y;
            break;
    }
}

void ClearShot(Game& g, Projectile& p) {
    LoadActor(g, p, kDummyActorFile);
    p.active = 0;
}

}  // namespace

void CastHeroSpell(Game& g) {
    Projectile& shot = g.heroSpell;
    Actor& hero = g.hero;
    const int32_t spell = hero.selectedSpell;
    // A saved game could hold any number here; only the four spells can fly.
    if (spell < 0 || spell >= kSpells) {
        ClearShot(g, shot);
        return;
    }
    if (hero.attr[MP] < shot.attr[MP]) {
        LoadActor(g, shot, kDummyActorFile);
        PlayWave(g, "sound/nomag.wav");
        LoadDialogNumber(g, 7);
        g.flow.returnState = g.flow.gameState;
        g.flow.gameState = StateDialog;
        shot.active = 0;
        return;
    }
    hero.attr[MP] -= shot.attr[MP];
    shot.facing = hero.facing;
    shot.castFacing = hero.facing;
    StartPosition(hero.facing, hero.x, hero.y, 64, shot);
    SetPose(hero.facing, hero.anim, kCastPose);
    Rumble(g, 8000, 0.25f);
    shot.active = 1;
    char wave[40];
    FormatText(wave, sizeof(wave), "sound/spell%02d.wav", spell);
    PlayWave(g, wave);
}

void LaunchVillainSpell(Game& g) {
    Projectile& shot = g.villainSpell;
    const Villain& v = g.villain;
    shot.facing = v.facing;
    StartPosition(v.facing, v.x, v.y, 24, shot);
    char wave[40];
    FormatText(wave, sizeof(wave), "sound/spell%02d.wav", v.castFile);
    PlayWave(g, wave);
    shot.active = 1;
}

void StepProjectile(Game& g, Projectile& p) {
    // The step timer is asked every frame, also while the shot rests.
    if (!TimerElapsed(g, p.stepTimer, static_cast<uint32_t>(p.stepPeriod)) || p.active == 0) {
        return;
    }
    ToggleStepFrame(p);
    const int32_t e = HitEvent(g, p);
    MoveInFacing(p.facing, kStep, &p.x, &p.y);
    const bool blocking = StopsSpells(e);
    if (blocking) ClearShot(g, p);

    if (p.kind == 1 && p.active != 0) {
        Actor& hero = g.hero;
        if (IsLair(e)) {
            // A lair number outside the table names no lair: nothing there to stop the shot.
            const int32_t lair = g.level.lairIds[e - EventLairFirst];
            if (lair >= 0 && lair < kLairs && hero.lairs[lair].opened == 0) {
                ClearShot(g, p);
                if (hero.selectedSpell == 0) {
                    hero.lairs[lair].opened = 1;
                    PlayWave(g, "sound/win.wav");
                }
                return;
            }
        } else if (IsBarrier(e)) {
            const int32_t barrier = g.level.barrierIds[e - EventBarrierFirst];
            if (barrier >= 0 && barrier < kBarriers && hero.barrierBroken[barrier] == 0) {
                ClearShot(g, p);
                if (hero.selectedSpell == 0) {
                    hero.barrierBroken[barrier] = 1;
                    PlayWave(g, "sound/win.wav");
                }
                return;
            }
        }
    }

    if (!blocking) {
        if (p.kind == 1) {
            HeroSpellHits(g);
        } else if (p.kind == 2) {
            VillainSpellHits(g);
        }
    }
}

void HeroSpellHits(Game& g) {
    Villain& v = g.villain;
    Projectile& shot = g.heroSpell;
    if (v.alive == 0) return;
    // The rectangle is deliberately inside-out: it overlaps the villain's square exactly when
    // the shot's corner lies within 63 pixels of the villain's on both axes.
    if (!BoxesOverlap(v.x, AddSat(v.x, 127), v.y, AddSat(v.y, 127), AddSat(shot.x, 64),
                      AddSat(shot.x, 63), AddSat(shot.y, 64), AddSat(shot.y, 63))) {
        return;
    }
    shot.active = 0;
    SetPose(v.facing, v.anim, kHitPose);
    TimerReset(v.hurtTimer);
    DamageVillain(g, shot);
}

void VillainSpellHits(Game& g) {
    Projectile& shot = g.villainSpell;
    Actor& hero = g.hero;
    if (!BoxesOverlap(hero.box.left, hero.box.right, hero.box.top, hero.box.bottom, shot.box.left,
                      shot.box.right, shot.box.top, shot.box.bottom)) {
        return;
    }
    shot.active = 0;
    DamageHero(g);
    LoadActor(g, shot, kDummyActorFile);
    SetPose(hero.facing, hero.anim, kHitPose);
}

}  // namespace veloria
