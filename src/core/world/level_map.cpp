#include "world/level_map.h"

#include "content/reader.h"
#include "flow/game.h"

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
void ReadTableIndex(ContentReader& r, int32_t* field, int32_t count, const char* what) {
    int32_t v = 0;  // in range: still 0 after a refusal means nothing was read
    if (r.ReadChecked(&v, 0, count - 1, what)) {
        *field = v;
    } else if (v != 0) {
        *field = -1;
    }
}

}  // namespace

void ReadLevelExit(ContentReader& r, LevelExit& e) {
    int32_t* fields[12] = {
        &e.destLevel,         &e.heroX,     &e.heroY,         &e.mapMode, &e.viewCol, &e.viewRow,
        &e.encounterVillains, &e.battleMap, &e.encounterRate, &e.scrollX, &e.scrollY, &e.music};
    for (int32_t* f : fields) r.ReadInt(f);
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
    ContentReader r(fileName);
    if (!r.IsOpen()) return;  // a missing file keeps the map that was there
    const ModeShape& s = kShapes[m.mode];
    int32_t cells = s.columns * s.rows;
    for (int32_t layer = 0; layer < kLayers; ++layer) {
        int32_t* data = LayerCells(m, m.mode, layer);
        for (int32_t i = 0; i < cells; ++i) r.ReadInt(&data[i]);
    }
    if (m.mode == Arena) return;  // an arena holds only its layers

    for (LevelExit& e : m.exits) ReadLevelExit(r, e);
    for (int32_t& id : m.dialogIds) r.ReadInt(&id);
    r.ReadInt(&m.shopId);
    for (int32_t& id : m.chestIds) ReadTableIndex(r, &id, kChests, "chest number");
    for (int32_t& id : m.lockIds) ReadTableIndex(r, &id, kDoors, "door number");
    for (int32_t& id : m.treasureIds) ReadTableIndex(r, &id, kTreasures, "treasure number");
    for (GuardianSpot& spot : m.guardianSpots) {
        ReadTableIndex(r, &spot.guardian, kGuardians, "guardian number");
        r.ReadInt(&spot.villainFile);
        r.ReadInt(&spot.battleMusic);
    }
    for (int32_t& id : m.lairIds) ReadTableIndex(r, &id, kLairs, "lair number");
    for (int32_t& id : m.barrierIds) ReadTableIndex(r, &id, kBarriers, "barrier number");
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
                v.cells[layer][i] = layer == Events ? 1 : 0;
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
        if (e >= 16 && e <= 18) {
            int32_t k = m.chestIds[e - 16];
            if (in(k, kChests) && g.chests[k].opened) c[Overlay][i] = 30;
        }
        if (e >= 7 && e <= 14 && h.guardianDefeated[135] == 1) {
            // Once guardian 135 has fallen, the people of the level have something new to say.
            int32_t& id = m.dialogIds[e - 7];
            static constexpr int32_t kFrom[5] = {70, 71, 72, 67, 68};
            static constexpr int32_t kTo[5] = {73, 74, 75, 76, 77};
            for (int32_t k = 0; k < 5; ++k) {
                if (id == kFrom[k]) {
                    id = kTo[k];
                    break;
                }
            }
        }
        if (e == 61) {
            if (h.guardianDefeated[136] == 1) {
                c[Overlay][i] = 0;
                c[Animated][i] = 53;
                c[Events][i] = 3;
            } else {
                c[Events][i] = 1;
            }
        }
        if (e >= 19 && e <= 21) {
            int32_t k = m.lockIds[e - 19];
            if (in(k, kDoors) && g.doorUnlocked[k]) {
                c[Overlay][i] = 0;
                c[Events][i] = 0;
            }
        }
        if (e == 22 || e == 23) {
            int32_t k = m.treasureIds[e - 22];
            if (in(k, kTreasures) && g.hiddenTreasures[k].dug == 1) c[Overlay][i] = 52;
        }
        if (e == 44 || e == 45) {
            int32_t k = m.lairIds[e - 44];
            if (in(k, kLairs) && h.lairs[k].opened) c[Overlay][i] = 139;
        }
        if (e == 46 || e == 47) {
            int32_t k = m.barrierIds[e - 46];
            if (in(k, kBarriers) && h.barrierBroken[k]) {
                c[Overlay][i] = 0;
                c[Animated][i] = 0;
            }
        }
        if (e >= 49 && e <= 58) {
            int32_t k = m.lockIds[e - 46];
            if (in(k, kDoors) && g.doorUnlocked[k]) {
                c[Overlay][i] = 0;
                c[Events][i] = 0;
            }
        }
        if (e >= 24 && e <= 43) {
            int32_t k = m.guardianSpots[e - 24].guardian;
            if (in(k, kGuardians) && h.guardianDefeated[k]) {
                c[Animated][i] = 0;
                c[Events][i] = 0;
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
