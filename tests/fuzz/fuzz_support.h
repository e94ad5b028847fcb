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

#include "flow/game.h"
#include "flow/reset.h"
#include "platform/diagnostics/stderr_diagnostics.h"
#include "platform/fake/fakes.h"
#include "presentation/platform_record.h"

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
        root_ = dir_.string();
        display_.contentRoot = root_.c_str();
        audio_.contentRoot = root_.c_str();
        // A bad value warns; millions of warnings would drown the fuzzer's own report.
        diagnostics_.SetQuiet(true);
        ResetGame(*pristine_, Platform{&clock_, &display_, &audio_, &joystick_, &shell_, nullptr,
                                       &diagnostics_, root_.c_str()});
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
    // The private directory, the content root of every game it hands out.
    const char* Root() const { return root_.c_str(); }
    // Writes the bytes as the file at `relative` (inside the private directory).
    void Put(const char* relative, const uint8_t* data, size_t size) {
        const std::string path = root_ + "/" + relative;
        FILE* f = std::fopen(path.c_str(), "wb");
        if (!f) std::abort();
        if (size > 0 && std::fwrite(data, 1, size, f) != size) std::abort();
        if (std::fclose(f) != 0) std::abort();
    }

  private:
    std::filesystem::path dir_;
    std::string root_;
    StderrDiagnostics diagnostics_;
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

}  // namespace veloria::fuzz

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    veloria::fuzz::World();
    return 0;
}
