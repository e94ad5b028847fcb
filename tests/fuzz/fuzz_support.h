#pragma once
// What every fuzz target shares: a private game directory (a copy of the built game's data/ and
// levels/, so loaders that follow one file to the next find the real ones), a Game wired to the
// fakes and put back to one pristine state before every input, and a way to lay the input down
// as the file a loader reads by path.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <memory>
#include <string>

#include "content/reader.h"
#include "flow/game.h"
#include "platform/fake/fakes.h"

namespace veloria::fuzz {

class FuzzWorld {
  public:
    FuzzWorld() : game_(std::make_unique<Game>()), pristine_(std::make_unique<Game>()) {
        // Memory-backed when the machine has it: millions of small writes should not touch a disk.
        const char* base = std::filesystem::is_directory("/dev/shm") ? "/dev/shm" : "/tmp";
        std::string tmpl = std::string(base) + "/veloria-fuzz-XXXXXX";
        if (!mkdtemp(tmpl.data())) std::abort();
        dir_ = tmpl;
        const char* source = std::getenv("VELORIA_FUZZ_GAME");
        const std::filesystem::path game = source ? source : VELORIA_GAME_DIR;
        for (const char* sub : {"data", "levels"}) {
            std::error_code ec;
            std::filesystem::copy(game / sub, dir_ / sub, std::filesystem::copy_options::recursive,
                                  ec);
        }
        if (chdir(dir_.c_str()) != 0) std::abort();
        ResetGame(*pristine_, Platform{&clock_, &display_, &audio_, &joystick_, &shell_});
        // A bad value warns on stderr; millions of them would drown the fuzzer's own report.
        SetContentWarningsQuiet(true);
    }
    ~FuzzWorld() {
        std::error_code ec;
        std::filesystem::remove_all(dir_, ec);
    }
    FuzzWorld(const FuzzWorld&) = delete;
    FuzzWorld& operator=(const FuzzWorld&) = delete;

    // The game as it is before every input (the fakes keep their counts; nothing reads them).
    Game& Fresh() {
        std::memcpy(static_cast<void*>(game_.get()), pristine_.get(), sizeof(Game));
        return *game_;
    }
    // The state Fresh() copies, for a target that prepares it once (before its first input).
    Game& Pristine() { return *pristine_; }
    // Writes the bytes as the file at `relative` (inside the private directory).
    void Put(const char* relative, const uint8_t* data, size_t size) {
        FILE* f = std::fopen(relative, "wb");
        if (!f) std::abort();
        if (size > 0 && std::fwrite(data, 1, size, f) != size) std::abort();
        if (std::fclose(f) != 0) std::abort();
    }

  private:
    std::filesystem::path dir_;
    ManualClock clock_;
    RecordingDisplay display_;
    RecordingAudio audio_{&clock_};
    ScriptedJoystick joystick_;
    RecordingShell shell_;
    std::unique_ptr<Game> game_;
    std::unique_ptr<Game> pristine_;
};

// One world per process; removed by the static destructor when libFuzzer exits normally.
inline FuzzWorld& World() {
    static FuzzWorld world;
    return world;
}

// The world moves the process into its own directory, so the paths libFuzzer was given (the
// corpus directories, read lazily, and the artifact prefix) are made absolute first.
inline char* AbsolutePath(const std::string& prefix, const char* path) {
    if (path[0] == '/' || path[0] == '\0') return nullptr;
    const std::string full = prefix + (std::filesystem::current_path() / path).string();
    return strdup(full.c_str());  // lives as long as the process, as argv does
}

}  // namespace veloria::fuzz

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    static const char* const kPathFlags[] = {
        "-artifact_prefix=", "-exact_artifact_path=", "-dict=", "-merge_control_file="};
    for (int i = 1; i < *argc; ++i) {
        char* arg = (*argv)[i];
        char* full = nullptr;
        if (arg[0] != '-') {
            full = veloria::fuzz::AbsolutePath("", arg);
        } else {
            for (const char* flag : kPathFlags) {
                const size_t n = std::strlen(flag);
                if (std::strncmp(arg, flag, n) == 0)
                    full = veloria::fuzz::AbsolutePath(flag, arg + n);
            }
        }
        if (full) (*argv)[i] = full;
    }
    veloria::fuzz::World();
    return 0;
}
