#pragma once
#include <cstdint>

namespace veloria {

enum InputCode : int8_t {
    InputNone = 0,
    InputLeft = 1,
    InputRight = 2,
    InputUp = 3,
    InputDown = 4,
    InputButton1 = 5,
    InputButton2 = 6,
    InputButton3 = 7,
    InputButton4 = 8,
    InputButton5 = 9,
    InputButton6 = 10,
    InputButton7 = 11,
    InputEscape = 12,
};

enum InputSource : int32_t {
    SourceKeyboard = 1,
    SourceJoystick = 2,
};

}  // namespace veloria
