#pragma once
// Checks of picture, wave and MIDI files made before any decoder or synthesiser sees them. Pure
// byte parsing (no SDL), so a broken or hostile file is refused with one sentence saying why,
// instead of making a library allocate gigabytes or hang in its audio thread.
#include <cstddef>
#include <cstdint>

namespace veloria {

constexpr int32_t kMediaWhySize = 160;

// --- MIDI ------------------------------------------------------------------------------------
// A standard MIDI file: an "MThd" header of length 6 (format 0..2, at least one track, a
// non-zero division), then as many "MTrk" chunks as the header names, each inside the file,
// each a well-formed event stream (delta times of at most four bytes, meta and system-exclusive
// lengths inside the track, no data byte without a running status).
bool CheckMidi(const uint8_t* data, size_t size, char* why, size_t whySize);

// --- waves -----------------------------------------------------------------------------------
struct WaveInfo {
    uint16_t format = 0;    // 1 PCM
    uint16_t channels = 0;  // 1..8
    uint32_t sampleRate = 0;
    uint32_t byteRate = 0;
    uint16_t bitsPerSample = 0;
    uint32_t dataBytes = 0;    // as the header claims
    uint32_t dataPresent = 0;  // what the file really holds of it
    uint32_t lengthMs = 0;     // of the data present
};

// A RIFF/WAVE file with a "fmt " chunk (PCM or IEEE float, 1..8 channels, 8..32 bits, a byte
// rate that matches) before a "data" chunk. A data chunk that claims more than the file holds is
// taken at the length present (that is what a decoder plays); a file with no sample at all is
// refused.
bool CheckWave(const uint8_t* data, size_t size, WaveInfo* info, char* why, size_t whySize);

// --- pictures --------------------------------------------------------------------------------
enum class PictureFormat { Unknown, Png, Jpeg, Bmp };

// Reads the width and height from a PNG, JPEG or BMP header. False when the format is not
// recognised or the header is cut short.
bool ReadPictureSize(const uint8_t* data, size_t size, PictureFormat* format, int32_t* width,
                     int32_t* height, char* why, size_t whySize);

// What a picture is for, and so which sizes it may have.
enum class PictureRole {
    TileLibrary,  // exactly kTileLibrarySide x kTileLibrarySide
    Background,   // at least 1 x 1, at most kMaxBackgroundSide on each side
};
constexpr int32_t kTileLibrarySide = 4096;
constexpr int32_t kMaxBackgroundSide = 4096;

// The largest prefix of a file the checks read (pictures: their headers lie well inside).
constexpr size_t kPictureHeadBytes = 256 * 1024;
// Music and waves are read whole up to this size; larger files are refused.
constexpr size_t kMaxSoundFileBytes = 64u * 1024 * 1024;

// File forms: read the file (or its head) at name below root (see ContentPath) and check it;
// *why gets "NAME: reason". A missing file is reported as such.
bool CheckMidiFile(const char* root, const char* name, char* why, size_t whySize);
bool CheckWaveFile(const char* root, const char* name, WaveInfo* info, char* why, size_t whySize);
bool CheckPictureFile(const char* root, const char* name, PictureRole role, char* why,
                      size_t whySize);

}  // namespace veloria
