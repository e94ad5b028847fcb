#pragma once
// The cursors of the equipment, item and spell screens.
#include <cstdint>

namespace veloria {

struct MenuCursors {
    int32_t equipMenuCursor, equipMenuCount;
    int32_t itemMenuCursor, itemMenuCount;
    int32_t spellMenuCursor, spellMenuCount;
};

}  // namespace veloria
