#include "composer.h"

#include <algorithm>
#include <cstdint>

namespace veloria::media {

Composer::Composer(const char* title, double bpm, int beatsPerBar, int bars)
    : title_(title), bpm_(bpm), beatsPerBar_(beatsPerBar), bars_(bars) {}

int Composer::Voice(const char* name, int channel, int program, int volume, int pan, int reverb) {
    VoiceInfo v{channel, MidiTrack{}};
    v.track.Name(name);
    if (channel != kDrumChannel) v.track.Program(0, channel, program);
    v.track.Control(0, channel, 7, volume);
    v.track.Control(0, channel, 10, pan);
    v.track.Control(0, channel, 91, reverb);
    voices_.push_back(std::move(v));
    return static_cast<int>(voices_.size()) - 1;
}

void Composer::Fail(const std::string& what) {
    if (ok_) error_ = title_ + ": " + what;
    ok_ = false;
}

// A small deterministic wobble so repeated notes do not all strike identically.
int Composer::Humanize(int velocity) {
    seed_ = seed_ * 1103515245u + 12345u;
    return std::clamp(velocity + static_cast<int>((seed_ >> 16) % 9) - 4, 1, 127);
}

void Composer::Melody(int voice, const std::string& notes, int velocity, int startBar) {
    std::vector<ScoreNote> parsed;
    uint32_t cursor = static_cast<uint32_t>(startBar) * BarSixteenths();
    if (!ParseMelody(notes, parsed, &cursor, velocity)) {
        Fail("unreadable melody near \"" + notes.substr(0, 30) + "\"");
        return;
    }
    if (cursor > static_cast<uint32_t>(bars_) * BarSixteenths()) Fail("melody runs past the end");
    VoiceInfo& v = voices_[static_cast<size_t>(voice)];
    for (const ScoreNote& n : parsed) {
        v.track.Note(n.start * kTicksPerSixteenth, n.length * kTicksPerSixteenth - 10, v.channel,
                     n.key, Humanize(n.velocity));
    }
}

void Composer::Chords(const std::string& symbols, int startBar) {
    uint32_t cursor = static_cast<uint32_t>(startBar) * BarSixteenths();
    if (!ParseChords(symbols, chords_, &cursor)) {
        Fail("unreadable chords near \"" + symbols.substr(0, 30) + "\"");
        return;
    }
    if (cursor > static_cast<uint32_t>(bars_) * BarSixteenths()) Fail("chords run past the end");
}

void Composer::Pattern(int voice, const std::string& pattern, int low, int velocity, int fromBar,
                       int toBar) {
    if (pattern.empty()) return;
    if (toBar < 0) toBar = bars_;
    VoiceInfo& v = voices_[static_cast<size_t>(voice)];
    const uint32_t from = static_cast<uint32_t>(fromBar) * BarSixteenths();
    const uint32_t to = static_cast<uint32_t>(toBar) * BarSixteenths();
    const size_t period = pattern.size();
    for (const ScoreChord& chord : chords_) {
        const uint32_t begin = std::max(chord.start, from);
        const uint32_t end = std::min(chord.start + chord.length, to);
        for (uint32_t t = begin; t < end; ++t) {
            const char c = pattern[t % period];
            if (c == '-' || c == '.') continue;
            uint32_t length = 1;
            while (t + length < end && pattern[(t + length) % period] == '-') ++length;
            std::vector<int> keys;
            const int bassKey = low + ((chord.bass - low) % 12 + 12) % 12;
            if (c >= '0' && c <= '9') {
                keys.push_back(ChordTone(chord, low, c - '0'));
            } else if (c == 'R') {
                keys.push_back(bassKey);
            } else if (c == 'F') {
                keys.push_back(low + ((chord.root + 7 - low) % 12 + 12) % 12);
            } else if (c == 'O') {
                keys.push_back(bassKey + 12);
            } else if (c == 'P') {
                for (int i = 0; i < 3; ++i) keys.push_back(ChordTone(chord, low, i));
            } else {
                Fail(std::string("unknown pattern character '") + c + "'");
                return;
            }
            for (int key : keys) {
                v.track.Note(t * kTicksPerSixteenth, length * kTicksPerSixteenth - 10, v.channel,
                             key, Humanize(velocity));
            }
        }
    }
}

void Composer::Cadence(int voice, int low, int velocity) {
    Pattern(voice, "R" + std::string(BarSixteenths() - 1, '-'), low, velocity, bars_ - 1, bars_);
}

void Composer::Drum(int voice, int key, const std::string& pattern, int velocity, int fromBar,
                    int toBar) {
    if (pattern.empty()) return;
    if (toBar < 0) toBar = bars_;
    VoiceInfo& v = voices_[static_cast<size_t>(voice)];
    const size_t period = pattern.size();
    for (uint32_t t = static_cast<uint32_t>(fromBar) * BarSixteenths();
         t < static_cast<uint32_t>(toBar) * BarSixteenths(); ++t) {
        const char c = pattern[(t - static_cast<uint32_t>(fromBar) * BarSixteenths()) % period];
        if (c != 'x' && c != 'X') continue;
        v.track.Note(t * kTicksPerSixteenth, kTicksPerSixteenth, v.channel, key,
                     Humanize(c == 'X' ? velocity + 20 : velocity));
    }
}

void Composer::Hit(int voice, int key, int bar, int sixteenth, int lengthSixteenths, int velocity) {
    VoiceInfo& v = voices_[static_cast<size_t>(voice)];
    const uint32_t t =
        static_cast<uint32_t>(bar) * BarSixteenths() + static_cast<uint32_t>(sixteenth);
    v.track.Note(t * kTicksPerSixteenth,
                 static_cast<uint32_t>(lengthSixteenths) * kTicksPerSixteenth, v.channel, key,
                 velocity);
}

std::vector<uint8_t> Composer::Finish() {
    if (!ok_) return {};
    const uint32_t end = static_cast<uint32_t>(bars_) * BarSixteenths() * kTicksPerSixteenth;
    std::vector<MidiTrack> tracks(1);
    tracks[0].Name(title_);
    tracks[0].Tempo(0, bpm_);
    tracks[0].TimeSignature(0, beatsPerBar_, 2);
    tracks[0].EndAt(end);
    for (VoiceInfo& v : voices_) {
        if (v.track.LastTick() > end) {
            Fail("a voice sounds past the last bar");
            return {};
        }
        v.track.EndAt(end);
        tracks.push_back(v.track);
    }
    return EncodeMidiFile(tracks, kTicksPerBeat);
}

}  // namespace veloria::media
