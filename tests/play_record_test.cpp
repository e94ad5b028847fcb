// Record mode's script writer and feed (the window itself is tested end to end by
// record.window_replay).
#include <gtest/gtest.h>

#include <cstdint>
#include <sstream>

#include "flow/game.h"
#include "flow/reset.h"
#include "input/input_codes.h"
#include "input/input_device.h"
#include "lib/recording.h"
#include "lib/script.h"
#include "platform/fake/fakes.h"
#include "presentation/platform_record.h"

namespace veloria::play {
namespace {

// Every stick code kept by a recording must come back as the same code through the game's own
// thresholds, or a replay would walk where the player pressed a button.
TEST(PlayRecord, EveryPadCodeReadsBackAsItselfThroughTheGamesThresholds) {
    static Game g;
    ManualClock clock;
    ScriptedJoystick stick;
    stick.status = 2;
    ResetGame(g, Platform{&clock, nullptr, nullptr, &stick, nullptr, nullptr});
    InitJoystick(g);
    for (int8_t code = InputNone; code <= InputButton7; ++code) {
        SCOPED_TRACE(static_cast<int>(code));
        EXPECT_EQ(code, JoystickCode(g.input, PadState(code)));
        stick.state = PadState(code);
        EXPECT_EQ(code, PollJoystick(g));
    }
}

TEST(PlayRecord, WriterKeepsThePassOrderAndFoldsQuietPasses) {
    std::ostringstream out;
    ScriptWriter w(out);
    w.Joystick(3);  // none: the replay's default
    w.Frame();
    w.Frame();
    w.Clock(0);  // a pass exactly one frame time after the last
    w.Frame();
    w.Clock(3);
    w.Key(InputButton2);
    w.Key(InputNone);  // no key gives it: nothing written
    w.Pad(0);          // the stick was centred already
    w.Frame();
    w.Pad(InputLeft);
    w.Frame();
    w.Pad(InputLeft);
    w.Frame();
    w.Key(InputEscape);
    w.Finish();
    EXPECT_EQ(
        "frame 3\n"
        "clock 3\n"
        "key 2\n"
        "frame\n"
        "pad 1\n"
        "frame 2\n"
        "key esc\n"
        "dump\n",
        out.str());
    EXPECT_EQ(6, w.Passes());
    EXPECT_EQ(2, w.Keys());
    // Whatever it writes is a script the runner takes line by line.
    std::istringstream lines(out.str());
    std::string line;
    while (std::getline(lines, line)) EXPECT_NE(Command::Bad, ParseScriptLine(line).command);
}

TEST(PlayRecord, EveryKeyCodeHasTheNameThatGivesItBack) {
    for (int8_t code = InputLeft; code <= InputEscape; ++code) {
        const std::string name = KeyNameOf(code);
        if (code == InputButton7) {
            EXPECT_EQ("", name);  // only a stick has a seventh button
            continue;
        }
        EXPECT_NE("", name);
        EXPECT_EQ(Command::Key, ParseScriptLine("key " + name).command);
    }
    std::ostringstream out;
    ScriptWriter w(out);
    w.Joystick(1);
    w.Joystick(2);
    EXPECT_EQ("joystick rumble\njoystick plain\n", out.str());
}

TEST(PlayRecord, FeedGivesKeysBeforeTheirPassAndTimesWaitsOnTheGamesClock) {
    Feed f;
    std::string error;
    ASSERT_TRUE(
        f.Load("frame 2\nkeys 2 1   # two at once\nexpect gameState 1\nwait 40\n"
               "key up\ndump\nshot a.png\n",
               &error))
        << error;
    EXPECT_EQ(3, f.Skipped());
    EXPECT_EQ((std::vector<std::string>{"2", "1", "up"}), f.KeyNames());
    bool ended = false;
    using Keys = std::vector<std::string>;
    EXPECT_EQ(Keys{}, f.Next(1000, &ended));
    EXPECT_EQ(Keys{}, f.Next(1016, &ended));
    // The keys come with the pass that starts the wait; the wait runs while under 40 ms.
    EXPECT_EQ((Keys{"2", "1"}), f.Next(1032, &ended));
    EXPECT_FALSE(ended);
    EXPECT_EQ(Keys{}, f.Next(1048, &ended));
    EXPECT_EQ(Keys{}, f.Next(1071, &ended));  // 39 ms
    EXPECT_FALSE(ended);
    EXPECT_EQ(Keys{"up"}, f.Next(1072, &ended));
    EXPECT_TRUE(ended);  // the last key goes with the end: the window is closed after it
}

TEST(PlayRecord, FeedEndsAtQuitAndRefusesWhatAWindowCannotBeGiven) {
    Feed f;
    std::string error;
    ASSERT_TRUE(f.Load("frame\nclock 20\nquit\nkey 1\n", &error));
    bool ended = false;
    EXPECT_TRUE(f.Next(0, &ended).empty());
    EXPECT_FALSE(ended);
    // A window cannot skip time: the clock's 20 ms go by in passes.
    EXPECT_TRUE(f.Next(16, &ended).empty());
    EXPECT_FALSE(ended);
    EXPECT_TRUE(f.Next(36, &ended).empty());
    EXPECT_TRUE(ended);

    const struct {
        const char* text;
        const char* error;
    } refused[] = {
        {"frame\npad 3\n", "feed line 2: pad without joystick plain"},
        {"frame\njoystick plain\n", "feed line 2: joystick only before the first pass"},
        {"joystick rumble\n", "feed line 1: a fed stick has no rumble"},
        {"monkey 1 5\n", "feed line 1: a window is given keys, a stick and time only"},
        {"frame\n\njump\n", "feed line 3: unknown command 'jump'"},
    };
    for (const auto& r : refused) {
        Feed bad;
        std::string why;
        EXPECT_FALSE(bad.Load(r.text, &why)) << r.text;
        EXPECT_EQ(r.error, why);
    }
}

TEST(PlayRecord, FeedHoldsTheStickFromThePassAfterItsPad) {
    Feed f;
    std::string error;
    ASSERT_TRUE(f.Load("joystick plain\nframe\npad 6\nkey 1\nframe 2\npad 0\nframe\n", &error))
        << error;
    EXPECT_TRUE(f.WantsStick());
    bool ended = false;
    f.Next(0, &ended);
    EXPECT_EQ(0, f.Pad());
    EXPECT_EQ(std::vector<std::string>{"1"}, f.Next(16, &ended));
    EXPECT_EQ(6, f.Pad());
    f.Next(32, &ended);
    EXPECT_EQ(6, f.Pad()) << "held through frame 2";
    f.Next(48, &ended);
    EXPECT_EQ(0, f.Pad());
    EXPECT_FALSE(ended);
    Feed none;
    ASSERT_TRUE(none.Load("joystick none\nframe\n", &error));
    EXPECT_FALSE(none.WantsStick());
}

TEST(PlayRecord, SiblingFilesShareTheScriptsName) {
    EXPECT_EQ("/tmp/s.dump", SiblingPath("/tmp/s.play", ".dump"));
    EXPECT_EQ("/tmp/s.content", SiblingPath("/tmp/s", ".content"));
    EXPECT_EQ("/tmp/a.b/s.dump", SiblingPath("/tmp/a.b/s", ".dump"));
    EXPECT_EQ("/tmp/.s.dump", SiblingPath("/tmp/.s", ".dump"));
}

}  // namespace
}  // namespace veloria::play
