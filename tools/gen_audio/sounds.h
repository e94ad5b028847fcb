#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace veloria::media {

constexpr int kSampleRate = 44100;

struct SoundEffect {
    std::string file;              // e.g. "click.wav"
    std::vector<int16_t> samples;  // mono, kSampleRate
};

// Every sound effect the game plays, synthesised deterministically.
std::vector<SoundEffect> SynthesizeAllSounds();

}  // namespace veloria::media
