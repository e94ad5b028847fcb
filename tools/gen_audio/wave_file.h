#pragma once
// Writes 16-bit PCM RIFF/WAVE files. Kept header-only so the tests can check the bytes in memory.
#include <cstddef>
#include <cstdint>
#include <vector>

namespace veloria::media {

inline void PutLe16(std::vector<uint8_t>& out, uint32_t v) {
    out.push_back(static_cast<uint8_t>(v & 0xFF));
    out.push_back(static_cast<uint8_t>((v >> 8) & 0xFF));
}

inline void PutLe32(std::vector<uint8_t>& out, uint32_t v) {
    PutLe16(out, v & 0xFFFF);
    PutLe16(out, v >> 16);
}

inline void PutTag(std::vector<uint8_t>& out, const char* tag) {
    for (int i = 0; i < 4; ++i) out.push_back(static_cast<uint8_t>(tag[i]));
}

// `samples` holds `frames` x `channels` interleaved values.
inline std::vector<uint8_t> EncodeWave(const int16_t* samples, size_t frames, int channels,
                                       int rate) {
    const uint32_t blockAlign = static_cast<uint32_t>(channels) * 2;
    const uint32_t dataBytes = static_cast<uint32_t>(frames) * blockAlign;
    std::vector<uint8_t> out;
    out.reserve(44 + dataBytes);
    PutTag(out, "RIFF");
    PutLe32(out, 36 + dataBytes);
    PutTag(out, "WAVE");
    PutTag(out, "fmt ");
    PutLe32(out, 16);
    PutLe16(out, 1);  // PCM
    PutLe16(out, static_cast<uint32_t>(channels));
    PutLe32(out, static_cast<uint32_t>(rate));
    PutLe32(out, static_cast<uint32_t>(rate) * blockAlign);
    PutLe16(out, blockAlign);
    PutLe16(out, 16);
    PutTag(out, "data");
    PutLe32(out, dataBytes);
    for (size_t i = 0; i < frames * static_cast<size_t>(channels); ++i) {
        PutLe16(out, static_cast<uint16_t>(samples[i]));
    }
    return out;
}

}  // namespace veloria::media
