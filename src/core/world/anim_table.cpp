#include "world/anim_table.h"

#include <cstdint>

#include "content/reader.h"
#include "content/schema.h"
#include "flow/game.h"
#include "presentation/timer.h"
#include "world/anim_schema.h"

namespace veloria {

void LoadAnimFile(Game& g, const char* path) {
    ContentReader r(g.platform, path);
    if (!r.IsOpen()) return;
    // The file names the entry it fills, whatever its own number.
    int32_t index = 0;
    const FieldSchema& entry = kAnimFileFields[0];
    if (!r.ReadIndex(&index, entry.lo, entry.hi, WarningWord(entry))) return;
    AnimTable& t = g.anims;
    AnimTile& e = t.entries[index];
    r.ReadInt(&e.period);
    int32_t frame = e.frame;
    if (r.ReadInt(&frame)) e.frame = static_cast<uint8_t>(frame);  // kept in one byte
    r.ReadInt(&e.tiles[0]);
    r.ReadInt(&e.tiles[1]);
    TimerReset(e.timer);
    t.last = index;
    ++t.count;
}

void AnimateTiles(Game& g) {
    for (AnimTile& e : g.anims.entries) {
        // The timer is asked every frame, which also restarts it; only frames 0 and 1 flip.
        if (TimerElapsed(g, e.timer, static_cast<uint32_t>(e.period))) {
            if (e.frame == 0) {
                e.frame = 1;
            } else if (e.frame == 1) {
                e.frame = 0;
            }
        }
    }
}

int32_t AnimTileNow(const Game& g, int32_t index) {
    if (index < 0 || index >= kAnimTiles) return 0;
    const AnimTile& e = g.anims.entries[index];
    // A frame byte other than 0 or 1 never animates; such an entry shows its frame-0 tile.
    return e.tiles[e.frame == 1 ? 1 : 0];
}

}  // namespace veloria
