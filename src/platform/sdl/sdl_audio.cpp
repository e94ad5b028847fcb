#include "platform/sdl/sdl_audio.h"

#include <SDL2/SDL.h>
#include <SDL2/SDL_mixer.h>
#include <fcntl.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstring>

#include "content/content_files.h"
#include "content/media_check.h"
#include "presentation/platform.h"

namespace veloria {

namespace {

// The one effects channel.
constexpr int kWaveChannel = 0;
// Slack beyond a wave's own length before a blocking wait gives up (a stalled device must not
// hang the game).
constexpr uint32_t kWaitSlackMs = 1000;

bool NameFits(const char* file, size_t size) {
    return std::strlen(file) < size;
}

// Sound libraries looking for a device print their own lines (eight from ALSA on a machine
// without a sound card) before SDL reports failure; the player gets one line from us instead.
class QuietStderr {
  public:
    QuietStderr() {
        std::fflush(stderr);
        saved_ = dup(2);
        const int null = open("/dev/null", O_WRONLY | O_CLOEXEC);
        if (saved_ >= 0 && null >= 0) dup2(null, 2);
        if (null >= 0) close(null);
    }
    ~QuietStderr() {
        std::fflush(stderr);
        if (saved_ < 0) return;
        dup2(saved_, 2);
        close(saved_);
    }
    QuietStderr(const QuietStderr&) = delete;
    QuietStderr& operator=(const QuietStderr&) = delete;

  private:
    int saved_ = -1;
};

// Holds musicLock_ for a scope.
class Locked {
  public:
    explicit Locked(SDL_mutex* m) : m_(m) {
        if (m_ != nullptr) SDL_LockMutex(m_);
    }
    ~Locked() {
        if (m_ != nullptr) SDL_UnlockMutex(m_);
    }
    Locked(const Locked&) = delete;
    Locked& operator=(const Locked&) = delete;

  private:
    SDL_mutex* m_;
};

}  // namespace

SdlAudio::SdlAudio(const char* contentRoot) {
    // A root too long for the buffer would name another place: no root, so files are missing.
    if (contentRoot && std::strlen(contentRoot) < sizeof(contentRoot_))
        std::memcpy(contentRoot_, contentRoot, std::strlen(contentRoot) + 1);
}

SdlAudio::~SdlAudio() {
    Close();
}

bool SdlAudio::Open() {
    if (open_) return true;
    bool opened = false;
    char why[256] = {};
    {
        QuietStderr quiet;
        if (!SDL_WasInit(SDL_INIT_AUDIO)) {
            if (SDL_InitSubSystem(SDL_INIT_AUDIO) == 0) initAudio_ = true;
        }
        if (SDL_WasInit(SDL_INIT_AUDIO)) {
            Mix_Init(MIX_INIT_MID);
            opened = Mix_OpenAudio(MIX_DEFAULT_FREQUENCY, MIX_DEFAULT_FORMAT, 2, 1024) == 0;
            if (!opened) Mix_Quit();
        }
        if (!opened) std::snprintf(why, sizeof(why), "%s", SDL_GetError());
    }
    if (!opened) {
        std::fprintf(stderr, "veloria: no sound: %s\n", why);
        if (initAudio_) SDL_QuitSubSystem(SDL_INIT_AUDIO);
        initAudio_ = false;
        return false;
    }
    if (musicLock_ == nullptr) musicLock_ = SDL_CreateMutex();
    Uint16 format = 0;
    Mix_QuerySpec(&frequency_, &format, &channels_);
    bytesPerSample_ = SDL_AUDIO_BITSIZE(format) / 8;
    Mix_AllocateChannels(8);
    Mix_ReserveChannels(1);
    open_ = true;
    return true;
}

void SdlAudio::Close() {
    if (!open_) return;
    MusicClose();
    Mix_HaltChannel(-1);
    for (CachedWave& w : waves_) {
        if (w.used && w.chunk) Mix_FreeChunk(w.chunk);
        w = CachedWave{};
    }
    Mix_CloseAudio();
    Mix_Quit();
    if (musicLock_ != nullptr) SDL_DestroyMutex(musicLock_);
    musicLock_ = nullptr;
    if (initAudio_) SDL_QuitSubSystem(SDL_INIT_AUDIO);
    initAudio_ = false;
    open_ = false;
}

Mix_Chunk* SdlAudio::Wave(const char* file) {
    if (!NameFits(file, sizeof(waves_[0].name))) return nullptr;
    ++useCounter_;
    CachedWave* slot = nullptr;
    for (CachedWave& w : waves_) {
        if (w.used && std::strcmp(w.name, file) == 0) {
            w.lastUse = useCounter_;
            return w.chunk;
        }
    }
    // Reuse a free entry, else the least recently used one that is not playing.
    Mix_Chunk* playing = Mix_Playing(kWaveChannel) ? Mix_GetChunk(kWaveChannel) : nullptr;
    for (CachedWave& w : waves_) {
        if (!w.used) {
            slot = &w;
            break;
        }
        if (w.chunk != nullptr && w.chunk == playing) continue;
        if (slot == nullptr || w.lastUse < slot->lastUse) slot = &w;
    }
    if (slot == nullptr) return nullptr;
    if (slot->used && slot->chunk) Mix_FreeChunk(slot->chunk);
    std::snprintf(slot->name, sizeof(slot->name), "%s", file);
    // A broken wave is remembered as silent (reported once): the decoder never sees it, and a
    // header claiming gigabytes cannot make a blocking wait last for hours.
    char why[kMediaWhySize];
    WaveInfo info;
    char path[kContentPathSize];
    if (CheckWaveFile(contentRoot_, file, &info, why, sizeof(why)) &&
        ContentPath(contentRoot_, file, path, sizeof(path))) {
        slot->chunk = Mix_LoadWAV(path);
    } else {
        slot->chunk = nullptr;
        if (std::strstr(why, "cannot be opened") == nullptr)
            std::fprintf(stderr, "veloria: sound not played: %s\n", why);
    }
    slot->lastUse = useCounter_;
    slot->used = true;
    return slot->chunk;
}

uint32_t SdlAudio::LengthMs(const Mix_Chunk* chunk) const {
    uint64_t bytesPerSecond = uint64_t(frequency_) * channels_ * bytesPerSample_;
    if (bytesPerSecond == 0) return 0;
    return static_cast<uint32_t>(uint64_t(chunk->alen) * 1000 / bytesPerSecond);
}

void SdlAudio::PlayWave(const char* file) {
    if (!open_) return;
    Mix_Chunk* chunk = Wave(file);
    // A new request always ends the previous sound, even when its own file is missing.
    if (chunk == nullptr) {
        Mix_HaltChannel(kWaveChannel);
        return;
    }
    Mix_PlayChannel(kWaveChannel, chunk, 0);
}

void SdlAudio::PlayWaveWait(const char* file) {
    if (!open_) {
        // No device: the wave's own length in silence, the window alive meanwhile.
        WaveInfo info;
        char why[kMediaWhySize];
        if (!CheckWaveFile(contentRoot_, file, &info, why, sizeof(why))) return;
        const uint32_t start = SDL_GetTicks();
        while (SDL_GetTicks() - start < info.lengthMs) {
            if (SDL_WasInit(SDL_INIT_VIDEO)) SDL_PumpEvents();
            if (SDL_PeepEvents(nullptr, 1, SDL_PEEKEVENT, SDL_QUIT, SDL_QUIT) > 0) break;
            SDL_Delay(5);
        }
        return;
    }
    Mix_Chunk* chunk = Wave(file);
    if (chunk == nullptr) {
        Mix_HaltChannel(kWaveChannel);
        return;
    }
    if (Mix_PlayChannel(kWaveChannel, chunk, 0) < 0) return;
    const uint32_t start = SDL_GetTicks();
    const uint32_t limit = LengthMs(chunk) + kWaitSlackMs;
    // Pump (not take) window events meanwhile: the desktop keeps seeing a live window, and keys
    // pressed now stay queued for the game to handle afterwards.
    while (Mix_Playing(kWaveChannel)) {
        if (SDL_GetTicks() - start > limit) {
            Mix_HaltChannel(kWaveChannel);
            break;
        }
        if (SDL_WasInit(SDL_INIT_VIDEO)) SDL_PumpEvents();
        // Closing the window or a termination signal ends the wait; the quit event stays
        // queued for the main loop.
        if (SDL_PeepEvents(nullptr, 1, SDL_PEEKEVENT, SDL_QUIT, SDL_QUIT) > 0) {
            Mix_HaltChannel(kWaveChannel);
            break;
        }
        SDL_Delay(5);
    }
}

int SdlAudio::LoadMusic(void* self) {
    auto* a = static_cast<SdlAudio*>(self);
    Mix_Music* music = Mix_LoadMUS(a->musicFile_);
    Locked lock(a->musicLock_);
    a->music_ = music;
    a->musicLoading_ = false;
    if (music == nullptr) {
        std::fprintf(stderr, "veloria: cannot play %s: %s\n", a->musicFile_, Mix_GetError());
    } else if (a->musicWanted_) {
        a->musicStarted_ = Mix_PlayMusic(music, -1) == 0;
    }
    return 0;
}

void SdlAudio::JoinMusicLoader() {
    if (musicLoader_ == nullptr) return;
    SDL_WaitThread(musicLoader_, nullptr);
    musicLoader_ = nullptr;
}

bool SdlAudio::MusicOpen(const char* file) {
    if (!open_) return false;
    MusicClose();
    // The synthesiser can spin for good on a broken file (holding the audio lock, so even a
    // wave could not start): such a piece is silence plus one warning.
    char why[kMediaWhySize] = "the file name is too long";
    char path[sizeof(musicFile_)];
    if (!ContentPath(contentRoot_, file, path, sizeof(path)) ||
        !CheckMidiFile(contentRoot_, file, why, sizeof(why))) {
        bool reported = false;
        for (const char* name : failed_) reported = reported || std::strcmp(name, file) == 0;
        if (!reported) {
            std::fprintf(stderr, "veloria: music not played: %s\n", why);
            std::snprintf(failed_[failedNext_], sizeof(failed_[0]), "%s", file);
            failedNext_ = (failedNext_ + 1) % 8;
        }
        return false;
    }
    std::memcpy(musicFile_, path, sizeof(musicFile_));
    musicStarted_ = false;
    musicWanted_ = false;
    musicLoading_ = true;
    musicLoader_ = SDL_CreateThread(LoadMusic, "music loader", this);
    if (musicLoader_ == nullptr) LoadMusic(this);  // no thread to be had: load it here
    return true;
}

void SdlAudio::MusicClose() {
    JoinMusicLoader();
    musicLoading_ = false;
    musicWanted_ = false;
    if (music_ == nullptr) return;
    Mix_HaltMusic();
    Mix_FreeMusic(music_);
    music_ = nullptr;
    musicStarted_ = false;
}

bool SdlAudio::MusicSeekStart() {
    Locked lock(musicLock_);
    if (musicLoading_) {
        musicWanted_ = false;
        return true;
    }
    if (music_ == nullptr) return false;
    // The MIDI synthesiser cannot seek: rewinding is stopping, the next play starts over.
    Mix_HaltMusic();
    musicStarted_ = false;
    return true;
}

bool SdlAudio::MusicPlay() {
    Locked lock(musicLock_);
    if (musicLoading_) {
        musicWanted_ = true;  // the loader starts it
        return true;
    }
    if (music_ == nullptr) return false;
    if (musicStarted_ && Mix_PlayingMusic()) return true;
    // SDL_mixer loops the piece itself: a restart-when-stopped loop leaves seconds of silence
    // because the synthesiser reports "playing" well after the last note.
    if (Mix_PlayMusic(music_, -1) != 0) return false;
    musicStarted_ = true;
    return true;
}

int32_t SdlAudio::MusicMode() {
    Locked lock(musicLock_);
    // Still loading: playing as soon as it can, when that was asked.
    if (musicLoading_) return musicWanted_ ? kMusicPlaying : kMusicStopped;
    if (music_ == nullptr) return kMusicCannotAsk;
    if (Mix_PausedMusic()) return kMusicOtherMode;
    return Mix_PlayingMusic() ? kMusicPlaying : kMusicStopped;
}

}  // namespace veloria
