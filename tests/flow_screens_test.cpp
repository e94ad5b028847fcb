// The frame loop's dispatch and first frame, and the fixed picture screens.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "flow/frame_loop.h"
#include "flow/game.h"
#include "flow/game_state.h"
#include "input/handle_input.h"
#include "input/input_codes.h"
#include "presentation/renderer_record.h"
#include "presentation/sound.h"
#include "test_support.h"

namespace veloria {
namespace {

struct ScreenGame : TestGame {
    explicit ScreenGame(int32_t state) {
        display.checkBackgroundFiles = false;
        g().flow.gameState = state;
    }
    const PresentedFrame& Shown() { return g().renderer.presented; }
    std::string Text(int32_t i) { return Shown().texts[i].text; }
    int32_t Presents() {
        RunFrame(g());
        return display.presents;
    }
};

TEST(FlowFrameLoop, FirstFrameSetsUpOnceAndStartsTheMusic) {
    ScreenGame t(StateQuitConfirm);
    t.joystick.status = 2;
    SetMusicFile(t.g(), "music/title.mid");
    RunFrame(t.g());
    EXPECT_STREQ(t.display.tileLibrary, "art/tilelib1.mpt");
    EXPECT_EQ(t.g().renderer.quadBuffer, 1);
    EXPECT_EQ(t.g().renderer.font, 1);
    EXPECT_EQ(t.g().input.joystickStatus, 2);
    EXPECT_EQ(t.g().flow.firstFrame, 1);
    EXPECT_STREQ(t.audio.openFile, "music/title.mid");
    EXPECT_EQ(t.g().random.seed, static_cast<int32_t>(t.clock.Now()));
    EXPECT_EQ(t.display.presents, 1);
    RunFrame(t.g());
    EXPECT_EQ(t.joystick.opens, 1);
    EXPECT_EQ(t.display.presents, 2);
}

TEST(FlowFrameLoop, SmallTextureShowsTheBoxAndQuitsWithoutDrawing) {
    ScreenGame t(StateQuitConfirm);
    t.display.maxTexture = 2048;
    RunFrame(t.g());
    EXPECT_EQ(t.shell.boxes, 1);
    EXPECT_STREQ(t.shell.lastBoxCaption, "DirectX Video Card Texture error");
    EXPECT_NE(std::string(t.shell.lastBoxText).find("only\n2048 x 2048."), std::string::npos);
    EXPECT_EQ(t.g().flow.quitPosted, 1);
    EXPECT_EQ(t.g().flow.quitCode, 18);
    EXPECT_EQ(t.display.presents, 0);
    RunFrame(t.g());  // after the quit nothing more is drawn
    EXPECT_EQ(t.display.presents, 0);
}

TEST(FlowFrameLoop, LostDeviceOpensThePageAndQuits) {
    ScreenGame t(StateQuitConfirm);
    t.display.lost = true;
    PlayMusic(t.g(), "music/title.mid", true);
    RunFrame(t.g());
    EXPECT_EQ(t.shell.opened, 1);
    EXPECT_STREQ(t.shell.lastOpened, "web/vx.html");
    EXPECT_EQ(t.g().flow.webPageOpened, 1);
    EXPECT_EQ(t.g().flow.quitPosted, 1);
    EXPECT_FALSE(t.audio.open);
    EXPECT_EQ(t.display.presents, 0);
}

TEST(FlowFrameLoop, StatesThatDrawNothing) {
    for (int32_t state : {0, 21, 25, -7, 1000}) {
        ScreenGame t(state);
        RunFrame(t.g());
        RunFrame(t.g());
        EXPECT_EQ(t.display.presents, 0) << state;
        EXPECT_EQ(t.g().flow.quitPosted, 0);
    }
    ScreenGame v(StateVictory);
    v.g().battle.rewardsShown = 1;  // the last picture stays
    RunFrame(v.g());
    EXPECT_EQ(v.display.presents, 0);
}

TEST(FlowFrameLoop, LoadScreenDrawnOncePerStay) {
    ScreenGame t(StateLoadMenu);
    RunFrame(t.g());
    EXPECT_EQ(t.g().menus.loadScreenDrawn, 1);
    const int32_t after = t.display.presents;
    RunFrame(t.g());
    EXPECT_EQ(t.Presents(), after);
    // Cancelling re-arms it for the next visit.
    t.g().screens.titleStep = 3;
    HandleInput(t.g(), SourceKeyboard, InputButton4);
    EXPECT_EQ(t.g().flow.gameState, StateTitle);
    EXPECT_EQ(t.g().menus.loadScreenDrawn, 0);
}

TEST(FlowScreens, SaveScreensSayWhetherTheyCanAndDidSave) {
    ScreenGame t(StateSaveMenu);
    t.g().level.inArena = 1;
    RunFrame(t.g());
    EXPECT_STREQ(t.Shown().background, "art/bg/main_menu3.bmp");
    ASSERT_EQ(t.Shown().textCount, 2);
    EXPECT_EQ(t.Text(0), "You cannot Save while in battle...");
    EXPECT_EQ(t.Presents(), 2) << "redrawn on every frame";

    ScreenGame s(StateGameSaved);
    RunFrame(s.g());
    EXPECT_EQ(s.Text(0), "Game is saved...");
    s.g().menus.saveFailed = 1;
    RunFrame(s.g());
    EXPECT_EQ(s.Text(0), "Game could not be saved...");
    EXPECT_EQ(s.Text(1), "1: Continue");
}

TEST(FlowScreens, QuitConfirmEscOpensThePageAndQuits) {
    ScreenGame t(StateQuitConfirm);
    RunFrame(t.g());
    ASSERT_EQ(t.Shown().textCount, 3);
    EXPECT_EQ(t.Text(0), "Quit Game?");
    HandleInput(t.g(), SourceKeyboard, InputEscape);
    EXPECT_STREQ(t.audio.lastWave, "sound/button3.wav");
    EXPECT_EQ(t.shell.opened, 1);
    EXPECT_EQ(t.g().flow.quitPosted, 1);
    EXPECT_EQ(t.display.releasedFonts, 1);
    EXPECT_EQ(t.display.releasedTextures, 1);
    EXPECT_FALSE(t.audio.open);
}

TEST(FlowScreens, TitleSequenceHoldsForTheIntroSounds) {
    ScreenGame t(StateTitle);
    t.Write("sound/intro1.wav", WaveText(1500));
    t.Write("sound/intro2.wav", WaveText(700));
    const uint32_t start = t.clock.Now();
    RunFrame(t.g());
    EXPECT_STREQ(t.Shown().background, "art/bg/title1.bmp");
    EXPECT_EQ(t.clock.Now() - start, 1500u);
    HandleInput(t.g(), SourceKeyboard, InputEscape);  // during the first sound: ignored
    EXPECT_EQ(t.g().flow.quitPosted, 0);
    HandleInput(t.g(), SourceKeyboard, InputButton1);
    EXPECT_EQ(t.g().flow.gameState, StateTitle);
    RunFrame(t.g());
    EXPECT_STREQ(t.Shown().background, "art/bg/title2.bmp");
    EXPECT_EQ(t.clock.Now() - start, 2200u);
    EXPECT_EQ(t.g().screens.titleStep, 3);
    RunFrame(t.g());
    EXPECT_STREQ(t.Shown().background, "art/bg/title3.bmp");
    EXPECT_EQ(t.audio.waitWaves, 2);
    HandleInput(t.g(), SourceKeyboard, InputEscape);
    EXPECT_EQ(t.g().flow.quitPosted, 1);
    EXPECT_EQ(t.shell.opened, 0);  // no web page from the title
}

TEST(FlowScreens, TitleChoicesWaitForTheirSound) {
    ScreenGame t(StateTitle);
    t.g().screens.titleStep = 3;
    t.Write("sound/button.wav", WaveText(300));
    const uint32_t start = t.clock.Now();
    HandleInput(t.g(), SourceKeyboard, InputButton2);
    EXPECT_EQ(t.g().flow.gameState, StateStoryScroll);
    EXPECT_EQ(t.clock.Now() - start, 300u);
}

TEST(FlowScreens, EndStoryPagesThenEscQuits) {
    ScreenGame t(StateEndStory);
    Game& g = t.g();
    RunFrame(g);
    EXPECT_STREQ(t.Shown().background, "art/bg/end_story1.bmp");
    EXPECT_STREQ(t.audio.openFile, "music/game_end.mid");
    const int32_t opens = t.audio.opens;
    EXPECT_EQ(t.Presents(), 1) << "waits for a button";
    HandleInput(g, SourceKeyboard, InputEscape);
    EXPECT_EQ(g.flow.quitPosted, 0);
    for (int page = 2; page <= 4; ++page) {
        HandleInput(g, SourceKeyboard, InputButton1 + (page % 6));
        EXPECT_STREQ(t.audio.lastWave, "sound/button3.wav");
        RunFrame(g);
        EXPECT_EQ(std::string(t.Shown().background),
                  "art/bg/end_story" + std::to_string(page) + ".bmp");
    }
    EXPECT_EQ(g.screens.endPage, 4);
    const int32_t waves = t.audio.waves;
    HandleInput(g, SourceKeyboard, InputButton2);  // all shown: buttons do nothing
    RunFrame(g);
    EXPECT_EQ(t.audio.waves, waves);
    EXPECT_EQ(t.display.presents, 4);
    EXPECT_EQ(t.audio.opens, opens);  // the end music started once
    HandleInput(g, SourceKeyboard, InputEscape);
    EXPECT_EQ(g.flow.quitPosted, 1);
}

}  // namespace
}  // namespace veloria
