#pragma once
// veloria-play --window --record: the real game in a real window, written down as a script that
// replays the same session headless.
#include <cstdint>
#include <string>

namespace veloria::play {

struct RecordOptions {
    std::string script;     // the script to write (absolute)
    std::string feed;       // a script whose inputs the window is given instead of a person's
    std::string dump;       // where the session's last state is dumped (absolute)
    std::string gameDir;    // the game directory, as the replay command names it
    uint32_t frameMs = 16;  // the replay's frame time
};

// Runs in the game directory, entered already. Returns the exit status (0, or 2 when the window,
// the files or the feed could not be had).
int RunRecord(const RecordOptions& o);

}  // namespace veloria::play
