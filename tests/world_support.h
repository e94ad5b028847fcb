#pragma once
// A small walkable world for the world tests: a Small level held in memory (or written as a
// level file), the hero placed on the screen grid, and helpers to read back placed quads.
#include <sstream>
#include <string>
#include <vector>

#include "content/schema.h"
#include "flow/game.h"
#include "flow/game_state.h"
#include "hero/actor_record.h"
#include "hero/chest_record.h"
#include "presentation/renderer_record.h"
#include "test_support.h"
#include "world/level_map.h"
#include "world/level_schema.h"

namespace veloria {

// The numbers of a Small level file: five 16 x 12 layers, then the tables.
struct SmallLevelText {
    std::vector<int> layers[5];
    std::vector<int> tables;  // the level tables, laid out as kLevelTablesSchema says

    SmallLevelText() {
        for (auto& layer : layers) layer.assign(192, 0);
        tables.assign(kLevelTableIntegers, 0);
    }
    void Cell(int layer, int col, int row, int value) { layers[layer][col + row * 16] = value; }
    // Offsets into the tables, in file order.
    static constexpr int kExits = FieldOffset(kLevelTablesSchema, "exits"),
                         kDialogs = FieldOffset(kLevelTablesSchema, "dialogIds"),
                         kShop = FieldOffset(kLevelTablesSchema, "shopId"),
                         kChests = FieldOffset(kLevelTablesSchema, "chestIds"),
                         kLocks = FieldOffset(kLevelTablesSchema, "lockIds"),
                         kTreasures = FieldOffset(kLevelTablesSchema, "treasureIds"),
                         kGuardians = FieldOffset(kLevelTablesSchema, "guardianSpots"),
                         kLairs = FieldOffset(kLevelTablesSchema, "lairIds"),
                         kBarriers = FieldOffset(kLevelTablesSchema, "barrierIds");
    std::string Text() const {
        std::ostringstream out;
        for (const auto& layer : layers) {
            for (int v : layer) out << v << ' ';
            out << '\n';
        }
        for (int v : tables) out << v << ' ';
        out << '\n';
        return out.str();
    }
};

struct WorldGame : TestGame {
    WorldGame() {
        Game& w = g();
        w.level.mode = Small;
        w.level.maxCol = 8;
        w.level.maxRow = 6;
        w.hero.quadSlot = 242;
        w.hero.x = 256;
        w.hero.y = 384;
        w.hero.facing = 2;
        w.hero.selectedItem = kNoItem;
        w.flow.gameState = StateMap;
    }
    // Sets a cell of the loaded Small level and rebuilds the view as a frame would.
    void SetCell(int layer, int col, int row, int value) {
        g().level.smallLayers[layer][col + row * 16] = value;
        Refresh();
    }
    void SetEvent(int col, int row, int value) { SetCell(Events, col, row, value); }
    void Refresh() {
        ClearView(g());
        BuildView(g());
        ApplyWorldState(g());
    }
    // The view cell showing map cell (col, row) with the current view position.
    int ViewIndex(int col, int row) {
        return (col - g().level.viewCol + 1) + (row - g().level.viewRow + 1) * kViewColumns;
    }
    int ViewCell(int layer, int col, int row) { return g().view.cells[layer][ViewIndex(col, row)]; }
};

// The left, top corner and tile cell (from the texture coordinates) of a placed quad.
struct PlacedQuad {
    float left, top, right, bottom;
    int tile;
};

inline PlacedQuad Quad(const Game& g, int slot) {
    const QuadSlot& q = g.renderer.quads[slot];
    int column = static_cast<int>(q.v[0].u * 32.0f + 0.5f);  // texture coordinates are 0..1
    int row = static_cast<int>(q.v[0].v * 32.0f + 0.5f);
    return {q.v[0].x, q.v[0].y, q.v[4].x, q.v[4].y, row * 32 + column};
}

}  // namespace veloria
