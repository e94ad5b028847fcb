#pragma once
// Independent readers for the generated media formats (Standard MIDI Files, RIFF waves and
// BMP pictures), used by the media tests to check what the generators write. Every read is
// bounds-checked: a malformed file makes the reader fail, never crash.
#include <cstdint>
#include <fstream>
#include <string>
#include <vector>

namespace veloria::media_test {

inline std::vector<uint8_t> ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary | std::ios::ate);
    if (!in) return {};
    std::vector<uint8_t> bytes(static_cast<size_t>(in.tellg()));
    in.seekg(0);
    in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    return bytes;
}

inline uint32_t Le(const std::vector<uint8_t>& b, size_t at, int bytes) {
    uint32_t v = 0;
    for (int i = bytes - 1; i >= 0; --i) {
        const size_t k = at + static_cast<size_t>(i);
        v = (v << 8) | (k < b.size() ? b[k] : 0);
    }
    return v;
}

inline uint32_t Be(const std::vector<uint8_t>& b, size_t at, int bytes) {
    uint32_t v = 0;
    for (int i = 0; i < bytes; ++i) {
        const size_t k = at + static_cast<size_t>(i);
        v = (v << 8) | (k < b.size() ? b[k] : 0);
    }
    return v;
}

struct MidiEvent {
    uint32_t tick;
    uint8_t status;  // with channel; 0xFF for meta events
    uint8_t data1;   // key, controller, programme, or the meta type
    uint8_t data2;
    std::vector<uint8_t> meta;
};

struct MidiTrackRead {
    std::vector<MidiEvent> events;  // End of Track excluded
    uint32_t endTick = 0;
};

struct MidiRead {
    bool ok = false;
    std::string error;
    int format = -1;
    int division = 0;
    std::vector<MidiTrackRead> tracks;
};

// Reads a track chunk's data; running status is accepted. End of Track must close the chunk.
inline bool ReadMidiTrack(const std::vector<uint8_t>& d, MidiTrackRead& out, std::string& error) {
    size_t p = 0;
    uint32_t tick = 0;
    uint8_t running = 0;
    auto varLen = [&](uint32_t& v) {
        v = 0;
        for (int i = 0; i < 4; ++i) {
            if (p >= d.size()) return false;
            const uint8_t b = d[p++];
            v = (v << 7) | (b & 0x7F);
            if (!(b & 0x80)) return true;
        }
        return false;
    };
    while (p < d.size()) {
        uint32_t delta = 0;
        if (!varLen(delta)) return error = "bad delta time", false;
        tick += delta;
        if (p >= d.size()) return error = "event cut off", false;
        uint8_t status = d[p];
        if (status & 0x80) {
            ++p;
        } else if (running != 0) {
            status = running;
        } else {
            return error = "data byte without status", false;
        }
        if (status == 0xFF) {
            if (p >= d.size()) return error = "meta cut off", false;
            const uint8_t type = d[p++];
            uint32_t len = 0;
            if (!varLen(len) || p + len > d.size()) return error = "meta length", false;
            MidiEvent e{tick, 0xFF, type, 0,
                        std::vector<uint8_t>(d.begin() + static_cast<long>(p),
                                             d.begin() + static_cast<long>(p + len))};
            p += len;
            if (type == 0x2F) {
                out.endTick = tick;
                if (p != d.size()) return error = "bytes after End of Track", false;
                return true;
            }
            out.events.push_back(std::move(e));
        } else if (status >= 0xF0) {
            return error = "system event", false;  // the writer never makes one
        } else {
            running = status;
            const uint8_t kind = status & 0xF0;
            const size_t n = (kind == 0xC0 || kind == 0xD0) ? 1 : 2;
            if (p + n > d.size()) return error = "channel event cut off", false;
            if (d[p] & 0x80 || (n == 2 && (d[p + 1] & 0x80)))
                return error = "data byte above 127", false;
            out.events.push_back(MidiEvent{tick, status, d[p], n == 2 ? d[p + 1] : uint8_t{0}, {}});
            p += n;
        }
    }
    return error = "no End of Track", false;
}

// The four characters of a chunk tag at `at` (empty when the file ends first).
inline std::string Tag(const std::vector<uint8_t>& f, size_t at) {
    return at + 4 <= f.size() ? std::string(f.begin() + static_cast<long>(at),
                                            f.begin() + static_cast<long>(at + 4))
                              : std::string();
}

inline MidiRead ReadMidi(const std::vector<uint8_t>& f) {
    MidiRead r;
    const auto fail = [&r](const std::string& error) {
        r.error = error;
        return r;
    };
    if (f.size() < 14 || Tag(f, 0) != "MThd" || Be(f, 4, 4) != 6) return fail("no MThd header");
    r.format = static_cast<int>(Be(f, 8, 2));
    const uint32_t count = Be(f, 10, 2);
    r.division = static_cast<int>(Be(f, 12, 2));
    size_t p = 14;
    while (p + 8 <= f.size()) {
        if (Tag(f, p) != "MTrk") return fail("chunk is not MTrk");
        const uint32_t len = Be(f, p + 4, 4);
        if (p + 8 + len > f.size()) return fail("track length runs past the file");
        MidiTrackRead t;
        const std::vector<uint8_t> data(f.begin() + static_cast<long>(p) + 8,
                                        f.begin() + static_cast<long>(p + 8 + len));
        std::string error;
        if (!ReadMidiTrack(data, t, error)) {
            return fail("track " + std::to_string(r.tracks.size()) + ": " + error);
        }
        r.tracks.push_back(std::move(t));
        p += 8 + len;
    }
    if (p != f.size()) return fail("trailing bytes");
    if (r.tracks.size() != count) {
        return fail("header counts " + std::to_string(count) + " tracks, file has " +
                    std::to_string(r.tracks.size()));
    }
    r.ok = true;
    return r;
}

struct WaveInfo {
    bool ok = false;
    int format = 0, channels = 0, rate = 0, bits = 0;
    std::vector<int16_t> samples;  // interleaved
    double Seconds() const {
        return channels > 0 && rate > 0 ? static_cast<double>(samples.size()) / channels / rate : 0;
    }
};

inline WaveInfo ReadWave(const std::vector<uint8_t>& f) {
    WaveInfo w;
    if (f.size() < 12 || Tag(f, 0) != "RIFF" || Tag(f, 8) != "WAVE" ||
        Le(f, 4, 4) != f.size() - 8) {
        return w;
    }
    size_t p = 12;
    bool haveFormat = false;
    while (p + 8 <= f.size()) {
        const std::string id = Tag(f, p);
        const uint32_t len = Le(f, p + 4, 4);
        if (p + 8 + len > f.size()) return w;
        if (id == "fmt " && len >= 16) {
            w.format = static_cast<int>(Le(f, p + 8, 2));
            w.channels = static_cast<int>(Le(f, p + 10, 2));
            w.rate = static_cast<int>(Le(f, p + 12, 4));
            w.bits = static_cast<int>(Le(f, p + 22, 2));
            haveFormat =
                Le(f, p + 16, 4) == static_cast<uint32_t>(w.rate * w.channels * w.bits / 8) &&
                Le(f, p + 20, 2) == static_cast<uint32_t>(w.channels * w.bits / 8);
        } else if (id == "data" && haveFormat && w.bits == 16) {
            for (size_t i = 0; i + 1 < len; i += 2)
                w.samples.push_back(static_cast<int16_t>(Le(f, p + 8 + i, 2)));
            w.ok = len % static_cast<uint32_t>(2 * w.channels) == 0;
        }
        p += 8 + len + (len & 1);
    }
    return w;
}

struct Bitmap {
    bool ok = false;
    int width = 0, height = 0, bpp = 0;
    std::vector<uint8_t> bytes;
    size_t offset = 0, stride = 0;
    bool bottomUp = true;
    // Luminance 0..1 of a pixel, and its colour as 0xRRGGBB.
    double Luma(int x, int y) const {
        const uint32_t c = Rgb(x, y);
        return (0.114 * (c & 0xFF) + 0.587 * ((c >> 8) & 0xFF) + 0.299 * (c >> 16)) / 255.0;
    }
    uint32_t Rgb(int x, int y) const {
        const int row = bottomUp ? height - 1 - y : y;
        const size_t at = offset + static_cast<size_t>(row) * stride +
                          static_cast<size_t>(x) * static_cast<size_t>(bpp / 8);
        return (uint32_t{bytes[at + 2]} << 16) | (uint32_t{bytes[at + 1]} << 8) | bytes[at];
    }
};

inline Bitmap ReadBmp(const std::string& path) {
    Bitmap b;
    b.bytes = ReadBytes(path);
    const auto& f = b.bytes;
    if (f.size() < 54 || f[0] != 'B' || f[1] != 'M') return b;
    b.offset = Le(f, 10, 4);
    b.width = static_cast<int>(Le(f, 18, 4));
    const auto h = static_cast<int32_t>(Le(f, 22, 4));
    b.bottomUp = h > 0;
    b.height = h > 0 ? h : -h;
    b.bpp = static_cast<int>(Le(f, 28, 2));
    const uint32_t compression = Le(f, 30, 4);
    if ((b.bpp != 24 && b.bpp != 32) || (compression != 0 && compression != 3) || b.width <= 0)
        return b;
    b.stride = (static_cast<size_t>(b.width) * static_cast<size_t>(b.bpp) / 8 + 3) & ~size_t{3};
    b.ok = b.offset + b.stride * static_cast<size_t>(b.height) <= f.size();
    return b;
}

}  // namespace veloria::media_test
