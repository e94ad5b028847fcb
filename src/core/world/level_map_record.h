#pragma once
// The loaded level or arena, its event tables, the 10 x 8 view window and the progress tables
// that rewrite the view.
#include <cstdint>

#include "hero/actor_record.h"

namespace veloria {

enum MapMode : uint8_t {
    Arena = 1,
    Small = 2,
    Large = 3,
};

enum Layer : int32_t {
    Ground = 0,
    Overlay = 1,
    Animated = 2,
    Top = 3,
    Events = 4,
};

constexpr int32_t kLayers = 5;
constexpr int32_t kViewCells = 80;  // 10 columns x 8 rows
constexpr int32_t kViewColumns = 10;
constexpr int32_t kDoors = 50;
constexpr int32_t kTreasures = 50;

struct GuardianSpot {
    int32_t guardian;
    int32_t villainFile;
    int32_t battleMusic;
};

struct LevelMap {
    LevelExit exits[5];
    int32_t dialogIds[8];
    int32_t shopId;
    int32_t chestIds[3];
    int32_t lockIds[13];
    int32_t treasureIds[2];
    GuardianSpot guardianSpots[20];
    int32_t lairIds[2];
    int32_t barrierIds[2];
    int32_t arenaLayers[kLayers][80];
    int32_t smallLayers[kLayers][192];
    int32_t largeLayers[kLayers][576];
    int32_t viewCol, viewRow;
    int32_t minCol, minRow, maxCol, maxRow;
    int32_t scrollX, scrollY;
    int32_t levelNumber;
    int32_t battleMap;
    int32_t encounterVillains;
    int32_t encounterRate;
    int32_t inArena;
    int32_t levelMusic;
    int32_t battleMusic;
    uint8_t mode;
};

struct ViewLayers {
    int32_t cells[kLayers][kViewCells];
};

struct HiddenTreasure {
    int32_t amount;
    int32_t dug;
};

}  // namespace veloria
