#include "content/media_check.h"

#include <cstdarg>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <vector>

#include "content/content_files.h"

namespace veloria {

namespace {

bool Fail(char* why, size_t whySize, const char* format, ...) __attribute__((format(printf, 3, 4)));

bool Fail(char* why, size_t whySize, const char* format, ...) {
    if (why != nullptr && whySize > 0) {
        va_list args;
        va_start(args, format);
        std::vsnprintf(why, whySize, format, args);
        va_end(args);
    }
    return false;
}

uint32_t Be32(const uint8_t* p) {
    return uint32_t(p[0]) << 24 | uint32_t(p[1]) << 16 | uint32_t(p[2]) << 8 | p[3];
}
uint16_t Be16(const uint8_t* p) {
    return static_cast<uint16_t>(p[0] << 8 | p[1]);
}
uint32_t Le32(const uint8_t* p) {
    return uint32_t(p[3]) << 24 | uint32_t(p[2]) << 16 | uint32_t(p[1]) << 8 | p[0];
}
uint16_t Le16(const uint8_t* p) {
    return static_cast<uint16_t>(p[1] << 8 | p[0]);
}

// Walks one track's events. Data bytes of a channel message are not range-checked beyond the
// track's end: synthesisers mask them, but they must not read past the chunk.
bool CheckTrack(const uint8_t* p, size_t n, int32_t track, char* why, size_t whySize) {
    size_t i = 0;
    uint8_t running = 0;
    while (i < n) {
        // Delta time: a variable-length quantity of at most four bytes.
        int32_t bytes = 0;
        for (;;) {
            if (i >= n) return Fail(why, whySize, "track %d ends inside a delta time", track);
            const uint8_t b = p[i++];
            if (++bytes > 4)
                return Fail(why, whySize, "track %d has an overlong delta time", track);
            if ((b & 0x80) == 0) break;
        }
        if (i >= n) return Fail(why, whySize, "track %d ends after a delta time", track);
        uint8_t status = p[i];
        if (status & 0x80) {
            ++i;
        } else {
            if (running == 0)
                return Fail(why, whySize, "track %d has a data byte without a status", track);
            status = running;
        }
        if (status == 0xFF || status == 0xF0 || status == 0xF7) {
            if (status == 0xFF) {
                if (i >= n) return Fail(why, whySize, "track %d ends inside a meta event", track);
                ++i;  // meta type
            }
            uint32_t length = 0;
            bytes = 0;
            for (;;) {
                if (i >= n)
                    return Fail(why, whySize, "track %d ends inside an event length", track);
                const uint8_t b = p[i++];
                if (++bytes > 4)
                    return Fail(why, whySize, "track %d has an overlong event length", track);
                length = length << 7 | (b & 0x7F);
                if ((b & 0x80) == 0) break;
            }
            if (length > n - i)
                return Fail(why, whySize, "track %d has an event longer than the track", track);
            i += length;
            running = 0;  // meta and system-exclusive events cancel a running status
            continue;
        }
        if (status >= 0xF0) {
            // Real-time and common messages have no place in a file; a synthesiser may treat
            // their data bytes differently, so refuse rather than guess.
            return Fail(why, whySize, "track %d has system message 0x%02X", track, status);
        }
        const size_t dataBytes = (status & 0xF0) == 0xC0 || (status & 0xF0) == 0xD0 ? 1 : 2;
        if (dataBytes > n - i)
            return Fail(why, whySize, "track %d ends inside a channel message", track);
        for (size_t k = 0; k < dataBytes; ++k)
            if (p[i + k] & 0x80)
                return Fail(why, whySize, "track %d has a status byte where data belongs", track);
        i += dataBytes;
        running = status;
    }
    return true;
}

bool ReadWhole(const char* root, const char* name, size_t limit, std::vector<uint8_t>* out,
               bool* tooBig) {
    *tooBig = false;
    char path[kContentPathSize];
    if (!ContentPath(root, name, path, sizeof(path))) return false;
    FILE* f = std::fopen(path, "rb");
    if (f == nullptr) return false;
    uint8_t buffer[16384];
    size_t got;
    while ((got = std::fread(buffer, 1, sizeof(buffer), f)) > 0) {
        if (out->size() + got > limit) {
            // Keep what fits: a picture's head is enough.
            out->insert(out->end(), buffer, buffer + (limit - out->size()));
            *tooBig = true;
            break;
        }
        out->insert(out->end(), buffer, buffer + got);
    }
    std::fclose(f);
    return true;
}

}  // namespace

bool CheckMidi(const uint8_t* data, size_t size, char* why, size_t whySize) {
    if (size == 0) return Fail(why, whySize, "empty MIDI file");
    if (size < 14 || std::memcmp(data, "MThd", 4) != 0)
        return Fail(why, whySize, "not a MIDI file (no MThd header)");
    const uint32_t headerLength = Be32(data + 4);
    if (headerLength < 6 || headerLength > size - 8)
        return Fail(why, whySize, "MIDI header length %u is wrong", headerLength);
    const uint16_t format = Be16(data + 8);
    const uint16_t tracks = Be16(data + 10);
    const uint16_t division = Be16(data + 12);
    if (format > 2) return Fail(why, whySize, "MIDI format %u is unknown", format);
    if (tracks == 0) return Fail(why, whySize, "MIDI file has no track");
    if (division == 0) return Fail(why, whySize, "MIDI file has a time division of 0");
    if (format == 0 && tracks != 1)
        return Fail(why, whySize, "MIDI format 0 with %u tracks", tracks);
    size_t at = 8 + headerLength;
    int32_t found = 0;
    while (found < tracks) {
        if (size - at < 8)
            return Fail(why, whySize, "MIDI file is cut short: %d of %u tracks", found, tracks);
        const uint32_t length = Be32(data + at + 4);
        if (length > size - at - 8)
            return Fail(why, whySize, "MIDI chunk at byte %zu claims %u bytes, file has %zu", at,
                        length, size - at - 8);
        // Chunks of other types are skipped, as readers do.
        if (std::memcmp(data + at, "MTrk", 4) == 0) {
            if (!CheckTrack(data + at + 8, length, found + 1, why, whySize)) return false;
            ++found;
        }
        at += 8 + size_t(length);
    }
    return true;
}

bool CheckWave(const uint8_t* data, size_t size, WaveInfo* info, char* why, size_t whySize) {
    WaveInfo w;
    if (size == 0) return Fail(why, whySize, "empty wave file");
    if (size < 12 || std::memcmp(data, "RIFF", 4) != 0 || std::memcmp(data + 8, "WAVE", 4) != 0)
        return Fail(why, whySize, "not a RIFF/WAVE file");
    size_t at = 12;
    bool haveFormat = false;
    while (size - at >= 8) {
        const uint32_t length = Le32(data + at + 4);
        const size_t body = at + 8;
        const size_t present = size - body < length ? size - body : length;
        if (std::memcmp(data + at, "fmt ", 4) == 0) {
            if (length < 16 || present < 16)
                return Fail(why, whySize, "wave format chunk is %u bytes", length);
            const uint8_t* f = data + body;
            w.format = Le16(f);
            w.channels = Le16(f + 2);
            w.sampleRate = Le32(f + 4);
            w.byteRate = Le32(f + 8);
            const uint16_t blockAlign = Le16(f + 12);
            w.bitsPerSample = Le16(f + 14);
            if (w.format == 0xFFFE && length >= 40 && present >= 40) w.format = Le16(f + 24);
            if (w.format != 1 && w.format != 3)
                return Fail(why, whySize, "wave encoding %u is not PCM", w.format);
            if (w.channels < 1 || w.channels > 8)
                return Fail(why, whySize, "wave has %u channels", w.channels);
            if (w.bitsPerSample != 8 && w.bitsPerSample != 16 && w.bitsPerSample != 24 &&
                w.bitsPerSample != 32)
                return Fail(why, whySize, "wave has %u bits per sample", w.bitsPerSample);
            if (w.sampleRate < 1000 || w.sampleRate > 384000)
                return Fail(why, whySize, "wave sample rate %u is implausible", w.sampleRate);
            const uint32_t block = uint32_t(w.channels) * (w.bitsPerSample / 8);
            if (blockAlign != block || w.byteRate != block * w.sampleRate)
                return Fail(why, whySize, "wave byte rate %u does not match its format",
                            w.byteRate);
            haveFormat = true;
        } else if (std::memcmp(data + at, "data", 4) == 0) {
            if (!haveFormat) return Fail(why, whySize, "wave data before its format");
            w.dataBytes = length;
            w.dataPresent = static_cast<uint32_t>(present);
            if (w.dataPresent == 0) return Fail(why, whySize, "wave has no samples");
            w.lengthMs = static_cast<uint32_t>(uint64_t(w.dataPresent) * 1000 / w.byteRate);
            if (info != nullptr) *info = w;
            return true;
        }
        // Chunks are padded to an even length.
        const uint64_t next = uint64_t(body) + length + (length & 1);
        if (next >= size) break;
        at = static_cast<size_t>(next);
    }
    return Fail(why, whySize, haveFormat ? "wave has no data chunk" : "wave has no format chunk");
}

bool ReadPictureSize(const uint8_t* data, size_t size, PictureFormat* format, int32_t* width,
                     int32_t* height, char* why, size_t whySize) {
    static const uint8_t kPng[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    *format = PictureFormat::Unknown;
    if (size == 0) return Fail(why, whySize, "empty picture file");
    if (size >= 8 && std::memcmp(data, kPng, 8) == 0) {
        *format = PictureFormat::Png;
        if (size < 24 || std::memcmp(data + 12, "IHDR", 4) != 0)
            return Fail(why, whySize, "PNG header is cut short");
        const uint32_t w = Be32(data + 16), h = Be32(data + 20);
        if (w > 0x7FFFFFFF || h > 0x7FFFFFFF)
            return Fail(why, whySize, "PNG size %u x %u is impossible", w, h);
        *width = static_cast<int32_t>(w);
        *height = static_cast<int32_t>(h);
        return true;
    }
    if (size >= 2 && data[0] == 'B' && data[1] == 'M') {
        *format = PictureFormat::Bmp;
        if (size < 26) return Fail(why, whySize, "BMP header is cut short");
        const uint32_t headerSize = Le32(data + 14);
        if (headerSize == 12) {
            *width = Le16(data + 18);
            *height = Le16(data + 20);
            return true;
        }
        if (headerSize < 40) return Fail(why, whySize, "BMP header of %u bytes", headerSize);
        const int32_t w = static_cast<int32_t>(Le32(data + 18));
        const int32_t h = static_cast<int32_t>(Le32(data + 22));
        // A negative height is a top-down picture.
        if (w < 0 || h == INT32_MIN)
            return Fail(why, whySize, "BMP size %d x %d is impossible", w, h);
        *width = w;
        *height = h < 0 ? -h : h;
        return true;
    }
    if (size >= 3 && data[0] == 0xFF && data[1] == 0xD8 && data[2] == 0xFF) {
        *format = PictureFormat::Jpeg;
        size_t at = 2;
        while (at + 4 <= size) {
            if (data[at] != 0xFF) return Fail(why, whySize, "JPEG marker expected at byte %zu", at);
            const uint8_t marker = data[at + 1];
            if (marker == 0xFF) {  // fill byte
                ++at;
                continue;
            }
            if (marker == 0xD8 || (marker >= 0xD0 && marker <= 0xD7) || marker == 0x01) {
                at += 2;
                continue;
            }
            if (marker == 0xD9 || marker == 0xDA)
                return Fail(why, whySize, "JPEG has no frame header before its data");
            const uint16_t length = Be16(data + at + 2);
            if (length < 2) return Fail(why, whySize, "JPEG segment of length %u", length);
            const bool frame = marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 &&
                               marker != 0xC8 && marker != 0xCC;
            if (frame) {
                if (length < 7 || at + 9 > size)
                    return Fail(why, whySize, "JPEG frame header is cut short");
                *height = Be16(data + at + 5);
                *width = Be16(data + at + 7);
                return true;
            }
            at += 2 + size_t(length);
        }
        return Fail(why, whySize, "JPEG frame header not found in the first %zu bytes", size);
    }
    return Fail(why, whySize, "not a PNG, JPEG or BMP picture");
}

namespace {

// A sound file read whole, refused when it cannot be opened or is larger than any sound.
bool ReadSoundFile(const char* root, const char* path, std::vector<uint8_t>* bytes, char* why,
                   size_t whySize) {
    bool tooBig = false;
    if (!ReadWhole(root, path, kMaxSoundFileBytes, bytes, &tooBig))
        return Fail(why, whySize, "%s: cannot be opened", path);
    if (tooBig) return Fail(why, whySize, "%s: larger than %zu bytes", path, kMaxSoundFileBytes);
    return true;
}

}  // namespace

bool CheckMidiFile(const char* root, const char* path, char* why, size_t whySize) {
    std::vector<uint8_t> bytes;
    if (!ReadSoundFile(root, path, &bytes, why, whySize)) return false;
    char reason[kMediaWhySize];
    if (CheckMidi(bytes.data(), bytes.size(), reason, sizeof(reason))) return true;
    return Fail(why, whySize, "%s: %s", path, reason);
}

bool CheckWaveFile(const char* root, const char* path, WaveInfo* info, char* why, size_t whySize) {
    std::vector<uint8_t> bytes;
    if (!ReadSoundFile(root, path, &bytes, why, whySize)) return false;
    char reason[kMediaWhySize];
    if (CheckWave(bytes.data(), bytes.size(), info, reason, sizeof(reason))) return true;
    return Fail(why, whySize, "%s: %s", path, reason);
}

bool CheckPictureFile(const char* root, const char* path, PictureRole role, char* why,
                      size_t whySize) {
    std::vector<uint8_t> bytes;
    bool tooBig = false;
    if (!ReadWhole(root, path, kPictureHeadBytes, &bytes, &tooBig))
        return Fail(why, whySize, "%s: cannot be opened", path);
    PictureFormat format;
    int32_t w = 0, h = 0;
    char reason[kMediaWhySize];
    if (!ReadPictureSize(bytes.data(), bytes.size(), &format, &w, &h, reason, sizeof(reason)))
        return Fail(why, whySize, "%s: %s", path, reason);
    if (role == PictureRole::TileLibrary) {
        if (w != kTileLibrarySide || h != kTileLibrarySide)
            return Fail(why, whySize,
                        "%s: the tile library must be %d x %d pixels, this one is %d x %d", path,
                        kTileLibrarySide, kTileLibrarySide, w, h);
        return true;
    }
    if (w < 1 || h < 1 || w > kMaxBackgroundSide || h > kMaxBackgroundSide)
        return Fail(why, whySize, "%s: a picture of %d x %d pixels is outside 1 x 1 to %d x %d",
                    path, w, h, kMaxBackgroundSide, kMaxBackgroundSide);
    return true;
}

}  // namespace veloria
