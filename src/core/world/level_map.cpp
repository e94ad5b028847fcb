#include "world/level_map.h"

#include <cstdint>

#include "content/reader.h"
#include "content/schema.h"
#include "flow/bounded_text.h"
#include "flow/game.h"
#include "hero/actor_record.h"
#include "hero/chest_record.h"
#include "presentation/tiles.h"
#include "world/anim_table_record.h"
#include "world/event_code.h"
#include "world/level_schema.h"

namespace veloria {

namespace {

struct ModeShape {
    int32_t columns, rows, maxCol, maxRow, scrollX, scrollY;
};

// Indexed by MapMode; entry 0 is no map at all.
constexpr ModeShape kShapes[4] = {
    {0, 0, 0, 0, 0, 0},
    {10, 8, 2, 2, -192, -192},
    {16, 12, 8, 6, 0, 0},
    {32, 18, 24, 12, 0, 0},
};

constexpr const char* kLayerNames[kLayers] = {"Ground", "Overlay", "Animated", "Top", "Events"};

bool ValidMode(int32_t mode) {
    return mode >= Arena && mode <= Large;
}

int32_t* LayerCells(LevelMap& m, int32_t mode, int32_t layer) {
    switch (mode) {
        case Arena:
            return m.arenaLayers[layer];
        case Small:
            return m.smallLayers[layer];
        case Large:
            return m.largeLayers[layer];
        default:
            return nullptr;
    }
}

// Reads a number that indexes a progress table. One out of range is warned about and stored as
// -1, which every user reads as "none": keeping the previous level's number instead would tie
// this level's cell to a stranger's chest or door.
void ReadTableIndex(ContentReader& r, int32_t* field, int32_t lo, int32_t hi, const char* what) {
    int32_t v = lo;  // in range: still lo after a refusal means nothing was read
    if (r.ReadChecked(&v, lo, hi, what)) {
        *field = v;
    } else if (v != lo) {
        *field = -1;
    }
}

}  // namespace

void ReadLevelExit(ContentReader& r, LevelExit& e) {
    VisitLevelExit(e, [&](const FieldSchema&, int32_t& v) { r.ReadInt(&v); });
}

void LoadLevel(Game& g, uint8_t mode, const char* fileName) {
    LevelMap& m = g.level;
    m.mode = mode;
    if (ValidMode(mode)) {
        const ModeShape& s = kShapes[mode];
        m.maxCol = s.maxCol;
        m.maxRow = s.maxRow;
        m.scrollX = s.scrollX;
        m.scrollY = s.scrollY;
    }
    m.minCol = 0;
    m.minRow = 0;
    m.viewCol = 0;
    m.viewRow = 0;
    ReadLevelFile(g, fileName);
    BuildView(g);
}

void ReadLevelFile(Game& g, const char* fileName) {
    LevelMap& m = g.level;
    if (!ValidMode(m.mode)) return;
    ContentReader r(g.platform, fileName);
    if (!r.IsOpen()) return;  // a missing file keeps the map that was there
    r.SkipBadWords();
    const ModeShape& s = kShapes[m.mode];
    int32_t cells = s.columns * s.rows;
    for (int32_t layer = 0; layer < kLayers; ++layer) {
        int32_t* data = LayerCells(m, m.mode, layer);
        for (int32_t i = 0; i < cells; ++i) {
            const int32_t lineBefore = r.Line();
            if (!r.ReadInt(&data[i])) continue;
            // A cell outside the tile library or the animation table draws nothing; it is kept
            // as read (the frame already refuses it) but the author hears of it once.
            const int32_t v = data[i];
            const int32_t limit = layer == Animated ? kAnimTiles : kTileCells;
            if (layer != Events && (v < 0 || v >= limit)) {
                r.WarnAt(lineBefore,
                         "%s cell %d (column %d, row %d) is outside 0..%d; drawn as nothing",
                         kLayerNames[layer], v, i % s.columns, i / s.columns, limit - 1);
            }
        }
    }
    if (m.mode == Arena) return;  // an arena holds only its layers

    VisitLevelTables(m, [&](const FieldSchema& f, int32_t& v) {
        if (IsChecked(f)) {
            ReadTableIndex(r, &v, f.lo, f.hi, f.name);
        } else {
            r.ReadInt(&v);
        }
    });
}

void BuildView(Game& g) {
    LevelMap& m = g.level;
    ViewLayers& v = g.view;
    if (m.mode == Arena) {
        m.inArena = 1;
        for (int32_t layer = 0; layer < kLayers; ++layer) {
            for (int32_t i = 0; i < kViewCells; ++i) v.cells[layer][i] = m.arenaLayers[layer][i];
        }
        return;
    }
    m.inArena = 0;
    // Window cells beyond the map's edge are walls on the event layer and empty elsewhere, so
    // nothing pushed past the border can walk off the map. An unknown mode has no map at all.
    const ModeShape& s = kShapes[ValidMode(m.mode) ? m.mode : 0];
    for (int32_t i = 0; i < kViewCells; ++i) {
        int64_t col = static_cast<int64_t>(m.viewCol) - 1 + i % kViewColumns;
        int64_t row = static_cast<int64_t>(m.viewRow) - 1 + i / kViewColumns;
        bool inside = col >= 0 && col < s.columns && row >= 0 && row < s.rows;
        for (int32_t layer = 0; layer < kLayers; ++layer) {
            if (inside) {
                const int32_t* data = LayerCells(m, m.mode, layer);
                v.cells[layer][i] = data[col + row * s.columns];
            } else {
                v.cells[layer][i] = layer == Events ? EventWall : 0;
            }
        }
    }
}

void ApplyWorldState(Game& g) {
    LevelMap& m = g.level;
    Actor& h = g.hero;
    int32_t(&c)[kLayers][kViewCells] = g.view.cells;
    // A table number outside its table counts as "not set": the cell keeps its look and blocks.
    auto in = [](int32_t k, int32_t count) { return k >= 0 && k < count; };
    for (int32_t i = 0; i < kViewCells; ++i) {
        const int32_t e = c[Events][i];
        if (IsChest(e)) {
            int32_t k = m.chestIds[e - EventChestFirst];
            if (in(k, kChests) && g.chests[k].opened) c[Overlay][i] = kTileOpenChest;
        }
        if (IsPerson(e) && h.guardianDefeated[kNewsGuardian] == 1) {
            // Once guardian 135 has fallen, the people of the level have something new to say.
            int32_t& id = m.dialogIds[e - EventPersonFirst];
            id = NewsDialog(id);
        }
        if (e == EventSealedPassage) {
            if (h.guardianDefeated[kPassageGuardian] == 1) {
                c[Overlay][i] = 0;
                c[Animated][i] = kAnimOpenPassage;
                c[Events][i] = EventExitFirst + 1;
            } else {
                c[Events][i] = EventWall;
            }
        }
        if (IsLowDoor(e)) {
            int32_t k = m.lockIds[LockSlot(e)];
            if (in(k, kDoors) && g.doorUnlocked[k]) {
                c[Overlay][i] = 0;
                c[Events][i] = EventFree;
            }
        }
        if (IsTreasureSpot(e)) {
            int32_t k = m.treasureIds[e - EventTreasureFirst];
            if (in(k, kTreasures) && g.hiddenTreasures[k].dug == 1) c[Overlay][i] = kTileDugHole;
        }
        if (IsLair(e)) {
            int32_t k = m.lairIds[e - EventLairFirst];
            if (in(k, kLairs) && h.lairs[k].opened) c[Overlay][i] = kTileOpenLair;
        }
        if (IsBarrier(e)) {
            int32_t k = m.barrierIds[e - EventBarrierFirst];
            if (in(k, kBarriers) && h.barrierBroken[k]) {
                c[Overlay][i] = 0;
                c[Animated][i] = 0;
            }
        }
        if (IsHighDoor(e)) {
            int32_t k = m.lockIds[LockSlot(e)];
            if (in(k, kDoors) && g.doorUnlocked[k]) {
                c[Overlay][i] = 0;
                c[Events][i] = EventFree;
            }
        }
        if (IsGuardian(e)) {
            int32_t k = m.guardianSpots[e - EventGuardianFirst].guardian;
            if (in(k, kGuardians) && h.guardianDefeated[k]) {
                c[Animated][i] = 0;
                c[Events][i] = EventFree;
            }
        }
    }
}

void ClearView(Game& g) {
    for (auto& layer : g.view.cells) {
        for (int32_t& cell : layer) cell = 0;
    }
}

void LevelFileName(char* out, int32_t size, int32_t number) {
    FormatText(out, size, "levels/level%02d.txt", number);
}

void BattleFileName(char* out, int32_t size, int32_t number) {
    FormatText(out, size, "levels/battle%02d.txt", number);
}

}  // namespace veloria
