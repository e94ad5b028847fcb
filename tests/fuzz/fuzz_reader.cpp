// The line and number reader on its own: the first byte is a program of reads (two bits each:
// number, checked index, line into a small or a large buffer), the rest the file.
#include <cstdint>

#include "content/reader.h"
#include "fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace veloria;
    if (size < 2) return 0;
    fuzz::FuzzWorld& w = fuzz::World();
    w.Put("data/fuzz_reader.txt", data + 2, size - 2);
    ContentReader r(w.Pristine().platform, "data/fuzz_reader.txt");
    if (data[1] & 1) r.SkipBadWords();
    const uint32_t program = data[0] | (static_cast<uint32_t>(data[1] & 0xFE) << 7);
    for (int32_t step = 0; step < 64 && !r.AtEnd(); ++step) {
        int32_t value = 0;
        char small[4];
        char large[64];
        switch ((program >> ((step % 8) * 2)) & 3) {
            case 0:
                r.ReadInt(&value);
                break;
            case 1:
                r.ReadIndex(&value, -3, 7, "index");
                break;
            case 2:
                if (r.ReadLine(small, sizeof(small)) && std::strlen(small) >= sizeof(small)) {
                    std::abort();
                }
                break;
            default:
                if (r.ReadLine(large, sizeof(large)) && std::strlen(large) >= sizeof(large)) {
                    std::abort();
                }
                break;
        }
    }
    return 0;
}
