#pragma once
// The equipment, item and spell catalogue files.
#include <cstdint>

namespace veloria {

struct Game;

// Reads the equipment, item and spell catalogue files.
void LoadCatalogue(Game& g);
// One catalogue file read on its own, as LoadCatalogue reads each (for the fuzz target).
enum class CatalogueFile : int32_t { Piece, Item, Spell };
void LoadCatalogueFile(Game& g, CatalogueFile kind, const char* path);

}  // namespace veloria
