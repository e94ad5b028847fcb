// Chest files, read and opened as the map does when the hero steps on the chest's code, so what
// the chest gives is taken into the hero's tables.
#include <cstdint>

#include "flow/game.h"
#include "fuzz_support.h"
#include "hero/chest.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace veloria;
    fuzz::FuzzWorld& w = fuzz::World();
    w.Put("data/chests/chest00.txt", data, size);
    Game& g = w.Fresh();
    g.level.chestIds[0] = 0;
    OpenChest(g, 16);  // the first chest code
    return 0;
}
