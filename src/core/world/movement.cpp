#include "world/movement.h"

#include <cstdint>

#include "flow/game.h"
#include "hero/actor_record.h"
#include "world/anim_table.h"
#include "world/facing.h"
#include "world/level_map_record.h"
#include "world/map_frame.h"
#include "world/saturate.h"

namespace veloria {

namespace {

constexpr int32_t kStep = kStepPixels;

// Moves the hero one step in her facing, or back when sign is -1.
void Step(Game& g, int32_t sign) {
    Actor& h = g.hero;
    MoveInFacing(h.facing, kStep * sign, &h.x, &h.y);
}

// One axis of the edge scroll. `pos` is the hero's screen coordinate, `view` the first map
// column (row) shown, `scroll` the pixel offset. The low edge triggers at 128 and holds her at
// 144; the high edge triggers at `highTrigger` and holds her at `highTrigger - 16`.
void ScrollAxis(int32_t& pos, int32_t& view, int32_t& scroll, int32_t minView, int32_t maxView,
                bool towardsLow, int32_t highTrigger) {
    if (towardsLow) {
        if (pos != 128) return;
        if (view == minView && scroll > 0) {
            pos = 144;
            scroll -= kStep;
        } else if (view > minView) {
            pos += kStep;
            scroll = AddSat(scroll, -kStep);
            // "Reaches or passes": a scroll off the 16-pixel grid from content still wraps.
            if (scroll <= -128) {
                scroll = 0;
                view -= 1;
            }
        }
    } else {
        if (pos != highTrigger) return;
        if (view == maxView && scroll < 0) {
            pos = highTrigger - kStep;
            scroll += kStep;
        } else if (view < maxView) {
            pos -= kStep;
            scroll = AddSat(scroll, kStep);
            if (scroll >= 128) {
                scroll = 0;
                view += 1;
            }
        }
    }
}

}  // namespace

bool BoxesOverlap(int32_t aLeft, int32_t aRight, int32_t aTop, int32_t aBottom, int32_t bLeft,
                  int32_t bRight, int32_t bTop, int32_t bBottom) {
    if (aBottom < bTop || bBottom < aTop) return false;
    if (aRight < bLeft || bRight < aLeft) return false;
    return true;
}

int8_t HitEvent(Game& g, Actor& a) {
    a.box.left = AddSat(a.x, kFootLeft);
    a.box.right = AddSat(a.x, kFootRight);
    a.box.top = AddSat(a.y, kFootTop);
    a.box.bottom = AddSat(a.y, kFootBottom);
    const int32_t* events = g.view.cells[Events];
    const int64_t scrollX = g.level.scrollX;
    const int64_t scrollY = g.level.scrollY;
    HitScan scan;
    for (int32_t i = 0; i < kViewCells; ++i) {
        int32_t e = events[i];
        if (e <= 0) continue;
        int64_t left = 128LL * (i % kViewColumns) - 128 - scrollX;
        int64_t top = 128LL * (i / kViewColumns) - 128 - scrollY;
        if (!BoxesOverlap(a.box.left, a.box.right, a.box.top, a.box.bottom, Saturate(left),
                          Saturate(left + 127), Saturate(top), Saturate(top + 127))) {
            continue;
        }
        if (scan.Take(e)) break;
    }
    return scan.Result();
}

void StepForward(Game& g) {
    Step(g, 1);
}

void StepBack(Game& g) {
    Step(g, -1);
}

void ScrollView(Game& g) {
    Actor& h = g.hero;
    LevelMap& m = g.level;
    switch (h.facing) {
        case 0:
            ScrollAxis(h.x, m.viewCol, m.scrollX, m.minCol, m.maxCol, true, 768);
            break;
        case 1:
            ScrollAxis(h.x, m.viewCol, m.scrollX, m.minCol, m.maxCol, false, 768);
            break;
        case 2:
            ScrollAxis(h.y, m.viewRow, m.scrollY, m.minRow, m.maxRow, true, 512);
            break;
        case 3:
            ScrollAxis(h.y, m.viewRow, m.scrollY, m.minRow, m.maxRow, false, 512);
            break;
        default:
            break;
    }
}

void AfterStepUpdate(Game& g) {
    AnimateTiles(g);
    MapFrame(g);
}

}  // namespace veloria
