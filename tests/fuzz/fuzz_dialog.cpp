// Dialog files, then the box drawn with what was read.
#include <cstdint>

#include "flow/game.h"
#include "fuzz_support.h"
#include "hero/dialog.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace veloria;
    fuzz::FuzzWorld& w = fuzz::World();
    w.Put("data/fuzz_dialog.txt", data, size);
    Game& g = w.Fresh();
    LoadDialog(g, "data/fuzz_dialog.txt");
    DrawDialogBox(g);
    return 0;
}
