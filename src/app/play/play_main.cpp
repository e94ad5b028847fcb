// veloria-play: the real game core and the real SDL renderer off screen, driven by a script,
// with a manual clock and silent audio that records what it was asked to play.
#include <SDL2/SDL.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cinttypes>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <functional>
#include <iostream>
#include <memory>
#include <sstream>
#include <string>
#include <utility>

#include "content/schema.h"
#include "flow/frame_loop.h"
#include "flow/game.h"
#include "flow/game_state.h"
#include "flow/reset.h"
#include "input/handle_input.h"
#include "input/input_codes.h"
#include "lib/dump.h"
#include "lib/monkey.h"
#include "lib/recording.h"
#include "lib/script.h"
#include "platform/diagnostics/stderr_diagnostics.h"
#include "platform/fake/fakes.h"
#include "platform/heap/memory_use.h"
#include "platform/sdl/game_directory.h"
#include "platform/sdl/keys.h"
#include "platform/sdl/save_location.h"
#include "platform/sdl/sdl_display.h"
#include "presentation/platform.h"
#include "record.h"
#include "world/startup.h"

namespace {

using namespace veloria;
using namespace veloria::play;

struct Options {
    std::string content;
    std::string script = "-";
    std::string dump;
    std::string shots = ".";
    uint32_t frameMs = 16;
    bool recordOnly = false;  // --no-renderer: frames are recorded, not drawn (long soaks)
    bool window = false;      // --window: the real game in a real window (with --record)
    std::string record;       // --record FILE: the script the window's session is written to
    std::string feed;         // --feed FILE: the window's keys from a script
};

int Usage(const char* why) {
    std::fprintf(stderr,
                 "veloria-play: %s\nusage: veloria-play --content DIR [--script FILE] "
                 "[--dump FILE] [--shots DIR] [--frame-ms N] [--no-renderer]\n"
                 "       veloria-play --window --record FILE [--feed FILE] [--content DIR] "
                 "[--dump FILE] [--frame-ms N]\n",
                 why);
    return 2;
}

// Absolute form of a path given relative to where the runner was started.
bool IsDirectory(const std::string& path) {
    struct stat st;
    return stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

std::string Absolute(const std::string& path, const std::string& cwd) {
    if (path.empty() || path[0] == '/') return path;
    return cwd + "/" + path;
}

// Passes every request on to the real display and tells the runner after each presented
// frame, so that shots-during can write the frames a single key or pass presents.
class TapDisplay : public Display {
  public:
    explicit TapDisplay(Display* inner) : inner_(inner) {}
    void SetTap(std::function<void()> tap) { tap_ = std::move(tap); }

    void MaxTextureSize(int32_t* width, int32_t* height) override {
        inner_->MaxTextureSize(width, height);
    }
    bool LoadTileLibrary(const char* path) override { return inner_->LoadTileLibrary(path); }
    void ReleaseTextures() override { inner_->ReleaseTextures(); }
    bool CreateFont() override { return inner_->CreateFont(); }
    void ReleaseFont() override { inner_->ReleaseFont(); }
    bool MeasureText(const char* text, int32_t* width, int32_t* height) override {
        return inner_->MeasureText(text, width, height);
    }
    PresentResult Present(const Renderer& r, int32_t quadCount, bool withBackground) override {
        PresentResult result = inner_->Present(r, quadCount, withBackground);
        if (tap_) tap_();
        return result;
    }
    void PresentBlack() override {
        inner_->PresentBlack();
        if (tap_) tap_();
    }
    bool DeviceLost() override { return inner_->DeviceLost(); }

  private:
    Display* inner_;
    std::function<void()> tap_;
};

class Runner {
  public:
    // root: the game directory (absolute), which every content name is relative to.
    Runner(const Options& o, const char* root, TapDisplay* display, SdlDisplay* sdl)
        : options_(o), audio_(&clock_), display_(display), sdl_(sdl), game_(new Game) {
        display_->SetTap([this] {
            if (!during_.empty()) Shot(NumberedShotName(during_, ++duringCount_));
        });
        audio_.contentRoot = root;
        // The game's own save rule, so a read-only installed directory saves too.
        platform_ =
            Platform{&clock_,       display_, &audio_, &joystick_, &shell_, ChooseSaveSlots(root),
                     &diagnostics_, root};
        ResetGame(*game_, platform_);
    }

    // Runs the script; returns the exit status.
    int Run(std::istream& in) {
        StartupLoad(*game_);
        std::string line;
        int lineNumber = 0;
        while (std::getline(in, line)) {
            ++lineNumber;
            ScriptLine cmd = ParseScriptLine(line);
            if (cmd.command == Command::Bad) {
                std::fprintf(stderr, "veloria-play: script line %d: %s\n", lineNumber,
                             cmd.error.c_str());
                return 2;
            }
            int status = Execute(cmd, lineNumber);
            if (status >= 0) return status;
        }
        return 0;
    }

  private:
    Game& g() { return *game_; }

    // -1 to go on, otherwise the exit status. A shots-during series covers exactly the next
    // command that runs the game (key, keys, frame, wait).
    int Execute(const ScriptLine& cmd, int lineNumber) {
        const bool runsGame = cmd.command == Command::Key || cmd.command == Command::Keys ||
                              cmd.command == Command::Frame || cmd.command == Command::Wait;
        if (!runsGame || armed_.empty()) return ExecuteOne(cmd, lineNumber);
        during_ = armed_;
        armed_.clear();
        duringCount_ = 0;
        int status = ExecuteOne(cmd, lineNumber);
        if (duringCount_ == 0) {
            std::fprintf(stderr, "veloria-play: script line %d: no frame presented for %s\n",
                         lineNumber, during_.c_str());
        }
        during_.clear();
        return status;
    }

    int ExecuteOne(const ScriptLine& cmd, int lineNumber) {
        switch (cmd.command) {
            case Command::None:
                return -1;
            case Command::Joystick:
                if (framesRun_ > 0) {
                    std::fprintf(
                        stderr,
                        "veloria-play: script line %d: joystick only before the first frame\n",
                        lineNumber);
                    return 2;
                }
                joystick_.status = cmd.args[0] == "none"    ? kJoystickNone
                                   : cmd.args[0] == "plain" ? kJoystickPlain
                                                            : kJoystickRumble;
                return -1;
            case Command::Key:
            case Command::Keys:
                for (const std::string& name : cmd.args) {
                    int status = Key(name, lineNumber);
                    if (status >= 0) return status;
                }
                return -1;
            case Command::Pad:
                SetPad(static_cast<int>(cmd.number));
                return -1;
            case Command::Frame:
                for (int64_t i = 0; i < cmd.number; ++i) Pass();
                return -1;
            case Command::Wait: {
                uint32_t start = clock_.Now();
                while (clock_.Now() - start < static_cast<uint32_t>(cmd.number)) {
                    if (g().flow.quitPosted) break;
                    Pass();
                }
                return -1;
            }
            case Command::Clock:
                clock_.Advance(static_cast<uint32_t>(cmd.number));
                return -1;
            case Command::Shot:
                Shot(cmd.args[0]);
                return -1;
            case Command::ShotsDuring:
                armed_ = cmd.args[0];
                return -1;
            case Command::Dump:
                WriteDump();
                return -1;
            case Command::Expect: {
                DumpFields fields = CollectDump(g(), audio_);
                std::string got;
                if (!FindField(fields, cmd.args[0], &got)) {
                    std::fprintf(stderr, "veloria-play: script line %d: no dump field '%s'\n",
                                 lineNumber, cmd.args[0].c_str());
                    return 2;
                }
                std::string wanted = JoinWords(cmd.args, 1);
                got = NormaliseSpaces(got);
                if (wanted != got) {
                    std::fprintf(stderr, "expect failed: %s wanted %s got %s\n",
                                 cmd.args[0].c_str(), wanted.c_str(), got.c_str());
                    return 1;
                }
                return -1;
            }
            case Command::Quit:
                return 0;
            case Command::Monkey:
                return Monkey(static_cast<uint64_t>(cmd.number), cmd.count);
            case Command::Bad:
                return 2;
        }
        return -1;
    }

    int Key(const std::string& name, int lineNumber) {
        std::string sdlName = name;
        if (name == "esc")
            sdlName = "Escape";
        else if (name.size() == 3 && name[0] == 'k' && name[1] == 'p')
            sdlName = std::string("Keypad ") + name[2];
        SDL_Keycode key = SDL_GetKeyFromName(sdlName.c_str());
        if (key == SDLK_UNKNOWN) {
            std::fprintf(stderr, "veloria-play: script line %d: unknown key '%s'\n", lineNumber,
                         name.c_str());
            return 2;
        }
        int8_t code = KeyToInputCode(key);
        // Keys after the quit message would only reach a program that is ending.
        if (code != 0 && !g().flow.quitPosted) HandleInput(g(), SourceKeyboard, code);
        return -1;
    }

    void SetPad(int code) { joystick_.state = PadState(code); }

    // One pass of the main loop: joystick poll, one frame, then the frame time.
    void Pass() {
        if (!LoopPass(g())) return;
        ++framesRun_;
        clock_.Advance(options_.frameMs);
    }

    // Resident memory in MiB, from /proc (0 when it cannot be read).
    static int64_t ResidentMiB() {
        FILE* f = std::fopen("/proc/self/statm", "r");
        if (!f) return 0;
        long long size = 0, resident = 0;
        const bool ok = std::fscanf(f, "%lld %lld", &size, &resident) == 2;
        std::fclose(f);
        return ok ? resident * sysconf(_SC_PAGESIZE) / (1024 * 1024) : 0;
    }

    // The soak: `inputs` seeded random inputs, each followed by a few passes, the invariants
    // checked after every frame. A quit through a quit path starts the game again from its
    // start-up; any other quit, a broken invariant or memory that keeps growing stops the soak
    // with the seed and the frame. -1 to go on with the script, 1 on a failure.
    int Monkey(uint64_t seed, int64_t inputs) {
        MonkeyRandom random(seed);
        constexpr int32_t kStates = 32;
        int64_t framesIn[kStates] = {};
        int64_t entered[kStates] = {};
        int64_t frames = 0;
        int64_t restarts = 0;
        uint64_t simulatedMs = 0;
        int64_t baselineMiB = 0;
        int64_t peakMiB = 0;
        // Without the sanitizers' quarantine the game's memory is flat; this allows for it.
        constexpr int64_t kGrowthMiB = 384;
        int64_t input = 0;
        int32_t last = -1;    // the state after the previous frame
        int8_t previous = 0;  // the previous input
        auto fail = [&](const std::string& why) {
            std::fprintf(stderr,
                         "monkey failed: seed %" PRIu64 " frame %" PRId64 " input %" PRId64
                         " state %d: %s\n",
                         seed, frames, input, g().flow.gameState, why.c_str());
            return 1;
        };
        MonkeyMemory memory;
        int64_t gameStart = 0;  // the input the current game began at
        int64_t battles = 0;
        int64_t shopVisits = 0;
        for (input = 0; input < inputs; ++input) {
            const int32_t before = g().flow.gameState;
            const bool restless = input - gameStart > kMonkeyLongGame;
            const int8_t code = MonkeyChoose(random, g(), previous, memory, restless);
            previous = code;
            uint32_t start = clock_.Now();
            HandleInput(g(), SourceKeyboard, code);
            simulatedMs += clock_.Now() - start;  // blocking sounds advance the clock
            if (g().flow.quitPosted) {
                if (code != InputEscape || !IsQuitState(before)) {
                    return fail("quit on input " + std::to_string(code) + " from state " +
                                std::to_string(before));
                }
                ++restarts;
                gameStart = input;
                ResetGame(g(), platform_);
                StartupLoad(g());
                continue;
            }
            const uint32_t passes = MonkeyPasses(random, g().flow.gameState);
            for (uint32_t p = 0; p < passes; ++p) {
                start = clock_.Now();
                Pass();
                simulatedMs += clock_.Now() - start;
                ++frames;
                if (g().flow.quitPosted) return fail("quit during a frame");
                const std::string why = CheckInvariants(g());
                if (!why.empty()) return fail(why);
                const int32_t now = g().flow.gameState;
                if (now >= 0 && now < kStates) {
                    ++framesIn[now];
                    if (now != last) ++entered[now];
                }
                // A dialog over a battle leaves and re-enters it: a battle or a shop visit
                // begins on the map.
                battles += now == StateBattle && last == StateMap;
                shopVisits += now == StateShop && last == StateMap;
                last = now;
                if (p + 1 == passes && now == StateMap && !g().level.inArena) memory.Visit(g());
                if (frames % 4096 == 0) {
                    const int64_t mib = ResidentMiB();
                    if (baselineMiB == 0) baselineMiB = mib;
                    if (mib > peakMiB) peakMiB = mib;
                    if (mib > baselineMiB + kGrowthMiB) {
                        return fail("memory grew from " + std::to_string(baselineMiB) + " MiB to " +
                                    std::to_string(mib) + " MiB");
                    }
                }
            }
        }
        std::fprintf(stderr,
                     "monkey: seed %" PRIu64 ": %" PRId64 " inputs, %" PRId64
                     " frames, %.2f simulated hours, %" PRId64 " restarts, memory %" PRId64
                     "..%" PRId64 " MiB\n",
                     seed, inputs, frames, simulatedMs / 3600000.0, restarts, baselineMiB, peakMiB);
        std::fprintf(stderr,
                     "monkey: %" PRId64 " battles, %" PRId64 " victories, %" PRId64
                     " defeats, %" PRId64 " shop visits, %zu spots walked\n",
                     battles, entered[StateVictory], entered[StateHeroDead], shopVisits,
                     memory.Spots());
        std::string by;
        std::string never;
        for (int32_t s = 0; s < kStates; ++s) {
            const char* name = MonkeyStateName(s);
            if (name[0] == '\0') continue;
            if (framesIn[s] == 0) never += std::string(" ") + name;
            if (framesIn[s] == 0) continue;
            char part[96];
            std::snprintf(part, sizeof(part), " %s %" PRId64 " (%" PRId64 ")", name, framesIn[s],
                          entered[s]);
            by += part;
        }
        std::fprintf(stderr, "monkey: frames (entries) by state:%s\nmonkey: never reached:%s\n",
                     by.c_str(), never.empty() ? " none" : never.c_str());
        return -1;
    }

    void Shot(const std::string& name) {
        std::string path = name[0] == '/' ? name : options_.shots + "/" + name;
        if (!sdl_ || !sdl_->SaveLastFrame(path.c_str())) {
            std::fprintf(stderr, "veloria-play: could not write %s\n", path.c_str());
        }
    }

    void WriteDump() {
        std::string text = FormatDump(CollectDump(g(), audio_));
        if (dumps_++ > 0) text = "---\n" + text;
        if (options_.dump.empty()) {
            std::fwrite(text.data(), 1, text.size(), stdout);
            std::fflush(stdout);
            return;
        }
        std::ofstream out(options_.dump, dumps_ == 1 ? std::ios::trunc : std::ios::app);
        out << text;
    }

    Options options_;
    ManualClock clock_;
    RecordingAudio audio_;
    ScriptedJoystick joystick_;
    RecordingShell shell_;
    StderrDiagnostics diagnostics_;
    Platform platform_;
    TapDisplay* display_;
    SdlDisplay* sdl_;
    std::unique_ptr<Game> game_;
    int64_t framesRun_ = 0;
    int dumps_ = 0;
    std::string armed_;   // shots-during name waiting for the next game command
    std::string during_;  // the series being written
    int duringCount_ = 0;
};

// --window --record: the game directory as the game finds it unless --content names one.
int Record(const Options& o, const std::string& cwd) {
    if (!o.window || o.record.empty()) return Usage("--window and --record FILE go together");
    if (o.script != "-" || o.recordOnly || o.shots != ".")
        return Usage("--script, --shots and --no-renderer are the replay's, not the recording's");
    RecordOptions r;
    r.script = Absolute(o.record, cwd);
    r.feed = Absolute(o.feed, cwd);
    r.dump = o.dump.empty() ? SiblingPath(r.script, ".dump") : Absolute(o.dump, cwd);
    r.frameMs = o.frameMs;
    if (!o.content.empty()) {
        r.gameDir = Absolute(o.content, cwd);
        if (!IsDirectory(r.gameDir)) return Usage(("no such directory " + o.content).c_str());
    } else {
        static GameDirSearch search;
        if (!FindGameDirectory(&search)) {
            char dirs[kGameDirCandidates * kGameDirPathSize];
            DescribeSearch(search, dirs, sizeof(dirs));
            std::fprintf(stderr, "veloria-play: no game directory found; searched:\n%s", dirs);
            return 2;
        }
        r.gameDir = search.candidates[search.found];
    }
    return RunRecord(r);
}

}  // namespace

int main(int argc, char** argv) {
    TuneHeapForLoaders();
    Options o;
    for (int i = 1; i < argc; ++i) {
        std::string a = argv[i];
        auto value = [&](std::string* out) {
            if (i + 1 >= argc) return false;
            *out = argv[++i];
            return true;
        };
        std::string v;
        if (a == "--content" && value(&v)) {
            o.content = v;
        } else if (a == "--script" && value(&v)) {
            o.script = v;
        } else if (a == "--dump" && value(&v)) {
            o.dump = v;
        } else if (a == "--shots" && value(&v)) {
            o.shots = v;
        } else if (a == "--window") {
            o.window = true;
        } else if (a == "--record" && value(&v)) {
            o.record = v;
        } else if (a == "--feed" && value(&v)) {
            o.feed = v;
        } else if (a == "--no-renderer") {
            o.recordOnly = true;
        } else if (a == "--frame-ms" && value(&v)) {
            char* end = nullptr;
            long ms = std::strtol(v.c_str(), &end, 10);
            if (*end != '\0' || ms < 0 || ms > 100000) return Usage("--frame-ms wants 0..100000");
            o.frameMs = static_cast<uint32_t>(ms);
        } else {
            return Usage(("bad argument '" + a + "'").c_str());
        }
    }
    char cwdBuf[4096];
    std::string cwd = getcwd(cwdBuf, sizeof(cwdBuf)) ? cwdBuf : ".";
    if (o.window || !o.record.empty() || !o.feed.empty()) return Record(o, cwd);
    if (o.content.empty()) return Usage("--content DIR is required");

    o.dump = Absolute(o.dump, cwd);
    o.shots = Absolute(o.shots, cwd);

    std::ifstream scriptFile;
    std::istringstream empty;
    std::istream* in = &std::cin;
    if (o.script != "-") {
        scriptFile.open(Absolute(o.script, cwd));
        if (!scriptFile) return Usage(("cannot read script " + o.script).c_str());
        in = &scriptFile;
    }
    const std::string root = Absolute(o.content, cwd);
    if (!IsDirectory(root)) return Usage(("no such directory " + o.content).c_str());

    setenv("SDL_VIDEODRIVER", "dummy", 0);
    std::unique_ptr<SdlDisplay> sdl;
    RecordingDisplay fallback;
    fallback.contentRoot = root.c_str();
    Display* display = &fallback;
    if (!o.recordOnly && SDL_Init(SDL_INIT_VIDEO) == 0) {
        sdl.reset(SdlDisplay::Create(true, root.c_str()));
        if (sdl) display = sdl.get();
    }
    if (o.recordOnly) {
        fallback.checkBackgroundFiles = true;
    } else if (!sdl) {
        std::fprintf(stderr,
                     "veloria-play: no off-screen renderer (%s); frames are recorded only\n",
                     SDL_GetError());
        fallback.checkBackgroundFiles = true;
    }

    int status;
    {
        TapDisplay tap(display);
        Runner runner(o, root.c_str(), &tap, sdl.get());
        status = runner.Run(*in);
    }
    sdl.reset();
    SDL_Quit();
    return status;
}
