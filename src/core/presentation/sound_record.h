#pragma once
// The music player's record and the music file name's size.
#include <cstdint>

namespace veloria {

constexpr int32_t kMusicFileSize = 40;

struct MusicPlayer {
    uint32_t deviceId;  // 0 when no piece is open
};

}  // namespace veloria
