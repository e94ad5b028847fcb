#pragma once
// An event slot (chest, door, treasure, lair, barrier) holds one progress flag: every cell that
// carries its code opens, unlocks or breaks together. Cells that touch form one object (a wide
// door); cells apart are two objects sharing one flag, which play would show as one opening both.
#include <cstdint>
#include <vector>

#include "level_walk.h"

namespace veloria::check {

struct SplitSlot {
    int32_t code;
    int32_t col, row;            // the first cell of an object apart from the first one
    int32_t firstCol, firstRow;  // the first cell of the slot's first object
};

// Whether the event code names a one-object slot.
bool IsObjectSlot(int32_t code);

// Every object of a slot beyond its first, in row-major order of their first cells. Cells touch
// when they share a side.
std::vector<SplitSlot> SplitSlots(const LevelGrid& grid);

}  // namespace veloria::check
