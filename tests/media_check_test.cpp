// The media checks made before a decoder or the synthesiser sees a file: every shipped file
// passes, and every kind of damage that once hung or starved the game is refused with a reason.
#include "content/media_check.h"

#include <dirent.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "media_test_support.h"

namespace veloria {
namespace {

using media_test::ReadBytes;

std::string GameFile(const std::string& relative) {
    return std::string(VELORIA_GAME_DIR) + "/" + relative;
}

std::vector<std::string> FilesIn(const std::string& dir, const std::string& suffix) {
    std::vector<std::string> out;
    DIR* d = opendir(dir.c_str());
    if (d == nullptr) return out;
    while (dirent* e = readdir(d)) {
        std::string name = e->d_name;
        if (name.size() > suffix.size() &&
            name.compare(name.size() - suffix.size(), suffix.size(), suffix) == 0)
            out.push_back(dir + "/" + name);
    }
    closedir(d);
    return out;
}

std::string MidiWhy(const std::vector<uint8_t>& b) {
    char why[kMediaWhySize] = {};
    return CheckMidi(b.data(), b.size(), why, sizeof(why)) ? "" : why;
}

void Put32Le(std::vector<uint8_t>* b, size_t at, uint32_t v) {
    for (int i = 0; i < 4; ++i) (*b)[at + i] = static_cast<uint8_t>(v >> (8 * i));
}

// A 16-bit mono PCM wave of the given sample count at 22050 Hz.
std::vector<uint8_t> Wave(uint32_t samples) {
    std::vector<uint8_t> b(44 + samples * 2, 0);
    std::memcpy(&b[0], "RIFF", 4);
    Put32Le(&b, 4, static_cast<uint32_t>(b.size() - 8));
    std::memcpy(&b[8], "WAVEfmt ", 8);
    Put32Le(&b, 16, 16);
    b[20] = 1;  // PCM
    b[22] = 1;  // mono
    Put32Le(&b, 24, 22050);
    Put32Le(&b, 28, 44100);
    b[32] = 2;
    b[34] = 16;
    std::memcpy(&b[36], "data", 4);
    Put32Le(&b, 40, samples * 2);
    return b;
}

TEST(MediaCheck, EveryShippedFilePasses) {
    std::vector<std::string> music = FilesIn(GameFile("music"), ".mid");
    std::vector<std::string> sounds = FilesIn(GameFile("sound"), ".wav");
    std::vector<std::string> pictures = FilesIn(GameFile("art/bg"), ".bmp");
    ASSERT_GE(music.size(), 8u);
    ASSERT_GE(sounds.size(), 14u);
    ASSERT_GE(pictures.size(), 10u);
    char why[kMediaWhySize + 128];
    for (const std::string& f : music)
        EXPECT_TRUE(CheckMidiFile(nullptr, f.c_str(), why, sizeof(why))) << why;
    for (const std::string& f : sounds) {
        WaveInfo info;
        EXPECT_TRUE(CheckWaveFile(nullptr, f.c_str(), &info, why, sizeof(why))) << why;
        EXPECT_EQ(info.dataPresent, info.dataBytes) << f;
        EXPECT_GT(info.lengthMs, 0u) << f;
    }
    for (const std::string& f : pictures)
        EXPECT_TRUE(CheckPictureFile(nullptr, f.c_str(), PictureRole::Background, why, sizeof(why)))
            << why;
    // Named below a root, as the back ends name it.
    const std::string root = GameFile(".");
    EXPECT_TRUE(CheckPictureFile(root.c_str(), "art/tilelib1.mpt", PictureRole::TileLibrary, why,
                                 sizeof(why)))
        << why;
    // The tile library is no background and a background no tile library.
    EXPECT_FALSE(
        CheckPictureFile(nullptr, pictures[0].c_str(), PictureRole::TileLibrary, why, sizeof(why)));
    EXPECT_NE(std::string(why).find("must be 4096 x 4096"), std::string::npos) << why;
}

TEST(MediaCheck, BrokenMidiIsRefusedAtEveryCut) {
    const std::vector<uint8_t> good = ReadBytes(GameFile("music/title.mid"));
    ASSERT_GT(good.size(), 100u);
    EXPECT_EQ(MidiWhy(good), "");
    EXPECT_EQ(MidiWhy({}), "empty MIDI file");
    // Every truncation of the file is refused: no track may end outside its chunk.
    for (size_t cut = 0; cut < good.size(); ++cut) {
        std::vector<uint8_t> part(good.begin(), good.begin() + static_cast<long>(cut));
        EXPECT_NE(MidiWhy(part), "") << "cut at " << cut;
    }
    std::vector<uint8_t> b = good;
    b[13] = 0;
    b[12] = 0;  // division 0
    EXPECT_NE(MidiWhy(b).find("division"), std::string::npos);
    b = good;
    b[11] = 0;
    b[10] = 0;  // no track
    EXPECT_NE(MidiWhy(b).find("no track"), std::string::npos);
    b = good;
    b[10] = 0x7F;  // more tracks than the file has
    EXPECT_NE(MidiWhy(b), "");
    // A track whose first event is a data byte with no status before it.
    const std::vector<uint8_t> orphan = {'M', 'T', 'h', 'd', 0,   0, 0, 6, 0, 0, 0,    1,    0,
                                         96,  'M', 'T', 'r', 'k', 0, 0, 0, 4, 0, 0x40, 0x40, 0};
    EXPECT_NE(MidiWhy(orphan).find("without a status"), std::string::npos);
    // A meta event claiming more bytes than its track.
    const std::vector<uint8_t> meta = {'M', 'T', 'h', 'd', 0,   0, 0, 6, 0, 0, 0,    1,    0,
                                       96,  'M', 'T', 'r', 'k', 0, 0, 0, 4, 0, 0xFF, 0x01, 0x7F};
    EXPECT_NE(MidiWhy(meta).find("longer than the track"), std::string::npos);
    // Five continuation bytes of a delta time.
    const std::vector<uint8_t> delta = {'M', 'T', 'h',  'd',  0,    0,    0,    6,   0, 0,
                                        0,   1,   0,    96,   'M',  'T',  'r',  'k', 0, 0,
                                        0,   6,   0x81, 0x81, 0x81, 0x81, 0x81, 0};
    EXPECT_NE(MidiWhy(delta).find("overlong"), std::string::npos);
}

TEST(MediaCheck, WaveLengthIsWhatTheFileHolds) {
    char why[kMediaWhySize] = {};
    WaveInfo info;
    std::vector<uint8_t> b = Wave(22050);  // one second
    ASSERT_TRUE(CheckWave(b.data(), b.size(), &info, why, sizeof(why))) << why;
    EXPECT_EQ(info.lengthMs, 1000u);
    // A data size of 4 GiB - 1 in a one-second file: one second, not 13.5 hours.
    Put32Le(&b, 40, 0xFFFFFFFFu);
    Put32Le(&b, 4, 0xFFFFFFFFu);
    ASSERT_TRUE(CheckWave(b.data(), b.size(), &info, why, sizeof(why))) << why;
    EXPECT_EQ(info.dataBytes, 0xFFFFFFFFu);
    EXPECT_EQ(info.dataPresent, 44100u);
    EXPECT_EQ(info.lengthMs, 1000u);
    // Cut anywhere before the first sample: refused.
    for (size_t cut = 0; cut <= 44; ++cut)
        EXPECT_FALSE(CheckWave(b.data(), cut, &info, why, sizeof(why))) << "cut at " << cut;
    b = Wave(100);
    Put32Le(&b, 28, 1);  // a byte rate that would stretch the sound a hundredfold
    EXPECT_FALSE(CheckWave(b.data(), b.size(), &info, why, sizeof(why)));
    EXPECT_NE(std::string(why).find("byte rate"), std::string::npos) << why;
    b = Wave(100);
    b[22] = 0;  // no channel
    EXPECT_FALSE(CheckWave(b.data(), b.size(), &info, why, sizeof(why)));
    b = Wave(100);
    Put32Le(&b, 16, 0xFFFFFFF0u);  // a format chunk beyond the file
    EXPECT_FALSE(CheckWave(b.data(), b.size(), &info, why, sizeof(why)));
}

TEST(MediaCheck, PictureSizesComeFromTheHeaderAlone) {
    char why[kMediaWhySize] = {};
    PictureFormat format;
    int32_t w = 0, h = 0;
    // PNG: signature, IHDR length and name, then width and height.
    std::vector<uint8_t> png = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n', 0, 0, 0,    13,
                                'I',  'H', 'D', 'R', 0,    1,    0x86, 0xA0, 0, 1, 0x86, 0xA0};
    ASSERT_TRUE(ReadPictureSize(png.data(), png.size(), &format, &w, &h, why, sizeof(why)));
    EXPECT_EQ(format, PictureFormat::Png);
    EXPECT_EQ(w, 100000);
    EXPECT_EQ(h, 100000);
    EXPECT_FALSE(ReadPictureSize(png.data(), 20, &format, &w, &h, why, sizeof(why)));
    // BMP with a top-down (negative) height.
    std::vector<uint8_t> bmp(54, 0);
    bmp[0] = 'B';
    bmp[1] = 'M';
    Put32Le(&bmp, 14, 40);
    Put32Le(&bmp, 18, 1024);
    Put32Le(&bmp, 22, static_cast<uint32_t>(-768));
    ASSERT_TRUE(ReadPictureSize(bmp.data(), bmp.size(), &format, &w, &h, why, sizeof(why)));
    EXPECT_EQ(format, PictureFormat::Bmp);
    EXPECT_EQ(w, 1024);
    EXPECT_EQ(h, 768);
    // JPEG: an APP0 segment, then the baseline frame header.
    std::vector<uint8_t> jpeg = {0xFF, 0xD8, 0xFF, 0xE0, 0, 4, 0, 0, 0xFF, 0xC0,
                                 0,    11,   8,    3,    0, 4, 0, 0, 3,    0};
    ASSERT_TRUE(ReadPictureSize(jpeg.data(), jpeg.size(), &format, &w, &h, why, sizeof(why)));
    EXPECT_EQ(format, PictureFormat::Jpeg);
    EXPECT_EQ(w, 1024);
    EXPECT_EQ(h, 768);
    jpeg[5] = 200;  // the APP0 segment now runs past the end
    EXPECT_FALSE(ReadPictureSize(jpeg.data(), jpeg.size(), &format, &w, &h, why, sizeof(why)));
    const uint8_t text[] = "plain text";
    EXPECT_FALSE(ReadPictureSize(text, sizeof(text), &format, &w, &h, why, sizeof(why)));
    EXPECT_EQ(format, PictureFormat::Unknown);
}

}  // namespace
}  // namespace veloria
