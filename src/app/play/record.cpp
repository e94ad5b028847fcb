#include "record.h"

#include <SDL2/SDL.h>

#include <cinttypes>
#include <cstdint>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <sstream>
#include <string>

#include "content/content_files.h"
#include "flow/frame_loop.h"
#include "flow/game.h"
#include "flow/reset.h"
#include "input/input_device.h"
#include "lib/dump.h"
#include "lib/recording.h"
#include "menus/saved_game.h"
#include "platform/diagnostics/stderr_diagnostics.h"
#include "platform/fake/fakes.h"
#include "platform/sdl/quit_watchdog.h"
#include "platform/sdl/save_location.h"
#include "platform/sdl/sdl_audio.h"
#include "platform/sdl/sdl_display.h"
#include "platform/sdl/sdl_joystick.h"
#include "platform/sdl/sdl_shell.h"
#include "platform/sdl/window_loop.h"
#include "presentation/platform.h"
#include "world/startup.h"

namespace veloria::play {

namespace {

namespace fs = std::filesystem;

// The sound is really played, but the game is answered as the replay's silent device answers
// it, so the same requests get the same answers in both (a machine without sound would
// otherwise refuse the music the replay grants). A blocking sound waits for real and then moves
// the game's clock by the file's length, as the replay's clock moves.
class TeeAudio : public AudioDevice {
  public:
    TeeAudio(SdlAudio* sound, RecordingAudio* answers) : sound_(sound), answers_(answers) {}
    void PlayWave(const char* file) override {
        sound_->PlayWave(file);
        answers_->PlayWave(file);
    }
    void PlayWaveWait(const char* file) override {
        sound_->PlayWaveWait(file);
        answers_->PlayWaveWait(file);
    }
    bool MusicOpen(const char* file) override {
        sound_->MusicOpen(file);
        return answers_->MusicOpen(file);
    }
    void MusicClose() override {
        sound_->MusicClose();
        answers_->MusicClose();
    }
    bool MusicSeekStart() override {
        sound_->MusicSeekStart();
        return answers_->MusicSeekStart();
    }
    bool MusicPlay() override {
        sound_->MusicPlay();
        return answers_->MusicPlay();
    }
    int32_t MusicMode() override {
        // The game is told the piece plays on; should the real one stop, it is started again
        // here, as the game would have done on hearing so.
        const int32_t mode = answers_->MusicMode();
        if (mode == kMusicPlaying && sound_->MusicMode() == kMusicStopped &&
            sound_->MusicSeekStart())
            sound_->MusicPlay();
        return mode;
    }

  private:
    SdlAudio* sound_;
    RecordingAudio* answers_;
};

// The real stick, read as the code the game takes from it: the game is handed the state `pad
// CODE` gives, so the script's code reproduces exactly what it saw. A failed read gives the
// centre (the game takes no input from it either way) and one attempt to get the stick back.
class RecordedJoystick : public JoystickDevice {
  public:
    RecordedJoystick(SdlJoystick* real, const Game* g, ScriptWriter* writer)
        : real_(real), g_(g), writer_(writer) {}
    uint8_t Open() override {
        const uint8_t status = real_->Open();
        writer_->Joystick(status);
        return status;
    }
    bool Read(JoystickState* state) override {
        JoystickState raw;
        int8_t code = 0;
        if (real_->Read(&raw)) {
            code = JoystickCode(g_->input, raw);
        } else {
            real_->Reacquire();
        }
        writer_->Pad(code);
        *state = PadState(code);
        return true;
    }
    bool Reacquire() override { return real_->Reacquire(); }
    void Rumble(int32_t magnitude, float seconds) override { real_->Rumble(magnitude, seconds); }
    void Close() override { real_->Close(); }

  private:
    SdlJoystick* real_;
    const Game* g_;
    ScriptWriter* writer_;
};

// The script's key names as the headless runner reads them.
SDL_Keycode KeyFromScriptName(const std::string& name) {
    std::string sdlName = name;
    if (name == "esc")
        sdlName = "Escape";
    else if (name.size() == 3 && name[0] == 'k' && name[1] == 'p')
        sdlName = std::string("Keypad ") + name[2];
    return SDL_GetKeyFromName(sdlName.c_str());
}

// The window loop's hooks: the game's clock follows SDL's, read once as each pass begins (the
// replay's clock, too, stands still through a pass), and never moves less than the frame time
// from one pass to the next, which is what the replay's `frame` moves it by.
class Recorder : public WindowLoopHooks {
  public:
    Recorder(ManualClock* clock, ScriptWriter* writer, Feed* feed, SdlDisplay* display,
             uint32_t frameMs)
        : clock_(clock), writer_(writer), feed_(feed), display_(display), frameMs_(frameMs) {}

    void PassBegins() override {
        if (closing_) return;
        uint32_t real = SDL_GetTicks();
        if (started_) {
            const uint32_t moved = clock_->Now() - clockAtPass_;
            // The game's clock ran ahead (a blocking sound with no device to wait for, or a
            // faster display): wait for SDL's to catch up, so the session keeps real time.
            if (moved > real - realAtPass_) {
                const uint32_t behind = moved - (real - realAtPass_);
                SDL_Delay(behind < 10000 ? behind : 10000);
                real = SDL_GetTicks();
            }
            const uint32_t realMoved = real - realAtPass_;
            const uint32_t extra = realMoved > moved ? realMoved - moved : 0;
            clock_->Advance(extra);
            writer_->Clock(extra);
        }
        started_ = true;
        realAtPass_ = real;
        clockAtPass_ = clock_->Now();
        if (feed_) {
            Give(feed_->Next(clock_->Now(), &feedEnded_));
            Hold(feed_->Pad());
        }
    }

    void KeyGiven(int8_t code) override {
        if (!closing_) writer_->Key(code);
    }
    void FullscreenToggled() override {
        if (!closing_)
            writer_->Comment("Alt+Enter (window or full screen; the game's state is the same)");
    }
    void WindowClosing() override {
        if (closing_) return;
        closing_ = true;
        writer_->Comment("the window was closed here; the dump is the game as it stood");
        if (onClose) onClose();
    }
    void DeviceReset() override {
        replayable_ = false;
        writer_->Comment(
            "the render device was lost here: no replay can lose it, so from here "
            "on the replay differs");
    }
    void PassEnded(bool ran) override {
        if (!ran || closing_) return;
        clock_->Advance(frameMs_);
        writer_->Frame();
    }

    bool Replayable() const { return replayable_; }
    std::function<void()> onClose;
    SDL_Joystick* fedStick = nullptr;  // the virtual stick a feed holds

  private:
    // The feed's keys go into the window's own queue, to be taken by the loop like typed ones;
    // a used-up feed closes the window after them.
    // The fed stick's axes and buttons as `pad CODE` sets the replay's.
    void Hold(int8_t code) {
        if (!fedStick || code == held_) return;
        held_ = code;
        const Sint16 low = SDL_JOYSTICK_AXIS_MIN;
        const Sint16 high = SDL_JOYSTICK_AXIS_MAX;
        SDL_JoystickSetVirtualAxis(fedStick, 0, code == 1 ? low : code == 2 ? high : 0);
        SDL_JoystickSetVirtualAxis(fedStick, 1, code == 3 ? low : code == 4 ? high : 0);
        for (int b = 0; b < 7; ++b) {
            SDL_JoystickSetVirtualButton(fedStick, b, code == 5 + b ? SDL_PRESSED : SDL_RELEASED);
        }
    }

    void Give(const std::vector<std::string>& names) {
        for (const std::string& name : names) {
            SDL_Event e{};
            e.type = SDL_KEYDOWN;
            e.key.windowID = SDL_GetWindowID(display_->Window());
            e.key.state = SDL_PRESSED;
            e.key.keysym.sym = KeyFromScriptName(name);
            e.key.keysym.scancode = SDL_GetScancodeFromKey(e.key.keysym.sym);
            SDL_PushEvent(&e);
        }
        if (feedEnded_ && !closeSent_) {
            closeSent_ = true;
            SDL_Event e{};
            e.type = SDL_QUIT;
            SDL_PushEvent(&e);
        }
    }

    ManualClock* clock_;
    ScriptWriter* writer_;
    Feed* feed_;
    SdlDisplay* display_;
    uint32_t frameMs_;
    bool started_ = false;
    uint32_t realAtPass_ = 0;
    uint32_t clockAtPass_ = 0;
    bool closing_ = false;
    bool feedEnded_ = false;
    bool closeSent_ = false;
    bool replayable_ = true;
    int8_t held_ = 0;
};

// The saved games the session starts from, laid beside the script as the replay's overlay
// (NAME.content/, as tests/scripts keeps them). Returns the slots that were there.
std::string SnapshotSlots(Game& g, const std::string& overlay) {
    std::error_code ec;
    fs::remove_all(overlay, ec);
    // Made even when empty, so the replay's overlay step always has a folder to copy.
    fs::create_directories(fs::path(overlay) / "data" / "villains", ec);
    std::string present;
    const SaveSlots* rooted = g.platform.saveSlots;
    for (int32_t slot = 1; slot <= 3; ++slot) {
        const char* from = SlotFileToLoad(g, slot);
        g.platform.saveSlots = nullptr;
        const std::string relative = SlotFile(g, slot);
        g.platform.saveSlots = rooted;
        if (!from) continue;
        char path[kContentPathSize];
        if (!ContentPath(g.platform.contentRoot, from, path, sizeof(path))) continue;
        from = path;
        if (!fs::exists(from)) continue;
        const fs::path to = fs::path(overlay) / relative;
        fs::create_directories(to.parent_path(), ec);
        fs::copy_file(from, to, fs::copy_options::overwrite_existing, ec);
        if (ec) {
            std::fprintf(stderr, "veloria-play: could not copy %s to %s\n", from,
                         to.string().c_str());
        }
        present += (present.empty() ? "" : " ") + std::to_string(slot);
    }
    return present;
}

std::string ReplayCommand(const RecordOptions& o, const std::string& overlay) {
    std::string frame = o.frameMs == 16 ? "" : " --frame-ms " + std::to_string(o.frameMs);
    return "cp -r " + o.gameDir + " COPY && rm -f COPY/data/villains/v4[5-7].txt && cp -r " +
           overlay + "/. COPY/ && veloria-play --content COPY --script " + o.script + frame +
           " --dump OUT && diff " + o.dump + " OUT";
}

}  // namespace

int RunRecord(const RecordOptions& o) {
    Feed feed;
    if (!o.feed.empty()) {
        std::ifstream in(o.feed);
        std::stringstream text;
        text << in.rdbuf();
        std::string error;
        if (!in || !feed.Load(text.str(), &error)) {
            std::fprintf(stderr, "veloria-play: %s: %s\n", o.feed.c_str(),
                         in ? error.c_str() : "cannot be read");
            return 2;
        }
    }
    if (SDL_Init(SDL_INIT_VIDEO | SDL_INIT_EVENTS | SDL_INIT_TIMER) != 0) {
        std::fprintf(stderr, "veloria-play: cannot start SDL: %s\n", SDL_GetError());
        return 2;
    }
    for (const std::string& name : feed.KeyNames()) {
        if (KeyFromScriptName(name) == SDLK_UNKNOWN) {
            std::fprintf(stderr, "veloria-play: %s: unknown key '%s'\n", o.feed.c_str(),
                         name.c_str());
            SDL_Quit();
            return 2;
        }
    }
    // A feed's stick is a virtual one, attached before the game looks for sticks, so the game
    // finds it as it would find a real one.
    SDL_Joystick* fedStick = nullptr;
    if (feed.WantsStick()) {
        // SDL drops a stick's input while no window of the program has the focus, which a
        // fed window on a dummy or virtual display never gets.
        SDL_SetHint(SDL_HINT_JOYSTICK_ALLOW_BACKGROUND_EVENTS, "1");
        const int index = SDL_InitSubSystem(SDL_INIT_JOYSTICK) == 0
                              ? SDL_JoystickAttachVirtual(SDL_JOYSTICK_TYPE_GAMECONTROLLER, 2, 7, 0)
                              : -1;
        fedStick = index >= 0 ? SDL_JoystickOpen(index) : nullptr;
        if (!fedStick) {
            std::fprintf(stderr, "veloria-play: no virtual stick for the feed: %s\n",
                         SDL_GetError());
            SDL_Quit();
            return 2;
        }
    }
    StartQuitWatchdog();
    std::ofstream out(o.script, std::ios::trunc);
    if (!out) {
        std::fprintf(stderr, "veloria-play: cannot write %s\n", o.script.c_str());
        SDL_Quit();
        return 2;
    }
    ScriptWriter writer(out);

    // The game as veloria_main.cpp builds it, with the clock and the answers the replay has.
    static Game game;
    static ManualClock clock;  // starts where the replay's does
    static RecordingAudio answers(&clock);
    static SdlAudio sound(o.gameDir.c_str());
    static SdlJoystick stick;
    static SdlShell shell(o.gameDir.c_str());
    static StderrDiagnostics diagnostics;
    answers.contentRoot = o.gameDir.c_str();
    TeeAudio audio(&sound, &answers);
    RecordedJoystick joystick(&stick, &game, &writer);
    sound.Open();
    ResetGame(game, Platform{&clock, nullptr, &audio, &joystick, &shell,
                             ChooseSaveSlots(o.gameDir.c_str()), &diagnostics, o.gameDir.c_str()});

    const std::string overlay = SiblingPath(o.script, ".content");
    const std::string slots = SnapshotSlots(game, overlay);
    const std::time_t now = std::time(nullptr);
    char when[64];
    std::strftime(when, sizeof(when), "%Y-%m-%d %H:%M:%S UTC", std::gmtime(&now));
    writer.Comment(std::string("Recorded by veloria-play --window --record, ") + when +
                   ", in the game directory " + o.gameDir + ".");
    writer.Comment("The saved games it started from are in " + overlay +
                   "/ (slots: " + (slots.empty() ? "none" : slots) + "). Replay:");
    writer.Comment("  " + ReplayCommand(o, overlay));
    if (!o.feed.empty()) writer.Comment("Its keys came from " + o.feed + ".");

    StartupLoad(game);
    SdlDisplay* display = SdlDisplay::Create(false, o.gameDir.c_str());
    if (display == nullptr) {
        std::fprintf(stderr, "veloria-play: no window: %s\n", SDL_GetError());
        sound.Close();
        SDL_Quit();
        return 2;
    }
    shell.SetWindow(display->Window());
    game.platform.display = display;

    bool dumped = false;
    auto writeDump = [&] {
        if (dumped) return;
        dumped = true;
        std::ofstream d(o.dump, std::ios::trunc);
        d << FormatDump(CollectDump(game, answers));
    };
    Recorder recorder(&clock, &writer, o.feed.empty() ? nullptr : &feed, display, o.frameMs);
    recorder.onClose = writeDump;
    recorder.fedStick = fedStick;
    RunWindowLoop(game, display, &recorder);
    writeDump();
    writer.Finish();

    Shutdown(game);
    joystick.Close();
    game.platform.display = nullptr;
    shell.SetWindow(nullptr);
    delete display;
    sound.Close();
    if (fedStick) SDL_JoystickClose(fedStick);
    SDL_Quit();

    std::fprintf(stderr,
                 "veloria-play: recorded %" PRId64 " passes and %" PRId64
                 " keys (%.1f s of game time) into %s; the last state is in %s\n"
                 "veloria-play: replay it with (COPY, OUT: any new names):\n  %s\n",
                 writer.Passes(), writer.Keys(), (clock.Now() - 100000u) / 1000.0, o.script.c_str(),
                 o.dump.c_str(), ReplayCommand(o, overlay).c_str());
    if (!recorder.Replayable()) {
        std::fprintf(stderr,
                     "veloria-play: the render device was lost during the session; its "
                     "replay ends differently\n");
    }
    return out ? 0 : 2;
}

}  // namespace veloria::play
