// The media checks, on memory and through their file forms: the first byte picks MIDI, wave, a
// tile library picture or a background picture.
#include <cstdint>

#include "content/media_check.h"
#include "fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace veloria;
    if (size < 1) return 0;
    fuzz::FuzzWorld& w = fuzz::World();
    const uint8_t* body = data + 1;
    const size_t n = size - 1;
    char why[kMediaWhySize];
    why[0] = '\0';
    switch (data[0] % 4) {
        case 0:
            CheckMidi(body, n, why, sizeof(why));
            w.Put("data/fuzz.mid", body, n);
            CheckMidiFile(w.Root(), "data/fuzz.mid", why, sizeof(why));
            break;
        case 1: {
            WaveInfo info;
            if (CheckWave(body, n, &info, why, sizeof(why))) {
                // What the check promises the mixer: no more data than the file holds.
                if (info.dataPresent > n || info.dataPresent > info.dataBytes) std::abort();
            }
            w.Put("data/fuzz.wav", body, n);
            CheckWaveFile(w.Root(), "data/fuzz.wav", &info, why, sizeof(why));
            break;
        }
        default: {
            PictureFormat format;
            int32_t width = 0, height = 0;
            ReadPictureSize(body, n, &format, &width, &height, why, sizeof(why));
            w.Put("data/fuzz.pic", body, n);
            CheckPictureFile(w.Root(), "data/fuzz.pic",
                             data[0] % 4 == 2 ? PictureRole::TileLibrary : PictureRole::Background,
                             why, sizeof(why));
            break;
        }
    }
    // Every refusal says why in a terminated sentence that fits.
    if (std::memchr(why, '\0', sizeof(why)) == nullptr) std::abort();
    return 0;
}
