#pragma once
// The game's millisecond counter: SDL_GetTicks, which wraps like the core expects.
#include <SDL2/SDL.h>

#include "presentation/platform.h"

namespace veloria {

class SdlClock : public Clock {
  public:
    uint32_t Now() override { return SDL_GetTicks(); }
};

}  // namespace veloria
