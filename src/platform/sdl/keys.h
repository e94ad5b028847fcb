#pragma once
// Keyboard keys to input codes: the four arrows, main-row digits 1 to 6 and Esc; every other key
// gives 0 (no input).
#include <SDL2/SDL.h>

#include <cstdint>

namespace veloria {

int8_t KeyToInputCode(SDL_Keycode key);

}  // namespace veloria
