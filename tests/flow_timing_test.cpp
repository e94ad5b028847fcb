// Timers, the random generator and the repeat gate.
#include <gtest/gtest.h>

#include <cstdint>

#include "flow/game.h"
#include "flow/game_state.h"
#include "input/handle_input.h"
#include "input/input_codes.h"
#include "input/input_device.h"
#include "presentation/random.h"
#include "presentation/timer.h"
#include "test_support.h"

namespace veloria {
namespace {

TEST(FlowTimer, FirstTrueAtOrAfterPeriodThenRestartsOnNextCheck) {
    TestGame t;
    Timer timer;
    TimerReset(timer);
    const uint32_t t0 = t.clock.Now();
    uint32_t firstTrue = 0;
    for (uint32_t at = 0; at <= 112 && firstTrue == 0; at += 16) {
        t.clock.Set(t0 + at);
        if (TimerElapsed(t.g(), timer, 100)) firstTrue = at;
    }
    EXPECT_EQ(firstTrue, 112u);  // 96 is too early, 112 is the first check past 100
    EXPECT_EQ(timer.start, 0u);  // true resets it

    // The next period begins at the following check, not at the one that answered true.
    t.clock.Set(t0 + 128);
    EXPECT_FALSE(TimerElapsed(t.g(), timer, 100));
    t.clock.Set(t0 + 227);
    EXPECT_FALSE(TimerElapsed(t.g(), timer, 100));
    t.clock.Set(t0 + 228);
    EXPECT_TRUE(TimerElapsed(t.g(), timer, 100));
}

TEST(FlowTimer, PeriodZeroAlwaysTrueAndWrapMeasuresUnsigned) {
    TestGame t;
    Timer timer;
    for (int i = 0; i < 3; ++i) EXPECT_TRUE(TimerElapsed(t.g(), timer, 0));

    t.clock.Set(0xFFFFFFF0u);
    TimerReset(timer);
    TimerUpdate(t.g(), timer);
    t.clock.Advance(0x20);  // wraps past zero
    EXPECT_FALSE(TimerElapsed(t.g(), timer, 33));
    EXPECT_EQ(timer.elapsed, 32u);
    t.clock.Advance(1);
    EXPECT_TRUE(TimerElapsed(t.g(), timer, 33));
}

// Reference: the minimal-standard generator computed plainly in 64 bits.
int64_t NextSeed(int64_t seed) {
    return (seed * 16807) % 2147483647;
}

TEST(FlowRandom, FollowsMinimalStandardSequenceAndReseedsBeforeThe51stDraw) {
    TestGame t;
    SeedRandom(t.g());
    int64_t seed = t.clock.Now();
    for (int i = 0; i < 50; ++i) {
        seed = NextSeed(seed);
        const int32_t n = (i % 2) ? 700 : 6000;
        ASSERT_EQ(Random(t.g(), n), seed / (2147483647 / n)) << "draw " << i;
    }
    // The 51st draw starts again from the clock.
    t.clock.Advance(12345);
    seed = NextSeed(t.clock.Now());
    EXPECT_EQ(Random(t.g(), 1000), seed / (2147483647 / 1000));
    EXPECT_EQ(t.g().random.count, 1);
}

TEST(FlowRandom, EdgeValues) {
    TestGame t;
    SeedRandom(t.g());
    for (int i = 0; i < 200; ++i) EXPECT_EQ(Random(t.g(), 1), 0);
    // The rare top slice returns n itself: this seed steps to 2147480000.
    t.g().random.seed = 835380977;
    t.g().random.count = 0;
    EXPECT_EQ(Random(t.g(), 6000), 6000);
    // Nonsense bounds answer 0 instead of dividing by zero.
    EXPECT_EQ(Random(t.g(), 0), 0);
    EXPECT_EQ(Random(t.g(), -5), 0);
}

TEST(FlowRandom, TimesPowerOfTwoDoublesAndSaturates) {
    EXPECT_EQ(TimesPowerOfTwo(100, 0), 100);
    EXPECT_EQ(TimesPowerOfTwo(100, 3), 800);
    EXPECT_EQ(TimesPowerOfTwo(100, -4), 100);
    EXPECT_EQ(TimesPowerOfTwo(-3, 2), -12);
    // A purse level from a damaged save must neither overflow nor loop for ages.
    EXPECT_EQ(TimesPowerOfTwo(100, 2000000000), INT32_MAX);
    EXPECT_EQ(TimesPowerOfTwo(-100, 40), INT32_MIN);
    EXPECT_EQ(TimesPowerOfTwo(0, 2000000000), 0);
}

TEST(FlowAcceptInput, SameCodeWaitsForItsDelayOtherCodesPassAtOnce) {
    TestGame t;
    Game& g = t.g();
    g.input.repeatDelay[KeyUpDown] = 250;
    g.input.repeatDelay[KeyButtons] = 500;
    EXPECT_TRUE(AcceptInput(g, SourceKeyboard, InputUp, InputNone));
    t.clock.Advance(100);
    EXPECT_FALSE(AcceptInput(g, SourceKeyboard, InputUp, InputUp));
    EXPECT_TRUE(AcceptInput(g, SourceKeyboard, InputDown, InputUp));
    EXPECT_TRUE(AcceptInput(g, SourceKeyboard, InputUp, InputDown));
    t.clock.Advance(249);
    EXPECT_FALSE(AcceptInput(g, SourceKeyboard, InputUp, InputUp));
    t.clock.Advance(1);
    EXPECT_TRUE(AcceptInput(g, SourceKeyboard, InputUp, InputUp));
    // A joystick code of the same value shares the gate, with the joystick's own delay (0).
    EXPECT_TRUE(AcceptInput(g, SourceJoystick, InputUp, InputUp));
    // Esc uses the keyboard button delay.
    t.clock.Advance(10);
    EXPECT_TRUE(AcceptInput(g, SourceKeyboard, InputEscape, InputUp));
    t.clock.Advance(10);
    EXPECT_FALSE(AcceptInput(g, SourceKeyboard, InputEscape, InputEscape));
}

TEST(FlowAcceptInput, CodesWithoutDelayLeaveTheLastAcceptedTime) {
    TestGame t;
    Game& g = t.g();
    for (uint32_t& d : g.input.repeatDelay) d = 1000;
    g.input.lastAccepted = 4242;
    EXPECT_TRUE(AcceptInput(g, SourceJoystick, InputEscape, InputEscape));
    EXPECT_TRUE(AcceptInput(g, SourceKeyboard, 13, 13));
    EXPECT_TRUE(AcceptInput(g, SourceKeyboard, 0, 0));
    EXPECT_EQ(g.input.lastAccepted, 4242u);
}

TEST(FlowAcceptInput, HandleInputIgnoresCodeZeroAndKeepsTheLowByte) {
    TestGame t;
    Game& g = t.g();
    g.flow.gameState = StatePlayTime;
    g.lastInputCode = InputUp;
    HandleInput(g, SourceJoystick, 0);
    EXPECT_EQ(g.lastInputCode, InputUp);
    HandleInput(g, SourceKeyboard, 0x100 | InputButton1);
    EXPECT_EQ(g.lastInputCode, InputButton1);
    EXPECT_EQ(g.flow.gameState, StateMap);
}

TEST(FlowAcceptInput, WalkingDelaysFollowTheStepPeriod) {
    TestGame t;
    Game& g = t.g();
    g.hero.stepPeriod = 131;
    InstallWalkingDelays(g);
    EXPECT_EQ(g.input.repeatDelay[JoyUpDown], 131u);
    EXPECT_EQ(g.input.repeatDelay[KeyLeftRight], 131u);
    EXPECT_EQ(g.input.repeatDelay[JoyButtons], kDefaultButtonDelay);
    g.hero.stepPeriod = -20;  // from a damaged file: no delay rather than weeks
    InstallWalkingDelays(g);
    EXPECT_EQ(g.input.repeatDelay[KeyLeftRight], 0u);
}

}  // namespace
}  // namespace veloria
