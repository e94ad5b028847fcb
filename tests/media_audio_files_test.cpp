// The sound effects and music that the build writes into the game directory: readable, of the
// lengths the game expects, and music that loops without a gap.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <set>
#include <string>

#include "content/media_check.h"
#include "media_test_support.h"

namespace {

using namespace veloria::media_test;

std::string GameFile(const std::string& relative) {
    return std::string(VELORIA_GAME_DIR) + "/" + relative;
}

bool Generated(const char* folder) {
    return std::filesystem::is_directory(GameFile(folder));
}

const char* const kWaves[] = {
    "click",   "button",  "button2", "button3", "nomag",   "register", "reroll",
    "win",     "spell00", "spell01", "spell02", "spell03", "spell04",  "spell05",
    "spell06", "spell07", "spell08", "spell09", "tele01",  "tele02",   "gap",
    "battle",  "unlock",  "intro1",  "intro2",
};

// Each piece and the key it is written in (pitch class of the tonic).
const std::map<std::string, int> kPieces = {
    {"title", 2},   {"menu", 5},    {"game_end", 3}, {"level01", 7},  {"level02", 4},
    {"level03", 2}, {"level06", 0}, {"battle01", 9}, {"battle02", 4}, {"battle03", 0}};

TEST(MediaSoundFiles, EveryWaveIsItsOwnSixteenBitPcmSoundOfTheRightLength) {
    if (!Generated("sound")) GTEST_SKIP() << "the game directory has not been built";
    std::set<std::vector<uint8_t>> seen;
    for (const char* name : kWaves) {
        SCOPED_TRACE(name);
        const std::vector<uint8_t> bytes =
            ReadBytes(GameFile(std::string("sound/") + name + ".wav"));
        EXPECT_TRUE(seen.insert(bytes).second) << "each role has its own sound";
        const WaveInfo w = ReadWave(bytes);
        ASSERT_TRUE(w.ok);
        EXPECT_EQ(w.format, 1);
        EXPECT_EQ(w.bits, 16);
        EXPECT_TRUE(w.channels == 1 || w.channels == 2);
        EXPECT_TRUE(w.rate == 22050 || w.rate == 44100);
        const std::string n = name;
        if (n == "intro1" || n == "intro2") {
            // The title waits for each of these: long enough to see the picture, not tiresome.
            EXPECT_GE(w.Seconds(), 1.0);
            EXPECT_LE(w.Seconds(), 2.0);
        } else if (n == "battle") {
            EXPECT_LE(w.Seconds(), 2.0);
        } else {
            EXPECT_LT(w.Seconds(), 1.0);
        }
        // Audible, not clipped flat, and silent at both ends so playback starts and stops cleanly.
        int peak = 0;
        size_t clipped = 0;
        for (int16_t s : w.samples) {
            peak = std::max(peak, std::abs(static_cast<int>(s)));
            if (std::abs(static_cast<int>(s)) >= 32767) ++clipped;
        }
        EXPECT_GT(peak, 8000);
        EXPECT_LT(clipped, 4u);
        EXPECT_LT(std::abs(static_cast<int>(w.samples.front())), 300);
        EXPECT_LT(std::abs(static_cast<int>(w.samples.back())), 300);
    }
}

// Seconds from the start to `tick`, following every tempo change on any track.
double TickSeconds(const MidiRead& m, uint32_t tick) {
    std::map<uint32_t, uint32_t> tempo{{0, 500000}};
    for (const MidiTrackRead& t : m.tracks) {
        for (const MidiEvent& e : t.events) {
            if (e.status == 0xFF && e.data1 == 0x51 && e.meta.size() == 3) {
                tempo[e.tick] =
                    (uint32_t{e.meta[0]} << 16) | (uint32_t{e.meta[1]} << 8) | e.meta[2];
            }
        }
    }
    double seconds = 0;
    for (auto it = tempo.begin(); it != tempo.end() && it->first < tick; ++it) {
        const auto next = std::next(it);
        const uint32_t until = next == tempo.end() ? tick : std::min(tick, next->first);
        seconds += static_cast<double>(until - it->first) * it->second / 1e6 / m.division;
    }
    return seconds;
}

TEST(MediaMusicFiles, EveryPieceIsAWellFormedMultiVoiceLoopEndingOnItsTonic) {
    if (!Generated("music")) GTEST_SKIP() << "the game directory has not been built";
    for (const auto& [name, tonic] : kPieces) {
        SCOPED_TRACE(name);
        const MidiRead m = ReadMidi(ReadBytes(GameFile("music/" + name + ".mid")));
        ASSERT_TRUE(m.ok) << m.error;
        EXPECT_TRUE(m.format == 0 || m.format == 1);
        ASSERT_GT(m.division, 0);  // ticks per beat, not SMPTE time
        uint32_t end = 0;
        for (const MidiTrackRead& t : m.tracks) end = std::max(end, t.endTick);

        uint32_t firstOn = UINT32_MAX, lastOff = 0;
        std::set<int> voices, programmed;
        int notes = 0, lowestAtEnd = 128;
        for (const MidiTrackRead& t : m.tracks) {
            std::map<int, int> open;  // channel * 128 + key -> notes sounding
            std::map<int, uint32_t> started;
            for (const MidiEvent& e : t.events) {
                const int kind = e.status & 0xF0, channel = e.status & 0x0F;
                if (e.status == 0xFF) continue;
                if (kind == 0xC0) programmed.insert(channel);
                if (kind == 0x90 && e.data2 > 0) {
                    ++open[channel * 128 + e.data1];
                    started[channel * 128 + e.data1] = e.tick;
                    voices.insert(channel);
                    firstOn = std::min(firstOn, e.tick);
                    ++notes;
                } else if (kind == 0x80 || (kind == 0x90 && e.data2 == 0)) {
                    EXPECT_GT(open[channel * 128 + e.data1]--, 0) << "release without a note";
                    lastOff = std::max(lastOff, e.tick);
                    // Still sounding in the final beat, drums aside.
                    if (channel != 9 && e.tick + static_cast<uint32_t>(m.division) / 2 >= end &&
                        started[channel * 128 + e.data1] < end) {
                        lowestAtEnd = std::min(lowestAtEnd, static_cast<int>(e.data1));
                    }
                }
            }
            for (const auto& [key, count] : open)
                EXPECT_EQ(count, 0) << "note " << key << " never released";
        }
        // A tune with bass or harmony, each melodic voice given its instrument.
        EXPECT_GE(voices.size(), 3u);
        EXPECT_GE(notes, 60);
        for (int channel : voices) {
            EXPECT_TRUE(channel == 9 || programmed.count(channel)) << "channel " << channel;
        }
        const double seconds = TickSeconds(m, end);
        EXPECT_GE(seconds, 20.0);
        EXPECT_LE(seconds, 60.0);
        // Looping: the music starts at once and nothing but the last notes' release follows them.
        EXPECT_LE(firstOn, static_cast<uint32_t>(m.division));
        EXPECT_LE(end - lastOff, static_cast<uint32_t>(m.division));
        // The bass closes on the tonic so the loop comes home before it starts again.
        ASSERT_LT(lowestAtEnd, 128) << "nothing sounds at the end";
        EXPECT_EQ(lowestAtEnd % 12, tonic);
    }
}

}  // namespace
