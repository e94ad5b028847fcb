// Saved games, loaded as the load screen does (restore: delays, music, the saved level and view).
#include <cstdint>

#include "fuzz_support.h"
#include "menus/saved_game.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace veloria;
    fuzz::FuzzWorld& w = fuzz::World();
    w.Put("data/villains/v45.txt", data, size);
    LoadGame(w.Fresh(), "data/villains/v45.txt", 1);
    return 0;
}
