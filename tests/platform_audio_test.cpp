// SDL2_mixer back end on SDL's dummy audio driver: blocking waves, the one effects channel, the
// music piece's states, and a machine without any audio device.
#include <SDL2/SDL.h>
#include <SDL2/SDL_mixer.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <string>

#include "platform/sdl/sdl_audio.h"
#include "test_support.h"

namespace veloria {
namespace {

// A mono 16-bit 22050 Hz wave of the given length (a quiet square tone).
std::string Wave(uint32_t ms) {
    return WaveText(ms, 22050);
}

// One quarter-note middle C, format 0.
std::string Midi() {
    std::string track = {0x00, char(0x90), 0x3C, 0x40,       0x60, char(0x80),
                         0x3C, 0x40,       0x00, char(0xFF), 0x2F, 0x00};
    std::string s = "MThd";
    s += std::string{0, 0, 0, 6, 0, 0, 0, 1, 0, 0x60};
    s += "MTrk";
    s += std::string{0, 0, 0, char(track.size())};
    return s + track;
}

class PlatformAudio : public ::testing::Test {
  protected:
    void SetUp() override {
        const char* old = std::getenv("SDL_AUDIODRIVER");
        hadDriver_ = old != nullptr;
        if (old) oldDriver_ = old;
        setenv("SDL_AUDIODRIVER", "dummy", 1);
    }
    void TearDown() override {
        if (hadDriver_) {
            setenv("SDL_AUDIODRIVER", oldDriver_.c_str(), 1);
        } else {
            unsetenv("SDL_AUDIODRIVER");
        }
    }
    bool hadDriver_ = false;
    std::string oldDriver_;
    TempDir dir_;
    std::string Path(const char* name) const { return dir_.path + "/" + name; }
};

TEST_F(PlatformAudio, BlockingWavePlaysToItsEndAndNewWavesCutTheOld) {
    SdlAudio audio;
    ASSERT_TRUE(audio.Open()) << SDL_GetError();
    dir_.Write("short.wav", Wave(300));
    dir_.Write("long.wav", Wave(3000));

    uint32_t start = SDL_GetTicks();
    audio.PlayWaveWait(Path("short.wav").c_str());
    uint32_t took = SDL_GetTicks() - start;
    EXPECT_GE(took, 250u);
    EXPECT_LT(took, 1300u);
    EXPECT_EQ(Mix_Playing(0), 0);

    audio.PlayWave(Path("long.wav").c_str());
    EXPECT_EQ(Mix_Playing(0), 1);
    Mix_Chunk* longChunk = Mix_GetChunk(0);
    audio.PlayWave(Path("short.wav").c_str());  // same channel: the long one is gone
    EXPECT_EQ(Mix_Playing(0), 1);
    EXPECT_NE(Mix_GetChunk(0), longChunk);
    EXPECT_EQ(Mix_Playing(-1), 1);

    audio.PlayWave(Path("missing.wav").c_str());  // silence, and the previous sound stops
    EXPECT_EQ(Mix_Playing(0), 0);
    start = SDL_GetTicks();
    audio.PlayWaveWait(Path("missing.wav").c_str());
    EXPECT_LT(SDL_GetTicks() - start, 100u);
}

TEST_F(PlatformAudio, ManyDifferentWavesStayWithinTheCache) {
    SdlAudio audio;
    ASSERT_TRUE(audio.Open());
    // Long enough to be still playing when asked, however busy the machine.
    const std::string wave = Wave(3000);
    for (int i = 0; i < SdlAudio::kCachedWaves * 2; ++i) {
        std::string name = "w" + std::to_string(i) + ".wav";
        dir_.Write(name, wave);
        audio.PlayWave(Path(name.c_str()).c_str());
        EXPECT_EQ(Mix_Playing(0), 1) << name;  // the playing wave is never the one evicted
    }
}

TEST_F(PlatformAudio, MusicStatesFollowOpenPlayAndClose) {
    SdlAudio audio;
    ASSERT_TRUE(audio.Open());
    EXPECT_EQ(audio.MusicMode(), -2);  // nothing open: the question cannot be asked
    EXPECT_FALSE(audio.MusicOpen(Path("missing.mid").c_str()));
    EXPECT_FALSE(audio.MusicSeekStart());
    EXPECT_FALSE(audio.MusicPlay());

    dir_.Write("tune.mid", Midi());
    if (!audio.MusicOpen(Path("tune.mid").c_str())) GTEST_SKIP() << "no MIDI synthesiser";
    EXPECT_EQ(audio.MusicMode(), 0);
    EXPECT_TRUE(audio.MusicSeekStart());
    EXPECT_TRUE(audio.MusicPlay());
    EXPECT_EQ(audio.MusicMode(), 1);
    SDL_Delay(800);  // longer than the piece: SDL_mixer's own looping keeps it playing
    EXPECT_EQ(audio.MusicMode(), 1);
    EXPECT_TRUE(audio.MusicSeekStart());
    EXPECT_TRUE(audio.MusicPlay());
    EXPECT_EQ(audio.MusicMode(), 1);
    audio.MusicClose();
    EXPECT_EQ(audio.MusicMode(), -2);
}

// A piece is loaded off the main thread: asked to play while loading, it starts by itself once
// loaded; closed or replaced while loading, nothing of it is left playing.
TEST_F(PlatformAudio, MusicLoadedInTheBackgroundStartsWhenReadyAndCanBeDroppedMeanwhile) {
    SdlAudio audio;
    ASSERT_TRUE(audio.Open());
    dir_.Write("tune.mid", Midi());
    if (!audio.MusicOpen(Path("tune.mid").c_str())) GTEST_SKIP() << "no MIDI synthesiser";
    EXPECT_TRUE(audio.MusicPlay());
    EXPECT_EQ(audio.MusicMode(), 1);
    bool started = false;
    for (int i = 0; i < 400 && !started; ++i) {
        started = Mix_PlayingMusic() != 0;
        if (!started) SDL_Delay(10);
    }
    EXPECT_TRUE(started);
    EXPECT_EQ(audio.MusicMode(), 1);

    for (int i = 0; i < 3; ++i) {  // replaced and closed before any load could finish
        ASSERT_TRUE(audio.MusicOpen(Path("tune.mid").c_str()));
        EXPECT_EQ(audio.MusicMode(), 0);
        EXPECT_TRUE(audio.MusicSeekStart());
    }
    EXPECT_TRUE(audio.MusicPlay());
    audio.MusicClose();
    EXPECT_EQ(audio.MusicMode(), -2);
    SDL_Delay(50);
    EXPECT_EQ(Mix_PlayingMusic(), 0);
    audio.Close();
}

TEST_F(PlatformAudio, WithoutAnAudioDeviceEverythingIsSilent) {
    setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
    SdlAudio audio;
    EXPECT_FALSE(audio.Open());
    dir_.Write("short.wav", Wave(300));
    dir_.Write("tune.mid", Midi());
    uint32_t start = SDL_GetTicks();
    audio.PlayWave(Path("short.wav").c_str());
    EXPECT_LT(SDL_GetTicks() - start, 100u);
    // A blocking wave still takes its length, so the picture it goes with stays as long.
    start = SDL_GetTicks();
    audio.PlayWaveWait(Path("short.wav").c_str());
    const uint32_t waited = SDL_GetTicks() - start;
    EXPECT_GE(waited, 300u);
    EXPECT_LT(waited, 1000u);
    // A missing or broken one takes no time at all.
    start = SDL_GetTicks();
    audio.PlayWaveWait(Path("missing.wav").c_str());
    dir_.Write("broken.wav", "RIFF");
    audio.PlayWaveWait(Path("broken.wav").c_str());
    EXPECT_LT(SDL_GetTicks() - start, 100u);
    EXPECT_FALSE(audio.MusicOpen(Path("tune.mid").c_str()));
    EXPECT_FALSE(audio.MusicPlay());
    EXPECT_EQ(audio.MusicMode(), -2);
    audio.MusicClose();
}

}  // namespace
}  // namespace veloria
