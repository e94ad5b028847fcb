#pragma once
// Loading a level or arena and building the 10 x 8 view window from it and the progress tables.
#include <cstdint>

#include "hero/actor_record.h"
#include "world/level_map_record.h"

namespace veloria {

struct Game;
class ContentReader;

void LoadLevel(Game& g, uint8_t mode, const char* fileName);
void ReadLevelFile(Game& g, const char* fileName);
void BuildView(Game& g);
void ApplyWorldState(Game& g);
void ClearView(Game& g);
// Reads the twelve numbers of a LevelExit in file order (level tables and lair files).
void ReadLevelExit(ContentReader& r, LevelExit& e);
// "levels/level%02d.txt" / "levels/battle%02d.txt"
void LevelFileName(char* out, int32_t size, int32_t number);
void BattleFileName(char* out, int32_t size, int32_t number);

}  // namespace veloria
