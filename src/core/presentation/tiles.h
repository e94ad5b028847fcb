#pragma once
// The tile-library cells the game itself names (every other cell is chosen by content). The
// tile generator paints these cells and docs/tiles.md describes them; a test checks that the
// docs list each one as given here.
#include <cstdint>

namespace veloria {

constexpr int32_t kTileCells = 1024;  // 32 x 32 cells of the tile library

constexpr uint32_t kTileDialogFrame = 25;  // 25..28: the dialog box, left to right
constexpr int32_t kTileDialogFrameCells = 4;
constexpr int32_t kTileOpenChest = 30;  // overlay of a chest once opened
constexpr int32_t kTileDugHole = 52;    // overlay of a dug treasure spot
constexpr int32_t kTileOpenLair = 139;  // overlay of a lair entrance once opened
// Animation entry shown where a sealed passage has opened.
constexpr int32_t kAnimOpenPassage = 53;

struct NamedTile {
    int32_t first;
    int32_t last;
    const char* docsRow;  // the row of docs/tiles.md that describes the cells, as written there
};

constexpr NamedTile kNamedTiles[] = {
    {kTileDialogFrame, kTileDialogFrame + kTileDialogFrameCells - 1, "| 25..28 | dialog box frame"},
    {kTileOpenChest, kTileOpenChest, "| 30 | chest, open |"},
    {kTileDugHole, kTileDugHole, "| 52 | dug hole |"},
    {kTileOpenLair, kTileOpenLair, "| 139 | lair entrance, open |"},
};

}  // namespace veloria
