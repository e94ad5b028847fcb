#pragma once
// Saved games: three slots and the fresh-game file, 635 integers each.
#include <cstdint>

#include "menus/save_schema.h"

namespace veloria {

struct Game;

constexpr const char* kFreshGameFile = "data/villains/v48.txt";

// "data/villains/v45.txt" .. "v47.txt" for slots 1..3.
const char* SlotFile(int32_t slot);

// Writes atomically; false when the slot could not be written (the old save is kept).
bool SaveGame(Game& g, const char* file);
// 1 when the file was opened and read, 0 when it did not open.
int32_t LoadGame(Game& g, const char* file, int32_t restore);
void SaveScreen(Game& g);
void LoadScreen(Game& g);

}  // namespace veloria
