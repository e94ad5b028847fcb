#pragma once
// Helpers shared by the tests: temporary content directories and a fresh Game wired to fakes.
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

namespace veloria {

// A private temporary directory, removed with everything in it at the end of the test.
struct TempDir {
    std::string path;
    TempDir() {
        char tmpl[] = "/tmp/veloria-test-XXXXXX";
        const char* made = mkdtemp(tmpl);
        path = made ? made : "/tmp";
    }
    ~TempDir() {
        std::error_code ec;
        std::filesystem::remove_all(path, ec);
    }
    // Writes a file (creating its folders) and returns its full path.
    std::string Write(const std::string& relative, const std::string& text) const {
        std::filesystem::path full = std::filesystem::path(path) / relative;
        std::filesystem::create_directories(full.parent_path());
        std::ofstream out(full, std::ios::binary);
        out << text;
        return full.string();
    }
};

}  // namespace veloria

#include <unistd.h>

#include <memory>

#include "flow/game.h"
#include "platform/fake/fakes.h"

namespace veloria {

// A fresh Game wired to the fakes, working inside its own temporary content directory (the game
// reads every file relative to its working directory).
struct TestGame {
    TempDir dir;
    ManualClock clock;
    RecordingDisplay display;
    RecordingAudio audio{&clock};
    ScriptedJoystick joystick;
    RecordingShell shell;
    std::unique_ptr<Game> game;
    std::string oldCwd;

    TestGame() : game(std::make_unique<Game>()) {
        ResetGame(*game, Platform{&clock, &display, &audio, &joystick, &shell});
        char buf[4096];
        if (getcwd(buf, sizeof(buf))) oldCwd = buf;
        if (chdir(dir.path.c_str()) != 0) std::abort();
    }
    ~TestGame() {
        if (!oldCwd.empty() && chdir(oldCwd.c_str()) != 0) std::abort();
    }
    Game& g() { return *game; }
    std::string Write(const std::string& relative, const std::string& text) const {
        return dir.Write(relative, text);
    }
};

}  // namespace veloria
