// How the villain walks: its step, its turning modes and what stops it.
#include "world/villain_moves.h"

#include <cstdint>

#include "flow/game.h"
#include "hero/actor_record.h"
#include "presentation/random.h"
#include "world/facing.h"
#include "world/level_map_record.h"
#include "world/movement.h"
#include "world/villain_parts.h"
#include "world/villain_record.h"

namespace veloria {

using namespace villain_parts;

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
    MoveInFacing(v.facing, kStep, &v.x, &v.y);
    if (HitsAnyEvent(g)) MoveInFacing(v.facing, -kStep, &v.x, &v.y);
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

}  // namespace veloria
