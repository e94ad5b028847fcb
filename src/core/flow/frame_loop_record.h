#pragma once
// The frame loop's record: the game state and the quit and web-page requests.
#include <cstdint>

namespace veloria {

struct FlowState {
    int32_t gameState;
    int32_t returnState;
    int32_t firstFrame;
    int32_t webPageSwitch;  // 1; OpenWebPage does nothing at 0
    int32_t quitPosted;     // the quit message is waiting
    int32_t quitCode;
    int32_t webPageOpened;  // times the web page was opened (for the runner's dump)
};

}  // namespace veloria
