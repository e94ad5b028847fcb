#include "platform/sdl/sdl_joystick.h"

#include <cstdint>

#include "presentation/platform.h"

namespace veloria {

namespace {

constexpr int32_t kAxisMax = 650;
constexpr int kButtons = 7;
constexpr int32_t kForceScale = 10000;  // the game's rumble magnitudes run 0..10000

}  // namespace

SdlJoystick::~SdlJoystick() {
    Close();
}

int32_t SdlJoystick::ScaleAxis(int16_t raw) {
    return (int32_t(raw) + 32768) * kAxisMax / 65535;
}

bool SdlJoystick::OpenFirst() {
    int count = SDL_NumJoysticks();
    for (int i = 0; i < count; ++i) {
        stick_ = SDL_JoystickOpen(i);
        if (stick_ != nullptr) return true;
    }
    return false;
}

void SdlJoystick::CloseDevice() {
    if (haptic_ != nullptr) {
        if (hapticEffect_ >= 0) SDL_HapticDestroyEffect(haptic_, hapticEffect_);
        SDL_HapticClose(haptic_);
    }
    haptic_ = nullptr;
    hapticEffect_ = -1;
    if (stick_ != nullptr) SDL_JoystickClose(stick_);
    stick_ = nullptr;
}

uint8_t SdlJoystick::Open() {
    if (!SDL_WasInit(SDL_INIT_JOYSTICK)) {
        if (SDL_InitSubSystem(SDL_INIT_JOYSTICK) != 0) return kJoystickNone;
        initJoystick_ = true;
    }
    CloseDevice();
    if (!OpenFirst()) return kJoystickNone;
    if (SDL_JoystickHasRumble(stick_)) return kJoystickRumble;
    // No simple rumble: a haptic device with a constant force will do.
    if (!SDL_WasInit(SDL_INIT_HAPTIC)) initHaptic_ = SDL_InitSubSystem(SDL_INIT_HAPTIC) == 0;
    if (SDL_WasInit(SDL_INIT_HAPTIC) && SDL_JoystickIsHaptic(stick_) == SDL_TRUE) {
        haptic_ = SDL_HapticOpenFromJoystick(stick_);
        if (haptic_ != nullptr && (SDL_HapticQuery(haptic_) & SDL_HAPTIC_CONSTANT))
            return kJoystickRumble;
        if (haptic_ != nullptr) SDL_HapticClose(haptic_);
        haptic_ = nullptr;
    }
    return kJoystickPlain;
}

bool SdlJoystick::Read(JoystickState* state) {
    if (stick_ == nullptr) return false;
    SDL_JoystickUpdate();
    if (!SDL_JoystickGetAttached(stick_)) return false;
    JoystickState s;
    if (SDL_JoystickNumAxes(stick_) >= 2) {
        s.x = ScaleAxis(SDL_JoystickGetAxis(stick_, 0));
        s.y = ScaleAxis(SDL_JoystickGetAxis(stick_, 1));
    }
    int buttons = SDL_JoystickNumButtons(stick_);
    for (int i = 0; i < kButtons && i < buttons; ++i)
        s.buttons[i] = SDL_JoystickGetButton(stick_, i) ? 1 : 0;
    *state = s;
    return true;
}

bool SdlJoystick::Reacquire() {
    if (stick_ != nullptr && SDL_JoystickGetAttached(stick_)) return true;
    if (!SDL_WasInit(SDL_INIT_JOYSTICK)) return false;
    CloseDevice();
    SDL_JoystickUpdate();
    if (!OpenFirst()) return false;
    if (!SDL_JoystickHasRumble(stick_) && SDL_JoystickIsHaptic(stick_) == SDL_TRUE &&
        SDL_WasInit(SDL_INIT_HAPTIC)) {
        haptic_ = SDL_HapticOpenFromJoystick(stick_);
    }
    return true;
}

void SdlJoystick::Rumble(int32_t magnitude, float seconds) {
    if (stick_ == nullptr) return;
    if (magnitude < 0) magnitude = 0;
    if (magnitude > kForceScale) magnitude = kForceScale;
    if (!(seconds > 0.0f)) return;
    if (seconds > 10.0f) seconds = 10.0f;
    Uint32 ms = static_cast<Uint32>(seconds * 1000.0f);
    if (SDL_JoystickHasRumble(stick_)) {
        Uint16 strength = static_cast<Uint16>(magnitude * 65535 / kForceScale);
        SDL_JoystickRumble(stick_, strength, strength, ms);
        return;
    }
    if (haptic_ == nullptr) return;
    // Only the latest effect is kept: the previous one is dropped before a new one is made, so
    // the device never fills up.
    if (hapticEffect_ >= 0) SDL_HapticDestroyEffect(haptic_, hapticEffect_);
    SDL_HapticEffect effect;
    SDL_zero(effect);
    effect.type = SDL_HAPTIC_CONSTANT;
    effect.constant.direction.type = SDL_HAPTIC_POLAR;
    effect.constant.direction.dir[0] = 0;
    effect.constant.length = ms;
    effect.constant.level = static_cast<Sint16>(magnitude * 32767 / kForceScale);
    hapticEffect_ = SDL_HapticNewEffect(haptic_, &effect);
    if (hapticEffect_ >= 0) SDL_HapticRunEffect(haptic_, hapticEffect_, 1);
}

void SdlJoystick::Close() {
    CloseDevice();
    if (initHaptic_) SDL_QuitSubSystem(SDL_INIT_HAPTIC);
    if (initJoystick_) SDL_QuitSubSystem(SDL_INIT_JOYSTICK);
    initHaptic_ = false;
    initJoystick_ = false;
}

}  // namespace veloria
