#pragma once
// A compact way to write music as text. Melodies are notes like "e5:4 d5 c5:8 r:4" (octave 4
// holds middle C = key 60; the number after ':' is the length in sixteenths and carries over to
// the following notes; '!' accents, '.' plays staccato, "[c4 e4 g4]:8" is a chord). Chord
// symbols ("Am:16 F G7 C/E") give harmony that the pattern writers turn into bass and
// accompaniment. Header-only so the tests can check the parsing directly.
#include <cctype>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace veloria::media {

struct ScoreNote {
    uint32_t start;   // sixteenths
    uint32_t length;  // sixteenths it sounds (staccato shortens it)
    int key;
    int velocity;
};

struct ScoreChord {
    uint32_t start;
    uint32_t length;
    int root;  // pitch class 0..11
    int bass;  // pitch class 0..11
    std::vector<int> intervals;
};

inline int PitchClass(char letter) {
    static const int kClass[7] = {9, 11, 0, 2, 4, 5, 7};  // a b c d e f g
    const char c = static_cast<char>(std::tolower(static_cast<unsigned char>(letter)));
    return (c >= 'a' && c <= 'g') ? kClass[c - 'a'] : -1;
}

// Reads a pitch such as "c#4", "bb3" or "g5" at text[pos]; -1 when there is none.
inline int ParsePitch(const std::string& text, size_t& pos) {
    if (pos >= text.size()) return -1;
    int pc = PitchClass(text[pos]);
    if (pc < 0) return -1;
    ++pos;
    if (pos < text.size() && text[pos] == '#') {
        ++pc;
        ++pos;
    } else if (pos + 1 < text.size() && text[pos] == 'b' &&
               std::isdigit(static_cast<unsigned char>(text[pos + 1]))) {
        --pc;
        ++pos;
    }
    if (pos >= text.size() || !std::isdigit(static_cast<unsigned char>(text[pos]))) return -1;
    const int octave = text[pos++] - '0';
    return 12 * (octave + 1) + pc;
}

inline bool ParseLength(const std::string& text, size_t& pos, uint32_t& length) {
    if (pos >= text.size() || text[pos] != ':') return true;
    ++pos;
    uint32_t value = 0;
    size_t digits = 0;
    while (pos < text.size() && std::isdigit(static_cast<unsigned char>(text[pos])) && digits < 4) {
        value = value * 10 + static_cast<uint32_t>(text[pos++] - '0');
        ++digits;
    }
    if (digits == 0 || value == 0) return false;
    length = value;
    return true;
}

// Appends the melody to `out`, starting at `*cursor` sixteenths and moving it on. Returns false
// (and stops) at the first token it does not understand.
inline bool ParseMelody(const std::string& text, std::vector<ScoreNote>& out, uint32_t* cursor,
                        int velocity = 90) {
    size_t pos = 0;
    uint32_t length = 4;
    while (pos < text.size()) {
        if (std::isspace(static_cast<unsigned char>(text[pos])) || text[pos] == '|') {
            ++pos;
            continue;
        }
        std::vector<int> keys;
        if (text[pos] == '[') {
            ++pos;
            while (pos < text.size() && text[pos] != ']') {
                if (text[pos] == ' ') {
                    ++pos;
                    continue;
                }
                const int key = ParsePitch(text, pos);
                if (key < 0) return false;
                keys.push_back(key);
            }
            if (pos >= text.size() || keys.empty()) return false;
            ++pos;
        } else if (text[pos] == 'r') {
            ++pos;
        } else {
            const int key = ParsePitch(text, pos);
            if (key < 0) return false;
            keys.push_back(key);
        }
        int vel = velocity;
        bool staccato = false;
        while (pos < text.size() && (text[pos] == '!' || text[pos] == '.')) {
            if (text[pos] == '!') vel += 18;
            if (text[pos] == '.') staccato = true;
            ++pos;
        }
        if (!ParseLength(text, pos, length)) return false;
        if (pos < text.size() && !std::isspace(static_cast<unsigned char>(text[pos])) &&
            text[pos] != '|') {
            return false;
        }
        const uint32_t sounding = staccato ? (length + 1) / 2 : length;
        for (int key : keys)
            out.push_back(ScoreNote{*cursor, sounding, key, vel > 127 ? 127 : vel});
        *cursor += length;
    }
    return true;
}

// Parses "Am:16 F G7 C/E Dsus4 Bbmaj7" (lengths in sixteenths, carried over).
inline bool ParseChords(const std::string& text, std::vector<ScoreChord>& out, uint32_t* cursor) {
    size_t pos = 0;
    uint32_t length = 16;
    struct Quality {
        const char* name;
        std::vector<int> intervals;
    };
    // Longest names first so "maj7" is not read as "m".
    static const Quality kQualities[] = {
        {"maj7", {0, 4, 7, 11}}, {"madd9", {0, 3, 7, 14}}, {"m7", {0, 3, 7, 10}},
        {"sus4", {0, 5, 7}},     {"sus2", {0, 2, 7}},      {"dim", {0, 3, 6}},
        {"aug", {0, 4, 8}},      {"add9", {0, 4, 7, 14}},  {"m", {0, 3, 7}},
        {"7", {0, 4, 7, 10}},    {"", {0, 4, 7}},
    };
    while (pos < text.size()) {
        if (std::isspace(static_cast<unsigned char>(text[pos])) || text[pos] == '|') {
            ++pos;
            continue;
        }
        int root = PitchClass(text[pos]);
        if (root < 0 || !std::isupper(static_cast<unsigned char>(text[pos]))) return false;
        ++pos;
        if (pos < text.size() && text[pos] == '#') {
            ++root;
            ++pos;
        } else if (pos < text.size() && text[pos] == 'b') {
            --root;
            ++pos;
        }
        root = (root + 12) % 12;
        const Quality* quality = nullptr;
        for (const Quality& q : kQualities) {
            const std::string name = q.name;
            if (text.compare(pos, name.size(), name) == 0) {
                quality = &q;
                pos += name.size();
                break;
            }
        }
        int bass = root;
        if (pos < text.size() && text[pos] == '/') {
            ++pos;
            bass = pos < text.size() ? PitchClass(text[pos]) : -1;
            if (bass < 0) return false;
            ++pos;
            if (pos < text.size() && (text[pos] == '#' || text[pos] == 'b')) {
                bass += text[pos] == '#' ? 1 : -1;
                ++pos;
            }
            bass = (bass + 12) % 12;
        }
        if (!ParseLength(text, pos, length)) return false;
        if (pos < text.size() && !std::isspace(static_cast<unsigned char>(text[pos])) &&
            text[pos] != '|') {
            return false;
        }
        out.push_back(ScoreChord{*cursor, length, root, bass, quality->intervals});
        *cursor += length;
    }
    return true;
}

// The chord's tones in ascending order from the lowest one at or above `low`; index 0 is the
// lowest, and indices past the chord's size continue an octave up.
inline int ChordTone(const ScoreChord& chord, int low, int index) {
    const int n = static_cast<int>(chord.intervals.size());
    std::vector<int> tones;
    for (int interval : chord.intervals) {
        int key = low + ((chord.root + interval - low) % 12 + 12) % 12;
        tones.push_back(key);
    }
    for (size_t i = 1; i < tones.size(); ++i) {  // insertion sort: tiny
        for (size_t j = i; j > 0 && tones[j] < tones[j - 1]; --j) std::swap(tones[j], tones[j - 1]);
    }
    return tones[static_cast<size_t>(index % n)] + 12 * (index / n);
}

}  // namespace veloria::media
