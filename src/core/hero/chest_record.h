#pragma once
// The treasure chests of the level map.
#include <cstdint>

namespace veloria {

constexpr int32_t kChests = 80;

struct Chest {
    int32_t kind;  // 0 piece, 1 item, 2 spell, 3 gold, 4 purse
    int32_t slot;
    int32_t value;
    int32_t opened;
    char text[30];
};

}  // namespace veloria
