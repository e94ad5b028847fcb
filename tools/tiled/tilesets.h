#pragma once
// The three tilesets a level map uses, and the names and sizes export and import agree on.
#include <cstdint>
#include <string>

namespace veloria::tiled {

// Tile ids are the numbers the level file holds in that layer.
struct TilesetInfo {
    const char* name;  // the tileset's name, also its file name without ".tsx"
    int32_t tiles;
};
constexpr TilesetInfo kLibrarySet = {"veloria", 1024};  // Ground, Overlay, Top: tile numbers
constexpr TilesetInfo kAnimSet = {"anims", 56};         // Animated: AnimTable entries
constexpr TilesetInfo kEventSet = {"events", 63};       // Events: event codes 0..62
// First gids in the maps the exporter writes (an import takes them from the map).
constexpr int32_t kLibraryFirstGid = 1;
constexpr int32_t kAnimFirstGid = kLibraryFirstGid + kLibrarySet.tiles;
// The anims tileset holds both frames of each entry: entry k is tile k, its frame 1 tile 56 + k.
constexpr int32_t kAnimSetCells = 2 * kAnimSet.tiles;
constexpr int32_t kEventFirstGid = kAnimFirstGid + kAnimSetCells;

// The word an events tile shows for a code ("CHEST"); "--" for codes no map may hold.
const char* EventWord(int32_t code);

// Writes veloria.tsx, anims.tsx + anims.png and events.tsx + events.png into outDir, over the
// tile library and the animation files of gameDir. Problems go to stderr; false on failure.
bool WriteTilesets(const std::string& gameDir, const std::string& outDir);

}  // namespace veloria::tiled
