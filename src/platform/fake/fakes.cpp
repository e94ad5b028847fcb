#include "platform/fake/fakes.h"

#include <cstdint>
#include <cstdio>
#include <cstring>

#include "content/content_files.h"
#include "content/media_check.h"
#include "flow/bounded_text.h"
#include "presentation/platform.h"
#include "presentation/renderer_record.h"

namespace veloria {

bool RecordingDisplay::LoadTileLibrary(const char* path) {
    CopyText(tileLibrary, sizeof(tileLibrary), path);
    return tileLibraryOk;
}

bool RecordingDisplay::MeasureText(const char* text, int32_t* width, int32_t* height) {
    if (!measureOk) return false;
    // Line breaks are left out of a drawn line, as the real display does.
    int32_t n = 0;
    for (int32_t i = 0; i < kTextLength - 1 && text[i] != '\0'; ++i) {
        if (text[i] != '\n' && text[i] != '\r') ++n;
    }
    *width = 11 * n;
    *height = 24;
    return true;
}

PresentResult RecordingDisplay::Present(const Renderer& r, int32_t quadCount, bool withBackground) {
    ++presents;
    lastQuadCount = quadCount;
    lastWithBackground = withBackground;
    lastInverted = r.inverted != 0;
    if (withBackground) {
        CopyText(lastBackground, sizeof(lastBackground), r.backgroundFile);
        if (checkBackgroundFiles) {
            char path[kContentPathSize];
            FILE* f = ContentPath(contentRoot, r.backgroundFile, path, sizeof(path))
                          ? std::fopen(path, "rb")
                          : nullptr;
            if (!f) return PresentResult::BackgroundLoadFailed;
            std::fclose(f);
        }
    }
    return PresentResult::Ok;
}

uint32_t RecordingAudio::WaveLengthMs(const char* root, const char* file) {
    // The same check the game makes: a broken wave is not played, and a data size beyond the
    // file counts only the samples the file holds.
    WaveInfo info;
    char why[kMediaWhySize];
    return CheckWaveFile(root, file, &info, why, sizeof(why)) ? info.lengthMs : 0;
}

void RecordingAudio::PlayWave(const char* file) {
    ++waves;
    CopyText(lastWave, sizeof(lastWave), file);
}

void RecordingAudio::PlayWaveWait(const char* file) {
    ++waves;
    ++waitWaves;
    CopyText(lastWave, sizeof(lastWave), file);
    if (clock_) clock_->Advance(WaveLengthMs(contentRoot, file));
}

bool RecordingAudio::MusicOpen(const char* file) {
    if (!musicAvailable) return false;
    char path[kContentPathSize];
    FILE* f = ContentPath(contentRoot, file, path, sizeof(path)) ? std::fopen(path, "rb") : nullptr;
    if (!f && checkMusicFiles) return false;
    if (f) {
        std::fclose(f);
        // A file that is there but broken is refused as the game refuses it, with one warning.
        char why[kMediaWhySize + 64];
        if (!CheckMidiFile(contentRoot, file, why, sizeof(why))) {
            if (std::strcmp(lastRefused_, file) != 0) {
                std::fprintf(stderr, "veloria: music not played: %s\n", why);
                CopyText(lastRefused_, sizeof(lastRefused_), file);
            }
            return false;
        }
    }
    ++opens;
    open = true;
    playing = false;
    CopyText(openFile, sizeof(openFile), file);
    return true;
}

void RecordingAudio::MusicClose() {
    if (open) ++closes;
    open = false;
    playing = false;
}

bool RecordingAudio::MusicSeekStart() {
    if (!open) return false;
    ++seeks;
    return true;
}

bool RecordingAudio::MusicPlay() {
    if (!open) return false;
    ++plays;
    playing = true;
    return true;
}

int32_t RecordingAudio::MusicMode() {
    if (!open) return kMusicCannotAsk;
    if (forcedMode != 99) return forcedMode;
    return playing ? kMusicPlaying : kMusicStopped;
}

void RecordingShell::OpenFile(const char* relativePath) {
    ++opened;
    CopyText(lastOpened, sizeof(lastOpened), relativePath);
}

void RecordingShell::MessageBox(const char* text, const char* caption) {
    ++boxes;
    CopyText(lastBoxText, sizeof(lastBoxText), text);
    CopyText(lastBoxCaption, sizeof(lastBoxCaption), caption);
}

}  // namespace veloria
