#pragma once
// The progress of the fixed picture screens.
#include <cstdint>

namespace veloria {

struct ScreenProgress {
    int32_t titleStep;   // 1, 2, 3; never reset
    int32_t storyDrawn;  // never reset
    int32_t endPage;     // 0..4
    int32_t endWaiting;
};

}  // namespace veloria
