// Animation table files.
#include <cstdint>

#include "fuzz_support.h"
#include "world/anim_table.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace veloria;
    fuzz::FuzzWorld& w = fuzz::World();
    w.Put("data/fuzz_anim.txt", data, size);
    LoadAnimFile(w.Fresh(), "data/fuzz_anim.txt");
    return 0;
}
