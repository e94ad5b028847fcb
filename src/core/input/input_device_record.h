#pragma once
// The input gate's record: the joystick's axes and status and the repeat delays.
#include <cstdint>

namespace veloria {

enum RepeatDelayIndex : int32_t {
    JoyLeftRight = 0,
    JoyUpDown = 1,
    JoyButtons = 2,
    KeyLeftRight = 3,
    KeyUpDown = 4,
    KeyButtons = 5,
};

struct InputDevice {
    int32_t axisMin, axisMax, axisCentre;
    uint32_t repeatDelay[6];
    uint32_t lastAccepted;
    uint32_t now;
    uint8_t joystickStatus;  // kJoystickNotSetUp, then what JoystickDevice::Open answered
};

}  // namespace veloria
