#pragma once
// Wave sounds and the one music piece on SDL2_mixer. Every wave plays on reserved channel 0, so a
// new one cuts the old. Without an audio device everything stays silent and nothing fails; a
// blocking wave still takes its own length, so what it accompanies reads the same.
// A piece of music is loaded on a loader thread (the synthesiser reads its whole sound font for
// each piece, a tenth of a second or more) and starts as soon as it is ready.
#include <SDL2/SDL_mutex.h>
#include <SDL2/SDL_thread.h>

#include <cstdint>

#include "presentation/platform.h"

struct Mix_Chunk;
typedef struct _Mix_Music Mix_Music;

namespace veloria {

class SdlAudio : public AudioDevice {
  public:
    // contentRoot: the game directory the file names are relative to (null: the working
    // directory); copied.
    explicit SdlAudio(const char* contentRoot = nullptr);
    ~SdlAudio() override;
    SdlAudio(const SdlAudio&) = delete;
    SdlAudio& operator=(const SdlAudio&) = delete;

    // Opens the audio device (initialising SDL's audio subsystem when needed). False when there
    // is none; the object then plays nothing.
    bool Open();
    void Close();
    bool Available() const { return open_; }

    void PlayWave(const char* file) override;
    void PlayWaveWait(const char* file) override;
    bool MusicOpen(const char* file) override;
    void MusicClose() override;
    bool MusicSeekStart() override;
    bool MusicPlay() override;
    int32_t MusicMode() override;

    // Decoded waves kept at most at once.
    static constexpr int32_t kCachedWaves = 24;

  private:
    struct CachedWave {
        char name[64];
        Mix_Chunk* chunk;  // null: the file could not be decoded
        uint32_t lastUse;
        bool used;
    };
    Mix_Chunk* Wave(const char* file);
    uint32_t LengthMs(const Mix_Chunk* chunk) const;
    static int LoadMusic(void* self);
    void JoinMusicLoader();

    bool open_ = false;
    bool initAudio_ = false;
    int frequency_ = 0;
    int channels_ = 0;
    int bytesPerSample_ = 0;
    CachedWave waves_[kCachedWaves] = {};
    uint32_t useCounter_ = 0;
    // Shared with the music loader thread, under musicLock_.
    SDL_mutex* musicLock_ = nullptr;
    SDL_Thread* musicLoader_ = nullptr;
    char musicFile_[4352] = {};  // the path, below the content root
    char contentRoot_[4352] = {};
    bool musicLoading_ = false;
    bool musicWanted_ = false;  // play as soon as it is loaded
    Mix_Music* music_ = nullptr;
    bool musicStarted_ = false;
    // Pieces that failed to load, so each is reported once.
    char failed_[8][64] = {};
    int32_t failedNext_ = 0;
};

}  // namespace veloria
