// The villain of a battle: loading, touch and knock-back, its decisions, heal, teleport, casting,
// movement and drawing.
#include "world/villain.h"

#include "content/reader.h"
#include "flow/game.h"
#include "hero/spells.h"
#include "world/facing.h"
#include "world/movement.h"
#include "world/saturate.h"
#include "world/villain_schema.h"

namespace veloria {

namespace {

constexpr int32_t kSprite = 128;
constexpr int32_t kStep = 16;
constexpr int32_t kKnockBack = 96;
constexpr uint32_t kTouchRepeatMs = 250;

// Animation states of the villain.
constexpr int32_t kWalk0 = 0;
constexpr int32_t kWalk1 = 1;
constexpr int32_t kHit = 2;
constexpr int32_t kCasting = 3;
constexpr int32_t kHealing = 4;
constexpr int32_t kVanished = 5;

// The animation row of the villain's facing, or null when the facing is corrupt.
AnimRow* FacingRow(Villain& v) {
    return ValidFacing(v.facing) ? &v.anim[v.facing] : nullptr;
}

void SetVillainState(Villain& v, int32_t state) {
    if (AnimRow* row = FacingRow(v)) row->state = state;
}

void SetHeroState(Actor& hero, int32_t state) {
    if (ValidFacing(hero.facing)) hero.anim[hero.facing].state = state;
}

void MoveBy(int32_t facing, int32_t distance, int32_t* x, int32_t* y) {
    switch (facing) {
        case 0:
            *x -= distance;
            break;
        case 1:
            *x += distance;
            break;
        case 2:
            *y -= distance;
            break;
        case 3:
            *y += distance;
            break;
        default:
            break;
    }
}

int32_t Abs(int32_t v) {
    return v < 0 ? -v : v;
}

}  // namespace

void LoadVillain(Game& g, int32_t number) {
    Villain& v = g.villain;
    char path[40];
    FormatText(path, sizeof(path), "data/villains/v%02d.txt", number);
    ContentReader r(path);
    VisitVillainFile(v, [&](const FieldSchema& f, int32_t& value) {
        if (IsChecked(f)) {
            r.ReadIndex(&value, f.lo, f.hi, f.name);
        } else {
            r.ReadInt(&value);
        }
    });
    r.ReadLine(v.name, sizeof(v.name));

    TimerReset(v.thinkTimer);
    TimerReset(v.healTimer);
    TimerReset(v.teleportTimer);
    for (Timer& t : v.spellTimer) TimerReset(t);
    v.x = 192;
    v.y = 384;
    v.facing = 1;
    v.teleporting = 0;
}

void UpdateVillain(Game& g) {
    if (g.villain.alive == 0 || g.flow.gameState != StateBattle) return;
    if (TouchHeroine(g) != 0) return;
    if (TimerElapsed(g, g.villain.thinkTimer, static_cast<uint32_t>(g.villain.thinkPeriod))) {
        Decide(g);
    }
}

int32_t TouchHeroine(Game& g) {
    Villain& v = g.villain;
    Actor& hero = g.hero;

    // Margins are given for the villain facing right; they may turn with it.
    int32_t left = 0, right = 0, top = 0, bottom = 0;
    if (v.boxTurns == 0) {
        left = v.boxLeft, right = v.boxRight, top = v.boxTop, bottom = v.boxBottom;
    } else if (v.boxTurns == 1) {
        switch (v.facing) {
            case 0:
                left = v.boxRight, right = v.boxLeft, top = v.boxTop, bottom = v.boxBottom;
                break;
            case 2:
                left = v.boxTop, right = v.boxBottom, top = v.boxRight, bottom = v.boxLeft;
                break;
            case 3:
                left = v.boxBottom, right = v.boxTop, top = v.boxLeft, bottom = v.boxRight;
                break;
            default:
                left = v.boxLeft, right = v.boxRight, top = v.boxTop, bottom = v.boxBottom;
                break;
        }
    }
    // Margins come from the villain file: computed wide and cut back, so a value near the 32-bit
    // limit moves the box off the screen instead of overflowing.
    const int32_t boxL = Saturate(static_cast<int64_t>(v.x) + left);
    const int32_t boxR = Saturate(static_cast<int64_t>(v.x) + kSprite - 1 - right);
    const int32_t boxT = Saturate(static_cast<int64_t>(v.y) + top);
    const int32_t boxB = Saturate(static_cast<int64_t>(v.y) + kSprite - 1 - bottom);

    HitEvent(g, hero);  // brings her foot box up to date
    if (!BoxesOverlap(boxL, boxR, boxT, boxB, hero.box.left, hero.box.right, hero.box.top,
                      hero.box.bottom)) {
        return 0;
    }

    // Push her along the axis on which she is nearer to the villain.
    const int32_t dx = Abs(hero.x - v.x);
    const int32_t dy = Abs(hero.y - v.y);
    int32_t horizontal;  // facing code of the push
    if (v.x < hero.x) {
        horizontal = 1;
    } else if (v.x > hero.x) {
        horizontal = 0;
    } else {
        horizontal = hero.facing == 0 ? 1 : 0;
    }
    int32_t vertical;
    if (v.y < hero.y) {
        vertical = 3;
    } else if (v.y > hero.y) {
        vertical = 2;
    } else {
        vertical = hero.facing == 2 ? 3 : 2;
    }
    int32_t push;
    if (dx < dy) {
        push = horizontal;
    } else if (dx > dy) {
        push = vertical;
    } else {
        push = (hero.facing == 0 || hero.facing == 1) ? horizontal : vertical;
    }
    MoveBy(push, kKnockBack, &hero.x, &hero.y);
    if (HitEvent(g, hero) == 1) MoveBy(push, -2 * kKnockBack, &hero.x, &hero.y);
    SetHeroState(hero, kHit);

    if (!TimerElapsed(g, v.touchTimer, kTouchRepeatMs)) return 0;

    RecomputeStats(g);
    int64_t damage = static_cast<int64_t>(v.touchDamage) - hero.attr[Protect];
    if (damage < 1) damage = 1;
    int64_t hp = static_cast<int64_t>(hero.attr[HP]) - damage;
    if (hp < 1) hp = 0;
    hero.attr[HP] = static_cast<int32_t>(hp);
    Rumble(g, 10000, 0.25f);
    if (hero.attr[HP] == 0) g.flow.gameState = StateHeroDead;
    return 1;
}

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

void MoveVillain(Game& g) {
    Villain& v = g.villain;
    switch (v.moveMode) {
        case 0:
            RandomTurn(g);
            break;
        case 1:
            ChaseTurn(g);
            break;
        case 2:
            MixedTurn(g);
            break;
        case 3:
            return;  // stands still
        default:
            break;
    }
    MoveBy(v.facing, kStep, &v.x, &v.y);
    if (HitsAnyEvent(g)) MoveBy(v.facing, -kStep, &v.x, &v.y);
    if (AnimRow* row = FacingRow(v)) {
        if (row->state == kWalk0) {
            row->state = kWalk1;
        } else if (row->state == kWalk1) {
            row->state = kWalk0;
        }
    }
}

void RandomTurn(Game& g) {
    Villain& v = g.villain;
    int32_t others[3];
    int32_t n = 0;
    for (int32_t f = 0; f < 4 && n < 3; ++f) {
        if (f != v.facing) others[n++] = f;
    }
    const int32_t r = Random(g, 1000000);
    if (r < 400000) return;
    if (r < 600000) {
        v.facing = others[0];
    } else if (r < 800000) {
        v.facing = others[1];
    } else {
        v.facing = others[2];
    }
}

void ChaseTurn(Game& g) {
    Villain& v = g.villain;
    const int32_t hx = g.hero.x;
    const int32_t hy = g.hero.y;
    const int32_t dx = Abs(hx - v.x);
    const int32_t dy = Abs(hy - v.y);
    if (dx < dy) {
        v.facing = hy > v.y ? 3 : 2;
    } else if (hx > v.x) {
        v.facing = 1;
    } else if (hx < v.x) {
        v.facing = 0;
    }
    // On her very position there is no direction to chase: keep facing.
}

void MixedTurn(Game& g) {
    if (Random(g, 1000) < 500) {
        RandomTurn(g);
    } else {
        ChaseTurn(g);
    }
}

bool HitsAnyEvent(Game& g) {
    const Villain& v = g.villain;
    const int32_t* cells = g.view.cells[Events];
    for (int32_t i = 0; i < kViewCells; ++i) {
        if (cells[i] == 0) continue;
        const int32_t c = i % kViewColumns;
        const int32_t r = i / kViewColumns;
        const int32_t left = kSprite * c - kSprite - g.level.scrollX;
        const int32_t top = kSprite * r - kSprite - g.level.scrollY;
        if (BoxesOverlap(v.x, v.x + kSprite - 1, v.y, v.y + kSprite - 1, left, left + kSprite - 1,
                         top, top + kSprite - 1)) {
            return true;
        }
    }
    return false;
}

void DrawVillain(Game& g) {
    Villain& v = g.villain;
    AnimRow* row = FacingRow(v);
    uint32_t tile = 0;
    if (row != nullptr && row->state >= 0 && row->state < kVillainAnimStates) {
        switch (row->state) {
            case kVanished:
                if (TimerElapsed(g, v.vanishTimer, 100) && v.teleporting == 1) {
                    row->state = kWalk0;
                    LandTeleport(g);
                }
                break;
            case kHit:
                if (TimerElapsed(g, v.hurtTimer, 100)) row->state = kWalk0;
                break;
            case kHealing:
                if (TimerElapsed(g, v.healAnimTimer, 150)) row->state = kWalk1;
                break;
            case kCasting:
                if (TimerElapsed(g, v.castAnimTimer, 200)) row->state = kWalk1;
                break;
            default:
                break;
        }
        tile = static_cast<uint32_t>(row->tiles[row->state]);
    }
    SetQuad(g, kQuadVillain, v.x, v.x + kSprite, v.y, v.y + kSprite, tile);
}

}  // namespace veloria
