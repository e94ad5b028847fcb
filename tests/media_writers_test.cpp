// The hand-written file writers and the score notation of the audio generator, checked on
// in-memory output with an independent reading of the formats.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "../tools/gen_audio/midi_file.h"
#include "../tools/gen_audio/score.h"
#include "../tools/gen_audio/wave_file.h"
#include "content/media_check.h"
#include "media_test_support.h"

namespace {

using veloria::media::AppendVarLen;
using veloria::media::ChordTone;
using veloria::media::EncodeMidiFile;
using veloria::media::EncodeWave;
using veloria::media::MidiTrack;
using veloria::media::ParseChords;
using veloria::media::ParseMelody;
using veloria::media::ScoreChord;
using veloria::media::ScoreNote;

using veloria::media_test::Be;
using veloria::media_test::MidiRead;
using veloria::media_test::MidiTrackRead;
using veloria::media_test::ReadMidi;
using veloria::media_test::ReadMidiTrack;
using veloria::media_test::ReadWave;
using veloria::media_test::WaveInfo;

// Reads one encoded track back; fails the test if it does not parse.
MidiTrackRead Track(const MidiTrack& track) {
    MidiTrackRead read;
    std::string error;
    EXPECT_TRUE(ReadMidiTrack(track.Encode(), read, error)) << error;
    return read;
}

TEST(MediaWaveWriter, StereoPcmReadsBackSampleForSample) {
    const int16_t samples[] = {0, -1, 32767, -32768, 1234, -4321};  // three stereo frames
    const WaveInfo w = ReadWave(EncodeWave(samples, 3, 2, 22050));
    ASSERT_TRUE(w.ok) << "sizes, byte rate and block align agree";
    EXPECT_EQ(w.format, 1);
    EXPECT_EQ(w.channels, 2);
    EXPECT_EQ(w.rate, 22050);
    EXPECT_EQ(w.bits, 16);
    EXPECT_EQ(w.samples, std::vector<int16_t>(std::begin(samples), std::end(samples)));
    const std::vector<uint8_t> empty = EncodeWave(nullptr, 0, 1, 44100);
    EXPECT_EQ(empty.size(), 44u);
    EXPECT_TRUE(ReadWave(empty).ok);
}

TEST(MediaMidiWriter, VariableLengthQuantitiesMatchTheStandardExamples) {
    const struct {
        uint32_t value;
        std::vector<uint8_t> bytes;
    } cases[] = {
        {0x7F, {0x7F}},
        {0x80, {0x81, 0x00}},
        {0x3FFF, {0xFF, 0x7F}},
        {0x4000, {0x81, 0x80, 0x00}},
        {0x1FFFFF, {0xFF, 0xFF, 0x7F}},
        {0x200000, {0x81, 0x80, 0x80, 0x00}},
        {0x0FFFFFFF, {0xFF, 0xFF, 0xFF, 0x7F}},
    };
    for (const auto& c : cases) {
        std::vector<uint8_t> out;
        AppendVarLen(out, c.value);
        EXPECT_EQ(out, c.bytes) << "value " << c.value;
    }
}

TEST(MediaMidiWriter, RepeatedNoteIsReleasedBeforeItSoundsAgain) {
    MidiTrack track;
    track.Program(0, 2, 46);
    track.Note(0, 480, 2, 60, 100);
    track.Note(480, 480, 2, 60, 100);  // same key, starting as the first ends
    const MidiTrackRead read = Track(track);
    const auto& events = read.events;
    ASSERT_EQ(events.size(), 5u);
    EXPECT_EQ(events[0].status, 0xC2);
    EXPECT_EQ(events[1].status, 0x92);
    EXPECT_EQ(events[2].tick, 480u);
    EXPECT_EQ(events[2].status, 0x82);  // the release comes first at tick 480
    EXPECT_EQ(events[3].status, 0x92);
    EXPECT_EQ(events[4].tick, 960u);
    EXPECT_EQ(read.endTick, 960u);
}

TEST(MediaMidiWriter, EndOfTrackWaitsForTheLastBarAndImpossibleNotesAreDropped) {
    MidiTrack track;
    track.Note(0, 100, 0, 64, 90);
    track.EndAt(1920);
    EXPECT_EQ(Track(track).endTick, 1920u);

    MidiTrack late;  // a note outlasting the requested end pushes End of Track past it
    late.Note(1900, 200, 0, 64, 90);
    late.EndAt(1920);
    EXPECT_EQ(Track(late).endTick, 2100u);

    MidiTrack none;  // keys outside the MIDI range and empty notes are dropped
    none.Note(0, 10, 0, -1, 90);
    none.Note(0, 10, 0, 128, 90);
    none.Note(0, 0, 0, 60, 90);
    EXPECT_TRUE(Track(none).events.empty());
}

TEST(MediaMidiWriter, FileHeaderCountsTracksAndChunkLengthsAreExact) {
    std::vector<MidiTrack> tracks(3);
    tracks[0].Tempo(0, 120);
    tracks[1].Note(0, 480, 0, 60, 90);
    tracks[2].Note(240, 480, 1, 67, 90);
    const std::vector<uint8_t> file = EncodeMidiFile(tracks, 480);
    const MidiRead read = ReadMidi(file);
    ASSERT_TRUE(read.ok) << read.error;
    EXPECT_EQ(read.format, 1);
    EXPECT_EQ(read.division, 480);
    ASSERT_EQ(read.tracks.size(), 3u);
    EXPECT_EQ(Be(file, 4, 4), 6u);
    EXPECT_EQ(read.tracks[2].events.at(0).tick, 240u);
    // Tempo 120 is 500000 microseconds per beat.
    const std::vector<uint8_t> single = EncodeMidiFile({tracks[0]}, 96);
    EXPECT_EQ(Be(single, 8, 2), 0u);  // one track: format 0
    const uint8_t tempo[] = {0xFF, 0x51, 0x03, 0x07, 0xA1, 0x20};
    EXPECT_NE(std::search(single.begin(), single.end(), std::begin(tempo), std::end(tempo)),
              single.end());
}

TEST(MediaScore, PitchNamesLengthsAndModifiers) {
    std::vector<ScoreNote> notes;
    uint32_t cursor = 0;
    ASSERT_TRUE(ParseMelody("c4:4 a4 bb3:2 c#5 b4!:8 r e5.:4 [c4 e4 g4]:16", notes, &cursor, 80));
    ASSERT_EQ(notes.size(), 9u);
    const int keys[] = {60, 69, 58, 73, 71, 76, 60, 64, 67};
    const uint32_t starts[] = {0, 4, 8, 10, 12, 28, 32, 32, 32};
    for (size_t i = 0; i < notes.size(); ++i) {
        EXPECT_EQ(notes[i].key, keys[i]) << i;
        EXPECT_EQ(notes[i].start, starts[i]) << i;
    }
    EXPECT_EQ(notes[1].length, 4u);  // a length carries over
    EXPECT_EQ(notes[3].length, 2u);
    EXPECT_EQ(notes[4].velocity, 98);  // accent
    EXPECT_EQ(notes[5].length, 2u);    // staccato: half of 4
    EXPECT_EQ(notes[6].length, 16u);
    EXPECT_EQ(cursor, 48u);  // the rest (8) counted, the chord once
}

TEST(MediaScore, RejectsWhatItCannotRead) {
    for (const char* bad : {"h4", "c4:0", "c4x", "c", "[c4 e4", "[]:4", "c4:"}) {
        std::vector<ScoreNote> notes;
        uint32_t cursor = 0;
        EXPECT_FALSE(ParseMelody(bad, notes, &cursor)) << bad;
    }
    std::vector<ScoreChord> chords;
    uint32_t cursor = 0;
    EXPECT_FALSE(ParseChords("am", chords, &cursor));
    EXPECT_FALSE(ParseChords("C/H", chords, &cursor));
    EXPECT_FALSE(ParseChords("Cxyz", chords, &cursor));
}

TEST(MediaScore, ChordSymbolsGiveRootsBassesAndVoicings) {
    std::vector<ScoreChord> chords;
    uint32_t cursor = 0;
    ASSERT_TRUE(ParseChords("Am:16 Bbmaj7:8 C/E D7 F#m", chords, &cursor));
    ASSERT_EQ(chords.size(), 5u);
    EXPECT_EQ(chords[0].root, 9);
    EXPECT_EQ(chords[0].intervals, (std::vector<int>{0, 3, 7}));
    EXPECT_EQ(chords[1].root, 10);
    EXPECT_EQ(chords[1].intervals, (std::vector<int>{0, 4, 7, 11}));
    EXPECT_EQ(chords[1].start, 16u);
    EXPECT_EQ(chords[2].root, 0);
    EXPECT_EQ(chords[2].bass, 4);
    EXPECT_EQ(chords[3].intervals, (std::vector<int>{0, 4, 7, 10}));
    EXPECT_EQ(chords[4].root, 6);
    EXPECT_EQ(cursor, 16u + 8 * 4);
    // A minor voiced from G3 (55): A3 C4 E4, then the octave above.
    const int voiced[] = {57, 60, 64, 69};
    for (int k = 0; k < 4; ++k) EXPECT_EQ(ChordTone(chords[0], 55, k), voiced[k]) << k;
    // Voiced from its own root the chord starts there.
    EXPECT_EQ(ChordTone(chords[0], 57, 0), 57);
}

}  // namespace
