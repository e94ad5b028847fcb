// The SDL joystick back end against SDL's virtual joysticks.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>

#include "platform/sdl/sdl_joystick.h"
#include "presentation/platform.h"

namespace veloria {
namespace {

struct RumbleLog {
    int calls = 0;
    Uint16 low = 0, high = 0;
};

int RecordRumble(void* userdata, Uint16 low, Uint16 high) {
    auto* log = static_cast<RumbleLog*>(userdata);
    ++log->calls;
    log->low = low;
    log->high = high;
    return 0;
}

class PlatformJoystick : public ::testing::Test {
  protected:
    void SetUp() override {
        setenv("SDL_VIDEODRIVER", "dummy", 1);
        // Only the virtual sticks made here: no real devices, no HID probing.
        SDL_SetHint(SDL_HINT_JOYSTICK_HIDAPI, "0");
        ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_JOYSTICK), 0) << SDL_GetError();
        if (SDL_NumJoysticks() != 0) GTEST_SKIP() << "a real joystick is attached";
    }
    void TearDown() override {
        if (handle_ != nullptr) SDL_JoystickClose(handle_);
        if (index_ >= 0) SDL_JoystickDetachVirtual(index_);
        SDL_QuitSubSystem(SDL_INIT_JOYSTICK);
    }
    // Attaches a virtual stick with two axes and `buttons` buttons; keeps a handle to drive it.
    void Attach(int buttons, bool rumble) {
        SDL_VirtualJoystickDesc desc;
        SDL_zero(desc);
        desc.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
        desc.type = SDL_JOYSTICK_TYPE_GAMECONTROLLER;
        desc.naxes = 2;
        desc.nbuttons = static_cast<Uint16>(buttons);
        desc.name = "Veloria test stick";
        if (rumble) {
            desc.userdata = &rumble_;
            desc.Rumble = RecordRumble;
        }
        index_ = SDL_JoystickAttachVirtualEx(&desc);
        ASSERT_GE(index_, 0) << SDL_GetError();
        handle_ = SDL_JoystickOpen(index_);
        ASSERT_NE(handle_, nullptr) << SDL_GetError();
    }
    void Axes(Sint16 x, Sint16 y) {
        SDL_JoystickSetVirtualAxis(handle_, 0, x);
        SDL_JoystickSetVirtualAxis(handle_, 1, y);
    }

    int index_ = -1;
    SDL_Joystick* handle_ = nullptr;
    RumbleLog rumble_;
};

TEST(PlatformJoystickScale, AxisEdgesAndCentre) {
    EXPECT_EQ(SdlJoystick::ScaleAxis(-32768), 0);
    EXPECT_EQ(SdlJoystick::ScaleAxis(32767), 650);
    EXPECT_EQ(SdlJoystick::ScaleAxis(0), 325);
    EXPECT_EQ(SdlJoystick::ScaleAxis(-1), 324);
    // Every raw value lands in range and the scale never runs backwards.
    int32_t previous = -1;
    for (int raw = -32768; raw <= 32767; raw += 97) {
        int32_t v = SdlJoystick::ScaleAxis(static_cast<int16_t>(raw));
        ASSERT_GE(v, previous);
        ASSERT_LE(v, 650);
        previous = v;
    }
}

TEST_F(PlatformJoystick, NoStickMeansStatusThreeAndNoReads) {
    SdlJoystick stick;
    EXPECT_EQ(stick.Open(), 3);
    JoystickState s;
    EXPECT_FALSE(stick.Read(&s));
    EXPECT_FALSE(stick.Reacquire());
    stick.Rumble(10000, 0.25f);  // harmless
}

TEST_F(PlatformJoystick, ReadsAxesScaledAndSevenButtons) {
    Attach(10, false);
    SdlJoystick stick;
    EXPECT_EQ(stick.Open(), 2);  // no rumble on this stick

    JoystickState s;
    Axes(-32768, 32767);
    ASSERT_TRUE(stick.Read(&s));
    EXPECT_EQ(s.x, 0);
    EXPECT_EQ(s.y, 650);

    SDL_JoystickSetVirtualButton(handle_, 0, SDL_PRESSED);
    SDL_JoystickSetVirtualButton(handle_, 6, SDL_PRESSED);
    SDL_JoystickSetVirtualButton(handle_, 7, SDL_PRESSED);  // an eighth button is not read
    ASSERT_TRUE(stick.Read(&s));
    const uint8_t expected[7] = {1, 0, 0, 0, 0, 0, 1};
    for (int i = 0; i < 7; ++i) EXPECT_EQ(s.buttons[i], expected[i]) << i;
    SDL_JoystickSetVirtualButton(handle_, 0, SDL_RELEASED);
    ASSERT_TRUE(stick.Read(&s));
    EXPECT_EQ(s.buttons[0], 0);
    stick.Close();
}

TEST_F(PlatformJoystick, FewerButtonsThanSevenReadAsReleased) {
    Attach(2, false);
    SdlJoystick stick;
    ASSERT_EQ(stick.Open(), 2);
    SDL_JoystickSetVirtualButton(handle_, 1, SDL_PRESSED);
    JoystickState s;
    ASSERT_TRUE(stick.Read(&s));
    EXPECT_EQ(s.buttons[1], 1);
    for (int i = 2; i < 7; ++i) EXPECT_EQ(s.buttons[i], 0);
}

TEST_F(PlatformJoystick, RumbleStickReportsStatusOneAndScalesStrength) {
    Attach(7, true);
    SdlJoystick stick;
    EXPECT_EQ(stick.Open(), 1);
    stick.Rumble(10000, 0.25f);
    EXPECT_EQ(rumble_.calls, 1);
    EXPECT_EQ(rumble_.low, 65535);
    EXPECT_EQ(rumble_.high, 65535);
    stick.Rumble(5000, 0.62f);
    EXPECT_EQ(rumble_.calls, 2);
    EXPECT_NEAR(rumble_.low, 32767, 1);
    // Out-of-range magnitudes are clamped, not wrapped.
    stick.Rumble(20000, 0.25f);
    EXPECT_EQ(rumble_.low, 65535);
}

TEST_F(PlatformJoystick, DetachedStickFailsReadsUntilReattached) {
    Attach(7, false);
    SdlJoystick stick;
    ASSERT_EQ(stick.Open(), 2);
    SDL_JoystickClose(handle_);
    handle_ = nullptr;
    ASSERT_EQ(SDL_JoystickDetachVirtual(index_), 0);
    index_ = -1;
    JoystickState s;
    EXPECT_FALSE(stick.Read(&s));
    EXPECT_FALSE(stick.Reacquire());

    Attach(7, false);
    EXPECT_TRUE(stick.Reacquire());
    Axes(-32768, 0);
    ASSERT_TRUE(stick.Read(&s));
    EXPECT_EQ(s.x, 0);
}

}  // namespace
}  // namespace veloria
