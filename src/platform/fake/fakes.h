#pragma once
// Stand-ins for the machine: a manual clock, a display that records what it was asked to
// present, a silent audio device that records what it was asked to play, a scripted joystick and
// a shell that records the pages it was asked to open. Used by the tests and the headless runner.
#include <cstdint>

#include "presentation/platform.h"

namespace veloria {

class ManualClock : public Clock {
  public:
    explicit ManualClock(uint32_t start = 100000) : now_(start) {}
    uint32_t Now() override { return now_; }
    void Advance(uint32_t ms) { now_ += ms; }
    void Set(uint32_t ms) { now_ = ms; }

  private:
    uint32_t now_;
};

// Measures text as 11 pixels per character and 24 high; records every present.
class RecordingDisplay : public Display {
  public:
    void MaxTextureSize(int32_t* width, int32_t* height) override {
        *width = maxTexture;
        *height = maxTexture;
    }
    bool LoadTileLibrary(const char* path) override;
    void ReleaseTextures() override { ++releasedTextures; }
    bool CreateFont() override { return fontOk; }
    void ReleaseFont() override { ++releasedFonts; }
    bool MeasureText(const char* text, int32_t* width, int32_t* height) override;
    PresentResult Present(const Renderer& r, int32_t quadCount, bool withBackground) override;
    void PresentBlack() override { ++blackFrames; }
    bool DeviceLost() override { return lost; }

    const char* contentRoot = nullptr;  // where the names it is given are (null: here)
    int32_t maxTexture = 8192;
    bool tileLibraryOk = true;  // false: the tile library fails to load
    bool fontOk = true;
    bool measureOk = true;
    bool lost = false;
    bool checkBackgroundFiles = true;  // a background that is no readable file fails
    int32_t presents = 0;
    int32_t blackFrames = 0;
    int32_t releasedTextures = 0;
    int32_t releasedFonts = 0;
    int32_t lastQuadCount = -1;
    bool lastWithBackground = false;
    bool lastInverted = false;
    char lastBackground[32] = {};
    char tileLibrary[128] = {};
};

// Records waves and music; PlayWaveWait advances the manual clock by the wave's length (read from
// the file's header; 0 when it is missing).
class RecordingAudio : public AudioDevice {
  public:
    explicit RecordingAudio(ManualClock* clock = nullptr) : clock_(clock) {}
    void PlayWave(const char* file) override;
    void PlayWaveWait(const char* file) override;
    bool MusicOpen(const char* file) override;
    void MusicClose() override;
    bool MusicSeekStart() override;
    bool MusicPlay() override;
    int32_t MusicMode() override;

    // Length of a wave file in ms from its RIFF header; 0 for a missing or unreadable file.
    static uint32_t WaveLengthMs(const char* root, const char* file);

    const char* contentRoot = nullptr;  // where the names it is given are (null: here)
    int32_t waves = 0;                  // every wave started since start-up
    int32_t waitWaves = 0;              // of which played to their end
    char lastWave[64] = {};
    // Music: what the game asked for.
    bool musicAvailable = true;    // false: no music device at all
    bool checkMusicFiles = false;  // true: a missing file fails to open
    bool open = false;
    bool playing = false;
    int32_t forcedMode = 99;  // 99: answer from the state; otherwise this mode
    char openFile[64] = {};
    int32_t opens = 0;
    int32_t closes = 0;
    int32_t seeks = 0;
    int32_t plays = 0;

  private:
    ManualClock* clock_;
    char lastRefused_[64] = {};
};

class ScriptedJoystick : public JoystickDevice {
  public:
    uint8_t Open() override {
        ++opens;
        return status;
    }
    bool Read(JoystickState* s) override {
        if (!readOk) return false;
        *s = state;
        return true;
    }
    bool Reacquire() override {
        ++reacquires;
        return reacquireOk;
    }
    void Rumble(int32_t magnitude, float seconds) override {
        ++rumbles;
        lastMagnitude = magnitude;
        lastSeconds = seconds;
    }
    void Close() override { ++closes; }

    uint8_t status = kJoystickNone;
    JoystickState state;
    bool readOk = true;
    bool reacquireOk = true;
    int32_t opens = 0, reacquires = 0, rumbles = 0, closes = 0;
    int32_t lastMagnitude = 0;
    float lastSeconds = 0;
};

class RecordingShell : public Shell {
  public:
    void OpenFile(const char* relativePath) override;
    void MessageBox(const char* text, const char* caption) override;
    int32_t opened = 0;
    char lastOpened[64] = {};
    int32_t boxes = 0;
    char lastBoxText[256] = {};
    char lastBoxCaption[256] = {};
};

}  // namespace veloria
