#pragma once
// The joystick and the repeat delays of the input gate.
#include <cstdint>

#include "input/input_device_record.h"
#include "presentation/platform.h"

namespace veloria {

struct Game;

constexpr uint32_t kDefaultButtonDelay = 400;
constexpr int32_t kJoystickReacquireTries = 8;

void InitJoystick(Game& g);
// One input code 0..11 from the stick and the seven buttons.
int8_t PollJoystick(Game& g);
// The input code one read state gives on the axes set up by InitJoystick.
int8_t JoystickCode(const InputDevice& in, const JoystickState& s);
void Rumble(Game& g, int32_t magnitude, float seconds);
void ReleaseJoystick(Game& g);

// Non-zero to take the input, 0 to drop a too-fast repeat.
int32_t AcceptInput(Game& g, int32_t source, int8_t code, int8_t previous);

// The two delay sets of the input handler.
void InstallMenuDelays(Game& g);
void InstallWalkingDelays(Game& g);

}  // namespace veloria
