#pragma once
// What the game keeps of a battle: the map it left and the victory sequence's progress.
#include <cstdint>

#include "presentation/timer_record.h"

namespace veloria {

struct MapContext {
    int32_t viewCol, viewRow;
    int32_t heroX, heroY, heroFacing;
    uint8_t mode;
    int32_t scrollX, scrollY;
};

struct BattleState {
    MapContext context;
    int32_t currentGuardian;
    int32_t victoryStep;  // 1..5
    int32_t rewardsShown;
    Timer victoryTimer;
    int32_t earnedXP;
    int32_t earnedGP;
};

}  // namespace veloria
