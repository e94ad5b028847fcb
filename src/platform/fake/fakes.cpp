#include "platform/fake/fakes.h"

#include <cstdio>
#include <cstring>

#include "flow/game.h"

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
            FILE* f = std::fopen(r.backgroundFile, "rb");
            if (!f) return PresentResult::BackgroundLoadFailed;
            std::fclose(f);
        }
    }
    return PresentResult::Ok;
}

uint32_t RecordingAudio::WaveLengthMs(const char* file) {
    FILE* f = std::fopen(file, "rb");
    if (!f) return 0;
    unsigned char header[12];
    uint32_t ms = 0;
    if (std::fread(header, 1, 12, f) == 12 && std::memcmp(header, "RIFF", 4) == 0 &&
        std::memcmp(header + 8, "WAVE", 4) == 0) {
        uint32_t byteRate = 0;
        // Walk the chunks: "fmt " gives the byte rate, "data" the length.
        for (int guard = 0; guard < 64; ++guard) {
            unsigned char chunk[8];
            if (std::fread(chunk, 1, 8, f) != 8) break;
            uint32_t size = chunk[4] | (chunk[5] << 8) | (chunk[6] << 16) |
                            (static_cast<uint32_t>(chunk[7]) << 24);
            if (std::memcmp(chunk, "fmt ", 4) == 0 && size >= 16) {
                unsigned char fmt[16];
                if (std::fread(fmt, 1, 16, f) != 16) break;
                byteRate = fmt[8] | (fmt[9] << 8) | (fmt[10] << 16) |
                           (static_cast<uint32_t>(fmt[11]) << 24);
                if (std::fseek(f, static_cast<long>(size - 16 + (size & 1)), SEEK_CUR) != 0) break;
            } else if (std::memcmp(chunk, "data", 4) == 0) {
                if (byteRate > 0) ms = static_cast<uint32_t>((uint64_t{size} * 1000) / byteRate);
                break;
            } else if (std::fseek(f, static_cast<long>(size + (size & 1)), SEEK_CUR) != 0) {
                break;
            }
        }
    }
    std::fclose(f);
    return ms;
}

void RecordingAudio::PlayWave(const char* file) {
    ++waves;
    CopyText(lastWave, sizeof(lastWave), file);
}

void RecordingAudio::PlayWaveWait(const char* file) {
    ++waves;
    ++waitWaves;
    CopyText(lastWave, sizeof(lastWave), file);
    if (clock_) clock_->Advance(WaveLengthMs(file));
}

bool RecordingAudio::MusicOpen(const char* file) {
    if (!musicAvailable) return false;
    if (checkMusicFiles) {
        FILE* f = std::fopen(file, "rb");
        if (!f) return false;
        std::fclose(f);
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
    if (!open) return -2;
    if (forcedMode != 99) return forcedMode;
    return playing ? 1 : 0;
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
