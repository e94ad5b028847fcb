#pragma once
// The map frame's counters.
#include <cstdint>

#include "presentation/timer_record.h"

namespace veloria {

struct MapFrameState {
    int32_t frameCount;
    int32_t mapEntered;
    Timer frameRateClock;
};

}  // namespace veloria
