// Quads, text slots, frames, music and the joystick.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <string>

#include "flow/game.h"
#include "input/input_codes.h"
#include "input/input_device.h"
#include "presentation/platform.h"
#include "presentation/renderer.h"
#include "presentation/sound.h"
#include "presentation/text.h"
#include "test_support.h"

namespace veloria {
namespace {

struct Corner {
    float x, y, u, v;
};

void ExpectVertex(const Vertex& got, Corner want) {
    EXPECT_EQ(got.x, want.x);
    EXPECT_EQ(got.y, want.y);
    EXPECT_EQ(got.z, 0.0f);
    EXPECT_EQ(got.rhw, 1.0f);
    EXPECT_EQ(got.u, want.u);
    EXPECT_EQ(got.v, want.v);
}

TEST(FlowQuad, TileCellsAndVertexOrder) {
    TestGame t;
    struct Case {
        uint32_t tile;
        int column, row;
    } cases[] = {{0, 0, 0}, {31, 31, 0}, {32, 0, 1}, {1023, 31, 31}, {37, 5, 1}};
    for (const Case& c : cases) {
        SetQuad(t.g(), 242, 10, 138, 20, 148, c.tile);
        const QuadSlot& q = t.g().renderer.quads[242];
        const float uL = c.column / 32.0f, uR = (c.column + 1) / 32.0f;
        const float vT = c.row / 32.0f, vB = (c.row + 1) / 32.0f;
        SCOPED_TRACE(c.tile);
        ExpectVertex(q.v[0], {10, 20, uL, vT});
        ExpectVertex(q.v[1], {138, 20, uR, vT});
        ExpectVertex(q.v[2], {10, 148, uL, vB});
        ExpectVertex(q.v[3], {138, 20, uR, vT});
        ExpectVertex(q.v[4], {138, 148, uR, vB});
        ExpectVertex(q.v[5], {10, 148, uL, vB});
    }
}

TEST(FlowQuad, TileBeyondTheLibraryAndBadSlotsDrawNothing) {
    TestGame t;
    SetQuad(t.g(), 7, 0, 128, 0, 128, 5);
    SetQuad(t.g(), 7, 0, 128, 0, 128, 1024);
    const QuadSlot empty{};
    EXPECT_EQ(std::memcmp(&t.g().renderer.quads[7], &empty, sizeof(QuadSlot)), 0);
    SetQuad(t.g(), -1, 0, 128, 0, 128, 0);
    SetQuad(t.g(), kQuadSlots, 0, 128, 0, 128, 0);  // no slot: ignored (ASan watches)
}

TEST(FlowText, SlotShownOnceReplacedAndDrawnInSlotOrder) {
    TestGame t;
    Game& g = t.g();
    DrawText(g, 5, "Hello", 444, 300, kColourWhite);
    const TextSlot& s = g.renderer.texts[5];
    EXPECT_EQ(s.left, 444);
    EXPECT_EQ(s.top, 300);
    EXPECT_EQ(s.right, 444 + 5 * 11);  // the fake measures 11 px per character
    EXPECT_EQ(s.bottom, 324);
    DrawText(g, 7, "late slot", 0, 0, kColourDarkRed);
    DrawText(g, 2, "first", 0, 0, kColourDarkRed);
    DrawText(g, 2, "second", 0, 0, kColourOlive);
    DrawFrame(g, 0, 0);
    const PresentedFrame& p = g.renderer.presented;
    ASSERT_EQ(p.textCount, 3);
    EXPECT_EQ(p.textSlot[0], 2);
    EXPECT_STREQ(p.texts[0].text, "second");
    EXPECT_EQ(p.texts[0].colour, kColourOlive);
    EXPECT_EQ(p.textSlot[1], 5);
    EXPECT_EQ(p.textSlot[2], 7);
    DrawFrame(g, 0, 0);
    EXPECT_EQ(g.renderer.presented.textCount, 0);
    EXPECT_EQ(g.renderer.presented.frameNumber, 2u);
}

TEST(FlowText, LongTextCutAndBadSlotIgnored) {
    TestGame t;
    Game& g = t.g();
    const std::string longText(60, 'x');
    DrawText(g, 39, longText.c_str(), 10, 10, kColourWhite);
    EXPECT_EQ(std::strlen(g.renderer.texts[39].text), 39u);
    EXPECT_EQ(g.renderer.texts[39].right, 10 + 39 * 11);
    DrawText(g, 40, "nowhere", 0, 0, kColourWhite);
    DrawText(g, -1, "nowhere", 0, 0, kColourWhite);
    DrawFrame(g, 0, 0);
    EXPECT_EQ(g.renderer.presented.textCount, 1);
    EXPECT_EQ(g.flow.quitPosted, 0);
}

TEST(FlowText, MeasureFailureRecordsErrorButStillDraws) {
    TestGame t;
    t.display.measureOk = false;
    DrawText(t.g(), 3, "abc", 1, 2, kColourWhite);
    EXPECT_STREQ(t.g().renderer.errorText, "Error drawing text to screen.");
    EXPECT_EQ(t.g().flow.quitCode, 18);
    EXPECT_EQ(t.g().renderer.texts[3].pending, 1);
    t.display.fontOk = false;
    CreateFont(t.g());
    EXPECT_STREQ(t.g().renderer.errorText, "Error creating font interface.");
}

TEST(FlowFrame, CountClampedBackgroundRecordedAndAMissingOneEndsTheGame) {
    TestGame t;
    Game& g = t.g();
    t.display.checkBackgroundFiles = false;
    DrawFrame(g, 500, 0);
    EXPECT_EQ(t.display.lastQuadCount, kQuadSlots);
    EXPECT_STREQ(g.renderer.presented.background, "");
    DrawFrame(g, -3, 0);
    EXPECT_EQ(t.display.lastQuadCount, 0);
    SetBackground(g, "art/bg/a_name_longer_than_24_chars.bmp");
    EXPECT_STREQ(g.renderer.backgroundFile, "art/bg/a_name_longer_tha");
    DrawFrame(g, kMapQuads, 1);
    EXPECT_STREQ(g.renderer.presented.background, "art/bg/a_name_longer_tha");
    EXPECT_EQ(g.renderer.presented.quads, kMapQuads);
    EXPECT_EQ(g.flow.quitPosted, 0);

    t.display.checkBackgroundFiles = true;  // a picture that is not there ends the game
    SetBackground(g, "art/bg/none.bmp");
    DrawFrame(g, 0, 1);
    EXPECT_STREQ(g.renderer.errorText, "Couldn't load bitmap file.");
    EXPECT_NE(g.renderer.lastResult, 0);
    EXPECT_EQ(g.flow.quitPosted, 1);
    EXPECT_EQ(g.flow.quitCode, 18);
}

TEST(FlowFrame, TileLibraryFailureEndsTheGame) {
    TestGame u;
    u.display.tileLibraryOk = false;
    EXPECT_NE(TileLibraryLoad::CardTooSmall, LoadTileLibrary(u.g(), "art/tilelib1.mpt"));
    EXPECT_STREQ(u.g().renderer.errorText, "Couldn't create texture.");
    EXPECT_EQ(u.g().flow.quitPosted, 1);
}

TEST(FlowMusic, KeepAliveRestartsOnlyAStoppedPiece) {
    TestGame t;
    Game& g = t.g();
    SetMusicFile(g, "music/level%02d.mid", 3);
    PlayMusic(g, g.musicFile, true);
    EXPECT_STREQ(t.audio.openFile, "music/level03.mid");
    EXPECT_EQ(MusicPlaying(g), 1);
    MusicKeepAlive(g);
    EXPECT_EQ(t.audio.plays, 1);

    t.audio.playing = false;  // the piece ended
    MusicKeepAlive(g);
    EXPECT_EQ(t.audio.plays, 2);
    EXPECT_EQ(t.audio.seeks, 2);
    EXPECT_EQ(t.audio.opens, 1);

    t.audio.forcedMode = -1;  // paused or any other mode: left alone
    t.audio.playing = false;
    MusicKeepAlive(g);
    EXPECT_EQ(t.audio.plays, 2);
}

TEST(FlowMusic, NewNameWhileOpenReplaysTheOpenPiece) {
    TestGame t;
    Game& g = t.g();
    PlayMusic(g, "music/title.mid", true);
    PlayMusic(g, "music/menu.mid", true);
    EXPECT_STREQ(t.audio.openFile, "music/title.mid");
    EXPECT_EQ(t.audio.opens, 1);
    EXPECT_EQ(t.audio.plays, 2);
    ChangeMusic(g, "music/battle%02d.mid", 12);
    EXPECT_STREQ(t.audio.openFile, "music/battle12.mid");
    EXPECT_EQ(t.audio.closes, 1);
}

TEST(FlowMusic, FailedQuestionClosesAndNoDeviceStaysSilent) {
    TestGame t;
    Game& g = t.g();
    PlayMusic(g, "music/title.mid", true);
    t.audio.forcedMode = -2;
    EXPECT_EQ(MusicPlaying(g), -1);
    EXPECT_EQ(g.music.deviceId, 0u);
    EXPECT_EQ(t.audio.closes, 1);
    t.audio.forcedMode = 99;
    MusicKeepAlive(g);  // closed: silent until someone plays again
    EXPECT_EQ(t.audio.opens, 1);

    TestGame u;
    u.audio.musicAvailable = false;
    PlayMusic(u.g(), "music/title.mid", true);
    for (int i = 0; i < 3; ++i) EXPECT_EQ(MusicPlaying(u.g()), -1);
    u.g().platform.audio = nullptr;
    PlayWave(u.g(), "sound/click.wav");
    EXPECT_EQ(MusicPlaying(u.g()), -1);
}

class FlowJoystick : public ::testing::Test {
  protected:
    void SetUp() override {
        t.joystick.status = 1;
        InitJoystick(t.g());
    }
    int8_t Poll(int32_t x, int32_t y, std::initializer_list<int> buttons = {}) {
        t.joystick.state = JoystickState{};
        t.joystick.state.x = x;
        t.joystick.state.y = y;
        for (int b : buttons) t.joystick.state.buttons[b] = 1;
        return PollJoystick(t.g());
    }
    TestGame t;
};

TEST_F(FlowJoystick, NoStickMeansStatusThreeAndNoInput) {
    TestGame none;
    none.g().platform.joystick = nullptr;
    InitJoystick(none.g());
    EXPECT_EQ(none.g().input.joystickStatus, 3);
    EXPECT_EQ(PollJoystick(none.g()), 0);
}

TEST_F(FlowJoystick, ThresholdsAndPriority) {
    EXPECT_EQ(Poll(162, 325), InputNone);
    EXPECT_EQ(Poll(161, 325), InputLeft);
    EXPECT_EQ(Poll(487, 325), InputNone);
    EXPECT_EQ(Poll(488, 325), InputRight);
    EXPECT_EQ(Poll(325, 161), InputUp);
    EXPECT_EQ(Poll(325, 488), InputDown);
    EXPECT_EQ(Poll(0, 0), InputLeft);                 // diagonal: horizontal part only
    EXPECT_EQ(Poll(325, 0, {0}), InputUp);            // buttons only in the dead zone
    EXPECT_EQ(Poll(325, 325, {2, 0}), InputButton1);  // lowest button wins
    EXPECT_EQ(Poll(325, 325, {6}), InputButton7);
    EXPECT_EQ(Poll(325, 325, {3}), InputButton4);
}

TEST_F(FlowJoystick, FailedReadTriesABoundedNumberOfReacquires) {
    t.joystick.readOk = false;
    t.joystick.reacquireOk = false;
    EXPECT_EQ(Poll(0, 325), InputNone);
    EXPECT_EQ(t.joystick.reacquires, kJoystickReacquireTries);
    t.joystick.reacquireOk = true;
    EXPECT_EQ(Poll(0, 325), InputNone);
    EXPECT_EQ(t.joystick.reacquires, kJoystickReacquireTries + 1);
}

TEST_F(FlowJoystick, RumbleOnlyWithForceFeedback) {
    Rumble(t.g(), 6500, 0.62f);
    EXPECT_EQ(t.joystick.rumbles, 1);
    EXPECT_EQ(t.joystick.lastMagnitude, 6500);
    t.g().input.joystickStatus = 2;
    Rumble(t.g(), 6500, 0.62f);
    EXPECT_EQ(t.joystick.rumbles, 1);
    ReleaseJoystick(t.g());
    EXPECT_EQ(t.joystick.closes, 1);
}

}  // namespace
}  // namespace veloria
