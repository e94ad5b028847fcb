#pragma once
// Record mode's SDL-free half: the script writer that turns what the game was given in a real
// window into a veloria-play script, and the feed that reads a script's inputs back so a
// recording can run without a person at the keyboard.
#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

#include "presentation/platform.h"

namespace veloria::play {

// The joystick state `pad CODE` gives: the stick pushed fully one way for 1..4, one button for
// 5..11, centred with nothing pressed for 0. Read back through the game's thresholds it gives
// CODE again, which is what lets a recording keep a real stick's state as a code.
JoystickState PadState(int32_t code);

// The script's name of the key that gives an input code ("left", "1", "esc"); "" for none.
const char* KeyNameOf(int8_t code);

// FILE.play and ".dump" give FILE.dump (the extension is added when the script has none).
std::string SiblingPath(const std::string& script, const std::string& extension);

// Writes one loop pass after the other in the order the replay must see them: the clock's
// advance beyond the frame time, the keys handled, the stick's code when it changed, then the
// pass. Passes with nothing between them become one `frame N`.
class ScriptWriter {
  public:
    explicit ScriptWriter(std::ostream& out) : out_(out) {}
    void Comment(const std::string& text);
    // The joystick the game found: 1 with force feedback, 2 without; 3 (none) writes nothing.
    void Joystick(uint8_t status);
    void Clock(uint32_t ms);
    void Key(int8_t code);
    void Pad(int8_t code);
    void Frame();
    // The pending passes, then `dump`.
    void Finish();
    int64_t Passes() const { return passes_; }
    int64_t Keys() const { return keys_; }

  private:
    void Flush();
    std::ostream& out_;
    int64_t pendingFrames_ = 0;
    int8_t pad_ = 0;
    int64_t passes_ = 0;
    int64_t keys_ = 0;
};

// The inputs and timing of a script, given to the real window one pass at a time: `key` and
// `keys` are pressed before the next pass, `frame N` lets N passes go by, `wait MS` (and `clock
// MS`, as a window cannot skip time) passes until the game's clock moved MS; `joystick plain`
// (before the first pass) asks for a stick the window's SDL can be given, which `pad CODE` then
// holds from the next pass on. What only checks or looks (dump, expect, shot, shots-during) is
// skipped; what a window cannot be given (a stick with rumble, monkey) is refused.
class Feed {
  public:
    // False with *error set (and its line number) on a line the feed cannot play.
    bool Load(const std::string& text, std::string* error);
    // Called as a pass begins with the game's clock: the key names to press before it. *ended
    // turns true once the script is used up (or says quit); no more passes are wanted then.
    std::vector<std::string> Next(uint32_t now, bool* ended);
    int32_t Skipped() const { return skipped_; }
    bool WantsStick() const { return wantsStick_; }
    // The code the stick is to give from this pass on (as of the last Next).
    int8_t Pad() const { return pad_; }
    const std::vector<std::string>& KeyNames() const { return names_; }

  private:
    struct Step {
        enum Kind { Key, Pad, Frames, Wait, End } kind;
        std::string name;
        int64_t n = 0;
    };
    std::vector<Step> steps_;
    std::vector<std::string> names_;  // every key name, for the caller to check once
    size_t at_ = 0;
    int64_t left_ = 0;  // passes still to go in the current frame step
    bool waiting_ = false;
    uint32_t waitStart_ = 0;
    int32_t skipped_ = 0;
    bool wantsStick_ = false;
    int8_t pad_ = 0;
};

}  // namespace veloria::play
