#pragma once
// The seams between the game core and the machine. The core owns every record; only these
// questions and requests cross to the SDL back ends (or to the fakes used by tests and the
// headless runner).
#include <cstdint>

#include "presentation/platform_record.h"

namespace veloria {

struct Renderer;

// Unsigned 32-bit millisecond counter that wraps.
class Clock {
  public:
    virtual ~Clock() = default;
    virtual uint32_t Now() = 0;
};

enum class PresentResult : int32_t {
    Ok = 0,
    BackgroundSurfaceFailed,  // "Error creating bitmap surface."
    BackgroundLoadFailed,     // "Couldn't load bitmap file."
    BackgroundCopyFailed,     // "Error copying image buffer."
    TileLibraryFailed,        // "Couldn't create texture." (decoded only when first drawn)
};

class Display {
  public:
    virtual ~Display() = default;
    // Largest texture the device can hold.
    virtual void MaxTextureSize(int32_t* width, int32_t* height) = 0;
    // Loads the tile library (format from the file's contents), pure opaque green transparent;
    // the colour negative is drawn from it on demand. False when it cannot be used. A display
    // may decode it later, until a frame first draws quads, and report a failure then
    // (PresentResult::TileLibraryFailed).
    virtual bool LoadTileLibrary(const char* path) = 0;
    virtual void ReleaseTextures() = 0;
    virtual bool CreateFont() = 0;
    virtual void ReleaseFont() = 0;
    // Measures one line of text; false when the font cannot measure it.
    virtual bool MeasureText(const char* text, int32_t* width, int32_t* height) = 0;
    // Clears to opaque black, copies the background picture named in the renderer (when
    // withBackground), draws quads 0..quadCount-1 in slot order with alpha blending (colour
    // negative when the renderer's inverted flag is set), then every pending text slot in slot
    // order, and presents.
    virtual PresentResult Present(const Renderer& r, int32_t quadCount, bool withBackground) = 0;
    // Presents one opaque black frame (between levels).
    virtual void PresentBlack() = 0;
    // True once the rendering device is lost; the game then ends.
    virtual bool DeviceLost() = 0;
};

class AudioDevice {
  public:
    virtual ~AudioDevice() = default;
    // Starts a wave on the one effects channel, cutting the previous one. Missing file: silence.
    virtual void PlayWave(const char* file) = 0;
    // Plays a wave to its end while the game waits (the window stays responsive).
    virtual void PlayWaveWait(const char* file) = 0;
    // The one music piece: open, rewind, play, close and ask the play state.
    virtual bool MusicOpen(const char* file) = 0;
    virtual void MusicClose() = 0;
    virtual bool MusicSeekStart() = 0;
    virtual bool MusicPlay() = 0;
    // kMusicPlaying, kMusicStopped, kMusicOtherMode, or kMusicCannotAsk.
    virtual int32_t MusicMode() = 0;
};

// AudioDevice::MusicMode's answers.
constexpr int32_t kMusicPlaying = 1;
constexpr int32_t kMusicStopped = 0;
constexpr int32_t kMusicOtherMode = -1;  // paused, say
constexpr int32_t kMusicCannotAsk = -2;  // nothing open, or the device would not answer

// JoystickDevice::Open's answers, kept as the input device's status (kJoystickNotSetUp before).
constexpr uint8_t kJoystickNotSetUp = 0;
constexpr uint8_t kJoystickRumble = 1;
constexpr uint8_t kJoystickPlain = 2;
constexpr uint8_t kJoystickNone = 3;

struct JoystickState {
    int32_t x = 325;  // 0..650
    int32_t y = 325;  // 0..650
    uint8_t buttons[7] = {};
};

class JoystickDevice {
  public:
    virtual ~JoystickDevice() = default;
    // Finds and sets up one joystick; returns kJoystickRumble (with force feedback),
    // kJoystickPlain or kJoystickNone.
    virtual uint8_t Open() = 0;
    // Reads the state; false when it could not be read this frame.
    virtual bool Read(JoystickState* state) = 0;
    // One attempt to get the device back after a failed read; false while it is still lost.
    virtual bool Reacquire() = 0;
    virtual void Rumble(int32_t magnitude, float seconds) = 0;
    virtual void Close() = 0;
};

class Shell {
  public:
    virtual ~Shell() = default;
    // Opens a file of the game directory with the desktop's default handler.
    virtual void OpenFile(const char* relativePath) = 0;
    virtual void MessageBox(const char* text, const char* caption) = 0;
};

// Where the three save slots are written: the same relative names below a folder the platform
// chose (an installed game's data folder). An empty name keeps that slot in the game directory.
constexpr int32_t kSaveSlotPathSize = 4200;
struct SaveSlots {
    char file[3][kSaveSlotPathSize];
};

// Where the core's warnings about content go: stderr in the programs, counted by the checker and
// the tests. The core itself never writes to stderr.
class Diagnostics {
  public:
    virtual ~Diagnostics() = default;
    // One warning: the file it concerns (or a short subject such as "level 3"), the line (0: the
    // file as a whole), and what is wrong.
    virtual void Warn(const char* file, int32_t line, const char* message) = 0;
};

}  // namespace veloria
