#pragma once
// Builds Standard MIDI Files. Events are collected with absolute ticks and sorted when a track is
// encoded, so a composition can be written voice by voice. Header-only for the tests.
#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

namespace veloria::media {

inline void AppendVarLen(std::vector<uint8_t>& out, uint32_t value) {
    uint8_t groups[5];
    int n = 0;
    do {
        groups[n++] = static_cast<uint8_t>(value & 0x7F);
        value >>= 7;
    } while (value != 0 && n < 5);
    while (n > 1) out.push_back(static_cast<uint8_t>(groups[--n] | 0x80));
    out.push_back(groups[0]);
}

class MidiTrack {
  public:
    // Meta events first, then releases, then everything else, so a note repeated on the same key
    // is released before it sounds again.
    enum Order : uint8_t { kMeta = 0, kNoteOff = 1, kSetup = 2, kNoteOn = 3 };

    void Name(const std::string& text) { Meta(0, 0x03, text); }
    void Tempo(uint32_t tick, double bpm) {
        const uint32_t usPerBeat = static_cast<uint32_t>(60000000.0 / bpm + 0.5);
        Add(tick, kMeta,
            {0xFF, 0x51, 0x03, static_cast<uint8_t>(usPerBeat >> 16),
             static_cast<uint8_t>(usPerBeat >> 8), static_cast<uint8_t>(usPerBeat)});
    }
    void TimeSignature(uint32_t tick, int beats, int denominatorPower) {
        Add(tick, kMeta,
            {0xFF, 0x58, 0x04, static_cast<uint8_t>(beats), static_cast<uint8_t>(denominatorPower),
             24, 8});
    }
    void Program(uint32_t tick, int channel, int program) {
        Add(tick, kSetup,
            {static_cast<uint8_t>(0xC0 | (channel & 15)), static_cast<uint8_t>(program & 127)});
    }
    void Control(uint32_t tick, int channel, int controller, int value) {
        Add(tick, kSetup,
            {static_cast<uint8_t>(0xB0 | (channel & 15)), static_cast<uint8_t>(controller & 127),
             static_cast<uint8_t>(value & 127)});
    }
    void Note(uint32_t tick, uint32_t length, int channel, int key, int velocity) {
        if (length == 0 || key < 0 || key > 127) return;
        const uint8_t status = static_cast<uint8_t>(channel & 15);
        Add(tick, kNoteOn,
            {static_cast<uint8_t>(0x90 | status), static_cast<uint8_t>(key),
             static_cast<uint8_t>(std::clamp(velocity, 1, 127))});
        Add(tick + length, kNoteOff,
            {static_cast<uint8_t>(0x80 | status), static_cast<uint8_t>(key), 64});
    }
    // The End of Track event goes at this tick, or after the last event if that is later.
    void EndAt(uint32_t tick) { end_ = tick; }

    uint32_t LastTick() const {
        uint32_t last = end_;
        for (const Event& e : events_) last = std::max(last, e.tick);
        return last;
    }

    // The track's chunk data (without the "MTrk" header).
    std::vector<uint8_t> Encode() const {
        std::vector<Event> sorted = events_;
        std::stable_sort(sorted.begin(), sorted.end(), [](const Event& a, const Event& b) {
            return a.tick != b.tick ? a.tick < b.tick : a.order < b.order;
        });
        std::vector<uint8_t> out;
        uint32_t now = 0;
        for (const Event& e : sorted) {
            AppendVarLen(out, e.tick - now);
            now = e.tick;
            out.insert(out.end(), e.bytes.begin(), e.bytes.end());
        }
        AppendVarLen(out, LastTick() - now);
        out.insert(out.end(), {0xFF, 0x2F, 0x00});
        return out;
    }

  private:
    struct Event {
        uint32_t tick;
        uint8_t order;
        std::vector<uint8_t> bytes;
    };
    void Add(uint32_t tick, uint8_t order, std::vector<uint8_t> bytes) {
        events_.push_back(Event{tick, order, std::move(bytes)});
    }
    void Meta(uint32_t tick, uint8_t type, const std::string& text) {
        std::vector<uint8_t> bytes{0xFF, type};
        AppendVarLen(bytes, static_cast<uint32_t>(text.size()));
        bytes.insert(bytes.end(), text.begin(), text.end());
        Add(tick, kMeta, std::move(bytes));
    }

    std::vector<Event> events_;
    uint32_t end_ = 0;
};

inline void PutBe(std::vector<uint8_t>& out, uint32_t value, int bytes) {
    for (int i = bytes - 1; i >= 0; --i) out.push_back(static_cast<uint8_t>(value >> (8 * i)));
}

// Format 1 (several tracks played together) unless there is a single track.
inline std::vector<uint8_t> EncodeMidiFile(const std::vector<MidiTrack>& tracks,
                                           uint16_t ticksPerBeat) {
    std::vector<uint8_t> out{'M', 'T', 'h', 'd'};
    PutBe(out, 6, 4);
    PutBe(out, tracks.size() == 1 ? 0 : 1, 2);
    PutBe(out, static_cast<uint32_t>(tracks.size()), 2);
    PutBe(out, ticksPerBeat, 2);
    for (const MidiTrack& track : tracks) {
        const std::vector<uint8_t> data = track.Encode();
        out.insert(out.end(), {'M', 'T', 'r', 'k'});
        PutBe(out, static_cast<uint32_t>(data.size()), 4);
        out.insert(out.end(), data.begin(), data.end());
    }
    return out;
}

}  // namespace veloria::media
