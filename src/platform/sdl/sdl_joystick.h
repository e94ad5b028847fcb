#pragma once
// The joystick on SDL_Joystick: the first attached stick, raw axes 0 and 1 scaled to 0..650,
// buttons 0..6, rumble through SDL_JoystickRumble or else a haptic constant-force effect.
#include <SDL2/SDL.h>

#include <cstdint>

#include "presentation/platform.h"

namespace veloria {

class SdlJoystick : public JoystickDevice {
  public:
    SdlJoystick() = default;
    ~SdlJoystick() override;
    SdlJoystick(const SdlJoystick&) = delete;
    SdlJoystick& operator=(const SdlJoystick&) = delete;

    // Raw SDL axis value (-32768..32767) to the game's 0..650.
    static int32_t ScaleAxis(int16_t raw);

    uint8_t Open() override;
    bool Read(JoystickState* state) override;
    bool Reacquire() override;
    void Rumble(int32_t magnitude, float seconds) override;
    void Close() override;

  private:
    bool OpenFirst();
    void CloseDevice();

    SDL_Joystick* stick_ = nullptr;
    SDL_Haptic* haptic_ = nullptr;
    int hapticEffect_ = -1;
    bool initJoystick_ = false;
    bool initHaptic_ = false;
};

}  // namespace veloria
