// The villain of a battle: loading it from its file, one update a frame, and drawing it.
#include "world/villain.h"

#include <cstdint>

#include "content/reader.h"
#include "content/schema.h"
#include "flow/bounded_text.h"
#include "flow/game.h"
#include "flow/game_state.h"
#include "hero/actor_record.h"
#include "presentation/renderer.h"
#include "presentation/timer.h"
#include "world/villain_actions.h"
#include "world/villain_parts.h"
#include "world/villain_schema.h"
#include "world/villain_touch.h"

namespace veloria {

using namespace villain_parts;

void LoadVillain(Game& g, int32_t number) {
    Villain& v = g.villain;
    char path[40];
    FormatText(path, sizeof(path), "data/villains/v%02d.txt", number);
    ContentReader r(g.platform, path);
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
