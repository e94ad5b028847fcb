#pragma once
// The in-game menu's record.
#include <cstdint>

#include "presentation/timer_record.h"

namespace veloria {

struct MenuState {
    int32_t menuPictureFrame;  // 1 or 2
    Timer menuPictureTimer;
    int32_t rerollFlag;
    int32_t loadScreenDrawn;  // the load screen's draw-once flag
    int32_t saveFailed;       // the last SaveGame could not write its slot
};

}  // namespace veloria
