#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace veloria::media {

struct MusicPiece {
    std::string file;  // e.g. "title.mid"
    std::vector<uint8_t> bytes;
    double seconds;
    std::string error;  // non-empty when a score failed to parse
};

// Every piece the game plays, composed afresh (deterministically) on each call.
std::vector<MusicPiece> ComposeAllMusic();

}  // namespace veloria::media
