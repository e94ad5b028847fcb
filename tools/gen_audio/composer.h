#pragma once
// Turns text scores (score.h) into a multi-track MIDI file: one track per voice, each on its own
// channel with a General MIDI programme, plus a conductor track with tempo and metre.
#include <cstdint>
#include <string>
#include <vector>

#include "midi_file.h"
#include "score.h"

namespace veloria::media {

constexpr uint16_t kTicksPerBeat = 480;
constexpr uint32_t kTicksPerSixteenth = kTicksPerBeat / 4;
constexpr int kDrumChannel = 9;

class Composer {
  public:
    Composer(const char* title, double bpm, int beatsPerBar, int bars);

    // Opens a voice; returns its index for the writers below.
    int Voice(const char* name, int channel, int program, int volume, int pan, int reverb = 60);

    // Each writer returns false on a score it cannot read; Finish() then fails as well.
    void Melody(int voice, const std::string& notes, int velocity, int startBar = 0);
    void Chords(const std::string& symbols, int startBar = 0);
    // `pattern` is laid over the chords bar-aligned, one character per sixteenth: '0'..'9' chord
    // tone (counting up from `low`), 'R' the bass note, 'F' the fifth above it, 'O' its octave,
    // 'P' the chord's first three tones together, '-' holds, '.' is silent.
    void Pattern(int voice, const std::string& pattern, int low, int velocity, int fromBar = 0,
                 int toBar = -1);
    // One drum key, one character per sixteenth ('x' hit, 'X' accent), repeated over the bars.
    // The bass's last bar: the final chord's root held to the end, so every loop closes on the
    // tonic. Use with a Pattern that stops a bar early.
    void Cadence(int voice, int low, int velocity);
    void Drum(int voice, int key, const std::string& pattern, int velocity, int fromBar = 0,
              int toBar = -1);
    void Hit(int voice, int key, int bar, int sixteenth, int lengthSixteenths, int velocity);

    int Bars() const { return bars_; }
    uint32_t BarSixteenths() const { return static_cast<uint32_t>(beatsPerBar_) * 4; }
    double Seconds() const { return bars_ * beatsPerBar_ * 60.0 / bpm_; }
    bool ok() const { return ok_; }
    const std::string& error() const { return error_; }

    // The whole file; empty if any score failed to parse.
    std::vector<uint8_t> Finish();

  private:
    struct VoiceInfo {
        int channel;
        MidiTrack track;
    };
    void Fail(const std::string& what);
    int Humanize(int velocity);

    std::string title_;
    double bpm_;
    int beatsPerBar_;
    int bars_;
    std::vector<VoiceInfo> voices_;
    std::vector<ScoreChord> chords_;
    uint32_t seed_ = 12345;
    bool ok_ = true;
    std::string error_;
};

}  // namespace veloria::media
