#pragma once
// Saved games: three slots and the fresh-game file, 635 integers each.
#include <cstdint>

namespace veloria {

struct Game;
struct SaveSlots;

constexpr const char* kFreshGameFile = "data/villains/v48.txt";

// Fills slots with the slot names below root (an installed game's data folder, chosen by the
// platform); a null or empty root, or one too long to name a slot, keeps the game directory.
void MakeSaveSlots(SaveSlots* slots, const char* root);

// The file slot 1..3 is written to: "data/villains/v45.txt" .. "v47.txt", below the platform's
// save folder when it has one.
const char* SlotFile(const Game& g, int32_t slot);
// The file slot 1..3 is read from: the save folder's copy when there is one, else the game
// directory's, so saves made before the game was installed read-only still show.
const char* SlotFileToLoad(const Game& g, int32_t slot);

// Writes atomically; false when the slot could not be written (the old save is kept).
bool SaveGame(Game& g, const char* file);
// Saves into slot 1..3 (SlotFile), making the save folder on the first save.
bool SaveToSlot(Game& g, int32_t slot);
// 1 when the file was opened and read, 0 when it did not open.
int32_t LoadGame(Game& g, const char* file, int32_t restore);
void SaveScreen(Game& g);
void LoadScreen(Game& g);

}  // namespace veloria
