#include "presentation/sound.h"

#include <cstdarg>
#include <cstdint>
#include <cstdio>

#include "flow/game.h"
#include "presentation/platform.h"

namespace veloria {

namespace {
constexpr uint32_t kOpenPiece = 1;  // any nonzero id: a piece is open
}

void PlayWave(Game& g, const char* file) {
    if (g.platform.audio) g.platform.audio->PlayWave(file);
}

void PlayWaveWait(Game& g, const char* file) {
    if (g.platform.audio) g.platform.audio->PlayWaveWait(file);
}

void PlayMusic(Game& g, const char* file, bool fromStart) {
    AudioDevice* audio = g.platform.audio;
    if (!audio) return;
    // While a piece is open the name is ignored: changing music always stops first.
    if (g.music.deviceId == 0) {
        if (!audio->MusicOpen(file)) return;
        g.music.deviceId = kOpenPiece;
    }
    if (fromStart && !audio->MusicSeekStart()) {
        StopMusic(g);
        return;
    }
    if (!audio->MusicPlay()) StopMusic(g);
}

void StopMusic(Game& g) {
    if (g.music.deviceId == 0) return;
    if (g.platform.audio) g.platform.audio->MusicClose();
    g.music.deviceId = 0;
}

int8_t MusicPlaying(Game& g) {
    AudioDevice* audio = g.platform.audio;
    // With nothing open the question cannot be asked.
    if (!audio || g.music.deviceId == 0) return -1;
    const int32_t mode = audio->MusicMode();
    if (mode == kMusicCannotAsk) {
        StopMusic(g);
        return -1;
    }
    if (mode == kMusicPlaying) return 1;
    if (mode == kMusicStopped) return 0;
    return -1;
}

void MusicKeepAlive(Game& g) {
    if (MusicPlaying(g) == 0) PlayMusic(g, g.musicFile, true);
}

void ChangeMusic(Game& g, const char* format, ...) {
    StopMusic(g);
    va_list args;
    va_start(args, format);
    std::vsnprintf(g.musicFile, sizeof(g.musicFile), format, args);
    va_end(args);
    PlayMusic(g, g.musicFile, true);
}

void SetMusicFile(Game& g, const char* format, ...) {
    va_list args;
    va_start(args, format);
    std::vsnprintf(g.musicFile, sizeof(g.musicFile), format, args);
    va_end(args);
}

}  // namespace veloria
