// Shop files.
#include <cstdint>

#include "fuzz_support.h"
#include "hero/shop.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace veloria;
    fuzz::FuzzWorld& w = fuzz::World();
    w.Put("data/fuzz_shop.txt", data, size);
    LoadShop(w.Fresh(), "data/fuzz_shop.txt");
    return 0;
}
