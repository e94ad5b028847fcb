// Writes the game's sound effects (sound/*.wav) and music (music/*.mid) into the game directory
// given on the command line.
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>

#include "music.h"
#include "sounds.h"
#include "wave_file.h"

namespace {

bool WriteBytes(const std::filesystem::path& path, const std::vector<uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(out);
}

}  // namespace

int main(int argc, char** argv) {
    using namespace veloria::media;
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s GAME_DIR\n", argv[0]);
        return 2;
    }
    const std::filesystem::path game = argv[1];
    std::error_code ec;
    std::filesystem::create_directories(game / "sound", ec);
    std::filesystem::create_directories(game / "music", ec);

    int failures = 0;
    for (const SoundEffect& s : SynthesizeAllSounds()) {
        const auto bytes = EncodeWave(s.samples.data(), s.samples.size(), 1, kSampleRate);
        if (!WriteBytes(game / "sound" / s.file, bytes)) {
            std::fprintf(stderr, "gen_audio: cannot write sound/%s\n", s.file.c_str());
            ++failures;
        }
    }
    for (const MusicPiece& m : ComposeAllMusic()) {
        if (!m.error.empty()) {
            std::fprintf(stderr, "gen_audio: %s\n", m.error.c_str());
            ++failures;
            continue;
        }
        if (!WriteBytes(game / "music" / m.file, m.bytes)) {
            std::fprintf(stderr, "gen_audio: cannot write music/%s\n", m.file.c_str());
            ++failures;
        }
    }
    return failures == 0 ? 0 : 1;
}
