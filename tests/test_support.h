#pragma once
// Helpers shared by the tests: temporary content directories, a fresh Game wired to fakes, and
// small builders for the content files and checks that many suites need.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <map>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "../tools/gen_audio/wave_file.h"
#include "content/schema.h"
#include "flow/game.h"
#include "flow/reset.h"
#include "hero/actor_schema.h"
#include "platform/diagnostics/stderr_diagnostics.h"
#include "platform/fake/fakes.h"
#include "presentation/platform_record.h"
#include "presentation/renderer_record.h"

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
    std::string Read(const std::string& relative) const {
        std::ifstream in(std::filesystem::path(path) / relative, std::ios::binary);
        std::stringstream ss;
        ss << in.rdbuf();
        return ss.str();
    }
};

// A fresh Game wired to the fakes, with its own temporary directory as the content root. Its
// warnings are counted (and still written on stderr, where tests can capture them).
struct TestGame {
    TempDir dir;
    ManualClock clock;
    RecordingDisplay display;
    RecordingAudio audio{&clock};
    ScriptedJoystick joystick;
    RecordingShell shell;
    StderrDiagnostics warnings;
    std::unique_ptr<Game> game;

    TestGame(const TestGame&) = delete;  // the platform points into it
    TestGame& operator=(const TestGame&) = delete;
    TestGame() : game(std::make_unique<Game>()) {
        display.contentRoot = dir.path.c_str();
        audio.contentRoot = dir.path.c_str();
        ResetGame(*game, Platform{&clock, &display, &audio, &joystick, &shell, nullptr, &warnings,
                                  dir.path.c_str()});
    }
    // The full path of a content name.
    std::string Path(const std::string& relative) const { return dir.path + "/" + relative; }
    Game& g() { return *game; }
    std::string Write(const std::string& relative, const std::string& text) const {
        return dir.Write(relative, text);
    }
    std::string Read(const std::string& relative) const { return dir.Read(relative); }
    // Dialog files that say which one they are: "dialog 7".
    void WriteDialogs(std::initializer_list<int> numbers) const {
        for (int n : numbers) {
            char name[64];
            std::snprintf(name, sizeof(name), "data/dialog/dialog%02d.txt", n);
            Write(name, "1\ndialog " + std::to_string(n) + "\n");
        }
    }
};

// The number of the dialog written by WriteDialogs that is in the box, or -1.
inline int ShownDialog(const Game& g) {
    int n = -1;
    if (g.dialog.lineCount >= 1) std::sscanf(g.dialog.lines[0], "dialog %d", &n);
    return n;
}

// The text the last frame showed in a slot, or nullptr when the slot was not drawn.
inline const TextSlot* Shown(const Game& g, int32_t slot) {
    const PresentedFrame& p = g.renderer.presented;
    for (int32_t i = 0; i < p.textCount; ++i) {
        if (p.textSlot[i] == slot) return &p.texts[i];
    }
    return nullptr;
}
inline std::string ShownText(const Game& g, int32_t slot) {
    const TextSlot* s = Shown(g, slot);
    return s ? std::string(s->text) : std::string("<none>");
}

// A wave file of `ms` milliseconds: silent at 1000 frames a second, or a quiet square tone at
// another rate.
inline std::string WaveText(uint32_t ms, int rate = 1000) {
    std::vector<int16_t> samples(static_cast<size_t>(rate) * ms / 1000);
    if (rate != 1000) {
        for (size_t i = 0; i < samples.size(); ++i) samples[i] = (i / 50) % 2 ? 2048 : -2048;
    }
    const std::vector<uint8_t> bytes = media::EncodeWave(samples.data(), samples.size(), 1, rate);
    return std::string(bytes.begin(), bytes.end());
}

// The numbers of an actor file laid out as its schema says, one animation row a line, and its
// name line; a villain file has 61 numbers that start with the same rows.
struct ActorFile {
    static constexpr int kRow = RecordIntegers(kActorAnimRowSchema),
                         kPeriod = ActorFieldAt("stepPeriod"), kAttr = ActorFieldAt("attr"),
                         kReserved = ActorFieldAt("reserved");
    std::vector<int32_t> v;
    std::string name = "\n";
    explicit ActorFile(size_t count = kActorFileIntegers) : v(count, 0) {}
    ActorFile& Set(int at, int32_t value) {
        v[static_cast<size_t>(at)] = value;
        return *this;
    }
    ActorFile& Attr(int32_t attribute, int32_t value) { return Set(kAttr + attribute, value); }
    // Tile of state `state` when facing `facing`.
    ActorFile& Tile(int facing, int state, int32_t tile) {
        return Set(kRow * facing + state, tile);
    }
    std::string Text() const {
        std::ostringstream out;
        for (size_t i = 0; i < v.size(); ++i) out << v[i] << (i % kRow == kRow - 1 ? "\n" : " ");
        out << "\n" << name;
        return out.str();
    }
};

// A content file of a flat schema (chests, wares, catalogue files): integers by field name
// (fields not set are 0), a line break after each run of integers, each text line as given and
// a line break after it unless it ends the file.
struct SchemaFile {
    explicit SchemaFile(const RecordSchema& r) : schema(&r) {}
    SchemaFile& Set(const std::string& field, int32_t value) {
        ints[field] = value;
        return *this;
    }
    SchemaFile& Line(const std::string& field, const std::string& text) {
        lines[field] = text;
        return *this;
    }
    std::string Text() const {
        std::string out;
        bool inNumbers = false;
        for (int32_t i = 0; i < schema->fieldCount; ++i) {
            const FieldSchema& f = schema->fields[i];
            const bool last = i + 1 == schema->fieldCount;
            if (IsLine(f)) {
                if (inNumbers) out += "\n";
                inNumbers = false;
                auto it = lines.find(f.name);
                out += it == lines.end() ? "" : it->second;
                if (!last) out += "\n";
                continue;
            }
            for (int32_t k = 0; k < f.count * EntryIntegers(f); ++k) {
                auto it = ints.find(f.name);
                if (inNumbers) out += " ";
                out += std::to_string(it == ints.end() ? 0 : it->second);
                inNumbers = true;
            }
        }
        if (inNumbers) out += "\n";
        return out;
    }
    const RecordSchema* schema;
    std::map<std::string, int32_t> ints;
    std::map<std::string, std::string> lines;
};

}  // namespace veloria
