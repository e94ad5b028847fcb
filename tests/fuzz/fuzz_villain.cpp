// Villain files, read by number as a battle does.
#include <cstdint>

#include "fuzz_support.h"
#include "world/villain.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace veloria;
    fuzz::FuzzWorld& w = fuzz::World();
    w.Put("data/villains/v99.txt", data, size);
    LoadVillain(w.Fresh(), 99);
    return 0;
}
