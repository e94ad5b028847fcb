// Level files: the first byte picks the map mode the file is read in (any byte, so unknown modes
// are tried too); the rest is the file, read as the game reads a level and then drawn into the
// view window.
#include <cstdint>

#include "flow/game.h"
#include "fuzz_support.h"
#include "world/level_map.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace veloria;
    if (size < 1) return 0;
    fuzz::FuzzWorld& w = fuzz::World();
    w.Put("levels/fuzz.txt", data + 1, size - 1);
    Game& g = w.Fresh();
    LoadLevel(g, data[0] % 5, "levels/fuzz.txt");
    return 0;
}
