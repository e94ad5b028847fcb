#pragma once
// The script language of veloria-play: one command per line, '#' comments.
#include <cstdint>
#include <string>
#include <vector>

namespace veloria::play {

enum class Command {
    None,  // blank or comment line
    Joystick,
    Key,
    Keys,
    Pad,
    Frame,
    Wait,
    Clock,
    Shot,
    ShotsDuring,  // arm: every frame presented during the next game command is written
    Dump,
    Expect,
    Quit,
    Monkey,  // seeded random input with the invariants checked after every frame
    Bad,     // unknown command or bad argument
};

struct ScriptLine {
    Command command = Command::None;
    std::vector<std::string> args;  // the words after the command
    int64_t number = 0;  // the numeric argument of frame, wait, clock, pad; monkey's seed
    int64_t count = 0;   // monkey: how many inputs
    std::string error;   // why a line is Bad
};

// Splits on white space, drops a '#' comment, checks the arguments.
ScriptLine ParseScriptLine(const std::string& line);

// The n-th file of a shots-during series: "flash.png", 2 gives "flash-2.png" (the number goes
// before the extension, or at the end when there is none).
std::string NumberedShotName(const std::string& name, int n);

// Joins words with single spaces ("exact text after single-space joining").
std::string JoinWords(const std::vector<std::string>& words, size_t from = 0);
std::string NormaliseSpaces(const std::string& text);

}  // namespace veloria::play
