// Actor files (the hero, the dummy and the spell shots share the format).
#include <cstdint>

#include "flow/game.h"
#include "fuzz_support.h"
#include "hero/actor.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace veloria;
    fuzz::FuzzWorld& w = fuzz::World();
    w.Put("data/fuzz_actor.txt", data, size);
    Game& g = w.Fresh();
    LoadActor(g, g.hero, "data/fuzz_actor.txt");
    return 0;
}
