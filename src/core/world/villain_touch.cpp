// The villain touching the heroine: the damage and the knock-back.
#include "world/villain_touch.h"

#include <cstdint>

#include "flow/game.h"
#include "flow/game_state.h"
#include "hero/actor.h"
#include "input/input_device.h"
#include "presentation/timer.h"
#include "world/facing.h"
#include "world/movement.h"
#include "world/saturate.h"
#include "world/villain_parts.h"
#include "world/villain_record.h"

namespace veloria {

using namespace villain_parts;

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
    MoveInFacing(push, kKnockBack, &hero.x, &hero.y);
    if (HitEvent(g, hero) == 1) MoveInFacing(push, -2 * kKnockBack, &hero.x, &hero.y);
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

}  // namespace veloria
