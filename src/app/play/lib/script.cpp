#include "script.h"

#include <cctype>
#include <cstdint>
#include <cstdlib>
#include <string>

namespace veloria::play {

namespace {

std::vector<std::string> SplitWords(const std::string& text) {
    std::vector<std::string> words;
    std::string word;
    for (char c : text) {
        if (std::isspace(static_cast<unsigned char>(c))) {
            if (!word.empty()) words.push_back(word);
            word.clear();
        } else {
            word += c;
        }
    }
    if (!word.empty()) words.push_back(word);
    return words;
}

bool ParseNumber(const std::string& text, int64_t lo, int64_t hi, int64_t* out) {
    if (text.empty()) return false;
    char* end = nullptr;
    long long v = std::strtoll(text.c_str(), &end, 10);
    if (*end != '\0' || v < lo || v > hi) return false;
    *out = v;
    return true;
}

}  // namespace

std::string JoinWords(const std::vector<std::string>& words, size_t from) {
    std::string out;
    for (size_t i = from; i < words.size(); ++i) {
        if (i > from) out += ' ';
        out += words[i];
    }
    return out;
}

std::string NumberedShotName(const std::string& name, int n) {
    const size_t slash = name.rfind('/');
    size_t dot = name.rfind('.');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash) ||
        dot == (slash == std::string::npos ? 0 : slash + 1)) {
        dot = name.size();
    }
    return name.substr(0, dot) + "-" + std::to_string(n) + name.substr(dot);
}

std::string NormaliseSpaces(const std::string& text) {
    return JoinWords(SplitWords(text));
}

ScriptLine ParseScriptLine(const std::string& raw) {
    ScriptLine out;
    std::string line = raw;
    // A '#' starts a comment unless it stands inside a quoted expect value.
    bool quoted = false;
    for (size_t i = 0; i < line.size(); ++i) {
        if (line[i] == '"' && (i == 0 || line[i - 1] != '\\')) quoted = !quoted;
        if (line[i] == '#' && !quoted) {
            line.resize(i);
            break;
        }
    }
    std::vector<std::string> words = SplitWords(line);
    if (words.empty()) return out;
    const std::string name = words[0];
    out.args.assign(words.begin() + 1, words.end());
    auto bad = [&out](const std::string& why) {
        out.command = Command::Bad;
        out.error = why;
        return out;
    };
    if (name == "joystick") {
        if (out.args.size() != 1 ||
            (out.args[0] != "none" && out.args[0] != "plain" && out.args[0] != "rumble"))
            return bad("joystick wants none, plain or rumble");
        out.command = Command::Joystick;
    } else if (name == "key") {
        if (out.args.size() != 1) return bad("key wants one key name");
        out.command = Command::Key;
    } else if (name == "keys") {
        if (out.args.empty()) return bad("keys wants key names");
        out.command = Command::Keys;
    } else if (name == "pad") {
        if (out.args.size() != 1 || !ParseNumber(out.args[0], 0, 11, &out.number))
            return bad("pad wants a code 0..11");
        out.command = Command::Pad;
    } else if (name == "frame") {
        out.number = 1;
        if (out.args.size() > 1 ||
            (out.args.size() == 1 && !ParseNumber(out.args[0], 0, 100000000, &out.number)))
            return bad("frame wants an optional count");
        out.command = Command::Frame;
    } else if (name == "wait" || name == "clock") {
        if (out.args.size() != 1 || !ParseNumber(out.args[0], 0, 0xFFFFFFFFLL, &out.number))
            return bad(name + " wants milliseconds");
        out.command = name == "wait" ? Command::Wait : Command::Clock;
    } else if (name == "shot") {
        if (out.args.size() != 1) return bad("shot wants a file name");
        out.command = Command::Shot;
    } else if (name == "shots-during") {
        if (out.args.size() != 1) return bad("shots-during wants a file name");
        out.command = Command::ShotsDuring;
    } else if (name == "dump") {
        if (!out.args.empty()) return bad("dump takes no argument");
        out.command = Command::Dump;
    } else if (name == "expect") {
        if (out.args.empty()) return bad("expect wants a field");
        out.command = Command::Expect;
    } else if (name == "monkey") {
        if (out.args.size() != 2 ||
            !ParseNumber(out.args[0], 0, 0x7FFFFFFFFFFFFFFFLL, &out.number) ||
            !ParseNumber(out.args[1], 1, 1000000000, &out.count))
            return bad("monkey wants a seed and a number of inputs (1..1000000000)");
        out.command = Command::Monkey;
    } else if (name == "quit") {
        out.command = Command::Quit;
    } else {
        return bad("unknown command '" + name + "'");
    }
    return out;
}

}  // namespace veloria::play
