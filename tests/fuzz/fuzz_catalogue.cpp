// The catalogue's three file kinds: the first byte picks an equipment piece, an item or a spell
// file; the rest replaces the first file of that kind, and the whole catalogue is read.
#include "fuzz_support.h"
#include "hero/actor.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace veloria;
    if (size < 1) return 0;
    static const char* const kFiles[3] = {"data/portal/staff00.txt", "data/portal/item00.txt",
                                          "data/portal/spell00.txt"};
    fuzz::FuzzWorld& w = fuzz::World();
    const char* file = kFiles[data[0] % 3];
    // The shipped file goes back after the input, so one input cannot change the next one's run.
    static std::string kept[3];
    static bool read[3] = {};
    const int32_t k = data[0] % 3;
    if (!read[k]) {
        FILE* f = std::fopen(file, "rb");
        if (f) {
            char buf[4096];
            size_t n;
            while ((n = std::fread(buf, 1, sizeof(buf), f)) > 0) kept[k].append(buf, n);
            std::fclose(f);
        }
        read[k] = true;
    }
    w.Put(file, data + 1, size - 1);
    LoadCatalogue(w.Fresh());
    w.Put(file, reinterpret_cast<const uint8_t*>(kept[k].data()), kept[k].size());
    return 0;
}
