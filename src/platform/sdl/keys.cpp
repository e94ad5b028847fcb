#include "platform/sdl/keys.h"

#include <cstdint>

#include "input/input_codes.h"

namespace veloria {

int8_t KeyToInputCode(SDL_Keycode key) {
    switch (key) {
        case SDLK_LEFT:
            return InputLeft;
        case SDLK_RIGHT:
            return InputRight;
        case SDLK_UP:
            return InputUp;
        case SDLK_DOWN:
            return InputDown;
        // Main-row digits only: the keypad's SDLK_KP_* codes fall through to 0.
        case SDLK_1:
            return InputButton1;
        case SDLK_2:
            return InputButton2;
        case SDLK_3:
            return InputButton3;
        case SDLK_4:
            return InputButton4;
        case SDLK_5:
            return InputButton5;
        case SDLK_6:
            return InputButton6;
        case SDLK_ESCAPE:
            return InputEscape;
        default:
            return InputNone;
    }
}

}  // namespace veloria
