// The files the map reads on the way: a lair's exit (then gone through, which loads the level it
// names) or a hidden treasure's amount. The first byte picks which.
#include <cstdint>

#include "flow/game.h"
#include "flow/game_state.h"
#include "fuzz_support.h"
#include "world/exits.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace veloria;
    if (size < 1) return 0;
    fuzz::FuzzWorld& w = fuzz::World();
    Game& g = w.Fresh();
    g.flow.gameState = StateMap;
    if (data[0] % 2 == 0) {
        w.Put("data/lair/hlair00.txt", data + 1, size - 1);
        g.level.lairIds[0] = 0;
        EnterLair(g, 44);
    } else {
        w.Put("data/hidden/ht00.txt", data + 1, size - 1);
        g.level.treasureIds[0] = 0;
        DigTreasure(g, 22);
    }
    return 0;
}
