#include "input/input_device.h"

#include <cstdint>

#include "flow/game.h"
#include "input/input_codes.h"
#include "presentation/platform.h"
#include "presentation/timer.h"

namespace veloria {

namespace {
constexpr uint32_t kMenuDirectionDelay = 250;
constexpr uint32_t kMenuButtonDelay = 500;
constexpr int32_t kJoystickButtons = 7;

void SetDelays(Game& g, uint32_t direction, uint32_t button) {
    uint32_t* d = g.input.repeatDelay;
    d[JoyLeftRight] = direction;
    d[JoyUpDown] = direction;
    d[KeyLeftRight] = direction;
    d[KeyUpDown] = direction;
    d[JoyButtons] = button;
    d[KeyButtons] = button;
}

// Index of the repeat delay for this source and code, or -1 when the code has none.
int32_t DelayIndex(int32_t source, int8_t code) {
    if (source == SourceKeyboard) {
        if (code >= InputLeft && code <= InputRight) return KeyLeftRight;
        if (code >= InputUp && code <= InputDown) return KeyUpDown;
        if (code >= InputButton1 && code <= InputEscape) return KeyButtons;
    } else if (source == SourceJoystick) {
        if (code >= InputLeft && code <= InputRight) return JoyLeftRight;
        if (code >= InputUp && code <= InputDown) return JoyUpDown;
        if (code >= InputButton1 && code <= InputButton7) return JoyButtons;
    }
    return -1;
}
}  // namespace

void InitJoystick(Game& g) {
    InputDevice& in = g.input;
    in.axisMin = 0;
    in.axisMax = 650;
    in.axisCentre = 325;
    in.lastAccepted = Now(g);
    uint8_t status = kJoystickNone;
    if (g.platform.joystick) status = g.platform.joystick->Open();
    // Only the three known answers; anything else means no usable stick.
    if (status != kJoystickRumble && status != kJoystickPlain) status = kJoystickNone;
    in.joystickStatus = status;
}

int8_t PollJoystick(Game& g) {
    InputDevice& in = g.input;
    JoystickDevice* stick = g.platform.joystick;
    if (!stick || (in.joystickStatus != kJoystickRumble && in.joystickStatus != kJoystickPlain))
        return 0;
    JoystickState s;
    if (!stick->Read(&s)) {
        // A stick lost to another window is won back here, but never by spinning: after a few
        // refused attempts this frame simply has no joystick input.
        for (int32_t i = 0; i < kJoystickReacquireTries; ++i) {
            if (stick->Reacquire()) break;
        }
        return 0;
    }
    return JoystickCode(in, s);
}

int8_t JoystickCode(const InputDevice& in, const JoystickState& s) {
    const int32_t low = (in.axisCentre - in.axisMin) / 2;
    const int32_t high = in.axisCentre + (in.axisMax - in.axisCentre) / 2;
    // Fixed order: horizontal beats vertical, and buttons count only in the dead zone.
    if (s.x < low) return InputLeft;
    if (s.x > high) return InputRight;
    if (s.y < low) return InputUp;
    if (s.y > high) return InputDown;
    for (int32_t b = 0; b < kJoystickButtons; ++b) {
        if (s.buttons[b] != 0) return static_cast<int8_t>(InputButton1 + b);
    }
    return InputNone;
}

void Rumble(Game& g, int32_t magnitude, float seconds) {
    if (g.input.joystickStatus != kJoystickRumble || !g.platform.joystick) return;
    g.platform.joystick->Rumble(magnitude, seconds);
}

void ReleaseJoystick(Game& g) {
    if (g.input.joystickStatus == kJoystickNotSetUp || !g.platform.joystick) return;
    g.platform.joystick->Close();
}

int32_t AcceptInput(Game& g, int32_t source, int8_t code, int8_t previous) {
    InputDevice& in = g.input;
    in.now = Now(g);
    const int32_t index = DelayIndex(source, code);
    if (index < 0) return 1;  // no repeat gate: taken, and the last-accepted time stays
    if (code == previous && in.now - in.lastAccepted < in.repeatDelay[index]) return 0;
    in.lastAccepted = in.now;
    return 1;
}

void InstallMenuDelays(Game& g) {
    SetDelays(g, kMenuDirectionDelay, kMenuButtonDelay);
}

void InstallWalkingDelays(Game& g) {
    // stepPeriod comes from content or a saved game; a negative one would become a delay of
    // weeks as an unsigned count and freeze walking on a held key.
    const int32_t step = g.hero.stepPeriod;
    SetDelays(g, step > 0 ? static_cast<uint32_t>(step) : 0u, kDefaultButtonDelay);
}

}  // namespace veloria
