#include "lib/recording.h"

#include <cstdint>
#include <sstream>

#include "input/input_codes.h"
#include "lib/script.h"
#include "presentation/platform.h"

namespace veloria::play {

JoystickState PadState(int32_t code) {
    JoystickState s;
    if (code == InputLeft) s.x = 0;
    if (code == InputRight) s.x = 650;
    if (code == InputUp) s.y = 0;
    if (code == InputDown) s.y = 650;
    if (code >= InputButton1 && code <= InputButton7) s.buttons[code - InputButton1] = 1;
    return s;
}

const char* KeyNameOf(int8_t code) {
    switch (code) {
        case InputLeft:
            return "left";
        case InputRight:
            return "right";
        case InputUp:
            return "up";
        case InputDown:
            return "down";
        case InputButton1:
            return "1";
        case InputButton2:
            return "2";
        case InputButton3:
            return "3";
        case InputButton4:
            return "4";
        case InputButton5:
            return "5";
        case InputButton6:
            return "6";
        case InputEscape:
            return "esc";
        default:
            return "";
    }
}

std::string SiblingPath(const std::string& script, const std::string& extension) {
    const size_t slash = script.rfind('/');
    const size_t dot = script.rfind('.');
    const bool hasExtension =
        dot != std::string::npos && (slash == std::string::npos || dot > slash + 1) && dot != 0;
    return (hasExtension ? script.substr(0, dot) : script) + extension;
}

void ScriptWriter::Flush() {
    if (pendingFrames_ == 1) out_ << "frame\n";
    if (pendingFrames_ > 1) out_ << "frame " << pendingFrames_ << "\n";
    pendingFrames_ = 0;
}

void ScriptWriter::Comment(const std::string& text) {
    Flush();
    out_ << "# " << text << "\n";
}

void ScriptWriter::Joystick(uint8_t status) {
    if (status != 1 && status != 2) return;
    Flush();
    out_ << "joystick " << (status == 1 ? "rumble" : "plain") << "\n";
}

void ScriptWriter::Clock(uint32_t ms) {
    if (ms == 0) return;
    Flush();
    out_ << "clock " << ms << "\n";
}

void ScriptWriter::Key(int8_t code) {
    const char* name = KeyNameOf(code);
    if (name[0] == '\0') return;
    Flush();
    out_ << "key " << name << "\n";
    ++keys_;
}

void ScriptWriter::Pad(int8_t code) {
    if (code == pad_) return;
    pad_ = code;
    Flush();
    out_ << "pad " << static_cast<int>(code) << "\n";
}

void ScriptWriter::Frame() {
    ++pendingFrames_;
    ++passes_;
}

void ScriptWriter::Finish() {
    Flush();
    out_ << "dump\n";
    out_.flush();
}

bool Feed::Load(const std::string& text, std::string* error) {
    std::istringstream in(text);
    std::string line;
    int number = 0;
    while (std::getline(in, line)) {
        ++number;
        const ScriptLine cmd = ParseScriptLine(line);
        auto refuse = [&](const std::string& why) {
            *error = "feed line " + std::to_string(number) + ": " + why;
            return false;
        };
        switch (cmd.command) {
            case Command::None:
                break;
            case Command::Key:
            case Command::Keys:
                for (const std::string& name : cmd.args) {
                    steps_.push_back({Step::Key, name, 0});
                    names_.push_back(name);
                }
                break;
            case Command::Frame:
                if (cmd.number > 0) steps_.push_back({Step::Frames, "", cmd.number});
                break;
            case Command::Wait:
            case Command::Clock:
                // Time a window cannot skip: it passes with the passes it takes.
                steps_.push_back({Step::Wait, "", cmd.number});
                break;
            case Command::Quit:
                steps_.push_back({Step::End, "", 0});
                break;
            case Command::Dump:
            case Command::Expect:
            case Command::Shot:
            case Command::ShotsDuring:
                ++skipped_;
                break;
            case Command::Bad:
                return refuse(cmd.error);
            case Command::Joystick:
                if (cmd.args[0] == "rumble") return refuse("a fed stick has no rumble");
                if (!steps_.empty()) return refuse("joystick only before the first pass");
                wantsStick_ = cmd.args[0] == "plain";
                break;
            case Command::Pad:
                if (!wantsStick_) return refuse("pad without joystick plain");
                steps_.push_back({Step::Pad, "", cmd.number});
                break;
            case Command::Monkey:
                return refuse("a window is given keys, a stick and time only");
        }
    }
    steps_.push_back({Step::End, "", 0});
    return true;
}

std::vector<std::string> Feed::Next(uint32_t now, bool* ended) {
    std::vector<std::string> keys;
    *ended = false;
    while (at_ < steps_.size()) {
        Step& s = steps_[at_];
        switch (s.kind) {
            case Step::Key:
                keys.push_back(s.name);
                ++at_;
                continue;
            case Step::Pad:
                pad_ = static_cast<int8_t>(s.n);
                ++at_;
                continue;
            case Step::Frames:
                if (left_ == 0) left_ = s.n;
                if (--left_ == 0) ++at_;
                return keys;
            case Step::Wait:
                if (!waiting_) {
                    waiting_ = true;
                    waitStart_ = now;
                }
                if (now - waitStart_ < static_cast<uint32_t>(s.n)) return keys;
                waiting_ = false;
                ++at_;
                continue;
            case Step::End:
                *ended = true;
                return keys;
        }
    }
    *ended = true;
    return keys;
}

}  // namespace veloria::play
