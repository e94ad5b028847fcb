// The catalogue's three file kinds: the first byte picks an equipment piece, an item or a spell
// file; the rest is that file, read into a game that holds the whole shipped catalogue already
// (the other 77 files are the same for every input, so they are read once, not per input).
#include <cstdint>

#include "fuzz_support.h"
#include "hero/catalogue.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace veloria;
    if (size < 1) return 0;
    static const CatalogueFile kKinds[3] = {CatalogueFile::Piece, CatalogueFile::Item,
                                            CatalogueFile::Spell};
    fuzz::FuzzWorld& w = fuzz::World();
    static const bool loaded = [&w] {
        LoadCatalogue(w.Pristine());
        return true;
    }();
    (void)loaded;
    w.Put("data/portal/fuzz.txt", data + 1, size - 1);
    LoadCatalogueFile(w.Fresh(), kKinds[data[0] % 3], "data/portal/fuzz.txt");
    return 0;
}
