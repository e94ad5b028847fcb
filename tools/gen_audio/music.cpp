// The game's music. Each piece is a whole number of bars that ends on its tonic chord, so the
// mixer's looping joins the last bar to the first without a gap.
#include "music.h"

#include "composer.h"

namespace veloria::media {
namespace {

// General MIDI programmes (0-based) and drum keys used below.
enum Program {
    kPiano = 0,
    kCelesta = 8,
    kMusicBox = 10,
    kVibraphone = 11,
    kChurchOrgan = 19,
    kNylonGuitar = 24,
    kAcousticBass = 32,
    kFingerBass = 33,
    kCello = 42,
    kContrabass = 43,
    kPizzicato = 45,
    kHarp = 46,
    kTimpani = 47,
    kStrings = 48,
    kSlowStrings = 49,
    kChoir = 52,
    kTrumpet = 56,
    kTrombone = 57,
    kFrenchHorn = 60,
    kBrass = 61,
    kOboe = 68,
    kClarinet = 71,
    kFlute = 73,
    kPanFlute = 75,
    kWarmPad = 89,
    kTaiko = 116,
};
enum DrumKey {
    kKick = 36,
    kSnare = 38,
    kLowTom = 41,
    kClosedHat = 42,
    kMidTom = 47,
    kCrash = 49,
    kTambourine = 54,
    kRide = 51,
    kShaker = 70,
};

MusicPiece Done(const char* file, Composer& c) {
    MusicPiece p{file, c.Finish(), c.Seconds(), {}};
    if (!c.ok()) p.error = c.error();
    return p;
}

// Stately and hopeful: a horn states the theme, the flute answers over harp and strings.
MusicPiece Title() {
    Composer c("Veloria - Title", 80, 4, 16);
    const int horn = c.Voice("Horn", 0, kFrenchHorn, 100, 50);
    const int flute = c.Voice("Flute", 1, kFlute, 96, 76);
    const int harp = c.Voice("Harp", 2, kHarp, 88, 36);
    const int strings = c.Voice("Strings", 3, kStrings, 80, 64, 80);
    const int bass = c.Voice("Cellos", 4, kCello, 92, 56);
    const int timp = c.Voice("Timpani", 5, kTimpani, 90, 64);
    c.Chords("D:16 Bm G A D/F# G Em A Bm G D A G A G:8 A7:8 D:16");
    c.Melody(horn,
             "a3:6 d4:2 f#4:4 e4:4 | d4:6 c#4:2 b3:8 | b3:4 d4:4 g4:6 f#4:2 | e4:12 r:4 |"
             "f#4:6 e4:2 d4:4 a3:4 | b3:4 d4:4 g4:4 f#4:2 e4:2 | e4:6 f#4:2 g4:4 b4:4 | a4:12 r:4",
             84);
    c.Melody(flute,
             "f#5:6 e5:2 d5:4 f#5:4 | g5:6 f#5:2 e5:8 | f#5:4 a5:4 d6:6 c#6:2 | b5:4 a5:4 e5:8 |"
             "d5:4 g5:4 b5:6 a5:2 | g5:4 f#5:4 e5:4 c#5:4 | b4:4 d5:4 c#5:4 e5:4 | d5:12 r:4",
             88, 8);
    c.Melody(horn,
             "d4:8 b3:8 | b3:8 g3:8 | d4:16 | c#4:16 | b3:16 | c#4:16 | d4:8 e4:8 | f#4:12 r:4", 62,
             8);
    c.Pattern(harp, "0-1-2-3-4-3-2-1-", 50, 70);
    c.Pattern(strings, "P---------------", 55, 58);
    c.Pattern(bass, "R-------F-------", 38, 80, 0, c.Bars() - 1);
    c.Cadence(bass, 38, 80);
    for (int bar = 0; bar < 16; bar += 4) c.Hit(timp, 38, bar, 0, 4, 80);
    for (int s = 12; s < 16; ++s) c.Hit(timp, 45, 15, s, 1, 50 + 8 * (s - 12));
    return Done("title.mid", c);
}

// A quiet music-box waltz for the menus.
MusicPiece Menu() {
    Composer c("Veloria - Menu", 92, 3, 16);
    const int box = c.Voice("Music box", 0, kMusicBox, 120, 64);
    const int celesta = c.Voice("Celesta", 1, kCelesta, 96, 40);
    const int harp = c.Voice("Harp", 2, kHarp, 104, 80);
    const int bass = c.Voice("Pizzicato", 3, kPizzicato, 112, 52);
    const int pad = c.Voice("Pad", 4, kWarmPad, 72, 64, 90);
    c.Chords("F:12 C/E Dm Bb F Gm C7 F Dm Bb F C Bb C7 F F");
    c.Melody(box,
             "c5:4 a4:4 c5:4 | g5:8 e5:4 | f5:4 e5:4 d5:4 | d5:8 bb4:4 |"
             "a4:4 c5:4 f5:4 | g5:4 f5:4 d5:4 | e5:4 g5:4 bb5:4 | a5:12 |"
             "a5:4 f5:4 d5:4 | f5:8 d5:4 | c5:4 f5:4 a5:4 | g5:12 |"
             "f5:4 d5:4 bb4:4 | c5:4 e5:4 g5:4 | f5:12 | c5:4 a4:4 f4:4",
             82);
    c.Melody(celesta, "r:12 | r:12 | r:12 | r:12 | r:12 | r:12 | r:12 | c6:4 f6:4 a6:4", 60);
    c.Pattern(bass, "R-----------", 41, 78, 0, c.Bars() - 1);
    c.Cadence(bass, 41, 78);
    c.Pattern(harp, "....P...P...", 53, 56);
    c.Pattern(pad, "P-----------", 53, 50);
    return Done("menu.mid", c);
}

// The village: a light pastoral tune for flute over guitar.
MusicPiece Level01() {
    Composer c("Veloria - Village", 112, 4, 16);
    const int flute = c.Voice("Flute", 0, kFlute, 100, 70);
    const int guitar = c.Voice("Guitar", 1, kNylonGuitar, 92, 44);
    const int bass = c.Voice("Bass", 2, kAcousticBass, 96, 60);
    const int strings = c.Voice("Strings", 3, kSlowStrings, 62, 80, 80);
    const int drums = c.Voice("Percussion", kDrumChannel, 0, 70, 64);
    c.Chords("G:16 D/F# Em C G C D D Em C G D C D G G");
    c.Melody(
        flute,
        "d5:2 g5:2 b5:4 a5:2 g5:2 d5:4 | a5:4 f#5:2 e5:2 d5:8 | e5:2 g5:2 b5:4 a5:2 g5:2 e5:4 |"
        "c5:4 e5:2 g5:2 e5:8 | d5:2 g5:2 b5:4 d6:4 b5:4 | c6:4 a5:2 g5:2 e5:8 |"
        "f#5:4 a5:4 d5:4 e5:2 f#5:2 | a5:12 r:4 | g5:6 f#5:2 e5:4 b4:4 | c5:4 e5:4 g5:4 e5:4 |"
        "d5:6 e5:2 g5:4 b5:4 | a5:12 f#5:4 | e5:4 g5:4 c6:6 b5:2 | a5:4 f#5:4 d5:4 f#5:4 |"
        "g5:12 d5:4 | b4:4 a4:4 g4:8",
        92);
    c.Pattern(guitar, "0-2-1-2-3-2-1-2-", 55, 64);
    c.Pattern(bass, "R-------F-----R-", 43, 84, 0, c.Bars() - 1);
    c.Cadence(bass, 43, 84);
    c.Pattern(strings, "P---------------", 55, 50, 8, 16);
    c.Drum(drums, kShaker, "x.xxx.xxx.xxx.xx", 40);
    c.Drum(drums, kTambourine, "....x.......x...", 46, 8, 16);
    return Done("level01.mid", c);
}

// Forest and caves: an oboe wanders over a harp and pizzicato strings in E minor.
MusicPiece Level02() {
    Composer c("Veloria - Forest", 96, 4, 16);
    const int oboe = c.Voice("Oboe", 0, kOboe, 96, 70);
    const int harp = c.Voice("Harp", 1, kHarp, 90, 40);
    const int pizz = c.Voice("Pizzicato", 2, kPizzicato, 92, 56);
    const int pad = c.Voice("Strings", 3, kSlowStrings, 64, 84, 90);
    const int flute = c.Voice("Pan flute", 4, kPanFlute, 76, 96, 90);
    c.Chords("Em:16 D C D Em D C B7 Am Em C D Am B7 Em Em");
    c.Melody(oboe,
             "b4:4 e5:4 f#5:2 g5:2 f#5:4 | e5:4 d5:4 a4:8 | g4:4 c5:4 e5:4 g5:4 | f#5:12 r:4 |"
             "b4:4 e5:4 g5:4 b5:4 | a5:6 g5:2 f#5:8 | e5:4 g5:2 e5:2 c5:8 | d#5:12 r:4 |"
             "c5:4 e5:4 a5:6 g5:2 | g5:4 f#5:4 e5:8 | e5:4 g5:4 c6:4 b5:4 | a5:12 f#5:4 |"
             "e5:4 a5:4 c6:4 a5:4 | b5:4 a5:4 f#5:4 d#5:4 | e5:16 | r:4 b4:4 g4:4 e4:4",
             88);
    c.Melody(flute, "r:16 | r:12 b5:2 a5:2 | r:16 | r:8 d6:4 a5:4", 64, 4);
    c.Pattern(harp, "0-1-2-3-4-3-2-1-", 52, 62);
    c.Pattern(pizz, "R...R...F...R...", 40, 80, 0, c.Bars() - 1);
    c.Cadence(pizz, 40, 80);
    c.Pattern(pad, "P---------------", 52, 46);
    return Done("level02.mid", c);
}

// The lair: a clarinet over a low cello ostinato, choir and distant drums in D minor.
MusicPiece Level03() {
    Composer c("Veloria - Lair", 84, 4, 16);
    const int clarinet = c.Voice("Clarinet", 0, kClarinet, 98, 66);
    const int cello = c.Voice("Cellos", 1, kCello, 90, 48);
    const int bass = c.Voice("Contrabass", 2, kContrabass, 92, 56);
    const int choir = c.Voice("Choir", 3, kChoir, 60, 80, 100);
    const int drums = c.Voice("Drums", kDrumChannel, 0, 74, 64);
    c.Chords("Dm:16 Bb Gm A Dm Bb C A Gm Dm Bb A Gm A7 Dm Dm");
    c.Melody(clarinet,
             "d4:4 f4:4 a4:6 g4:2 | f4:4 d4:4 bb3:8 | g4:4 bb4:4 d5:6 c5:2 | c#5:12 r:4 |"
             "d5:4 a4:4 f4:6 e4:2 | d4:4 f4:4 bb4:8 | c5:4 e4:4 g4:4 c5:4 | a4:12 r:4 |"
             "bb4:6 a4:2 g4:4 d5:4 | f5:6 e5:2 d5:8 | d5:4 f5:4 bb4:6 c5:2 | c#5:4 e5:4 a4:8 |"
             "g4:4 bb4:4 d5:4 g5:4 | e5:4 c#5:4 a4:4 g4:4 | f4:4 e4:4 d4:8 | r:4 a3:4 d4:8",
             86);
    c.Pattern(cello, "0-2-1-2-0-2-1-2-", 50, 66);
    c.Pattern(bass, "R---------------", 26, 82, 0, c.Bars() - 1);
    c.Cadence(bass, 26, 82);
    c.Pattern(choir, "P---------------", 57, 52, 8, 16);
    c.Drum(drums, kLowTom, "x.......x..x....", 56);
    c.Drum(drums, kKick, "x...............", 60);
    return Done("level03.mid", c);
}

// Victory fanfare, then the lyrical theme that also carries the opening story.
MusicPiece Level06() {
    Composer c("Veloria - Victory", 116, 4, 16);
    const int trumpet = c.Voice("Trumpet", 0, kTrumpet, 104, 60);
    const int brass = c.Voice("Brass", 1, kBrass, 86, 44);
    const int flute = c.Voice("Flute", 2, kFlute, 96, 80);
    const int strings = c.Voice("Strings", 3, kStrings, 78, 64, 80);
    const int bass = c.Voice("Bass", 4, kContrabass, 90, 56);
    const int timp = c.Voice("Timpani", 5, kTimpani, 96, 64);
    const int harp = c.Voice("Harp", 6, kHarp, 80, 30);
    c.Chords("C:16 F:8 G:8 C:16 G Am F Dm:8 G7:8 C:16 F C/E Dm G F G C C");
    c.Melody(trumpet,
             "g4.:2 g4. c5!:4 e5:2 g5:6 | a5:4 f5:4 g5:4 d5:4 | e5:2 g5:2 c6!:8 g5:4 |"
             "b5:4 a5:2 g5:2 d5:8",
             96);
    c.Melody(flute,
             "c6:6 b5:2 a5:4 e5:4 | f5:4 a5:4 c6:8 | d6:4 c6:4 b5:4 g5:4 | c6:8 g5:4 e5:4 |"
             "f5:6 g5:2 a5:4 c6:4 | g5:8 e5:4 c5:4 | d5:4 f5:4 a5:4 d6:4 | b5:8 g5:8",
             86, 4);
    c.Melody(trumpet, "c5:4 f5:4 a5:6 g5:2 | g5:4 b5:4 d6:4 b5:4 | c6!:8 b5:4 g5:4 | c6:12 r:4", 96,
             12);
    c.Pattern(brass, "P-----P.P-------", 55, 78, 0, 4);
    c.Pattern(brass, "P-----P.P-------", 55, 78, 12, 16);
    c.Pattern(strings, "P---------------", 55, 60, 4, 12);
    c.Pattern(harp, "0-1-2-3-4-3-2-1-", 48, 60, 4, 12);
    c.Pattern(bass, "R-------F-------", 36, 82, 0, c.Bars() - 1);
    c.Cadence(bass, 36, 82);
    c.Pattern(timp, "R.....R.R.......", 36, 84, 0, 4);
    c.Pattern(timp, "R.....R.R.......", 36, 84, 12, 15);
    for (int s = 8; s < 16; ++s) c.Hit(timp, 43, 15, s, 1, 60 + 5 * (s - 8));
    return Done("level06.mid", c);
}

// The first battle theme: driving strings, brass and drums in A minor.
MusicPiece Battle01() {
    Composer c("Veloria - Battle", 152, 4, 24);
    const int brass = c.Voice("Brass", 0, kBrass, 100, 60);
    const int strings = c.Voice("Strings", 1, kStrings, 86, 40);
    const int bass = c.Voice("Bass", 2, kFingerBass, 100, 64);
    const int timp = c.Voice("Timpani", 3, kTimpani, 92, 80);
    const int trumpet = c.Voice("Trumpet", 4, kTrumpet, 92, 84);
    const int drums = c.Voice("Drums", kDrumChannel, 0, 96, 64);
    c.Chords("Am:16 F G Am Am F G E F G Em Am Dm E Am E Am F G Am Am F E:8 E7:8 Am:16");
    const std::string a =
        "a4:6 e5:2 e5:8 | f5:4 e5:4 c5:4 a4:4 | b4:6 d5:2 g5:8 | e5:16 |"
        "a4:6 e5:2 a5:8 | c6:4 b5:4 a5:4 f5:4 |";
    c.Melody(brass, a + "g5:6 f5:2 d5:8 | e5:8 g#4:8", 96);
    c.Melody(trumpet,
             "a5:4 c6:4 a5:4 f5:4 | g5:4 b5:4 g5:4 d5:4 | e5:4 g5:4 b5:4 g5:4 | a5:16 |"
             "f5:4 a5:4 d6:6 c6:2 | b5:4 g#5:4 e5:8 | c6:6 b5:2 a5:8 | b5:8 g#5:8",
             94, 8);
    c.Melody(brass, a + "e5:4 g#5:4 b5:4 d6:4 | a5:16", 100, 16);
    c.Pattern(strings, "0102010201020102", 57, 62);
    c.Pattern(bass, "R-R-R-R-R-R-OR-R", 33, 90, 0, c.Bars() - 1);
    c.Cadence(bass, 33, 90);
    c.Pattern(timp, "R.......R.......", 40, 84, 8, 16);
    c.Drum(drums, kKick, "x.......x.x.....", 92);
    c.Drum(drums, kSnare, "....x.......x...", 84);
    c.Drum(drums, kClosedHat, "x.x.x.x.x.x.x.x.", 56);
    for (int bar : {0, 8, 16}) c.Hit(drums, kCrash, bar, 0, 4, 100);
    for (int s = 8; s < 16; s += 2) c.Hit(drums, kMidTom, 23, s, 1, 80 + 4 * (s - 8));
    return Done("battle01.mid", c);
}

// The second battle theme: horns and pounding taiko in E minor.
MusicPiece Battle02() {
    Composer c("Veloria - Skirmish", 164, 4, 24);
    const int horns = c.Voice("Horns", 0, kFrenchHorn, 108, 56);
    const int pizz = c.Voice("Pizzicato", 1, kPizzicato, 90, 36);
    const int strings = c.Voice("Strings", 2, kStrings, 84, 88);
    const int bass = c.Voice("Bass", 3, kAcousticBass, 100, 64);
    const int taiko = c.Voice("Taiko", 4, kTaiko, 100, 64);
    const int drums = c.Voice("Drums", kDrumChannel, 0, 90, 64);
    c.Chords("Em:16 C D Em Em C Am B C D Bm Em Am D B B Em C D Em Em C B:8 B7:8 Em:16");
    const std::string a =
        "e4:4 g4:4 b4:8 | c5:4 b4:4 g4:4 e4:4 | f#4:4 a4:4 d5:8 | b4:16 |"
        "e5:4 d5:4 b4:4 g4:4 | e5:4 g5:4 e5:8 |";
    c.Melody(horns, a + "c5:4 e5:4 a5:4 g5:4 | f#5:8 d#5:8", 96);
    c.Melody(horns,
             "g5:4 e5:4 c5:8 | a5:4 f#5:4 d5:8 | b5:4 f#5:4 d5:4 b4:4 | e5:16 |"
             "c5:2 e5:2 a5:4 g5:4 e5:4 | f#5:2 a5:2 d6:4 c6:4 a5:4 | b5:8 a5:4 f#5:4 | d#5:16",
             100, 8);
    c.Melody(horns, a + "f#5:4 d#5:4 b4:4 a4:4 | e5:16", 104, 16);
    c.Pattern(pizz, "0212021202120212", 52, 70);
    c.Pattern(strings, "P.....P.....P-..", 52, 70, 8, 16);
    c.Pattern(bass, "R.R.R.RR.R.R.R.R", 28, 92, 0, c.Bars() - 1);
    c.Cadence(bass, 28, 92);
    c.Pattern(taiko, "R..R..R.R..R..R.", 40, 96);
    c.Drum(drums, kKick, "x..x..x.x..x..x.", 86);
    c.Drum(drums, kSnare, "....x.......x..x", 72, 8, 24);
    c.Drum(drums, kRide, "x.x.x.x.x.x.x.x.", 48, 16, 24);
    for (int bar : {0, 8, 16}) c.Hit(drums, kCrash, bar, 0, 4, 96);
    return Done("battle02.mid", c);
}

// The guardian of the lair: organ, choir, low brass and timpani in C minor.
MusicPiece Battle03() {
    Composer c("Veloria - Guardian", 138, 4, 24);
    const int brass = c.Voice("Brass", 0, kBrass, 104, 60);
    const int organ = c.Voice("Organ", 1, kChurchOrgan, 70, 40, 90);
    const int choir = c.Voice("Choir", 2, kChoir, 84, 88, 100);
    const int trombone = c.Voice("Trombones", 3, kTrombone, 96, 70);
    const int strings = c.Voice("Strings", 4, kStrings, 84, 30);
    const int timp = c.Voice("Timpani", 5, kTimpani, 100, 64);
    const int drums = c.Voice("Drums", kDrumChannel, 0, 92, 64);
    c.Chords("Cm:16 Ab Bb Cm Cm Ab Fm G Ab Bb Gm Cm Fm G Ab G Cm Ab Bb Cm Cm Ab G:8 G7:8 Cm:16");
    const std::string a =
        "c5:8 eb5:4 g5:4 | ab5:8 g5:4 eb5:4 | f5:4 d5:4 bb4:8 | c5:16 |"
        "g5:8 ab5:4 g5:4 | eb5:8 c5:4 eb5:4 |";
    c.Melody(brass, a + "f5:4 ab5:4 c6:8 | b5:8 d5:8", 98);
    c.Melody(choir,
             "c6:6 bb5:2 ab5:8 | d6:6 c6:2 bb5:8 | bb5:4 g5:4 d5:8 | eb5:4 g5:4 c6:8 |"
             "ab5:4 f5:4 c5:8 | b4:4 d5:4 g5:8 | c6:4 ab5:4 eb5:8 | d5:4 f5:4 b5:8",
             92, 8);
    c.Melody(brass, a + "b4:4 d5:4 f5:4 b5:4 | c6:16", 104, 16);
    c.Pattern(organ, "P---------------", 55, 60);
    c.Pattern(trombone, "R-----R-R-------", 36, 86);
    c.Pattern(strings, "0000000010101010", 48, 70);
    c.Pattern(timp, "R...R...R.R.R...", 36, 90);
    c.Drum(drums, kKick, "x.......x.......", 90);
    c.Drum(drums, kSnare, "........x.......", 88);
    c.Drum(drums, kRide, "x...x...x...x...", 50, 8, 16);
    for (int bar : {0, 8, 16}) c.Hit(drums, kCrash, bar, 0, 4, 100);
    return Done("battle03.mid", c);
}

// The ending: a broad, warm melody in E-flat over strings and harp.
MusicPiece GameEnd() {
    Composer c("Veloria - Ending", 72, 4, 16);
    const int flute = c.Voice("Flute", 0, kFlute, 96, 70);
    const int strings = c.Voice("Strings", 1, kSlowStrings, 84, 54, 100);
    const int harp = c.Voice("Harp", 2, kHarp, 84, 34);
    const int horn = c.Voice("Horn", 3, kFrenchHorn, 80, 80);
    const int bass = c.Voice("Cellos", 4, kCello, 86, 60);
    const int piano = c.Voice("Piano", 5, kPiano, 66, 90);
    c.Chords("Eb:16 Bb/D Cm Ab Eb Ab Bb Bb Cm Ab Eb Bb Ab Bb Eb Eb");
    c.Melody(flute,
             "g5:6 f5:2 eb5:4 bb4:4 | d5:6 eb5:2 f5:8 | eb5:4 g5:4 c6:6 bb5:2 | c6:8 ab5:8 |"
             "g5:6 ab5:2 bb5:4 g5:4 | ab5:4 c6:4 eb6:6 d6:2 | c6:4 bb5:4 f5:8 | bb5:12 r:4 |"
             "c6:6 bb5:2 g5:8 | ab5:6 g5:2 eb5:8 | g5:4 bb5:4 eb6:6 d6:2 | d6:4 c6:4 bb5:8 |"
             "c6:6 bb5:2 ab5:4 c6:4 | bb5:6 ab5:2 g5:4 f5:4 | eb5:16 | r:4 bb4:4 g4:4 eb4:4",
             84);
    c.Melody(horn,
             "g4:16 | ab4:8 bb4:8 | g4:16 | ab4:16 | bb4:16 | c5:8 bb4:8 | bb4:16 | g4:12 r:4", 60,
             8);
    c.Pattern(strings, "P---------------", 51, 56);
    c.Pattern(harp, "0-1-2-3-4-3-2-1-", 51, 58);
    c.Pattern(bass, "R-------F-------", 39, 76, 0, c.Bars() - 1);
    c.Cadence(bass, 39, 76);
    c.Pattern(piano, "....4.......5...", 63, 50, 8, 16);
    return Done("game_end.mid", c);
}

}  // namespace

std::vector<MusicPiece> ComposeAllMusic() {
    return {Title(),   Menu(),     Level01(),  Level02(),  Level03(),
            Level06(), Battle01(), Battle02(), Battle03(), GameEnd()};
}

}  // namespace veloria::media
